// Rounding, Bezier walking, segment bands, evenly spaced path points, formula names.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "graphics/GeometryHelpers.h"
#include "model/Bezier.h"
#include "model/PathBuilder.h"

namespace {

TEST(Geometry, RoundHalfAwayAndItsLimits) {
  const struct { double in; int out; } rows[] = {
      {2.5, 3},    {-2.5, -3}, {2.49, 2}, {-2.49, -2}, {0.0, 0}, {1e12, INT_MAX}, {-1e12, INT_MIN},
      {std::numeric_limits<double>::quiet_NaN(), 0}, {std::numeric_limits<double>::infinity(), INT_MAX},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.in);
    EXPECT_EQ(r.out, RoundHalfAway(r.in));
  }
}

std::string Names(const char* text) {
  CStringList names;
  EXPECT_EQ(0, CollectVariableNames(text, names));
  std::string out;
  for (POSITION pos = names.GetHeadPosition(); pos;) out += std::string(names.GetNext(pos)) + ",";
  return out;
}

TEST(Geometry, CollectVariableNamesSkipsFunctionsNumbersAndDoubleByteCharacters) {
  EXPECT_EQ("x1,y,", Names("2*sin(x1)+Log(y)"));
  EXPECT_EQ("e2,", Names("3.5e2"));
  EXPECT_EQ("a,a,Speed,", Names("a + a*ArcTan(Speed)"));
  EXPECT_EQ("x,", Names("\x81\x41 + x"));  // the trail byte 'A' is not a name
  EXPECT_EQ("", Names(""));
}

TEST(Geometry, BezierParameterAtDistanceOnAStraightCubic) {
  const CBezier straight(CDoublePoint(0, 0), CDoublePoint(100.0 / 3, 0), CDoublePoint(200.0 / 3, 0),
                         CDoublePoint(100, 0));
  unsigned distance = 50;
  EXPECT_NEAR(0.5, straight.ParameterAtDistance(distance), 0.01);
  EXPECT_EQ(0u, distance);

  unsigned beyond = 150;  // longer than the curve: the whole curve, the rest left over
  EXPECT_DOUBLE_EQ(1.0, straight.ParameterAtDistance(beyond));
  EXPECT_EQ(50u, beyond);

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const CBezier broken(CDoublePoint(nan, 0), CDoublePoint(1, 1), CDoublePoint(2, 2), CDoublePoint(nan, nan));
  unsigned d = 10;
  broken.ParameterAtDistance(d);  // ends; the value is meaningless
}

TEST(Geometry, BezierHalvesAndSplitsMeetOnTheCurve) {
  CBezier curve(CDoublePoint(0, 0), CDoublePoint(0, 100), CDoublePoint(100, 100), CDoublePoint(100, 0));
  CBezier left, right;
  curve.Halve(left, right);
  EXPECT_DOUBLE_EQ(50, left.P(3).x);
  EXPECT_DOUBLE_EQ(75, left.P(3).y);
  EXPECT_TRUE(left.P(3) == right.P(0));
  CBezier first;
  curve.SplitAt(0.5, first);
  EXPECT_TRUE(first.P(3) == left.P(3));
  EXPECT_TRUE(curve.P(0) == right.P(0));
  EXPECT_TRUE(curve.P(1) == right.P(1));
}

struct BandRow {
  const char* what;
  int x1, y1, x2, y2, width;
  POINT inside, outside;
};

bool Inside(const POINT poly[4], POINT p) {
  // Convex quadrilateral: the point is on one side of every edge.
  int sign = 0;
  for (int i = 0; i < 4; ++i) {
    const POINT a = poly[i], b = poly[(i + 1) % 4];
    const long long cross = static_cast<long long>(b.x - a.x) * (p.y - a.y) - static_cast<long long>(b.y - a.y) * (p.x - a.x);
    const int s = cross > 0 ? 1 : cross < 0 ? -1 : 0;
    if (s != 0 && sign != 0 && s != sign) return false;
    if (s != 0) sign = s;
  }
  return true;
}

TEST(Geometry, LineBandSurroundsTheSegmentWithItsMargin) {
  const BandRow rows[] = {
      {"vertical", 10, 0, 10, 100, 2, {15, 105}, {17, 50}},
      {"vertical downwards", 10, 100, 10, 0, 2, {5, -5}, {10, -7}},
      {"horizontal", 0, 0, 100, 0, 0, {104, 4}, {50, 6}},
      {"diagonal", 0, 0, 100, 100, 0, {103, 103}, {60, 40}},
      {"zero length", 5, 5, 5, 5, 0, {9, 9}, {11, 5}},
  };
  for (const BandRow& r : rows) {
    SCOPED_TRACE(r.what);
    POINT band[4];
    LineBandPolygon(r.x1, r.y1, r.x2, r.y2, r.width, band);
    EXPECT_TRUE(Inside(band, POINT{r.x1, r.y1}));
    EXPECT_TRUE(Inside(band, POINT{r.x2, r.y2}));
    EXPECT_TRUE(Inside(band, r.inside));
    EXPECT_FALSE(Inside(band, r.outside));
  }
  POINT vertical[4];
  LineBandPolygon(10, 0, 10, 100, 2, vertical);  // margin 6: corners exactly as listed
  const POINT want[4] = {{16, -6}, {4, -6}, {4, 106}, {16, 106}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(want[i].x, vertical[i].x);
    EXPECT_EQ(want[i].y, vertical[i].y);
  }
}

TEST(Geometry, PathBuilderCarriesTheSpacingAcrossSegments) {
  CPathBuilder path(5);
  path.MoveTo(0, 0);
  path.LineTo(12, 0);  // points after steps 5 and 10, not at 12
  ASSERT_EQ(3u, path.Points().size());
  EXPECT_EQ(CPoint(5, 0), path.Points()[1]);
  EXPECT_EQ(CPoint(10, 0), path.Points()[2]);
  path.LineTo(12, 10);  // two steps were used already: the next point comes after 3
  ASSERT_EQ(5u, path.Points().size());
  EXPECT_EQ(CPoint(12, 3), path.Points()[3]);
  EXPECT_EQ(CPoint(12, 8), path.Points()[4]);

  CPathBuilder diagonal(1);
  diagonal.MoveTo(0, 0);
  diagonal.LineTo(4, 2);
  ASSERT_EQ(5u, diagonal.Points().size());
  EXPECT_EQ(CPoint(4, 2), diagonal.Points().back());
}

TEST(Geometry, PathBuilderCurvesEndOnTheirEndPoint) {
  CPathBuilder path(10);
  path.MoveTo(0, 0);
  path.CurveTo(POINT{0, 50}, POINT{100, 50}, POINT{100, 0});
  const auto& pts = path.Points();
  ASSERT_GT(pts.size(), 10u);
  EXPECT_EQ(CPoint(100, 0), pts.back());
  for (size_t i = 2; i + 1 < pts.size(); ++i) {  // evenly spaced along the curve
    const double gap = std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
    EXPECT_NEAR(10.0, gap, 1.5) << i;
  }
}

TEST(Geometry, PathBuilderStopsAtItsPointLimit) {
  CPathBuilder path(1);
  path.MoveTo(INT_MIN, 0);
  path.LineTo(INT_MAX, 0);
  EXPECT_EQ(CPathBuilder::kMaxPoints, path.Points().size());
}

}  // namespace
