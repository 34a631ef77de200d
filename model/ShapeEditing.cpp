#include "model/ShapeEditing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "framework/core/MessageBox.h"
#include "graphics/DoubleToCoord.h"
#include "graphics/GeometryHelpers.h"
#include "graphics/ImageHelpers.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/DrawObj.h"
#include "resources/ModelStrings.h"

namespace ShapeEditing {


void InvalidateFor(CDrawObj& object, CView* view) {
  CDrawHost* host = GetDrawHost();
  if (view && host)
    host->InvalidateObject(&object);
  else
    object.Invalidate();
}

void MarkModifiedWhenEditing(CView* view) {
  CDrawHost* host = GetDrawHost();
  if (view && host && host->GetMode() == kModeEditing) host->SetPageModified();
}

int ClampToInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

CRect DragTurnedCorner(CDrawObj& object, int handle, int x, int y) {
  const int opposite = handle == 3 ? 7 : handle == 5 ? 1 : handle == 7 ? 3 : 5;
  const CPoint fixed = object.GetHandle(opposite);
  const double mx = (static_cast<double>(x) + fixed.x) * 0.5, my = (static_cast<double>(y) + fixed.y) * 0.5;
  double vx = x - mx, vy = y - my;
  const double angle = object.m_angle;
  if (angle != 0.0 && std::isfinite(angle)) {
    const double c = std::cos(angle), s = std::sin(angle);
    const double tx = vx * c - vy * s, ty = vx * s + vy * c;
    vx = tx;
    vy = ty;
  }
  const CPoint moved(RoundHalfAway(mx + vx), RoundHalfAway(my + vy));
  const CPoint kept(RoundHalfAway(mx - vx), RoundHalfAway(my - vy));
  switch (handle) {
    case 3: return CRect(kept.x, moved.y, moved.x, kept.y);
    case 5: return CRect(kept.x, kept.y, moved.x, moved.y);
    case 7: return CRect(moved.x, kept.y, kept.x, moved.y);
    default: return CRect(moved.x, moved.y, kept.x, kept.y);
  }
}

CRect DraggedRect(CDrawObj& object, int handle, int x, int y) {
  CRect r = object.m_position;
  switch (handle) {
    case 2: r.top = y; break;
    case 4: r.right = x; break;
    case 6: r.bottom = y; break;
    case 8: r.left = x; break;
    case 9: {
      const CPoint centre = object.GetHandle(9);
      r.OffsetRect(ClampToInt(static_cast<long long>(x) - centre.x), ClampToInt(static_cast<long long>(y) - centre.y));
      break;
    }
    default: r = DragTurnedCorner(object, handle, x, y); break;
  }
  return r;
}

CPoint Turned(CPoint p, double angle, double centreX, double centreY) {
  if (angle == 0.0 || !std::isfinite(angle) || !std::isfinite(centreX) || !std::isfinite(centreY)) return p;
  POINT points[1] = {p};
  RotatePointsAbout(angle, centreX, centreY, points, 1);
  return CPoint(points[0].x, points[0].y);
}

CDoublePoint CentreOf(const CRect& r) {
  return CDoublePoint((static_cast<double>(r.left) + r.right) * 0.5, (static_cast<double>(r.top) + r.bottom) * 0.5);
}

CPoint CentreHalves(const CRect& r) {
  return CPoint(ClampToInt((static_cast<long long>(r.left) + r.right) / 2),
                ClampToInt((static_cast<long long>(r.top) + r.bottom) / 2));
}

Gdiplus::Rect GdipRectOf(const CRect& r) {
  Gdiplus::Rect g(r.left, r.top, ClampToInt(static_cast<long long>(r.right) - r.left),
                  ClampToInt(static_cast<long long>(r.bottom) - r.top));
  NormalizeGdipRect(g);
  return g;
}

bool TurnMatrix(double angle, const CDoublePoint& centre, Gdiplus::Matrix& matrix) {
  const double degrees = -angle * kDegreesPerRadian;
  if (!std::isfinite(degrees) || !std::isfinite(centre.x) || !std::isfinite(centre.y)) return false;
  matrix.RotateAt(static_cast<Gdiplus::REAL>(degrees),
                  Gdiplus::PointF(static_cast<Gdiplus::REAL>(centre.x), static_cast<Gdiplus::REAL>(centre.y)),
                  Gdiplus::MatrixOrderAppend);
  return true;
}

void TurnPath(Gdiplus::GraphicsPath& path, double angle, const CDoublePoint& centre) {
  if (angle == 0.0) return;
  Gdiplus::Matrix turn;
  if (TurnMatrix(angle, centre, turn)) path.Transform(&turn);
}

bool StrokedBounds(const Gdiplus::GraphicsPath& path, const Gdiplus::Matrix* matrix, int penWidth, CRect& bounds) {
  Gdiplus::Pen pen(Gdiplus::Color(255, 255, 255, 255), static_cast<Gdiplus::REAL>(penWidth));
  Gdiplus::RectF b;
  if (path.GetBounds(&b, matrix, &pen) != Gdiplus::Ok) return false;
  bounds = CRect(DoubleToCoord(std::floor(b.X)), DoubleToCoord(std::floor(b.Y)),
                 DoubleToCoord(std::ceil(static_cast<double>(b.X) + b.Width)),
                 DoubleToCoord(std::ceil(static_cast<double>(b.Y) + b.Height)));
  return true;
}

int PathSpacing(int step, double length, int mode) {
  if (step == 0) return 0;
  const long long whole = DoubleToCoord(length);
  const long long steps = std::llabs(static_cast<long long>(step));
  if (mode == 1) return ClampToInt(std::max(0LL, whole / steps));
  return whole / steps == 0 ? 0 : ClampToInt(steps);
}

int NearestIndex(const std::vector<CPoint>& points, const CPoint& target) {
  int best = 0;
  double bestDistance = -1;
  for (size_t i = 0; i < points.size(); ++i) {
    const double dx = static_cast<double>(points[i].x) - target.x;
    const double dy = static_cast<double>(points[i].y) - target.y;
    const double d = dx * dx + dy * dy;
    if (bestDistance < 0 || d < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = d;
    }
  }
  return best;
}

CDrawObj* PlaceDuplicate(CDrawObj* clone, CDrawDoc* document) {
  if (!clone) {
    AfxMessageBox(IDS_OUT_OF_MEMORY, MB_ICONSTOP);
    return nullptr;  // nothing to add or select
  }
  if (document) document->Add(clone);
  if (CDrawHost* host = GetDrawHost()) host->SelectObject(clone, FALSE);
  return clone;
}

}  // namespace ShapeEditing
