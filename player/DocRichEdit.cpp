#include "player/DocRichEdit.h"

void CDocRichEdit::OnLButtonDown(UINT nFlags, CPoint point) {
  HWND self = m_hWnd;
  if (HWND parent = ::GetParent(self)) {
    CPoint at = point;
    ::MapWindowPoints(self, parent, &at, 1);
    ::SendMessageA(parent, WM_LBUTTONDOWN, nFlags, MAKELPARAM(at.x, at.y));
    // The click may have ended the page, and this window with it.
    if (!::IsWindow(self)) return;
  }
  CRichEditCtrl::OnLButtonDown(nFlags, point);
}

void CDocRichEdit::OnRButtonDown(UINT nFlags, CPoint point) {
  CRichEditCtrl::OnRButtonDown(nFlags, point);
  HWND parent = ::GetParent(m_hWnd);
  if (!parent) return;
  CPoint screen = point;
  ClientToScreen(&screen);
  ::SendMessageA(parent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(screen.x, screen.y));
}
