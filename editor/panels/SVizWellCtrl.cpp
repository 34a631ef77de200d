#include "editor/panels/SVizWellCtrl.h"

#include "framework/core/MessageBox.h"
#include "framework/ui/DC.h"
#include "framework/ui/PaintDC.h"

namespace {

UINT Registered(const char* name) { return ::RegisterWindowMessageA(name); }

}  // namespace

UINT WellSelChangeMessage() {
  static const UINT message = Registered("VORI_WELL_SELCHANGE");
  return message;
}
UINT WellDropDownMessage() {
  static const UINT message = Registered("VORI_WELL_DROPDOWN");
  return message;
}
UINT WellCloseUpMessage() {
  static const UINT message = Registered("VORI_WELL_CLOSEUP");
  return message;
}
UINT WellSelOkMessage() {
  static const UINT message = Registered("VORI_WELL_SELOK");
  return message;
}
UINT WellSelCancelMessage() {
  static const UINT message = Registered("VORI_WELL_SELCANCLE");
  return message;
}

CSVizWellCtrl::CSVizWellCtrl() { CSVizWellCtrl::SetDefaults(); }

void CSVizWellCtrl::SetDefaults() {
  m_skipRelease = 0;
  m_columns = 1;
  m_rows = 1;
  m_margin = ::GetSystemMetrics(SM_CXEDGE);
  m_current = -1;
  m_chosen = -1;
  m_cellWidth = m_cellHeight = 18;
  m_style = 0;
  m_result = 0;
  m_openingValue = 0;
  m_count = 1;
  m_owner = nullptr;
  m_hatchForeground = 0xFF0000FF;
  m_hatchBackground = 0xFF00FF00;
  m_outsideReleases = 0;
  m_font.DeleteObject();
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    m_font.CreateFontIndirect(&metrics.lfMessageFont);
}

BOOL CSVizWellCtrl::Create(int x, int y, CWnd* owner, DWORD style) {
  if (!owner) {
    AfxMessageBox("CSVizWellCtrl::Create");
    return 0;
  }
  m_owner = owner;
  LPCSTR windowClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_CLASSDC | CS_SAVEBITS, nullptr,
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(0, windowClass, "", style, x, y, 100, 100, owner->m_hWnd, nullptr);
}

int CSVizWellCtrl::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CButton::OnCreate(lpCreateStruct) == -1) return -1;
  if (lpCreateStruct->style & WS_POPUP) m_style |= kWellPopup;
  RecalcLayout();
  AddCellTools();
  if (IsPopup()) SetCapture();
  return 0;
}

void CSVizWellCtrl::AddCellTools() {
  if (!m_toolTip.Create(this)) return;
  for (int index = 0; index < m_count; ++index) {
    RECT rect;
    // Each cell is a tool of its own, so that the tip follows the cell under the mouse.
    if (GetCellRect(index, &rect)) m_toolTip.AddTool(this, GetCellTip(index), &rect, index + 1);
  }
}

BOOL CSVizWellCtrl::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTip.m_hWnd) m_toolTip.RelayEvent(pMsg);
  return CButton::PreTranslateMessage(pMsg);
}

CString CSVizWellCtrl::GetCellTip(int) { return "well"; }

int CSVizWellCtrl::IndexOf(int row, int column) const {
  if (row < 0 || column < 0 || row >= m_rows || column >= m_columns) return -1;
  const int index = row * m_columns + column;
  return index >= m_count ? -1 : index;
}

void CSVizWellCtrl::RowColumnOf(int index, int& row, int& column) const {
  row = index / m_columns;
  column = index % m_columns;
}

void CSVizWellCtrl::RecalcLayout() {
  m_rows = m_count / m_columns + (m_count % m_columns ? 1 : 0);
  PlaceWindow(m_cellWidth * m_columns + 2 * m_margin, m_cellHeight * m_rows + 2 * m_margin);
}

void CSVizWellCtrl::PlaceWindow(int width, int height) {
  RECT rect;
  GetWindowRect(&rect);
  if (IsPopup()) {
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    if (rect.right > screenWidth) ::OffsetRect(&rect, screenWidth - rect.right, 0);
    if (rect.left < 0) ::OffsetRect(&rect, -rect.left, 0);
    if (rect.bottom > screenHeight && m_owner) {
      m_owner->GetWindowRect(&m_ownerRect);
      ::OffsetRect(&rect, 0, -(height + m_ownerRect.bottom - m_ownerRect.top));
    }
  } else {
    HWND parent = ::GetParent(m_hWnd);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
  }
  m_windowRect = rect;
  MoveWindow(&rect);
  Invalidate();
}

BOOL CSVizWellCtrl::GetCellRect(int index, RECT* rect) {
  if (index < 0 || index >= m_count) return FALSE;
  int row, column;
  RowColumnOf(index, row, column);
  rect->left = column * m_cellWidth + m_margin;
  rect->top = row * m_cellHeight + m_margin;
  rect->right = rect->left + m_cellWidth;
  rect->bottom = rect->top + m_cellHeight;
  return TRUE;
}

int CSVizWellCtrl::HitTest(POINT point) {
  for (int index = 0; index < m_count; ++index) {
    RECT rect;
    if (GetCellRect(index, &rect) && ::PtInRect(&rect, point)) return index;
  }
  return -1;
}

void CSVizWellCtrl::SetChosen(int value) { m_chosen = value >= 0 && value < m_count ? value : -1; }

void CSVizWellCtrl::SetCurSel(int index) {
  if (m_hWnd) {
    CDC dc(::GetDC(m_hWnd));
    const int old = m_current;
    m_current = -1;
    if (old >= 0) DrawCell(&dc, old);
    m_current = index;
    DrawCell(&dc, index);
    ::ReleaseDC(m_hWnd, dc.Detach());
  } else {
    m_current = index;
  }
  m_result = m_current;
  if (m_owner) m_owner->SendMessage(WellSelChangeMessage(), m_current, ControlId());
}

UINT CSVizWellCtrl::ControlId() const { return m_hWnd ? static_cast<UINT>(::GetDlgCtrlID(m_hWnd)) : 0; }

void CSVizWellCtrl::EndSelection(UINT message) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (message == WellSelCancelMessage()) m_result = m_openingValue;
  if (m_owner) m_owner->SendMessage(message, m_result, ControlId());
  EndWindow();
}

void CSVizWellCtrl::EndWindow() {
  // With kWellAutoDelete this object is gone when DestroyWindow returns.
  if (IsPopup()) DestroyWindow();
}

void CSVizWellCtrl::PostNcDestroy() {
  if (m_style & kWellAutoDelete) delete this;
}

void CSVizWellCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_ESCAPE:
      m_result = m_openingValue;
      EndSelection(WellSelCancelMessage());
      return;
    case VK_RETURN:
    case VK_SPACE:
      EndSelection(WellSelOkMessage());
      return;
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
      SetCurSel(KeyTarget(nChar));
      return;
    default:
      CButton::OnKeyDown(nChar, nRepCnt, nFlags);
  }
}

int CSVizWellCtrl::KeyTarget(UINT key) {
  // No current cell yet: any arrow starts at the first one.
  if (m_current < 0 || m_current >= m_count) return 0;
  const int last = m_count - 1;
  int row, column;
  RowColumnOf(m_current, row, column);
  int next = -1;
  switch (key) {
    case VK_DOWN:
      next = IndexOf(row + 1, column);
      return next < 0 ? 0 : next;
    case VK_UP:
      next = row == 0 ? last : IndexOf(row - 1, column);
      return next < 0 ? last : next;
    case VK_RIGHT:
      next = column + 1 < m_columns ? IndexOf(row, column + 1) : IndexOf(row + 1, 0);
      return next < 0 ? 0 : next;
    default:  // VK_LEFT
      if (m_current == 0) return last;
      next = column > 0 ? IndexOf(row, column - 1) : IndexOf(row - 1, m_columns - 1);
      return next < 0 ? last : next;
  }
}

void CSVizWellCtrl::OnMouseMove(UINT, CPoint point) {
  const int index = HitTest(point);
  if (index != -1 && index != m_current) SetCurSel(index);
}

void CSVizWellCtrl::OnLButtonUp(UINT, CPoint point) {
  if (m_skipRelease) {
    m_skipRelease = 0;
    return;
  }
  POINT where = point;
  if (IsPopup()) {
    ClientToScreen(&where);
  } else {
    where.x += m_windowRect.left;
    where.y += m_windowRect.top;
  }
  if (::PtInRect(&m_windowRect, where)) {
    EndSelection(WellSelOkMessage());
    return;
  }
  if ((m_style & kWellIgnoreFirstOutsideRelease) && ++m_outsideReleases == 1) return;
  EndSelection(WellSelCancelMessage());
}

void CSVizWellCtrl::OnPaint() {
  CPaintDC dc(this);
  DRAWITEMSTRUCT item = {};
  item.hDC = dc;
  item.hwndItem = m_hWnd;
  GetClientRect(&item.rcItem);
  DrawItem(&item);
}

void CSVizWellCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC dc(lpDrawItemStruct->hDC);
  RECT rect = lpDrawItemStruct->rcItem;
  dc.FillSolidRect(&rect, RGB(0, 0, 0));
  ::InflateRect(&rect, -1, -1);
  dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
  for (int index = 0; index < m_count; ++index) DrawCell(&dc, index);
  dc.Detach();
}

void CSVizWellCtrl::DrawCellFrame(CDC* dc, int index, RECT& rect, COLORREF chosenFill3d) {
  const bool current = index == m_current;
  const bool chosen = index == m_chosen;
  if (IsFlat()) {
    dc->FillSolidRect(&rect, RGB(255, 255, 255));
    if (current || chosen) {
      RECT inside = rect;
      dc->FillSolidRect(&inside, RGB(50, 50, 50));
      ::InflateRect(&inside, -1, -1);
      dc->FillSolidRect(&inside, current ? RGB(180, 180, 220) : RGB(200, 200, 240));
    }
  } else {
    dc->FillSolidRect(&rect, chosen && !current ? chosenFill3d : ::GetSysColor(COLOR_BTNFACE));
    if (current) ::DrawEdge(*dc, &rect, BDR_RAISEDINNER, BF_RECT);
    if (chosen) ::DrawEdge(*dc, &rect, BDR_SUNKENOUTER, BF_RECT);
  }
}

void CSVizWellCtrl::DrawCell(CDC* dc, int index) {
  RECT rect;
  if (!GetCellRect(index, &rect)) return;
  DrawCellFrame(dc, index, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  ::InflateRect(&rect, -(m_margin + 1), -(m_margin + 1));
  DrawCellContent(dc, index, rect.left, rect.top, rect.right, rect.bottom);
}
