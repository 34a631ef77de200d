// The default geometry of drawing objects: handles, hit tests, drags, scaling, mapping
// into a group's new rectangle, selection and button frames.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/ui/DC.h"
#include "graphics/DoubleToCoord.h"
#include "graphics/GeometryHelpers.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/ShapeEditing.h"

namespace {
CDrawHost* Host() { return GetDrawHost(); }
}  // namespace

using ShapeEditing::MarkModifiedWhenEditing;

BOOL CDrawObj::IsPlainShape() { return FALSE; }

void CDrawObj::SetControlPoint(int, int) {}

// Squares by lengthening the shorter side, moving its edge away from the opposite one,
// so that mirrored and y-up rectangles keep their orientation.
void CDrawObj::MakeSquare(CView* view) {
  const long long w = std::llabs(static_cast<long long>(m_position.right) - m_position.left);
  const long long h = std::llabs(static_cast<long long>(m_position.bottom) - m_position.top);
  if (w == h) return;
  if (h < w) {
    const int handle = BottomEdgeHandle();
    const CPoint p = GetHandle(handle);
    const LONG opposite = handle == 6 ? m_position.top : m_position.bottom;
    const long long away = p.y >= opposite ? w - h : h - w;
    MoveHandleTo(handle, p.x, DoubleToCoord(static_cast<double>(p.y + away)), view);
  } else {
    const int handle = RightEdgeHandle();
    const CPoint p = GetHandle(handle);
    const LONG opposite = handle == 4 ? m_position.left : m_position.right;
    const long long away = p.x >= opposite ? h - w : w - h;
    MoveHandleTo(handle, DoubleToCoord(static_cast<double>(p.x + away)), p.y, view);
  }
}

void CDrawObj::ScaleAbout(double factor, double centreX, double centreY, CView* view) {
  if (factor < 1.0 && (std::abs(m_position.right - m_position.left) < 21 ||
                       std::abs(m_position.bottom - m_position.top) < 21))
    return;  // nothing is shrunk below 21 units
  const CRect r(DoubleToCoord(m_position.left * factor - (factor - 1) * centreX),
                DoubleToCoord(m_position.top * factor - (factor - 1) * centreY),
                DoubleToCoord(m_position.right * factor - (factor - 1) * centreX),
                DoubleToCoord(m_position.bottom * factor - (factor - 1) * centreY));
  SetRect(r, view);
}

BOOL CDrawObj::GetBounds(Gdiplus::Rect& bounds) {
  int x = m_position.left, y = m_position.top, w = m_position.right - m_position.left,
      h = m_position.bottom - m_position.top;
  if (w < 0) { x += w; w = -w; }
  if (h < 0) { y += h; h = -h; }
  bounds = Gdiplus::Rect(x, y, w, h);
  return TRUE;
}

int CDrawObj::GetHandleCount() { return 9; }

CPoint CDrawObj::GetHandle(int handle) {
  const CRect& r = m_position;
  const int mx = RoundHalfAway((static_cast<double>(r.left) + r.right) * 0.5);
  const int my = RoundHalfAway((static_cast<double>(r.top) + r.bottom) * 0.5);
  switch (handle) {
    case 2: return CPoint(mx, r.top);
    case 3: return CPoint(r.right, r.top);
    case 4: return CPoint(r.right, my);
    case 5: return CPoint(r.right, r.bottom);
    case 6: return CPoint(mx, r.bottom);
    case 7: return CPoint(r.left, r.bottom);
    case 8: return CPoint(r.left, my);
    case 9: return CPoint(mx, my);
    default: return CPoint(r.left, r.top);
  }
}

HCURSOR CDrawObj::GetHandleCursor(int handle) {
  LPCTSTR id;
  switch (handle) {
    case 2: case 6: id = IDC_SIZENS; break;
    case 3: case 7: id = IDC_SIZENESW; break;
    case 4: case 8: id = IDC_SIZEWE; break;
    case 9: id = IDC_SIZEALL; break;
    default: id = IDC_SIZENWSE; break;
  }
  return ::LoadCursor(nullptr, id);
}

int CDrawObj::Draw(CDC* dc, CView* view) {
  return (m_flags & kFlagEffectRunning) ? DrawEffect(dc, view) : DrawObject(dc, view);
}

int CDrawObj::DrawObject(CDC*, CView*) { return 0; }

void CDrawObj::DrawTracker(CDC* dc, int state) {
  if (m_position.left == m_position.right && m_position.top == m_position.bottom) return;
  if (state != 1 && state != 2) return;
  const int count = GetHandleCount();
  for (int handle = 1; handle <= count; ++handle) {
    const CPoint p = GetHandle(handle);
    ::PatBlt(dc->GetSafeHdc(), p.x - 3, p.y - 3, 7, 7, DSTINVERT);
  }
  if (m_showActiveHandle) {
    const CPoint p = GetHandle(m_activeHandle);
    DrawHandle(dc, p.x, p.y, 4, 0, 0xFF0000);
  }
}

void CDrawObj::SetRect(const CRect& rect, CView* view) {
  if (rect == m_position) return;
  ShapeEditing::InvalidateFor(*this, view);
  m_position = rect;
  m_baseRect = rect;
  ShapeEditing::InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

void CDrawObj::SetAngle(double angle, BOOL, CView* view) {
  ShapeEditing::InvalidateFor(*this, view);
  m_baseRect = m_position;
  m_angle = angle;
  ShapeEditing::InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

void CDrawObj::SetAngleRect(double angle, double, double, int, CView* view) { SetAngle(angle, FALSE, view); }

void CDrawObj::ApplyRotation() {}

CRect CDrawObj::GetHandleRect(int handle, CView*) {
  CPoint p = GetHandle(handle);
  CDrawHost* host = Host();
  if (!host) return CRect(p.x - 3, p.y + 3, p.x + 3, p.y - 3);
  host->LPtoDP(p);
  CRect square(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
  host->DPtoLPRect(square);
  return square;
}

int CDrawObj::HitTest(CPoint point, CView* view, BOOL selected) {
  auto inside = [&](const CRect& r) {
    return r.left <= point.x && point.x < r.right && r.bottom < point.y && point.y <= r.top;
  };
  if (!selected) {
    // Mirrored rectangles are stored un-normalised; the half-open test is y-up.
    CRect r(std::min(m_position.left, m_position.right), std::max(m_position.top, m_position.bottom),
            std::max(m_position.left, m_position.right), std::min(m_position.top, m_position.bottom));
    return inside(r) ? 1 : 0;
  }
  const int count = GetHandleCount();
  for (int handle = 1; handle <= count; ++handle) {
    CRect r = GetHandleRect(handle, view);
    // The host's rectangle comes back normalised (top < bottom); the test is y-up.
    if (r.top < r.bottom) std::swap(r.top, r.bottom);
    if (inside(r)) return handle;
  }
  return 0;
}

BOOL CDrawObj::Intersects(const CRect& rect) {
  CRect r = rect;
  if (r.left == r.right) { --r.left; ++r.right; }
  if (r.top == r.bottom) { --r.top; ++r.bottom; }
  r.NormalizeRect();
  CRect o = m_position;
  if (o.left == o.right) {
    --o.left;
    ++o.right;
  } else if (o.top == o.bottom) {
    --o.top;
    ++o.bottom;
  }
  o.NormalizeRect();
  CRect both;
  return both.IntersectRect(&r, &o);
}

void CDrawObj::MoveHandleTo(int handle, int x, int y, CView* view) {
  CRect r = m_position;
  switch (handle) {
    case 2: r.top = y; break;
    case 3: r.right = x; r.top = y; break;
    case 4: r.right = x; break;
    case 5: r.right = x; r.bottom = y; break;
    case 6: r.bottom = y; break;
    case 7: r.left = x; r.bottom = y; break;
    case 8: r.left = x; break;
    case 9: {
      const CPoint centre = GetHandle(9);
      r.OffsetRect(x - centre.x, y - centre.y);
      break;
    }
    default: r.left = x; r.top = y; break;
  }
  SetRect(r, view);
}

int CDrawObj::OnOpen(CView* view) { return OnOpenDefault(view); }
int CDrawObj::OnOpenDefault(CView*) { return 0; }

namespace {

// The browser control repaints a margin that grows with the pen, at least 4 pixels:
// g(v) = max(4, trunc(v * 0.5 * 1.42 + 1)), evaluated in that order.
int ControlMargin(int width) {
  return std::max(4, static_cast<int>(static_cast<double>(width) * 0.5 * 1.42 + 1));
}

// Moves both ends of one axis outward, keeping their order: the end with the smaller
// coordinate by the margin of width + 1, the other by the margin of width.
void WidenAxis(LONG& first, LONG& second, int width) {
  if (first > second) {
    first += ControlMargin(width);
    second -= ControlMargin(width + 1);
  } else {
    first -= ControlMargin(width + 1);
    second += ControlMargin(width);
  }
}

bool PlayedInTheControl() {
  CDrawHost* host = Host();
  CDrawDoc* document = host ? host->GetDocument() : nullptr;
  return document && document->m_reader == CDrawDoc::Reader::control;
}

}  // namespace

CRect CDrawObj::GetDrawBounds() {
  CRect r = m_position;
  if (PlayedInTheControl()) {
    WidenAxis(r.top, r.bottom, m_pen.lopnWidth.y);
    WidenAxis(r.left, r.right, m_pen.lopnWidth.x);
    return r;
  }
  r.NormalizeRect();
  r.InflateRect(m_pen.lopnWidth.x, m_pen.lopnWidth.y);
  return r;
}

void CDrawObj::ResetTransform() {
  m_refRect = m_position;
  m_transformCentre = CDoublePoint((static_cast<double>(m_position.left) + m_position.right) * 0.5,
                                   (static_cast<double>(m_position.top) + m_position.bottom) * 0.5);
  m_scale = CDoublePoint(1.0, 1.0);
}

// Maps the object from a group's old rectangle into its new one. Each axis keeps the
// object's own orientation unless the group's extent changed sign on that axis (the
// group was mirrored by dragging an edge across); an axis with no extent scales by 1.
void CDrawObj::MapRect(const CRect& from, const CRect& to, CRect& result) {
  const long long fromW = static_cast<long long>(from.right) - from.left, toW = static_cast<long long>(to.right) - to.left;
  const long long fromH = static_cast<long long>(from.bottom) - from.top, toH = static_cast<long long>(to.bottom) - to.top;
  const double sx = fromW != 0 ? static_cast<double>(toW) / static_cast<double>(fromW) : 1.0;
  const double sy = fromH != 0 ? static_cast<double>(toH) / static_cast<double>(fromH) : 1.0;
  m_scale.x *= sx;
  m_scale.y *= sy;
  const double cx = (static_cast<double>(to.left) + to.right) * 0.5 +
                    (m_transformCentre.x - (static_cast<double>(from.left) + from.right) * 0.5) * sx;
  const double cy = (static_cast<double>(to.top) + to.bottom) * 0.5 +
                    (m_transformCentre.y - (static_cast<double>(from.top) + from.bottom) * 0.5) * sy;
  m_transformCentre = CDoublePoint(cx, cy);
  const double w = std::fabs((static_cast<double>(m_refRect.right) - m_refRect.left) * m_scale.x);
  const double h = std::fabs((static_cast<double>(m_refRect.bottom) - m_refRect.top) * m_scale.y);

  auto place = [](LONG& low, LONG& high, double centre, double size, bool flipped) {
    bool ascending = low < high;
    if (flipped) ascending = !ascending;
    const int before = RoundHalfAway(centre - size / 2), after = RoundHalfAway(centre + size / 2);
    low = ascending ? before : after;
    high = ascending ? after : before;
  };
  auto signOf = [](long long v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
  const bool flipX = signOf(fromW) != 0 && signOf(toW) != 0 && signOf(fromW) != signOf(toW);
  const bool flipY = signOf(fromH) != 0 && signOf(toH) != 0 && signOf(fromH) != signOf(toH);
  place(m_position.left, m_position.right, cx, w, flipX);
  place(m_position.top, m_position.bottom, cy, h, flipY);
  result = m_position;
}

void CDrawObj::Invalidate() {
  if (CDrawHost* host = Host()) host->InvalidateObject(this);
}

void CDrawObj::DrawSunkenFrame(CDC* dc) {
  DrawButtonFrame(dc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void CDrawObj::DrawRaisedFrame(CDC* dc) {
  DrawButtonFrame(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

void CDrawObj::DrawButtonFrame(CDC* dc, COLORREF c1, COLORREF c2) {
  CRect r = m_position;
  r.NormalizeRect();
  const int x = r.left, y = r.top, cx = r.Width(), cy = r.Height();
  dc->FillSolidRect(x, y - 1, cx, 2, c1);
  dc->FillSolidRect(x, y, 2, cy, c2);
  dc->FillSolidRect(x + cx - 1, y, 2, cy, c1);
  dc->FillSolidRect(x, y + cy - 1, cx, 2, c2);
}

int CDrawObj::GetButtonState() { return m_buttonState; }

int CDrawObj::SetButtonState(int state) { return m_buttonState = m_buttonEnable & state; }

void CDrawObj::OnSelect(CView*) {
  m_selectedAction = -1;
  m_selectedEvent = -1;
  CDrawHost* host = Host();
  if (host && host->GetMode() == kModeEditing) {
    host->NotifyPropertyPanel(kPanelObjectSelected, this);
    host->SetClosedCheck(m_closed);
    host->SetFilledCheck(m_filled);
  }
}

void CDrawObj::OnDeselect(CView*) { m_showActiveHandle = 0; }

int CDrawObj::TopEdgeHandle() { return m_position.top > m_position.bottom ? 6 : 2; }
int CDrawObj::BottomEdgeHandle() { return m_position.top > m_position.bottom ? 2 : 6; }
int CDrawObj::RightEdgeHandle() { return m_position.right > m_position.left ? 4 : 8; }
int CDrawObj::LeftEdgeHandle() { return m_position.right > m_position.left ? 8 : 4; }

CRect CDrawObj::TurnedPathBounds(Gdiplus::GraphicsPath& path) {
  // An unknown shape has no outline: its area is the pen-inflated rectangle.
  if (path.GetPointCount() == 0) return CDrawObj::GetDrawBounds();
  Gdiplus::Matrix turn;
  const double degrees = -m_angle * kDegreesPerRadian;
  if (std::isfinite(degrees) && std::isfinite(m_rotationCentre.x) && std::isfinite(m_rotationCentre.y))
    turn.RotateAt(static_cast<Gdiplus::REAL>(degrees),
                  Gdiplus::PointF(static_cast<Gdiplus::REAL>(m_rotationCentre.x),
                                  static_cast<Gdiplus::REAL>(m_rotationCentre.y)),
                  Gdiplus::MatrixOrderAppend);
  Gdiplus::Pen pen(Gdiplus::Color(255, 255, 255, 255), static_cast<Gdiplus::REAL>(m_pen.lopnWidth.x));
  Gdiplus::RectF bounds;
  if (path.GetBounds(&bounds, &turn, &pen) != Gdiplus::Ok) return CDrawObj::GetDrawBounds();
  // Outward to whole units, so that the area covers everything drawn.
  return CRect(DoubleToCoord(std::floor(bounds.X)), DoubleToCoord(std::floor(bounds.Y)),
               DoubleToCoord(std::ceil(static_cast<double>(bounds.X) + bounds.Width)),
               DoubleToCoord(std::ceil(static_cast<double>(bounds.Y) + bounds.Height)));
}
