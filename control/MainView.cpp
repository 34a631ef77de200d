#include "control/MainView.h"

#include "behaviour/RenderPageTransition.h"
#include "control/MainDoc.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/DC.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"

void CMainView::ShowWindow(int command) {
  if (m_window) ::ShowWindow(m_window, command);
}

void CMainView::ClearClassCursor() {
  if (m_window) ::SetClassLongPtrA(m_window, GCLP_HCURSOR, 0);
}

void CMainView::InvalidateWindow(BOOL erase) {
  if (m_window) ::InvalidateRect(m_window, nullptr, erase);
}

void CMainView::SetStatus(int status, BOOL erase, const RECT* rect) {
  m_status = status;
  if (status != statusNone && m_window) ::InvalidateRect(m_window, rect, erase);
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

CRect CMainView::PageRectOnDevice(CDC* pDC) const {
  const CSize size = m_document ? m_document->m_pageSize : CSize(0, 0);
  CRect page(-size.cx / 2, size.cy / 2, size.cx / 2, -size.cy / 2);
  pDC->LPtoDP(&page);
  page.NormalizeRect();
  return page;
}

bool CMainView::IsPrinter(CDC* pDC) const { return pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER; }

void CMainView::RenderTransition(HDC target, HDC source, const RECT& rect, int kind, int direction, int delay) {
  RenderPageTransition(target, source, rect, kind, direction, delay);
}

void CMainView::OnPaint(CDC* pDC) {
  if (!m_document) return;
  // The area to paint in device units; once the page has been shown whole only the
  // page itself is painted again.
  // The memory image covers that area alone, so nothing is drawn beyond it.
  CRect rect;
  pDC->GetClipBox(&rect);
  pDC->LPtoDP(&rect);
  rect.NormalizeRect();
  if (m_clock.GetTick() > 2) {
    const CRect page = PageRectOnDevice(pDC);
    rect.IntersectRect(&rect, &page);
  }
  if (rect.IsRectEmpty()) return;
  if (!IsPrinter(pDC)) {
    PaintBuffered(pDC, rect);
    return;
  }
  m_document->Draw(pDC, this);
}

void CMainView::PaintBuffered(CDC* pDC, const CRect& rect) {
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height())) {
    m_document->Draw(pDC, this);
    return;
  }
  CBitmap* oldBitmap = memory.SelectObject(&bitmap);
  PrepareDC(&memory);
  memory.OffsetViewportOrg(-rect.left, -rect.top);
  {
    const int saved = memory.SaveDC();
    memory.SetMapMode(MM_TEXT);
    memory.SetViewportOrg(0, 0);
    memory.SetWindowOrg(0, 0);
    const CRect all(0, 0, rect.Width(), rect.Height());
    memory.FillSolidRect(&all, m_document->m_useBackPicture ? RGB(255, 255, 255) : m_document->m_backColour);
    memory.RestoreDC(saved);
  }
  m_document->Draw(&memory, this);

  const int saved = pDC->SaveDC();
  for (CDC* dc : {pDC, static_cast<CDC*>(&memory)}) {
    dc->SetMapMode(MM_TEXT);
    dc->SetViewportOrg(0, 0);
    dc->SetWindowOrg(0, 0);
  }
  if (m_document->m_transitionPending) {
    if (m_firstFill) {
      pDC->FillSolidRect(&rect, m_document->m_curtainColour);
      m_firstFill = FALSE;
    }
    RenderTransition(pDC->GetSafeHdc(), memory.GetSafeHdc(), rect, m_document->m_transitionKind,
                     m_document->m_transitionDirection, m_document->m_transitionDelay);
    m_document->m_transitionPending = 0;
    InvalidateWindow(FALSE);
  } else {
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memory, 0, 0, SRCCOPY);
  }
  pDC->RestoreDC(saved);
  memory.SelectObject(oldBitmap);
}

// ---- playback ----------------------------------------------------------------------------

void CMainView::SaveObjectStates() {
  if (!m_document) return;
  m_document->m_transitionPending = 1;
  for (POSITION pos = m_document->m_objects.GetHeadPosition(); pos;)
    static_cast<CDrawObj*>(m_document->m_objects.GetNext(pos))->SavePlayState(this, nullptr);
}

void CMainView::ResetObjects() {
  if (m_document) {
    for (POSITION pos = m_document->m_objects.GetHeadPosition(); pos;)
      static_cast<CDrawObj*>(m_document->m_objects.GetNext(pos))->RestorePlayState(this);
    m_document->RenumberObjects(TRUE);
  }
  InvalidateWindow(FALSE);
  // A walk in progress (a step pumped messages) ends before its next object.
  if (m_clock.IsWalking())
    m_clock.SetPlaybackClock(0);
  else
    m_clock.SetTick(0);
}

void CMainView::StartPlayback() {
  // The first paint is clipped to the page.
  m_clock.SetTick(4);
  if (m_window) {
    ::InvalidateRect(m_window, nullptr, TRUE);
    ::UpdateWindow(m_window);
  }
  SaveObjectStates();
  if (m_window) {
    ::SetTimer(m_window, kPlaybackTimerId, kTickPeriodMs, nullptr);
    ::SetFocus(m_window);
  }
  m_clock.SetTick(0);
}

void CMainView::StopPlayback() {
  if (m_window) ::KillTimer(m_window, kPlaybackTimerId);
  ResetObjects();
}

void CMainView::OnPlayTick(UINT_PTR id) {
  if (id != kPlaybackTimerId || !m_document) return;
  if (CDrawHost* host = GetDrawHost()) m_clock.OnTimer(*host, m_document->m_objects, this);
}
