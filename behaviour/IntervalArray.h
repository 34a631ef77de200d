// CIntervalArray: a user function's domain, the intervals and isolated points in the
// order the author entered them.
#pragma once

#include "framework/core/Array.h"

// How an interval's ends belong to it, or which kind of isolated point it is.
enum IntervalEnd {
  kEndClosedClosed = 0,  // [left, right]
  kEndOpenClosed = 1,    // (left, right]
  kEndClosedOpen = 2,    // [left, right)
  kEndOpenOpen = 3,      // (left, right)
  kEndSolidPoint = 4,    // the point (left, right)
  kEndHollowPoint = 5,
};
constexpr int kIntervalEndKinds = 6;

struct CInterval {
  double left = -10.0;   // an isolated point's x (or theta, or t)
  double right = 10.0;   // an isolated point's y
  double step = 0.1;     // sampling distance; 0 samples nothing
  int endKind = kEndClosedClosed;

  bool IsPoint() const { return endKind == kEndSolidPoint || endKind == kEndHollowPoint; }
  bool operator==(const CInterval& o) const {
    return left == o.left && right == o.right && step == o.step && endKind == o.endKind;
  }
};

class CIntervalArray : public CArray<CInterval, const CInterval&> {};
