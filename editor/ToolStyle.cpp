#include "editor/ToolStyle.h"

#include <algorithm>
#include <cstdlib>

#include "editor/DrawView.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"

void CopyCurrentStyle(CDrawObj& object, const CDrawView& view, StyleCopy what) {
  const int width = view.GetLineWidth();
  object.m_pen.lopnColor = view.GetLineColour();
  if (what == StyleCopy::point) {
    object.m_pen.lopnWidth.x = object.m_pen.lopnWidth.y = width == 0 ? 1 : width;
    return;
  }
  object.m_pen.lopnWidth.x = object.m_pen.lopnWidth.y = width;
  object.m_brush.lbColor = view.GetFillColour();
  object.m_pen.lopnStyle = static_cast<UINT>(view.GetPenStyle());
  object.m_dashCap = view.GetDashCap();
  if (what == StyleCopy::shape) {
    object.m_closed = view.GetClosed();
    object.m_filled = view.GetFilled();
  }
  object.m_baseRect = object.GetDrawBounds();
}

void AddNewObject(CDrawView* view, CDrawObj* object, int shape) {
  CDrawDoc* doc = view->GetDocument();
  object->m_name.Format("%s%d", CDrawDoc::KindWord(shape).GetString(), doc->m_nameCounters[shape]);
  doc->Add(object);
  ++doc->m_nameCounters[shape];
  view->Select(object, FALSE);
}

CPoint ConstrainDrag(CPoint point, const CPoint& down, UINT flags) {
  constexpr int kMinimumDrag = 10;
  if (flags & MK_SHIFT) {
    const int dx = point.x - down.x, dy = point.y - down.y;
    const int side = std::max(std::abs(dx), std::abs(dy));
    point.x = down.x + (dx < 0 ? -side : side);
    point.y = down.y + (dy < 0 ? -side : side);
  }
  if (std::abs(point.x - down.x) < kMinimumDrag)
    point.x = point.x < down.x ? down.x - kMinimumDrag : down.x + kMinimumDrag;
  if (std::abs(point.y - down.y) < kMinimumDrag)
    point.y = point.y < down.y ? down.y - kMinimumDrag : down.y + kMinimumDrag;
  return point;
}
