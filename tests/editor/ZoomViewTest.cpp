// The page view's mapping: the page's centre as origin, y up, zoom and scrolling.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/ui/WindowDC.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"

namespace {

CPoint ToDevice(CDrawView* view, CPoint p) {
  view->LPtoDPPoint(p);
  return p;
}

CPoint ClientCentre(CDrawView* view) {
  CRect client;
  view->GetClientRect(&client);
  return CPoint(client.Width() / 2, client.Height() / 2);
}

}  // namespace

using ZoomViewTest = EditorTest;

TEST_F(ZoomViewTest, ASmallPageIsCentredWithYUp) {
  NewPage();
  CDrawView* view = View();
  view->SetPageSizes(CSize(400, 300));
  const CPoint centre = ClientCentre(view);
  const CPoint origin = ToDevice(view, CPoint(0, 0));
  EXPECT_NEAR(origin.x, centre.x, 1);
  EXPECT_NEAR(origin.y, centre.y, 1);
  EXPECT_LT(ToDevice(view, CPoint(0, 10)).y, origin.y);  // up is up
  EXPECT_EQ(ToDevice(view, CPoint(0, 10)).y, origin.y - 10);
  EXPECT_EQ(ToDevice(view, CPoint(100, 0)).x, origin.x + 100);  // a unit is a pixel at 100 %

  Frame()->MoveWindow(0, 0, 1200, 900);
  view->SetPageSizes(CSize(800, 600));
  CRect client;
  view->GetClientRect(&client);
  ASSERT_GT(client.Width(), 800);
  ASSERT_GT(client.Height(), 600);
  EXPECT_EQ(ToDevice(view, CPoint(-400, 300)), CPoint((client.Width() - 800) / 2, (client.Height() - 600) / 2));
}

TEST_F(ZoomViewTest, ARunningPageHasItsOriginAtTheScreenCentre) {
  NewPage();
  CDrawView* view = View();
  view->ZoomIn();  // the editing zoom does not apply to a run
  app->m_nMode = 1;
  EXPECT_EQ(ToDevice(view, CPoint(0, 0)),
            CPoint(::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2));
  EXPECT_EQ(ToDevice(view, CPoint(50, 0)).x, ::GetSystemMetrics(SM_CXSCREEN) / 2 + 50);
  app->m_nMode = 2;
}

TEST_F(ZoomViewTest, OneUnitIsOnePixelAtEveryResolution) {
  NewPage();
  CDrawView* view = View();
  CWindowDC screen(nullptr);
  EXPECT_EQ(view->m_baseViewportExt,
            CSize(screen.GetDeviceCaps(LOGPIXELSX), screen.GetDeviceCaps(LOGPIXELSY)));
  // A screen of 120 pixels an inch: window and viewport extents still agree.
  view->m_baseViewportExt = view->m_viewportExt = CSize(120, 120);
  const ZoomMapping mapping = view->ScreenMapping(CSize(120, 120));
  EXPECT_EQ(mapping.windowExt, CSize(120, -120));
  EXPECT_EQ(mapping.viewportExt, CSize(120, 120));
}

TEST_F(ZoomViewTest, ZoomingKeepsThePointInTheMiddle) {
  NewPage();
  CDrawView* view = View();
  const CPoint point(120, -60);
  view->ZoomIn(&point, 1.25f);
  EXPECT_DOUBLE_EQ(view->GetZoomFactor(), 1.25);
  const CPoint shown = ToDevice(view, point);
  const CPoint centre = ClientCentre(view);
  EXPECT_LE(std::abs(shown.x - centre.x), 1);
  EXPECT_LE(std::abs(shown.y - centre.y), 1);
  EXPECT_EQ(ToDevice(view, CPoint(100, 0)).x - ToDevice(view, CPoint(0, 0)).x, 125);
}

TEST_F(ZoomViewTest, InThenOutGivesTheSameSizesAndResetGivesExactlyOne) {
  NewPage();
  CDrawView* view = View();
  const CSize total = view->m_totalDev, extent = view->m_viewportExt, pageStep = view->m_pageDev,
              lineStep = view->m_lineDev;
  view->ZoomIn(nullptr, 1.25f);
  EXPECT_NE(view->m_totalDev, total);
  view->ZoomOut(nullptr, 1.25f);
  EXPECT_EQ(view->m_totalDev, total);
  EXPECT_EQ(view->m_viewportExt, extent);
  EXPECT_EQ(view->m_pageDev, pageStep);
  EXPECT_EQ(view->m_lineDev, lineStep);

  for (int i = 0; i < 3; ++i) view->ZoomIn(nullptr, 1.3f);
  view->ResetZoom();
  EXPECT_EQ(view->GetZoomFactor(), 1.0);
  EXPECT_EQ(view->m_viewportExt, view->m_baseViewportExt);
  EXPECT_EQ(view->m_totalDev, total);
}

TEST_F(ZoomViewTest, ZoomStaysWithinItsLimits) {
  NewPage();
  CDrawView* view = View();
  for (int i = 0; i < 40; ++i) view->ZoomIn();
  EXPECT_LE(view->GetZoomFactor(), CZoomView::kMaxZoom * 1.001);
  EXPECT_GT(view->GetZoomFactor(), CZoomView::kMaxZoom / 1.25);
  EXPECT_LE(view->m_totalDev.cx, CZoomView::kMaxDeviceSize);
  EXPECT_GT(view->m_totalDev.cx, 0);

  for (int i = 0; i < 80; ++i) view->ZoomOut();
  EXPECT_GE(view->GetZoomFactor(), CZoomView::kMinZoom * 0.999);
  EXPECT_GE(view->m_viewportExt.cx, 1);
  EXPECT_GE(view->m_viewportExt.cy, 1);
  // Converting back to page units still works (no extent of 0 to divide by).
  CPoint p(10, 10);
  view->DPtoLPPoint(p);
  CPoint q(20, 10);
  view->DPtoLPPoint(q);
  EXPECT_GT(q.x - p.x, 10);
}

TEST_F(ZoomViewTest, AZoomClickWithoutAModeResetsAndChoosesTheSelectTool) {
  NewPage();
  CDrawView* view = View();
  view->ZoomIn();
  view->SetZoomMode(0);
  view->OnZoomClick(0, CPoint(10, 10));
  EXPECT_EQ(view->GetZoomFactor(), 1.0);
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, view->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(LOWORD(msg.wParam), ID_TOOL_SELECT);

  view->SetZoomMode(1);
  view->OnZoomClick(0, CPoint(10, 10));
  EXPECT_DOUBLE_EQ(view->GetZoomFactor(), 1.25);
  view->SetZoomMode(2);
  view->OnZoomClick(0, CPoint(10, 10));
  EXPECT_DOUBLE_EQ(view->GetZoomFactor(), 1.0);
}

TEST_F(ZoomViewTest, EveryEdgeOfAPageLargerThanTheScreenCanBeScrolledTo) {
  NewPage();
  CDrawView* view = View();
  Doc()->SetPageSize(3000, 2400);
  view->ApplyPageSizes();
  EXPECT_EQ(view->GetTotalSize(), CSize(3000, 2400));
  CRect client;
  view->GetClientRect(&client);
  view->ScrollToDevicePosition(CPoint(1 << 20, 1 << 20));  // as far as it goes
  const CPoint corner = ToDevice(view, CPoint(1500, -1200));
  EXPECT_EQ(corner, CPoint(client.Width(), client.Height()));
  view->ScrollToDevicePosition(CPoint(0, 0));
  EXPECT_EQ(ToDevice(view, CPoint(-1500, 1200)), CPoint(0, 0));
}
