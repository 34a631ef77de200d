#include "model/Bezier.h"

#include <cmath>

namespace {

constexpr double kTolerance = 0.5;
// Halving deeper than this cannot change the result at page precision; it also stops
// degenerate (NaN or huge) control points from recursing without end.
constexpr int kMaxDepth = 40;

double Distance(const CDoublePoint& a, const CDoublePoint& b) { return std::sqrt(a.DistanceSquared(b)); }
CDoublePoint Mid(const CDoublePoint& a, const CDoublePoint& b) { return CDoublePoint((a.x + b.x) / 2, (a.y + b.y) / 2); }

}  // namespace

void CBezier::ToPoints(POINT out[4]) const {
  for (int i = 0; i < 4; ++i) {
    CPoint p;
    m_p[i].Round(p);
    out[i] = p;
  }
}

void CBezier::Halve(CBezier& left, CBezier& right) const {
  const CDoublePoint m01 = Mid(m_p[0], m_p[1]), m12 = Mid(m_p[1], m_p[2]), m23 = Mid(m_p[2], m_p[3]);
  const CDoublePoint m012 = Mid(m01, m12), m123 = Mid(m12, m23), m0123 = Mid(m012, m123);
  left = CBezier(m_p[0], m01, m012, m0123);
  right = CBezier(m0123, m123, m23, m_p[3]);
}

void CBezier::SplitAt(double t, CBezier& first) {
  const double u = 1 - t;
  const CDoublePoint &p0 = m_p[0], &p1 = m_p[1], &p2 = m_p[2], &p3 = m_p[3];
  const CDoublePoint bt = p0.Scale(u * u * u).Add(p1.Scale(3 * u * u * t)).Add(p2.Scale(3 * u * t * t)).Add(p3.Scale(t * t * t));
  first = CBezier(p0, p0.Scale(u).Add(p1.Scale(t)), p0.Scale(u * u).Add(p1.Scale(2 * u * t)).Add(p2.Scale(t * t)), bt);
  *this = CBezier(bt, p1.Scale(u * u).Add(p2.Scale(2 * u * t)).Add(p3.Scale(t * t)), p2.Scale(u).Add(p3.Scale(t)), p3);
}

void CBezier::WalkLength(Walk& walk) const {
  if (walk.target == 0) return;
  const double polygon = Distance(m_p[0], m_p[1]) + Distance(m_p[1], m_p[2]) + Distance(m_p[2], m_p[3]);
  const double chord = Distance(m_p[0], m_p[3]);
  if ((polygon - chord > kTolerance || walk.length + polygon > walk.target + kTolerance) && walk.depth < kMaxDepth) {
    CBezier left, right;
    Halve(left, right);
    ++walk.depth;
    left.WalkLength(walk);
    if (walk.target != 0) right.WalkLength(walk);
    --walk.depth;
    return;
  }
  walk.length += polygon;
  walk.t += 1.0 / std::ldexp(1.0, walk.depth);
  if (std::fabs(walk.length - walk.target) <= kTolerance) walk.target = 0;
}

double CBezier::ParameterAtDistance(unsigned& distance) const {
  Walk walk{static_cast<double>(distance), 0.0, 0.0, 0};
  double correction = 0.0;
  if (distance < 3) {
    CPoint start;
    m_p[0].Round(start);
    correction = Distance(m_p[3], m_p[0]) - Distance(m_p[3], CDoublePoint(start.x, start.y));
    walk.target += correction;
  }
  WalkLength(walk);
  const double walked = std::trunc(walk.length - correction + 0.5);
  if (!(walked > 0)) return walk.t;  // nothing walked (or NaN)
  distance = walked >= distance ? 0u : distance - static_cast<unsigned>(walked);
  return walk.t;
}
