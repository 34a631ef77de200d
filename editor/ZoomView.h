// CZoomView: the scrolling view the page view is built on. Its mapping puts the page's
// logical origin at the centre of the page while editing (of the screen while a page
// runs), with y pointing up and one logical unit one screen pixel at 100 %, and it zooms
// that mapping by a factor while keeping a chosen point in the middle of the window.
#pragma once

#include "framework/ui/ScrollView.h"

// The numbers of the mapping OnPrepareDC sets on a device context.
struct ZoomMapping {
  CSize windowExt;
  CSize viewportExt;
  CPoint viewportOrg;
  CPoint windowOrg;
};

class CZoomView : public CScrollView {
  DECLARE_DYNAMIC(CZoomView)

 public:
  // The zoom stays within these factors: beyond them extents would reach 0 or sizes
  // leave the range of GDI's coordinates.
  static constexpr double kMinZoom = 1.0 / 16;
  static constexpr double kMaxZoom = 32.0;
  static constexpr LONG kMaxDeviceSize = 1L << 27;

  CZoomView();

  // Sets the scrolled area at 100 %: its logical size and the page and line steps (0: a
  // tenth of the total, and of the page). The current zoom applies to it.
  void SetPageSizes(CSize totalLog, CSize pageLog = CSize(0, 0), CSize lineLog = CSize(0, 0));

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  // The mapping on the screen for a device of this resolution.
  ZoomMapping ScreenMapping(CSize deviceDpi) const;

  // Conversions through a client device context prepared by OnPrepareDC. A rectangle
  // converted to device units is normalised; one converted to logical units is not.
  void DPtoLPPoint(CPoint& point);
  void DPtoLPRect(CRect& rect);
  void LPtoDPPoint(CPoint& point);
  void LPtoDPRect(CRect& rect);

  void SetZoomMode(int nMode) { m_nZoomMode = nMode; }
  int GetZoomMode() const { return m_nZoomMode; }
  double GetZoomFactor() const { return m_zoomFactor; }
  // Zoom about a logical point (null: the window's centre) and keep it in the middle.
  // A step that would leave the zoom's range is ignored.
  void ZoomIn(const CPoint* pCentre = nullptr, float factor = 1.25f);
  void ZoomOut(const CPoint* pCentre = nullptr, float factor = 1.25f);
  void ResetZoom();
  // The zoom tool's button up: zoom in or out about the point, or (mode 0) back to
  // 100 % and the select tool.
  void OnZoomClick(UINT nFlags, CPoint point);
  // The window's centre in logical units.
  CPoint GetWindowCentre();
  // Scrolls so that the logical point is in the middle of the window.
  void CentreOnLogicalPoint(CPoint point);

  int m_nZoomMode = 0;  // 0 none, 1 zoom in, 2 zoom out
  CSize m_baseDevSize;
  CSize m_pageLog;
  CSize m_lineLog;
  CSize m_baseViewportExt;
  CSize m_viewportExt;
  double m_zoomFactor = 1.0;

 protected:
  // The page runs (the application's mode is not editing).
  virtual BOOL IsRunMode() const;

 private:
  BOOL ZoomAllowed(double factor) const;
  void ApplyZoom(double factor);
  void ZoomBy(const CPoint* pCentre, double factor);
};
