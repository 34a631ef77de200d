#include "editor/RectTool.h"

#include <new>

#include "editor/DrawView.h"
#include "editor/SelectTool.h"
#include "editor/ToolStyle.h"
#include "framework/core/MessageBox.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "resources/KordelIds.h"

void CRectTool::OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) {
  CDrawTool::OnLButtonDown(view, flags, point);
  CPoint local = point;
  view->DPtoLPPoint(local);
  view->SetCapture();
  auto* rect = new (std::nothrow) CDrawRect(CRect(local, local));
  if (!rect) {
    ::ReleaseCapture();
    AfxMessageBox(IDS_OUT_OF_MEMORY, MB_ICONHAND);
    return;
  }
  CopyCurrentStyle(*rect, *view, StyleCopy::shape);
  switch (m_nShape) {
    case kToolRoundRect:
      rect->m_shape = kShapeRoundRectangle;
      rect->m_shapeParam1 = 2;
      break;
    case kToolEllipse:
      rect->m_shape = kShapeEllipse;
      rect->m_shapeParam1 = 2;
      break;
    default:
      rect->m_shape = kShapeRectangle;
      rect->m_shapeParam1 = 1;
      break;
  }
  rect->m_shapeParam2 = 8;
  AddNewObject(view, rect, m_nShape);
  m_pCreated = rect;
  c_selectMode = kSelectSize;
  c_nDragHandle = 1;
  c_lastLogical = local;
}

void CRectTool::OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) {
  ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
  if (point == c_down) return;
  const CPoint adjusted = ConstrainDrag(point, c_down, flags);
  CSelectTool::Get().OnMouseMove(view, flags, adjusted);
}

void CRectTool::OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point) {
  CDrawObj* created = m_pCreated;
  m_pCreated = nullptr;
  if (point == c_down) {
    // A click without a drag selects what is there instead of drawing.
    if (CDrawObj* object = created) {
      view->GetDocument()->Remove(object);
      view->Deselect(object);
      object->Delete();
    }
    CSelectTool::Get().OnLButtonDown(view, flags, point);
  }
  CSelectTool::Get().OnLButtonUp(view, flags, point);
}
