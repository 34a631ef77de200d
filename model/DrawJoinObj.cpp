#include "model/DrawJoinObj.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>

#include "framework/core/Archive.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/GeometryHelpers.h"
#include "model/ShapeEditing.h"

IMPLEMENT_SERIAL(CDrawJoinObj, CDrawObj, 0)

namespace {

constexpr COLORREF kGluePointColour = 0xFF00FF;
constexpr COLORREF kActiveHandleColour = 0xFF0000;
// Half the side of a glue point's hit square, in device pixels.
constexpr int kGlueHitPixels = 3;

bool Contains(const std::vector<CDrawObj*>& list, const CDrawObj* object) {
  return std::find(list.begin(), list.end(), object) != list.end();
}

// A point of the old rectangle mapped into the new one, as members map their centres.
LONG MapCoordinate(LONG v, LONG fromLow, LONG fromHigh, LONG toLow, LONG toHigh) {
  const double fromExtent = static_cast<double>(fromHigh) - fromLow, toExtent = static_cast<double>(toHigh) - toLow;
  const double scale = fromExtent != 0 ? toExtent / fromExtent : 1.0;
  return RoundHalfAway((static_cast<double>(toLow) + toHigh) * 0.5 + (v - (static_cast<double>(fromLow) + fromHigh) * 0.5) * scale);
}

}  // namespace

CDrawJoinObj::CDrawJoinObj() : CMemberGroup(1) {}

void CDrawJoinObj::Adopt(CDrawObj* member) {
  member->m_flags |= kFlagGlueMember;
  member->m_ownerGlue = this;
}

// ---- gluing ------------------------------------------------------------------------------

int CDrawJoinObj::Glue(CView* view, const GlueGroup& context) {
  if (context.objects.empty() || context.objects.size() != context.handles.size()) return 0;
  CDrawHost* host = GetDrawHost();
  CDrawDoc* doc = host ? host->GetDocument() : nullptr;
  // The page renumbers its layers as objects leave it: the members keep the layers they
  // had there, which order them among each other.
  std::vector<int> layers;
  for (CDrawObj* object : context.objects) layers.push_back(object->m_layer);
  int counted = 0;
  for (size_t i = 0; i < context.objects.size(); ++i) {
    CDrawObj* object = context.objects[i];
    if (!m_members.Find(object)) {
      object->ResetTransform();
      m_members.AddTail(object);
      Adopt(object);
      ++counted;
      m_internalTime = std::max(m_internalTime, object->GetTotalTime());
    }
    if (doc) doc->Remove(object);
  }
  for (size_t i = 0; i < context.objects.size(); ++i) context.objects[i]->m_layer = layers[i];
  m_glueGroups.push_back(context);
  ++m_groupCount;
  m_memberCount += counted;
  if (host) host->SelectObject(nullptr, FALSE);

  GlueGroup& group = m_glueGroups.back();
  const CPoint target = group.objects.front()->GetHandle(static_cast<int>(group.handles.front()));
  for (size_t i = 0; i < group.objects.size(); ++i) {
    CDrawObj* object = group.objects[i];
    const CPoint at = object->GetHandle(static_cast<int>(group.handles[i]));
    CRect r = object->m_position;
    r.OffsetRect(target.x - at.x, target.y - at.y);
    object->SetRect(r, view);
  }
  group.x = target.x;
  group.y = target.y;
  RenumberMembers(TRUE);
  Refit(view);
  if (host) host->InvalidateView();
  return 1;
}

void CDrawJoinObj::Unglue(CView* view) {
  if (m_glueGroups.size() != 1) return;
  ReleaseMembersToPage(view);
}

// ---- the record ------------------------------------------------------------------------

void CDrawJoinObj::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_memberCount << m_groupCount << static_cast<DWORD>(m_glueGroups.size());
    StoreClock(ar);
    // Each member's record goes into the first group that holds it; the member list is
    // then made of references to them.
    for (const GlueGroup& group : m_glueGroups) {
      ar << group.x << group.y << static_cast<DWORD>(group.handles.size());
      for (DWORD handle : group.handles) ar << handle;
      ar.WriteCount(static_cast<DWORD>(group.objects.size()));
      for (CDrawObj* object : group.objects) ar.WriteObject(object);
    }
    m_members.Serialize(ar);
    return;
  }
  NestingGuard nesting;
  DWORD groups;
  ar >> m_memberCount >> m_groupCount >> groups;
  LoadClock(ar);
  ar.CheckAvailable(groups, 14);  // the smallest group: point, count, empty list
  // What this record creates belongs to nobody until the member list has named every
  // one of them exactly once; a damaged record frees them all.
  std::vector<CDrawObj*> created, members;
  const auto damaged = [] { throw CArchiveException(CArchiveException::badIndex); };
  try {
    for (DWORD g = 0; g < groups; ++g) {
      GlueGroup group;
      DWORD handles;
      ar >> group.x >> group.y >> handles;
      ar.CheckAvailable(handles, 4);
      group.handles.resize(handles);
      for (DWORD& handle : group.handles) ar >> handle;
      if (ar.ReadCount(2) != handles) damaged();
      for (DWORD i = 0; i < handles; ++i) {
        bool isNew = false;
        auto* object = static_cast<CDrawObj*>(ar.ReadObjectIf(&CDrawDoc::IsDrawingClass, isNew));
        if (isNew)
          created.push_back(object);
        else if (!Contains(created, object))
          damaged();  // read elsewhere (or this object itself)
        group.objects.push_back(object);
      }
      m_glueGroups.push_back(std::move(group));
    }
    for (DWORD n = ar.ReadCount(2); n > 0; --n) {
      bool isNew = false;
      auto* object = static_cast<CDrawObj*>(ar.ReadObjectIf(&CDrawDoc::IsDrawingClass, isNew));
      if (isNew) created.push_back(object);
      if (isNew || !Contains(created, object) || Contains(members, object)) damaged();
      members.push_back(object);
    }
    if (members.size() != created.size()) damaged();  // an object in a group and not a member
  } catch (...) {
    for (CDrawObj* object : created) delete object;
    m_glueGroups.clear();
    throw;
  }
  for (CDrawObj* member : members) {
    m_members.AddTail(member);
    Adopt(member);
  }
  m_groupCount = static_cast<int>(m_glueGroups.size());
}

// ---- handles and hit tests ----------------------------------------------------------------

BOOL CDrawJoinObj::IsPlainShape() {
  for (CDrawObj* member : Members())
    if (!member->IsPlainShape()) return FALSE;
  return TRUE;
}

void CDrawJoinObj::ScaleAbout(double, double, double, CView*) {}

int CDrawJoinObj::GetHandleCount() {
  int count = static_cast<int>(m_glueGroups.size()) + 1;
  for (CDrawObj* member : Members()) count += member->GetHandleCount();
  return count;
}

CDrawObj* CDrawJoinObj::MemberHandle(int handle, int& local) {
  local = handle - static_cast<int>(m_glueGroups.size());
  if (local < 1) return nullptr;
  for (CDrawObj* member : Members()) {
    const int count = member->GetHandleCount();
    if (local <= count) return member;
    local -= count;
  }
  return nullptr;
}

CPoint CDrawJoinObj::GetHandle(int handle) {
  if (handle >= 1 && handle <= static_cast<int>(m_glueGroups.size())) {
    const GlueGroup& group = m_glueGroups[static_cast<size_t>(handle - 1)];
    return CPoint(group.x, group.y);
  }
  int local;
  if (CDrawObj* member = MemberHandle(handle, local)) return member->GetHandle(local);
  return ShapeEditing::CentreHalves(m_position);
}

HCURSOR CDrawJoinObj::GetHandleCursor(int handle) {
  if (handle >= 1 && handle <= static_cast<int>(m_glueGroups.size())) return ::LoadCursor(nullptr, IDC_SIZEALL);
  int local;
  if (CDrawObj* member = MemberHandle(handle, local)) return member->GetHandleCursor(local);
  return ::LoadCursor(nullptr, IDC_ARROW);
}

void CDrawJoinObj::DrawTracker(CDC* dc, int state) {
  if (state != 1 && state != 2) return;
  for (CDrawObj* member : Members()) member->DrawTracker(dc, state);
  for (const GlueGroup& group : m_glueGroups) DrawHandle(dc, group.x, group.y, 4, 0, kGluePointColour);
  if (m_showActiveHandle) {
    const CPoint p = GetHandle(m_activeHandle);
    DrawHandle(dc, p.x, p.y, 4, 0, kActiveHandleColour);
  }
}

int CDrawJoinObj::HitTest(CPoint point, CView* view, BOOL selected) {
  if (!selected) {
    const CRect r = Normal(m_position);
    return r.left <= point.x && point.x < r.right && r.bottom < point.y && point.y <= r.top ? 1 : 0;
  }
  CDrawHost* host = GetDrawHost();
  CPoint at = point;
  if (host) host->LPtoDP(at);
  for (size_t g = 0; g < m_glueGroups.size(); ++g) {
    CPoint glue(m_glueGroups[g].x, m_glueGroups[g].y);
    if (host) host->LPtoDP(glue);
    if (std::abs(at.x - glue.x) <= kGlueHitPixels && std::abs(at.y - glue.y) <= kGlueHitPixels)
      return static_cast<int>(g) + 1;
  }
  int before = static_cast<int>(m_glueGroups.size());
  for (CDrawObj* member : Members()) {
    if (const int hit = member->HitTest(point, view, TRUE)) return before + hit;
    before += member->GetHandleCount();
  }
  return 0;
}

BOOL CDrawJoinObj::Intersects(const CRect& rect) {
  for (CDrawObj* member : Members())
    if (member->Intersects(rect)) return TRUE;
  return FALSE;
}

// ---- geometry ------------------------------------------------------------------------------

void CDrawJoinObj::Refit(CView* view) {
  ShapeEditing::InvalidateFor(*this, view);
  m_position = MemberUnion();
  m_rotationCentre = ShapeEditing::CentreOf(m_position);
  m_baseRect = NormalUnion(MemberBaseUnion(), m_position);
  ShapeEditing::InvalidateFor(*this, view);
  ShapeEditing::MarkModifiedWhenEditing(view);
}

void CDrawJoinObj::MoveHandleTo(int handle, int x, int y, CView* view) {
  if (handle >= 1 && handle <= static_cast<int>(m_glueGroups.size())) {
    GlueGroup& group = m_glueGroups[static_cast<size_t>(handle - 1)];
    group.x = x;
    group.y = y;
    for (size_t i = 0; i < group.objects.size(); ++i)
      group.objects[i]->MoveHandleTo(static_cast<int>(group.handles[i]), x, y, view);
  } else {
    int local;
    CDrawObj* member = MemberHandle(handle, local);
    if (!member) return;  // the number past the members' handles moves nothing
    member->MoveHandleTo(local, x, y, view);
  }
  Refit(view);
}

// Every member and every glue point moves once by the offset, whatever number of glue
// points a member sits on.
void CDrawJoinObj::SetRect(const CRect& rect, CView* view) {
  if (view)
    ShapeEditing::InvalidateFor(*this, view);
  else
    Invalidate();
  const int dx = rect.left - m_position.left, dy = rect.top - m_position.top;
  for (CDrawObj* member : Members()) {
    CRect r = member->m_position;
    r.OffsetRect(dx, dy);
    member->SetRect(r, view);
  }
  for (GlueGroup& group : m_glueGroups) {
    group.x += dx;
    group.y += dy;
  }
  m_position = rect;
  m_rotationCentre = ShapeEditing::CentreOf(rect);
  m_baseRect = MemberBaseUnion();
  ShapeEditing::InvalidateFor(*this, view);
  ShapeEditing::MarkModifiedWhenEditing(view);
}

// The members map themselves; the glued object maps its own rectangle without
// mirroring it, and its glue points go with the members they pin.
void CDrawJoinObj::MapRect(const CRect& from, const CRect& to, CRect& result) {
  for (CDrawObj* member : Members()) {
    CRect out;
    member->MapRect(from, to, out);
  }
  for (GlueGroup& group : m_glueGroups) {
    group.x = MapCoordinate(group.x, from.left, from.right, to.left, to.right);
    group.y = MapCoordinate(group.y, from.top, from.bottom, to.top, to.bottom);
  }
  const bool leftToRight = m_position.left <= m_position.right, topAbove = m_position.top >= m_position.bottom;
  CDrawObj::MapRect(from, to, result);
  if ((m_position.left <= m_position.right) != leftToRight) std::swap(m_position.left, m_position.right);
  if ((m_position.top >= m_position.bottom) != topAbove) std::swap(m_position.top, m_position.bottom);
  result = m_position;
}

// ---- copies ---------------------------------------------------------------------------------

CDrawObj* CDrawJoinObj::Clone(CDrawObj*) {
  try {
    std::unique_ptr<CDrawJoinObj> clone(new CDrawJoinObj);
    CDrawObj::Clone(clone.get());
    if (!CloneMembersInto(*clone)) return nullptr;
    std::map<CDrawObj*, CDrawObj*> copies;
    const std::vector<CDrawObj*> originals = Members(), made = clone->Members();
    for (size_t i = 0; i < originals.size(); ++i) copies[originals[i]] = made[i];
    for (const GlueGroup& group : m_glueGroups) {
      GlueGroup copy;
      copy.x = group.x;
      copy.y = group.y;
      copy.handles = group.handles;
      for (CDrawObj* object : group.objects) copy.objects.push_back(copies.at(object));
      clone->m_glueGroups.push_back(std::move(copy));
    }
    clone->m_groupCount = m_groupCount;
    return clone.release();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

CDrawObj* CDrawJoinObj::Duplicate(CDrawDoc* document) { return ShapeEditing::PlaceDuplicate(Clone(nullptr), document); }

// ---- the run ------------------------------------------------------------------------------

void CDrawJoinObj::SavePlayState(CView* view, CDrawObj* owner) {
  CMemberGroup::SavePlayState(view, owner);
  m_savedGluePoints.clear();
  for (const GlueGroup& group : m_glueGroups) m_savedGluePoints.emplace_back(group.x, group.y);
}

void CDrawJoinObj::RestorePlayState(CView* view) {
  if (!m_playState.saved) return;
  CMemberGroup::RestorePlayState(view);
  for (size_t g = 0; g < m_glueGroups.size() && g < m_savedGluePoints.size(); ++g) {
    m_glueGroups[g].x = m_savedGluePoints[g].x;
    m_glueGroups[g].y = m_savedGluePoints[g].y;
  }
}

void CDrawJoinObj::Step(int t, CView* view) { StepGroup(t, view); }
