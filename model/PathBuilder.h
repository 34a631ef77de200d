// CPathBuilder: turns lines and curves into integer points spaced evenly along the path,
// the points a translation along a trajectory visits.
#pragma once

#include <vector>

#include "framework/core/Point.h"

class CPathBuilder {
 public:
  explicit CPathBuilder(int spacing);

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // A cubic from the current point through two control points to the end point.
  void CurveTo(const POINT& c1, const POINT& c2, const POINT& end);

  const std::vector<CPoint>& Points() const { return m_points; }

  // A path long enough to need more points than this is cut off there: a hostile page
  // with huge coordinates must neither exhaust memory nor stall the start of a run. The
  // outline of a page-sized figure (at most 32767 units a side) takes half as many at
  // one unit apart.
  static constexpr size_t kMaxPoints = 1u << 18;

 private:
  bool Append(const CPoint& p);

  int m_spacing;
  int m_countdown;
  CPoint m_current;
  std::vector<CPoint> m_points;
};
