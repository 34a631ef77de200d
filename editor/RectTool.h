// CRectTool: draws rectangles (shape 9), rounded rectangles (10) and ellipses (11) by a
// drag; Shift makes the drag square.
#pragma once

#include "editor/DrawTool.h"

class CDrawObj;

class CRectTool : public CDrawTool {
 public:
  explicit CRectTool(int shape) : CDrawTool(shape) {}

  void OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) override;

 private:
  CDrawObj* m_pCreated = nullptr;  // the object the drag in progress sizes
};
