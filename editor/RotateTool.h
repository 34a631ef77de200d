// CRotateTool: turns a polygon, curve or line about the centre of its rectangle by
// dragging (shape 23).
#pragma once

#include "editor/DrawTool.h"
#include "model/DoublePoint.h"

class CRotateTool : public CDrawTool {
 public:
  CRotateTool() : CDrawTool(kToolRotate) {}

  void OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) override;

 private:
  CPoint m_lastPoint;  // logical
  bool m_bRotating = false;
};
