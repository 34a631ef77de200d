#include "framework/ui/ScrollView.h"

#include <algorithm>
#include <cstdlib>

#include "framework/ui/DC.h"
#include "framework/ui/WindowDC.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  m_nMapMode = nMapMode;
  m_totalLog = sizeTotal;
  m_totalDev = sizeTotal;
  m_pageDev = sizePage;
  m_lineDev = sizeLine;
  {
    CWindowDC dc(nullptr);
    dc.SetMapMode(m_nMapMode);
    dc.LPtoDP(&m_totalDev);
    dc.LPtoDP(&m_pageDev);
    dc.LPtoDP(&m_lineDev);
  }
  // Mapping modes with y up give negative heights.
  m_totalDev.cx = std::abs(m_totalDev.cx);
  m_totalDev.cy = std::abs(m_totalDev.cy);
  m_pageDev.cx = std::abs(m_pageDev.cx);
  m_pageDev.cy = std::abs(m_pageDev.cy);
  m_lineDev.cx = std::abs(m_lineDev.cx);
  m_lineDev.cy = std::abs(m_lineDev.cy);
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
  if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
  if (m_hWnd) {
    UpdateBars();
    Invalidate(TRUE);
  }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const {
  nMapMode = m_nMapMode;
  sizeTotal = m_totalDev;
  sizePage = m_pageDev;
  sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const {
  return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const {
  CPoint pt = GetDeviceScrollPosition();
  CWindowDC dc(nullptr);
  dc.SetMapMode(m_nMapMode);
  CSize size(pt.x, pt.y);
  dc.DPtoLP(&size);
  return CPoint(size.cx, size.cy);
}

void CScrollView::ScrollToPosition(POINT pt) {
  CWindowDC dc(nullptr);
  dc.SetMapMode(m_nMapMode);
  CSize size(pt.x, pt.y);
  dc.LPtoDP(&size);
  ScrollToDevicePosition(CPoint(std::abs(size.cx), std::abs(size.cy)));
}

void CScrollView::ScrollToDevicePosition(POINT ptDev) {
  const int x = std::clamp(static_cast<int>(ptDev.x), 0, std::max(GetScrollLimit(SB_HORZ), 0));
  const int y = std::clamp(static_cast<int>(ptDev.y), 0, std::max(GetScrollLimit(SB_VERT), 0));
  const int xOld = GetScrollPos(SB_HORZ);
  const int yOld = GetScrollPos(SB_VERT);
  SetScrollPos(SB_HORZ, x);
  SetScrollPos(SB_VERT, y);
  ScrollWindow(xOld - GetScrollPos(SB_HORZ), yOld - GetScrollPos(SB_VERT));
}

void CScrollView::CenterOnPoint(CPoint ptCenter) {
  CRect client;
  GetClientRect(&client);
  ScrollToDevicePosition(CPoint(std::max<LONG>(ptCenter.x - client.Width() / 2, 0), std::max<LONG>(ptCenter.y - client.Height() / 2, 0)));
}

void CScrollView::UpdateBars() {
  if (m_bInsideUpdate || !m_hWnd) return;
  m_bInsideUpdate = TRUE;

  // The client area without scroll bars: the one to test the sizes against.
  CRect client;
  GetClientRect(&client);
  CSize available(client.Width(), client.Height());
  const DWORD style = GetStyle();
  const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
  const int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
  if (style & WS_VSCROLL) available.cx += barWidth;
  if (style & WS_HSCROLL) available.cy += barHeight;

  bool needH = m_totalDev.cx > available.cx;
  bool needV = m_totalDev.cy > available.cy;
  // One bar takes room from the other direction.
  if (needH && !needV) needV = m_totalDev.cy > available.cy - barHeight;
  if (needV && !needH) needH = m_totalDev.cx > available.cx - barWidth;
  CSize page(available.cx - (needV ? barWidth : 0), available.cy - (needH ? barHeight : 0));

  const CPoint oldPos = GetDeviceScrollPosition();
  CPoint newPos(needH ? std::min<LONG>(oldPos.x, std::max<LONG>(m_totalDev.cx - page.cx, 0)) : 0,
                needV ? std::min<LONG>(oldPos.y, std::max<LONG>(m_totalDev.cy - page.cy, 0)) : 0);

  ShowScrollBar(SB_HORZ, needH);
  ShowScrollBar(SB_VERT, needV);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
  if (needH) {
    info.nMin = 0;
    info.nMax = m_totalDev.cx - 1;
    info.nPage = static_cast<UINT>(page.cx);
    info.nPos = newPos.x;
    SetScrollInfo(SB_HORZ, &info, TRUE);
  }
  if (needV) {
    info.nMin = 0;
    info.nMax = m_totalDev.cy - 1;
    info.nPage = static_cast<UINT>(page.cy);
    info.nPos = newPos.y;
    SetScrollInfo(SB_VERT, &info, TRUE);
  }
  if (!needH) SetScrollPos(SB_HORZ, 0, FALSE);
  if (!needV) SetScrollPos(SB_VERT, 0, FALSE);
  if (newPos != oldPos) Invalidate(TRUE);
  m_bInsideUpdate = FALSE;
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  pDC->SetMapMode(m_nMapMode);
  CPoint origin(0, 0);
  if (!pDC->IsPrinting()) {
    origin = -GetDeviceScrollPosition();
    if (m_bCenter) {
      CRect client;
      GetClientRect(&client);
      if (m_totalDev.cx < client.Width()) origin.x = (client.Width() - m_totalDev.cx) / 2;
      if (m_totalDev.cy < client.Height()) origin.y = (client.Height() - m_totalDev.cy) / 2;
    }
  }
  pDC->SetViewportOrg(origin);
  CView::OnPrepareDC(pDC, pInfo);
}

int CScrollView::TrackPosition(int nBar) const {
  SCROLLINFO info;
  return GetScrollInfo(nBar, &info, SIF_TRACKPOS) ? info.nTrackPos : 0;
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll) {
  // nScrollCode: the horizontal code in the low byte, the vertical in the high byte;
  // 0xFF for the direction that does not scroll.
  auto step = [&](UINT code, int bar, LONG page, LONG line, int current) -> int {
    switch (code) {
      case SB_TOP: return 0;
      case SB_BOTTOM: return INT_MAX / 2;
      case SB_LINEUP: return current - line;
      case SB_LINEDOWN: return current + line;
      case SB_PAGEUP: return current - page;
      case SB_PAGEDOWN: return current + page;
      case SB_THUMBTRACK: return TrackPosition(bar);
      case SB_THUMBPOSITION: return static_cast<int>(nPos);
      default: return current;
    }
  };
  const int x = GetScrollPos(SB_HORZ);
  const int y = GetScrollPos(SB_VERT);
  const int newX = step(LOBYTE(nScrollCode), SB_HORZ, m_pageDev.cx, m_lineDev.cx, x);
  const int newY = step(HIBYTE(nScrollCode), SB_VERT, m_pageDev.cy, m_lineDev.cy, y);
  return OnScrollBy(CSize(newX - x, newY - y), bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  const DWORD style = GetStyle();
  if (!(style & WS_HSCROLL)) sizeScroll.cx = 0;
  if (!(style & WS_VSCROLL)) sizeScroll.cy = 0;
  const int x = GetScrollPos(SB_HORZ);
  const int y = GetScrollPos(SB_VERT);
  const int newX = std::clamp(x + static_cast<int>(sizeScroll.cx), 0, std::max(GetScrollLimit(SB_HORZ), 0));
  const int newY = std::clamp(y + static_cast<int>(sizeScroll.cy), 0, std::max(GetScrollLimit(SB_VERT), 0));
  if (newX == x && newY == y) return FALSE;
  if (bDoScroll) {
    ScrollWindow(x - newX, y - newY);
    if (newX != x) SetScrollPos(SB_HORZ, newX);
    if (newY != y) SetScrollPos(SB_VERT, newY);
  }
  return TRUE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  if (pScrollBar) {
    CView::OnHScroll(nSBCode, nPos, pScrollBar);
    return;
  }
  OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  if (pScrollBar) {
    CView::OnVScroll(nSBCode, nPos, pScrollBar);
    return;
  }
  OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint) {
  if (nFlags & (MK_SHIFT | MK_CONTROL)) return FALSE;
  UINT lines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int steps = -zDelta * static_cast<int>(lines) / WHEEL_DELTA;
  if (GetStyle() & WS_VSCROLL) return OnScrollBy(CSize(0, steps * m_lineDev.cy));
  return OnScrollBy(CSize(steps * m_lineDev.cx, 0));
}
