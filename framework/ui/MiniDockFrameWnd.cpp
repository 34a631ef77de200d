#include "framework/ui/MiniDockFrameWnd.h"

#include "framework/ui/ControlBar.h"
#include "framework/ui/DockContext.h"
#include "framework/ui/FrameWnd.h"

namespace {

constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | MFS_4THICKFRAME;
constexpr DWORD kFrameExStyle = WS_EX_TOOLWINDOW;

bool IsCorner(int hit) { return hit == HTTOPLEFT || hit == HTTOPRIGHT || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT; }
bool MovesLeft(int hit) { return hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT; }
bool MovesTop(int hit) { return hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT; }

}  // namespace

BOOL CMiniDockFrameWnd::Create(CFrameWnd* pDockSite, CPoint topLeft) {
  CString caption;
  m_pBar->GetWindowText(caption);
  LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(kFrameExStyle, windowClass, caption, kFrameStyle, topLeft.x, topLeft.y, 0, 0,
                  pDockSite->m_hWnd, nullptr);
}

CSize CMiniDockFrameWnd::FrameSize(CSize barSize) const {
  CRect rect(0, 0, barSize.cx, barSize.cy);
  ::AdjustWindowRectEx(&rect, GetStyle() & ~MFS_4THICKFRAME, FALSE, GetExStyle());
  return CSize(rect.Width(), rect.Height());
}

void CMiniDockFrameWnd::RecalcLayout() {
  const CSize bar = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
  const CSize frame = FrameSize(bar);
  SetWindowPos(nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CRect client;
  GetClientRect(&client);
  m_pBar->SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (m_pBar->m_hWnd && ::GetParent(m_pBar->m_hWnd) == m_hWnd)
    m_pBar->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CMiniDockFrameWnd::OnNcHitTest(CPoint point) {
  const LRESULT hit = CWnd::OnNcHitTest(point);
  if (!(GetStyle() & MFS_4THICKFRAME) || !IsCorner(static_cast<int>(hit))) return hit;
  // Corners size nothing: they count as the side they lie on.
  return MovesLeft(static_cast<int>(hit)) ? HTLEFT : HTRIGHT;
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  CDockContext* context = m_pBar->m_pDockContext.get();
  if (nHitTest == HTCAPTION && context) {
    context->StartDrag(point);
    return;
  }
  if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT && context) {
    context->m_nHitTest = static_cast<int>(nHitTest);
    context->m_ptLast = point;
    GetWindowRect(&context->m_rectFrameDragHorz);
    context->m_rectFrameDragVert = context->m_rectFrameDragHorz;
    m_bSizing = TRUE;
    SetCapture();
    return;
  }
  CWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && m_pBar->m_pDockContext) {
    m_pBar->m_pDockContext->ToggleDocking();  // docking destroys this frame
    return;
  }
  CWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CMiniDockFrameWnd::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bSizing) {
    CWnd::OnMouseMove(nFlags, point);
    return;
  }
  ClientToScreen(&point);
  TrackSize(point);
}

void CMiniDockFrameWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!m_bSizing) {
    CWnd::OnLButtonUp(nFlags, point);
    return;
  }
  ClientToScreen(&point);
  TrackSize(point);
  CRect bar;
  m_pBar->GetWindowRect(&bar);
  m_pBar->CalcDynamicLayout(bar.Width(), LM_HORZ | LM_COMMIT);
  EndSizing();
}

void CMiniDockFrameWnd::OnCaptureChanged(CWnd* pWnd) {
  if (m_bSizing) EndSizing();
  CWnd::OnCaptureChanged(pWnd);
}

void CMiniDockFrameWnd::EndSizing() {
  if (!m_bSizing) return;
  m_bSizing = FALSE;  // before ReleaseCapture, whose WM_CAPTURECHANGED comes back here
  if (CDockContext* context = m_pBar->m_pDockContext.get()) context->m_nHitTest = HTNOWHERE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CMiniDockFrameWnd::TrackSize(CPoint pt) {
  CDockContext* context = m_pBar->m_pDockContext.get();
  const int hit = context->m_nHitTest;
  context->m_ptLast = pt;
  CRect window;
  GetWindowRect(&window);
  const CSize frame = FrameSize(CSize(0, 0));  // the frame's own share of its size
  CSize bar;
  if (IsCorner(hit)) {
    bar = m_pBar->CalcDynamicLayout(0, LM_HORZ);  // the bar sizes itself from the cursor
  } else if (hit == HTLEFT || hit == HTRIGHT) {
    const int width = (hit == HTLEFT ? window.right - pt.x : pt.x - window.left) - frame.cx;
    bar = m_pBar->CalcDynamicLayout(width, LM_HORZ);
  } else {
    const int height = (hit == HTTOP ? window.bottom - pt.y : pt.y - window.top) - frame.cy;
    bar = m_pBar->CalcDynamicLayout(height, LM_HORZ | LM_LENGTHY);
  }
  const CSize size = FrameSize(bar);
  CRect placed(window.TopLeft(), size);
  if (MovesLeft(hit)) placed.OffsetRect(window.right - placed.right, 0);
  if (MovesTop(hit)) placed.OffsetRect(0, window.bottom - placed.bottom);
  context->m_rectFrameDragHorz = context->m_rectFrameDragVert = placed;
  SetWindowPos(nullptr, placed.left, placed.top, placed.Width(), placed.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMiniDockFrameWnd::OnClose() {
  if (CFrameWnd* site = m_pBar->m_pDockSite) site->ShowControlBar(m_pBar, FALSE, FALSE);
}

void CMiniDockFrameWnd::PostNcDestroy() { delete this; }
