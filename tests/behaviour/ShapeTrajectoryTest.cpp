// Lines, polygons and points in a run: objects walking polylines and lines with traces
// behind them, a point revolving about a centre point, and the rotation tables telling
// polygons from other shapes.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/ui/DC.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Ticks of timer 3: ticks 1 and 2 of a run do nothing, tick 3 is frame 0.
void Ticks(TestHost& host, int count) {
  for (int i = 0; i < count; ++i) host.Tick();
}

bool Shows(const PageBitmap& page, int x, int y, COLORREF colour) {
  return page.Count(x - 1, y - 1, x + 1, y + 1, colour, 60) > 0;
}

TEST(ShapeTrajectory, APointWalksAPolylineAndTracesWhereItHasBeen) {
  TestHost host;
  CDrawPoly path;
  for (CPoint p : {CPoint(-80, -40), CPoint(80, -40), CPoint(80, 60)}) path.AddPoint(p, nullptr);
  path.m_name = "路线";
  path.ToggleTrajectory();
  CDrawPoint mover(CRect(-80, -40, -80, -40));
  mover.m_name = "点";
  mover.m_pen.lopnWidth = {3, 3};
  mover.m_pen.lopnColor = kGreen;
  mover.m_pen.lopnStyle = PS_SOLID;
  CMethod walk = MakeAction(CMethod::typeTranslate, "walk", 0, 1000);
  walk.m_strPath = "路线";
  walk.m_nSpeed = 10;
  walk.m_bPathTrace = 1;
  AddAction(mover, walk);
  host.objects = {&path, &mover};

  ASSERT_TRUE(host.StartObjects());
  const CMethod& action = mover.m_actions[0];
  ASSERT_EQ(27, action.m_path.GetSize());  // 16 + 10 steps of 10, and the start
  EXPECT_EQ(CPoint(80, 60), action.m_path[26]);

  Ticks(host, 12);  // frames 0 .. 9
  EXPECT_EQ(CPoint(10, -40), mover.m_point);
  EXPECT_EQ(9, action.m_nPathIndex);
  EXPECT_EQ(1, action.m_bTracing);
  {
    PageBitmap page(200, 200);
    CDC dc(page.dc());
    mover.Draw(&dc, nullptr);
    EXPECT_TRUE(Shows(page, -70, -40, kGreen));
    EXPECT_TRUE(Shows(page, -20, -40, kGreen));
    EXPECT_FALSE(Shows(page, 40, -40, kGreen));  // not reached yet
    EXPECT_FALSE(Shows(page, 80, 20, kGreen));
  }
  Ticks(host, 8);  // frames 10 .. 17: round the corner and up the side
  EXPECT_EQ(80, mover.m_point.x);
  EXPECT_GT(mover.m_point.y, -40);

  host.StopObjects();
  EXPECT_EQ(CPoint(-80, -40), mover.m_point);
  EXPECT_EQ(0, mover.m_actions[0].m_bTracing);
  EXPECT_EQ(3, path.m_pointCount);
  EXPECT_EQ(CPoint(80, 60), path.PointAt(2));
}

TEST(ShapeTrajectory, APointRevolvesAboutACentrePointAndTracesTheArc) {
  TestHost host;
  CDrawPoint centre(CRect(0, 0, 0, 0));
  centre.m_name = "中心";
  centre.m_role = kPointRotationCentre;
  CDrawPoint mover(CRect(50, 0, 50, 0));
  mover.m_name = "卫星";
  mover.m_pen.lopnWidth = {3, 3};
  mover.m_pen.lopnColor = kGreen;
  mover.m_pen.lopnStyle = PS_SOLID;
  CMethod turn = MakeAction(CMethod::typeRotate, "turn", 0, 1000);
  turn.m_strCentre = "中心";
  turn.m_nStartAngle = -1;
  turn.m_nEndAngle = 360;
  turn.m_nStep = 10;  // 0.1 radian a frame
  turn.m_bPathTrace = 1;
  AddAction(mover, turn);
  host.objects = {&centre, &mover};

  ASSERT_TRUE(host.StartObjects());
  Ticks(host, 18);  // frames 0 .. 15
  const CMethod& action = mover.m_actions[0];
  EXPECT_EQ(16, action.m_path.GetSize());
  EXPECT_EQ(15, action.m_nPathIndex);
  EXPECT_EQ(1, action.m_bTracing);
  // Sixteen steps of 0.1 radian counter-clockwise from (50, 0): near the top.
  EXPECT_NEAR(50.5, std::hypot(mover.m_point.x, mover.m_point.y), 1.5);
  EXPECT_NEAR(0, mover.m_point.x, 3);
  EXPECT_GT(mover.m_point.y, 48);
  {
    PageBitmap page(200, 200);
    CDC dc(page.dc());
    mover.Draw(&dc, nullptr);
    EXPECT_TRUE(Shows(page, 36, 36, kGreen));  // on the arc passed
    EXPECT_FALSE(Shows(page, -36, -36, kGreen));
    EXPECT_FALSE(Shows(page, 36, -36, kGreen));
  }
  host.StopObjects();
  EXPECT_EQ(CPoint(50, 0), mover.m_point);
}

TEST(ShapeTrajectory, ALineWalkingALineLeavesACopyAtEveryPointPassed) {
  TestHost host;
  CDrawLine path(CRect(0, 80, 0, -80));  // walked from end 2 (bottom) to end 1
  path.m_name = "竖线";
  path.ToggleTrajectory();
  CDrawLine mover(CRect(-5, 0, 5, 0));
  mover.m_name = "短线";
  mover.m_pen.lopnWidth = {3, 3};
  mover.m_pen.lopnColor = kBlue;
  mover.m_pen.lopnStyle = PS_SOLID;
  CMethod walk = MakeAction(CMethod::typeTranslate, "walk", 0, 1000);
  walk.m_strPath = "竖线";
  walk.m_nSpeed = 10;
  walk.m_bPathTrace = 1;
  AddAction(mover, walk);
  host.objects = {&path, &mover};

  ASSERT_TRUE(host.StartObjects());
  EXPECT_EQ(17, mover.m_actions[0].m_path.GetSize());
  Ticks(host, 13);  // frames 0 .. 10
  EXPECT_EQ(CPoint(-5, 20), mover.m_end1);
  EXPECT_EQ(CPoint(5, 20), mover.m_end2);
  PageBitmap page(200, 200);
  CDC dc(page.dc());
  mover.Draw(&dc, nullptr);
  for (int y = -80; y <= 20; y += 10) EXPECT_TRUE(Shows(page, -3, y, kBlue)) << y;
  EXPECT_FALSE(Shows(page, -3, 50, kBlue));
  EXPECT_FALSE(Shows(page, -3, -85, kBlue));
  host.StopObjects();
  EXPECT_EQ(CPoint(-5, 0), mover.m_end1);
}

// Two-way rotations without a loop start a polygon where it is, and other shapes at
// their start angle.
TEST(ShapeTrajectory, RotationTellsPolygonsFromOtherShapes) {
  TestHost host;
  CDrawRect rect(CRect(-10, 10, 10, -10));
  CDrawPoly poly;
  for (CPoint p : {CPoint(-10, -10), CPoint(10, -10), CPoint(0, 10)}) poly.AddPoint(p, nullptr);
  for (CDrawObj* o : {static_cast<CDrawObj*>(&rect), static_cast<CDrawObj*>(&poly)}) {
    CMethod swing = MakeAction(CMethod::typeRotate, "swing", 0, 1000);
    swing.m_bRotateTwoWay = 1;
    swing.m_nStartAngle = 30;
    swing.m_nEndAngle = 90;
    swing.m_nStep = 10;
    AddAction(*o, swing);
  }
  host.objects = {&rect, &poly};
  ASSERT_TRUE(host.StartObjects());
  Ticks(host, 3);  // frame 0
  EXPECT_DOUBLE_EQ(3.141592653589793 - 30 * 0.017453292519943295, rect.m_angle);
  EXPECT_EQ(0.0, poly.m_angle);
  Ticks(host, 1);  // frame 1: a forward step for both
  EXPECT_NE(0.0, poly.m_angle);
  host.StopObjects();
}

}  // namespace
