// CZoomTool: zooms the view in, out or back to 100 % at the clicked point (shape 24), as
// the tool box's zoom picker says.
#pragma once

#include "editor/DrawTool.h"

class CZoomTool : public CDrawTool {
 public:
  CZoomTool() : CDrawTool(kToolZoom) {}

  void OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnMouseMove(CDrawView*, UINT, const CPoint&) override {}

  // The zoom picker's entry: 0 zoom in, 1 zoom out, 2 back to 100 %.
  static int s_zoomPickerEntry;
};
