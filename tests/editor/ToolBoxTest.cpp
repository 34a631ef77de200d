// The tool box: its two-column layout and the pickers that open under its zoom and point
// buttons and feed those tools.
#include <gtest/gtest.h>

#include "editor/CreateTool.h"
#include "editor/DrawTool.h"
#include "editor/ZoomTool.h"
#include "editor/panels/BitmapPopup.h"
#include "editor/panels/PickerToolBar.h"
#include "framework/core/Module.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/Printers.h"

namespace {

void Mouse(CWnd& wnd, UINT message, int x, int y) {
  wnd.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

class ToolBoxTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    frame = NewPage();
    ASSERT_TRUE(frame);
    CZoomTool::s_zoomPickerEntry = 0;
    CCreateTool::s_pointPickerState = 0;
  }
  void TearDown() override {
    CZoomTool::s_zoomPickerEntry = 0;
    CCreateTool::s_pointPickerState = 0;
    EditorTest::TearDown();
  }
  CPickerToolBar& Box() { return frame->m_wndToolBox; }
  CMainFrame* frame = nullptr;
};

// Which 0-based buttons end their row.
std::vector<int> Wrapped(CToolBar& bar) {
  std::vector<int> wrapped;
  for (int i = 0; i < bar.GetToolBarCtrl().GetButtonCount(); ++i)
    if (bar.GetButtonStyle(i) & TBBS_WRAPPED) wrapped.push_back(i);
  return wrapped;
}

}  // namespace

TEST_F(ToolBoxTest, StandsOnTheLeftInTwoColumns) {
  CPickerToolBar& box = Box();
  EXPECT_EQ(box.GetDockBarID(), static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(ImageList_GetImageCount(box.GetToolBarCtrl().GetImageList()), 18);
  EXPECT_EQ(Wrapped(box), (std::vector<int>{1, 3, 5, 7, 9, 11, 13, 15, 17}));
  CRect first, second, third;
  box.GetItemRect(0, &first);
  box.GetItemRect(1, &second);
  box.GetItemRect(2, &third);
  EXPECT_EQ(first.top, second.top);
  EXPECT_GT(second.left, first.left);
  EXPECT_EQ(third.left, first.left);
  EXPECT_GT(third.top, first.top);
  CRect window;
  box.GetWindowRect(&window);
  EXPECT_LT(window.Width(), 3 * first.Width()) << "two buttons wide";

  // Separators count as positions.
  box.SetColumns(3);
  EXPECT_EQ(Wrapped(box), (std::vector<int>{2, 5, 8, 11, 14, 17}));
  CPickerToolBar other;
  ASSERT_TRUE(other.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP | CBRS_SIZE_FIXED, CRect(0, 0, 0, 0), 9001));
  const UINT ids[] = {ID_TOOL_SELECT, ID_TOOL_CROP, ID_SEPARATOR, ID_TOOL_ZOOM, ID_TOOL_POINT};
  ASSERT_TRUE(other.SetButtons(ids, 5));
  other.SetColumns(2);
  EXPECT_EQ(Wrapped(other), (std::vector<int>{1, 3}));
  EXPECT_EQ(other.GetColumns(), 2);
  other.DestroyWindow();
}

TEST_F(ToolBoxTest, PickerCellsAndHitTests) {
  CBitmapPopup& zoom = Box().m_zoomPicker;
  ASSERT_TRUE(zoom.m_hWnd);
  EXPECT_EQ(zoom.m_nCellWidth, 16);
  EXPECT_EQ(zoom.m_nCellHeight, 16);
  EXPECT_EQ(zoom.m_nCount, 3);
  EXPECT_EQ(zoom.CellRect(0), CRect(2, 2, 26, 26));
  EXPECT_EQ(zoom.CellRect(2), CRect(54, 2, 78, 26));
  const struct {
    int x, y, cell;
  } rows[] = {
      {2, 2, 0},   {25, 25, 0}, {26, 26, 0},  // a box's own edges
      {27, 10, 1},                            // the gap belongs to the next box
      {53, 10, 2}, {77, 20, 2},
      {79, 10, -1}, {10, 27, -1},             // the margin after the last box
      {-1, 10, -1}, {80, 10, -1}, {10, 28, -1}, {10, -3, -1},  // outside the window
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.x << "," << row.y);
    EXPECT_EQ(zoom.HitTest(row.x, row.y), row.cell);
  }

  // The window holds every box: the point picker's fifth box is not cut.
  CBitmapPopup& point = Box().m_pointPicker;
  ASSERT_TRUE(point.m_hWnd);
  CRect client;
  point.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 5 * 26 + 2);
  EXPECT_EQ(client.Height(), 26 + 2);
  EXPECT_LE(point.CellRect(4).right, client.right - 2);
  EXPECT_EQ(point.HitTest(128, 10), 4);

  // A grid with more places than cells: the places past the count are none.
  CBitmapPopup grid;
  ASSERT_TRUE(grid.Create(0, 0, 2, 2, IDB_ZOOM_PICKER, 3, frame));
  EXPECT_FALSE(grid.Create(0, 0, 2, 2, IDB_ZOOM_PICKER, 3, frame)) << "made once";
  EXPECT_EQ(grid.HitTest(10, 40), 2);
  EXPECT_EQ(grid.HitTest(40, 40), -1);
  grid.DestroyWindow();
}

TEST_F(ToolBoxTest, ZoomPickerChoosesOnReleaseAndSetsTheCursor) {
  CBitmapPopup& zoom = Box().m_zoomPicker;
  frame->SendMessage(WM_COMMAND, ID_TOOL_ZOOM);
  ASSERT_TRUE(zoom.IsWindowVisible()) << "the zoom command opens the picker";
  EXPECT_EQ(CDrawView::s_nCurrentShape, kToolZoom);
  EXPECT_EQ(zoom.GetSelection(), -1);
  EXPECT_EQ(CZoomTool::s_zoomPickerEntry, -1) << "no choice yet";
  // It opens under the zoom button, three quarters of its height to the right.
  CRect bar, item, placed;
  Box().GetWindowRect(&bar);
  Box().GetItemRect(3, &item);
  zoom.GetWindowRect(&placed);
  EXPECT_EQ(placed.left, bar.left + item.left + Box().m_cxLeftBorder + placed.Height() * 3 / 4);
  EXPECT_EQ(placed.top, bar.top + item.bottom + Box().m_cyTopBorder);

  Mouse(zoom, WM_MOUSEMOVE, 40, 10);
  EXPECT_EQ(zoom.GetSelection(), 1);
  Mouse(zoom, WM_MOUSEMOVE, 40, 27);  // below the boxes: the selection stays
  Mouse(zoom, WM_LBUTTONUP, 40, 27);
  EXPECT_FALSE(zoom.IsWindowVisible());
  EXPECT_EQ(zoom.GetSelection(), 1);
  EXPECT_EQ(CZoomTool::s_zoomPickerEntry, 1);
  EXPECT_EQ(::GetCursor(), ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZOOM_OUT_CURSOR)));
}

TEST_F(ToolBoxTest, PointPickerFeedsThePointToolAndHidesWithoutFocus) {
  CBitmapPopup& point = Box().m_pointPicker;
  frame->SendMessage(WM_COMMAND, ID_TOOL_POINT);
  ASSERT_TRUE(point.IsWindowVisible());
  EXPECT_EQ(CDrawView::s_nCurrentShape, kToolPoint);
  CRect bar, item, placed;
  Box().GetWindowRect(&bar);
  Box().GetItemRect(7, &item);
  point.GetWindowRect(&placed);
  EXPECT_EQ(placed.left, bar.left + item.left + Box().m_cxLeftBorder);

  const HCURSOR before = ::GetCursor();
  Mouse(point, WM_MOUSEMOVE, 3 * 26 + 10, 10);
  Mouse(point, WM_LBUTTONUP, 3 * 26 + 10, 10);
  EXPECT_FALSE(point.IsWindowVisible());
  EXPECT_EQ(CCreateTool::s_pointPickerState, 3);
  EXPECT_EQ(::GetCursor(), before) << "only the zoom picker sets the cursor";

  // Opened again and left without a choice: it hides when it loses the focus.
  frame->SendMessage(WM_COMMAND, ID_TOOL_POINT);
  ASSERT_TRUE(point.IsWindowVisible());
  EXPECT_EQ(CCreateTool::s_pointPickerState, -1);
  View()->SetFocus();
  EXPECT_FALSE(point.IsWindowVisible());
}
