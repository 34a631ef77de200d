#include "model/DrawLine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/ScopedHandle.h"
#include "framework/ui/DC.h"
#include "graphics/DoubleToCoord.h"
#include "graphics/GeometryHelpers.h"
#include "graphics/ImageHelpers.h"
#include "model/DrawRect.h"
#include "model/PathBuilder.h"
#include "model/PropertyRows.h"
#include "model/ShapeEditing.h"
#include "model/ShapePainter.h"
#include "resources/ModelStrings.h"

// The record names CObject as the base, as stored pages and their readers expect.
IMPLEMENT_SERIAL(CDrawLine, CObject, 0)

using namespace ShapeEditing;

namespace {

// Written as the count of reference points; readers ignore it.
constexpr DWORD kRefPointCount = 3;

CDoublePoint ToDouble(const CPoint& p) { return CDoublePoint(p.x, p.y); }

CPoint Rounded(const CDoublePoint& p) {
  CPoint out;
  p.Round(out);
  return out;
}

// The offset of one axis in SetRect: the smaller edge movement, the far edge's on a tie.
long long EdgeOffset(long long nearEdge, long long farEdge) {
  return std::llabs(nearEdge) < std::llabs(farEdge) ? nearEdge : farEdge;
}

}  // namespace

CDrawLine::CDrawLine() {
  m_shapeParam1 = 2;
  m_shapeParam2 = 1;
}

CDrawLine::CDrawLine(const CRect& position) : CDrawObj(position) {
  m_shapeParam1 = 2;
  m_shapeParam2 = 1;
  m_end1 = CPoint(position.left, position.top);
  m_end2 = CPoint(position.right, position.bottom);
  m_rotationCentre = Midpoint();
  m_middle = Rounded(m_rotationCentre);
  m_baseRect = GetDrawBounds();
}

CDrawLine::~CDrawLine() = default;

CDoublePoint CDrawLine::Midpoint() const {
  return CDoublePoint((static_cast<double>(m_end1.x) + m_end2.x) * 0.5,
                      (static_cast<double>(m_end1.y) + m_end2.y) * 0.5);
}

CRect CDrawLine::Span() const {
  CRect r(m_end1.x, m_end1.y, m_end2.x, m_end2.y);
  r.NormalizeRect();
  return r;
}

void CDrawLine::FollowEnds() {
  m_position = Span();
  m_rotationCentre = Midpoint();
  m_middle = Rounded(m_rotationCentre);
  m_baseRect = GetDrawBounds();
}

// ---- the record ------------------------------------------------------------------------

// The base record carries the line's direction plus its own turn.
void CDrawLine::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    const double ownAngle = m_angle;
    m_angle = ownAngle + LineAngle(m_end1, m_end2);
    try {
      CDrawObj::Serialize(ar);
    } catch (...) {
      m_angle = ownAngle;
      throw;
    }
    m_angle = ownAngle;
    ar << static_cast<WORD>(m_reservedWord);
    ar << m_end1 << m_end2 << m_middle << m_savedEnd1 << m_savedEnd2 << m_savedMiddle;
    ar << kRefPointCount;
    for (const CDoublePoint& p : m_refPoints) ar << p.x << p.y;
    return;
  }
  CDrawObj::Serialize(ar);
  WORD reserved;
  ar >> reserved;
  m_reservedWord = reserved;
  ar >> m_end1 >> m_end2 >> m_middle >> m_savedEnd1 >> m_savedEnd2 >> m_savedMiddle;
  DWORD count;
  ar >> count;  // always three points follow, whatever it says
  for (CDoublePoint& p : m_refPoints) ar >> p.x >> p.y;
  m_angle -= LineAngle(m_end1, m_end2);
}

// ---- simple operations -------------------------------------------------------------------

BOOL CDrawLine::IsPlainShape() { return TRUE; }

int CDrawLine::GetHandleCount() { return 3; }

// Ends turn about the middle of the stored ends; handle 3 is that middle.
CPoint CDrawLine::GetHandle(int handle) {
  const CDoublePoint m = Midpoint();
  if (handle >= 3) return Rounded(m);
  return Turned(handle == 2 ? m_end2 : m_end1, -m_angle, m.x, m.y);
}

HCURSOR CDrawLine::GetHandleCursor(int handle) {
  return CDrawObj::GetHandleCursor(handle == 3 ? 9 : 5);
}

int CDrawLine::TopEdgeHandle() { return GetHandle(1).y < GetHandle(2).y ? 1 : 2; }
int CDrawLine::BottomEdgeHandle() { return TopEdgeHandle() == 1 ? 2 : 1; }
int CDrawLine::RightEdgeHandle() { return GetHandle(1).x < GetHandle(2).x ? 2 : 1; }
int CDrawLine::LeftEdgeHandle() { return RightEdgeHandle() == 1 ? 2 : 1; }

// ---- drawing -------------------------------------------------------------------------------

int CDrawLine::DrawObject(CDC* dc, CView*) {
  if (!m_visible || m_end1 == m_end2) return 0;
  CShapePainter::Options options;
  options.penCentreByMode = true;
  CShapePainter painter(dc, *this, options);
  // A pen path gradient spreads over the line's turned rectangle.
  Gdiplus::GraphicsPath frame;
  frame.AddRectangle(GdipRectOf(m_position));
  TurnPath(frame, m_angle, m_rotationCentre);
  painter.Prepare(frame, GdipRectOf(m_baseRect));

  const CPoint e1 = Turned(m_end1, -m_angle, m_rotationCentre.x, m_rotationCentre.y);
  const CPoint e2 = Turned(m_end2, -m_angle, m_rotationCentre.x, m_rotationCentre.y);
  const double a = -LineAngle(e1, e2);
  const double h = PointDistance(e1.x, e1.y, e2.x, e2.y) * 0.5;
  const double ux = std::cos(a) * h, uy = std::sin(a) * h;
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    const CMethod& action = m_actions[i];
    if (action.m_nType != CMethod::typeTranslate || !action.m_bTracing) continue;
    const long long n = std::min<long long>(static_cast<long long>(action.m_nPathIndex) + 1, action.m_path.GetSize());
    for (long long k = 0; k < n; ++k) {
      const CPoint& p = action.m_path[static_cast<int>(k)];
      painter.StrokeLine(Gdiplus::PointF(static_cast<Gdiplus::REAL>(p.x + ux), static_cast<Gdiplus::REAL>(p.y + uy)),
                         Gdiplus::PointF(static_cast<Gdiplus::REAL>(p.x - ux), static_cast<Gdiplus::REAL>(p.y - uy)));
    }
  }
  // From end 2 to end 1: the start cap sits on end 2, the end cap (the arrow) on end 1.
  painter.StrokeLine(Gdiplus::PointF(static_cast<Gdiplus::REAL>(e2.x), static_cast<Gdiplus::REAL>(e2.y)),
                     Gdiplus::PointF(static_cast<Gdiplus::REAL>(e1.x), static_cast<Gdiplus::REAL>(e1.y)));
  return 1;
}

void CDrawLine::DrawTracker(CDC* dc, int state) {
  if (state == 1 || state == 2) {
    for (int handle = 1; handle <= 3; ++handle) {
      const CPoint p = GetHandle(handle);
      ::PatBlt(dc->GetSafeHdc(), p.x - 3, p.y - 3, 7, 7, DSTINVERT);
    }
    if (m_showActiveHandle) {
      const CPoint p = GetHandle(m_activeHandle);
      DrawHandle(dc, p.x, p.y, 4, 0, RGB(0, 0, 255));
    }
  }
  if (m_trajectory) {
    const CPoint start = GetHandle(m_shapeParam1), end = GetHandle(m_shapeParam2);
    DrawHandle(dc, start.x, start.y, 4, 1, RGB(0, 255, 0));
    DrawHandle(dc, end.x, end.y, 4, 1, RGB(255, 0, 0));
  }
}

// ---- geometry ------------------------------------------------------------------------------

// The band around the stored segment, wide enough for the pen and a grip margin.
BOOL CDrawLine::Intersects(const CRect& rect) {
  CRect r = rect;
  if (r.left == r.right) { --r.left; ++r.right; }
  if (r.top == r.bottom) { --r.top; ++r.bottom; }
  r.NormalizeRect();
  POINT band[4];
  LineBandPolygon(m_end1.x, m_end1.y, m_end2.x, m_end2.y, m_pen.lopnWidth.x, band);
  CScopedRegion region(::CreatePolygonRgn(band, 4, ALTERNATE));
  return region && ::RectInRegion(region.get(), &r);
}

CRect CDrawLine::GetDrawBounds() {
  POINT band[4];
  LineBandPolygon(m_end1.x, m_end1.y, m_end2.x, m_end2.y, m_pen.lopnWidth.x, band);
  Gdiplus::Point corners[4];
  for (int i = 0; i < 4; ++i) corners[i] = Gdiplus::Point(band[i].x, band[i].y);
  Gdiplus::GraphicsPath path;
  path.AddPolygon(corners, 4);
  Gdiplus::Matrix turn;
  TurnMatrix(m_angle, m_rotationCentre, turn);
  CRect bounds;
  if (!StrokedBounds(path, &turn, m_pen.lopnWidth.x, bounds)) return CDrawObj::GetDrawBounds();
  return bounds;
}

// A line's rectangle has no orientation of its own: a mirrored rectangle of the same
// place moves nothing, and the position is always the span of the ends.
void CDrawLine::SetRect(const CRect& rect, CView* view) {
  if (rect == m_position) return;
  CRect to = rect, from = m_position;
  to.NormalizeRect();
  from.NormalizeRect();
  const int dx = ClampToInt(EdgeOffset(static_cast<long long>(to.left) - from.left,
                                       static_cast<long long>(to.right) - from.right));
  const int dy = ClampToInt(EdgeOffset(static_cast<long long>(to.top) - from.top,
                                       static_cast<long long>(to.bottom) - from.bottom));
  InvalidateFor(*this, view);
  auto move = [&](CPoint& p) {
    p.x = ClampToInt(static_cast<long long>(p.x) + dx);
    p.y = ClampToInt(static_cast<long long>(p.y) + dy);
  };
  move(m_end1);
  move(m_end2);
  for (int i = 0; i < 2; ++i) m_refPoints[i] = CDoublePoint(m_refPoints[i].x + dx, m_refPoints[i].y + dy);
  FollowEnds();
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

void CDrawLine::SetAngle(double angle, BOOL relative, CView* view) {
  CDrawRect::SetAngleOf(*this, angle, relative, view);
}

void CDrawLine::SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) {
  CDrawRect::SetAngleRectOf(*this, angle, centreX, centreY, relative, view);
}

void CDrawLine::ApplyRotation() {
  m_end1 = Turned(m_end1, -m_angle, m_rotationCentre.x, m_rotationCentre.y);
  m_end2 = Turned(m_end2, -m_angle, m_rotationCentre.x, m_rotationCentre.y);
  m_angle = 0.0;
  m_rotationState.orbitAngle = 0.0;
  m_refPoints[0] = ToDouble(m_end1);
  m_refPoints[1] = ToDouble(m_end2);
  m_position = Span();
  m_rotationCentre = Midpoint();
  m_middle = CPoint(ClampToInt((static_cast<long long>(m_end1.x) + m_end2.x) / 2),
                    ClampToInt((static_cast<long long>(m_end1.y) + m_end2.y) / 2));
  m_baseRect = GetDrawBounds();
}

void CDrawLine::MoveHandleTo(int handle, int x, int y, CView* view) {
  if (handle < 1 || handle > 3) return;
  if (handle == 3) {
    const CPoint middle = GetHandle(3);
    CRect r = m_position;
    r.OffsetRect(ClampToInt(static_cast<long long>(x) - middle.x), ClampToInt(static_cast<long long>(y) - middle.y));
    SetRect(r, view);
    return;
  }
  InvalidateFor(*this, view);
  // The handle shows the end turned about the middle; the stored end is unturned.
  const CDoublePoint m = Midpoint();
  const CPoint p = Turned(CPoint(x, y), m_angle, m.x, m.y);
  (handle == 1 ? m_end1 : m_end2) = p;
  m_refPoints[handle - 1] = ToDouble(p);  // a later group resize starts from here
  FollowEnds();
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

// Only the ends scale; the middle follows them. A line is not shrunk below 21 units.
void CDrawLine::ScaleAbout(double factor, double centreX, double centreY, CView* view) {
  if (factor < 1.0 && GetPathLength() < 21.0) return;
  CPoint target[2];
  for (int i = 0; i < 2; ++i) {
    const CPoint p = GetHandle(i + 1);
    target[i] = CPoint(DoubleToCoord(p.x * factor - (factor - 1) * centreX),
                       DoubleToCoord(p.y * factor - (factor - 1) * centreY));
  }
  for (int i = 0; i < 2; ++i) MoveHandleTo(i + 1, target[i].x, target[i].y, view);
}

void CDrawLine::ResetTransform() {
  CDrawObj::ResetTransform();
  m_transformCentre = Midpoint();
  m_refPoints[0] = ToDouble(m_end1);
  m_refPoints[1] = ToDouble(m_end2);
  m_refPoints[2] = ToDouble(m_middle);
}

// The ends follow their reference points through the group's change of rectangle. An
// axis without extent translates only; an axis whose extent changed sign mirrors the
// returned rectangle, as for every object.
void CDrawLine::MapRect(const CRect& from, const CRect& to, CRect& result) {
  const long long fromW = static_cast<long long>(from.right) - from.left, toW = static_cast<long long>(to.right) - to.left;
  const long long fromH = static_cast<long long>(from.bottom) - from.top, toH = static_cast<long long>(to.bottom) - to.top;
  const double sx = fromW != 0 ? static_cast<double>(toW) / static_cast<double>(fromW) : 1.0;
  const double sy = fromH != 0 ? static_cast<double>(toH) / static_cast<double>(fromH) : 1.0;
  m_scale.x *= sx;
  m_scale.y *= sy;
  const CDoublePoint p = CentreOf(from), q = CentreOf(to);
  auto map = [&](CDoublePoint& v) { v = CDoublePoint((v.x - p.x) * sx + q.x, (v.y - p.y) * sy + q.y); };
  map(m_transformCentre);
  map(m_refPoints[0]);
  map(m_refPoints[1]);
  m_end1 = Rounded(m_refPoints[0]);
  m_end2 = Rounded(m_refPoints[1]);
  FollowEnds();

  result = m_position;
  auto signOf = [](long long v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
  if (signOf(fromW) != 0 && signOf(toW) != 0 && signOf(fromW) != signOf(toW))
    std::swap(result.left, result.right);
  if (signOf(fromH) != 0 && signOf(toH) != 0 && signOf(fromH) != signOf(toH))
    std::swap(result.top, result.bottom);
}

// ---- copies ----------------------------------------------------------------------------------

CDrawObj* CDrawLine::Clone(CDrawObj* target) {
  return CloneShape(*this, target, [&](CDrawLine* line) {
    line->m_reservedWord = m_reservedWord;
    line->m_end1 = m_end1;
    line->m_end2 = m_end2;
    line->m_middle = m_middle;
    line->m_savedEnd1 = m_savedEnd1;
    line->m_savedEnd2 = m_savedEnd2;
    line->m_savedMiddle = m_savedMiddle;
    line->ResetTransform();
  });
}

CDrawObj* CDrawLine::Duplicate(CDrawDoc* document) { return PlaceDuplicate(Clone(nullptr), document); }

// ---- play state ----------------------------------------------------------------------------

void CDrawLine::SavePlayState(CView* view, CDrawObj* owner) {
  CDrawObj::SavePlayState(view, owner);
  m_fileSavedEnds[0] = m_savedEnd1;
  m_fileSavedEnds[1] = m_savedEnd2;
  m_fileSavedEnds[2] = m_savedMiddle;
  m_savedEnd1 = m_end1;
  m_savedEnd2 = m_end2;
  m_savedMiddle = m_middle;
  std::copy(std::begin(m_refPoints), std::end(m_refPoints), m_savedRefPoints);
  m_geometrySaved = true;
}

void CDrawLine::RestorePlayState(CView* view) {
  if (!m_geometrySaved || !m_playState.saved) {
    CDrawObj::RestorePlayState(view);
    return;
  }
  // The position the run started from, before the base puts the stored field back.
  const CRect start = m_savedRect;
  CDrawObj::RestorePlayState(view);
  m_end1 = m_savedEnd1;
  m_end2 = m_savedEnd2;
  m_middle = m_savedMiddle;
  std::copy(std::begin(m_savedRefPoints), std::end(m_savedRefPoints), m_refPoints);
  m_savedEnd1 = m_fileSavedEnds[0];
  m_savedEnd2 = m_fileSavedEnds[1];
  m_savedMiddle = m_fileSavedEnds[2];
  m_position = start;
  m_geometrySaved = false;
  InvalidateFor(*this, view);
}

// ---- trajectory ------------------------------------------------------------------------------

double CDrawLine::GetPathLength() { return PointDistance(m_end1.x, m_end1.y, m_end2.x, m_end2.y); }

int CDrawLine::GetPathPoints(int step, CMethod* action, int mode) {
  if (!action) return 0;
  const int spacing = PathSpacing(step, GetPathLength(), mode);
  if (spacing <= 0) return 0;
  CPathBuilder builder(spacing);
  builder.MoveTo(m_end1.x, m_end1.y);
  builder.LineTo(m_end2.x, m_end2.y);
  const std::vector<CPoint>& points = builder.Points();
  const int iS = NearestIndex(points, GetHandle(m_shapeParam1));
  const int iE = NearestIndex(points, GetHandle(m_shapeParam2));
  // Both ends included: forward from the start handle, backward from the end handle.
  const int from = step > 0 ? iS : iE, to = step > 0 ? iE : iS;
  CPointArray& out = action->m_path;
  out.RemoveAll();
  const int direction = from <= to ? 1 : -1;
  for (int i = from;; i += direction) {
    out.Add(points[static_cast<size_t>(i)]);
    if (i == to) break;
  }
  return out.GetSize();
}

// ---- property rows ---------------------------------------------------------------------------

void CDrawLine::ListGeneral(CPropGrid* grid) {
  CDrawObj::ListGeneral(grid);
  if (m_trajectory) AddFlagRow(grid, IDS_ROW_TRAJECTORY, m_trajectory);
}

void CDrawLine::ApplyGeneral(CPropGrid* grid) {
  const BOOL refused = NameRowEmpty(grid);
  CDrawObj::ApplyGeneral(grid);
  if (!refused && m_trajectory) ReadFlagRow(grid, IDS_ROW_TRAJECTORY, m_trajectory);
}

int CDrawLine::ListActionTranslation(CPropGrid* grid, CMethod& action) {
  const int result = CDrawObj::ListActionTranslation(grid, action);
  AddFlagRow(grid, IDS_ROW_PATH_TRACE, action.m_bPathTrace);
  return result;
}

BOOL CDrawLine::ApplyActionTranslation(CPropGrid* grid, CMethod& action) {
  if (!CDrawObj::ApplyActionTranslation(grid, action)) return FALSE;
  ReadFlagRow(grid, IDS_ROW_PATH_TRACE, action.m_bPathTrace);
  return TRUE;
}
