// CDoublePoint: a point in page units with double precision.
#pragma once

#include "framework/core/Point.h"

class CDoublePoint {
 public:
  CDoublePoint() = default;
  CDoublePoint(double initX, double initY) : x(initX), y(initY) {}

  void Set(const CDoublePoint& p) { *this = p; }
  CDoublePoint Add(const CDoublePoint& p) const { return CDoublePoint(x + p.x, y + p.y); }
  double DistanceSquared(const CDoublePoint& p) const { return (x - p.x) * (x - p.x) + (y - p.y) * (y - p.y); }
  CDoublePoint Scale(double f) const { return CDoublePoint(x * f, y * f); }
  // Each coordinate rounded half away from zero.
  void Round(CPoint& out) const;

  bool operator==(const CDoublePoint& o) const { return x == o.x && y == o.y; }
  bool operator!=(const CDoublePoint& o) const { return !(*this == o); }

  double x = 0.0;
  double y = 0.0;
};
