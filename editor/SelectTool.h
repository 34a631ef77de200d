// CSelectTool: selects, moves and resizes objects (shape 0), and carries on for the
// creating tools once they have put a new object in size mode.
#pragma once

#include "editor/DrawTool.h"

class CSelectTool : public CDrawTool {
 public:
  CSelectTool() : CDrawTool(kToolSelect) {}

  void OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnLButtonDblClk(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) override;

  // The select tool of the tool list, for the tools that hand over to it.
  static CSelectTool& Get();
};
