// CBezier: a cubic Bezier curve, split and walked by arc length to place trajectory
// points evenly along curves.
#pragma once

#include "model/DoublePoint.h"

class CBezier {
 public:
  CBezier() = default;
  CBezier(const CDoublePoint& p0, const CDoublePoint& p1, const CDoublePoint& p2, const CDoublePoint& p3)
      : m_p{p0, p1, p2, p3} {}

  void ToPoints(POINT out[4]) const;
  // De Casteljau at t = 0.5.
  void Halve(CBezier& left, CBezier& right) const;
  // first receives the piece up to t; this curve becomes the rest.
  void SplitAt(double t, CBezier& first);
  // The parameter at which the arc length from the start reaches distance (within half
  // a unit); distance is reduced by the length walked. 1.0 when the curve is shorter.
  double ParameterAtDistance(unsigned& distance) const;

  const CDoublePoint& P(int i) const { return m_p[i]; }

 private:
  struct Walk {
    double target;  // D: the distance still wanted, 0 once reached
    double t;       // T
    double length;  // S
    int depth;      // k
  };
  void WalkLength(Walk& walk) const;

  CDoublePoint m_p[4];
};
