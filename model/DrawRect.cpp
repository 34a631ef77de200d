#include "model/DrawRect.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/MessageBox.h"
#include "framework/core/ScopedHandle.h"
#include "framework/ui/DC.h"
#include "graphics/DoubleToCoord.h"
#include "graphics/GeometryHelpers.h"
#include "graphics/ImageHelpers.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/PathBuilder.h"
#include "model/PathLimits.h"
#include "model/PropertyRows.h"
#include "model/ShapeEditing.h"
#include "model/ShapePainter.h"
#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CDrawRect, CDrawObj, 0)

using namespace ShapeEditing;

namespace {

// The version of records that still carried the gradient style in the class's part.
constexpr WORD kFirstVersion = 0x0001;

}  // namespace

CDrawRect::CDrawRect() {
  m_pictureFill = 1;
  m_gradientCentre = CPoint(RoundHalfAway(m_rotationCentre.x), RoundHalfAway(m_rotationCentre.y));
}

// The rotation centre starts at the rectangle's centre, so that a new object turns
// about itself before its first move.
CDrawRect::CDrawRect(const CRect& position) : CDrawObj(position) {
  m_pictureFill = 1;
  m_rotationCentre = CentreOf(position);
  m_gradientCentre = CPoint(RoundHalfAway(m_rotationCentre.x), RoundHalfAway(m_rotationCentre.y));
}

CDrawRect::~CDrawRect() = default;

// ---- the record ------------------------------------------------------------------------

void CDrawRect::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(m_shape) << static_cast<LONG>(m_cornerWidth) << static_cast<LONG>(m_cornerHeight);
    ar << static_cast<DWORD>(m_colourKey);
    for (const CPoint& p : m_reservedPoints) ar << p;
    ar << m_gradientCentre << m_pictureFill;
    if (m_pictureFill) ar << m_pictureFile;
    return;
  }
  WORD shape;
  LONG cornerWidth, cornerHeight;
  ar >> shape >> cornerWidth >> cornerHeight;
  m_shape = shape;
  m_cornerWidth = cornerWidth;
  m_cornerHeight = cornerHeight;
  if (m_version == kFirstVersion) ar >> m_gradientStyle;
  DWORD colourKey;
  ar >> colourKey;
  m_colourKey = colourKey;
  for (CPoint& p : m_reservedPoints) ar >> p;
  ar >> m_gradientCentre >> m_pictureFill;
  // The name travels only with the flag: a name without it is not kept.
  if (m_pictureFill)
    ar >> m_pictureFile;
  else
    m_pictureFile.Empty();
}

// ---- simple operations -------------------------------------------------------------------

BOOL CDrawRect::IsPlainShape() { return m_picture == nullptr; }

void CDrawRect::SetControlPoint(int x, int y) {
  m_gradientCentre = CPoint(x, y);
  Invalidate();
}

void CDrawRect::ResetPropertyPage(int group, CView* view) {
  if (group == 0) {
    m_gradientStyle = 0;
    m_pictureFile.Empty();
    delete m_picture;
    m_picture = nullptr;
    m_pictureFill = 0;
    m_filled = 1;
    m_colourKey = 0xFFFFFF;
  }
  CDrawObj::ResetPropertyPage(group, view);
  CDrawHost* host = GetDrawHost();
  if (view && host) host->SetPageModified();
}

int CDrawRect::GetHandleCount() { return m_shape == kShapeRoundRectangle ? 10 : 9; }

CPoint CDrawRect::GetHandle(int handle) {
  CPoint p;
  if (handle == 10 && m_shape == kShapeRoundRectangle) {
    CRect r = m_position;
    r.NormalizeRect();
    p = CPoint(RoundHalfAway(r.right - m_cornerWidth * 0.5), RoundHalfAway(r.bottom - m_cornerHeight * 0.5));
  } else {
    p = CDrawObj::GetHandle(handle);
  }
  // Handle 10 turns about the rotation centre like the outline it sits on.
  return Turned(p, -m_angle, m_rotationCentre.x, m_rotationCentre.y);
}

HCURSOR CDrawRect::GetHandleCursor(int handle) {
  if (handle == 10 && m_shape == kShapeRoundRectangle) return ::LoadCursor(nullptr, IDC_SIZEALL);
  return CDrawObj::GetHandleCursor(handle);
}

// ---- outline ---------------------------------------------------------------------------

void CDrawRect::AddShape(Gdiplus::GraphicsPath& path, bool withSector) {
  const Gdiplus::Rect r = GdipRectOf(m_position);
  const Gdiplus::REAL x = static_cast<Gdiplus::REAL>(r.X), y = static_cast<Gdiplus::REAL>(r.Y);
  const Gdiplus::REAL w = static_cast<Gdiplus::REAL>(r.Width), h = static_cast<Gdiplus::REAL>(r.Height);
  switch (m_shape) {
    case kShapeRectangle:
      path.AddRectangle(Gdiplus::RectF(x, y, w, h));
      break;
    case kShapeRoundRectangle: {
      int rx = m_cornerWidth / 2, ry = m_cornerHeight / 2;
      if (2LL * rx >= r.Width) rx = r.Width / 2;
      if (2LL * ry >= r.Height) ry = r.Height / 2;
      const Gdiplus::REAL dx = static_cast<Gdiplus::REAL>(2LL * rx), dy = static_cast<Gdiplus::REAL>(2LL * ry);
      if (dx <= 0 || dy <= 0) {
        // No corner to round (a negative size from a file included): a plain rectangle.
        path.AddRectangle(Gdiplus::RectF(x, y, w, h));
        break;
      }
      path.AddArc(x, y, dx, dy, 180, 90);
      path.AddArc(x + w - dx, y, dx, dy, 270, 90);
      path.AddArc(x + w - dx, y + h - dy, dx, dy, 0, 90);
      path.AddArc(x, y + h - dy, dx, dy, 90, 90);
      path.CloseFigure();
      break;
    }
    case kShapeEllipse:
      if (withSector && m_shapeParam4 != 0) {
        const Gdiplus::RectF box(x, y, w, h);
        // GDI+ draws the start modulo a turn and at most a whole turn; huge values from a
        // file are brought there first (they have overflowed the stack in the platform's
        // arc code).
        const auto start = static_cast<Gdiplus::REAL>(m_shapeParam3 % 360);
        const auto sweep = static_cast<Gdiplus::REAL>(std::clamp(m_shapeParam4, -360, 360));
        if (m_shapeVariant)
          path.AddArc(box, start, sweep);
        else
          path.AddPie(box, start, sweep);
        if (m_closed) path.CloseFigure();
      } else {
        path.AddEllipse(Gdiplus::RectF(x, y, w, h));
      }
      break;
    default:
      break;  // no outline
  }
}

void CDrawRect::Turn(Gdiplus::GraphicsPath& path) {
  const double degrees = -m_angle * kDegreesPerRadian;
  if (degrees == 0.0 || !std::isfinite(degrees) || !std::isfinite(m_rotationCentre.x) ||
      !std::isfinite(m_rotationCentre.y))
    return;
  Gdiplus::Matrix turn;
  turn.RotateAt(static_cast<Gdiplus::REAL>(degrees),
                Gdiplus::PointF(static_cast<Gdiplus::REAL>(m_rotationCentre.x),
                                static_cast<Gdiplus::REAL>(m_rotationCentre.y)),
                Gdiplus::MatrixOrderAppend);
  path.Transform(&turn);
}

BOOL CDrawRect::GetOutline(Gdiplus::GraphicsPath& path) {
  AddShape(path, false);
  Turn(path);
  return path.GetPointCount() > 0;
}

// Hit tests and bounds: the outline, or for a rectangle without width or height the
// band around its segment for the pen.
void CDrawRect::AddBoundsShape(Gdiplus::GraphicsPath& path) {
  if (m_position.left != m_position.right && m_position.top != m_position.bottom) {
    AddShape(path, false);
    return;
  }
  POINT band[4];
  LineBandPolygon(m_position.left, m_position.top, m_position.right, m_position.bottom, m_pen.lopnWidth.x, band);
  Gdiplus::Point corners[4];
  for (int i = 0; i < 4; ++i) corners[i] = Gdiplus::Point(band[i].x, band[i].y);
  path.AddPolygon(corners, 4);
}

// Turned like everything drawn, the band included, so that a turned line-thin
// rectangle is hit where it shows.
int CDrawRect::OutlinePoints(std::vector<POINT>& points, bool flatten) {
  Gdiplus::GraphicsPath path;
  AddBoundsShape(path);
  Turn(path);
  if (flatten) PathLimits::Flatten(path);
  const int count = path.GetPointCount();
  points.clear();
  if (count <= 0) return 0;
  std::vector<Gdiplus::PointF> fp(static_cast<size_t>(count));
  path.GetPathPoints(fp.data(), count);
  for (const auto& p : fp) points.push_back(POINT{RoundHalfAway(p.X), RoundHalfAway(p.Y)});
  return count;
}

BOOL CDrawRect::Intersects(const CRect& rect) {
  CRect r = rect;
  if (r.left == r.right) { --r.left; ++r.right; }
  if (r.top == r.bottom) { --r.top; ++r.bottom; }
  r.NormalizeRect();
  std::vector<POINT> points;
  // A polygon needs three corners; no outline is no hit.
  if (OutlinePoints(points, true) < 3) return FALSE;
  CScopedRegion region(::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE));
  return region && ::RectInRegion(region.get(), &r);
}

CRect CDrawRect::GetDrawBounds() {
  Gdiplus::GraphicsPath path;
  AddBoundsShape(path);
  return TurnedPathBounds(path);
}

// ---- drawing -------------------------------------------------------------------------------

int CDrawRect::DrawObject(CDC* dc, CView*) {
  if (!m_visible || (m_position.left == m_position.right && m_position.top == m_position.bottom)) return 0;
  {
    CShapePainter::Options options;
    options.hasFillCentre = true;
    options.fillCentre = m_gradientCentre;
    CShapePainter painter(dc, *this, options);
    LoadPictureIfNeeded();
    Gdiplus::GraphicsPath path;
    AddShape(path, true);
    Turn(path);
    painter.Prepare(path, GdipRectOf(m_baseRect));
    if (m_pictureFill && m_picture) {
      DrawPictureFill(painter.Graphics(), path);
    } else if (m_filled) {
      painter.FillPath(path);
    }
    if (m_outlined) painter.StrokePath(path);
  }
  CShapePainter::DrawCaption(dc, m_position, m_caption, m_captionColour);
  if (m_buttonised) CShapePainter::DrawButtonFrame(dc, *this);
  return 1;
}

void CDrawRect::DrawTracker(CDC* dc, int state) {
  CDrawObj::DrawTracker(dc, state);
  if (std::llabs(static_cast<long long>(m_position.right) - m_position.left) < 5 &&
      std::llabs(static_cast<long long>(m_position.bottom) - m_position.top) < 5)
    return;
  if (m_trajectory) {
    const CPoint start = GetHandle(m_shapeParam1), end = GetHandle(m_shapeParam2);
    DrawHandle(dc, start.x, start.y, 4, 1, RGB(0, 255, 0));
    DrawHandle(dc, end.x, end.y, 4, 1, RGB(255, 0, 0));
  }
  if (m_showActiveHandle) {
    const CPoint p = GetHandle(m_activeHandle);
    DrawHandle(dc, p.x, p.y, 4, 1, RGB(0, 0, 255));
  }
}

// ---- geometry changes ----------------------------------------------------------------------

void CDrawRect::MovePoints(int dx, int dy) {
  auto move = [&](CPoint& p) {
    p.x = ClampToInt(static_cast<long long>(p.x) + dx);
    p.y = ClampToInt(static_cast<long long>(p.y) + dy);
  };
  for (CPoint& p : m_reservedPoints) move(p);
  move(m_gradientCentre);
}

void CDrawRect::SetRect(const CRect& rect, CView* view) {
  InvalidateFor(*this, view);
  MovePoints(ClampToInt(static_cast<long long>(rect.left) - m_position.left),
             ClampToInt(static_cast<long long>(rect.top) - m_position.top));
  m_position = rect;
  m_rotationCentre = CentreOf(rect);
  m_baseRect = GetDrawBounds();
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

void CDrawRect::SetAngleOf(CDrawObj& object, double angle, BOOL relative, CView* view) {
  InvalidateFor(object, view);
  object.m_angle = relative ? object.m_angle + angle : angle;
  object.m_baseRect = object.GetDrawBounds();
  InvalidateFor(object, view);
  MarkModifiedWhenEditing(view);
}

void CDrawRect::SetAngleRectOf(CDrawObj& object, double angle, double centreX, double centreY, int relative,
                               CView* view) {
  InvalidateFor(object, view);
  if (relative) {
    object.m_angle += angle;
    object.m_rotationState.orbitAngle += angle;
  } else {
    object.m_angle = angle;
    object.m_rotationState.orbitAngle = angle;
  }
  object.m_rotationCentre = CDoublePoint(centreX, centreY);
  object.m_baseRect = object.GetDrawBounds();
  InvalidateFor(object, view);
  MarkModifiedWhenEditing(view);
}

void CDrawRect::SetAngle(double angle, BOOL relative, CView* view) { SetAngleOf(*this, angle, relative, view); }

void CDrawRect::SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) {
  SetAngleRectOf(*this, angle, centreX, centreY, relative, view);
}

void CDrawRect::MoveHandleTo(int handle, int x, int y, CView* view) {
  CRect r = m_position;
  if (handle == 10 && m_shape == kShapeRoundRectangle) {
    r.NormalizeRect();
    // The mouse is on the turned outline: turn it back before measuring the corner.
    const CPoint p = Turned(CPoint(x, y), m_angle, m_rotationCentre.x, m_rotationCentre.y);
    const long long left = r.left, right = r.right, top = r.top, bottom = r.bottom;
    const long long px = std::max(left + (right - left) / 2, std::min<long long>(p.x, right - 1));
    const long long py = std::max(top + (bottom - top) / 2, std::min<long long>(p.y, bottom - 1));
    m_cornerWidth = ClampToInt((right - px) * 2);
    m_cornerHeight = ClampToInt((bottom - py) * 2);
    SetAngle(m_angle, FALSE, nullptr);
    return;
  }
  r = DraggedRect(*this, handle, x, y);
  m_rotationCentre = CentreOf(r);
  SetRect(r, view);
}

// A group maps its members into a new rectangle without a move delta reaching SetRect,
// so the points inside the object are mapped here, keeping their place relative to it.
void CDrawRect::MapRect(const CRect& from, const CRect& to, CRect& result) {
  const CRect before = m_position;
  CDrawObj::MapRect(from, to, result);
  const CRect after = m_position;
  auto axis = [](LONG v, LONG a0, LONG a1, LONG b0, LONG b1) {
    if (a0 == a1) return ClampToInt(static_cast<long long>(v) + ((static_cast<long long>(b0) + b1) / 2 -
                                                              (static_cast<long long>(a0) + a1) / 2));
    const double scale = (static_cast<double>(b1) - b0) / (static_cast<double>(a1) - a0);
    return RoundHalfAway(b0 + (static_cast<double>(v) - a0) * scale);
  };
  auto map = [&](CPoint& p) {
    p.x = axis(p.x, before.left, before.right, after.left, after.right);
    p.y = axis(p.y, before.top, before.bottom, after.top, after.bottom);
  };
  for (CPoint& p : m_reservedPoints) map(p);
  map(m_gradientCentre);
}

// ---- copies ----------------------------------------------------------------------------------

CDrawObj* CDrawRect::Clone(CDrawObj* target) {
  return CloneShape(*this, target, [&](CDrawRect* rect) {
    rect->m_shape = m_shape;
    rect->m_cornerWidth = m_cornerWidth;
    rect->m_cornerHeight = m_cornerHeight;
    rect->m_gradientStyle = m_gradientStyle;
    std::copy(std::begin(m_reservedPoints), std::end(m_reservedPoints), rect->m_reservedPoints);
    rect->m_gradientCentre = m_gradientCentre;
  });
}

CDrawObj* CDrawRect::Duplicate(CDrawDoc* document) { return PlaceDuplicate(Clone(nullptr), document); }

// ---- play and effect state ---------------------------------------------------------------

void CDrawRect::SavePlayState(CView* view, CDrawObj* owner) {
  CDrawObj::SavePlayState(view, owner);
  m_savedPicture.Take(*this);
  m_savedCornerWidth = m_cornerWidth;
  m_savedCornerHeight = m_cornerHeight;
  m_cornerSaved = true;
}

void CDrawRect::RestorePlayState(CView* view) {
  CDrawObj::RestorePlayState(view);
  bool changed = false;
  if (m_cornerSaved) {
    changed = m_cornerWidth != m_savedCornerWidth || m_cornerHeight != m_savedCornerHeight;
    m_cornerWidth = m_savedCornerWidth;
    m_cornerHeight = m_savedCornerHeight;
    m_cornerSaved = false;
  }
  if (m_savedPicture.GiveBack(*this)) changed = true;
  if (changed) Invalidate();
}

void CDrawRect::SaveVisibilityLayer() {
  CDrawObj::SaveVisibilityLayer();
  m_savedEffectPicture.Take(*this);
}

void CDrawRect::RevertVisibilityLayer() {
  CDrawObj::RevertVisibilityLayer();
  if (m_savedEffectPicture.GiveBack(*this)) Invalidate();
}

// ---- trajectory ------------------------------------------------------------------------------

double CDrawRect::GetPathLength() {
  const double w = std::fabs(static_cast<double>(m_position.right) - m_position.left);
  const double h = std::fabs(static_cast<double>(m_position.bottom) - m_position.top);
  switch (m_shape) {
    case kShapeRectangle:
      return 2 * (w + h);
    case kShapeRoundRectangle:
      // The stored corner size, even where drawing clamps it: timings of existing pages
      // depend on this length.
      return 2 * (w + h - m_cornerWidth - m_cornerHeight) +
             (static_cast<double>(m_cornerWidth) + m_cornerHeight) * 1.5707963267948966;
    case kShapeEllipse:
      // The sum of width and height times pi is twice the perimeter; it sets the spacing
      // of timed (mode 1) walks in existing pages, so it stays.
      return (w + h) * 3.141592653589793;
    default:
      return 0.0;
  }
}

int CDrawRect::GetPathPoints(int step, CMethod* action, int mode) {
  if (step == 0 || !action) return 0;
  const long long length = DoubleToCoord(GetPathLength());
  const long long steps = std::llabs(static_cast<long long>(step));
  long long spacing = steps;
  if (mode == 1) {
    spacing = length / steps;
    if (spacing <= 0) return 0;  // a negative length (oversized corners) walks nothing
  } else if (length / steps == 0) {
    return 0;
  }

  Gdiplus::GraphicsPath path;
  if (!GetOutline(path)) return 0;
  const int count = path.GetPointCount();
  if (count < 4) return 0;
  std::vector<Gdiplus::PointF> fp(static_cast<size_t>(count));
  std::vector<BYTE> types(static_cast<size_t>(count));
  path.GetPathPoints(fp.data(), count);
  path.GetPathTypes(types.data(), count);
  auto at = [&](int i) {
    return POINT{RoundHalfAway(fp[static_cast<size_t>(i)].X), RoundHalfAway(fp[static_cast<size_t>(i)].Y)};
  };
  auto type = [&](int i) { return types[static_cast<size_t>(i)]; };

  // The outline's one figure as GDI+ holds it: lines point by point, curves by three
  // points, and the closing line back to the start.
  CPathBuilder builder(ClampToInt(spacing));
  const POINT first = at(0);
  builder.MoveTo(first.x, first.y);
  bool closed = false;
  for (int i = 1; i < count;) {
    const BYTE kind = type(i) & Gdiplus::PathPointTypePathTypeMask;
    if (kind == Gdiplus::PathPointTypeBezier && i + 2 < count) {
      builder.CurveTo(at(i), at(i + 1), at(i + 2));
      closed = (type(i + 2) & Gdiplus::PathPointTypeCloseSubpath) != 0;
      i += 3;
    } else if (kind == Gdiplus::PathPointTypeLine) {
      const POINT p = at(i);
      builder.LineTo(p.x, p.y);
      closed = (type(i) & Gdiplus::PathPointTypeCloseSubpath) != 0;
      ++i;
    } else {
      break;
    }
  }
  if (closed) builder.LineTo(first.x, first.y);
  const std::vector<CPoint>& points = builder.Points();
  const int n = static_cast<int>(points.size());
  if (n == 0) return 0;

  auto nearest = [&](const CPoint& target) {
    int best = 0;
    double bestDistance = -1;
    for (int i = 0; i < n; ++i) {
      const double dx = static_cast<double>(points[static_cast<size_t>(i)].x) - target.x;
      const double dy = static_cast<double>(points[static_cast<size_t>(i)].y) - target.y;
      const double d = dx * dx + dy * dy;
      if (bestDistance < 0 || d < bestDistance) {
        best = i;
        bestDistance = d;
      }
    }
    return best;
  };
  const CPoint start = GetHandle(m_shapeParam1), end = GetHandle(m_shapeParam2);
  const int iS = nearest(start), iE = nearest(end), last = n - 1;

  CPointArray& out = action->m_path;
  out.RemoveAll();
  auto up = [&](int from, int to) {
    for (int i = from; i <= to; ++i) out.Add(points[static_cast<size_t>(i)]);
  };
  auto down = [&](int from, int to) {
    for (int i = from; i >= to; --i) out.Add(points[static_cast<size_t>(i)]);
  };
  if (iS < iE) {
    if (step > 0) {
      up(iS, iE - 1);
    } else {
      down(iS, 0);
      down(last, iE);
    }
  } else if (iS == iE) {
    if (step > 0) {
      up(iS, last);
      up(0, iS - 1);
    } else {
      down(iS, 0);
      down(last, iS);
      out.Add(start);
    }
  } else {
    if (step > 0) {
      down(iS, iE);
    } else {
      up(iS, last);
      up(0, iE);
    }
  }
  return out.GetSize();
}

// ---- property rows ---------------------------------------------------------------------------

void CDrawRect::ListGeneral(CPropGrid* grid) {
  CDrawObj::ListGeneral(grid);
  AddFlagRow(grid, IDS_ROW_TRAJECTORY, m_trajectory);
  if (m_trajectory) return;
  AddTextRow(grid, IDS_ROW_CAPTION, m_caption);
  AddFlagRow(grid, IDS_ROW_OUTLINED, m_outlined);
  if (m_shape == kShapeEllipse) {
    AddFlagRow(grid, IDS_ROW_SEGMENT, m_shapeVariant);
    AddNumberRow(grid, IDS_ROW_SECTOR_START, m_shapeParam3);
    AddNumberRow(grid, IDS_ROW_SECTOR_SWEEP, m_shapeParam4);
  }
  AddFlagRow(grid, IDS_ROW_GRADIENT_STYLE, m_gradientStyle);
  ListPictureRows(*this, grid);
}

void CDrawRect::ApplyGeneral(CPropGrid* grid) {
  const BOOL refused = NameRowEmpty(grid);
  CDrawObj::ApplyGeneral(grid);
  if (refused) return;
  const int wasTrajectory = m_trajectory;
  ReadFlagRow(grid, IDS_ROW_TRAJECTORY, m_trajectory);
  if (wasTrajectory) return;
  ReadTextRow(grid, IDS_ROW_CAPTION, m_caption);
  ReadFlagRow(grid, IDS_ROW_OUTLINED, m_outlined);
  if (m_shape == kShapeEllipse) {
    ReadFlagRow(grid, IDS_ROW_SEGMENT, m_shapeVariant);
    ReadNumberRow(grid, IDS_ROW_SECTOR_START, m_shapeParam3);
    ReadNumberRow(grid, IDS_ROW_SECTOR_SWEEP, m_shapeParam4);
  }
  ApplyGradientRow(*this, grid);
  ApplyPictureRows(*this, grid);
}
