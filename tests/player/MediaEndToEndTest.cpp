// A published programme with embedded media: mirabo.exe with a page whose picture, GIF
// and WAV travel inside the page file, played as a user gets it. Runs under the wave
// device whose sound lands in a file (tests/media/run-with-wave-capture), alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/DrawMedia.h"
#include "media/DrawMeta.h"
#include "graphics/ImageHelpers.h"
#include "tests/media/Canvas.h"
#include "tests/media/SoundFiles.h"
#include "tests/player/PlayerFixture.h"

using namespace playertest;

namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr DWORD kPatience = 20000;

CString MiraboExe() {
  std::string path = MIRABO_EXE;
  for (char& c : path)
    if (c == '/') c = '\\';
  return CString(("Z:" + path).c_str());
}

template <typename Condition>
bool WaitUntil(Condition condition) {
  const ULONGLONG end = ::GetTickCount64() + kPatience;
  while (!condition()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(20);
  }
  return true;
}

COLORREF ScreenAt(int x, int y) {
  HDC screen = ::GetDC(nullptr);
  const COLORREF c = ::GetPixel(screen, ::GetSystemMetrics(SM_CXSCREEN) / 2 + x, ::GetSystemMetrics(SM_CYSCREEN) / 2 - y);
  ::ReleaseDC(nullptr, screen);
  return c;
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) < 24 && std::abs(GetGValue(a) - GetGValue(b)) < 24 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 24;
}

std::string Bytes(const std::vector<BYTE>& b) { return std::string(b.begin(), b.end()); }

std::string FileOf(CPicture& picture, const WCHAR* mime) {
  std::vector<BYTE> bytes;
  EncodeImage(picture, mime, FALSE, bytes);
  return Bytes(bytes);
}

}  // namespace

TEST(PlayerMediaEndToEnd, APublishedPageShowsItsPictureStepsItsGifAndPlaysItsSound) {
  const char* capture = std::getenv("MP3_CAPTURE_FILE");
  if (!capture) GTEST_SKIP() << "no capturing wave device (see tests/media/run-with-wave-capture)";
  TempFolder folder;
  const CString still = folder / "still.png", anim = folder / "anim.gif", wave = folder / "tone.wav";
  WriteFileBytes(still, FileOf(*MakePicture(8, 8, std::vector<Gdiplus::ARGB>(64, 0xFFC81E1E)), L"image/png"));
  // Three frames (red, green, blue) of half a second each: a frame step of 9 ticks.
  std::vector<BYTE> gif;
  {
    auto frames = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    std::vector<std::unique_ptr<CPicture>> pictures;
    std::vector<CPicture*> pointers;
    for (Gdiplus::ARGB c : frames) {
      pictures.push_back(MakePicture(4, 4, std::vector<Gdiplus::ARGB>(16, c)));
      pointers.push_back(pictures.back().get());
    }
    ASSERT_EQ(Gdiplus::Ok, EncodeImageFrames(pointers.data(), 3, L"image/tiff", FALSE, gif));
  }
  WriteFileBytes(anim, Bytes(gif));
  const std::vector<BYTE> data = soundtest::WaveData(22050, 9);
  WriteFileBytes(wave, Bytes(soundtest::WaveFile(data)));

  const CString home = folder / "home.rvx";
  WriteFileBytes(home, PageBytes(RGB(255, 255, 255), [&](CDrawDoc& page) {
                   auto* picture = new CDrawMeta(CRect(-150, 100, -50, 0));
                   picture->m_pictureFile = still;
                   picture->LoadPicture(still);
                   page.m_objects.AddTail(picture);
                   auto* frames = new CDrawMeta(CRect(50, 100, 150, 0));
                   frames->m_pictureFile = anim;
                   frames->LoadPicture(anim);
                   CMethod step;
                   frames->MakeGifAction(step);
                   step.m_nActivation = 0;  // plays from the start, no event drives it
                   AddAction(*frames, step);
                   page.m_objects.AddTail(frames);
                   auto* sound = new CDrawMedia(CRect(-16, -50, 16, -82));
                   sound->SetMediaFile(wave);
                   AddAction(*sound, MakeAction(CMethod::typePlayMedia, "play", 0, 100000));
                   page.m_objects.AddTail(sound);
                 }));
  // The files are gone before the player starts: only the page carries them.
  ::DeleteFileA(still);
  ::DeleteFileA(anim);
  ::DeleteFileA(wave);
  PackageIndex package;
  ASSERT_EQ(1, package.AddFile(home));
  const CString exe = folder / "mirabo.exe";
  ASSERT_EQ(kPackageOk, package.WritePackage(MiraboExe(), exe, nullptr, nullptr));
  HANDLE h = ::CreateFileA(capture, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, TRUNCATE_EXISTING,
                           0, nullptr);
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::wstring command = L"\"" + Wide(exe) + L"\"";
  ASSERT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));

  EXPECT_TRUE(WaitUntil([] { return Near(ScreenAt(-100, 50), RGB(200, 30, 30)); })) << "the picture";
  EXPECT_TRUE(WaitUntil([] { return ScreenAt(100, 50) == RGB(0, 255, 0); })) << "the GIF's second frame";
  EXPECT_TRUE(WaitUntil([] { return ScreenAt(100, 50) == RGB(0, 0, 255); })) << "the GIF's third frame";
  EXPECT_TRUE(WaitUntil([&] { return FileBytes(capture).size() >= data.size(); })) << "the sound";
  ::Sleep(300);
  std::vector<uint8_t> played = FileBytes(capture);
  size_t first = 0;
  while (first + 1 < played.size() && played[first] == 0 && played[first + 1] == 0) first += 2;
  ASSERT_GE(played.size(), first + data.size());
  EXPECT_TRUE(std::equal(data.begin(), data.end(), played.begin() + static_cast<std::ptrdiff_t>(first)));

  // Esc ends the player, which takes its copies along.
  struct Search {
    DWORD id;
    HWND found;
  } search{process.dwProcessId, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s->id && ::IsWindowVisible(window)) s->found = window;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (HWND view = search.found ? ::GetWindow(search.found, GW_CHILD) : nullptr) {
    ::PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageW(view, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  }
  if (::WaitForSingleObject(process.hProcess, kPatience) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 99);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}
