// The control's view: its mapping onto the control's window, the clock that steps the
// page's objects, and the paint that plays the entry transition once and keeps to the
// page once it has been shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Module.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/control/ControlPage.h"
#include "tests/package/PackageFixture.h"
#include "tests/support/PageFiles.h"

using packagetest::TempFolder;
using packagetest::WriteFileBytes;
using pagefiles::PageBytes;

namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 160);

// Counts the transitions it plays.
class CountingView : public CMainView {
 public:
  int transitions = 0;

 protected:
  void RenderTransition(HDC target, HDC source, const RECT& rect, int kind, int direction, int delay) override {
    ++transitions;
    CMainView::RenderTransition(target, source, rect, kind, direction, delay);
  }
};

class MainViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileBytes(folder / "page1.rvx", PageBytes(200, 100, kGreen));
    WriteFileBytes(folder / "page2.rvx", PageBytes(200, 100, kBlue));
    host = "file://" + folder.Path() + "\\index.htm";
  }
  bool Invalidated(HWND window) { return ::GetUpdateRect(window, nullptr, FALSE) != 0; }

  TempFolder folder;
  CString host;
};

TEST_F(MainViewTest, MapsThePageCentreToTheWindowCentreWithYUp) {
  ControlPage page(400, 300);
  ASSERT_EQ(1, page.document.LoadPage(host, "page1.rvx"));
  CPoint centre(0, 0), corner(-100, 50);
  page.host.LPtoDP(centre);
  page.host.LPtoDP(corner);
  EXPECT_EQ(CPoint(200, 150), centre);
  EXPECT_EQ(CPoint(100, 100), corner);
  CRect back(100, 100, 300, 200);
  page.host.DPtoLPRect(back);
  EXPECT_EQ(CRect(-100, 50, 100, -50), back);
}

TEST_F(MainViewTest, TicksStepTheObjectsFromTheThirdAndAJumpEndsTheWalk) {
  ControlPage page;
  ASSERT_EQ(1, page.document.LoadPage(host, "page1.rvx"));
  EXPECT_EQ(0, page.view.GetPlaybackClock());
  std::vector<std::string> log;
  auto* first = new CProbe("a");
  auto* second = new CProbe("b");
  first->onStep = [&](int t) {
    log.push_back("a " + std::to_string(t));
    if (t != 1) return;
    ASSERT_TRUE(page.host.GoToPage("page2.rvx"));
    auto* next = new CProbe("c");
    next->onStep = [&](int t) { log.push_back("c " + std::to_string(t)); };
    page.document.m_objects.AddTail(next);
  };
  second->onStep = [&](int t) { log.push_back("b " + std::to_string(t)); };
  page.document.m_objects.AddTail(first);
  page.document.m_objects.AddTail(second);

  ::ValidateRect(page.window, nullptr);
  page.view.OnPlayTick(kPlaybackTimerId);
  page.view.OnPlayTick(kPlaybackTimerId);
  page.view.OnPlayTick(7);  // another timer of the window
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(Invalidated(page.window));
  page.view.OnPlayTick(kPlaybackTimerId);
  EXPECT_EQ((std::vector<std::string>{"a 0", "b 0"}), log);
  EXPECT_TRUE(Invalidated(page.window));

  // Frame 1: a jumps, b of the old page is not stepped; the new page's frame 0 comes on
  // the fourth tick after.
  log.clear();
  page.view.OnPlayTick(kPlaybackTimerId);
  EXPECT_EQ((std::vector<std::string>{"a 1"}), log);
  log.clear();
  for (int tick = 1; tick <= 4; ++tick) {
    page.view.OnPlayTick(kPlaybackTimerId);
    EXPECT_EQ(tick < 4 ? 0u : 1u, log.size()) << "tick " << tick;
  }
  EXPECT_EQ((std::vector<std::string>{"c 0"}), log);
}

TEST_F(MainViewTest, TransitionPlaysOnceAndLaterPaintsKeepToThePage) {
  BasicControlPage<CountingView> page(400, 300);
  ASSERT_EQ(1, page.document.LoadPage(host, "page1.rvx"));
  page.document.m_curtainColour = RGB(9, 9, 9);

  PageBitmap shown(400, 300, RGB(1, 2, 3));
  page.Paint(shown);
  EXPECT_EQ(1, page.view.transitions);
  EXPECT_EQ(kGreen, shown.At(0, 0));
  // Before the page has played the whole window is the page's.
  EXPECT_EQ(kGreen, shown.At(-190, 140));

  for (int i = 0; i < 3; ++i) page.view.OnPlayTick(kPlaybackTimerId);
  shown.Clear(RGB(1, 2, 3));
  page.Paint(shown);
  EXPECT_EQ(1, page.view.transitions);
  EXPECT_EQ(kGreen, shown.At(0, 0));
  EXPECT_EQ(kGreen, shown.At(-99, 49));
  EXPECT_EQ(RGB(1, 2, 3), shown.At(-190, 140));
  EXPECT_EQ(RGB(1, 2, 3), shown.At(102, 0));
}

// Records the triggers it is driven with.
class CDriven : public CDrawObj {
 public:
  CDriven(const char* name, const CRect& position, std::vector<std::string>& log) : CDrawObj(position), m_log(log) {
    m_name = name;
    m_baseRect = position;
  }
  int Drive(int index, int, int, int, int, const CString&, CDrawObj*, CDrawObj*) override {
    m_log.push_back(std::string(m_name.GetString()) + " " + std::to_string(index));
    return 0;
  }

 private:
  std::vector<std::string>& m_log;
};

TEST_F(MainViewTest, InputReachesTheObjectsThroughThePageRunAndChoosesTheCursor) {
  ControlPage page(400, 300);
  ASSERT_EQ(1, page.document.LoadPage(host, "page1.rvx"));
  std::vector<std::string> log;
  auto* object = new CDriven("o", CRect(-20, 20, 20, -20), log);
  // Enter, leave, move, left down and up.
  for (DWORD trigger : {0x80u, 0x100u, 0x8u, 0x1u, 0x2u}) AddEvent(*object, trigger, "o", "x");
  page.document.m_objects.AddTail(object);
  page.view.SaveObjectStates();

  const HCURSOR objectCursor =
      ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(CMainView::kObjectCursor));
  ASSERT_NE(nullptr, objectCursor);
  page.view.OnMouseMove(0, CPoint(200, 150));
  EXPECT_EQ((std::vector<std::string>{"o 7", "o 3"}), log);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(objectCursor), ::GetClassLongPtrA(page.window, GCLP_HCURSOR));
  page.view.OnMouseMove(0, CPoint(200, 150));  // the same point again
  EXPECT_EQ(2u, log.size());

  ::SetFocus(nullptr);
  page.view.OnLButtonDown(MK_LBUTTON, CPoint(201, 151));
  page.view.OnLButtonUp(0, CPoint(201, 151));
  EXPECT_EQ(page.window, ::GetFocus()) << "a press gives the control the keyboard";
  log.clear();
  page.view.OnMouseMove(0, CPoint(10, 10));
  EXPECT_EQ((std::vector<std::string>{"o 8"}), log);
  EXPECT_EQ(0u, ::GetClassLongPtrA(page.window, GCLP_HCURSOR));

  // Enter with no text object focused only takes the focus.
  log.clear();
  ::SetFocus(nullptr);
  page.view.OnKeyDown(VK_RETURN, 1, 0);
  EXPECT_EQ(page.window, ::GetFocus());
  EXPECT_TRUE(log.empty());
}

TEST_F(MainViewTest, StatusRepaintsWhatItNames) {
  ControlPage page;
  ::ValidateRect(page.window, nullptr);
  page.view.SetStatus(CMainView::statusNone, FALSE, nullptr);
  EXPECT_FALSE(Invalidated(page.window));
  RECT part = {10, 10, 20, 20};
  page.view.SetStatus(CMainView::statusNotFound, TRUE, &part);
  RECT dirty = {};
  ::GetUpdateRect(page.window, &dirty, FALSE);
  EXPECT_EQ(CRect(part), CRect(dirty));
  EXPECT_EQ(CMainView::statusNotFound, page.view.GetStatus());
}

}  // namespace
