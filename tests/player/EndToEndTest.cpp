// mirabo.exe as a user gets it: a copy with a package appended by the package writer,
// started as a process of its own. It covers the screen without a caption, shows the
// home page, switches pages on a click and ends with Esc; without a package it shows
// black and nothing else. These runs show full-screen windows and read the screen, so
// they run alone (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "media/DrawAnimate.h"
#include "model/DrawText.h"
#include "model/HPEvent.h"
#include "samples/AnswerCheck.h"
#include "tests/media/VideoFiles.h"
#include "tests/player/PlayerFixture.h"
#include "tests/support/ProgramProcess.h"

using namespace playertest;
using namespace programtest;

namespace {

constexpr COLORREF kHomeColour = RGB(0, 0, 160);
constexpr COLORREF kButtonColour = RGB(220, 30, 30);
constexpr COLORREF kSecondColour = RGB(0, 150, 0);
constexpr COLORREF kMarkColour = RGB(240, 220, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The folders a process of that id keeps its embedded media in (under the temporary
// folder, named after the process).
std::vector<std::wstring> MediaFoldersOf(DWORD processId) {
  wchar_t temp[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, temp);
  wchar_t pattern[64];
  swprintf(pattern, 64, L"tmp%lx-*", static_cast<unsigned long>(processId));
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW entry;
  HANDLE search = ::FindFirstFileW((std::wstring(temp) + pattern).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    found.push_back(std::wstring(temp) + entry.cFileName);
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return found;
}

// The player built with these tests, as Wine names it.
CString MiraboPath() { return BuiltProgramPath(MIRABO_EXE); }

using PlayerProcess = ProgramProcess;

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

// A learner types an answer into a text that takes input: Enter closes the box, keeps
// the answer in the text and drives the text's key event (the check's mark is asserted
// on the page run in process).
TEST(PlayerEndToEnd, ATypedAnswerIsKeptOnEnter) {
  TempFolder folder;
  const CString home = folder / "home.rvx";
  WriteFileBytes(home, PageBytes(kHomeColour, [](CDrawDoc& page) {
                   auto* answer = new CDrawText(CRect(-100, 40, 100, -40));
                   answer->m_name = "answer";
                   AddAnswerCheck(answer, "check", "42");
                   page.m_objects.AddTail(answer);
                 }));
  PackageIndex package;
  ASSERT_EQ(1, package.AddFile(home));
  const CString exe = folder / "mirabo.exe";
  ASSERT_EQ(kPackageOk, package.WritePackage(MiraboPath(), exe, nullptr, nullptr));

  PlayerProcess player(exe);
  ASSERT_TRUE(player.Started());
  ASSERT_TRUE(WaitFor([&] { return player.MainWindow() != nullptr; }));
  EXPECT_TRUE(player.Shows(150, 0, kHomeColour));

  // Clicks before the page's first step arm nothing: click until the box opens.
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    player.ClickAt(0, 0);
    return WaitFor([&] { return (box = ::GetDlgItem(player.View(), kInputBoxId)) != nullptr; }, 250);
  })) << "a click on the text opens no input box";
  // A click still on its way opens the box afresh: take the box once the clicks are done.
  ::Sleep(500);
  box = ::GetDlgItem(player.View(), kInputBoxId);
  ASSERT_NE(nullptr, box);
  ::SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"42"), SMTO_ABORTIFHUNG, 2000, nullptr);
  ::PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  ::PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC01C0001);

  // Enter closes the box and keeps the answer in the text, where it is painted.
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); })) << "Enter leaves the box open";
  EXPECT_TRUE(WaitFor([&] {
    for (int y = -10; y <= 10; ++y)
      for (int x = -20; x <= 20; ++x)
        if (player.ScreenAt(x, y) == RGB(0, 0, 0)) return true;
    return false;
  })) << "the typed answer is not shown";

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

// A clip that travels inside the page: its play action shows it in a child window of
// the view over the object, played from the player's own copy; Esc ends the player,
// and the copy goes with it. (Wine shows a playing clip black on this display: the
// window is what is looked at, not its colours.)
TEST(PlayerEndToEnd, AnEmbeddedClipPlaysOverItsObjectAndEscLeavesNoCopy) {
  TempFolder folder;
  const CString clip = folder / "clip.avi", home = folder / "home.rvx";
  const videotest::Bytes avi = videotest::AviFile(RGB(0, 0, 255), 39, 10);
  WriteFileBytes(clip, std::string(avi.begin(), avi.end()));
  WriteFileBytes(home, PageBytes(kHomeColour, [&](CDrawDoc& page) {
                   auto* video = new CDrawAnimate(CRect(-50, 40, 50, -40));
                   video->m_name = "video";
                   video->SetMediaFile(clip);
                   AddAction(*video, MakeAction(CMethod::typePlayMedia, "play", 0, 100000));
                   page.m_objects.AddTail(video);
                 }));
  ::DeleteFileA(clip);  // only the page carries it now
  PackageIndex package;
  ASSERT_EQ(1, package.AddFile(home));
  const CString exe = folder / "mirabo.exe";
  ASSERT_EQ(kPackageOk, package.WritePackage(MiraboPath(), exe, nullptr, nullptr));

  PlayerProcess player(exe);
  ASSERT_TRUE(player.Started());
  ASSERT_TRUE(WaitFor([&] { return player.MainWindow() != nullptr; }));
  HWND view = player.View();
  ASSERT_NE(nullptr, view);
  HWND clipWindow = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    for (HWND child = ::GetWindow(view, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      if (::IsWindowVisible(child)) clipWindow = child;
    return clipWindow != nullptr;
  })) << "no clip window in the view";
  if (clipWindow) {
    EXPECT_EQ(view, ::GetParent(clipWindow));
    RECT placed;
    ::GetWindowRect(clipWindow, &placed);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN) / 2, cy = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    EXPECT_EQ(CRect(cx - 50, cy - 40, cx + 50, cy + 40), CRect(placed));
  }
  // Played from a copy of the player's own.
  const std::vector<std::wstring> copies = MediaFoldersOf(player.ProcessId());
  ASSERT_EQ(1u, copies.size());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((copies[0] + L"\\clip.avi").c_str()));

  player.PressEscape();
  EXPECT_EQ(0, player.ExitCode());
  EXPECT_TRUE(MediaFoldersOf(player.ProcessId()).empty()) << "the copy was left behind";
}

}  // namespace
