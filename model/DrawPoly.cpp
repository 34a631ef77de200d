#include "model/DrawPoly.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "framework/core/Archive.h"
#include "framework/core/ScopedHandle.h"
#include "framework/ui/DC.h"
#include "graphics/DoubleToCoord.h"
#include "graphics/GeometryHelpers.h"
#include "graphics/ImageHelpers.h"
#include "model/CurveSampler.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawRect.h"
#include "model/PathBuilder.h"
#include "model/PathLimits.h"
#include "model/PropertyRows.h"
#include "model/ShapeEditing.h"
#include "model/ShapePainter.h"
#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CDrawPoly, CDrawObj, 0)

using namespace ShapeEditing;

namespace {

// The version of records that still carried the gradient style in the class's part.
constexpr WORD kFirstVersion = 0x0001;

// The player and the control read pages to play them; the editor reads them to edit.
bool ReadToPlay() {
  CDrawHost* host = GetDrawHost();
  CDrawDoc* document = host ? host->GetDocument() : nullptr;
  return document && document->m_reader != CDrawDoc::Reader::editor;
}
constexpr int kCapacityStep = 10;
// The sample block of a curve record is counted in 16 bits; what is written stays
// below that, with room for the repeated first sample.
constexpr long long kMaxWrittenSamples = 0xFFFE;

CDoublePoint ToDouble(const CPoint& p) { return CDoublePoint(p.x, p.y); }

std::vector<Gdiplus::Point> GdipPoints(const std::vector<CPoint>& points, int count) {
  std::vector<Gdiplus::Point> out;
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out.emplace_back(points[static_cast<size_t>(i)].x, points[static_cast<size_t>(i)].y);
  return out;
}

// One axis of SetRect: the smaller edge movement, the far edge's on a tie.
long long EdgeOffset(long long nearEdge, long long farEdge) {
  return std::llabs(nearEdge) < std::llabs(farEdge) ? nearEdge : farEdge;
}

}  // namespace

CDrawPoly::CDrawPoly() : m_precisePoints(1), m_points(1) {
  m_shapeParam1 = 1;
  m_shapeParam2 = 0;  // the last vertex
  m_filled = 0;
  m_pictureFill = 1;
}

CDrawPoly::CDrawPoly(const CRect& position) : CDrawObj(position), m_precisePoints(1), m_points(1) {
  m_shapeParam1 = 1;
  m_shapeParam2 = 0;
  m_filled = 0;
  m_pictureFill = 1;
  m_rotationCentre = CentreOf(position);
}

CDrawPoly::~CDrawPoly() = default;

void CDrawPoly::SetPointAt(int i, const CPoint& p) {
  if (i < 0 || i > m_pointCount) return;
  m_points[static_cast<size_t>(i)] = p;
  m_precisePoints[static_cast<size_t>(i)] = ToDouble(p);
}

void CDrawPoly::SyncPrecisePoints() {
  m_precisePoints.resize(m_points.size());
  for (size_t i = 0; i < m_points.size(); ++i) m_precisePoints[i] = ToDouble(m_points[i]);
}

void CDrawPoly::GetPointsBounds(CRect& bounds, const CPoint* points, int count) {
  if (m_pointCount < 2 || !points) {
    bounds = m_position;
    return;
  }
  bounds = CRect(points[0].x, points[0].y, points[0].x, points[0].y);
  for (int i = 1; i < count; ++i) {
    bounds.left = std::min(bounds.left, points[i].x);
    bounds.top = std::min(bounds.top, points[i].y);
    bounds.right = std::max(bounds.right, points[i].x);
    bounds.bottom = std::max(bounds.bottom, points[i].y);
  }
}

void CDrawPoly::FollowVertices() {
  GetPointsBounds(m_position, m_points.data(), m_pointCount);
  m_rotationCentre = CentreOf(m_position);
  m_baseRect = GetDrawBounds();
}

// ---- building --------------------------------------------------------------------------

void CDrawPoly::AddPoint(const CPoint& point, CView* view) {
  if (m_pointCount >= kMaxPoints) return;
  // The capacity number only: the list itself always holds N + 1 entries.
  if (m_pointCount + 1 >= m_pointCapacity || m_pointCount == 0)
    m_pointCapacity = std::min(m_pointCapacity + kCapacityStep, INT_MAX - kCapacityStep);
  if (m_pointCount > 0 && point == m_points[static_cast<size_t>(m_pointCount - 1)]) return;
  // The control point moves up one entry and keeps its value.
  m_points.push_back(m_points.back());
  m_precisePoints.push_back(m_precisePoints.back());
  SetPointAt(m_pointCount, point);
  ++m_pointCount;
  FollowVertices();
  InvalidateFor(*this, view);
}

void CDrawPoly::RemoveLastPoint(CView* view) {
  if (m_pointCount <= 0) return;
  InvalidateFor(*this, view);
  const size_t last = static_cast<size_t>(m_pointCount - 1);
  m_points.erase(m_points.begin() + static_cast<std::ptrdiff_t>(last));
  m_precisePoints.erase(m_precisePoints.begin() + static_cast<std::ptrdiff_t>(last));
  --m_pointCount;
  FollowVertices();
  InvalidateFor(*this, view);
}

// ---- the record ------------------------------------------------------------------------

void CDrawPoly::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    const CCurveSampler sampler(m_points.data(), m_pointCount);
    const long long samples = std::min(sampler.Count(), kMaxWrittenSamples);
    ar << static_cast<WORD>(m_polyKind) << static_cast<WORD>(m_pointCount) << static_cast<WORD>(samples)
       << static_cast<WORD>(std::min(m_pointCapacity, 0xFFFF));
    for (const CPoint& p : m_points) ar << p;
    if (m_polyKind == kPolyCurve) {
      // Readers skip these; they stay as many as the count says.
      long long written = 0;
      CPoint first;
      sampler.ForEach([&](const CPoint& p) {
        if (written >= samples) return false;
        if (written == 0) first = p;
        ar << p;
        return ++written < samples;
      });
      ar << first;
    }
    ar << static_cast<DWORD>(m_precisePoints.size());
    for (const CDoublePoint& p : m_precisePoints) ar << p.x << p.y;
    ar << m_pictureFill;
    if (m_pictureFill) ar << m_pictureFile;
    ar << static_cast<DWORD>(m_colourKey);
    return;
  }

  WORD kind, count, samples, capacity;
  ar >> kind;
  if (m_version == kFirstVersion) ar >> m_gradientStyle;
  ar >> count >> samples >> capacity;
  ar.CheckAvailable(static_cast<ULONGLONG>(count) + 1, 8);
  std::vector<CPoint> points(static_cast<size_t>(count) + 1);
  for (CPoint& p : points) ar >> p;
  if (kind == kPolyCurve) {
    ar.CheckAvailable(static_cast<ULONGLONG>(samples) + 1, 8);
    CPoint skipped;
    for (int i = 0; i <= samples; ++i) ar >> skipped;
  }
  DWORD preciseCount;
  ar >> preciseCount;
  ar.CheckAvailable(preciseCount, 16);
  std::vector<CDoublePoint> precise(preciseCount);
  for (CDoublePoint& p : precise) ar >> p.x >> p.y;
  ar >> m_pictureFill;
  if (m_pictureFill)
    ar >> m_pictureFile;
  else
    m_pictureFile.Empty();
  DWORD colourKey;
  ar >> colourKey;

  m_polyKind = kind;
  m_pointCount = count;
  m_pointCapacity = std::max<int>(capacity, count + 1);
  m_points = std::move(points);
  // The precise copy covers every entry: missing ones come from the vertices, extra
  // ones belong to no vertex.
  precise.resize(m_points.size());
  for (size_t i = std::min<size_t>(preciseCount, m_points.size()); i < m_points.size(); ++i)
    precise[i] = ToDouble(m_points[i]);
  m_precisePoints = std::move(precise);
  m_colourKey = colourKey;
  if (!m_pictureFile.IsEmpty()) {
    const CString file = m_pictureFile;
    LoadPicture(file);
  }
}

// ---- simple operations -------------------------------------------------------------------

BOOL CDrawPoly::IsPlainShape() { return m_picture == nullptr; }

void CDrawPoly::SetControlPoint(int x, int y) {
  SetPointAt(m_pointCount, CPoint(x, y));
  Invalidate();
}

void CDrawPoly::ResetPropertyPage(int group, CView* view) {
  if (group == 0) {
    m_gradientStyle = 0;
    m_pictureFile.Empty();
    m_pictureFill = 0;
    delete m_picture;
    m_picture = nullptr;
    m_filled = 0;
    m_colourKey = 0xFFFFFF;
  }
  CDrawObj::ResetPropertyPage(group, view);
}

int CDrawPoly::GetHandleCount() { return m_pointCount + 1; }

// Vertex handles 1 .. N, the rotation centre N + 1; any other number is handle 1.
CPoint CDrawPoly::GetHandle(int handle) {
  const int n = handle >= 1 && handle <= m_pointCount + 1 ? handle : 1;
  CPoint p;
  if (n == m_pointCount + 1)
    m_rotationCentre.Round(p);
  else
    p = m_points[static_cast<size_t>(n - 1)];
  return Turned(p, -m_angle, m_rotationCentre.x, m_rotationCentre.y);
}

HCURSOR CDrawPoly::GetHandleCursor(int handle) {
  if (handle == m_pointCount + 1) return CDrawObj::GetHandleCursor(9);
  return ::LoadCursor(nullptr, IDC_SIZENWSE);
}

// ---- outline -----------------------------------------------------------------------------

BOOL CDrawPoly::AddOutline(Gdiplus::GraphicsPath& path, OutlineUse use) {
  const int n = m_pointCount;
  if (n < 2 || (m_polyKind != kPolyLines && m_polyKind != kPolyCurve)) return FALSE;
  const CPoint& a = m_points[0];
  const CPoint& b = m_points[1];
  if (n == 2) {
    if (use == OutlineUse::drawing) {
      // GDI+ refuses a polygon of two points; a segment it draws.
      path.AddLine(static_cast<INT>(a.x), static_cast<INT>(a.y), static_cast<INT>(b.x), static_cast<INT>(b.y));
    } else {
      POINT band[4];
      LineBandPolygon(a.x, a.y, b.x, b.y, m_pen.lopnWidth.x, band);
      Gdiplus::Point corners[4];
      for (int i = 0; i < 4; ++i) corners[i] = Gdiplus::Point(band[i].x, band[i].y);
      path.AddPolygon(corners, 4);
    }
    return TRUE;
  }
  const std::vector<Gdiplus::Point> points = GdipPoints(m_points, n);
  if (m_polyKind == kPolyLines) {
    if (m_closed)
      path.AddPolygon(points.data(), n);
    else
      path.AddLines(points.data(), n);
  } else {
    if (m_closed)
      path.AddClosedCurve(points.data(), n);
    else
      path.AddCurve(points.data(), n);
  }
  return path.GetPointCount() > 0;
}

void CDrawPoly::TurnPath(Gdiplus::GraphicsPath& path) { ShapeEditing::TurnPath(path, m_angle, m_rotationCentre); }

BOOL CDrawPoly::GetOutline(Gdiplus::GraphicsPath& path) {
  if (!AddOutline(path, OutlineUse::bounds)) return FALSE;
  TurnPath(path);
  return TRUE;
}

BOOL CDrawPoly::GetBounds(Gdiplus::Rect& bounds) {
  Gdiplus::GraphicsPath path;
  if (!GetOutline(path)) return FALSE;
  Gdiplus::Rect b;
  if (path.GetBounds(&b) != Gdiplus::Ok) return FALSE;
  bounds = b;
  return TRUE;
}

CRect CDrawPoly::GetDrawBounds() {
  Gdiplus::GraphicsPath path;
  if (m_pointCount < 2 || !AddOutline(path, OutlineUse::bounds)) return m_position;
  Gdiplus::Matrix turn;
  TurnMatrix(m_angle, m_rotationCentre, turn);
  CRect bounds;
  if (!StrokedBounds(path, &turn, m_pen.lopnWidth.x, bounds)) return m_position;
  return bounds;
}

BOOL CDrawPoly::Intersects(const CRect& rect) {
  if (m_pointCount < 2) return FALSE;
  CRect r = rect;
  if (r.left == r.right) { --r.left; ++r.right; }
  if (r.top == r.bottom) { --r.top; ++r.bottom; }
  r.NormalizeRect();
  std::vector<POINT> region;
  const CPoint& first = m_points.front();
  bool sameX = true, sameY = true;
  for (int i = 1; i < m_pointCount; ++i) {
    sameX = sameX && m_points[static_cast<size_t>(i)].x == first.x;
    sameY = sameY && m_points[static_cast<size_t>(i)].y == first.y;
  }
  if (m_pointCount > 2 && (sameX || sameY)) {
    // A figure along one line has no area: the band around it from end to end.
    const CPoint& last = m_points[static_cast<size_t>(m_pointCount - 1)];
    POINT band[4];
    LineBandPolygon(first.x, first.y, last.x, last.y, m_pen.lopnWidth.x, band);
    region.assign(band, band + 4);
  } else {
    Gdiplus::GraphicsPath path;
    if (!GetOutline(path)) return FALSE;
    PathLimits::Flatten(path);  // curves by their shape, not their control points
    const int count = path.GetPointCount();
    if (count < 3) return FALSE;
    std::vector<Gdiplus::PointF> fp(static_cast<size_t>(count));
    path.GetPathPoints(fp.data(), count);
    for (const auto& p : fp) region.push_back(POINT{RoundHalfAway(p.X), RoundHalfAway(p.Y)});
  }
  CScopedRegion rgn(::CreatePolygonRgn(region.data(), static_cast<int>(region.size()), ALTERNATE));
  return rgn && ::RectInRegion(rgn.get(), &r);
}

// ---- drawing -------------------------------------------------------------------------------

int CDrawPoly::DrawObject(CDC* dc, CView*) {
  if (!m_visible || m_pointCount < 2) return 0;
  if (m_buttonised) CShapePainter::DrawButtonFrame(dc, *this);
  CShapePainter::Options options;
  options.ownSecondFillAlpha = false;
  options.penCentreByMode = true;
  options.hasFillCentre = true;
  options.fillCentre = ControlPoint();
  CShapePainter painter(dc, *this, options);
  LoadPictureIfNeeded();
  Gdiplus::GraphicsPath path;
  if (!AddOutline(path, OutlineUse::drawing)) return 0;
  TurnPath(path);
  painter.Prepare(path, GdipRectOf(m_baseRect));
  if (m_pointCount == 2) {
    // A single segment has no inside: always stroked, never filled.
    painter.StrokePath(path);
    return 1;
  }
  if (m_pictureFill && m_picture) {
    DrawPictureFill(painter.Graphics(), path);
  } else if (m_filled) {
    painter.FillPath(path);
  }
  if (m_outlined) painter.StrokePath(path);
  return 1;
}

void CDrawPoly::DrawTracker(CDC* dc, int state) {
  CDrawObj::DrawTracker(dc, state);
  if (m_trajectory) {
    const CPoint start = GetHandle(m_shapeParam1);
    const CPoint end = GetHandle(m_shapeParam2 != 0 ? m_shapeParam2 : m_pointCount);
    DrawHandle(dc, start.x, start.y, 4, 0, RGB(0, 255, 0));
    DrawHandle(dc, end.x, end.y, 4, 0, RGB(255, 0, 0));
  }
  if (m_showActiveHandle) {
    const CPoint p = GetHandle(m_activeHandle);
    DrawHandle(dc, p.x, p.y, 4, 0, RGB(0, 0, 255));
  }
}

// ---- geometry changes ----------------------------------------------------------------------

// Translates only: a polygon changes shape through its vertex handles.
void CDrawPoly::SetRect(const CRect& rect, CView* view) {
  if (rect == m_position) return;
  InvalidateFor(*this, view);
  CRect to = rect, from = m_position;
  to.NormalizeRect();
  from.NormalizeRect();
  const long long dx = EdgeOffset(static_cast<long long>(to.left) - from.left,
                                  static_cast<long long>(to.right) - from.right);
  const long long dy = EdgeOffset(static_cast<long long>(to.top) - from.top,
                                  static_cast<long long>(to.bottom) - from.bottom);
  for (size_t i = 0; i < m_points.size(); ++i) {
    CPoint& p = m_points[i];
    p.x = ClampToInt(p.x + dx);
    p.y = ClampToInt(p.y + dy);
    m_precisePoints[i] = CDoublePoint(m_precisePoints[i].x + static_cast<double>(dx),
                                      m_precisePoints[i].y + static_cast<double>(dy));
  }
  m_position = rect;
  m_rotationCentre = CentreOf(rect);
  m_baseRect = GetDrawBounds();
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

// Both turn the accumulated rotation as well as the angle.
void CDrawPoly::SetAngle(double angle, BOOL relative, CView* view) {
  CDrawRect::SetAngleRectOf(*this, angle, m_rotationCentre.x, m_rotationCentre.y, relative, view);
}

void CDrawPoly::SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) {
  // A polygon played by the player or the control turns but keeps its own rotation
  // centre; the editor takes the one given.
  if (ReadToPlay()) {
    centreX = m_rotationCentre.x;
    centreY = m_rotationCentre.y;
  }
  CDrawRect::SetAngleRectOf(*this, angle, centreX, centreY, relative, view);
}

double CDrawPoly::Distance(double x, double y) {
  // Played, a polygon's orbit radius is measured from its rotation centre.
  if (!ReadToPlay()) return CDrawObj::Distance(x, y);
  return std::sqrt((x - m_rotationCentre.x) * (x - m_rotationCentre.x) +
                   (y - m_rotationCentre.y) * (y - m_rotationCentre.y));
}

// The turn becomes the vertices'; the rotation centre stays where it was.
void CDrawPoly::ApplyRotation() {
  if (m_pointCount > 0 && m_angle != 0.0 && std::isfinite(m_angle) && std::isfinite(m_rotationCentre.x) &&
      std::isfinite(m_rotationCentre.y)) {
    std::vector<POINT> turned(m_points.begin(), m_points.begin() + m_pointCount);
    RotatePointsAbout(-m_angle, m_rotationCentre.x, m_rotationCentre.y, turned.data(), m_pointCount);
    for (int i = 0; i < m_pointCount; ++i) SetPointAt(i, CPoint(turned[static_cast<size_t>(i)]));
  }
  m_angle = 0.0;
  m_rotationState.orbitAngle = 0.0;
  GetPointsBounds(m_position, m_points.data(), m_pointCount);
  m_baseRect = GetDrawBounds();
}

void CDrawPoly::MoveHandleTo(int handle, int x, int y, CView* view) {
  if (handle == m_pointCount + 1) {
    CRect r = m_position;
    const CPoint centre = CentreHalves(r);
    r.OffsetRect(ClampToInt(static_cast<long long>(x) - centre.x), ClampToInt(static_cast<long long>(y) - centre.y));
    SetRect(r, view);
    return;
  }
  if (handle < 1 || handle > m_pointCount) return;  // no such vertex
  if (m_points[static_cast<size_t>(handle - 1)] == CPoint(x, y)) return;
  InvalidateFor(*this, view);
  SetPointAt(handle - 1, CPoint(x, y));
  FollowVertices();
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

// The vertices scale about the centre; the figure's own centre follows them. Nothing is
// shrunk below 21 units.
void CDrawPoly::ScaleAbout(double factor, double centreX, double centreY, CView* view) {
  if (factor < 1.0 && (std::llabs(static_cast<long long>(m_position.right) - m_position.left) < 21 ||
                       std::llabs(static_cast<long long>(m_position.bottom) - m_position.top) < 21))
    return;
  std::vector<CPoint> targets;
  for (int n = 1; n <= m_pointCount; ++n) {
    const CPoint p = GetHandle(n);
    targets.emplace_back(DoubleToCoord(p.x * factor - (factor - 1) * centreX),
                         DoubleToCoord(p.y * factor - (factor - 1) * centreY));
  }
  for (int n = 1; n <= m_pointCount; ++n) {
    const CPoint& t = targets[static_cast<size_t>(n - 1)];
    MoveHandleTo(n, t.x, t.y, view);
  }
}

void CDrawPoly::MakeSquare(CView* view) {
  const int n = m_pointCount;
  if (n < 3 || n > 48) return;
  const CDoublePoint c = CentreOf(m_position);
  const double r = std::sqrt(ToDouble(m_points[0]).DistanceSquared(c));
  // Vertex 0 on the centre gives no circle to walk: every vertex would land on it.
  if (!(r >= 1.0)) return;
  const double a = 3.141592653589793 / n, b = 3.141592653589793 / 2 - a;
  const double side = 2 * r * std::sin(a);
  bool regular = true;
  for (int i = 0; i + 1 < n; ++i) {
    const CPoint& p = m_points[static_cast<size_t>(i)];
    const CPoint& q = m_points[static_cast<size_t>(i + 1)];
    if (std::fabs(PointDistance(p.x, p.y, q.x, q.y) - side) > 5) regular = false;
  }
  if (regular) return;
  // Walk round the circle through vertex 0, one side at a time.
  CDoublePoint q = ToDouble(m_points[0]);
  for (int i = 0; i < n; ++i) {
    CPoint vertex;
    q.Round(vertex);
    SetPointAt(i, vertex);
    const double theta = std::atan2(q.y - c.y, q.x - c.x);
    q = CDoublePoint(DoubleToCoord(q.x - 2 * std::cos(theta - b) * r * std::cos(b)),
                     DoubleToCoord(q.y - 2 * std::sin(theta - b) * r * std::cos(b)));
  }
  FollowVertices();
  CDrawHost* host = GetDrawHost();
  if (host) host->InvalidateView();
  if (host && host->GetMode() == kModeEditing) host->SetPageModified();
}

void CDrawPoly::ResetTransform() {
  CDrawObj::ResetTransform();
  SyncPrecisePoints();
}

// The base maps the rectangle; the vertices follow their precise copies, which keep the
// mapped values for the next mapping. An axis without extent translates only.
void CDrawPoly::MapRect(const CRect& from, const CRect& to, CRect& result) {
  CDrawObj::MapRect(from, to, result);
  const long long fromW = static_cast<long long>(from.right) - from.left, toW = static_cast<long long>(to.right) - to.left;
  const long long fromH = static_cast<long long>(from.bottom) - from.top, toH = static_cast<long long>(to.bottom) - to.top;
  const double sx = fromW != 0 ? static_cast<double>(toW) / static_cast<double>(fromW) : 1.0;
  const double sy = fromH != 0 ? static_cast<double>(toH) / static_cast<double>(fromH) : 1.0;
  const CDoublePoint p = CentreOf(from), q = CentreOf(to);
  for (size_t i = 0; i < m_precisePoints.size(); ++i) {
    CDoublePoint& v = m_precisePoints[i];
    v = CDoublePoint((v.x - p.x) * sx + q.x, (v.y - p.y) * sy + q.y);
    v.Round(m_points[i]);
  }
  m_rotationCentre = CentreOf(m_position);
  m_baseRect = GetDrawBounds();
}

// ---- copies ----------------------------------------------------------------------------------

CDrawObj* CDrawPoly::Clone(CDrawObj* target) {
  return CloneShape(*this, target, [&](CDrawPoly* poly) {
    poly->m_polyKind = m_polyKind;
    poly->m_gradientStyle = m_gradientStyle;
    poly->m_pointCount = m_pointCount;
    poly->m_pointCapacity = m_pointCapacity;
    poly->m_points = m_points;
    poly->SyncPrecisePoints();
  });
}

CDrawObj* CDrawPoly::Duplicate(CDrawDoc* document) { return PlaceDuplicate(Clone(nullptr), document); }

// ---- play and effect state ---------------------------------------------------------------

void CDrawPoly::SavePlayState(CView* view, CDrawObj* owner) {
  CDrawObj::SavePlayState(view, owner);
  m_savedPicture.Take(*this);
  m_savedPoints = m_points;
  m_savedPrecisePoints = m_precisePoints;
  m_pointsSaved = true;
}

void CDrawPoly::RestorePlayState(CView* view) {
  CDrawObj::RestorePlayState(view);
  bool changed = false;
  // Nothing saved, nothing to put back: a second stop after a failed page jump.
  if (m_pointsSaved && m_savedPoints.size() == m_points.size()) {
    m_points.swap(m_savedPoints);
    m_precisePoints.swap(m_savedPrecisePoints);
    changed = true;
  }
  m_pointsSaved = false;
  m_savedPoints.clear();
  m_savedPrecisePoints.clear();
  if (m_savedPicture.GiveBack(*this)) changed = true;
  if (changed) {
    m_baseRect = GetDrawBounds();
    InvalidateFor(*this, view);
  }
}

void CDrawPoly::SaveVisibilityLayer() {
  CDrawObj::SaveVisibilityLayer();
  m_savedEffectPicture.Take(*this);
}

void CDrawPoly::RevertVisibilityLayer() {
  CDrawObj::RevertVisibilityLayer();
  if (m_savedEffectPicture.GiveBack(*this)) Invalidate();
}

// ---- trajectory ------------------------------------------------------------------------------

double CDrawPoly::GetPathLength() {
  const int n = m_pointCount;
  if (n < 2 || (m_polyKind != kPolyLines && m_polyKind != kPolyCurve)) return 0.0;
  auto distance = [](const CPoint& a, const CPoint& b) { return PointDistance(a.x, a.y, b.x, b.y); };
  if (n == 2) return distance(m_points[0], m_points[1]);
  double length = 0.0;
  if (m_polyKind == kPolyLines) {
    for (int i = 0; i + 1 < n; ++i) length += distance(m_points[static_cast<size_t>(i)], m_points[static_cast<size_t>(i + 1)]);
    if (m_closed) length += distance(m_points[static_cast<size_t>(n - 1)], m_points[0]);
    return length;
  }
  // A curve measures its open sample chain, closed or not.
  const CCurveSampler sampler(m_points.data(), n);
  bool first = true;
  CPoint previous;
  sampler.ForEach([&](const CPoint& p) {
    if (!first) length += distance(previous, p);
    previous = p;
    first = false;
    return true;
  });
  return length;
}

// The builder's points along the figure: polylines through the stored vertices, curves
// along their turned Bezier outline. A curve of two vertices is its segment.
int CDrawPoly::WalkPoints(int spacing, std::vector<CPoint>& points) {
  CPathBuilder builder(spacing);
  const int n = m_pointCount;
  if (m_polyKind == kPolyLines || n == 2) {
    builder.MoveTo(m_points[0].x, m_points[0].y);
    for (int i = 1; i < n; ++i) builder.LineTo(m_points[static_cast<size_t>(i)].x, m_points[static_cast<size_t>(i)].y);
    if (m_closed) builder.LineTo(m_points[0].x, m_points[0].y);
  } else {
    Gdiplus::GraphicsPath path;
    if (!AddOutline(path, OutlineUse::drawing)) return 0;
    TurnPath(path);
    const int count = path.GetPointCount();
    if (count < 1) return 0;
    std::vector<Gdiplus::PointF> fp(static_cast<size_t>(count));
    path.GetPathPoints(fp.data(), count);
    auto at = [&](int i) {
      return POINT{RoundHalfAway(fp[static_cast<size_t>(i)].X), RoundHalfAway(fp[static_cast<size_t>(i)].Y)};
    };
    const POINT start = at(0);
    builder.MoveTo(start.x, start.y);
    const int steps = (count + 1) / 3;
    for (int k = 0, i = 1; k < steps && i + 2 < count; ++k, i += 3) builder.CurveTo(at(i), at(i + 1), at(i + 2));
  }
  points = builder.Points();
  return static_cast<int>(points.size());
}

int CDrawPoly::GetPathPoints(int step, CMethod* action, int mode) {
  if (!action || m_pointCount < 2 || (m_polyKind != kPolyLines && m_polyKind != kPolyCurve)) return 0;
  // Handle numbers come from files: a walk between handles the figure does not have is
  // no walk (an end of 0 is the last vertex).
  const int handles = m_pointCount + 1;
  if (m_shapeParam1 < 1 || m_shapeParam1 > handles || m_shapeParam2 < 0 || m_shapeParam2 > handles) return 0;
  const int spacing = PathSpacing(step, GetPathLength(), mode);
  if (spacing <= 0) return 0;
  std::vector<CPoint> points;
  const int m = WalkPoints(spacing, points);
  if (m == 0) return 0;
  const CPoint start = GetHandle(m_shapeParam1);
  const CPoint end = GetHandle(m_shapeParam2 != 0 ? m_shapeParam2 : m_pointCount);
  const int iS = NearestIndex(points, start), iE = NearestIndex(points, end), last = m - 1;

  CPointArray& out = action->m_path;
  out.RemoveAll();
  auto up = [&](int from, int to) {
    for (int i = from; i <= to; ++i) out.Add(points[static_cast<size_t>(i)]);
  };
  auto down = [&](int from, int to) {
    for (int i = from; i >= to; --i) out.Add(points[static_cast<size_t>(i)]);
  };
  const bool forward = step > 0, closed = m_closed != 0;
  if (iS < iE) {
    if (forward) {
      up(iS, iE - 1);
      out.Add(end);
    } else if (!closed) {
      down(iE, iS);
    } else {
      down(iS, 0);
      down(last, iE);
    }
  } else if (iS == iE) {
    if (closed && forward) {
      up(iS, last);
      up(0, iS - 1);
    } else if (closed) {
      down(iS, 0);
      down(last, iS);
    }
  } else {
    if (forward) {
      down(iS, iE);
    } else if (!closed) {
      up(iE, iS - 1);
    } else {
      up(iS, last);
      up(0, iE);
    }
  }
  return out.GetSize();
}

// ---- property rows ---------------------------------------------------------------------------

void CDrawPoly::ListGeneral(CPropGrid* grid) {
  CDrawObj::ListGeneral(grid);
  if (m_trajectory) {
    AddFlagRow(grid, IDS_ROW_TRAJECTORY, m_trajectory);
    return;
  }
  AddFlagRow(grid, IDS_ROW_OUTLINED, m_outlined);
  AddFlagRow(grid, IDS_ROW_GRADIENT_STYLE, m_gradientStyle);
  ListPictureRows(*this, grid);
}

void CDrawPoly::ApplyGeneral(CPropGrid* grid) {
  const BOOL refused = NameRowEmpty(grid);
  CDrawObj::ApplyGeneral(grid);
  if (refused) return;
  if (m_trajectory) {
    ReadFlagRow(grid, IDS_ROW_TRAJECTORY, m_trajectory);
    return;
  }
  ReadFlagRow(grid, IDS_ROW_OUTLINED, m_outlined);
  ApplyGradientRow(*this, grid);
  ApplyPictureRows(*this, grid);
}
