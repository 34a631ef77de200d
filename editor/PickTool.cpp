#include "editor/PickTool.h"

#include "editor/DrawView.h"
#include "model/DrawObj.h"

void CPickTool::OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) {
  CDrawObj* object = view->GetLastSelected();
  if (!object) {
    // Nothing to pick on (the selection went away meanwhile).
    CDrawView::s_nCurrentShape = kToolSelect;
    return;
  }
  CDrawTool::OnLButtonDown(view, flags, point);
  CPoint local = point;
  view->DPtoLPPoint(local);
  const int handle = object->HitTest(local, view, TRUE);
  if (handle != 0) {
    object->m_activeHandle = handle;
    object->Invalidate();
  }
  ::ReleaseCapture();
  CDrawView::s_nCurrentShape = kToolSelect;
}

void CPickTool::OnMouseMove(CDrawView* view, UINT, const CPoint& point) {
  if (view->m_selection.GetCount() != 1) {
    ::ReleaseCapture();
    CDrawView::s_nCurrentShape = kToolSelect;
    return;
  }
  CPoint local = point;
  view->DPtoLPPoint(local);
  const bool onHandle = view->GetLastSelected()->HitTest(local, view, TRUE) != 0;
  ::SetCursor(onHandle ? ::LoadCursor(nullptr, IDC_CROSS) : LoadToolCursor(191));
}
