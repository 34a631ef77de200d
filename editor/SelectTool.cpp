#include "editor/SelectTool.h"

#include "editor/DrawView.h"
#include "framework/ui/ClientDC.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"

namespace {

CPoint ToLogical(CDrawView* view, CPoint point) {
  view->DPtoLPPoint(point);
  return point;
}

void DrawBand(CDrawView* view, const CPoint& from, const CPoint& to) {
  CRect band(from.x, from.y, to.x, to.y);
  band.NormalizeRect();
  CClientDC dc(view);
  dc.DrawFocusRect(&band);
}

void NotifyPanel(WPARAM what, CDrawObj* object) {
  if (CDrawHost* host = GetDrawHost()) host->PostPropertyPanel(what, object);
}

}  // namespace

CSelectTool& CSelectTool::Get() { return static_cast<CSelectTool&>(*FindTool(kToolSelect)); }

void CSelectTool::OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) {
  const CPoint local = ToLogical(view, point);
  c_selectMode = kSelectNone;
  if (view->m_selection.GetCount() == 1) {
    const int handle = view->GetLastSelected()->HitTest(local, view, TRUE);
    if (handle != 0) {
      c_selectMode = kSelectSize;
      c_nDragHandle = handle;
      c_lastLogical = local;
      CDrawTool::OnLButtonDown(view, flags, point);
      return;
    }
  }
  CDrawDoc* doc = view->GetDocument();
  if (CDrawObj* object = doc ? doc->ObjectAt(local) : nullptr) {
    c_selectMode = kSelectMove;
    NotifyPanel(2, object);
    if (!view->IsSelected(object)) view->Select(object, (flags & MK_SHIFT) != 0);
  } else {
    NotifyPanel(6, nullptr);
    if (!(flags & MK_SHIFT)) view->Select(nullptr, FALSE);
    c_selectMode = kSelectNetSelect;
    DrawBand(view, point, point);
  }
  c_lastLogical = local;
  CDrawTool::OnLButtonDown(view, flags, point);
}

void CSelectTool::OnLButtonDblClk(CDrawView* view, UINT flags, const CPoint& point) {
  if (flags & MK_SHIFT) {
    CDrawDoc* doc = view->GetDocument();
    if (CDrawObj* object = doc ? doc->ObjectAt(ToLogical(view, point)) : nullptr) view->DeselectWithRepaint(object);
  } else if (view->m_selection.GetCount() == 1) {
    view->GetLastSelected()->OnOpen(view);
  }
}

void CSelectTool::OnMouseMove(CDrawView* view, UINT flags, const CPoint& point) {
  const bool selecting = CDrawView::s_nCurrentShape == kToolSelect;
  if (::GetCapture() != view->m_hWnd) {
    if (!selecting) return;
    if (view->m_selection.GetCount() == 1) {
      CDrawObj* object = view->GetLastSelected();
      const int handle = object->HitTest(ToLogical(view, point), view, TRUE);
      if (handle != 0) {
        ::SetCursor(object->GetHandleCursor(handle));
        return;
      }
    }
    CDrawTool::OnMouseMove(view, flags, point);
    return;
  }

  const CPoint local = ToLogical(view, point);
  if (c_selectMode == kSelectNetSelect) {
    DrawBand(view, c_down, c_last);
    DrawBand(view, c_down, point);
    CDrawTool::OnMouseMove(view, flags, point);
    return;
  }
  const CPoint delta = local - c_lastLogical;
  for (POSITION pos = view->m_selection.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(view->m_selection.GetNext(pos));
    if (c_selectMode == kSelectMove) {
      CRect r = object->m_position;
      r.OffsetRect(delta);
      object->SetRect(r, view);
    } else if (c_selectMode == kSelectSize) {
      object->MoveHandleTo(c_nDragHandle, local.x, local.y, view);
    }
  }
  c_lastLogical = local;
  c_last = point;
  if (c_selectMode == kSelectSize && selecting) {
    if (CDrawObj* first = view->GetFirstSelected())
      ::SetCursor(first->GetHandleCursor(c_nDragHandle));
    else
      c_selectMode = kSelectNone;
  } else if (selecting) {
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
  }
}

void CSelectTool::OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point) {
  const CPoint local = ToLogical(view, point);
  if (::GetCapture() == view->m_hWnd) {
    CDrawDoc* doc = view->GetDocument();
    if (c_selectMode == kSelectNetSelect) {
      DrawBand(view, c_down, c_last);
      CRect band(c_down.x, c_down.y, c_last.x, c_last.y);
      band.NormalizeRect();
      view->SelectWithinRect(band, TRUE);
    } else if (c_selectMode == kSelectMove && doc) {
      NotifyPanel(2, doc->ObjectAt(local));
    }
    if ((c_selectMode == kSelectMove || c_selectMode == kSelectSize) && doc) doc->UpdateAllViews(nullptr);
  }
  c_lastLogical = local;
  CDrawTool::OnLButtonUp(view, flags, point);
}
