// CMemberOrder: what the change-layer and cartoon actions ask of an object that holds
// members (composite and glued objects): moving one member a place among the others,
// and how many there are.
#pragma once

class CDrawObj;

class CMemberOrder {
 public:
  // One place toward the back (the start of the member list) or the front; a member at
  // that end, or an object that is no member, stays where it is.
  virtual void MoveMemberBackward(CDrawObj* member) = 0;
  virtual void MoveMemberForward(CDrawObj* member) = 0;
  virtual int GetMemberCount() = 0;

 protected:
  CMemberOrder() = default;
  ~CMemberOrder() = default;  // never deleted through this interface
  CMemberOrder(const CMemberOrder&) = default;
  CMemberOrder& operator=(const CMemberOrder&) = default;
};
