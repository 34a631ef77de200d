// The player's frame and playback view: the first update goes full screen and plays the
// home page; the clock's ticks, page jumps, restarts, pause and exit; the page mapping
// and what a paint shows; and the application's open command and its dialogs.
#include <gtest/gtest.h>

#include <algorithm>

#include "behaviour/GoToPage.h"
#include "framework/ui/AfxRes.h"
#include "framework/ui/DC.h"
#include "model/DrawCompObj.h"
#include "model/DrawJoinObj.h"
#include "tests/player/PlayerFixture.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

using namespace playertest;

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 160);
constexpr COLORREF kBlack = RGB(0, 0, 0);

std::string Page(COLORREF background, const char* rect) {
  return PageBytes(background, [&](CDrawDoc& page) {
    if (rect) page.m_objects.AddTail(FilledRect(rect, CRect(-50, 40, 50, -40), kBlue));
  });
}

bool Contains(const std::vector<std::string>& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

class PlayerViewTest : public PlayerTest {
 protected:
  void OpenTwoPages() { Open({{"home.rvx", Page(kRed, "a")}, {"page2.rvx", Page(kGreen, "b")}}); }
};

TEST_F(PlayerViewTest, TheFirstUpdateCoversTheScreenAndPlaysTheHomePage) {
  OpenTwoPages();
  const int bx = ::GetSystemMetrics(SM_CXBORDER), by = ::GetSystemMetrics(SM_CYBORDER);
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  CRect window;
  frame->GetWindowRect(&window);
  EXPECT_EQ(CRect(-4 * bx, -4 * by, cx + 4 * bx, cy + 4 * by), window);
  EXPECT_EQ(0u, frame->GetStyle() & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));
  EXPECT_TRUE(frame->IsFullScreen());

  EXPECT_EQ(std::vector<CString>{"a"}, PageObjectNames());
  EXPECT_EQ(CDrawView::kFirstStartPeriod, view->GetTimerPeriod());
  EXPECT_EQ(0, view->GetTick());
  EXPECT_EQ(1, doc->m_transitionPending);

  // "全屏" toggles between the whole screen and the screen's own rectangle.
  frame->SendMessage(WM_COMMAND, ID_FULL_SCREEN);
  frame->GetWindowRect(&window);
  EXPECT_EQ(CRect(0, 0, cx, cy), window);
  frame->SendMessage(WM_COMMAND, ID_FULL_SCREEN);
  frame->GetWindowRect(&window);
  EXPECT_EQ(CRect(-4 * bx, -4 * by, cx + 4 * bx, cy + 4 * by), window);
}

TEST_F(PlayerViewTest, TicksOneAndTwoAreIdleAndTickThreeStepsFrameZero) {
  OpenTwoPages();
  AddProbe("A");
  AddProbe("B");
  Tick(2);
  EXPECT_TRUE(log.empty());
  Tick();
  EXPECT_EQ((std::vector<std::string>{"A step 0", "B step 0"}), log);
  Tick();
  EXPECT_EQ((std::vector<std::string>{"A step 0", "B step 0", "A step 1", "B step 1"}), log);
}

TEST_F(PlayerViewTest, AJumpInsideAStepEndsTheRoundAndTheNewPageStartsAtFrameZero) {
  OpenTwoPages();
  CPlayerProbe* a = AddProbe("A");
  AddProbe("B");
  a->onStep = [](int) { GoToPage("page2.rvx"); };
  Tick(3);
  // B belongs to the old page: not stepped; both die once the round is over.
  EXPECT_EQ((std::vector<std::string>{"A step 0", "A restore", "B restore", "A destroyed", "B destroyed"}), log);
  EXPECT_EQ(std::vector<CString>{"b"}, PageObjectNames());
  EXPECT_EQ(CString("page2.rvx"), doc->m_pageName);
  EXPECT_EQ(CDrawView::kResumePeriod, view->GetTimerPeriod());
  EXPECT_EQ(1, doc->m_transitionPending);

  // The round taken back leaves the clock below 0: the ticks up to 3 step nothing (no
  // frame -3), then the new page starts at frame 0.
  log.clear();
  AddProbe("C");
  Tick(3);
  EXPECT_TRUE(log.empty());
  Tick();
  EXPECT_EQ(std::vector<std::string>{"C step 0"}, log);
}

TEST_F(PlayerViewTest, AJumpToTheSamePageRestartsItWithoutReadingItAgain) {
  OpenTwoPages();
  ASSERT_TRUE(view->GoToPage("home.rvx"));  // after the home page by index: read by name
  AddProbe("P");
  ASSERT_TRUE(view->StartObjects());
  log.clear();
  Tick(5);
  log.clear();
  EXPECT_TRUE(view->GoToPage("HOME.RVX"));
  EXPECT_EQ((std::vector<std::string>{"P restore", "P save"}), log);
  EXPECT_EQ((std::vector<CString>{"a", "P"}), PageObjectNames());
  EXPECT_EQ(CDrawView::kResumePeriod, view->GetTimerPeriod());
  EXPECT_EQ(0, view->GetTick());
}

TEST_F(PlayerViewTest, AJumpToAPageThePackageLacksEndsThePlayer) {
  OpenTwoPages();
  AddProbe("P");
  ASSERT_TRUE(view->StartObjects());
  Tick(4);
  EXPECT_FALSE(view->GoToPage("nope.rvx"));
  EXPECT_TRUE(ExitPosted());
  EXPECT_EQ(0u, view->GetTimerPeriod());
  EXPECT_TRUE(Contains(log, "P restore"));
}

TEST_F(PlayerViewTest, AnObjectThatCannotStartKeepsThePageStill) {
  OpenTwoPages();
  ASSERT_TRUE(view->GoToPage("home.rvx"));
  CPlayerProbe* p = AddProbe("P");
  p->onSave = [] { GetDrawHost()->SetTargetMissing(); };
  EXPECT_FALSE(view->GoToPage("home.rvx"));
  EXPECT_EQ(0u, view->GetTimerPeriod());
  EXPECT_FALSE(ExitPosted());
}

TEST_F(PlayerViewTest, F5RestartsTheHomePageWithoutKeepingTheOldObjects) {
  OpenTwoPages();
  ASSERT_TRUE(view->GoToPage("page2.rvx"));
  AddProbe("P");
  ASSERT_TRUE(view->StartObjects());
  Tick(6);
  frame->SendMessage(WM_COMMAND, ID_START_PLAYBACK);
  EXPECT_TRUE(Contains(log, "P restore"));
  EXPECT_TRUE(Contains(log, "P destroyed"));
  EXPECT_EQ(std::vector<CString>{"a"}, PageObjectNames());
  EXPECT_EQ(CDrawView::kFirstStartPeriod, view->GetTimerPeriod());
  EXPECT_EQ(0, view->GetTick());
  frame->SendMessage(WM_COMMAND, ID_START_PLAYBACK);
  EXPECT_EQ(std::vector<CString>{"a"}, PageObjectNames());
}

TEST_F(PlayerViewTest, PauseKeepsTheClockAndResumesAtTheSlowerPeriod) {
  OpenTwoPages();
  Tick(4);
  frame->SendMessage(WM_COMMAND, ID_PAUSE_RUN);
  EXPECT_TRUE(view->IsPaused());
  EXPECT_EQ(0u, view->GetTimerPeriod());
  EXPECT_EQ(4, view->GetTick());
  frame->SendMessage(WM_COMMAND, ID_PAUSE_RUN);
  EXPECT_FALSE(view->IsPaused());
  EXPECT_EQ(CDrawView::kResumePeriod, view->GetTimerPeriod());
  EXPECT_EQ(4, view->GetTick());
}

TEST_F(PlayerViewTest, EscEndsThePlayerFromAnyState) {
  for (bool paused : {false, true}) {
    SCOPED_TRACE(paused ? "paused" : "playing");
    OpenTwoPages();
    AddProbe("P");
    ASSERT_TRUE(view->StartObjects());
    Tick(5);
    if (paused) frame->SendMessage(WM_COMMAND, ID_PAUSE_RUN);
    frame->SendMessage(WM_COMMAND, ID_EXIT_RUN);
    EXPECT_TRUE(ExitPosted());
    EXPECT_EQ(0u, view->GetTimerPeriod());
    EXPECT_EQ(0, view->GetTick());
    EXPECT_TRUE(Contains(log, "P restore"));
    frame->DestroyWindow();
    log.clear();
  }
}

TEST_F(PlayerViewTest, PagePointZeroIsTheCentreOfTheView) {
  OpenTwoPages();
  CRect client;
  view->GetClientRect(&client);
  MemoryBitmap bitmap(client.Width(), client.Height());
  CDC dc(bitmap.dc());
  view->OnPrepareDC(&dc);
  POINT points[] = {{0, 0}, {-kPageWidth / 2, kPageHeight / 2}, {kPageWidth / 2, -kPageHeight / 2}};
  dc.LPtoDP(points, 3);
  const CPoint centre(client.Width() / 2, client.Height() / 2);
  EXPECT_EQ(centre, CPoint(points[0]));
  EXPECT_EQ(centre + CPoint(-kPageWidth / 2, -kPageHeight / 2), CPoint(points[1]));
  EXPECT_EQ(centre + CPoint(kPageWidth / 2, kPageHeight / 2), CPoint(points[2]));
  EXPECT_EQ(CPoint(0, 0), view->ClientToPage(centre));
  EXPECT_EQ(centre + CPoint(10, -20), view->PageToClient(CPoint(10, 20)));
}

// Paints the whole view into a bitmap and reads the pixel at a page point.
class Painted {
 public:
  explicit Painted(CDrawView& view) : m_view(view) {
    CRect client;
    view.GetClientRect(&client);
    m_bitmap = std::make_unique<MemoryBitmap>(client.Width(), client.Height());
    CDC dc(m_bitmap->dc());
    view.OnPrepareDC(&dc);
    view.OnDraw(&dc);
  }
  COLORREF At(int x, int y) const {
    const CPoint p = m_view.PageToClient(CPoint(x, y));
    return m_bitmap->Pixel(p.x, p.y);
  }

 private:
  CDrawView& m_view;
  std::unique_ptr<MemoryBitmap> m_bitmap;
};

TEST_F(PlayerViewTest, APaintShowsThePageOnBlack) {
  OpenTwoPages();
  for (int ticks : {0, 3}) {
    SCOPED_TRACE(ticks);
    Tick(ticks);
    Painted painted(*view);
    EXPECT_EQ(kBlue, painted.At(0, 0));                                 // the rectangle
    EXPECT_EQ(kRed, painted.At(kPageWidth / 2 - 5, 0));                 // the page
    EXPECT_EQ(kRed, painted.At(-kPageWidth / 2, kPageHeight / 2 - 1));  // its corner
    EXPECT_EQ(kBlack, painted.At(kPageWidth / 2 + 5, 0));               // beside it
    EXPECT_EQ(kBlack, painted.At(0, -kPageHeight / 2 - 5));
    EXPECT_EQ(0, doc->m_transitionPending);
  }
}

// A composite shows its members one per frame; a glued object steps its members, one of
// which hides itself on frame 1.
TEST_F(PlayerViewTest, ACompositeCartoonAndAGluedObjectPlayTickByTick) {
  Open({{"home.rvx", PageBytes(kRed, [](CDrawDoc& page) {
            auto* cartoon = new CDrawCompObj;
            CObList frames;
            frames.AddTail(FilledRect("g", CRect(-50, 40, 0, 0), kGreen));
            frames.AddTail(FilledRect("b", CRect(-50, 40, 0, 0), kBlue));
            cartoon->Group(nullptr, frames);
            cartoon->m_name = "cartoon";
            CMethod play = MakeAction(CMethod::typeCartoon, "play", 0, 100);
            play.m_bLoop = 1;
            play.m_bRotateLoop = 1;
            play.m_nInterval = 1;
            AddAction(*cartoon, play);
            page.m_objects.AddTail(cartoon);

            CDrawRect* left = FilledRect("p", CRect(50, 40, 100, 0), kGreen);
            CDrawRect* right = FilledRect("q", CRect(120, 90, 170, 50), kBlue);
            CMethod hide = MakeAction(CMethod::typeShowHide, "hide", 1, 1);
            hide.m_nValue = 0;
            AddAction(*right, hide);
            auto* glue = new CDrawJoinObj;
            glue->m_name = "glue";
            GlueGroup context;
            context.objects = {left, right};
            context.handles = {3, 1};  // q's left top onto p's right top
            glue->Glue(nullptr, context);
            page.m_objects.AddTail(glue);
          })}});
  struct Shown {
    COLORREF cartoon, glued;
  };
  const Shown shown[] = {{kGreen, kBlue}, {kBlue, kRed}, {kGreen, kRed}, {kBlue, kRed}};
  Tick(2);
  for (int n = 0; n < 4; ++n) {
    SCOPED_TRACE(n);
    Tick();
    Painted painted(*view);
    EXPECT_EQ(shown[n].cartoon, painted.At(-25, 20));
    EXPECT_EQ(kGreen, painted.At(75, 20));
    EXPECT_EQ(shown[n].glued, painted.At(125, 20));
  }
}

TEST_F(PlayerViewTest, WithoutAPackageTheViewStaysBlackAndSilent) {
  MessageBoxCapture boxes;
  const CString plain = folder / "plain.exe";
  WriteFileBytes(plain, Patterned(4000, 9));
  OpenOn(plain);
  EXPECT_FALSE(doc->HasPage());
  Tick(4);
  Painted painted(*view);
  EXPECT_EQ(kBlack, painted.At(0, 0));
  EXPECT_EQ(kBlack, painted.At(-kPageWidth / 2 + 1, kPageHeight / 2 - 1));
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_FALSE(ExitPosted());
}

TEST_F(PlayerViewTest, OpeningANameJumpsToItOnlyWhenThePackageHasIt) {
  OpenTwoPages();
  Tick(5);
  // Dropped files and the open command arrive here.
  EXPECT_EQ(nullptr, app->OpenDocumentFile("C:\\pages\\page2.rvx"));
  EXPECT_EQ(std::vector<CString>{"a"}, PageObjectNames());
  EXPECT_EQ(CDrawView::kFirstStartPeriod, view->GetTimerPeriod());
  EXPECT_EQ(5, view->GetTick());
  EXPECT_FALSE(ExitPosted());

  EXPECT_EQ(doc, app->OpenDocumentFile("Page2.rvx"));
  EXPECT_EQ(std::vector<CString>{"b"}, PageObjectNames());
  EXPECT_EQ(CDrawView::kResumePeriod, view->GetTimerPeriod());
}

TEST_F(PlayerViewTest, AboutAndHelpCommandsOpenTheirWindows) {
  OpenTwoPages();
  ModalCapture modal;
  frame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
  frame->SendMessage(WM_COMMAND, ID_HELP_FINDER);
  frame->SendMessage(WM_COMMAND, ID_HELP);
  ASSERT_EQ(3u, modal.calls().size());
  EXPECT_EQ(ModalCall::dialog, modal.calls()[0].kind);
  EXPECT_EQ(UINT(IDD_ABOUTBOX), modal.calls()[0].id);
  EXPECT_EQ(ModalCall::winHelp, modal.calls()[1].kind);
  EXPECT_EQ(UINT(HELP_FINDER), modal.calls()[1].id);
  EXPECT_EQ(ModalCall::winHelp, modal.calls()[2].kind);
  EXPECT_EQ(UINT(HELP_CONTENTS), modal.calls()[2].id);
}

}  // namespace
