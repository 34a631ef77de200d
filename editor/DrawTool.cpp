#include "editor/DrawTool.h"

#include <memory>
#include <vector>

#include "editor/CreateTool.h"
#include "editor/DrawView.h"
#include "editor/GlueTool.h"
#include "editor/PickTool.h"
#include "editor/PolyTool.h"
#include "editor/RectTool.h"
#include "editor/RotateTool.h"
#include "editor/SelectTool.h"
#include "editor/ZoomTool.h"
#include "framework/ui/WinApp.h"

UINT CDrawTool::c_nDownFlags = 0;
CPoint CDrawTool::c_down;
CPoint CDrawTool::c_last;
int CDrawTool::c_selectMode = kSelectNone;
int CDrawTool::c_nDragHandle = 0;
CPoint CDrawTool::c_lastLogical;

namespace {

std::vector<CDrawTool*>& ToolList() {
  static std::vector<CDrawTool*> list;
  return list;
}

// The tools, made once in their order of precedence: FindTool takes the first of a
// shape.
void ConstructTools() {
  static std::vector<std::unique_ptr<CDrawTool>> tools;
  if (!tools.empty()) return;
  tools.push_back(std::make_unique<CCreateTool>(kToolText));
  tools.push_back(std::make_unique<CCreateTool>(kToolPicture));
  tools.push_back(std::make_unique<CCreateTool>(kToolVideo));
  tools.push_back(std::make_unique<CCreateTool>(kToolSound));
  tools.push_back(std::make_unique<CCreateTool>(kToolPoint));
  tools.push_back(std::make_unique<CCreateTool>(kToolLine));
  tools.push_back(std::make_unique<CCreateTool>(kToolCapture));
  tools.push_back(std::make_unique<CCreateTool>(kToolFunction));
  tools.push_back(std::make_unique<CPolyTool>(kToolPolygon));
  tools.push_back(std::make_unique<CPolyTool>(kToolCurve));
  tools.push_back(std::make_unique<CRectTool>(kToolRect));
  tools.push_back(std::make_unique<CRectTool>(kToolRoundRect));
  tools.push_back(std::make_unique<CRectTool>(kToolEllipse));
  tools.push_back(std::make_unique<CGlueTool>());
  tools.push_back(std::make_unique<CRotateTool>());
  tools.push_back(std::make_unique<CPickTool>());
  tools.push_back(std::make_unique<CSelectTool>());
  tools.push_back(std::make_unique<CZoomTool>());
}

}  // namespace

CDrawTool::CDrawTool(int shape) : m_nShape(shape) { ToolList().push_back(this); }

CDrawTool* CDrawTool::FindTool(int shape) {
  ConstructTools();
  for (CDrawTool* tool : ToolList())
    if (tool->m_nShape == shape) return tool;
  return nullptr;
}

void CDrawTool::OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) {
  view->SetCapture();
  c_nDownFlags = flags;
  c_down = point;
  c_last = point;
}

void CDrawTool::OnLButtonDblClk(CDrawView*, UINT, const CPoint&) {}

void CDrawTool::OnLButtonUp(CDrawView*, UINT, const CPoint& point) {
  ::ReleaseCapture();
  if (point == c_down) CDrawView::s_nCurrentShape = kToolSelect;
}

void CDrawTool::OnMouseMove(CDrawView*, UINT, const CPoint& point) {
  c_last = point;
  ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

void CDrawTool::OnEditProperties(CDrawView*) {}

void CDrawTool::OnCancel() { CDrawView::s_nCurrentShape = kToolSelect; }

HCURSOR LoadToolCursor(UINT id) {
  if (HCURSOR own = ::LoadCursorA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id))) return own;
  // The nearest system cursor where the editor's own is missing.
  switch (id) {
    case 102:
    case 189:
    case 190:
    case 192: return ::LoadCursor(nullptr, IDC_CROSS);
    case 191: return ::LoadCursor(nullptr, IDC_NO);
    case 200: return ::LoadCursor(nullptr, IDC_HAND);
    case 272: return ::LoadCursor(nullptr, IDC_SIZEALL);
    default: return ::LoadCursor(nullptr, IDC_ARROW);
  }
}
