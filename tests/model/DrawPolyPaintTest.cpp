// Polygons and curves drawn on a page bitmap with the page's y-up mapping: fills,
// outlines, open and closed figures, the two-vertex segment and the gradient centre.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "framework/ui/DC.h"
#include "model/DrawPoly.h"
#include "model/ShapePainter.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/TestHost.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A red-filled, blue-outlined figure (pen 3).
std::unique_ptr<CDrawPoly> Figure(std::initializer_list<CPoint> points, int kind, int closed, int filled,
                                  int outlined) {
  auto o = std::make_unique<CDrawPoly>();
  o->m_polyKind = kind;
  o->m_closed = closed;
  o->m_filled = filled;
  o->m_outlined = outlined;
  o->m_brush.lbColor = kRed;
  o->m_pen.lopnColor = kBlue;
  o->m_pen.lopnWidth = {3, 3};
  o->m_pen.lopnStyle = PS_SOLID;
  for (const CPoint& p : points) o->AddPoint(p, nullptr);
  return o;
}

void Draw(CDrawObj& o, PageBitmap& page) {
  CDC dc(page.dc());
  o.Draw(&dc, nullptr);
}

bool IsBlue(COLORREF c) { return PageBitmap::Near(c, kBlue, 40); }

TEST(DrawPolyPaint, ClosedPolygonsFillOpenPolylinesDoNotClose) {
  TestHost host;
  {
    PageBitmap page(200, 200);
    auto o = Figure({CPoint(-60, -40), CPoint(60, -40), CPoint(0, 60)}, kPolyLines, 1, 1, 1);
    Draw(*o, page);
    EXPECT_EQ(kRed, page.At(0, 0));
    EXPECT_TRUE(IsBlue(page.At(0, -40)));
    EXPECT_TRUE(IsBlue(page.At(-30, 10)));  // the closing edge
    EXPECT_EQ(kWhite, page.At(0, -50));
  }
  {
    PageBitmap page(200, 200);
    auto o = Figure({CPoint(-60, -40), CPoint(60, -40), CPoint(60, 40)}, kPolyLines, 0, 0, 1);
    Draw(*o, page);
    EXPECT_TRUE(IsBlue(page.At(0, -40)));
    EXPECT_TRUE(IsBlue(page.At(60, 0)));
    EXPECT_EQ(kWhite, page.At(0, 0));  // the middle of the edge that is not there
  }
}

TEST(DrawPolyPaint, ClosedAndOpenCurves) {
  TestHost host;
  {
    PageBitmap page(200, 200);
    auto o = Figure({CPoint(-60, 0), CPoint(0, 60), CPoint(60, 0), CPoint(0, -60)}, kPolyCurve, 1, 1, 0);
    Draw(*o, page);
    EXPECT_EQ(kRed, page.At(0, 0));
    EXPECT_EQ(kRed, page.At(-40, -35));  // bulging out past the straight edge at (-30, -30)
    EXPECT_EQ(kWhite, page.At(-70, 0));
  }
  {
    PageBitmap page(200, 200);
    auto o = Figure({CPoint(-60, 0), CPoint(0, 60), CPoint(60, 0), CPoint(0, -60)}, kPolyCurve, 0, 0, 1);
    Draw(*o, page);
    EXPECT_TRUE(IsBlue(page.At(0, 60)));
    EXPECT_TRUE(IsBlue(page.At(60, 0)));
    EXPECT_EQ(kWhite, page.At(-30, -30));  // no way back from the last vertex to the first
    EXPECT_EQ(kWhite, page.At(0, 0));
  }
}

// Two vertices are a segment: stroked even without an outline, and never filled.
TEST(DrawPolyPaint, TwoVerticesAreAlwaysAStrokedSegment) {
  TestHost host;
  PageBitmap page(200, 200);
  auto o = Figure({CPoint(-60, -30), CPoint(60, 30)}, kPolyLines, 1, 1, 0);
  Draw(*o, page);
  EXPECT_TRUE(IsBlue(page.At(0, 0)));
  EXPECT_TRUE(IsBlue(page.At(40, 20)));
  EXPECT_EQ(0, page.Count(-100, -99, 99, 100, kRed, 40));

  // Fewer vertices, or a kind without an outline, draw nothing.
  for (auto& other : {Figure({CPoint(0, 0)}, kPolyLines, 1, 1, 1),
                      Figure({CPoint(-60, -30), CPoint(60, 30), CPoint(0, 50)}, 7, 1, 1, 1)}) {
    PageBitmap blank(200, 200);
    Draw(*other, blank);
    EXPECT_EQ(40000, blank.Count(-100, -99, 99, 100, kWhite));
  }
}

// A mode-5 path gradient has its centre, in the second colour, at the control point.
TEST(DrawPolyPaint, GradientCentreSitsOnTheControlPoint) {
  TestHost host;
  PageBitmap page(200, 200);
  auto o = Figure({CPoint(-80, -80), CPoint(80, -80), CPoint(80, 80), CPoint(-80, 80)}, kPolyLines, 1, 1, 0);
  o->m_fillKind = kStylePathGradient;
  o->m_fillGradient = 5;
  o->m_fillColour2 = kBlue;
  o->SetControlPoint(40, 30);
  Draw(*o, page);
  EXPECT_TRUE(PageBitmap::Near(page.At(40, 30), kBlue, 30));
  EXPECT_FALSE(PageBitmap::Near(page.At(-40, -30), kBlue, 60));
  EXPECT_TRUE(PageBitmap::Near(page.At(-78, -78), kRed, 40));
}

}  // namespace
