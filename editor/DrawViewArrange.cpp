// CDrawView: arranging the selection: alignment on the last selected object, centring on
// the page's centre lines, equal spacing, equal sizes, the picture's own size and the
// shape adjustment. Rectangles are in page units with y up: "left" and "right" are the
// smaller and larger x, "bottom" and "top" the smaller and larger y, whichever way an
// object's rectangle is stored.
#include <algorithm>
#include <vector>

#include "editor/DrawView.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"

namespace {

struct Extent {
  int left, right, bottom, top;
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (bottom + top) / 2; }
};

Extent ExtentOf(const CDrawObj* object) {
  const CRect& r = object->m_position;
  return Extent{std::min(r.left, r.right), std::max(r.left, r.right), std::min(r.top, r.bottom),
                std::max(r.top, r.bottom)};
}

std::vector<CDrawObj*> Objects(const CObList& list) {
  std::vector<CDrawObj*> objects;
  for (POSITION pos = list.GetHeadPosition(); pos;) objects.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
  return objects;
}

void MoveBy(CDrawObj* object, int dx, int dy, CView* view) {
  if (dx == 0 && dy == 0) return;
  CRect r = object->m_position;
  r.OffsetRect(dx, dy);
  object->SetRect(r, view);
}

void PageChanged(CDrawDoc* doc) {
  if (doc) doc->SetModifiedFlag(TRUE);
}

}  // namespace

void CDrawView::AlignSelection(int which) {
  if (m_selection.GetCount() < 2 || Running()) return;
  CDrawObj* reference = GetLastSelected();
  const Extent to = ExtentOf(reference);
  for (CDrawObj* object : Objects(m_selection)) {
    if (object == reference) continue;
    const Extent from = ExtentOf(object);
    switch (which) {
      case 0: MoveBy(object, to.left - from.left, 0, this); break;
      case 1: MoveBy(object, to.right - from.right, 0, this); break;
      case 2: MoveBy(object, 0, to.top - from.top, this); break;
      case 3: MoveBy(object, 0, to.bottom - from.bottom, this); break;
      default: MoveBy(object, to.CentreX() - from.CentreX(), to.CentreY() - from.CentreY(), this); break;
    }
  }
  PageChanged(GetDocument());
}

void CDrawView::OnAlignLeft() { AlignSelection(0); }
void CDrawView::OnAlignRight() { AlignSelection(1); }
void CDrawView::OnAlignTop() { AlignSelection(2); }
void CDrawView::OnAlignBottom() { AlignSelection(3); }
void CDrawView::OnAlignCentre() { AlignSelection(4); }

void CDrawView::CentreSelection(bool vertically) {
  if (m_selection.IsEmpty() || Running()) return;
  for (CDrawObj* object : Objects(m_selection)) {
    const Extent e = ExtentOf(object);
    if (vertically)
      MoveBy(object, 0, -e.CentreY(), this);
    else
      MoveBy(object, -e.CentreX(), 0, this);
  }
  PageChanged(GetDocument());
}

void CDrawView::OnCentreVertically() { CentreSelection(true); }
void CDrawView::OnCentreHorizontally() { CentreSelection(false); }

void CDrawView::SpaceSelection(bool horizontally) {
  const int n = m_selection.GetCount();
  if (n < 3 || Running()) return;
  std::vector<CDrawObj*> order = Objects(m_selection);
  auto centre = [horizontally](CDrawObj* object) {
    const Extent e = ExtentOf(object);
    return horizontally ? e.CentreX() : e.CentreY();
  };
  int lowest = centre(order.front()), highest = lowest;
  for (CDrawObj* object : order) {
    lowest = std::min(lowest, centre(object));
    highest = std::max(highest, centre(object));
  }
  const int step = (highest - lowest) / (n - 1);
  // An exchange sort: the order it leaves equal centres in is the order they are spaced.
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      if (horizontally ? centre(order[j]) < centre(order[i]) : centre(order[j]) > centre(order[i]))
        std::swap(order[i], order[j]);
  for (int k = 0; k < n; ++k) {
    const int now = centre(order[k]);
    if (horizontally)
      MoveBy(order[k], lowest + k * step - now, 0, this);
    else
      MoveBy(order[k], 0, highest - k * step - now, this);
  }
  PageChanged(GetDocument());
}

void CDrawView::OnSpaceHorizontally() { SpaceSelection(true); }
void CDrawView::OnSpaceVertically() { SpaceSelection(false); }

void CDrawView::SizeSelection(bool width, bool height) {
  if (m_selection.GetCount() < 2 || Running()) return;
  CDrawObj* reference = GetLastSelected();
  const Extent e = ExtentOf(reference);
  const int w = e.right - e.left, h = e.top - e.bottom;
  for (CDrawObj* object : Objects(m_selection)) {
    if (object == reference) continue;
    // The edge handles by where they lie: the left and the upper edge (larger y) stay.
    if (width) {
      int low = object->LeftEdgeHandle(), high = object->RightEdgeHandle();
      if (object->GetHandle(low).x > object->GetHandle(high).x) std::swap(low, high);
      object->MoveHandleTo(high, object->GetHandle(low).x + w, object->GetHandle(high).y, this);
    }
    if (height) {
      int low = object->BottomEdgeHandle(), high = object->TopEdgeHandle();
      if (object->GetHandle(low).y > object->GetHandle(high).y) std::swap(low, high);
      object->MoveHandleTo(low, object->GetHandle(low).x, object->GetHandle(high).y - h, this);
    }
  }
  PageChanged(GetDocument());
}

void CDrawView::OnSameWidth() { SizeSelection(true, false); }
void CDrawView::OnSameHeight() { SizeSelection(false, true); }
void CDrawView::OnSameSize() { SizeSelection(true, true); }

void CDrawView::OnMatchPictureSize() {
  CDrawObj* object = GetLastSelected();
  CDrawDoc* doc = GetDocument();
  if (m_selection.GetCount() != 1 || !object || !doc || Running() || !object->HasPicture()) return;
  const CSize size = object->GetPictureSize();
  const Extent e = ExtentOf(object);
  // The top-left corner stays.
  object->SetRect(CRect(e.left, e.top, e.left + size.cx, e.top - size.cy), this);
  doc->SetModifiedFlag(TRUE);
  doc->UpdateAllViews(nullptr);
}

void CDrawView::OnAdjustShape() {
  if (Running()) return;
  for (CDrawObj* object : Objects(m_selection)) object->MakeSquare(this);
  if (!m_selection.IsEmpty()) PageChanged(GetDocument());
}
