#include "control/MainView.h"

#include "behaviour/RenderPageTransition.h"
#include "control/MainDoc.h"
#include "control/ThreadContextMap.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/DC.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"

CMainView::CMainView() : m_run(*this, nullptr, kObjectCursor) {}

void CMainView::SetWindow(HWND window) {
  m_window = window;
  m_run.SetWindow(window);
}

void CMainView::SetDocument(CMainDoc* document) {
  m_document = document;
  m_pDocument = document;
}

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
  if (m_run.GetTick() > 2) {
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
  GetThreadContextMap().SetTargetMissing(0);
  m_run.StartObjects();
}

void CMainView::ResetObjects() { m_run.StopObjects(); }

void CMainView::StartPlayback() {
  // The first paint shows the whole window; the clock then keeps to the page.
  m_run.GetClock().SetTick(4);
  if (m_window) {
    ::InvalidateRect(m_window, nullptr, TRUE);
    ::UpdateWindow(m_window);
  }
  SaveObjectStates();
  m_run.SetTimer(kTickPeriodMs);
  TakeFocus();
  m_run.GetClock().SetTick(0);
}

void CMainView::StopPlayback() { m_run.EndRun(); }

void CMainView::OnPlayTick(UINT_PTR id) {
  if (id == kPlaybackTimerId) m_run.OnTimer();
}

// ---- input -------------------------------------------------------------------------------

void CMainView::TakeFocus() {
  if (m_window) ::SetFocus(m_window);
}

void CMainView::OnLButtonDown(UINT, CPoint point) {
  TakeFocus();
  m_run.OnLButtonDown(point);
}

void CMainView::OnLButtonUp(UINT, CPoint point) { m_run.OnLButtonUp(point); }

void CMainView::OnLButtonDblClk(UINT, CPoint point) { m_run.OnLButtonDblClk(point); }

void CMainView::OnRButtonDown(UINT, CPoint point) { m_run.OnRButtonDown(point); }

void CMainView::OnRButtonUp(UINT, CPoint point) { m_run.OnRButtonUp(point); }

void CMainView::OnMouseMove(UINT nFlags, CPoint point) {
  m_run.OnMouseMove(nFlags, point);
  if (!m_window || !::IsWindow(m_window)) return;
  // The run has set the cursor; the class keeps it while the pointer rests.
  const HCURSOR cursor = m_run.IsArrowCursor() ? nullptr : ::GetCursor();
  ::SetClassLongPtrA(m_window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

void CMainView::OnKeyDown(UINT nChar, UINT, UINT) {
  if (nChar != VK_RETURN) return;
  TakeFocus();
  m_run.OnEnterKey(TRUE);
}

void CMainView::OnKeyUp(UINT nChar, UINT, UINT) {
  if (nChar != VK_RETURN) return;
  TakeFocus();
  m_run.OnEnterKey(FALSE);
}
