#include "editor/panels/SizingBar.h"

#include <algorithm>

#include "framework/ui/Dialog.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/HalftoneBrush.h"
#include "framework/ui/WindowDC.h"

CSizingBar::CSizingBar()
    : m_clrHighlight(::GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_clrShadow(::GetSysColor(COLOR_BTNSHADOW)),
      m_sizeMinFloating(::GetSystemMetrics(SM_CXMIN), ::GetSystemMetrics(SM_CYMIN)),
      m_cySmallCaption(::GetSystemMetrics(SM_CYSMCAPTION)) {
  m_brushBackground.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
}

BOOL CSizingBar::Create(CFrameWnd* pParentWnd, CDialog* pDialog, UINT nID, UINT nDialogID, DWORD dwStyle) {
  CString caption;
  if (!caption.LoadString(nID)) return FALSE;
  LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           static_cast<HBRUSH>(m_brushBackground.m_hObject));
  if (!windowClass || !CreateBar(windowClass, 0, dwStyle, WS_CLIPCHILDREN, pParentWnd, nID, caption)) return FALSE;
  m_pDialog = pDialog;
  if (!pDialog || !pDialog->Create(nDialogID, this)) return FALSE;
  CRect dialog;
  pDialog->GetWindowRect(&dialog);
  m_sizeHorz = m_sizeVert = m_sizeFloat = dialog.Size();
  // The docked client area holds the dialog beside the edge and the border.
  m_sizeHorz.cy += kEdgeWidth + kBorder;
  m_sizeVert.cx += kEdgeWidth + kBorder;
  return TRUE;
}

BOOL CSizingBar::IsHorzDocked() const {
  return m_nDockBarID == AFX_IDW_DOCKBAR_TOP || m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
}

// ---------------------------------------------------------------------------------
// Layouts

CSize CSizingBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (IsFloating()) return m_sizeFloat;
  if (bHorz) {
    const int top = m_pDockSite ? m_pDockSite->GetDockAreaRect(AFX_IDW_DOCKBAR_TOP).Width() : 0;
    return CSize(bStretch ? 32767 : top + 4, m_sizeHorz.cy);
  }
  const int left = m_pDockSite ? m_pDockSite->GetDockAreaRect(AFX_IDW_DOCKBAR_LEFT).Height() : 0;
  return CSize(m_sizeVert.cx, bStretch ? 32767 : left + 4);
}

CSize CSizingBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  CDockContext* context = m_pDockContext.get();
  const BOOL floating = IsFloating() && m_hWnd;
  if (floating) {
    // Its small frame may then be sized from the corners too.
    if (CWnd* frame = GetParent()) frame->ModifyStyle(MFS_4THICKFRAME, 0);
  }
  if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) {
    if (m_hWnd)
      SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (m_pDockSite) m_pDockSite->RecalcLayout();
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
  }
  if (nMode & LM_MRUWIDTH) return m_sizeFloat;
  if (nMode & LM_COMMIT) {
    m_sizeFloat.cx = nLength;
    return CSize(nLength, m_sizeFloat.cy);
  }
  if (floating && context) {
    const int hit = context->m_nHitTest;
    if (hit == HTTOPLEFT || hit == HTTOPRIGHT || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
      return TrackFloatingCorner();
  }
  if (nMode & LM_LENGTHY)
    m_sizeFloat.cy = std::max(nLength, static_cast<int>(m_sizeMin.cy));
  else
    m_sizeFloat.cx = std::max(nLength, static_cast<int>(m_sizeMin.cx));
  return m_sizeFloat;
}

CSize CSizingBar::TrackFloatingCorner() {
  CDockContext* context = m_pDockContext.get();
  CWnd* frame = GetParent();
  CRect window;
  frame->GetWindowRect(&window);
  const int hit = context->m_nHitTest;
  const CPoint pt = context->m_ptLast;
  const bool leftMoves = hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
  const bool topMoves = hit == HTTOPLEFT || hit == HTTOPRIGHT;
  const int width = leftMoves ? window.right - pt.x : pt.x - window.left;
  const int height = (topMoves ? window.bottom - pt.y : pt.y - window.top) - m_cySmallCaption;
  m_sizeFloat.cx = std::max(width, static_cast<int>(m_sizeMinFloating.cx)) - (leftMoves ? kBorder : 0);
  m_sizeFloat.cy = std::max(height, static_cast<int>(m_sizeMinFloating.cy)) - (topMoves ? 1 : 0);
  // The frame follows the corner: keep the dragged rectangle in step with it.
  CRect& dragged = context->m_rectFrameDragHorz;
  dragged = window;
  if (leftMoves)
    dragged.left = dragged.right - m_sizeFloat.cx;
  else
    dragged.right = dragged.left + m_sizeFloat.cx;
  if (topMoves)
    dragged.top = dragged.bottom - m_sizeFloat.cy;
  else
    dragged.bottom = dragged.top + m_sizeFloat.cy;
  context->m_rectFrameDragVert = dragged;
  return m_sizeFloat;
}

void CSizingBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  // The panel's own buttons have their handlers in the panel, not on the frame's
  // route: a missing handler there disables nothing.
  if (m_pDialog && m_pDialog->m_hWnd) m_pDialog->UpdateDialogControls(pTarget, FALSE);
}

// ---------------------------------------------------------------------------------
// Non-client area

CSizingBar::NcLayout CSizingBar::CalcNcLayout(UINT nDockSide, CSize window) {
  const int w = window.cx, h = window.cy;
  switch (nDockSide) {
    case AFX_IDW_DOCKBAR_TOP:
      return {CRect(0, h - kEdgeWidth, w, h), CRect(kGripperWidth, kBorder, kBorder, kEdgeWidth), CBRS_BORDER_BOTTOM};
    case AFX_IDW_DOCKBAR_LEFT:
      return {CRect(w - kEdgeWidth, 0, w, h), CRect(kBorder, kGripperWidth, kEdgeWidth, kBorder), CBRS_BORDER_RIGHT};
    case AFX_IDW_DOCKBAR_RIGHT:
      return {CRect(0, 0, kEdgeWidth, h), CRect(kEdgeWidth, kGripperWidth, kBorder, kBorder), CBRS_BORDER_LEFT};
    case AFX_IDW_DOCKBAR_BOTTOM:
      return {CRect(0, 0, w, kEdgeWidth), CRect(kGripperWidth, kEdgeWidth, kBorder, kBorder), CBRS_BORDER_TOP};
    default: return {CRect(), CRect(), 0};
  }
}

void CSizingBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  RECT& rect = lpncsp->rgrc[0];
  const NcLayout layout = CalcNcLayout(m_nDockBarID, CSize(rect.right - rect.left, rect.bottom - rect.top));
  m_rectEdge = layout.edge;
  if (IsDocked()) m_dwStyle = (m_dwStyle | CBRS_BORDER_ANY) & ~layout.clearedBorder;
  rect.left += layout.insets.left;
  rect.top += layout.insets.top;
  rect.right = std::max(rect.left, rect.right - layout.insets.right);
  rect.bottom = std::max(rect.top, rect.bottom - layout.insets.bottom);
}

void CSizingBar::PlaceGripper() {
  CRect window;
  GetWindowRect(&window);
  const int w = window.Width(), h = window.Height();
  if (IsHorzDocked()) {
    m_rectGripper.SetRect(0, 40, kGripperWidth, h);
    m_rectClose.SetRect(7, 10, 19, 22);
  } else {
    m_rectGripper.SetRect(0, 0, w - 40, kGripperWidth);
    m_rectClose.SetRect(w - 16, 7, w - 5, 18);
  }
}

void CSizingBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  CRect client;
  GetClientRect(&client);
  const CPoint origin = ClientToWindow(CPoint(0, 0));
  client.OffsetRect(origin.x, origin.y);

  dc.SaveDC();
  dc.ExcludeClipRect(&client);
  dc.FillSolidRect(&window, ::GetSysColor(COLOR_BTNFACE));
  if (!m_rectEdge.IsRectEmpty())
    dc.Draw3dRect(m_rectEdge.left, m_rectEdge.top, m_rectEdge.Width(), m_rectEdge.Height(), m_clrHighlight, m_clrShadow);
  if (IsDocked()) {
    PlaceGripper();
    ::DrawFrameControl(dc.m_hDC, &m_rectClose, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    if (IsHorzDocked()) {
      dc.Draw3dRect(10, 28, 3, window.Height() - 38, m_clrHighlight, m_clrShadow);
      dc.Draw3dRect(14, 28, 3, window.Height() - 38, m_clrHighlight, m_clrShadow);
    } else {
      dc.Draw3dRect(10, 10, window.Width() - 30, 3, m_clrHighlight, m_clrShadow);
      dc.Draw3dRect(10, 14, window.Width() - 30, 3, m_clrHighlight, m_clrShadow);
    }
  }
  dc.RestoreDC(-1);
  Invalidate(TRUE);
}

CPoint CSizingBar::ClientToWindow(CPoint point) const {
  CRect window;
  GetWindowRect(&window);
  CPoint origin(0, 0);
  ::ClientToScreen(m_hWnd, &origin);
  return CPoint(point.x + origin.x - window.left, point.y + origin.y - window.top);
}

LRESULT CSizingBar::OnNcHitTest(CPoint point) {
  if (IsDocked()) {
    CRect window;
    GetWindowRect(&window);
    const CPoint at(point.x - window.left, point.y - window.top);
    PlaceGripper();
    if (m_rectClose.PtInRect(at)) return HTSYSMENU;
    if (m_rectGripper.PtInRect(at)) return HTCAPTION;
    if (m_rectEdge.PtInRect(at)) return HTGROWBOX;
  }
  return CControlBar::OnNcHitTest(point);
}

void CSizingBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (m_bTracking) return;
  if (IsDocked()) {
    switch (nHitTest) {
      case HTSYSMENU:
        if (m_pDockSite) m_pDockSite->ShowControlBar(this, FALSE, FALSE);
        return;
      case HTCAPTION:
        if (m_pDockContext) m_pDockContext->StartDrag(point);
        return;
      case HTGROWBOX: StartTracking(); return;
      default: break;
    }
  }
  CWnd::OnNcLButtonDown(nHitTest, point);
}

void CSizingBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (IsDocked() && nHitTest == HTCAPTION && m_pDockContext) {
    m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CSizingBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (IsDocked() && m_pDockContext && !m_bTracking) {
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
    return;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CSizingBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (IsDocked() && m_pDockContext) {
    m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnLButtonDblClk(nFlags, point);
}

BOOL CSizingBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTGROWBOX && !m_bTracking) {
    ::SetCursor(::LoadCursorA(nullptr, IsHorzDocked() ? IDC_SIZENS : IDC_SIZEWE));
    return TRUE;
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---------------------------------------------------------------------------------
// Dragging the edge

int CSizingBar::TrackedThickness(UINT nDockSide, int current, int delta, int minimum, int maximum) {
  const bool grows = nDockSide == AFX_IDW_DOCKBAR_TOP || nDockSide == AFX_IDW_DOCKBAR_LEFT;
  const int thickness = grows ? current + delta : current - delta;
  return std::min(std::max(thickness, minimum), maximum);
}

void CSizingBar::StartTracking() {
  SetCapture();
  RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (m_pDockSite) m_pDockSite->LockWindowUpdate();
  m_bTracking = TRUE;
  m_rectTracker = m_rectEdge;
  m_ptDragStart = m_rectEdge.CenterPoint();
  if (!IsHorzDocked()) m_rectTracker.bottom -= 4;
  InvertTracker();
}

void CSizingBar::InvertTracker() {
  if (!m_pDockSite) return;
  CRect bar, frame;
  GetWindowRect(&bar);
  m_pDockSite->GetWindowRect(&frame);
  CRect rect = m_rectTracker;
  rect.OffsetRect(bar.left - frame.left, bar.top - frame.top);
  rect.DeflateRect(1, 1);
  CWindowDC dc(m_pDockSite, TRUE);
  AfxInvertHalftone(&dc, rect);
}

void CSizingBar::MoveTracker(CPoint windowPoint) {
  const CPoint centre = m_rectTracker.CenterPoint();
  const int delta = IsHorzDocked() ? windowPoint.y - centre.y : windowPoint.x - centre.x;
  if (delta == 0) return;
  InvertTracker();
  if (IsHorzDocked())
    m_rectTracker.OffsetRect(0, delta);
  else
    m_rectTracker.OffsetRect(delta, 0);
  InvertTracker();
}

void CSizingBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bTracking && IsDocked())
    MoveTracker(ClientToWindow(point));
  else
    CWnd::OnMouseMove(nFlags, point);
}

void CSizingBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!m_bTracking) {
    CWnd::OnLButtonUp(nFlags, point);
    return;
  }
  MoveTracker(ClientToWindow(point));
  StopTracking(TRUE);
}

void CSizingBar::OnCaptureChanged(CWnd* pWnd) {
  if (m_bTracking && (!pWnd || pWnd->m_hWnd != m_hWnd)) StopTracking(FALSE);
  CWnd::OnCaptureChanged(pWnd);
}

void CSizingBar::StopTracking(BOOL bAccept) {
  InvertTracker();
  CWnd::UnlockWindowUpdate();
  m_bTracking = FALSE;  // before the release, whose capture change comes back here
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (!bAccept || !m_pDockSite) return;

  CRect frame;
  m_pDockSite->GetWindowRect(&frame);
  const CPoint centre = m_rectTracker.CenterPoint();
  if (IsHorzDocked()) {
    const int current = m_sizeHorz.cy;
    m_sizeHorz.cy = TrackedThickness(m_nDockBarID, current, centre.y - m_ptDragStart.y, m_sizeMin.cy,
                                     frame.Height() + current);
  } else {
    const int current = m_sizeVert.cx;
    m_sizeVert.cx = TrackedThickness(m_nDockBarID, current, centre.x - m_ptDragStart.x, m_sizeMin.cx,
                                     frame.Width() + current);
  }
  m_pDockSite->RecalcLayout();
}

// ---------------------------------------------------------------------------------
// The panel follows the bar

void CSizingBar::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CControlBar::OnWindowPosChanged(lpwndpos);
  if (!m_hWnd || !m_pDialog || !m_pDialog->m_hWnd) return;
  if (m_bInRecalcNC) {
    CRect client;
    GetClientRect(&client);
    m_pDialog->MoveWindow(&client);
    m_pDialog->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return;
  }
  CRect window;
  GetWindowRect(&window);
  if (m_nDockBarID != m_nDockSide || window.Size() != m_sizeLast ||
      (m_dwStyle & CBRS_BORDER_ANY) == CBRS_BORDER_ANY) {
    m_nDockSide = m_nDockBarID;
    m_sizeLast = window.Size();
    m_bInRecalcNC = TRUE;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bInRecalcNC = FALSE;
  }
}
