// CPickTool: picks one handle of the selected object for the property grid (shape 20,
// started by BeginPickPoint); one pick and the select tool is back.
#pragma once

#include "editor/DrawTool.h"

class CPickTool : public CDrawTool {
 public:
  CPickTool() : CDrawTool(kToolPick) {}

  void OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) override;
};
