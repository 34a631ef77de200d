// RectCentre: the centre of an object's rectangle as motions and rotations take it,
// summed in 64 bits so that rectangles from files cannot overflow.
#pragma once

#include "framework/core/Rect.h"
#include "model/DoublePoint.h"

struct RectCentre {
  // ((left + right) / 2, (top + bottom) / 2), each halving truncated toward zero.
  static CPoint Integer(const CRect& r) {
    return CPoint(static_cast<int>((static_cast<long long>(r.left) + r.right) / 2),
                  static_cast<int>((static_cast<long long>(r.top) + r.bottom) / 2));
  }
  // ((left + right) x 0.5, (top + bottom) x 0.5).
  static CDoublePoint Exact(const CRect& r) {
    return CDoublePoint((static_cast<double>(r.left) + r.right) * 0.5, (static_cast<double>(r.top) + r.bottom) * 0.5);
  }
};
