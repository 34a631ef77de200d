#include "model/PathLimits.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Gdiplus::PointF;

struct Figure {
  std::vector<PointF> points;
  std::vector<BYTE> types;
};

// A cubic as segments: Wang's bound on the count for the allowed deviation, at most 1024.
void AddFlatCurve(const PointF& p0, const PointF& p1, const PointF& p2, const PointF& p3, BYTE closeFlag,
                  Figure& out) {
  auto second = [](const PointF& a, const PointF& b, const PointF& c) {
    return std::hypot(static_cast<double>(a.X) - 2.0 * b.X + c.X, static_cast<double>(a.Y) - 2.0 * b.Y + c.Y);
  };
  const double d = std::max(second(p0, p1, p2), second(p1, p2, p3));
  const double wanted = std::ceil(std::sqrt(0.75 * d / PathLimits::kFlatness));
  const int n = std::isfinite(wanted) ? static_cast<int>(std::clamp(wanted, 1.0, 1024.0)) : 1;
  for (int i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, e = t * t * t;
    out.points.emplace_back(static_cast<Gdiplus::REAL>(a * p0.X + b * p1.X + c * p2.X + e * p3.X),
                            static_cast<Gdiplus::REAL>(a * p0.Y + b * p1.Y + c * p2.Y + e * p3.Y));
    out.types.push_back(static_cast<BYTE>(Gdiplus::PathPointTypeLine | (i == n ? closeFlag : 0)));
  }
}

// The points and types with every curve made segments; markers are dropped.
Figure FlatFigure(const std::vector<PointF>& points, const std::vector<BYTE>& types) {
  Figure out;
  const size_t count = points.size();
  for (size_t i = 0; i < count;) {
    const BYTE kind = types[i] & Gdiplus::PathPointTypePathTypeMask;
    const BYTE closeFlag = types[i] & Gdiplus::PathPointTypeCloseSubpath;
    if (kind == Gdiplus::PathPointTypeBezier && i > 0 && i + 2 < count) {
      AddFlatCurve(points[i - 1], points[i], points[i + 1], points[i + 2],
                   types[i + 2] & Gdiplus::PathPointTypeCloseSubpath, out);
      i += 3;
    } else {
      out.points.push_back(points[i]);
      const BYTE start = Gdiplus::PathPointTypeStart, line = Gdiplus::PathPointTypeLine;
      out.types.push_back(static_cast<BYTE>((kind == start ? start : line) | closeFlag));
      ++i;
    }
  }
  return out;
}

std::unique_ptr<Gdiplus::GraphicsPath> Rebuilt(const Figure& f, Gdiplus::FillMode mode) {
  return std::make_unique<Gdiplus::GraphicsPath>(f.points.data(), f.types.data(), static_cast<INT>(f.points.size()),
                                                 mode);
}

bool ReadPath(const Gdiplus::GraphicsPath& path, Figure& f) {
  const INT count = path.GetPointCount();
  if (count <= 0) return false;
  f.points.resize(static_cast<size_t>(count));
  f.types.resize(static_cast<size_t>(count));
  path.GetPathPoints(f.points.data(), count);
  path.GetPathTypes(f.types.data(), count);
  return true;
}

}  // namespace

namespace PathLimits {

Gdiplus::REAL Bounded(double coordinate) {
  if (std::isnan(coordinate)) return 0;
  return static_cast<Gdiplus::REAL>(std::clamp<double>(coordinate, -kFarCoordinate, kFarCoordinate));
}

std::unique_ptr<Gdiplus::GraphicsPath> SafeCopy(const Gdiplus::GraphicsPath& path) {
  Figure f;
  if (!ReadPath(path, f)) return nullptr;
  bool bounded = true, exact = true, curves = false;
  for (size_t i = 0; i < f.points.size(); ++i) {
    PointF& p = f.points[i];
    const PointF inside(Bounded(p.X), Bounded(p.Y));
    bounded = bounded && inside.X == p.X && inside.Y == p.Y;
    exact = exact && std::fabs(inside.X) <= kExactCoordinate && std::fabs(inside.Y) <= kExactCoordinate;
    curves = curves || (f.types[i] & Gdiplus::PathPointTypePathTypeMask) == Gdiplus::PathPointTypeBezier;
    p = inside;
  }
  if (curves && !exact) return Rebuilt(FlatFigure(f.points, f.types), path.GetFillMode());
  if (!bounded) return Rebuilt(f, path.GetFillMode());
  return nullptr;
}

void Flatten(Gdiplus::GraphicsPath& path) {
  Figure f;
  if (!ReadPath(path, f)) return;
  const Figure flat = FlatFigure(f.points, f.types);
  path.Reset();
  path.AddPath(Rebuilt(flat, path.GetFillMode()).get(), FALSE);
}

}  // namespace PathLimits
