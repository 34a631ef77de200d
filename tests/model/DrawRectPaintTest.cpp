// Rectangles, rounded rectangles and ellipses drawn on a page bitmap with the page's
// y-up mapping: which pixels the fills, gradients, hatches, pens, captions and frames
// reach.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/ui/DC.h"
#include "model/DrawRect.h"
#include "model/ShapePainter.h"
#include "framework/core/File.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TestHost.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A red, unoutlined shape over the page's centre: x -50..50, y -40..40 (y up).
std::unique_ptr<CDrawRect> Shape(int shape) {
  auto o = std::make_unique<CDrawRect>(CRect(-50, 40, 50, -40));
  o->m_shape = shape;
  o->m_brush.lbColor = kRed;
  o->m_outlined = 0;
  o->m_baseRect = o->GetDrawBounds();
  return o;
}

void Draw(CDrawRect& o, PageBitmap& page) {
  CDC dc(page.dc());
  o.Draw(&dc, nullptr);
}

TEST(DrawRectPaint, KindsAndVariantsFillTheirOwnArea) {
  TestHost host;
  struct Probe {
    int x, y;
    COLORREF want;
  };
  const struct {
    const char* what;
    int shape, variant, start, sweep;
    Probe probes[4];
  } rows[] = {
      {"rectangle", 0, 0, 0, 0, {{0, 0, kRed}, {47, 37, kRed}, {-47, -37, kRed}, {55, 0, kWhite}}},
      {"rounded rectangle", 1, 0, 0, 0, {{0, 0, kRed}, {47, 0, kRed}, {48, 38, kWhite}, {-48, -38, kWhite}}},
      {"ellipse", 2, 0, 0, 0, {{0, 0, kRed}, {46, 0, kRed}, {0, 37, kRed}, {44, 34, kWhite}}},
      // GDI+ angles run from +x towards +y: on the y-up page 0..90 is the upper right.
      {"pie", 2, 0, 0, 90, {{15, 10, kRed}, {-15, 10, kWhite}, {15, -10, kWhite}, {35, 28, kRed}}},
      // An open arc fills only between its chord and the curve.
      {"arc", 2, 1, 0, 90, {{15, 10, kWhite}, {35, 28, kRed}, {-15, -10, kWhite}, {0, 0, kWhite}}},
      {"no sweep: the whole ellipse", 2, 1, 0, 0, {{15, 10, kRed}, {-15, -10, kRed}, {0, 0, kRed}, {44, 34, kWhite}}},
      {"unknown shape", 7, 0, 0, 0, {{0, 0, kWhite}, {47, 37, kWhite}, {-47, -37, kWhite}, {20, 0, kWhite}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    PageBitmap page(200, 200);
    auto o = Shape(row.shape);
    o->m_shapeVariant = row.variant;
    o->m_shapeParam3 = row.start;
    o->m_shapeParam4 = row.sweep;
    Draw(*o, page);
    for (const Probe& p : row.probes) EXPECT_EQ(p.want, page.At(p.x, p.y)) << "at " << p.x << ", " << p.y;
  }
}

TEST(DrawRectPaint, OutlinesFollowThePenAndTheClosedFlag) {
  TestHost host;
  PageBitmap page(200, 200);
  auto o = Shape(0);
  o->m_outlined = 1;
  o->m_pen.lopnColor = kBlue;
  o->m_pen.lopnWidth = {5, 5};
  Draw(*o, page);
  EXPECT_EQ(kBlue, page.At(50, 0));
  EXPECT_EQ(kBlue, page.At(0, -40));
  EXPECT_EQ(kRed, page.At(0, 0));

  // An arc is stroked along its curve only, unless it is closed into a segment.
  for (int closed : {0, 1}) {
    SCOPED_TRACE(closed);
    PageBitmap arcPage(200, 200);
    auto arc = Shape(2);
    arc->m_filled = 0;
    arc->m_outlined = 1;
    arc->m_pen.lopnColor = kBlue;
    arc->m_pen.lopnWidth = {3, 3};
    arc->m_shapeVariant = 1;
    arc->m_shapeParam4 = 90;
    arc->m_closed = closed;
    Draw(*arc, arcPage);
    EXPECT_EQ(closed ? kBlue : kWhite, arcPage.At(25, 20));  // the chord's middle
    EXPECT_EQ(kBlue, arcPage.At(50, 1));
  }
}

TEST(DrawRectPaint, PenStylesBeyondGdiplusDashesDrawSolid) {
  TestHost host;
  auto gapsAlongTopEdge = [](UINT style) {
    PageBitmap page(200, 200);
    auto o = Shape(0);
    o->m_filled = 0;
    o->m_outlined = 1;
    o->m_pen.lopnStyle = style;
    o->m_pen.lopnColor = kBlue;
    o->m_pen.lopnWidth = {3, 3};
    Draw(*o, page);
    return 81 - page.Count(-40, 40, 40, 40, kBlue, 40);
  };
  EXPECT_EQ(0, gapsAlongTopEdge(PS_INSIDEFRAME));  // the default style 6
  EXPECT_EQ(0, gapsAlongTopEdge(77));
  EXPECT_GT(gapsAlongTopEdge(PS_DASH), 10);  // GDI+ dashes still come through
}

TEST(DrawRectPaint, UnfilledInvisibleAndTransparentShapes) {
  TestHost host;
  {
    PageBitmap page(200, 200);
    auto o = Shape(0);
    o->m_filled = 0;
    Draw(*o, page);
    EXPECT_EQ(kWhite, page.At(0, 0));
  }
  {
    PageBitmap page(200, 200);
    auto o = Shape(0);
    o->m_outlined = 1;
    o->m_visible = 0;
    Draw(*o, page);
    EXPECT_EQ(kWhite, page.At(0, 0));
    EXPECT_EQ(kWhite, page.At(50, 0));
  }
  {
    PageBitmap page(200, 200);
    auto o = Shape(0);
    o->m_fillAlpha = 255;  // fully transparent
    Draw(*o, page);
    EXPECT_EQ(kWhite, page.At(0, 0));
  }
  {
    PageBitmap page(200, 200);
    auto o = Shape(0);
    o->m_fillAlpha = 128;  // half: red over white
    Draw(*o, page);
    EXPECT_TRUE(PageBitmap::Near(RGB(255, 128, 128), page.At(0, 0), 4)) << std::hex << page.At(0, 0);
  }
}

TEST(DrawRectPaint, HatchShowsBothColours) {
  TestHost host;
  PageBitmap page(200, 200);
  auto o = Shape(0);
  o->m_fillKind = kStyleHatch;
  o->m_brush.lbHatch = Gdiplus::HatchStyleCross;
  o->m_fillColour2 = kBlue;
  Draw(*o, page);
  const int red = page.Count(-40, -30, 40, 30, kRed, 10), blue = page.Count(-40, -30, 40, 30, kBlue, 10);
  EXPECT_GT(red, 200);
  EXPECT_GT(blue, 1000);
  EXPECT_EQ(kWhite, page.At(55, 0));
}

TEST(DrawRectPaint, LinearGradientsRunFromTheirFirstColourByMode) {
  TestHost host;
  const struct {
    int mode;
    POINT nearMain, nearSecond;
  } rows[] = {
      {0, {-48, 0}, {48, 0}},   // horizontal, main -> second
      {1, {0, 38}, {0, -38}},   // vertical, second -> main: y up puts the first colour below
      {3, {48, 38}, {-48, -38}},  // forward diagonal, second -> main
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.mode);
    PageBitmap page(200, 200);
    auto o = Shape(0);
    o->m_fillKind = kStyleLinearGradient;
    o->m_fillGradient = row.mode;
    o->m_fillColour2 = kBlue;
    Draw(*o, page);
    const COLORREF main = page.At(row.nearMain.x, row.nearMain.y), second = page.At(row.nearSecond.x, row.nearSecond.y);
    EXPECT_GT(GetRValue(main), 200) << std::hex << main;
    EXPECT_LT(GetBValue(main), 60) << std::hex << main;
    EXPECT_GT(GetBValue(second), 200) << std::hex << second;
    EXPECT_LT(GetRValue(second), 60) << std::hex << second;
    const COLORREF middle = page.At(0, 0);
    EXPECT_TRUE(GetRValue(middle) > 60 && GetBValue(middle) > 60) << std::hex << middle;
  }
}

TEST(DrawRectPaint, PathGradientsPutTheSecondColourInTheCentre) {
  TestHost host;
  for (int mode : {4, 5}) {
    SCOPED_TRACE(mode);
    PageBitmap page(200, 200);
    auto o = Shape(2);
    o->m_fillKind = kStylePathGradient;
    o->m_fillGradient = mode;
    o->m_fillColour2 = kBlue;
    o->SetControlPoint(25, 0);  // only mode 5 moves the centre there
    Draw(*o, page);
    const POINT centre = mode == 5 ? POINT{25, 0} : POINT{0, 0};
    const COLORREF atCentre = page.At(centre.x, centre.y);
    EXPECT_GT(GetBValue(atCentre), 220) << std::hex << atCentre;
    EXPECT_LT(GetRValue(atCentre), 40) << std::hex << atCentre;
    const COLORREF nearEdge = page.At(-47, 0);
    EXPECT_GT(GetRValue(nearEdge), 180) << std::hex << nearEdge;
  }
}

TEST(DrawRectPaint, PenFilledWithAGradient) {
  TestHost host;
  PageBitmap page(200, 200);
  auto o = Shape(0);
  o->m_filled = 0;
  o->m_outlined = 1;
  o->m_pen.lopnColor = kRed;
  o->m_pen.lopnWidth = {6, 6};
  o->m_lineKind = kStyleLinearGradient;
  o->m_lineGradient = 0;
  o->m_lineColour2 = kBlue;
  o->m_baseRect = o->GetDrawBounds();
  Draw(*o, page);
  const COLORREF left = page.At(-50, 0), right = page.At(50, 0);
  EXPECT_GT(GetRValue(left), 200) << std::hex << left;
  EXPECT_GT(GetBValue(right), 200) << std::hex << right;
}

TEST(DrawRectPaint, TurnedRectangleStandsUpright) {
  TestHost host;
  PageBitmap page(200, 200);
  CDrawRect o(CRect(-50, 10, 50, -10));
  o.m_brush.lbColor = kRed;
  o.m_outlined = 0;
  o.SetAngle(std::acos(0.0), FALSE, nullptr);  // a quarter turn about its centre
  Draw(o, page);
  EXPECT_EQ(kRed, page.At(0, 40));
  EXPECT_EQ(kRed, page.At(0, -40));
  EXPECT_EQ(kWhite, page.At(40, 0));
  EXPECT_EQ(kWhite, page.At(-40, 0));
}

TEST(DrawRectPaint, CaptionSitsInTheMiddle) {
  TestHost host;
  PageBitmap page(200, 200);
  auto o = Shape(0);
  o->m_filled = 0;
  o->m_caption = "中中";
  o->m_captionColour = RGB(0, 0, 0);
  Draw(*o, page);
  int minX = 1000, maxX = -1000, minY = 1000, maxY = -1000, dark = 0;
  for (int y = -99; y < 100; ++y)
    for (int x = -99; x < 100; ++x)
      if (GetGValue(page.At(x, y)) < 128) {
        ++dark;
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  ASSERT_GT(dark, 20);
  EXPECT_NEAR(0, (minX + maxX) / 2.0, 3);
  EXPECT_NEAR(0, (minY + maxY) / 2.0, 4);
  EXPECT_LT(maxY - minY, 30);
}

TEST(DrawRectPaint, CaptionIsClippedToTheShape) {
  TestHost host;
  PageBitmap page(200, 200);
  CDrawRect o(CRect(-10, 4, 10, -4));
  o.m_filled = 0;
  o.m_outlined = 0;
  o.m_caption = "中中中中中中中中";
  Draw(o, page);
  EXPECT_EQ(0, page.Count(-99, -99, 99, -6, RGB(0, 0, 0), 100));
  EXPECT_EQ(0, page.Count(12, -99, 99, 99, RGB(0, 0, 0), 100));
  EXPECT_EQ(0, page.Count(-99, 6, 99, 99, RGB(0, 0, 0), 100));
}

TEST(DrawRectPaint, ButtonFramesRaisedWhenPressedStateBitIsSet) {
  TestHost host;
  for (int state : {0, 1}) {
    SCOPED_TRACE(state);
    PageBitmap page(200, 200);
    auto o = Shape(0);
    o->m_filled = 0;
    o->m_buttonised = 1;
    o->m_buttonState = state;
    Draw(*o, page);
    const COLORREF light = ::GetNearestColor(page.dc(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    const COLORREF shadow = ::GetNearestColor(page.dc(), ::GetSysColor(COLOR_BTNSHADOW));
    // The frame's first bar lies on the numerically lower edge, y = -40 on this page.
    const COLORREF first = state ? light : shadow, second = state ? shadow : light;
    EXPECT_EQ(first, page.At(0, -40));
    EXPECT_EQ(second, page.At(-50, 0));
    EXPECT_EQ(first, page.At(50, 0));
    EXPECT_EQ(second, page.At(0, 40));
  }
}

// Picture fills: a picture 8 x 8, blue on its left half, green on its right, filling a
// rectangle whose picture area is set to x -48..48, y -40..40.
class DrawRectPictureFill : public testing::Test {
 protected:
  void SetUp() override {
    m_path = WriteTestPicture("矩形图片.bmp", 8, 8, [](int x, int) { return x < 4 ? kBlue : kGreen; });
    m_shape = Shape(0);
    m_shape->m_pictureFile = m_path;
    m_shape->m_baseRect = CRect(-48, 40, 48, -40);
  }
  void TearDown() override { CFile::Remove(m_path); }

  static constexpr COLORREF kGreen = RGB(0, 255, 0);
  TestHost m_host;
  CString m_path;
  std::unique_ptr<CDrawRect> m_shape;
};

TEST_F(DrawRectPictureFill, StretchedOverThePictureArea) {
  PageBitmap page(200, 200);
  Draw(*m_shape, page);
  EXPECT_EQ(kBlue, page.At(-30, 0));
  EXPECT_EQ(kBlue, page.At(-30, 35));
  EXPECT_EQ(kGreen, page.At(30, 0));
  EXPECT_EQ(kGreen, page.At(30, -35));
  EXPECT_EQ(kWhite, page.At(0, 45));  // clipped to the shape
}

TEST_F(DrawRectPictureFill, TiledAtItsOwnSize) {
  m_shape->m_picturePlacement = 0;
  PageBitmap page(200, 200);
  Draw(*m_shape, page);
  int blue = 0, green = 0;
  for (int x = -44; x <= 36; x += 8) {  // y 4 lies inside a tile row
    // Each tile is 4 units of blue, then 4 of green, whichever corner it starts from.
    const COLORREF a = page.At(x, 4), b = page.At(x + 4, 4);
    EXPECT_NE(a, b) << "at " << x;
    blue += (a == kBlue) + (b == kBlue);
    green += (a == kGreen) + (b == kGreen);
  }
  EXPECT_EQ(11, blue);
  EXPECT_EQ(11, green);
}

TEST_F(DrawRectPictureFill, ColourKeyShowsTheBackground) {
  m_shape->m_filled = 0;  // shown transparent: the key colour goes
  m_shape->m_colourKey = kBlue;
  PageBitmap page(200, 200, RGB(255, 255, 0));
  Draw(*m_shape, page);
  EXPECT_EQ(RGB(255, 255, 0), page.At(-30, 0));
  EXPECT_EQ(kGreen, page.At(30, 0));
}

}  // namespace
