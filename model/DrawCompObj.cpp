#include "model/DrawCompObj.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

#include "framework/core/Archive.h"
#include "model/DoubleToCoord.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/ShapeEditing.h"

IMPLEMENT_SERIAL(CDrawCompObj, CDrawObj, 0)

namespace {

// A group may not be resized below this width or height.
constexpr long long kMinGroupExtent = 20;

// The cursor over a member with events during a run.
constexpr UINT kEventCursor = 200;

int SignOf(long long v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// An axis is mirrored only when its extent changes sign; an axis without extent is not.
bool Flips(long long from, long long to) { return SignOf(from) != 0 && SignOf(to) != 0 && SignOf(from) != SignOf(to); }

// A y-up normal rectangle given the orientation of each axis.
CRect Oriented(const CRect& normal, bool leftToRight, bool topAboveBottom) {
  CRect r = normal;
  if (!leftToRight) std::swap(r.left, r.right);
  if (!topAboveBottom) std::swap(r.top, r.bottom);
  return r;
}

}  // namespace

CDrawCompObj::CDrawCompObj() : CMemberGroup(0) {}

void CDrawCompObj::Adopt(CDrawObj* member) {
  member->m_flags |= kFlagCompositeMember | kFlagCompositeMember2;
  member->m_ownerComposite = this;
}

// ---- grouping ----------------------------------------------------------------------------

int CDrawCompObj::Group(CView* view, const CObList& selection) {
  // A copy: taking an object off the page deselects it.
  std::vector<CDrawObj*> chosen;
  for (POSITION pos = selection.GetHeadPosition(); pos;) chosen.push_back(static_cast<CDrawObj*>(selection.GetNext(pos)));
  if (chosen.size() < 2) return 0;
  CDrawHost* host = GetDrawHost();
  CDrawDoc* doc = host ? host->GetDocument() : nullptr;
  // The page renumbers its layers as objects leave it: the members keep the layers they
  // had on the page, so that they draw in the same order inside the group.
  std::vector<int> layers;
  for (CDrawObj* object : chosen) layers.push_back(object->m_layer);

  m_position = Normal(chosen.front()->m_position);
  m_baseRect = Normal(chosen.front()->m_baseRect);
  m_internalTime = 0;
  for (CDrawObj* object : chosen) {
    object->ResetTransform();
    m_members.AddTail(object);
    Adopt(object);
    m_internalTime = std::max(m_internalTime, object->GetTotalTime());
    if (doc) doc->Remove(object);
    m_position = NormalUnion(m_position, object->m_position);
    m_baseRect = NormalUnion(m_baseRect, object->m_baseRect);
  }
  for (size_t i = 0; i < chosen.size(); ++i) chosen[i]->m_layer = layers[i];
  m_memberCount = static_cast<int>(chosen.size());
  RenumberChildren(TRUE);
  for (CDrawObj* member : Members()) m_memberRects.Add(member->m_baseRect);
  m_rotationCentre = ShapeEditing::CentreOf(m_position);
  ResetTransform();
  if (host) host->SelectObject(nullptr, FALSE);
  return 1;
}

void CDrawCompObj::Ungroup(CView* view) { ReleaseMembersToPage(view); }

// ---- the record ------------------------------------------------------------------------

void CDrawCompObj::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_memberCount << static_cast<DWORD>(m_memberRects.GetSize());
    for (int i = 0; i < m_memberRects.GetSize(); ++i) ar << m_memberRects[i];
    StoreClock(ar);
    m_members.Serialize(ar);
    return;
  }
  NestingGuard nesting;
  DWORD rects;
  ar >> m_memberCount >> rects;
  ar.CheckAvailable(rects, 16);
  m_memberRects.SetSize(static_cast<int>(rects));
  for (DWORD i = 0; i < rects; ++i) ar >> m_memberRects[static_cast<int>(i)];
  LoadClock(ar);
  // Members are new objects only: a reference to one read elsewhere would give it two
  // owners.
  for (DWORD n = ar.ReadCount(2); n > 0; --n) {
    auto* member = static_cast<CDrawObj*>(ar.ReadNewObject(&CDrawDoc::IsDrawingClass));
    m_members.AddTail(member);
    Adopt(member);
  }
  // Resizing indexes the rectangles by member: one for each, whatever the file counted.
  const std::vector<CDrawObj*> members = Members();
  const int stored = m_memberRects.GetSize();
  m_memberRects.SetSize(static_cast<int>(members.size()));
  for (size_t i = static_cast<size_t>(stored); i < members.size(); ++i)
    m_memberRects[static_cast<int>(i)] = members[i]->m_baseRect;
}

// ---- geometry ----------------------------------------------------------------------------

CRect CDrawCompObj::InflateByPen(CRect r) const {
  auto margin = [](int v, bool plus) {
    const int m = static_cast<int>(v * 0.5 * 1.42 + (plus ? 1.0 : -1.0));
    return m < 5 ? 4 : m;
  };
  const int penX = m_pen.lopnWidth.x, penY = m_pen.lopnWidth.y;
  if (r.top <= r.bottom) {
    r.top -= margin(penY + 1, false);
    r.bottom += margin(penY, false);
  } else {
    r.top += margin(penY, true);
    r.bottom -= margin(penY + 1, true);
  }
  if (r.left <= r.right) {
    r.left -= margin(penX + 1, false);
    r.right += margin(penX, false);
  } else {
    r.left += margin(penX, true);
    r.right -= margin(penX + 1, true);
  }
  return r;
}

void CDrawCompObj::SetBaseFromMembers() { m_baseRect = InflateByPen(NormalUnion(MemberBaseUnion(), m_position)); }

void CDrawCompObj::SetRect(const CRect& rect, CView* view) {
  ShapeEditing::InvalidateFor(*this, view);
  const int dx = rect.left - m_position.left, dy = rect.top - m_position.top;
  for (CDrawObj* member : Members()) {
    CRect r = member->m_position;
    r.OffsetRect(dx, dy);
    member->SetRect(r, view);
    member->m_transformCentre.x += dx;
    member->m_transformCentre.y += dy;
  }
  m_position = rect;
  m_rotationCentre = ShapeEditing::CentreOf(rect);
  SetBaseFromMembers();
  ShapeEditing::InvalidateFor(*this, view);
  ShapeEditing::MarkModifiedWhenEditing(view);
}

void CDrawCompObj::MoveHandleTo(int handle, int x, int y, CView* view) {
  CRect r = m_position;
  if (handle == 9) {
    const CPoint centre = GetHandle(9);
    r.OffsetRect(x - centre.x, y - centre.y);
    SetRect(r, view);
    return;
  }
  switch (handle) {
    case 2: r.top = y; break;
    case 3: r.right = x; r.top = y; break;
    case 4: r.right = x; break;
    case 5: r.right = x; r.bottom = y; break;
    case 6: r.bottom = y; break;
    case 7: r.left = x; r.bottom = y; break;
    case 8: r.left = x; break;
    default: r.left = x; r.top = y; break;
  }
  const bool movesX = r.left != m_position.left || r.right != m_position.right;
  const bool movesY = r.top != m_position.top || r.bottom != m_position.bottom;
  if (movesX && std::llabs(static_cast<long long>(r.right) - r.left) < kMinGroupExtent) return;
  if (movesY && std::llabs(static_cast<long long>(r.top) - r.bottom) < kMinGroupExtent) return;

  const CRect old = m_position;
  const std::vector<CDrawObj*> members = Members();
  std::vector<CRect> placed;
  CRect all;
  for (CDrawObj* member : members) {
    CRect out;
    member->MapRect(old, r, out);
    all = placed.empty() ? Normal(out) : NormalUnion(all, out);
    placed.push_back(out);
  }
  if (members.empty()) all = Normal(r);
  // The group keeps the orientation the drag gave it.
  CDrawObj::SetRect(Oriented(all, r.left <= r.right, r.top >= r.bottom), view);
  m_rotationCentre = ShapeEditing::CentreOf(m_position);
  m_memberRects.SetSize(static_cast<int>(members.size()));
  for (size_t i = 0; i < members.size(); ++i) {
    m_memberRects[static_cast<int>(i)] = placed[i];
    members[i]->SetRect(placed[i], view);
  }
}

void CDrawCompObj::MapRect(const CRect& from, const CRect& to, CRect& result) {
  CRect all = Normal(m_position);
  bool first = true;
  for (CDrawObj* member : Members()) {
    CRect out;
    member->MapRect(from, to, out);
    all = first ? Normal(out) : NormalUnion(all, out);
    first = false;
  }
  bool leftToRight = m_position.left <= m_position.right, topAbove = m_position.top >= m_position.bottom;
  if (Flips(static_cast<long long>(from.right) - from.left, static_cast<long long>(to.right) - to.left))
    leftToRight = !leftToRight;
  if (Flips(static_cast<long long>(from.bottom) - from.top, static_cast<long long>(to.bottom) - to.top))
    topAbove = !topAbove;
  m_position = Oriented(all, leftToRight, topAbove);
  result = m_position;
}

void CDrawCompObj::ScaleAbout(double factor, double centreX, double centreY, CView* view) {
  if (factor < 1.0 && (std::llabs(static_cast<long long>(m_position.right) - m_position.left) < 21 ||
                       std::llabs(static_cast<long long>(m_position.bottom) - m_position.top) < 21))
    return;
  const int left = DoubleToCoord(m_position.left * factor - (factor - 1) * centreX);
  const int top = DoubleToCoord(m_position.top * factor - (factor - 1) * centreY);
  const int right = DoubleToCoord(m_position.right * factor - (factor - 1) * centreX);
  const int bottom = DoubleToCoord(m_position.bottom * factor - (factor - 1) * centreY);
  MoveHandleTo(1, left, top, view);
  MoveHandleTo(5, right, bottom, view);
}

// ---- copies --------------------------------------------------------------------------------

CDrawObj* CDrawCompObj::Clone(CDrawObj*) {
  try {
    std::unique_ptr<CDrawCompObj> clone(new CDrawCompObj);
    CDrawObj::Clone(clone.get());
    if (!CloneMembersInto(*clone)) return nullptr;  // the partial copy dies with its member clones
    clone->m_memberRects.Copy(m_memberRects);
    return clone.release();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

CDrawObj* CDrawCompObj::Duplicate(CDrawDoc* document) { return ShapeEditing::PlaceDuplicate(Clone(nullptr), document); }

// ---- the run ------------------------------------------------------------------------------

void CDrawCompObj::Step(int t, CView* view) {
  if (!StepGroup(t, view)) return;
  m_baseRect = NormalUnion(MemberBaseUnion(), m_position);
}

int CDrawCompObj::Drive(int index, int tick, int x, int y, int key, const CString& text, CDrawObj* second,
                        CDrawObj* third) {
  int result = CDrawObj::Drive(index, tick, x, y, key, text, second, third);
  if (!result) return 0;  // reported, or no such trigger
  const CRect probe(x, y, x + 1, y + 1);
  std::vector<CDrawObj*> members = Members();
  // The topmost member first.
  for (auto it = members.rbegin(); it != members.rend(); ++it) {
    CDrawObj* member = *it;
    if (!member->Intersects(probe)) continue;
    if (member->m_events.GetSize() > 0) {
      HCURSOR cursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kEventCursor));
      ::SetCursor(cursor ? cursor : ::LoadCursor(nullptr, IDC_HAND));
    } else if (m_events.GetSize() == 0) {
      ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    }
    result = member->Drive(index, tick, x, y, key, text, second, third);
  }
  return result;
}
