// The resizable docking bars of the editor's frame: their non-client layout, the drag
// of their sizing edge, closing, floating and docking again.
#include <gtest/gtest.h>

#include "editor/panels/SizingBar.h"
#include "framework/ui/MiniDockFrameWnd.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/Printers.h"

namespace {

const char* SideName(UINT side) {
  switch (side) {
    case AFX_IDW_DOCKBAR_TOP: return "top";
    case AFX_IDW_DOCKBAR_LEFT: return "left";
    case AFX_IDW_DOCKBAR_RIGHT: return "right";
    case AFX_IDW_DOCKBAR_BOTTOM: return "bottom";
    default: return "floating";
  }
}

CRect WindowRect(HWND hWnd) {
  CRect r;
  ::GetWindowRect(hWnd, &r);
  return r;
}

CRect ClientOnScreen(HWND hWnd) {
  CRect r;
  ::GetClientRect(hWnd, &r);
  ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<LPPOINT>(&r), 2);
  return r;
}

LPARAM ScreenParam(POINT p) { return MAKELPARAM(p.x, p.y); }

// A screen point as the bar's client coordinates, as mouse messages carry them.
LPARAM ClientParam(HWND hWnd, POINT screen) {
  ::ScreenToClient(hWnd, &screen);
  return MAKELPARAM(screen.x, screen.y);
}

}  // namespace

TEST(SizingBarLayout, NonClientAreaPerDockSide) {
  const CSize window(100, 200);
  const struct {
    UINT side;
    CRect edge, insets;
    DWORD cleared;
  } rows[] = {
      {AFX_IDW_DOCKBAR_TOP, CRect(0, 194, 100, 200), CRect(20, 3, 3, 6), CBRS_BORDER_BOTTOM},
      {AFX_IDW_DOCKBAR_LEFT, CRect(94, 0, 100, 200), CRect(3, 20, 6, 3), CBRS_BORDER_RIGHT},
      {AFX_IDW_DOCKBAR_RIGHT, CRect(0, 0, 6, 200), CRect(6, 20, 3, 3), CBRS_BORDER_LEFT},
      {AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 100, 6), CRect(20, 6, 3, 3), CBRS_BORDER_TOP},
      {AFX_IDW_DOCKBAR_FLOAT, CRect(), CRect(), 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(SideName(row.side));
    const CSizingBar::NcLayout layout = CSizingBar::CalcNcLayout(row.side, window);
    EXPECT_EQ(layout.edge, row.edge);
    EXPECT_EQ(layout.insets, row.insets);
    EXPECT_EQ(layout.clearedBorder, row.cleared);
  }
}

TEST(SizingBarLayout, EdgeDragOutcome) {
  const struct {
    const char* what;
    UINT side;
    int delta, expected;
  } rows[] = {
      {"left bar dragged right", AFX_IDW_DOCKBAR_LEFT, 50, 250},
      {"left bar dragged far left", AFX_IDW_DOCKBAR_LEFT, -500, 32},
      {"top bar dragged down", AFX_IDW_DOCKBAR_TOP, 20, 220},
      {"bottom bar dragged up", AFX_IDW_DOCKBAR_BOTTOM, -30, 230},
      {"right bar dragged left", AFX_IDW_DOCKBAR_RIGHT, -40, 240},
      {"right bar dragged beyond the frame", AFX_IDW_DOCKBAR_RIGHT, -5000, 1200},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CSizingBar::TrackedThickness(row.side, 200, row.delta, 32, 1200), row.expected);
  }
}

TEST(SizingBarLayout, LayoutsPerModeFlag) {
  CSizingBar bar;  // docked nowhere, no window: the sizes alone answer
  bar.m_sizeHorz = CSize(300, 90);
  bar.m_sizeVert = CSize(150, 400);
  bar.m_sizeFloat = CSize(120, 80);
  EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE), CSize(32767, 90));
  EXPECT_EQ(bar.CalcFixedLayout(TRUE, FALSE), CSize(150, 32767));
  EXPECT_EQ(bar.CalcFixedLayout(FALSE, FALSE), CSize(150, 4));  // the left area's height + 4
  EXPECT_EQ(bar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK | LM_STRETCH), CSize(32767, 90));
  EXPECT_EQ(bar.CalcDynamicLayout(-1, LM_VERTDOCK | LM_STRETCH), CSize(150, 32767));
  EXPECT_EQ(bar.CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH), CSize(120, 80));

  const struct {
    int length;
    DWORD mode;
    CSize expected;
  } rows[] = {
      {300, LM_HORZ | LM_COMMIT, CSize(300, 80)},
      {10, LM_HORZ | LM_LENGTHY, CSize(300, 32)},  // not below the least height
      {90, LM_HORZ | LM_LENGTHY, CSize(300, 90)},
      {10, LM_HORZ, CSize(32, 90)},
      {210, LM_HORZ, CSize(210, 90)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.mode);
    EXPECT_EQ(bar.CalcDynamicLayout(row.length, row.mode), row.expected);
    EXPECT_EQ(bar.m_sizeFloat, row.expected);
  }
}

TEST(SizingBarLayout, DropPointsChooseTheNearestAllowedEdge) {
  const CRect client(100, 100, 900, 700);
  const struct {
    POINT pt;
    DWORD allowed;
    UINT expected;
  } rows[] = {
      {{110, 400}, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_LEFT},
      {{890, 400}, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_RIGHT},
      {{500, 95}, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP},  // just outside counts too
      {{500, 690}, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_BOTTOM},
      {{500, 400}, CBRS_ALIGN_ANY, 0},                     // the middle floats
      {{110, 400}, CBRS_ALIGN_TOP | CBRS_ALIGN_RIGHT, 0},  // not allowed there
      {{50, 400}, CBRS_ALIGN_ANY, 0},                      // beyond the zone
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.pt.x << "," << row.pt.y);
    EXPECT_EQ(CDockContext::DockAreaAt(client, row.pt, row.allowed), row.expected);
  }
}

// ---------------------------------------------------------------------------------
// In the editor's frame

class SizingBarTest : public EditorTest {
 protected:
  // The property bar, shown (docked at the right as the frame starts it).
  CSizingBar& ShownPropertyBar() {
    CMainFrame* frame = NewPage();
    frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_BAR);
    Pump();
    return frame->m_wndPropertyBar;
  }
  LRESULT HitTest(CSizingBar& bar, POINT windowPoint) {
    const CRect w = WindowRect(bar);
    return bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.left + windowPoint.x, w.top + windowPoint.y));
  }
  // The panel fills the bar's client area.
  void ExpectPanelFills(CSizingBar& bar) {
    EXPECT_EQ(WindowRect(bar.m_pDialog->m_hWnd), ClientOnScreen(bar));
  }
};

TEST_F(SizingBarTest, StartsWithThePanelsDocked) {
  CMainFrame* frame = NewPage();
  CSizingBar& programme = frame->m_wndProgrammeBar;
  ASSERT_TRUE(programme.IsVisible());
  CString caption;
  programme.GetWindowText(caption);
  EXPECT_EQ(caption, "节目区");
  EXPECT_EQ(programme.GetBarStyle() & (CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC),
            CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  // At the bottom across the frame, the edge facing the view.
  CRect client = ClientOnScreen(*frame);
  const CRect bar = WindowRect(programme);
  EXPECT_EQ(bar.left, client.left);
  EXPECT_EQ(bar.right, client.right);
  EXPECT_EQ(bar.Height(), programme.m_sizeHorz.cy);
  EXPECT_EQ(programme.m_rectEdge, CRect(0, 0, bar.Width(), 6));
  EXPECT_EQ(programme.GetBarStyle() & CBRS_BORDER_ANY, CBRS_BORDER_ANY & ~CBRS_BORDER_TOP);
  ExpectPanelFills(programme);
  EXPECT_EQ(WindowRect(frame->GetDrawView()->m_hWnd).bottom, bar.top);
}

TEST_F(SizingBarTest, HitTestsAndTheCloseButton) {
  CSizingBar& bar = ShownPropertyBar();
  ASSERT_TRUE(bar.IsVisible());
  const int w = WindowRect(bar).Width();
  EXPECT_EQ(HitTest(bar, {w - 10, 12}), HTSYSMENU);
  EXPECT_EQ(HitTest(bar, {30, 10}), HTCAPTION);
  EXPECT_EQ(HitTest(bar, {3, 200}), HTGROWBOX);
  EXPECT_EQ(HitTest(bar, {60, 200}), HTCLIENT);

  const CRect window = WindowRect(bar);
  bar.SendMessage(WM_NCLBUTTONDOWN, HTSYSMENU, ScreenParam({window.right - 10, window.top + 12}));
  EXPECT_FALSE(bar.IsVisible());
  Frame()->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_BAR);
  EXPECT_TRUE(bar.IsVisible());
}

TEST_F(SizingBarTest, EdgeDragResizesTheBarAndItsPanel) {
  CMainFrame* frame = NewPage();
  frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_BAR);
  const struct {
    CSizingBar* bar;
    CSize move;
    int wider, taller;
  } rows[] = {
      {&frame->m_wndPropertyBar, CSize(-50, 0), 50, 0},
      {&frame->m_wndProgrammeBar, CSize(0, -30), 0, 30},
  };
  for (const auto& row : rows) {
    CSizingBar& bar = *row.bar;
    SCOPED_TRACE(SideName(bar.GetDockSide()));
    const CRect before = WindowRect(bar);
    CPoint edge = bar.m_rectEdge.CenterPoint();
    edge.Offset(before.left, before.top);
    bar.SendMessage(WM_NCLBUTTONDOWN, HTGROWBOX, ScreenParam(edge));
    ASSERT_EQ(::GetCapture(), bar.m_hWnd);
    CPoint to = edge + row.move;
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientParam(bar, edge + CSize(row.move.cx / 2, row.move.cy / 2)));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientParam(bar, to));
    bar.SendMessage(WM_LBUTTONUP, 0, ClientParam(bar, to));
    EXPECT_NE(::GetCapture(), bar.m_hWnd);
    const CRect after = WindowRect(bar);
    EXPECT_EQ(after.Width(), before.Width() + row.wider);
    EXPECT_EQ(after.Height(), before.Height() + row.taller);
    ExpectPanelFills(bar);
  }

  // A lost capture leaves the size as it was.
  CSizingBar& bar = frame->m_wndPropertyBar;
  const CRect before = WindowRect(bar);
  CPoint edge = bar.m_rectEdge.CenterPoint();
  edge.Offset(before.left, before.top);
  bar.SendMessage(WM_NCLBUTTONDOWN, HTGROWBOX, ScreenParam(edge));
  bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientParam(bar, edge + CSize(-80, 0)));
  ::SetCapture(frame->GetDrawView()->m_hWnd);
  ::ReleaseCapture();
  EXPECT_FALSE(bar.m_bTracking);
  EXPECT_EQ(WindowRect(bar), before);
}

TEST_F(SizingBarTest, DoubleClicksFloatAndDockTheBar) {
  CSizingBar& bar = ShownPropertyBar();
  const CRect window = WindowRect(bar);
  bar.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenParam({window.left + 30, window.top + 10}));
  ASSERT_TRUE(bar.IsFloating());
  HWND floating = ::GetParent(bar);
  ASSERT_NE(floating, Frame()->m_hWnd);
  EXPECT_TRUE(::IsWindowVisible(floating));
  EXPECT_EQ(::GetWindow(floating, GW_OWNER), Frame()->m_hWnd);
  EXPECT_TRUE(::GetWindowLongA(floating, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  // Floating, the bar has no gripper or edge: the panel fills it.
  EXPECT_TRUE(bar.m_rectEdge.IsRectEmpty());
  EXPECT_EQ(WindowRect(bar).Size(), bar.m_sizeFloat);
  ExpectPanelFills(bar);
  // The view took the room the bar left.
  EXPECT_EQ(WindowRect(Frame()->GetDrawView()->m_hWnd).right, ClientOnScreen(*Frame()).right);

  const CRect frame = WindowRect(floating);
  ::SendMessageA(floating, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenParam({frame.left + 20, frame.top + 5}));
  EXPECT_FALSE(bar.IsFloating());
  EXPECT_EQ(bar.GetDockSide(), static_cast<UINT>(AFX_IDW_DOCKBAR_RIGHT));
  EXPECT_EQ(::GetParent(bar), Frame()->m_hWnd);
  EXPECT_FALSE(::IsWindow(floating));
  EXPECT_EQ(WindowRect(bar), window);
  ExpectPanelFills(bar);
}

TEST_F(SizingBarTest, DraggingTheGripperDocksOrFloats) {
  CSizingBar& bar = ShownPropertyBar();
  const struct {
    const char* where;
    int x;  // in the frame's client area, 0..1000
    UINT expected;
  } rows[] = {{"left edge", 5, AFX_IDW_DOCKBAR_LEFT}, {"middle", 450, AFX_IDW_DOCKBAR_FLOAT}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.where);
    const CRect client = ClientOnScreen(*Frame());
    const CRect window = WindowRect(bar);
    const CPoint grip(window.left + 30, window.top + 10);
    const CPoint drop(client.left + row.x, client.top + 300);
    // The drag runs its own loop: the moves wait in the queue for it.
    bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientParam(bar, drop));
    bar.PostMessage(WM_LBUTTONUP, 0, ClientParam(bar, drop));
    bar.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, ScreenParam(grip));
    EXPECT_EQ(bar.GetDockSide(), row.expected);
    EXPECT_NE(::GetCapture(), bar.m_hWnd);
    ExpectPanelFills(bar);
  }
}

TEST_F(SizingBarTest, FloatingCornersStopAtTheSmallestFrame) {
  CSizingBar& bar = ShownPropertyBar();
  bar.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenParam(WindowRect(bar).TopLeft() + CSize(30, 10)));
  ASSERT_TRUE(bar.IsFloating());
  HWND floating = ::GetParent(bar);
  EXPECT_FALSE(::GetWindowLongA(floating, GWL_STYLE) & MFS_4THICKFRAME);  // the corners size it

  const int caption = ::GetSystemMetrics(SM_CYSMCAPTION);
  const CRect start = WindowRect(floating);
  const struct {
    CPoint to;
    CSize expected;
  } rows[] = {
      {start.TopLeft() + CSize(300, 250), CSize(300, 250 - caption)},
      {start.TopLeft() - CSize(400, 400), CSize(::GetSystemMetrics(SM_CXMIN), ::GetSystemMetrics(SM_CYMIN))},
  };
  for (const auto& row : rows) {
    const CRect now = WindowRect(floating);
    ::SendMessageA(floating, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, ScreenParam({now.right - 1, now.bottom - 1}));
    ASSERT_EQ(::GetCapture(), floating);
    ::SendMessageA(floating, WM_MOUSEMOVE, MK_LBUTTON, ClientParam(floating, row.to));
    ::SendMessageA(floating, WM_LBUTTONUP, 0, ClientParam(floating, row.to));
    EXPECT_NE(::GetCapture(), floating);
    EXPECT_EQ(bar.m_sizeFloat, row.expected);
    EXPECT_EQ(WindowRect(bar).Size(), row.expected);
    EXPECT_EQ(WindowRect(floating).TopLeft(), start.TopLeft());  // the opposite corner stays
    ExpectPanelFills(bar);
  }
}

TEST_F(SizingBarTest, FullScreenHidesAndRestoresAFloatingBar) {
  CSizingBar& bar = ShownPropertyBar();
  bar.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenParam(WindowRect(bar).TopLeft() + CSize(30, 10)));
  ASSERT_TRUE(bar.IsFloating());
  HWND floating = ::GetParent(bar);
  Frame()->SendMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN);
  EXPECT_FALSE(bar.IsVisible());
  EXPECT_FALSE(::IsWindowVisible(floating));
  Frame()->SendMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN);
  EXPECT_TRUE(bar.IsVisible());
  EXPECT_TRUE(bar.IsFloating());
  EXPECT_TRUE(::IsWindowVisible(floating));
  // Its command hides it, frame and all, and shows it again.
  Frame()->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_BAR);
  EXPECT_FALSE(::IsWindowVisible(floating));
  Frame()->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_BAR);
  EXPECT_TRUE(::IsWindowVisible(floating));
}
