// CDrawCompObj: a composite object. It owns member objects that move, scale, turn and
// play as one; it can run the members' own actions on its internal clock, or show them
// one at a time as the frames of a cartoon. The compose command makes one from the
// selection and the decompose command puts its members back on the page.
#pragma once

#include "framework/core/Array.h"
#include "model/MemberGroup.h"

class CDrawCompObj : public CMemberGroup {
  DECLARE_SERIAL(CDrawCompObj)

 public:
  CDrawCompObj();
  ~CDrawCompObj() override = default;

  // Takes the selected objects (in selection order) off the page into a new group; the
  // selection is emptied and the caller adds the group to the page. 0 when fewer than
  // two objects are selected.
  int Group(CView* view, const CObList& selection);
  // The members go back onto the page and the group is destroyed.
  void Ungroup(CView* view);

  void Serialize(CArchive& ar) override;
  void ScaleAbout(double factor, double centreX, double centreY, CView* view) override;
  void SetRect(const CRect& rect, CView* view) override;
  void MoveHandleTo(int handle, int x, int y, CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  void MapRect(const CRect& from, const CRect& to, CRect& result) override;
  void Step(int t, CView* view) override;
  int Drive(int index, int tick, int x, int y, int key, const CString& text, CDrawObj* second,
            CDrawObj* third) override;

  void MoveChildBackward(CView* view, CDrawObj* member) { MoveMemberBackward(member); }
  void MoveChildForward(CView* view, CDrawObj* member) { MoveMemberForward(member); }
  void RenumberChildren(BOOL sort) { RenumberMembers(sort); }

  // Each member's base rectangle when the group was made, then its rectangle after the
  // group's last resize; one per member.
  CArray<CRect, const CRect&> m_memberRects;

 protected:
  void Adopt(CDrawObj* member) override;

 private:
  // The repaint area: the rectangle widened outward by the pen's margins.
  CRect InflateByPen(CRect r) const;
  void SetBaseFromMembers();
};
