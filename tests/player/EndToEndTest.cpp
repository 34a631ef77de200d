// mirabo.exe as a user gets it: a copy with a package appended by the package writer,
// started as a process of its own. It covers the screen without a caption, shows the
// home page, switches pages on a click and ends with Esc; without a package it shows
// black and nothing else. These runs show full-screen windows and read the screen, so
// they run alone (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/player/PlayerFixture.h"

using namespace playertest;

namespace {

constexpr COLORREF kHomeColour = RGB(0, 0, 160);
constexpr COLORREF kButtonColour = RGB(220, 30, 30);
constexpr COLORREF kSecondColour = RGB(0, 150, 0);
constexpr COLORREF kMarkColour = RGB(240, 220, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr DWORD kPatience = 20000;  // ms: a Wine start on a slow machine

// The player built with these tests, as Wine names it.
CString MiraboPath() {
  std::string path = MIRABO_EXE;
  for (char& c : path)
    if (c == '/') c = '\\';
  return CString(("Z:" + path).c_str());
}

// Waits for the condition, checking it every few milliseconds.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeout = kPatience) {
  const ULONGLONG end = ::GetTickCount64() + timeout;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() > end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

class PlayerProcess {
 public:
  explicit PlayerProcess(const CString& exe) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + Wide(exe) + L"\"";
    m_started = ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &m_process);
  }
  ~PlayerProcess() {
    if (!m_started) return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_process.hProcess, 99);
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
  }
  PlayerProcess(const PlayerProcess&) = delete;
  PlayerProcess& operator=(const PlayerProcess&) = delete;

  bool Started() const { return m_started; }

  // The visible top-level windows of the process.
  std::vector<HWND> Windows() const {
    struct Search {
      DWORD id;
      std::vector<HWND> found;
    } search{m_process.dwProcessId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          if (owner == s->id && ::IsWindowVisible(window)) s->found.push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND MainWindow() const {
    const std::vector<HWND> windows = Windows();
    return windows.size() == 1 ? windows[0] : nullptr;
  }
  // The view: the frame's one child.
  HWND View() const {
    HWND frame = MainWindow();
    return frame ? ::GetWindow(frame, GW_CHILD) : nullptr;
  }

  // The colour the screen shows at a page point, once the player's window is what lies
  // there; CLR_INVALID while something else covers it.
  COLORREF ScreenAt(int x, int y) const {
    const POINT at = {::GetSystemMetrics(SM_CXSCREEN) / 2 + x, ::GetSystemMetrics(SM_CYSCREEN) / 2 - y};
    DWORD owner = 0;
    ::GetWindowThreadProcessId(::WindowFromPoint(at), &owner);
    if (owner != m_process.dwProcessId) return CLR_INVALID;
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, at.x, at.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
  }
  bool Shows(int x, int y, COLORREF colour) const {
    return WaitFor([&] { return ScreenAt(x, y) == colour; });
  }

  void ClickAt(int x, int y) const {
    HWND view = View();
    POINT at = {::GetSystemMetrics(SM_CXSCREEN) / 2 + x, ::GetSystemMetrics(SM_CYSCREEN) / 2 - y};
    ::ScreenToClient(view, &at);
    ::PostMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    ::PostMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::PostMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  void PressEscape() const {
    HWND view = View();
    ::PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageW(view, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  }
  // The exit code once the process has ended, or -1 when it does not end in time.
  long ExitCode() const {
    if (::WaitForSingleObject(m_process.hProcess, kPatience) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<long>(code);
  }
  // Whether the process is still running after the time given.
  bool RunsFor(DWORD milliseconds) const {
    return ::WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_TIMEOUT;
  }

 private:
  PROCESS_INFORMATION m_process = {};
  BOOL m_started = FALSE;
};

TEST(PlayerEndToEnd, PlaysItsPackageFullScreenSwitchesPagesOnAClickAndEndsWithEsc) {
  TempFolder folder;
  const CString home = folder / "home.rvx", second = folder / "page1.rvx";
  WriteFileBytes(home, PageBytes(kHomeColour, [](CDrawDoc& page) {
                   CDrawRect* button = FilledRect("button", CRect(-60, 40, 60, -40), kButtonColour);
                   JumpOnClick(*button, "page1");
                   page.m_objects.AddTail(button);
                 }));
  WriteFileBytes(second, PageBytes(kSecondColour, [](CDrawDoc& page) {
                   page.m_objects.AddTail(FilledRect("mark", CRect(-30, 30, 30, -30), kMarkColour));
                 }));
  PackageIndex package;
  ASSERT_EQ(1, package.AddFile(home));
  ASSERT_EQ(1, package.AddFile(second));
  const CString exe = folder / "mirabo.exe";
  ASSERT_EQ(kPackageOk, package.WritePackage(MiraboPath(), exe, nullptr, nullptr));

  PlayerProcess player(exe);
  ASSERT_TRUE(player.Started());
  ASSERT_TRUE(WaitFor([&] { return player.MainWindow() != nullptr; }));
  HWND frame = player.MainWindow();
  EXPECT_EQ(0, ::GetWindowLongW(frame, GWL_STYLE) & WS_CAPTION);
  const int bx = ::GetSystemMetrics(SM_CXBORDER), by = ::GetSystemMetrics(SM_CYBORDER);
  RECT window;
  ::GetWindowRect(frame, &window);
  EXPECT_EQ(CRect(-4 * bx, -4 * by, ::GetSystemMetrics(SM_CXSCREEN) + 4 * bx, ::GetSystemMetrics(SM_CYSCREEN) + 4 * by),
            CRect(window));

  // The home page: its button in the middle, the page around it, black beyond.
  EXPECT_TRUE(player.Shows(0, 0, kButtonColour));
  EXPECT_TRUE(player.Shows(kPageWidth / 2 - 10, 0, kHomeColour));
  EXPECT_TRUE(player.Shows(kPageWidth / 2 + 10, 0, kBlack));

  // The page shows before its clock has reached its first step, and a click that comes
  // before that arms nothing: click as a user would, again until the page changes.
  EXPECT_TRUE(WaitFor([&] {
    player.ClickAt(0, 0);
    return WaitFor([&] { return player.ScreenAt(0, 0) == kMarkColour; }, 250);
  }));
  EXPECT_TRUE(player.Shows(kPageWidth / 2 - 10, 0, kSecondColour));

  player.PressEscape();
  EXPECT_EQ(0, player.ExitCode());
}

TEST(PlayerEndToEnd, WithoutAPackageItStaysBlackAndSilent) {
  TempFolder folder;
  const CString exe = folder / "mirabo.exe";
  ASSERT_TRUE(::CopyFileW(Wide(MiraboPath()).c_str(), Wide(exe).c_str(), FALSE));

  PlayerProcess player(exe);
  ASSERT_TRUE(player.Started());
  ASSERT_TRUE(WaitFor([&] { return player.MainWindow() != nullptr; }));
  EXPECT_TRUE(player.Shows(0, 0, kBlack));
  // Well past the first ticks: still the one window, still black, still running.
  EXPECT_TRUE(player.RunsFor(500));
  EXPECT_EQ(1u, player.Windows().size());
  EXPECT_EQ(kBlack, player.ScreenAt(0, 0));
  EXPECT_EQ(kBlack, player.ScreenAt(-kPageWidth / 2 + 5, kPageHeight / 2 - 5));

  player.PressEscape();
  EXPECT_EQ(0, player.ExitCode());
}

}  // namespace
