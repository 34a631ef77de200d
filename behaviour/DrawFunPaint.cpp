// Drawing a function plot: the frame through GDI+, the axes and the curve through GDI.
#include <algorithm>
#include <cstdlib>

#include "behaviour/DrawFun.h"
#include "framework/ui/DC.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/ShapeEditing.h"
#include "model/ShapePainter.h"

using namespace ShapeEditing;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrid = RGB(0xC0, 0xC0, 0xC0);

// Selects a GDI object into a DC for a scope and deletes it afterwards when owned.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object, bool owned) : m_dc(dc), m_object(object), m_owned(owned) {
    m_old = ::SelectObject(dc, object);
  }
  ~Selected() {
    ::SelectObject(m_dc, m_old);
    if (m_owned) ::DeleteObject(m_object);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_object;
  bool m_owned;
  HGDIOBJ m_old;
};

// The page is played by the player or the browser control, not edited.
bool ReadingBuild() {
  CDrawHost* host = GetDrawHost();
  CDrawDoc* document = host ? host->GetDocument() : nullptr;
  return document && document->m_reader != CDrawDoc::Reader::editor;
}

void Triangle(HDC dc, POINT a, POINT b, POINT c) {
  const POINT points[] = {a, b, c};
  ::Polygon(dc, points, 3);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  ::MoveToEx(dc, x0, y0, nullptr);
  ::LineTo(dc, x1, y1);
}

void Label(HDC dc, int x, int y, const char* text) { ::TextOutA(dc, x, y, text, 1); }

// How many ticks or circles fit: |extent / unit|, none for a unit that is not positive.
int TickCount(long long extent, int unit) {
  if (unit <= 0) return 0;
  return static_cast<int>(std::min<long long>(std::llabs(extent / unit), CDrawFun::kMaxTicks));
}

bool JoinsAsStart(int flag) { return flag == 0 || flag == 1 || flag == 3 || flag == 5; }
bool EndsSegment(int flag) { return flag == 2 || flag == 3 || flag == 6; }

}  // namespace

int CDrawFun::DrawObject(CDC* dc, CView*) {
  if (!m_visible || (m_position.left == m_position.right && m_position.top == m_position.bottom)) return 0;
  {
    CShapePainter painter(dc, *this, CShapePainter::Options());
    Gdiplus::Graphics& graphics = painter.Graphics();
    const Gdiplus::Rect area = GdipRectOf(m_position);
    if (m_filled) {
      Gdiplus::SolidBrush brush(CShapePainter::ArgbOf(m_brush.lbColor, m_fillAlpha));
      graphics.FillRectangle(&brush, area);
    }
    if (IsBordered() && !m_trajectory) {
      Gdiplus::Pen pen(CShapePainter::ArgbOf(m_pen.lopnColor, m_lineAlpha), static_cast<Gdiplus::REAL>(m_pen.lopnWidth.x));
      pen.SetDashStyle(CShapePainter::DashStyleOf(m_pen.lopnStyle));
      pen.SetDashCap(CShapePainter::DashCapOf(m_dashCap));
      graphics.DrawRectangle(&pen, area);
    }
  }
  if (m_showAxes) DrawAxes(dc);
  DrawCurve(dc);
  if (m_buttonised) CShapePainter::DrawButtonFrame(dc, *this);
  return 1;
}

void CDrawFun::DrawAxes(CDC* cdc) {
  const HDC dc = *cdc;
  const int saved = ::SaveDC(dc);
  const CPoint c = CentreHalves(m_position);
  const int right = std::max(m_position.left, m_position.right);
  const int top = std::max(m_position.top, m_position.bottom);
  const long long width = static_cast<long long>(right) - c.x;
  const long long height = static_cast<long long>(m_position.top) - c.y;
  {
    Selected pen(dc, ::CreatePen(PS_SOLID, 1, kBlack), true);
    Selected brush(dc, ::CreateSolidBrush(kBlack), true);
    ::SetBkMode(dc, TRANSPARENT);
    Triangle(dc, {right - 5, c.y}, {right - 18, c.y + 4}, {right - 18, c.y - 4});
    if (m_function.m_kind == kFunctionPolar) {
      Line(dc, c.x, c.y, right, c.y);
      Label(dc, c.x - 12, c.y + 10, "o");
      Label(dc, right - 5, c.y + 10, "x");
    } else {
      Triangle(dc, {c.x, top - 5}, {c.x - 4, top - 18}, {c.x + 4, top - 18});
      Line(dc, m_position.left, c.y, m_position.right, c.y);
      Line(dc, c.x, m_position.top, c.x, m_position.bottom);
      const int n = TickCount(width, m_unit), m = TickCount(height, m_unit);
      for (int k = 1; k < n; ++k) {
        const int d = k * m_unit;
        Line(dc, c.x + d, c.y, c.x + d, c.y + 5);
        Line(dc, c.x - d, c.y, c.x - d, c.y + 5);
      }
      for (int k = 1; k < m; ++k) {
        const int d = k * m_unit;
        Line(dc, c.x, c.y + d, c.x + 5, c.y + d);
        Line(dc, c.x, c.y - d, c.x + 5, c.y - d);
      }
      Label(dc, c.x - 15, c.y - 5, "o");
      Label(dc, right - 15, c.y - 5, "x");
      Label(dc, c.x + 15, top - 5, "y");
    }
  }
  if (m_function.m_kind == kFunctionPolar) {
    Selected pen(dc, ::CreatePen(PS_DASH, 1, kGrid), true);
    Selected brush(dc, ::GetStockObject(NULL_BRUSH), false);
    const int n = std::min(TickCount(width, m_unit), TickCount(height, m_unit));
    for (int k = 1; k < n; ++k) {
      const int r = k * m_unit;
      ::Ellipse(dc, c.x - r, c.y - r, c.x + r, c.y + r);
    }
  }
  ::RestoreDC(dc, saved);
}

// The markers differ between the editor and the players: the editor always draws them,
// in the curve colour; the players only for a bordered plot, in the pen colour, with
// hollow ones outlined by a thin pen of their own.
void CDrawFun::DrawCurve(CDC* cdc) {
  if (m_trajectory && !IsCurveVisible()) return;
  const int n = m_points.GetSize();
  if (n == 0) return;
  const HDC dc = *cdc;
  const bool reading = ReadingBuild();
  const bool markers = !reading || IsBordered();
  const COLORREF markerColour = reading ? m_pen.lopnColor : m_captionColour;
  const int w = m_pen.lopnWidth.x;
  const CPoint c = CentreHalves(m_position);
  auto at = [&](const CScreenPoint& p) {
    return CPoint(ClampToInt(static_cast<long long>(c.x) + p.x), ClampToInt(static_cast<long long>(c.y) + p.y));
  };

  const HPEN curvePen = m_trajectory ? ::CreatePen(PS_SOLID, 1, kRed)
                                     : ::CreatePen(static_cast<int>(m_pen.lopnStyle), 1, m_captionColour);
  Selected curve(dc, curvePen, true);

  auto ellipse = [&](const CPoint& p) { ::Ellipse(dc, p.x - w / 2, p.y - w / 2, p.x + w / 2, p.y + w / 2); };
  auto outlinePen = [&]() { return ::CreatePen(static_cast<int>(m_pen.lopnStyle), 1, m_pen.lopnColor); };
  // A solid marker is outlined with the pen selected at the time; a hollow one in the
  // players with a thin pen of its own.
  auto marker = [&](const CScreenPoint& sp, bool hollow) {
    if (!markers) return;
    const CPoint p = at(sp);
    if (w < 2) {
      ::SetPixel(dc, p.x, p.y, markerColour);
      return;
    }
    const bool ownPen = hollow && reading;
    Selected brush(dc, hollow ? ::GetStockObject(NULL_BRUSH) : ::CreateSolidBrush(markerColour), !hollow);
    Selected pen(dc, ownPen ? outlinePen() : ::GetCurrentObject(dc, OBJ_PEN), ownPen);
    ellipse(p);
  };
  auto solid = [&](const CScreenPoint& sp) { marker(sp, false); };
  auto hollow = [&](const CScreenPoint& sp) { marker(sp, true); };

  if (n == 1) {
    const int flag = m_points[0].flag;
    if (flag >= 0 && flag <= 3) solid(m_points[0]);
    else if (flag >= 4 && flag <= 6) hollow(m_points[0]);
    return;
  }
  for (int i = 0; i + 1 < n; ++i) {
    const CScreenPoint& e = m_points[i];
    const CScreenPoint& f = m_points[i + 1];
    const CPoint pe = at(e), pf = at(f);
    ::MoveToEx(dc, pe.x, pe.y, nullptr);
    switch (e.flag) {
      case 0:
      case 2:
        if (JoinsAsStart(f.flag)) {
          solid(e);
          solid(f);
        } else if (f.flag == 4) {
          if (reading && markers && w >= 2) {
            // The players' thin pen outlines both markers of this pair.
            Selected pen(dc, outlinePen(), true);
            solid(e);
            Selected brush(dc, ::GetStockObject(NULL_BRUSH), false);
            ellipse(pf);
          } else {
            solid(e);
            hollow(f);
          }
        }
        break;
      case 4:
        hollow(e);
        if (JoinsAsStart(f.flag))
          solid(f);
        else if (f.flag == 4)
          hollow(f);
        if (f.flag == 2 || f.flag == 6) ::LineTo(dc, pf.x, pf.y);
        break;
      case 1:
      case 3:
      case 5:
        if (EndsSegment(f.flag)) ::LineTo(dc, pf.x, pf.y);
        break;
      default:
        break;
    }
  }
}

void CDrawFun::DrawTracker(CDC* dc, int state) {
  CDrawObj::DrawTracker(dc, state);
  if (std::llabs(static_cast<long long>(m_position.right) - m_position.left) < 5 &&
      std::llabs(static_cast<long long>(m_position.bottom) - m_position.top) < 5)
    return;
  const CPoint c = CentreHalves(m_position);
  if (m_trajectory && m_points.GetSize() > 1) {
    const CScreenPoint& first = m_points[0];
    const CScreenPoint& last = m_points[m_points.GetUpperBound()];
    DrawHandle(dc, ClampToInt(static_cast<long long>(c.x) + first.x), ClampToInt(static_cast<long long>(c.y) + first.y), 4, 1,
               RGB(0, 255, 0));
    DrawHandle(dc, ClampToInt(static_cast<long long>(c.x) + last.x), ClampToInt(static_cast<long long>(c.y) + last.y), 4, 1,
               RGB(255, 0, 0));
  }
  if (m_showActiveHandle) {
    const CPoint p = GetHandle(m_activeHandle);
    DrawHandle(dc, p.x, p.y, 4, 1, RGB(0, 0, 255));
  }
}
