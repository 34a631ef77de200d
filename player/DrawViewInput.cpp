// The playback view's input: the page's run turns mouse buttons, moves and Enter into
// triggers of the objects; the context menu offers exit and pause.
#include "framework/ui/Menu.h"
#include "framework/ui/WinApp.h"
#include "player/DrawView.h"
#include "resources/Mirabo.h"

void CDrawView::OnLButtonDown(UINT nFlags, CPoint point) {
  SetFocus();
  m_run.OnLButtonDown(point);
  CView::OnLButtonDown(nFlags, point);
}

void CDrawView::OnLButtonUp(UINT nFlags, CPoint point) {
  m_run.OnLButtonUp(point);
  CView::OnLButtonUp(nFlags, point);
}

void CDrawView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  m_run.OnLButtonDblClk(point);
  CView::OnLButtonDblClk(nFlags, point);
}

void CDrawView::OnRButtonDown(UINT nFlags, CPoint point) {
  m_run.OnRButtonDown(point);
  CView::OnRButtonDown(nFlags, point);
}

void CDrawView::OnRButtonUp(UINT nFlags, CPoint point) {
  m_run.OnRButtonUp(point);
  // The context menu follows from the default processing.
  CView::OnRButtonUp(nFlags, point);
}

void CDrawView::OnMouseMove(UINT nFlags, CPoint point) {
  m_run.OnMouseMove(nFlags, point);
  CView::OnMouseMove(nFlags, point);
}

void CDrawView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_RETURN) m_run.OnEnterKey(TRUE);
  CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CDrawView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_RETURN) m_run.OnEnterKey(FALSE);
  CView::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CDrawView::OnContextMenu(CWnd*, CPoint pos) {
  if (pos.x == -1 && pos.y == -1) ::GetCursorPos(&pos);  // from the keyboard
  CMenu menu;
  if (!menu.LoadMenu(IDR_RUN_MENU)) return;
  if (CMenu* popup = menu.GetSubMenu(0))
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pos.x, pos.y, AfxGetMainWnd());
}
