#include "model/MemberGroup.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

#include "framework/core/Archive.h"
#include "framework/ui/DC.h"
#include "model/CodeTables.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawLine.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/PropertyRows.h"
#include "model/ShapeEditing.h"
#include "model/ShapePainter.h"
#include "resources/ModelStrings.h"

namespace {

// Records nest through composites and glued objects; a hostile file must not be able
// to nest them until the reader's stack runs out.
constexpr int kMaxNesting = 64;
thread_local int t_nesting = 0;

bool IsKindNamed(const CDrawObj& object, const char* name) {
  const CRuntimeClass* cls = CRuntimeClass::FromName(name);
  return cls && object.IsKindOf(cls);
}

// The drawing-tool shape whose kind word and name counter name an object of this kind;
// -1 for a kind without one.
int ShapeOf(const CDrawObj& object) {
  static const struct {
    const char* name;
    int shape;
  } kKinds[] = {{"CDrawJoinObj", 19}, {"CDrawCompObj", 16}, {"CDrawAnimate", 17}, {"CDrawPoint", 14},
                {"CDrawLine", 8},     {"CDrawMedia", 18},   {"CDrawMeta", 7},     {"CDrawText", 6},
                {"CDrawFun", 21}};
  for (const auto& kind : kKinds)
    if (IsKindNamed(object, kind.name)) return kind.shape;
  // The rectangle family and polygons by their shape.
  if (const auto* rect = dynamic_cast<const CDrawRect*>(&object))
    return rect->m_shape == kShapeRoundRectangle ? 10 : rect->m_shape == kShapeEllipse ? 11 : 9;
  if (const auto* poly = dynamic_cast<const CDrawPoly*>(&object)) return poly->m_polyKind == kPolyCurve ? 13 : 12;
  return -1;
}

bool NameTaken(CDrawDoc& doc, const CString& name, const CDrawObj* except) {
  for (POSITION pos = doc.m_objects.GetHeadPosition(); pos;) {
    const CDrawObj* other = static_cast<CDrawObj*>(doc.m_objects.GetNext(pos));
    if (other != except && other->m_name == name) return true;
  }
  return false;
}

// The group's own action types: the base's nine and the cartoon.
const CodeTables::CodeName kGroupActionTypes[] = {
    {CMethod::typeTranslate, IDS_ACTION_TRANSLATE},
    {CMethod::typeRotate, IDS_ACTION_ROTATE},
    {CMethod::typeEffect, IDS_ACTION_EFFECT},
    {CMethod::typePageSwitch, IDS_ACTION_PAGE_SWITCH},
    {CMethod::typeShowHide, IDS_ACTION_SHOW_HIDE},
    {CMethod::typeLayer, IDS_ACTION_LAYER},
    {CMethod::typeExit, IDS_ACTION_EXIT},
    {CMethod::typeRunProgram, IDS_ACTION_RUN_PROGRAM},
    {CMethod::typeControlPoint, IDS_ACTION_CONTROL_POINT},
    {CMethod::typeCartoon, IDS_ACTION_CARTOON},
};
constexpr int kGroupActionTypeCount = sizeof kGroupActionTypes / sizeof kGroupActionTypes[0];

}  // namespace

CRect CMemberGroup::Normal(const CRect& r) { return NormalUnion(r, r); }

CRect CMemberGroup::NormalUnion(const CRect& a, const CRect& b) {
  return CRect(std::min({a.left, a.right, b.left, b.right}), std::max({a.top, a.bottom, b.top, b.bottom}),
               std::max({a.left, a.right, b.left, b.right}), std::min({a.top, a.bottom, b.top, b.bottom}));
}

CMemberGroup::~CMemberGroup() {
  while (!m_members.IsEmpty()) delete static_cast<CDrawObj*>(m_members.RemoveHead());
}

CMemberGroup::NestingGuard::NestingGuard() {
  if (t_nesting >= kMaxNesting) throw CArchiveException(CArchiveException::badIndex);
  ++t_nesting;
}

CMemberGroup::NestingGuard::~NestingGuard() { --t_nesting; }

std::vector<CDrawObj*> CMemberGroup::Members() const {
  std::vector<CDrawObj*> members;
  members.reserve(static_cast<size_t>(m_members.GetCount()));
  for (POSITION pos = m_members.GetHeadPosition(); pos;) members.push_back(static_cast<CDrawObj*>(m_members.GetNext(pos)));
  return members;
}

BOOL CMemberGroup::CanExport() {
  for (CDrawObj* member : Members())
    if (!member->CanExport()) return FALSE;
  return TRUE;
}

CRect CMemberGroup::MemberUnion() const {
  const std::vector<CDrawObj*> members = Members();
  if (members.empty()) return CRect();
  CRect r = NormalUnion(members.front()->m_position, members.front()->m_position);
  for (CDrawObj* member : members) r = NormalUnion(r, member->m_position);
  return r;
}

CRect CMemberGroup::MemberBaseUnion() const {
  const std::vector<CDrawObj*> members = Members();
  if (members.empty()) return CRect();
  CRect r = NormalUnion(members.front()->m_baseRect, members.front()->m_baseRect);
  for (CDrawObj* member : members) r = NormalUnion(r, member->m_baseRect);
  return r;
}

// ---- member order -----------------------------------------------------------------------

// Members swap places by value, so the cartoon's positions stay on their list nodes.
void CMemberGroup::MoveMemberBackward(CDrawObj* member) {
  POSITION pos = m_members.Find(member);
  if (!pos || pos == m_members.GetHeadPosition()) return;
  POSITION before = pos;
  m_members.GetPrev(before);
  m_members.SetAt(pos, m_members.GetAt(before));
  m_members.SetAt(before, member);
  member->Invalidate();
  RenumberMembers(FALSE);
}

void CMemberGroup::MoveMemberForward(CDrawObj* member) {
  POSITION pos = m_members.Find(member);
  if (!pos || pos == m_members.GetTailPosition()) return;
  POSITION after = pos;
  m_members.GetNext(after);
  m_members.SetAt(pos, m_members.GetAt(after));
  m_members.SetAt(after, member);
  member->Invalidate();
  RenumberMembers(FALSE);
}

void CMemberGroup::RenumberMembers(BOOL sort) {
  std::vector<CDrawObj*> order = Members();
  if (sort) {
    // Selection sort replacing the candidate only when strictly lower: equal layers keep
    // their order, as the page's own renumbering does.
    for (size_t i = 0; i + 1 < order.size(); ++i) {
      size_t lowest = i;
      for (size_t j = i + 1; j < order.size(); ++j)
        if (order[j]->m_layer < order[lowest]->m_layer) lowest = j;
      std::swap(order[i], order[lowest]);
    }
  }
  int layer = 1;
  POSITION pos = m_members.GetHeadPosition();
  for (CDrawObj* member : order) {
    member->m_layer = layer++;
    m_members.SetAt(pos, member);
    m_members.GetNext(pos);
  }
}

// ---- drawing and the cartoon --------------------------------------------------------------

CDrawObj* CMemberGroup::CartoonMember() const {
  if (m_cartoonCurrent) return static_cast<CDrawObj*>(m_members.GetAt(m_cartoonCurrent));
  return m_members.IsEmpty() ? nullptr : static_cast<CDrawObj*>(m_members.GetHead());
}

int CMemberGroup::DrawObject(CDC* dc, CView* view) {
  if (!m_visible) return 0;
  HDC hdc = dc->GetSafeHdc();
  const LOGPEN bounded = CShapePainter::BoundedLogPen(m_pen);
  HPEN pen = ::CreatePenIndirect(&bounded);
  HBRUSH brush = ::CreateBrushIndirect(&m_brush);
  HGDIOBJ oldBrush = ::SelectObject(hdc, m_filled && brush ? static_cast<HGDIOBJ>(brush) : ::GetStockObject(NULL_BRUSH));
  HGDIOBJ oldPen = ::SelectObject(hdc, m_outlined && pen ? static_cast<HGDIOBJ>(pen) : ::GetStockObject(NULL_PEN));
  if (m_cartoonMode == 0) {
    for (CDrawObj* member : Members()) member->Draw(dc, view);
  } else if (CDrawObj* member = CartoonMember()) {
    member->Draw(dc, view);
  }
  ::SelectObject(hdc, oldPen);
  ::SelectObject(hdc, oldBrush);
  if (pen) ::DeleteObject(pen);
  if (brush) ::DeleteObject(brush);
  return 1;
}

// The cartoon advances here, once per frame the action asks for; painting only shows the
// current member, so extra repaints skip nothing.
void CMemberGroup::AdvanceCartoon() {
  POSITION show = m_cartoonNext ? m_cartoonNext : m_members.GetHeadPosition();
  m_cartoonCurrent = show;
  POSITION after = show;
  if (after) m_members.GetNext(after);
  m_cartoonNext = after ? after : m_members.GetHeadPosition();
}

void CMemberGroup::SetCartoonFrame(int a, int b, int c) {
  m_cartoonMode = a;
  m_cartoonParam = b;
  m_cartoonInterval = c;
  if (c == -1) return;
  AdvanceCartoon();
  Invalidate();
}

// ---- turning ----------------------------------------------------------------------------------

void CMemberGroup::SetAngle(double angle, BOOL relative, CView* view) {
  ShapeEditing::InvalidateFor(*this, view);
  const double cx = std::trunc(m_rotationCentre.x), cy = std::trunc(m_rotationCentre.y);
  const double by = relative ? angle : angle - m_angle;
  for (CDrawObj* member : Members()) member->SetAngleRect(by, cx, cy, 1, view);
  m_angle = relative ? m_angle + angle : angle;
  m_rotationState.orbitAngle = relative ? m_rotationState.orbitAngle + angle : angle;
  m_baseRect = NormalUnion(MemberBaseUnion(), m_position);
  ShapeEditing::InvalidateFor(*this, view);
  ShapeEditing::MarkModifiedWhenEditing(view);
}

void CMemberGroup::SetAngleRect(double angle, double centreX, double centreY, int mode, CView* view) {
  ShapeEditing::InvalidateFor(*this, view);
  for (CDrawObj* member : Members()) {
    if (mode == 0) {
      member->SetAngleRect(angle + member->m_rotationState.furtherAngle, centreX, centreY, 0, view);
      if (!member->IsKindOf(RUNTIME_CLASS(CDrawLine)))
        member->SetAngle(angle - m_rotationState.startOrbitAngle, FALSE, view);
    } else {
      member->SetAngleRect(angle, centreX, centreY, mode, view);
    }
  }
  m_angle = mode ? m_angle + angle : angle;
  m_rotationState.orbitAngle = mode ? m_rotationState.orbitAngle + angle : angle;
  m_rotationCentre = CDoublePoint(centreX, centreY);
  m_baseRect = NormalUnion(MemberBaseUnion(), m_position);
  ShapeEditing::InvalidateFor(*this, view);
  ShapeEditing::MarkModifiedWhenEditing(view);
}

// ---- the run --------------------------------------------------------------------------------

void CMemberGroup::SavePlayState(CView* view, CDrawObj* owner) {
  CDrawObj::SavePlayState(view, owner);
  m_loopIndex = 0;
  m_cartoonNext = m_cartoonCurrent = nullptr;
  m_savedCartoon[0] = m_cartoonMode;
  m_savedCartoon[1] = m_cartoonParam;
  m_savedCartoon[2] = m_cartoonInterval;
  // Members resolve their paths and rotation centres against the group here, once: done
  // again on every tick, an orbit would restart from wherever the member stands.
  for (CDrawObj* member : Members()) member->SavePlayState(view, this);
}

void CMemberGroup::RestorePlayState(CView* view) {
  if (!m_playState.saved) return;
  CDrawObj::RestorePlayState(view);
  m_cartoonMode = m_savedCartoon[0];
  m_cartoonParam = m_savedCartoon[1];
  m_cartoonInterval = m_savedCartoon[2];
  m_cartoonNext = m_cartoonCurrent = nullptr;
  for (CDrawObj* member : Members()) member->RestorePlayState(view);
  m_layer = m_savedLayer;
  RenumberMembers(TRUE);
}

void CMemberGroup::RestoreMembersVisibility() {
  for (CDrawObj* member : Members()) member->RestoreVisibilityLayer();
}

int CMemberGroup::LocalTick(int t) {
  const long long time = m_internalTime, start = m_internalStart, count = m_loopCount, index = m_loopIndex;
  if (m_loopInternal && time > 0 && count > 0 && index < count && t < start + count * time) {
    if (t < start + (index + 1) * time) {
      const long long local = t - start - index * time;
      if (local == m_restoreTick) {
        RestoreMembersVisibility();
        RenumberMembers(TRUE);
      }
      return static_cast<int>(local);
    }
    ++m_loopIndex;
    RestoreMembersVisibility();
    const long long since = t - start;
    if (since % time == 0 && (m_restoreTick == 0 || since > 0)) RenumberMembers(TRUE);
    return 0;
  }
  m_loopIndex = 0;
  return t;
}

BOOL CMemberGroup::StepGroup(int t, CView* view) {
  if (IsSuspended()) return FALSE;
  CDrawObj::Step(t, view);
  CDrawHost* host = GetDrawHost();
  if (host && host->IsPlaybackBreak()) return FALSE;
  if (m_internalStart < 0 || t < m_internalStart) return TRUE;
  const int local = LocalTick(t);
  // Each member steps once per tick, whatever number of actions it has: a step runs all
  // of them, and a second one would fire its discrete actions again. Trajectories are
  // found again first (without messages every tick), since they may move with the group.
  for (CDrawObj* member : Members()) {
    if (member->m_actionMask == 0 || member->m_actions.GetSize() == 0) continue;
    for (int i = 0; i < member->m_actions.GetSize(); ++i) {
      CMethod& action = member->m_actions[i];
      if (action.m_nType & (CMethod::typeTranslate | CMethod::typeControlPoint))
        member->ResolvePaths(view, &action, this, FALSE);
    }
    member->Step(local, view);
    if (host && host->IsPlaybackBreak()) return FALSE;
  }
  return TRUE;
}

int CMemberGroup::GetTotalTime() {
  long long own = 0;
  bool any = false;
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    const CMethod& action = m_actions[i];
    if (action.m_nActivation < 0) continue;
    const long long end = static_cast<long long>(action.m_nStart) + action.m_nDuration + action.m_nExtraTime;
    own = any ? std::max(own, end) : end;
    any = true;
  }
  long long total;
  if (m_loopInternal && m_loopCount >= 1) {
    const long long internalEnd = static_cast<long long>(m_internalStart) + static_cast<long long>(m_internalTime) * m_loopCount;
    total = any ? std::max(own, internalEnd) : std::max(internalEnd, 0LL);
  } else {
    total = std::max<long long>(own, m_internalTime);
  }
  return static_cast<int>(std::clamp<long long>(total, INT_MIN, INT_MAX));
}

// ---- names, pictures ------------------------------------------------------------------------

CDrawObj* CMemberGroup::FindMember(const CString& name, int trajectoryFilter) {
  for (CDrawObj* member : Members())
    if (member->m_name == name && (trajectoryFilter == 0 || member->m_trajectory == trajectoryFilter)) return member;
  return nullptr;
}

CString CMemberGroup::ActionTypeName(DWORD flag, int& index) {
  return CodeTables::NameOf(kGroupActionTypes, kGroupActionTypeCount, flag, index);
}

int CMemberGroup::ActionTypeFromName(const CString& name) {
  return CodeTables::IndexOf(kGroupActionTypes, kGroupActionTypeCount, name);
}

DWORD CMemberGroup::ActionTypeAt(int index) {
  return CodeTables::CodeAt(kGroupActionTypes, kGroupActionTypeCount, index);
}

// The internal clock's rows; its total time follows from the members and is only shown.
void CMemberGroup::ListGeneral(CPropGrid* grid) {
  CDrawObj::ListGeneral(grid);
  AddNumberRow(grid, IDS_ROW_INTERNAL_TIME, m_internalTime, TRUE);
  AddNumberRow(grid, IDS_ROW_INTERNAL_START, m_internalStart);
  AddFlagRow(grid, IDS_ROW_LOOP_INTERNAL, m_loopInternal);
  AddNumberRow(grid, IDS_ROW_LOOP_COUNT, m_loopCount);
}

void CMemberGroup::ApplyGeneral(CPropGrid* grid) {
  const BOOL refused = NameRowEmpty(grid);
  CDrawObj::ApplyGeneral(grid);
  if (refused) return;
  ReadNumberRow(grid, IDS_ROW_INTERNAL_START, m_internalStart);
  ReadFlagRow(grid, IDS_ROW_LOOP_INTERNAL, m_loopInternal);
  ReadNumberRow(grid, IDS_ROW_LOOP_COUNT, m_loopCount);
}

int CMemberGroup::CollectResources(int mode) {
  int result = 1;
  for (CDrawObj* member : Members())
    if (!member->CollectResources(mode)) result = 0;
  return result;
}

void CMemberGroup::SerializeEmbedded(CArchive& ar, int mode) {
  for (CDrawObj* member : Members()) member->SerializeEmbedded(ar, mode);
}

// ---- records, copies, leaving the page ---------------------------------------------------------

void CMemberGroup::StoreClock(CArchive& ar) {
  ar << m_loopInternal << m_reserved1028 << m_internalTime << m_loopCount << m_internalStart;
  ar << m_cartoonMode << m_cartoonParam << m_cartoonInterval;
}

void CMemberGroup::LoadClock(CArchive& ar) {
  ar >> m_loopInternal >> m_reserved1028 >> m_internalTime >> m_loopCount >> m_internalStart;
  ar >> m_cartoonMode >> m_cartoonParam >> m_cartoonInterval;
}

BOOL CMemberGroup::CloneMembersInto(CMemberGroup& clone) {
  try {
    for (CDrawObj* member : Members()) {
      CDrawObj* copy = member->Clone(nullptr);
      if (!copy) return FALSE;
      clone.m_members.AddTail(copy);  // owned by the clone from here on
      copy->ResetTransform();
      clone.Adopt(copy);
    }
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  clone.m_memberCount = m_memberCount;
  clone.m_loopInternal = m_loopInternal;
  clone.m_reserved1028 = m_reserved1028;
  clone.m_loopCount = m_loopCount;
  clone.m_internalTime = m_internalTime;
  clone.m_internalStart = m_internalStart;
  clone.m_cartoonMode = m_cartoonMode;
  clone.m_cartoonParam = m_cartoonParam;
  clone.m_cartoonInterval = m_cartoonInterval;
  clone.m_cartoonNext = clone.m_cartoonCurrent = nullptr;
  return TRUE;
}

void CMemberGroup::ReleaseMembersToPage(CView* view) {
  CDrawHost* host = GetDrawHost();
  CDrawDoc* doc = host ? host->GetDocument() : nullptr;
  if (!doc) return;
  for (CDrawObj* member : Members()) {
    member->m_flags = 0;
    member->m_ownerComposite = nullptr;
    member->m_ownerGlue = nullptr;
    const int shape = ShapeOf(*member);
    if (shape >= 0 && shape < kNameCounterCount && NameTaken(*doc, member->m_name, member)) {
      // Names bind the run: the counter goes on until the name is one nobody has.
      const CString word = CDrawDoc::KindWord(shape);
      CString name;
      do {
        name.Format("%s%d", word.GetString(), doc->m_nameCounters[shape]);
        ++doc->m_nameCounters[shape];
      } while (NameTaken(*doc, name, member));
      member->m_name = name;
    }
    doc->Add(member);
  }
  m_members.RemoveAll();
  doc->Remove(this);  // forgets its undo entries before it is gone
  if (host) host->InvalidateView();
  Delete();
}
