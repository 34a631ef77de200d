#include "editor/panels/PickerToolBar.h"

#include "editor/CreateTool.h"
#include "editor/ZoomTool.h"
#include "framework/ui/FrameWnd.h"
#include "resources/KordelIds.h"

namespace {

// Items the pickers open under: the zoom button, and the right neighbour of the point
// button in the two-column layout (the point picker opens beside the point button).
constexpr int kZoomItem = 3;
constexpr int kPointItem = 7;
constexpr int kPointCreateItem = 14;

CPoint ItemBottomLeft(const CToolBar& bar, int item) {
  CRect r;
  bar.GetItemRect(item, &r);
  return CPoint(r.left, r.bottom);
}

}  // namespace

CPickerToolBar::CPickerToolBar() { SetBorders(2, 2, 2, 2); }

int CPickerToolBar::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CToolBar::OnCreate(lpCreateStruct) == -1) return -1;
  const CPoint zoom = ItemBottomLeft(*this, kZoomItem);
  if (m_zoomPicker.Create(zoom.x, zoom.y, 3, 1, IDB_ZOOM_PICKER, 3, this)) {
    m_zoomPicker.m_bCursorPicker = 1;
    m_zoomPicker.BindSelection(&CZoomTool::s_zoomPickerEntry);
  }
  const CPoint point = ItemBottomLeft(*this, kPointCreateItem);
  if (m_pointPicker.Create(point.x, point.y, 5, 1, IDB_POINT_PICKER, 5, this))
    m_pointPicker.BindSelection(&CCreateTool::s_pointPickerState);
  return 0;
}

void CPickerToolBar::SetColumns(int n) {
  m_nColumns = n;
  if (n <= 0) return;
  const int count = GetToolBarCtrl().GetButtonCount();
  for (int i = 0; i < count; ++i) {
    const UINT style = GetButtonStyle(i);
    SetButtonStyle(i, (i + 1) % n == 0 ? (style | TBBS_WRAPPED) : (style & ~TBBS_WRAPPED));
  }
  Invalidate();
  if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
}

void CPickerToolBar::ShowPicker(CBitmapPopup& picker, int item, int dx) {
  if (!picker.m_hWnd) return;
  CRect bar, box;
  GetWindowRect(&bar);
  GetItemRect(item, &box);
  // Left where it falls, even near the screen's edge.
  picker.SetWindowPos(nullptr, bar.left + box.left + m_cxLeftBorder + dx, bar.top + box.bottom + m_cyTopBorder, 0,
                      0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  picker.SetSelection(-1);
  picker.ShowWindow(SW_SHOW);
  // Losing the focus hides the picker, so it must have it first.
  picker.SetFocus();
}

void CPickerToolBar::ShowZoomPicker() {
  CRect own;
  if (m_zoomPicker.m_hWnd) m_zoomPicker.GetWindowRect(&own);
  ShowPicker(m_zoomPicker, kZoomItem, own.Height() * 3 / 4);
}

void CPickerToolBar::ShowPointPicker() { ShowPicker(m_pointPicker, kPointItem, 0); }
