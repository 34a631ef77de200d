#include "framework/ui/DockContext.h"

#include <cstdlib>

#include "framework/ui/ControlBar.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/HalftoneBrush.h"
#include "framework/ui/WindowDC.h"

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite) {}

UINT CDockContext::DockAreaAt(const CRect& frameClient, CPoint pt, DWORD dwAllowed) {
  CRect zone = frameClient;
  zone.InflateRect(kDockZone, kDockZone);
  if (!zone.PtInRect(pt)) return 0;
  const struct {
    DWORD align;
    UINT id;
    int distance;
  } sides[] = {
      {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP, static_cast<int>(pt.y - frameClient.top)},
      {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, static_cast<int>(frameClient.bottom - pt.y)},
      {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT, static_cast<int>(pt.x - frameClient.left)},
      {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT, static_cast<int>(frameClient.right - pt.x)},
  };
  UINT best = 0;
  int bestDistance = kDockZone;
  for (const auto& side : sides) {
    if (!(dwAllowed & side.align) || side.distance >= bestDistance) continue;
    best = side.id;
    bestDistance = side.distance;
  }
  return best;
}

void CDockContext::DrawDragRect(CDC* pDC, const CRect& rect) {
  // A frame 3 pixels thick: the inside stays visible.
  constexpr int kThick = 3;
  AfxInvertHalftone(pDC, CRect(rect.left, rect.top, rect.right, rect.top + kThick));
  AfxInvertHalftone(pDC, CRect(rect.left, rect.bottom - kThick, rect.right, rect.bottom));
  AfxInvertHalftone(pDC, CRect(rect.left, rect.top + kThick, rect.left + kThick, rect.bottom - kThick));
  AfxInvertHalftone(pDC, CRect(rect.right - kThick, rect.top + kThick, rect.right, rect.bottom - kThick));
}

void CDockContext::StartDrag(CPoint pt) {
  m_pDockSite = m_pBar->m_pDockSite;
  if (!m_pDockSite || !m_pBar->m_hWnd) return;
  CRect start;
  CWnd* dragged = m_pBar->IsFloating() ? m_pBar->GetParent() : m_pBar;
  dragged->GetWindowRect(&start);
  m_rectFrameDragHorz = m_rectFrameDragVert = start;

  HWND capture = m_pBar->m_hWnd;
  ::SetCapture(capture);
  if (::GetCapture() != capture) return;
  CWnd* desktop = CWnd::GetDesktopWindow();
  ::LockWindowUpdate(desktop->m_hWnd);
  CWindowDC dc(desktop, TRUE);

  CRect rect = start;
  CPoint last = pt;
  BOOL floatOnly = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
  BOOL accepted = FALSE;
  DrawDragRect(&dc, rect);
  MSG msg;
  bool tracking = true;
  while (tracking && ::GetCapture() == capture) {
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // the loop above must end too
      break;
    }
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        CPoint p(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &p);
        DrawDragRect(&dc, rect);
        rect = start;
        rect.OffsetRect(p.x - pt.x, p.y - pt.y);
        last = p;
        if (msg.message == WM_LBUTTONUP) {
          accepted = TRUE;
          tracking = false;
        } else {
          DrawDragRect(&dc, rect);
        }
        break;
      }
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam == VK_ESCAPE) {
          DrawDragRect(&dc, rect);
          tracking = false;
        } else if (msg.wParam == VK_CONTROL) {
          floatOnly = msg.message == WM_KEYDOWN;
        }
        break;
      case WM_RBUTTONDOWN:
        DrawDragRect(&dc, rect);
        tracking = false;
        break;
      default: ::DispatchMessageA(&msg); break;
    }
  }
  if (tracking) DrawDragRect(&dc, rect);  // the capture went elsewhere
  ::LockWindowUpdate(nullptr);
  if (::GetCapture() == capture) ::ReleaseCapture();
  // A click without a move leaves the bar where it is.
  const bool moved = std::abs(last.x - pt.x) >= ::GetSystemMetrics(SM_CXDRAG) ||
                      std::abs(last.y - pt.y) >= ::GetSystemMetrics(SM_CYDRAG);
  if (accepted && moved) EndDrag(rect, last, floatOnly);
}

void CDockContext::EndDrag(const CRect& rect, CPoint pt, BOOL bFloatOnly) {
  CRect client;
  m_pDockSite->GetClientRect(&client);
  m_pDockSite->ClientToScreen(&client);
  const UINT area = bFloatOnly ? 0
                               : DockAreaAt(client, pt, m_pBar->m_dwDockStyle & m_pDockSite->GetDockingAlignment());
  m_rectFrameDragHorz = m_rectFrameDragVert = rect;
  if (area)
    m_pDockSite->DockControlBar(m_pBar, area, &rect);
  else
    m_pDockSite->FloatControlBar(m_pBar, rect.TopLeft());
}

void CDockContext::ToggleDocking() {
  m_pDockSite = m_pBar->m_pDockSite;
  if (!m_pDockSite) return;
  if (m_pBar->IsFloating()) {
    const UINT area = m_uMRUDockID ? m_uMRUDockID : 0;
    m_pDockSite->DockControlBar(m_pBar, area);
    return;
  }
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_pDockSite->FloatControlBar(m_pBar, m_bHasMRUFloatPos ? m_ptMRUFloatPos : rect.TopLeft());
}
