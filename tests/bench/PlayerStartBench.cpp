// Start-up of a published programme: a copy of mirabo.exe with a package of two pages
// appended (a home page of 40 rectangles, and a second page), started five times. Each
// run is timed from the start of the process to the moment the screen shows the home
// page, then ended with Esc. Prints every run and the best and median times; the target
// is below one second under Wine. tools/bench-player runs it on a display of its own.
// Usage: PlayerStartBench FOLDER [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "package/PackageIndex.h"

namespace {

constexpr COLORREF kPageColour = RGB(10, 120, 200);
constexpr int kPageWidth = 800, kPageHeight = 600;
constexpr DWORD kPatience = 30000;  // ms

bool WritePage(const CString& path, COLORREF background, int rectangles) {
  CDrawDoc page;
  page.SetPageSize(kPageWidth, kPageHeight);
  page.m_backColour = background;
  for (int i = 0; i < rectangles; ++i) {
    const int x = -380 + (i % 10) * 76, y = 280 - (i / 10) * 60;
    auto* rect = new CDrawRect(CRect(x, y, x + 60, y - 40));
    rect->m_name.Format("r%d", i);
    rect->m_shape = i % 3;
    rect->m_brush.lbColor = RGB(40 * (i % 6), 200 - 4 * i, 90);
    rect->m_baseRect = rect->GetDrawBounds();
    page.m_objects.AddTail(rect);
  }
  try {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &page;
    page.Serialize(ar);
    ar.Close();
    file.Close();
  } catch (const CException&) {
    return false;
  }
  return true;
}

CString MiraboPath() {
  CString path(MIRABO_EXE);
  path.Replace("/", "\\");
  return "Z:" + path;
}

// A point of the home page that no rectangle covers, on the screen.
POINT ProbePoint() {
  return {::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2 + kPageHeight / 2 - 10};
}

bool ShowsHomePage(DWORD process) {
  const POINT at = ProbePoint();
  DWORD owner = 0;
  ::GetWindowThreadProcessId(::WindowFromPoint(at), &owner);
  if (owner != process) return false;
  HDC screen = ::GetDC(nullptr);
  const COLORREF colour = ::GetPixel(screen, at.x, at.y);
  ::ReleaseDC(nullptr, screen);
  return colour == kPageColour;
}

HWND ViewOf(DWORD process) {
  struct Search {
    DWORD id;
    HWND found;
  } search{process, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != s->id || !::IsWindowVisible(window)) return TRUE;
        s->found = ::GetWindow(window, GW_CHILD);
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds from the start of the process to the home page on the screen; -1 when it
// never shows.
double TimeOneStart(const CString& exe) {
  LARGE_INTEGER frequency, start, shown;
  ::QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  CString command = "\"" + exe + "\"";
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessA(nullptr, command.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
    return -1;
  command.ReleaseBuffer();
  double elapsed = -1;
  for (;;) {
    if (ShowsHomePage(process.dwProcessId)) {
      ::QueryPerformanceCounter(&shown);
      elapsed = 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
      break;
    }
    if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;  // ended early
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    if ((now.QuadPart - start.QuadPart) / frequency.QuadPart * 1000 > kPatience) break;
  }
  if (HWND view = ViewOf(process.dwProcessId)) ::PostMessageA(view, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  if (::WaitForSingleObject(process.hProcess, kPatience) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: PlayerStartBench FOLDER [RUNS]\n");
    return 2;
  }
  CString folder(argv[1]);
  PackageIndex::WithTrailingBackslash(folder);
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  if (runs < 1 || runs > 100) {
    std::fprintf(stderr, "RUNS must lie between 1 and 100\n");
    return 2;
  }
  ::CreateDirectoryA(folder, nullptr);

  PackageIndex package;
  if (!WritePage(folder + "home.rvx", kPageColour, 40) || !WritePage(folder + "page2.rvx", RGB(0, 0, 0), 10) ||
      !package.AddFile(folder + "home.rvx") || !package.AddFile(folder + "page2.rvx")) {
    std::fprintf(stderr, "cannot write the pages in %s\n", folder.GetString());
    return 1;
  }
  const CString exe = folder + "programme.exe";
  const int written = package.WritePackage(MiraboPath(), exe, nullptr, nullptr);
  if (written != kPackageOk) {
    std::fprintf(stderr, "cannot write %s (%d)\n", exe.GetString(), written);
    return 1;
  }

  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double ms = TimeOneStart(exe);
    if (ms < 0) {
      std::fprintf(stderr, "run %d: the home page never showed\n", i + 1);
      return 1;
    }
    std::printf("run %d: %.0f ms\n", i + 1, ms);
    times.push_back(ms);
  }
  std::sort(times.begin(), times.end());
  std::printf("first painted frame of a packaged player: best %.0f ms, median %.0f ms over %d runs"
              " (target below 1000 ms)\n",
              times.front(), times[times.size() / 2], runs);
  return 0;
}
