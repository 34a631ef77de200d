// CDoublePoint: a point in page units with double precision (centres, scales).
#pragma once

class CDoublePoint {
 public:
  CDoublePoint() = default;
  CDoublePoint(double initX, double initY) : x(initX), y(initY) {}
  bool operator==(const CDoublePoint& o) const { return x == o.x && y == o.y; }
  bool operator!=(const CDoublePoint& o) const { return !(*this == o); }

  double x = 0.0;
  double y = 0.0;
};
