// CGlueTool: glues selected objects at shared handles (shape 19). The first click makes
// a new glued object on the page; each click records the first selected object that
// has a handle under the point (and is not recorded yet) with that handle; a double
// click glues what was recorded at the first object's handle. With fewer than two
// handles, or on Esc or another tool, the new glued object leaves the page again.
#pragma once

#include "editor/DrawTool.h"
#include "model/GlueGroup.h"

class CDrawJoinObj;

class CGlueTool : public CDrawTool {
 public:
  CGlueTool() : CDrawTool(kToolGlue) {}

  void OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnLButtonDblClk(CDrawView* view, UINT flags, const CPoint& point) override;
  // The capture is kept from click to click: a button-up ends nothing.
  void OnLButtonUp(CDrawView*, UINT, const CPoint&) override {}
  void OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) override;
  void OnCancel() override;
  bool IsBuilding() const override { return m_pJoinObj != nullptr; }

 private:
  // The first selected object, in selection order and not recorded yet, with a handle
  // under the logical point; its handle in handle.
  CDrawObj* HandleUnder(CDrawView* view, const CPoint& local, int& handle) const;
  // Takes the glued object off the page and destroys it; forgets what was recorded.
  void Abandon(CDrawView* view);

  CDrawJoinObj* m_pJoinObj = nullptr;
  GlueGroup m_group;
};
