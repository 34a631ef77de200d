#include "model/PathBuilder.h"

#include <cstdlib>

#include "model/Bezier.h"

CPathBuilder::CPathBuilder(int spacing) : m_spacing(spacing > 0 ? spacing : 1), m_countdown(m_spacing) {}

bool CPathBuilder::Append(const CPoint& p) {
  if (m_points.size() >= kMaxPoints) return false;
  m_points.push_back(p);
  return true;
}

void CPathBuilder::MoveTo(int x, int y) {
  m_current = CPoint(x, y);
  Append(m_current);
}

void CPathBuilder::LineTo(int x, int y) {
  // Integer steps along the major axis; the minor axis follows an error term.
  const long long dx = static_cast<long long>(x) - m_current.x, dy = static_cast<long long>(y) - m_current.y;
  const long long adx = std::llabs(dx), ady = std::llabs(dy);
  const bool xMajor = adx >= ady;
  const long long n = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1, minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  long long error = n;
  for (long long step = 1; step <= n; ++step) {
    if (xMajor) m_current.x += majorStep; else m_current.y += majorStep;
    error -= minor;
    if (error < 1) {
      if (xMajor) m_current.y += minorStep; else m_current.x += minorStep;
      error += n;
    }
    if (--m_countdown == 0) {
      m_countdown = m_spacing;
      if (!Append(m_current)) {
        m_current = CPoint(x, y);
        return;
      }
    }
  }
}

void CPathBuilder::CurveTo(const POINT& c1, const POINT& c2, const POINT& end) {
  CBezier rest(CDoublePoint(m_current.x, m_current.y), CDoublePoint(c1.x, c1.y), CDoublePoint(c2.x, c2.y),
               CDoublePoint(end.x, end.y));
  for (;;) {
    unsigned countdown = static_cast<unsigned>(m_countdown);
    const double t = rest.ParameterAtDistance(countdown);
    CBezier first;
    rest.SplitAt(t, first);
    first.P(3).Round(m_current);
    if (!Append(m_current)) return;
    if (countdown != 0) {
      m_countdown = static_cast<int>(countdown);  // the curve ended first: carry the rest
      return;
    }
    m_countdown = m_spacing;
  }
}
