#include "model/DrawPoint.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/ui/DC.h"
#include "graphics/DoubleToCoord.h"
#include "graphics/GeometryHelpers.h"
#include "graphics/ImageHelpers.h"
#include "model/DrawHost.h"
#include "model/PathLimits.h"
#include "model/PropertyRows.h"
#include "model/ShapeEditing.h"
#include "model/ShapePainter.h"
#include "propgrid/PropGrid.h"
#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CDrawPoint, CDrawObj, 0)

using namespace ShapeEditing;

CDrawPoint::CDrawPoint() = default;

CDrawPoint::CDrawPoint(const CRect& position) : CDrawObj(position) {
  m_point = CentreHalves(position);
  m_rotationCentre = CDoublePoint(m_point.x, m_point.y);
  FollowPoint();
}

CDrawPoint::~CDrawPoint() = default;

void CDrawPoint::FollowPoint() { m_position = m_baseRect = GetDrawBounds(); }

// ---- the record ------------------------------------------------------------------------

void CDrawPoint::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(m_role) << m_relatedObject << static_cast<DWORD>(m_pointStyle) << m_point;
    return;
  }
  DWORD role, style;
  ar >> role >> m_relatedObject >> style >> m_point;
  m_role = static_cast<int>(role);
  m_pointStyle = static_cast<int>(style);
}

// ---- simple operations -------------------------------------------------------------------

BOOL CDrawPoint::IsPlainShape() { return TRUE; }

void CDrawPoint::ResetPropertyPage(int group, CView* view) {
  if (group == 0) {
    m_role = kPointOrdinary;
    m_pointStyle = kPointRound;
    m_point = CentreHalves(m_position);
    m_relatedObject.Empty();
  }
  CDrawObj::ResetPropertyPage(group, view);
  if (group == 0) FollowPoint();  // the pen, and with it the dot's size, was reset
}

int CDrawPoint::GetHandleCount() { return 1; }

CPoint CDrawPoint::GetHandle(int) { return m_point; }

// The pen width is the dot's full width: the square of that size centred on the point.
CRect CDrawPoint::GetDrawBounds() {
  const double half = m_pen.lopnWidth.x * 0.5;
  return CRect(RoundHalfAway(m_point.x - half), RoundHalfAway(m_point.y - half), RoundHalfAway(m_point.x + half),
               RoundHalfAway(m_point.y + half));
}

// ---- drawing -------------------------------------------------------------------------------

int CDrawPoint::DrawObject(CDC* dc, CView*) {
  FollowPoint();
  if (!m_visible || m_role != kPointOrdinary) return 0;
  const COLORREF colour = m_pen.lopnColor;
  {
    Gdiplus::Graphics graphics(dc->GetSafeHdc());
    if (CDrawHost* host = GetDrawHost())
      graphics.SetSmoothingMode(static_cast<Gdiplus::SmoothingMode>(host->GetSmoothingMode()));
    const Gdiplus::Color argb = CShapePainter::ArgbOf(colour, m_lineAlpha);
    Gdiplus::Pen pen(argb, std::clamp<Gdiplus::REAL>(static_cast<Gdiplus::REAL>(m_pen.lopnWidth.x), 0,
                                                    CShapePainter::kWidestPen));
    pen.SetDashStyle(CShapePainter::DashStyleOf(m_pen.lopnStyle));
    Gdiplus::SolidBrush brush(argb);

    // The places a traced motion has passed, as one smooth curve.
    std::vector<Gdiplus::Point> trace;
    for (int i = 0; i < m_actions.GetSize(); ++i) {
      const CMethod& action = m_actions[i];
      const bool motion = action.m_nType == CMethod::typeTranslate || action.m_nType == CMethod::typeRotate;
      if (!motion || !action.m_bTracing) continue;
      const long long n = std::min<long long>(static_cast<long long>(action.m_nPathIndex) + 1, action.m_path.GetSize());
      if (n <= 0) continue;
      trace.clear();
      for (long long k = 0; k < n; ++k) {
        const CPoint& p = action.m_path[static_cast<int>(k)];
        trace.emplace_back(p.x, p.y);
      }
      Gdiplus::GraphicsPath curve;
      curve.AddCurve(trace.data(), static_cast<INT>(trace.size()));
      const std::unique_ptr<Gdiplus::GraphicsPath> safe = PathLimits::SafeCopy(curve);
      graphics.DrawPath(&pen, safe ? safe.get() : &curve);
    }

    if (m_pen.lopnWidth.x >= 2) {
      const Gdiplus::Rect square = GdipRectOf(m_position);
      Gdiplus::GraphicsPath dot;
      if (m_pointStyle == kPointRound)
        dot.AddEllipse(square);
      else if (m_pointStyle == kPointSquare)
        dot.AddRectangle(square);
      const std::unique_ptr<Gdiplus::GraphicsPath> safe = PathLimits::SafeCopy(dot);
      if (dot.GetPointCount() > 0) graphics.FillPath(&brush, safe ? safe.get() : &dot);
    }
  }
  if (m_pen.lopnWidth.x < 2) ::SetPixel(dc->GetSafeHdc(), m_position.left, m_position.top, colour);
  return 1;
}

// ---- geometry ------------------------------------------------------------------------------

void CDrawPoint::MoveHandleTo(int, int x, int y, CView* view) {
  InvalidateFor(*this, view);
  m_point = CPoint(x, y);
  FollowPoint();
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

void CDrawPoint::SetRect(const CRect& rect, CView* view) {
  InvalidateFor(*this, view);
  m_point = CentreHalves(rect);
  m_rotationCentre = CDoublePoint(m_point.x, m_point.y);
  FollowPoint();
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

// A point has no orientation to turn.
void CDrawPoint::SetAngle(double, BOOL, CView*) {}

// Revolves about the centre at the orbit radius the rotation set up; the point's own
// angle stays as it is.
void CDrawPoint::SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) {
  InvalidateFor(*this, view);
  const double b = relative ? angle + m_rotationState.orbitAngle : angle;
  const double radius = m_rotationState.orbitRadius;
  m_point = CPoint(DoubleToCoord(centreX - std::cos(b) * radius), DoubleToCoord(centreY + std::sin(b) * radius));
  m_rotationState.orbitAngle = b;
  m_rotationCentre = CDoublePoint(centreX, centreY);
  FollowPoint();
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

// ---- copies ----------------------------------------------------------------------------------

CDrawObj* CDrawPoint::Clone(CDrawObj* target) {
  return CloneShape(*this, target, [&](CDrawPoint* point) {
    point->m_role = m_role;
    point->m_relatedObject = m_relatedObject;
    point->m_pointStyle = m_pointStyle;
    point->m_point = m_point;
  });
}

CDrawObj* CDrawPoint::Duplicate(CDrawDoc* document) { return PlaceDuplicate(Clone(nullptr), document); }

// ---- play state ----------------------------------------------------------------------------

void CDrawPoint::SavePlayState(CView* view, CDrawObj* owner) {
  CDrawObj::SavePlayState(view, owner);
  m_savedPoint = m_point;
  m_pointSaved = true;
}

void CDrawPoint::RestorePlayState(CView* view) {
  const bool saved = m_pointSaved && m_playState.saved;
  CDrawObj::RestorePlayState(view);
  if (!saved) return;
  m_pointSaved = false;
  m_point = m_savedPoint;
  FollowPoint();
  InvalidateFor(*this, view);
}

// ---- property rows ---------------------------------------------------------------------------

namespace {

const UINT kStyleNames[] = {IDS_POINT_ROUND, IDS_POINT_SQUARE};
// In the order of the role numbers.
const UINT kRoleNames[] = {IDS_POINT_ORDINARY, IDS_POINT_PATH_START, IDS_POINT_PATH_END, IDS_POINT_CONTROL,
                           IDS_POINT_ROTATION_CENTRE};

template <size_t N>
CString NameAt(const UINT (&names)[N], int index) {
  return index >= 0 && index < static_cast<int>(N) ? LoadLabel(names[index]) : CString();
}

}  // namespace

void CDrawPoint::ListGeneral(CPropGrid* grid) {
  AddTextRow(grid, IDS_ROW_OBJECT_NAME, m_name);
  AddFlagRow(grid, IDS_ROW_VISIBLE, m_visible);
  AddDropListRow(grid, IDS_ROW_POINT_STYLE, kStyleNames, 2, NameAt(kStyleNames, m_pointStyle));
  AddNumberRow(grid, IDS_ROW_POINT_RADIUS, m_pen.lopnWidth.x);
  AddRow(grid, IDS_ROW_POINT_COLOUR, kPropColour, [this](PropertyEntry& e) { e.colour = m_pen.lopnColor; });
  AddDropListRow(grid, IDS_ROW_POINT_ROLE, kRoleNames, 5, NameAt(kRoleNames, m_role));
  AddTextRow(grid, IDS_ROW_RELATED_OBJECT, m_relatedObject);
}

void CDrawPoint::ApplyGeneral(CPropGrid* grid) {
  CString name;
  ReadTextRow(grid, IDS_ROW_OBJECT_NAME, name);
  if (name.IsEmpty()) {
    // As for every object: the name comes back and nothing else is taken.
    grid->SetText(LoadLabel(IDS_ROW_OBJECT_NAME), m_name);
    grid->Invalidate(TRUE);
    return;
  }
  m_name = name;
  ReadFlagRow(grid, IDS_ROW_VISIBLE, m_visible);
  const int style = ReadChoiceRow(grid, IDS_ROW_POINT_STYLE, kStyleNames, 2);
  if (style >= 0) m_pointStyle = style;
  int width = m_pen.lopnWidth.x;
  ReadNumberRow(grid, IDS_ROW_POINT_RADIUS, width);
  width = std::clamp(width, 0, kMaxWidth);
  if (width != m_pen.lopnWidth.x || width != m_pen.lopnWidth.y) {
    // The dot grows or shrinks about the point: both squares need repainting.
    Invalidate();
    m_pen.lopnWidth = CPoint(width, width);
    FollowPoint();
    Invalidate();
  }
  int colour = static_cast<int>(m_pen.lopnColor);
  grid->GetColour(LoadLabel(IDS_ROW_POINT_COLOUR), &colour);
  m_pen.lopnColor = static_cast<COLORREF>(colour);
  const int role = ReadChoiceRow(grid, IDS_ROW_POINT_ROLE, kRoleNames, 5);
  if (role >= 0) m_role = role;
  ReadTextRow(grid, IDS_ROW_RELATED_OBJECT, m_relatedObject);
}

// A point with a role is a marker for other objects: it acts on nothing itself.
void CDrawPoint::ListActions(CPropGrid* grid, int index) {
  if (m_role == kPointOrdinary) CDrawObj::ListActions(grid, index);
}

void CDrawPoint::ApplyActions(CPropGrid* grid, int type) {
  if (m_role == kPointOrdinary) CDrawObj::ApplyActions(grid, type);
}

void CDrawPoint::ListInteractions(CPropGrid* grid, int index) {
  if (m_role == kPointOrdinary) CDrawObj::ListInteractions(grid, index);
}

void CDrawPoint::ApplyInteractions(CPropGrid* grid) {
  if (m_role == kPointOrdinary) CDrawObj::ApplyInteractions(grid);
}

int CDrawPoint::ListActionRotation(CPropGrid* grid, CMethod& action) {
  const int result = CDrawObj::ListActionRotation(grid, action);
  AddFlagRow(grid, IDS_ROW_PATH_TRACE, action.m_bPathTrace);
  return result;
}

int CDrawPoint::ListActionTranslation(CPropGrid* grid, CMethod& action) {
  const int result = CDrawObj::ListActionTranslation(grid, action);
  AddFlagRow(grid, IDS_ROW_PATH_TRACE, action.m_bPathTrace);
  return result;
}

BOOL CDrawPoint::ApplyActionRotation(CPropGrid* grid, CMethod& action) {
  if (!CDrawObj::ApplyActionRotation(grid, action)) return FALSE;
  ReadFlagRow(grid, IDS_ROW_PATH_TRACE, action.m_bPathTrace);
  return TRUE;
}

BOOL CDrawPoint::ApplyActionTranslation(CPropGrid* grid, CMethod& action) {
  if (!CDrawObj::ApplyActionTranslation(grid, action)) return FALSE;
  ReadFlagRow(grid, IDS_ROW_PATH_TRACE, action.m_bPathTrace);
  return TRUE;
}
