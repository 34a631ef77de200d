// CScrollView: a view over a logical area larger than its window. SetScrollSizes
// gives the mapping mode, the total size and the page and line steps (converted to
// device units in m_totalDev, m_pageDev, m_lineDev); OnPrepareDC moves the origin by
// the scroll position, or centres an area smaller than the window when m_bCenter is
// set. Scroll bars that are not needed are hidden and their position reset.
#pragma once

#include "framework/ui/View.h"

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)

 public:
  static const SIZE sizeDefault;  // (0, 0): a tenth of the total or of the page

  CScrollView();

  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  CPoint GetScrollPosition() const;        // logical units
  CPoint GetDeviceScrollPosition() const;  // device units
  CSize GetTotalSize() const { return m_totalLog; }
  void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
  void ScrollToPosition(POINT pt);  // logical units
  void ScrollToDevicePosition(POINT ptDev);
  // Scrolls so that ptCenter (device units in the whole scrolled area) is in the middle.
  void CenterOnPoint(CPoint ptCenter);
  // Brings the scroll bars in line with the sizes and the window.
  void UpdateBars();

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;
  BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;

  int m_nMapMode = MM_TEXT;
  CSize m_totalLog;
  CSize m_totalDev;
  CSize m_pageDev;
  CSize m_lineDev;
  BOOL m_bCenter = FALSE;
  BOOL m_bInsideUpdate = FALSE;

 protected:
  void OnSize(UINT nType, int cx, int cy) override;
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
  void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;

 private:
  int TrackPosition(int nBar) const;
};
