#include "editor/ZoomView.h"

#include <cmath>
#include <cstdlib>

#include "editor/DrawApp.h"
#include "framework/ui/ClientDC.h"
#include "framework/ui/DC.h"
#include "framework/ui/WindowDC.h"
#include "resources/KordelIds.h"

IMPLEMENT_DYNAMIC(CZoomView, CScrollView)

namespace {

CSize ScreenDpi() {
  CWindowDC screen(nullptr);
  return CSize(screen.GetDeviceCaps(LOGPIXELSX), screen.GetDeviceCaps(LOGPIXELSY));
}

}  // namespace

CZoomView::CZoomView() {
  m_bCenter = TRUE;
  m_nMapMode = MM_ANISOTROPIC;
  // A paint before the page's sizes are known still has a mapping of 1 unit a pixel.
  m_baseViewportExt = m_viewportExt = ScreenDpi();
}

BOOL CZoomView::IsRunMode() const {
  CDrawApp* app = GetDrawApp();
  return app && app->m_nMode != kModeEditing;
}

void CZoomView::SetPageSizes(CSize totalLog, CSize pageLog, CSize lineLog) {
  m_nMapMode = MM_ANISOTROPIC;
  m_totalLog = totalLog;
  m_pageLog = pageLog;
  m_lineLog = lineLog;
  // One logical unit is one screen pixel at 100 %.
  m_baseDevSize = totalLog;
  m_baseViewportExt = ScreenDpi();
  if (!ZoomAllowed(m_zoomFactor)) m_zoomFactor = 1.0;
  ApplyZoom(m_zoomFactor);
}

// ---------------------------------------------------------------------------------
// Mapping

ZoomMapping CZoomView::ScreenMapping(CSize deviceDpi) const {
  ZoomMapping mapping;
  mapping.windowExt = CSize(deviceDpi.cx, -deviceDpi.cy);
  if (IsRunMode()) {
    // A run shows the page at 100 % on the whole screen, whatever the editing zoom.
    mapping.viewportExt = m_baseViewportExt;
    mapping.viewportOrg = CPoint(0, 0);
    mapping.windowOrg = CPoint(-::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2);
    return mapping;
  }
  mapping.viewportExt = m_viewportExt;
  mapping.viewportOrg = -GetDeviceScrollPosition();
  if (m_bCenter && m_hWnd) {
    CRect client;
    GetClientRect(&client);
    if (m_totalDev.cx < client.Width()) mapping.viewportOrg.x = (client.Width() - m_totalDev.cx) / 2;
    if (m_totalDev.cy < client.Height()) mapping.viewportOrg.y = (client.Height() - m_totalDev.cy) / 2;
  }
  mapping.windowOrg = CPoint(-m_totalLog.cx / 2, m_totalLog.cy / 2);
  return mapping;
}

void CZoomView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  m_nMapMode = MM_ANISOTROPIC;
  pDC->SetMapMode(MM_ANISOTROPIC);
  const CSize dpi(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
  if (pDC->IsPrinting()) {
    pDC->SetWindowExt(dpi.cx, -dpi.cy);
    pDC->SetViewportExt(dpi.cx, dpi.cy);
    pDC->SetWindowOrg(m_totalLog.cx / -2, m_totalLog.cy / 2);
  } else {
    const ZoomMapping mapping = ScreenMapping(dpi);
    pDC->SetWindowExt(mapping.windowExt);
    pDC->SetViewportExt(mapping.viewportExt);
    pDC->SetViewportOrg(mapping.viewportOrg);
    pDC->SetWindowOrg(mapping.windowOrg);
  }
  CView::OnPrepareDC(pDC, pInfo);
}

void CZoomView::DPtoLPPoint(CPoint& point) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.DPtoLP(&point);
}

void CZoomView::DPtoLPRect(CRect& rect) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.DPtoLP(&rect);
}

void CZoomView::LPtoDPPoint(CPoint& point) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.LPtoDP(&point);
}

void CZoomView::LPtoDPRect(CRect& rect) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.LPtoDP(&rect);
  rect.NormalizeRect();
}

// ---------------------------------------------------------------------------------
// Zoom

BOOL CZoomView::ZoomAllowed(double factor) const {
  // A little slack for the rounding of repeated steps.
  if (factor < kMinZoom * 0.999 || factor > kMaxZoom * 1.001) return FALSE;
  const double largest = std::max(m_baseDevSize.cx, m_baseDevSize.cy) * factor;
  const double smallestExtent = std::min(m_baseViewportExt.cx, m_baseViewportExt.cy) * factor;
  return largest <= kMaxDeviceSize && (m_baseViewportExt.cx == 0 || smallestExtent >= 1.0);
}

void CZoomView::ApplyZoom(double factor) {
  m_zoomFactor = factor;
  m_totalDev = CSize(static_cast<LONG>(m_baseDevSize.cx * factor), static_cast<LONG>(m_baseDevSize.cy * factor));
  m_viewportExt = CSize(static_cast<LONG>(m_baseViewportExt.cx * factor),
                        static_cast<LONG>(m_baseViewportExt.cy * factor));
  // The logical steps in device units: the viewport's extent over the window's.
  const CSize dpi = m_baseViewportExt.cx ? m_baseViewportExt : CSize(1, 1);
  m_pageDev = CSize(std::abs(::MulDiv(m_pageLog.cx, m_viewportExt.cx, dpi.cx)),
                    std::abs(::MulDiv(m_pageLog.cy, m_viewportExt.cy, dpi.cy)));
  m_lineDev = CSize(std::abs(::MulDiv(m_lineLog.cx, m_viewportExt.cx, dpi.cx)),
                    std::abs(::MulDiv(m_lineLog.cy, m_viewportExt.cy, dpi.cy)));
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
  if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
  if (m_hWnd) {
    UpdateBars();
    Invalidate(TRUE);
  }
}

void CZoomView::ZoomBy(const CPoint* pCentre, double factor) {
  const CPoint centre = pCentre ? *pCentre : GetWindowCentre();
  const double zoom = m_zoomFactor * factor;
  if (!ZoomAllowed(zoom)) return;
  ApplyZoom(zoom);
  CentreOnLogicalPoint(centre);
}

void CZoomView::ZoomIn(const CPoint* pCentre, float factor) {
  if (factor > 0) ZoomBy(pCentre, factor);
}

void CZoomView::ZoomOut(const CPoint* pCentre, float factor) {
  if (factor > 0) ZoomBy(pCentre, 1.0 / factor);
}

void CZoomView::ResetZoom() {
  const CPoint centre = GetWindowCentre();
  m_zoomFactor = 1.0;
  m_viewportExt = m_baseViewportExt;
  // Through a step in and out, so that every size is recomputed at exactly 1.0.
  ZoomIn(&centre, 1.25f);
  ZoomOut(&centre, 1.25f);
}

void CZoomView::OnZoomClick(UINT, CPoint point) {
  switch (m_nZoomMode) {
    case 1:
    case 2: {
      CPoint centre = point;
      DPtoLPPoint(centre);
      if (m_nZoomMode == 1)
        ZoomIn(&centre, 1.25f);
      else
        ZoomOut(&centre, 1.25f);
      break;
    }
    default:
      ResetZoom();
      SetZoomMode(0);
      PostMessage(WM_COMMAND, ID_TOOL_SELECT);
      break;
  }
}

CPoint CZoomView::GetWindowCentre() {
  CRect client;
  GetClientRect(&client);
  CPoint centre(client.Width() / 2, client.Height() / 2);
  DPtoLPPoint(centre);
  return centre;
}

void CZoomView::CentreOnLogicalPoint(CPoint point) {
  LPtoDPPoint(point);
  CenterOnPoint(point + GetDeviceScrollPosition());
}
