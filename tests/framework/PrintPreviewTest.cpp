// Print preview: it takes the view's place with the pages the view prints, turns pages
// and zooms, and gives the frame back as it was.
#include <gtest/gtest.h>

#include "framework/ui/AfxRes.h"
#include "framework/ui/ModalSink.h"
#include "tests/support/ModalCapture.h"
#include "framework/ui/PreviewView.h"
#include "tests/framework/UiTestClasses.h"

namespace {

class PrintPreviewTest : public UiAppTest {
 protected:
  void SetUp() override {
    UiAppTest::SetUp();
    frame = NewDocumentFrame();
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(frame->CreateBars());
    frame->RecalcLayout();
    view = ActiveView();
    ASSERT_NE(nullptr, view);
  }

  CPreviewView* Open(UINT pages) {
    CTestUiView::s_printPages = pages;
    ModalCapture printers;  // no printer here: the screen stands in
    view->OnFilePrintPreview();
    return CPreviewView::Find(frame);
  }

  // The colour in the middle of the sheet, as the preview paints it.
  COLORREF SheetCentre(CPreviewView* preview) {
    preview->Invalidate(FALSE);
    preview->UpdateWindow();
    const CPoint centre = preview->GetSheetRect().CenterPoint();
    HDC dc = ::GetDC(preview->m_hWnd);
    const COLORREF colour = ::GetPixel(dc, centre.x, centre.y);
    ::ReleaseDC(preview->m_hWnd, dc);
    return colour;
  }

  void Click(CPreviewView* preview, UINT id) {
    HWND button = ::GetDlgItem(preview->m_hWnd, static_cast<int>(id));
    ASSERT_NE(nullptr, button);
    ASSERT_TRUE(::IsWindowEnabled(button));
    preview->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  }

  BOOL Key(CPreviewView* preview, UINT key) {
    MSG msg = {preview->m_hWnd, WM_KEYDOWN, key, 0, 0, {0, 0}};
    return CWnd::WalkPreTranslateTree(frame->m_hWnd, &msg);
  }

  CTestUiFrame* frame = nullptr;
  CTestUiView* view = nullptr;
};

TEST_F(PrintPreviewTest, TakesTheViewsPlaceAndGivesTheFrameBackAsItWas) {
  frame->ShowControlBar(&frame->m_sideBar, FALSE, FALSE);
  HMENU menu = ::GetMenu(frame->m_hWnd);
  HACCEL accelerators = frame->m_hAccelTable;
  ASSERT_NE(nullptr, menu);

  CPreviewView* preview = Open(1);
  ASSERT_NE(nullptr, preview);
  EXPECT_EQ(preview->m_hWnd, ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST));
  EXPECT_FALSE(view->IsWindowVisible());
  EXPECT_FALSE(frame->m_toolBar.IsVisible());
  EXPECT_TRUE(frame->m_statusBar.IsVisible());
  EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));
  EXPECT_EQ(nullptr, frame->m_hAccelTable);
  EXPECT_EQ(nullptr, frame->GetActiveView());
  // The preview fills what the view had: the frame's client area between the status bar
  // and the top, now that the toolbar is away.
  CRect client, pane, status;
  frame->GetClientRect(&client);
  preview->GetWindowRect(&pane);
  frame->ScreenToClient(&pane);
  frame->m_statusBar.GetWindowRect(&status);
  frame->ScreenToClient(&status);
  EXPECT_EQ(CRect(client.left, client.top, client.right, status.top), pane);

  EXPECT_EQ(CTestUiView::PageColour(1), SheetCentre(preview));
  // One page: nothing to turn to; fitted: nothing to zoom out of.
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(preview->m_hWnd, AFX_ID_PREVIEW_NEXT)));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(preview->m_hWnd, AFX_ID_PREVIEW_PREV)));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(preview->m_hWnd, AFX_ID_PREVIEW_ZOOMOUT)));

  // A second request while it is shown keeps the one preview.
  view->OnFilePrintPreview();
  EXPECT_EQ(preview, CPreviewView::Find(frame));

  Click(preview, AFX_ID_PREVIEW_CLOSE);
  EXPECT_EQ(nullptr, CPreviewView::Find(frame));
  EXPECT_EQ(view->m_hWnd, ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST));
  EXPECT_TRUE(view->IsWindowVisible());
  EXPECT_EQ(view, frame->GetActiveView());
  EXPECT_EQ(menu, ::GetMenu(frame->m_hWnd));
  EXPECT_EQ(accelerators, frame->m_hAccelTable);
  EXPECT_TRUE(frame->m_toolBar.IsVisible());
  EXPECT_FALSE(frame->m_sideBar.IsVisible());  // hidden before, hidden after
  view->GetWindowRect(&pane);
  frame->ScreenToClient(&pane);
  CRect toolBar;
  frame->m_toolBar.GetWindowRect(&toolBar);
  frame->ScreenToClient(&toolBar);
  EXPECT_EQ(toolBar.bottom, pane.top);
}

TEST_F(PrintPreviewTest, TurnsPagesAndZooms) {
  CPreviewView* preview = Open(3);
  ASSERT_NE(nullptr, preview);
  EXPECT_EQ(1u, preview->GetCurrentPage());
  Click(preview, AFX_ID_PREVIEW_NEXT);
  Click(preview, AFX_ID_PREVIEW_NEXT);
  EXPECT_EQ(3u, preview->GetCurrentPage());
  EXPECT_EQ(CTestUiView::PageColour(3), SheetCentre(preview));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(preview->m_hWnd, AFX_ID_PREVIEW_NEXT)));
  EXPECT_TRUE(Key(preview, VK_PRIOR));
  EXPECT_EQ(2u, preview->GetCurrentPage());
  EXPECT_EQ(CTestUiView::PageColour(2), SheetCentre(preview));

  // Fitted, the sheet lies inside the preview with no scroll bars; zoomed in it is twice
  // as large and scrolls.
  CRect client;
  preview->GetClientRect(&client);
  const CRect fitted = preview->GetSheetRect();
  EXPECT_TRUE(client.PtInRect(fitted.TopLeft()) && client.PtInRect(fitted.BottomRight()));
  EXPECT_FALSE(preview->GetStyle() & WS_VSCROLL);
  Click(preview, AFX_ID_PREVIEW_ZOOMIN);
  EXPECT_EQ(1, preview->GetZoom());
  const CRect zoomed = preview->GetSheetRect();
  EXPECT_NEAR(2 * fitted.Width(), zoomed.Width(), 2);
  EXPECT_NEAR(2 * fitted.Height(), zoomed.Height(), 2);
  EXPECT_TRUE(preview->GetStyle() & WS_VSCROLL);
  EXPECT_EQ(CTestUiView::PageColour(2), SheetCentre(preview));
  const CRect before = preview->GetSheetRect();
  preview->SendMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_LT(preview->GetSheetRect().top, before.top);
  Click(preview, AFX_ID_PREVIEW_ZOOMIN);
  EXPECT_EQ(CPreviewView::kMaxZoom, preview->GetZoom());
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(preview->m_hWnd, AFX_ID_PREVIEW_ZOOMIN)));
  Click(preview, AFX_ID_PREVIEW_ZOOMOUT);
  Click(preview, AFX_ID_PREVIEW_ZOOMOUT);
  EXPECT_EQ(fitted, preview->GetSheetRect());

  EXPECT_TRUE(Key(preview, VK_ESCAPE));
  EXPECT_EQ(nullptr, CPreviewView::Find(frame));
  EXPECT_EQ(view, frame->GetActiveView());
}

TEST_F(PrintPreviewTest, PrintFromThePreviewEndsItAndAsksForThePrinter) {
  CPreviewView* preview = Open(1);
  ASSERT_NE(nullptr, preview);
  ModalCapture printers;
  Click(preview, AFX_ID_PREVIEW_PRINT);
  EXPECT_EQ(nullptr, CPreviewView::Find(frame));
  ASSERT_EQ(1u, printers.calls().size());
  EXPECT_EQ(ModalCall::printDialog, printers.calls()[0].kind);
}

TEST_F(PrintPreviewTest, ClosingTheFrameDuringAPreviewIsClean) {
  ASSERT_NE(nullptr, Open(2));
  frame->DestroyWindow();
  app->m_pMainWnd = nullptr;
}

}  // namespace
