#include "editor/PolyTool.h"

#include <new>

#include "editor/DrawApp.h"
#include "editor/DrawView.h"
#include "editor/SelectTool.h"
#include "editor/ToolStyle.h"
#include "framework/core/MessageBox.h"
#include "model/DrawDoc.h"
#include "model/DrawPoly.h"
#include "resources/KordelIds.h"

void CPolyTool::OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) {
  CDrawTool::OnLButtonDown(view, flags, point);
  CPoint local = point;
  view->DPtoLPPoint(local);
  if (!m_pDrawObj) {
    view->SetCapture();
    auto* poly = new (std::nothrow) CDrawPoly(CRect(local, local));
    if (!poly) {
      ::ReleaseCapture();
      AfxMessageBox(IDS_OUT_OF_MEMORY, MB_ICONHAND);
      return;
    }
    CopyCurrentStyle(*poly, *view, StyleCopy::shape);
    poly->m_polyKind = m_nShape == kToolCurve ? kPolyCurve : kPolyLines;
    AddNewObject(view, poly, m_nShape);
    poly->AddPoint(local, view);
    m_pDrawObj = poly;
  } else if (local == m_pDrawObj->PointAt(0)) {
    Finish(view, true);
    return;
  }
  // The next vertex starts one unit to the right, so that it never repeats the one just
  // placed, and follows the mouse from there.
  m_pDrawObj->AddPoint(CPoint(local.x + 1, local.y), view);
  c_selectMode = kSelectSize;
  c_nDragHandle = m_pDrawObj->m_pointCount;
  c_lastLogical = m_pDrawObj->PointAt(m_pDrawObj->m_pointCount - 1);
}

void CPolyTool::OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) {
  if (m_pDrawObj && (flags & MK_LBUTTON)) {
    c_nDragHandle = m_pDrawObj->m_pointCount;
    CPoint local = point;
    view->DPtoLPPoint(local);
    c_lastLogical = local;
    c_last = point;
    ::SetCursor(LoadToolCursor(102));
    return;
  }
  ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
  CSelectTool::Get().OnMouseMove(view, flags, point);
}

void CPolyTool::OnLButtonDblClk(CDrawView* view, UINT, const CPoint&) {
  if (!m_pDrawObj) {
    ::ReleaseCapture();
    return;
  }
  // The double click's own press placed a vertex where the last one already stands (or
  // one unit to its right): it goes.
  const int count = m_pDrawObj->m_pointCount;
  bool duplicate = false;
  if (count >= 2) {
    const CPoint last = m_pDrawObj->PointAt(count - 1), before = m_pDrawObj->PointAt(count - 2);
    duplicate = last == before || (last.y == before.y && last.x == before.x + 1);
  }
  Finish(view, duplicate);
}

void CPolyTool::Finish(CDrawView* view, bool dropPending) {
  if (::GetCapture() == view->m_hWnd) ::ReleaseCapture();
  CDrawPoly* poly = m_pDrawObj;
  m_pDrawObj = nullptr;
  c_selectMode = kSelectNone;
  CDrawView::s_nCurrentShape = kToolSelect;
  if (dropPending) poly->RemoveLastPoint(view);
  if (poly->m_pointCount < 2) {
    CDrawDoc* doc = view->GetDocument();
    doc->Remove(poly);
    view->Deselect(poly);
    doc->SetModifiedFlag(TRUE);
    poly->Delete();
    view->Invalidate(FALSE);
  }
}

void CPolyTool::OnCancel() {
  CDrawApp* app = GetDrawApp();
  CDrawView* view = app ? app->GetActiveDrawView() : nullptr;
  if (m_pDrawObj && view)
    Finish(view, true);
  else
    m_pDrawObj = nullptr;
  CDrawTool::OnCancel();
}
