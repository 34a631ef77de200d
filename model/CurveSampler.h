// CCurveSampler: the integer points of the smooth open curve through a polygon's
// vertices, as curves have always measured themselves: a parametric cubic spline in
// single precision whose tangents come from ten Jacobi steps, each segment cut into one
// step per 8 units of its larger extent. The points give a curve's length as a
// trajectory and the sample block of its record.
#pragma once

#include <functional>
#include <vector>

#include "framework/core/Point.h"

class CCurveSampler {
 public:
  // Fewer than two vertices make no curve and no samples.
  CCurveSampler(const CPoint* vertices, int count);

  // The number of samples: one start point plus the steps of every segment.
  long long Count() const;
  // Hands each sample to the visitor in order until it answers false.
  void ForEach(const std::function<bool(const CPoint&)>& visit) const;

  // A hostile figure could ask for billions of samples: a segment takes at most this
  // many steps, and once the whole curve has spent kMaxSamples, every further segment
  // takes one. Figures of any real page stay far below both.
  static constexpr int kMaxSegmentSteps = 1 << 16;
  static constexpr long long kMaxSamples = 1LL << 22;

 private:
  std::vector<CPoint> m_vertices;
  std::vector<float> m_tangentX;
  std::vector<float> m_tangentY;
  std::vector<float> m_ratio;  // k(i): the chord ratio that scales the end tangent
  std::vector<int> m_steps;    // s of each segment
};
