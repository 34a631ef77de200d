// CPolyTool: builds a polygon (shape 12) or a curve (13) click by click. Each click
// places the vertex being dragged and starts the next one; a click on the first vertex
// or a double click ends the figure, Esc or another tool cancels it. A figure left with
// fewer than two vertices is taken off the page.
#pragma once

#include "editor/DrawTool.h"

class CDrawPoly;

class CPolyTool : public CDrawTool {
 public:
  explicit CPolyTool(int shape) : CDrawTool(shape) {}

  void OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnLButtonDblClk(CDrawView* view, UINT flags, const CPoint& point) override;
  // The capture is kept from click to click: a button-up ends nothing.
  void OnLButtonUp(CDrawView*, UINT, const CPoint&) override {}
  void OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnCancel() override;
  bool IsBuilding() const override { return m_pDrawObj != nullptr; }

  CDrawPoly* GetPolygon() const { return m_pDrawObj; }

 private:
  // Drops the pending vertex and ends the figure; one with fewer than two vertices
  // leaves the page.
  void Finish(CDrawView* view, bool dropPending);

  CDrawPoly* m_pDrawObj = nullptr;
};
