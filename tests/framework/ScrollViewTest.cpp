// A scrolling view: bars when the area is larger than the window, none otherwise,
// scrolling within the limits, and an area smaller than the window centred.
#include <gtest/gtest.h>

#include "framework/ui/ClientDC.h"
#include "framework/ui/ScrollView.h"
#include "framework/ui/WindowDC.h"
#include "tests/framework/UiTestClasses.h"

namespace {

class CTestScrollView : public CScrollView {
 public:
  void OnDraw(CDC*) override {}
};

class ScrollViewTest : public UiAppTest {
 protected:
  void SetUp() override {
    UiAppTest::SetUp();
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "滚动", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
    app->m_pMainWnd = frame;
    view = new CTestScrollView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST));
    frame->RecalcLayout();
    view->GetClientRect(&client);
  }

  CFrameWnd* frame = nullptr;
  CTestScrollView* view = nullptr;
  CRect client;
};

TEST_F(ScrollViewTest, BarsAppearForALargeAreaAndScrollingStaysWithinIt) {
  view->SetScrollSizes(MM_TEXT, CSize(2000, 1500), CSize(100, 80), CSize(10, 8));
  EXPECT_TRUE(view->GetStyle() & WS_HSCROLL);
  EXPECT_TRUE(view->GetStyle() & WS_VSCROLL);
  view->GetClientRect(&client);
  EXPECT_EQ(CSize(2000, 1500), view->m_totalDev);

  view->OnScroll(MAKEWORD(SB_LINEDOWN, SB_PAGEDOWN), 0);
  EXPECT_EQ(CPoint(10, 80), view->GetDeviceScrollPosition());
  view->ScrollToPosition(CPoint(5000, 5000));
  EXPECT_EQ(CPoint(2000 - client.Width(), 1500 - client.Height()), view->GetDeviceScrollPosition());
  EXPECT_FALSE(view->OnScrollBy(CSize(10, 10)));  // already at the end
  view->CenterOnPoint(CPoint(1000, 750));
  EXPECT_EQ(CPoint(1000 - client.Width() / 2, 750 - client.Height() / 2), view->GetDeviceScrollPosition());

  // The drawing origin follows the scroll position.
  CClientDC dc(view);
  view->OnPrepareDC(&dc);
  EXPECT_EQ(-view->GetDeviceScrollPosition(), dc.GetViewportOrg());

  // Shrunk below the window: the bars go and the position is back at the origin.
  view->SetScrollSizes(MM_TEXT, CSize(100, 50));
  EXPECT_FALSE(view->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
  EXPECT_EQ(CPoint(0, 0), view->GetDeviceScrollPosition());
}

TEST_F(ScrollViewTest, ASmallAreaIsCentredWhenAsked) {
  view->m_bCenter = TRUE;
  view->SetScrollSizes(MM_TEXT, CSize(100, 50));
  view->GetClientRect(&client);
  CClientDC dc(view);
  view->OnPrepareDC(&dc);
  EXPECT_EQ(CPoint((client.Width() - 100) / 2, (client.Height() - 50) / 2), dc.GetViewportOrg());
}

TEST_F(ScrollViewTest, LogicalUnitsOfAMappingModeBecomeDeviceUnits) {
  view->SetScrollSizes(MM_LOMETRIC, CSize(2540, 2540));  // ten inches square
  CWindowDC screen(nullptr);
  const int dpiX = screen.GetDeviceCaps(LOGPIXELSX);
  EXPECT_NEAR(10 * dpiX, view->m_totalDev.cx, 2);
  EXPECT_GT(view->m_totalDev.cy, 0);
  EXPECT_EQ(view->m_totalDev.cx / 10, view->m_pageDev.cx);
  EXPECT_EQ(view->m_pageDev.cx / 10, view->m_lineDev.cx);
}

}  // namespace
