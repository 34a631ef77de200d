#include "editor/RotateTool.h"

#include <cmath>

#include "editor/DrawView.h"
#include "model/DrawDoc.h"
#include "model/DrawLine.h"
#include "model/DrawPoly.h"

namespace {

bool Turnable(CDrawObj* object) {
  return dynamic_cast<CDrawPoly*>(object) != nullptr || dynamic_cast<CDrawLine*>(object) != nullptr;
}

}  // namespace

void CRotateTool::OnLButtonDown(CDrawView* view, UINT, const CPoint& point) {
  CPoint local = point;
  view->DPtoLPPoint(local);
  CDrawDoc* doc = view->GetDocument();
  CDrawObj* object = doc ? doc->ObjectAt(local) : nullptr;
  if (!object) {
    view->Select(nullptr, FALSE);
    return;
  }
  const CRect& r = object->m_position;
  if (local == CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2)) return;  // no angle from the centre
  if (!Turnable(object)) return;
  view->Select(object, FALSE);
  m_bRotating = true;
  m_lastPoint = local;
}

void CRotateTool::OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) {
  if (!(flags & MK_LBUTTON) || !m_bRotating) return;
  CDrawObj* object = view->GetLastSelected();
  if (!Turnable(object)) return;
  CPoint local = point;
  view->DPtoLPPoint(local);
  const CRect& r = object->m_position;
  const double cx = (static_cast<double>(r.left) + r.right) / 2, cy = (static_cast<double>(r.top) + r.bottom) / 2;
  if (local.x == cx && local.y == cy) return;
  // Objects turn by minus their angle (clockwise on the y-up page): the pointer's
  // anticlockwise turn is negated so that the figure follows the pointer.
  const double turn = std::atan2(m_lastPoint.y - cy, m_lastPoint.x - cx) - std::atan2(local.y - cy, local.x - cx);
  object->SetAngleRect(turn, cx, cy, TRUE, view);
  m_lastPoint = local;
}

void CRotateTool::OnLButtonUp(CDrawView* view, UINT, const CPoint&) {
  if (m_bRotating)
    if (CDrawObj* object = view->GetLastSelected()) {
      object->ApplyRotation();  // the turn becomes the figure's own vertices
      view->InvalObj(object);
    }
  m_bRotating = false;
}
