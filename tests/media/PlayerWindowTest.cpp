// The hosted Flash and RealPlayer windows, and the video object that makes them, each
// hosting the test control (tests/controls) in place of the player: the dispatch calls
// compared whole, the RealPlayer's state and stop events, the bounded stop wait, the
// clicks and keys passed on to the view, and a player that cannot be made tried once.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/DC.h"
#include "media/DrawAnimate.h"
#include "media/RealAudio.h"
#include "media/ShockwaveFlash.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TestControlHost.h"
#include "tests/support/TestHost.h"

namespace {

using Calls = std::vector<std::string>;

const CLSID kMissing = {0x0f3998cf, 0xff72, 0x4069, {0x93, 0xd0, 0x69, 0xab, 0x50, 0x96, 0xfe, 0x21}};

// A view's window: a top-level window of its own, as the players need a parent.
class ViewWindowHost : public TestHost {
 public:
  ViewWindowHost() {
    view.CreateEx(0, nullptr, "view", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 240, nullptr, nullptr);
  }
  ~ViewWindowHost() override { view.DestroyWindow(); }
  HWND GetViewWindow() override { return view.m_hWnd; }
  CWnd view;
};

class PlayerWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    ASSERT_TRUE(testcontrol::Register());
    testcontrol::Reset();
  }
  void TearDown() override { ::OleUninitialize(); }
  CRect PlaceInView(HWND hWnd) {
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    ::MapWindowPoints(nullptr, m_host.view.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  void Paint(CDrawAnimate& video) {
    MemoryBitmap bitmap(64, 64);
    CDC dc(bitmap.dc());
    video.DrawObject(&dc, nullptr);
  }

  ViewWindowHost m_host;
};

TEST_F(PlayerWindowTest, FlashLoadsPlaysAndStopsTheMovie) {
  auto flash = std::make_unique<CShockwaveFlash>(CLSID_TestControl);
  ASSERT_TRUE(flash->Create(CRect(100, 50, 200, 120), &m_host.view, "c:\\影片\\a.swf"));
  EXPECT_EQ(2004, flash->GetDlgCtrlID());
  EXPECT_EQ(CRect(100, 50, 200, 120), PlaceInView(flash->m_hWnd));
  flash->Play();
  flash->StopPlay();
  // Its events only trace.
  testcontrol::Fire(-609, {4});
  testcontrol::Fire(0x7a6, {50});
  testcontrol::FireText(150, L"quit", 0);
  EXPECT_EQ((Calls{"put 135 I4 0", "put 102 BSTR c:\\影片\\a.swf", "call 112", "call 113"}), testcontrol::Calls());
  flash.reset();
  EXPECT_EQ(0, testcontrol::Live());
  EXPECT_FALSE(CShockwaveFlash(kMissing).Create(CRect(0, 0, 10, 10), &m_host.view, "a.swf"));
}

TEST_F(PlayerWindowTest, RealPlayerLoadsStartsAndHalts) {
  CRealAudio player(CLSID_TestControl);
  ASSERT_TRUE(player.Create(CRect(0, 0, 80, 60), &m_host.view, 2003));
  player.Load("c:\\流\\b.rm");
  player.Start(TRUE);
  EXPECT_EQ((Calls{"put 295 BOOL 0", "put 275 BOOL 1", "put 104 BSTR Imagewindow", "put 102 BSTR c:\\流\\b.rm",
                   "put 231 BOOL 1", "put 227 I2 99", "call 257"}),
            testcontrol::Calls());

  // Halting a stopped player asks only its state.
  testcontrol::Reset();
  EXPECT_FALSE(player.Halt());
  EXPECT_EQ(Calls{"get 260"}, testcontrol::Calls());
  testcontrol::Reset();
  testcontrol::SetAnswer(260, 3);
  EXPECT_TRUE(player.Halt());
  EXPECT_EQ((Calls{"get 260", "put 231 BOOL 0", "call 202"}), testcontrol::Calls());
}

TEST_F(PlayerWindowTest, RealPlayerFollowsItsStateEvents) {
  const struct {
    long state;
    long playsAgain;
    Calls calls;
  } rows[] = {
      {0, 1, {"get 230", "put 269 I4 0", "call 257"}},
      {0, 0, {"get 230"}},
      {4, 0, {"call 202"}},
      {3, 1, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.state);
    CRealAudio player(CLSID_TestControl);
    ASSERT_TRUE(player.Create(CRect(0, 0, 80, 60), &m_host.view, 2003));
    testcontrol::Reset();
    testcontrol::SetAnswer(230, row.playsAgain);
    testcontrol::Fire(1013, {row.state});
    EXPECT_EQ(row.calls, testcontrol::Calls());
    EXPECT_EQ(row.state, player.GetPlayState());
    // The stop signal counts only once the player has reported that it stopped.
    testcontrol::Fire(1020);
    EXPECT_EQ(row.state == 0 ? WAIT_OBJECT_0 : WAIT_TIMEOUT, ::WaitForSingleObject(player.GetStopEvent(), 0));
  }
}

TEST_F(PlayerWindowTest, AStopReportedDuringTheStopCallEndsTheWaitAtOnce) {
  CRealAudio player(CLSID_TestControl);
  ASSERT_TRUE(player.Create(CRect(0, 0, 80, 60), &m_host.view, 2003));
  testcontrol::SetAnswer(260, 3);
  testcontrol::FireOnCall(202, 1020);
  // The stop event is reset before the stop call, so the signal it brings is kept.
  ASSERT_TRUE(player.Halt());
  const DWORD start = ::GetTickCount();
  EXPECT_TRUE(player.WaitForStop(5000));
  EXPECT_LT(::GetTickCount() - start, 1000u);
}

// The wait's timer callback: a second wait under the first.
CRealAudio* g_waitingPlayer = nullptr;
BOOL g_innerWait = TRUE;
DWORD g_innerWaitTook = 0;

void CALLBACK WaitAgain(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  const DWORD start = ::GetTickCount();
  g_innerWait = g_waitingPlayer->WaitForStop(5000);
  g_innerWaitTook = ::GetTickCount() - start;
}

TEST_F(PlayerWindowTest, TheStopWaitIsBoundedAndNotStartedTwice) {
  CRealAudio player(CLSID_TestControl);
  ASSERT_TRUE(player.Create(CRect(0, 0, 80, 60), &m_host.view, 2003));
  g_waitingPlayer = &player;
  ::SetTimer(nullptr, 0, 10, WaitAgain);
  const DWORD start = ::GetTickCount();
  EXPECT_FALSE(player.WaitForStop(400));
  const DWORD took = ::GetTickCount() - start;
  EXPECT_GE(took, 350u);
  EXPECT_LT(took, 2000u);
  EXPECT_FALSE(g_innerWait);
  EXPECT_LT(g_innerWaitTook, 100u);
  EXPECT_FALSE(player.IsWaitingForStop());
}

TEST_F(PlayerWindowTest, ClicksAndKeysGoOnToTheView) {
  const UINT messages[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                           WM_RBUTTONUP,   WM_KEYDOWN,   WM_MOUSEMOVE};
  CShockwaveFlash flash(CLSID_TestControl);
  ASSERT_TRUE(flash.Create(CRect(100, 50, 200, 120), &m_host.view, "a.swf"));
  CRealAudio player(CLSID_TestControl);
  ASSERT_TRUE(player.Create(CRect(100, 50, 200, 120), &m_host.view, 2003));
  const struct {
    const char* name;
    CWnd* window;
    std::vector<UINT> passed;
  } rows[] = {
      {"Flash", &flash,
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_KEYDOWN}},
      {"RealPlayer", &player, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_KEYDOWN}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    // Only input is looked at: a paint stays queued until dispatched.
    MSG drain;
    while (::PeekMessageA(&drain, m_host.view.m_hWnd, WM_KEYFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    for (UINT message : messages) {
      MSG msg = {};
      msg.hwnd = row.window->m_hWnd;
      msg.message = message;
      msg.wParam = MK_LBUTTON | MK_SHIFT;
      msg.lParam = message == WM_KEYDOWN ? 0x001E0001 : MAKELPARAM(5, 5);
      EXPECT_FALSE(CWnd::WalkPreTranslateTree(m_host.view.m_hWnd, &msg));
    }
    std::vector<UINT> passed;
    MSG posted;
    while (::PeekMessageA(&posted, m_host.view.m_hWnd, WM_KEYFIRST, WM_MOUSELAST, PM_REMOVE)) {
      passed.push_back(posted.message);
      EXPECT_EQ(static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT), posted.wParam);
      // A point in the player at (100, 50) is that much further in the view; a key
      // keeps its repeat count and scan code.
      EXPECT_EQ(posted.message == WM_KEYDOWN ? 0x001E0001 : MAKELPARAM(105, 55), posted.lParam);
    }
    EXPECT_EQ(row.passed, passed);
  }
}

TEST_F(PlayerWindowTest, TheVideoObjectHostsFlashForMovies) {
  CDrawAnimate video(CRect(20, -30, 120, -130));
  video.SetPlayerClassIds(CLSID_TestControl, CLSID_TestControl);
  video.SetMediaFile("C:\\Movies\\Intro.SWF");
  Paint(video);
  ASSERT_NE(nullptr, video.GetFlashWindow());
  EXPECT_EQ(nullptr, video.GetRealPlayerWindow());
  EXPECT_EQ(CRect(20, 30, 120, 130), PlaceInView(video.GetFlashWindow()->m_hWnd));
  Paint(video);
  video.SetRect(CRect(40, -30, 140, -130), nullptr);
  EXPECT_EQ(CRect(40, 30, 140, 130), PlaceInView(video.GetFlashWindow()->m_hWnd));
  video.Play(FALSE);
  video.Stop(FALSE);
  EXPECT_NE(nullptr, video.GetFlashWindow());
  EXPECT_EQ((Calls{"put 135 I4 0", "put 102 BSTR c:\\movies\\intro.swf", "call 112", "call 112", "call 113"}),
            testcontrol::Calls());
  // Stopping a hidden object lets the player go; the next paint makes it again.
  video.Stop(TRUE);
  EXPECT_EQ(nullptr, video.GetFlashWindow());
  EXPECT_EQ(0, testcontrol::Live());
  Paint(video);
  EXPECT_NE(nullptr, video.GetFlashWindow());
}

TEST_F(PlayerWindowTest, TheVideoObjectHostsRealPlayerForStreams) {
  for (const char* file : {"c:\\streams\\news.rm", "c:\\streams\\news.ra", "c:\\streams\\news"}) {
    SCOPED_TRACE(file);
    testcontrol::Reset();
    CDrawAnimate video(CRect(20, -30, 120, -130));
    video.SetPlayerClassIds(CLSID_TestControl, CLSID_TestControl);
    video.SetMediaFile(file);
    Paint(video);
    CRealAudio* player = video.GetRealPlayerWindow();
    ASSERT_NE(nullptr, player);
    EXPECT_EQ(2003, player->GetDlgCtrlID());
    EXPECT_EQ(CRect(20, 30, 120, 130), PlaceInView(player->m_hWnd));
    video.Play(TRUE);
    // Playing (3): a second play does not start it again.
    testcontrol::Fire(1013, {3});
    video.Play(TRUE);
    // The stop is answered at once: the player reports it stopped, then signals.
    testcontrol::SetAnswer(260, 3);
    testcontrol::FireOnCall(202, 1013, 0);
    testcontrol::FireOnCall(202, 1020);
    const DWORD start = ::GetTickCount();
    video.Stop(TRUE);
    EXPECT_LT(::GetTickCount() - start, 1000u);
    EXPECT_EQ((Calls{"put 295 BOOL 0", "put 275 BOOL 1", "put 104 BSTR Imagewindow", std::string("put 102 BSTR ") + file,
                     "put 231 BOOL 1", "put 227 I2 99", "call 257", "get 260", "put 231 BOOL 0", "call 202",
                     "get 230"}),
              testcontrol::Calls());
    // A paused player (4) starts again.
    testcontrol::Reset();
    testcontrol::Fire(1013, {4});
    video.Play(FALSE);
    EXPECT_EQ((Calls{"call 202", "put 231 BOOL 0", "put 227 I2 99", "call 257"}), testcontrol::Calls());
    testcontrol::Reset();
    testcontrol::SetAnswer(260, 0);
  }
  EXPECT_EQ(0, testcontrol::Live());
}

TEST_F(PlayerWindowTest, AStopWithoutTheSignalEndsWithinItsBound) {
  CDrawAnimate video(CRect(0, 0, 50, -50));
  video.SetPlayerClassIds(CLSID_TestControl, CLSID_TestControl);
  video.SetMediaFile("c:\\a.rm");
  Paint(video);
  ASSERT_NE(nullptr, video.GetRealPlayerWindow());
  video.Play(FALSE);
  testcontrol::Fire(1013, {3});
  testcontrol::SetAnswer(260, 3);
  const DWORD start = ::GetTickCount();
  video.Stop(FALSE);
  const DWORD took = ::GetTickCount() - start;
  EXPECT_GE(took, CDrawAnimate::kRealPlayerStopWait - 100);
  EXPECT_LT(took, CDrawAnimate::kRealPlayerStopWait + 1500);
  EXPECT_FALSE(video.IsPlaying());
  // Not playing: no stop, no wait.
  testcontrol::Fire(1013, {0});
  testcontrol::Reset();
  video.Stop(FALSE);
  EXPECT_TRUE(testcontrol::Calls().empty());
}

TEST_F(PlayerWindowTest, APlayerThatCannotBeMadeIsTriedOncePerFile) {
  for (bool missingClass : {true, false}) {
    SCOPED_TRACE(missingClass ? "class missing" : "activation fails");
    testcontrol::Reset();
    testcontrol::FailActivation(!missingClass);
    const CLSID clsid = missingClass ? kMissing : CLSID_TestControl;
    CDrawAnimate video(CRect(0, 0, 50, -50));
    video.SetPlayerClassIds(clsid, clsid);
    MessageBoxCapture boxes;
    for (const char* file : {"c:\\a.swf", "c:\\b.rm"}) {
      video.SetMediaFile(file);
      Paint(video);
      Paint(video);
      video.Play(TRUE);
      video.Stop(TRUE);
      Paint(video);
      EXPECT_EQ(nullptr, video.GetFlashWindow());
      EXPECT_EQ(nullptr, video.GetRealPlayerWindow());
      EXPECT_EQ(nullptr, ::GetWindow(m_host.view.m_hWnd, GW_CHILD));
    }
    const Calls log = testcontrol::Log();
    EXPECT_EQ(missingClass ? 0 : 2, std::count(log.begin(), log.end(), "Created"));
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(0, testcontrol::Live());
  }
}

}  // namespace
