// CMemberGroup: what composite and glued objects share. Both own member objects that
// draw, move, turn and play together: a member list in drawing order (head first), a
// cartoon that shows one member per frame, and an internal clock on which the members'
// own actions run, optionally repeated. The two kinds differ in how members are placed
// (a composite maps them into its rectangle, a glued object pins them at glue points),
// in their records and in one tick of their clocks.
#pragma once

#include <vector>

#include "framework/core/ObList.h"
#include "model/DrawObj.h"
#include "model/MemberOrder.h"

class CMemberGroup : public CDrawObj, public CMemberOrder {
 public:
  ~CMemberGroup() override;  // destroys the members

  // CMemberOrder: the change-layer and cartoon actions of members.
  void MoveMemberBackward(CDrawObj* member) override;
  void MoveMemberForward(CDrawObj* member) override;
  int GetMemberCount() override { return m_members.GetCount(); }
  // Layers 1..n in list order, after a stable ascending sort by layer when sort is set.
  void RenumberMembers(BOOL sort);

  int DrawObject(CDC* dc, CView* view) override;
  void SetAngle(double angle, BOOL relative, CView* view) override;
  void SetAngleRect(double angle, double centreX, double centreY, int mode, CView* view) override;
  void SavePlayState(CView* view, CDrawObj* owner) override;
  void RestorePlayState(CView* view) override;
  int CollectResources(int mode) override;
  void SerializeEmbedded(CArchive& ar, int mode) override;
  CDrawObj* FindMember(const CString& name, int trajectoryFilter) override;
  int GetTotalTime() override;
  CString ActionTypeName(DWORD flag, int& index) override;
  int ActionTypeFromName(const CString& name) override;
  void SetCartoonFrame(int a, int b, int c) override;
  // When every member does.
  BOOL CanExport() override;

  // The members in list order, as a copy that survives changes to the list.
  std::vector<CDrawObj*> Members() const;
  // The union of the members' positions, y-up normal (left < right, bottom < top);
  // an empty rectangle at the origin without members.
  CRect MemberUnion() const;
  CRect MemberBaseUnion() const;
  // Rectangles in y-up normal form (left <= right, bottom <= top), whatever their
  // orientation; Win32's own union takes y-up rectangles for empty.
  static CRect Normal(const CRect& r);
  static CRect NormalUnion(const CRect& a, const CRect& b);
  // The member the cartoon shows now: the one it last advanced to, else the head.
  CDrawObj* CartoonMember() const;

  CObList m_members;
  int m_cartoonMode = 0;
  int m_cartoonParam = 0;
  int m_cartoonInterval = 1;
  POSITION m_cartoonNext = nullptr;
  POSITION m_cartoonCurrent = nullptr;
  int m_savedCartoon[3] = {0, 0, 1};
  int m_memberCount = 0;
  int m_loopInternal = 0;
  int m_reserved1028 = 0;
  int m_loopCount = 0;
  int m_loopIndex = 0;
  int m_internalTime = 0;
  int m_internalStart = 0;

 protected:
  // restoreTick: the local tick of a repetition at which members get their visibility
  // and layer back (0 for composites, 1 for glued objects).
  explicit CMemberGroup(int restoreTick) : m_restoreTick(restoreTick) {}

  // The membership a member of this kind carries: the flag bits and the owner pointer.
  virtual void Adopt(CDrawObj* member) = 0;
  // The group's own step (the base step for its actions), then the internal clock and
  // one step of every member with actions. FALSE when the playback break stopped it.
  BOOL StepGroup(int t, CView* view);
  // Members back onto the page, in list order, renamed where a page object already has
  // their name; the group leaves the page and is destroyed. The group is gone after it.
  void ReleaseMembersToPage(CView* view);
  // The run-time field group of the clone: members cloned one by one (null when one
  // fails), the clock and cartoon values copied.
  BOOL CloneMembersInto(CMemberGroup& clone);
  // A nesting level of the record being read; beyond the limit the page is damaged.
  struct NestingGuard {
    NestingGuard();
    ~NestingGuard();
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
  };
  void StoreClock(CArchive& ar);
  void LoadClock(CArchive& ar);

 private:
  int LocalTick(int t);
  void RestoreMembersVisibility();
  void AdvanceCartoon();

  const int m_restoreTick;
};
