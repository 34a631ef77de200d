#include "control/MainView.h"

#include "control/MainDoc.h"
#include "framework/ui/DC.h"
#include "model/DrawHost.h"

void CMainView::ShowWindow(int command) {
  if (m_window) ::ShowWindow(m_window, command);
}

void CMainView::ClearClassCursor() {
  if (m_window) ::SetClassLongPtrA(m_window, GCLP_HCURSOR, 0);
}

void CMainView::PrepareDC(CDC* pDC) {
  HDC dc = pDC->m_hDC;
  RECT client = {};
  if (m_window) ::GetClientRect(m_window, &client);
  ::SetMapMode(dc, MM_ANISOTROPIC);
  const int perInchX = ::GetDeviceCaps(dc, LOGPIXELSX);
  const int perInchY = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::SetViewportExtEx(dc, perInchX, perInchY, nullptr);
  ::SetWindowExtEx(dc, perInchX, -perInchY, nullptr);
  ::SetWindowOrgEx(dc, -(client.right / 2), client.bottom / 2, nullptr);
}

void CMainView::OnPaint(CDC* pDC) {
  if (m_document) m_document->Draw(pDC, this);
}

void CMainView::StopPlayback() {
  if (m_window) ::KillTimer(m_window, kPlaybackTimerId);
}
