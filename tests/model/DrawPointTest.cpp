// Points: the dot's bounds, its pixels and traces, moving and revolving, the record, the
// copy and the run bracket.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "framework/ui/DC.h"
#include "model/DrawPoint.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

CView* const kView = reinterpret_cast<CView*>(1);  // only tested for null
const double kQuarterTurn = std::acos(0.0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

Bytes Store(CDrawObj& o) {
  return StoreToBytes([&](CArchive& ar) { o.Serialize(ar); });
}

std::unique_ptr<CDrawPoint> PointAt(int x, int y, int width) {
  auto o = std::make_unique<CDrawPoint>();
  o->m_pen.lopnWidth = {width, width};
  o->m_pen.lopnColor = kGreen;
  o->m_pen.lopnStyle = PS_SOLID;
  o->MoveHandleTo(1, x, y, nullptr);
  return o;
}

void Draw(CDrawObj& o, PageBitmap& page) {
  CDC dc(page.dc());
  o.Draw(&dc, nullptr);
}

TEST(DrawPointGeometry, TheDotsSquareFollowsThePenWidth) {
  const struct {
    int x, y, width;
    CRect bounds;
  } rows[] = {
      {10, 10, 3, CRect(9, 9, 12, 12)},   {10, 10, 4, CRect(8, 8, 12, 12)},
      {10, 10, 0, CRect(10, 10, 10, 10)}, {10, 10, 1, CRect(10, 10, 11, 11)},
      {-10, -10, 3, CRect(-12, -12, -9, -9)},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.width << " at " << r.x);
    auto o = PointAt(r.x, r.y, r.width);
    EXPECT_EQ(r.bounds, o->GetDrawBounds());
    EXPECT_EQ(r.bounds, o->m_position);
    EXPECT_EQ(r.bounds, o->m_baseRect);
    // Placing a point by its square's centre puts it back on itself.
    o->SetRect(o->m_position, nullptr);
    EXPECT_EQ(CPoint(r.x, r.y), o->m_point);
  }
  CDrawPoint fromRect(CRect(0, 0, 21, -7));
  EXPECT_EQ(CPoint(10, -3), fromRect.m_point);  // halves toward zero
  EXPECT_EQ(1, fromRect.GetHandleCount());
  EXPECT_EQ(CPoint(10, -3), fromRect.GetHandle(5));
}

TEST(DrawPointGeometry, MovesMarkEditedPagesAndTurningLeavesItAlone) {
  TestHost host;
  auto o = PointAt(0, 0, 4);
  o->MoveHandleTo(7, 30, -20, kView);
  EXPECT_EQ(CPoint(30, -20), o->m_point);
  EXPECT_EQ(CRect(28, -22, 32, -18), o->m_position);
  o->SetRect(CRect(0, 10, 10, 0), kView);
  EXPECT_EQ(CPoint(5, 5), o->m_point);
  EXPECT_DOUBLE_EQ(5.0, o->m_rotationCentre.x);
  EXPECT_EQ(2, host.modifiedCount);
  o->SetAngle(1.0, FALSE, kView);
  EXPECT_EQ(CPoint(5, 5), o->m_point);
  EXPECT_EQ(0.0, o->m_angle);
}

TEST(DrawPointGeometry, SetAngleRectRevolvesAboutTheCentre) {
  CDrawPoint o;
  o.m_rotationState.orbitRadius = 10.0;
  o.SetAngleRect(0.0, 0.0, 0.0, FALSE, nullptr);
  EXPECT_EQ(CPoint(-10, 0), o.m_point);
  o.SetAngleRect(kQuarterTurn, 0.0, 0.0, FALSE, nullptr);
  EXPECT_EQ(CPoint(0, 10), o.m_point);  // cos is -6e-16 there: truncated to 0
  o.SetAngleRect(kQuarterTurn, 0.0, 0.0, TRUE, nullptr);  // relative: another quarter
  EXPECT_EQ(CPoint(10, 0), o.m_point);
  EXPECT_DOUBLE_EQ(2 * kQuarterTurn, o.m_rotationState.orbitAngle);
  o.SetAngleRect(0.0, 100.0, 50.0, FALSE, nullptr);
  EXPECT_EQ(CPoint(90, 50), o.m_point);
  EXPECT_DOUBLE_EQ(100.0, o.m_rotationCentre.x);
  EXPECT_EQ(0.0, o.m_angle);
}

// ---- pixels ----------------------------------------------------------------------------------

TEST(DrawPointPaint, ThinPointsAreOnePixelAndWideOnesADot) {
  TestHost host;
  for (int width : {0, 1}) {
    SCOPED_TRACE(width);
    PageBitmap page(100, 100);
    auto o = PointAt(10, 10, width);
    Draw(*o, page);
    EXPECT_EQ(kGreen, page.At(10, 10));
    EXPECT_EQ(1, page.Count(0, 0, 20, 20, kGreen));
  }
  const struct {
    int style;
    bool cornerColoured;
  } rows[] = {{kPointRound, false}, {kPointSquare, true}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.style);
    PageBitmap page(100, 100);
    auto o = PointAt(0, 0, 10);
    o->m_pointStyle = r.style;
    Draw(*o, page);
    EXPECT_EQ(kGreen, page.At(0, 0));
    EXPECT_EQ(r.cornerColoured, PageBitmap::Near(page.At(4, 4), kGreen, 30));
    EXPECT_EQ(kWhite, page.At(7, 0));
  }
  PageBitmap page(100, 100);
  auto other = PointAt(0, 0, 10);
  other->m_pointStyle = 2;  // no such style
  Draw(*other, page);
  EXPECT_EQ(kWhite, page.At(0, 0));
}

TEST(DrawPointPaint, PointsWithARoleAreNeverDrawn) {
  TestHost host;
  for (int role : {kPointTrajectoryStart, kPointTrajectoryEnd, kPointControl, kPointRotationCentre}) {
    SCOPED_TRACE(role);
    PageBitmap page(100, 100);
    auto o = PointAt(0, 0, 10);
    o->m_role = role;
    Draw(*o, page);
    EXPECT_EQ(10000, page.Count(-50, -49, 49, 50, kWhite));
  }
}

// A traced motion draws one smooth curve through the places passed so far.
TEST(DrawPointPaint, TracesAreACurveThroughThePointsPassed) {
  TestHost host;
  PageBitmap page(200, 200);
  auto o = PointAt(60, 60, 3);
  CMethod motion;
  motion.m_nType = CMethod::typeRotate;
  motion.m_bTracing = 1;
  motion.m_nPathIndex = 3;  // four of the five points passed
  CMethod& traced = o->m_actions[o->m_actions.Add(motion)];
  for (CPoint p : {CPoint(-80, -40), CPoint(-40, 0), CPoint(0, 20), CPoint(40, 0), CPoint(80, -80)})
    traced.m_path.Add(p);
  Draw(*o, page);
  auto passes = [&](int x, int y) { return page.Count(x - 2, y - 2, x + 2, y + 2, kGreen, 60) > 0; };
  EXPECT_TRUE(passes(-80, -40));
  EXPECT_TRUE(passes(0, 20));
  EXPECT_TRUE(passes(40, 0));
  EXPECT_TRUE(passes(-20, 12));  // between two of them, on the curve
  EXPECT_FALSE(passes(60, -40));  // towards the fifth point: not passed yet
  EXPECT_FALSE(passes(0, -20));
}

// ---- record, copies, run bracket -----------------------------------------------------------

TEST(DrawPointRecord, RoundTripAndClone) {
  TestHost host;
  auto o = PointAt(-7, 9, 5);
  o->m_role = kPointRotationCentre;
  o->m_relatedObject = "旋转中心的对象";
  o->m_pointStyle = kPointSquare;
  o->m_name = "点2";
  const Bytes bytes = Store(*o);
  CDrawObj base;
  const Bytes baseBytes = Store(base);
  // Role, the name as a counted string, style and the point after the base record.
  const size_t nameBytes = CString("旋转中心的对象").GetLength();
  EXPECT_EQ(baseBytes.size() + (CString("点2").GetLength()) + 4 + 1 + nameBytes + 4 + 8, bytes.size());
  CDrawPoint loaded;
  LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
  EXPECT_EQ(Hex(bytes, 4000), Hex(Store(loaded), 4000));
  EXPECT_EQ(kPointRotationCentre, loaded.m_role);
  EXPECT_EQ(CString("旋转中心的对象"), loaded.m_relatedObject);
  EXPECT_EQ(kPointSquare, loaded.m_pointStyle);
  EXPECT_EQ(CPoint(-7, 9), loaded.m_point);

  std::unique_ptr<CDrawObj> copy(o->Clone(nullptr));
  ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CDrawPoint)));
  auto* c = static_cast<CDrawPoint*>(copy.get());
  EXPECT_EQ(CPoint(-7, 9), c->m_point);
  EXPECT_EQ(kPointRotationCentre, c->m_role);
  EXPECT_EQ(CString("旋转中心的对象"), c->m_relatedObject);
  EXPECT_EQ(kPointSquare, c->m_pointStyle);
  EXPECT_EQ(o->m_position, c->m_position);
}

TEST(DrawPointPlayState, RestorePutsThePointBackAndEndsTraces) {
  TestHost host;
  auto o = PointAt(20, 30, 4);
  CMethod motion;
  motion.m_nType = CMethod::typeTranslate;
  o->m_actions.Add(motion);
  o->SavePlayState(nullptr, nullptr);
  o->m_rotationState.orbitRadius = 15.0;
  o->SetAngleRect(1.0, 0.0, 0.0, FALSE, nullptr);
  o->m_actions[0].m_bTracing = 1;
  o->RestorePlayState(nullptr);
  EXPECT_EQ(CPoint(20, 30), o->m_point);
  EXPECT_EQ(CRect(18, 28, 22, 32), o->m_position);
  EXPECT_EQ(0, o->m_actions[0].m_bTracing);
}

TEST(DrawPointGeometry, ResetOfTheGeneralPageResetsTheOwnFields) {
  TestHost host;
  auto o = PointAt(20, 30, 8);
  o->m_role = kPointControl;
  o->m_pointStyle = kPointSquare;
  o->m_relatedObject = "x";
  o->ResetPropertyPage(0, kView);
  EXPECT_EQ(kPointOrdinary, o->m_role);
  EXPECT_EQ(kPointRound, o->m_pointStyle);
  EXPECT_TRUE(o->m_relatedObject.IsEmpty());
  EXPECT_EQ(CPoint(20, 30), o->m_point);
  EXPECT_EQ(CRect(20, 30, 21, 31), o->m_position);  // the pen is back to width 1
}

}  // namespace
