// mirabo.exe as a user gets it: a copy with a package appended by the package writer,
// started as a process of its own. It covers the screen without a caption, shows the
// home page, switches pages on a click and ends with Esc; without a package it shows
// black and nothing else. These runs show full-screen windows and read the screen, so
// they run alone (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "model/DrawText.h"
#include "model/HPEvent.h"
#include "samples/AnswerCheck.h"
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

}  // namespace
