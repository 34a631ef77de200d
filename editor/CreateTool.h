// CCreateTool: draws a text (shape 6), a point (14), a line (8) or a function plot (21)
// by a drag, and captures a dragged region of the view to a bitmap file (1). The new
// object is handed to the select tool in size mode, so the drag sizes it; a click
// without a drag makes nothing and selects instead.
#pragma once

#include "editor/DrawTool.h"
#include "framework/core/String.h"

class CDrawObj;

class CCreateTool : public CDrawTool {
 public:
  explicit CCreateTool(int shape) : CDrawTool(shape) {}

  void OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) override;

  // The tool box's point picker: 0 draws points; 1 and 2 would set an anchor point, 3
  // appends a vertex to the selected polygon, 4 hands the point to the selected object.
  // A negative state (no cell chosen) counts as 0.
  static int s_pointPickerState;

  // Writes the client area's rectangle of the view as a 32-bit bitmap file.
  static BOOL CaptureToFile(CDrawView* view, const CRect& area, const CString& path);

 private:
  void FinishCapture(CDrawView* view, const CPoint& point);
  CDrawObj* m_pCreated = nullptr;  // the object the drag in progress sizes
  static int PickerState() { return s_pointPickerState < 0 ? 0 : s_pointPickerState; }
};
