#include "model/CurveSampler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "graphics/DoubleToCoord.h"

namespace {

constexpr int kJacobiSteps = 10;

// Ten Jacobi steps on the tridiagonal system a, b, c with right-hand side r, starting
// from r / b; each step reads only the previous step's values.
std::vector<float> SolveTangents(const std::vector<float>& a, const std::vector<float>& b, const std::vector<float>& c,
                                 const std::vector<float>& r) {
  const size_t n = b.size();
  std::vector<float> t(n), next(n);
  for (size_t i = 0; i < n; ++i) t[i] = r[i] / b[i];
  for (int step = 0; step < kJacobiSteps; ++step) {
    for (size_t i = 0; i < n; ++i) {
      float v = r[i];
      if (i > 0) v -= a[i] * t[i - 1];
      if (i + 1 < n) v -= c[i] * t[i + 1];
      next[i] = v / b[i];
    }
    t.swap(next);
  }
  // Overflowing tangents (coordinates near the 32-bit limits) make the segment straight.
  for (float& v : t)
    if (!std::isfinite(v)) v = 0.0f;
  return t;
}

}  // namespace

CCurveSampler::CCurveSampler(const CPoint* vertices, int count) {
  if (!vertices || count < 2) return;
  m_vertices.assign(vertices, vertices + count);
  const size_t n = m_vertices.size(), segments = n - 1;
  std::vector<float> dx(segments), dy(segments), length(segments);
  for (size_t i = 0; i < segments; ++i) {
    dx[i] = static_cast<float>(static_cast<double>(m_vertices[i + 1].x) - m_vertices[i].x);
    dy[i] = static_cast<float>(static_cast<double>(m_vertices[i + 1].y) - m_vertices[i].y);
    length[i] = std::sqrt(dx[i] * dx[i] + dy[i] * dy[i]);
  }
  // k(i) = L(i) / L(i + 1), the last one 1. A zero chord (two coinciding vertices) takes
  // 1 as well, so that no diagonal of the system becomes zero.
  m_ratio.assign(segments, 1.0f);
  for (size_t i = 0; i + 1 < segments; ++i)
    if (length[i] > 0.0f && length[i + 1] > 0.0f) m_ratio[i] = length[i] / length[i + 1];

  std::vector<float> a(n, 1.0f), b(n), c(n, 0.0f), rx(n), ry(n);
  b[0] = 2.0f;
  c[0] = m_ratio[0];
  rx[0] = 3.0f * dx[0];
  ry[0] = 3.0f * dy[0];
  for (size_t i = 1; i + 1 < n; ++i) {
    const float k0 = m_ratio[i - 1], k1 = m_ratio[i];
    b[i] = 2.0f * k0 * (k0 + 1.0f);
    c[i] = k0 * k0 * k1;
    rx[i] = 3.0f * (k0 * k0 * dx[i] + dx[i - 1]);
    ry[i] = 3.0f * (k0 * k0 * dy[i] + dy[i - 1]);
  }
  b[n - 1] = 2.0f * m_ratio[segments - 1];
  rx[n - 1] = 3.0f * dx[segments - 1];
  ry[n - 1] = 3.0f * dy[segments - 1];
  m_tangentX = SolveTangents(a, b, c, rx);
  m_tangentY = SolveTangents(a, b, c, ry);

  long long spent = 0;
  m_steps.resize(segments);
  for (size_t i = 0; i < segments; ++i) {
    const long long ax = std::llabs(static_cast<long long>(m_vertices[i + 1].x) - m_vertices[i].x);
    const long long ay = std::llabs(static_cast<long long>(m_vertices[i + 1].y) - m_vertices[i].y);
    long long s = std::max(ax, ay) / 8;  // trunc(0.125 x the larger extent)
    s = std::clamp<long long>(s, 1, kMaxSegmentSteps);
    if (spent >= kMaxSamples) s = 1;
    m_steps[i] = static_cast<int>(s);
    spent += s + 1;
  }
}

long long CCurveSampler::Count() const {
  long long total = 0;
  for (int s : m_steps) total += s + 1;
  return total;
}

void CCurveSampler::ForEach(const std::function<bool(const CPoint&)>& visit) const {
  for (size_t i = 0; i < m_steps.size(); ++i) {
    const CPoint& start = m_vertices[i];
    if (!visit(start)) return;
    const double x0 = start.x, y0 = start.y;
    const float dx = static_cast<float>(static_cast<double>(m_vertices[i + 1].x) - x0);
    const float dy = static_cast<float>(static_cast<double>(m_vertices[i + 1].y) - y0);
    const float k = m_ratio[i];
    const int s = m_steps[i];
    for (int j = 1; j <= s; ++j) {
      const float t = static_cast<float>(j) / static_cast<float>(s);
      const float h1 = (3.0f - 2.0f * t) * t * t, h2 = (t - 1.0f) * (t - 1.0f) * t, h3 = t * t * (t - 1.0f);
      const float x = static_cast<float>(x0) + h1 * dx + h2 * m_tangentX[i] + h3 * k * m_tangentX[i + 1];
      const float y = static_cast<float>(y0) + h1 * dy + h2 * m_tangentY[i] + h3 * k * m_tangentY[i + 1];
      if (!visit(CPoint(DoubleToCoord(x), DoubleToCoord(y)))) return;
    }
  }
}
