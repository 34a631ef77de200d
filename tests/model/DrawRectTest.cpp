// Rectangles, rounded rectangles and ellipses apart from their pixels: the record, the
// class registry, handles and drags, hit tests, bounds, clones, trajectories, and the
// state a run or an effect changes and gives back.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "framework/core/File.h"
#include "framework/ui/DC.h"
#include "graphics/Picture.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "model/ShapePainter.h"
#include "resources/ModelStrings.h"
#include "tests/model/DuplicateCheck.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

CView* const kView = reinterpret_cast<CView*>(1);  // only tested for null
const double kQuarterTurn = std::acos(0.0);

Bytes Store(CDrawObj& o) {
  return StoreToBytes([&](CArchive& ar) { o.Serialize(ar); });
}

// A rectangle 100 x 50 about the page's centre, top above bottom.
CRect Box() { return CRect(-50, 25, 50, -25); }

void SetEveryOwnField(CDrawRect& o, int shape, int pictureFill) {
  o.m_shape = shape;
  o.m_cornerWidth = 22;
  o.m_cornerHeight = -7;
  o.m_colourKey = RGB(1, 2, 3);
  for (int i = 0; i < 16; ++i) o.m_reservedPoints[i] = CPoint(i * 3 - 20, 1000 - i);
  o.m_gradientCentre = CPoint(-123, 456);
  o.m_pictureFill = pictureFill;
  o.m_pictureFile = "d:\\图片\\a.bmp";
  o.m_name = "矩形1";
  o.m_angle = 0.25;
  o.m_fillKind = kStyleLinearGradient;
}

TEST(DrawRectRecord, RoundTripKeepsEveryOwnFieldAndTheBytes) {
  for (int shape : {0, 1, 2}) {
    for (int pictureFill : {0, 1}) {
      SCOPED_TRACE(testing::Message() << "shape " << shape << ", picture fill " << pictureFill);
      CDrawRect original(Box());
      SetEveryOwnField(original, shape, pictureFill);
      const Bytes first = Store(original);
      CDrawRect loaded;
      LoadFromBytes(first, [&](CArchive& ar) { loaded.Serialize(ar); });
      EXPECT_EQ(Hex(first, 2000), Hex(Store(loaded), 2000));
      EXPECT_EQ(shape, loaded.m_shape);
      EXPECT_EQ(22, loaded.m_cornerWidth);
      EXPECT_EQ(-7, loaded.m_cornerHeight);
      EXPECT_EQ(RGB(1, 2, 3), loaded.m_colourKey);
      for (int i = 0; i < 16; ++i) EXPECT_EQ(original.m_reservedPoints[i], loaded.m_reservedPoints[i]);
      EXPECT_EQ(CPoint(-123, 456), loaded.m_gradientCentre);
      EXPECT_EQ(pictureFill, loaded.m_pictureFill);
      // The name travels only with the flag.
      EXPECT_EQ(pictureFill ? CString("d:\\图片\\a.bmp") : CString(), loaded.m_pictureFile);
    }
  }
}

TEST(DrawRectRecord, OwnPartFollowsTheBaseRecordByteForByte) {
  CDrawRect o(Box());
  o.m_pictureFill = 1;
  o.m_pictureFile = "ab";
  o.m_shape = 0x10002;  // stored in 16 bits
  CDrawObj base(Box());
  const Bytes all = Store(o);
  Bytes own(all.begin() + static_cast<std::ptrdiff_t>(Store(base).size()), all.end());
  Bytes want;
  AppendWord(want, 2);
  AppendDword(want, 16);
  AppendDword(want, 16);
  AppendDword(want, 0xFFFFFF);  // colour key
  for (int i = 0; i < 16 * 8; ++i) want.push_back(0);
  AppendDword(want, 0);  // gradient centre: the rectangle's centre
  AppendDword(want, 0);
  AppendDword(want, 1);
  Append(want, {2, 'a', 'b'});
  EXPECT_EQ(Hex(want, 200), Hex(own, 200));
}

TEST(DrawRectRecord, FirstVersionCarriesTheGradientStyleAndStaysInStep) {
  // A base record of version 0x0001 ends after the rotation centre.
  CDrawObj base;
  Bytes bytes = Store(base);
  bytes.resize(236);
  bytes[0] = 0x01;
  bytes[1] = 0x00;
  AppendWord(bytes, 2);       // ellipse
  AppendDword(bytes, 30);     // corner size
  AppendDword(bytes, 40);
  AppendDword(bytes, 5);      // the gradient style, only in this version
  AppendDword(bytes, 0x00FF00);
  for (int i = 0; i < 17 * 8; ++i) bytes.push_back(0);
  AppendDword(bytes, 0);      // no picture fill, so no name
  // A second, current record behind it.
  CDrawRect next(Box());
  next.m_shape = 1;
  next.m_name = "second";
  const Bytes second = Store(next);
  bytes.insert(bytes.end(), second.begin(), second.end());

  CDrawRect a, b;
  LoadFromBytes(bytes, [&](CArchive& ar) {
    a.Serialize(ar);
    b.Serialize(ar);
  });
  EXPECT_EQ(2, a.m_shape);
  EXPECT_EQ(30, a.m_cornerWidth);
  EXPECT_EQ(40, a.m_cornerHeight);
  EXPECT_EQ(5, a.m_gradientStyle);
  EXPECT_EQ(RGB(0, 255, 0), a.m_colourKey);
  EXPECT_EQ(1, b.m_shape);
  EXPECT_EQ(CString("second"), b.m_name);
  // Stored again, it is a current record without the extra field.
  EXPECT_EQ(0x0101, Store(a)[0] | Store(a)[1] << 8);
}

TEST(DrawRectRecord, TruncatedRecordThrows) {
  CDrawRect o(Box());
  o.m_pictureFile = "a.bmp";
  Bytes bytes = Store(o);
  bytes.resize(bytes.size() - 3);
  CDrawRect loaded;
  EXPECT_THROW(LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), CArchiveException);
}

TEST(DrawRectRecord, CreatedByNameWithItsDefaults) {
  const CRuntimeClass* cls = CRuntimeClass::FromName("CDrawRect");
  ASSERT_NE(nullptr, cls);
  EXPECT_EQ(0u, cls->m_wSchema);
  std::unique_ptr<CObject> made(cls->CreateObject());
  ASSERT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDrawObj)));
  auto* o = static_cast<CDrawRect*>(made.get());
  EXPECT_EQ(0, o->m_shape);
  EXPECT_EQ(16, o->m_cornerWidth);
  EXPECT_EQ(16, o->m_cornerHeight);
  EXPECT_EQ(1, o->m_pictureFill);

  CDrawRect fromRect(CRect(0, 11, 20, 0));
  EXPECT_EQ(CPoint(10, 6), fromRect.m_gradientCentre);  // 5.5 rounds away from zero
}

TEST(DrawRectRecord, PageListReadsRectanglesByClassName) {
  TestHost host;
  auto* o = new CDrawRect(Box());
  o->m_shape = 2;
  CDrawDoc written;
  written.m_objects.AddTail(o);
  const Bytes page = StoreToBytes([&](CArchive& ar) { written.Serialize(ar); });
  CDrawDoc read;
  LoadFromBytes(page, [&](CArchive& ar) { read.Serialize(ar); });
  ASSERT_EQ(1, read.m_objects.GetCount());
  CObject* first = read.m_objects.GetHead();
  ASSERT_TRUE(first->IsKindOf(RUNTIME_CLASS(CDrawRect)));
  EXPECT_EQ(2, static_cast<CDrawRect*>(first)->m_shape);
}

// ---- handles and drags -----------------------------------------------------------------

TEST(DrawRectGeometry, HandlesTurnWithTheObject) {
  CDrawRect o(Box());
  o.m_shape = kShapeRoundRectangle;
  EXPECT_EQ(10, o.GetHandleCount());
  EXPECT_EQ(CPoint(-50, 25), o.GetHandle(1));
  EXPECT_EQ(CPoint(50, 0), o.GetHandle(4));
  EXPECT_EQ(CPoint(42, 17), o.GetHandle(10));  // inside the numerically larger corner
  EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZEALL), o.GetHandleCursor(10));
  EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZEWE), o.GetHandleCursor(4));

  o.m_angle = kQuarterTurn;  // about the rotation centre, the middle
  EXPECT_EQ(CPoint(25, 50), o.GetHandle(1));
  EXPECT_EQ(CPoint(0, -50), o.GetHandle(4));
  EXPECT_EQ(CPoint(17, -42), o.GetHandle(10));
  EXPECT_EQ(CPoint(0, 0), o.GetHandle(9));

  o.m_shape = kShapeEllipse;
  EXPECT_EQ(9, o.GetHandleCount());
}

TEST(DrawRectGeometry, CornerHandleClampsTheCornerSize) {
  const struct {
    int x, y;
    int width, height;
  } rows[] = {
      {30, 10, 40, 30},    // inside: twice the distance from the numerically larger corner
      {-20, -20, 100, 50},  // past the centre: clamped to the middle
      {80, 60, 2, 2},       // outside: clamped one unit inside
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.x << ", " << r.y);
    CDrawRect o(Box());
    o.m_shape = kShapeRoundRectangle;
    o.MoveHandleTo(10, r.x, r.y, kView);
    EXPECT_EQ(r.width, o.m_cornerWidth);
    EXPECT_EQ(r.height, o.m_cornerHeight);
    EXPECT_EQ(Box(), o.m_position);
  }
  // Turned, the handle is dragged where it shows: back onto itself keeps the corner.
  CDrawRect turned(Box());
  turned.m_shape = kShapeRoundRectangle;
  turned.SetAngle(kQuarterTurn, FALSE, nullptr);
  const CPoint shown = turned.GetHandle(10);
  turned.MoveHandleTo(10, shown.x, shown.y, kView);
  EXPECT_EQ(16, turned.m_cornerWidth);
  EXPECT_EQ(16, turned.m_cornerHeight);
  // Turned about a centre of its own, handle 10 stays on the turned outline.
  turned.SetAngleRect(-kQuarterTurn, 100.0, 0.0, FALSE, nullptr);
  EXPECT_EQ(CPoint(100, -100), turned.GetHandle(9));
  const CPoint away = turned.GetHandle(10);
  EXPECT_EQ(CPoint(83, -58), away);
  turned.MoveHandleTo(10, away.x, away.y, kView);
  EXPECT_EQ(16, turned.m_cornerWidth);
}

TEST(DrawRectGeometry, UnturnedDragsMatchTheBaseAndResetTheCentre) {
  TestHost host;
  for (int handle : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
    SCOPED_TRACE(handle);
    CDrawRect o(Box());
    CDrawObj base(Box());
    o.MoveHandleTo(handle, 70, -60, kView);
    base.MoveHandleTo(handle, 70, -60, kView);
    EXPECT_EQ(base.m_position, o.m_position);
    EXPECT_DOUBLE_EQ((o.m_position.left + o.m_position.right) * 0.5, o.m_rotationCentre.x);
    EXPECT_DOUBLE_EQ((o.m_position.top + o.m_position.bottom) * 0.5, o.m_rotationCentre.y);
  }
}

TEST(DrawRectGeometry, SetRectMovesInnerPointsAndMarksOnlyEditedPages) {
  TestHost host;
  CDrawRect o(Box());
  o.m_reservedPoints[3] = CPoint(1, 2);
  o.m_gradientCentre = CPoint(5, 5);
  o.SetRect(CRect(-40, 20, 60, -30), kView);
  EXPECT_EQ(CPoint(11, -3), o.m_reservedPoints[3]);
  EXPECT_EQ(CPoint(15, 0), o.m_gradientCentre);
  EXPECT_EQ(CPoint(10, -5), o.m_reservedPoints[0]);
  EXPECT_DOUBLE_EQ(10.0, o.m_rotationCentre.x);
  EXPECT_DOUBLE_EQ(-5.0, o.m_rotationCentre.y);
  EXPECT_EQ(1, host.modifiedCount);
  EXPECT_FALSE(host.invalidated.empty());
  host.mode = kModeRunning;
  o.SetRect(CRect(0, 10, 10, 0), kView);
  o.SetAngle(0.5, TRUE, kView);
  EXPECT_EQ(1, host.modifiedCount);
  host.mode = kModeEditing;
  o.SetAngle(0.5, TRUE, kView);
  EXPECT_DOUBLE_EQ(1.0, o.m_angle);
  EXPECT_EQ(2, host.modifiedCount);
}

TEST(DrawRectGeometry, SetAngleRectTurnsAboutTheGivenCentreAndKeepsTheOrbitAngle) {
  TestHost host;
  CDrawRect o(Box());
  o.SetAngleRect(0.5, 100.0, 0.0, TRUE, nullptr);
  o.SetAngleRect(0.25, 100.0, 0.0, TRUE, nullptr);
  EXPECT_DOUBLE_EQ(0.75, o.m_angle);
  EXPECT_DOUBLE_EQ(0.75, o.m_rotationState.orbitAngle);
  EXPECT_DOUBLE_EQ(100.0, o.m_rotationCentre.x);
  o.SetAngleRect(kQuarterTurn * 2, 100.0, 0.0, FALSE, nullptr);  // a half turn about (100, 0)
  EXPECT_DOUBLE_EQ(kQuarterTurn * 2, o.m_rotationState.orbitAngle);
  const CRect bounds = o.m_baseRect;
  EXPECT_LE(bounds.left, 150);
  EXPECT_GE(bounds.left, 130);
  EXPECT_GE(bounds.right, 250);
  EXPECT_LE(bounds.right, 270);
}

TEST(DrawRectGeometry, GroupMappingCarriesTheGradientCentre) {
  CDrawRect o(Box());
  o.ResetTransform();
  o.m_gradientCentre = CPoint(25, 0);
  o.m_reservedPoints[0] = CPoint(-50, 25);
  CRect result;
  o.MapRect(CRect(-50, 25, 50, -25), CRect(0, 50, 200, 0), result);  // twice as large, moved
  EXPECT_EQ(CRect(0, 50, 200, 0), o.m_position);
  EXPECT_EQ(CPoint(150, 25), o.m_gradientCentre);
  EXPECT_EQ(CPoint(0, 50), o.m_reservedPoints[0]);
}

// GDI+ widens path bounds for a pen by its own rules (Wine by the miter limit too), so
// only containment is asserted.
TEST(DrawRectGeometry, BoundsHoldTheTurnedOutlineAndThePen) {
  CDrawRect o(Box());
  o.m_pen.lopnWidth = {10, 10};
  const CRect b = o.GetDrawBounds();
  EXPECT_LE(b.left, -55);
  EXPECT_GE(b.right, 55);
  EXPECT_LE(b.top, -30);
  EXPECT_GE(b.bottom, 30);
  o.m_angle = kQuarterTurn;
  const CRect turned = o.GetDrawBounds();
  EXPECT_LE(turned.top, -55);
  EXPECT_GE(turned.bottom, 55);
  EXPECT_LE(turned.left, -30);
  o.m_shape = 9;  // no outline: the pen-inflated rectangle
  EXPECT_EQ(CRect(-60, -35, 60, 35), o.GetDrawBounds());
  CDrawRect line(CRect(0, 20, 0, -20));  // no width: the band around the segment
  const CRect band = line.GetDrawBounds();
  EXPECT_LE(band.left, -5);
  EXPECT_GE(band.right, 5);
}

TEST(DrawRectGeometry, IntersectsFollowsTheTurnedOutline) {
  CDrawRect plain(Box());
  CDrawRect turned(Box());
  turned.m_angle = kQuarterTurn / 2;  // 45 degrees
  CDrawRect ellipse(Box());
  ellipse.m_shape = kShapeEllipse;
  CDrawRect line(CRect(0, 20, 0, -20));
  CDrawRect unknown(Box());
  unknown.m_shape = 5;
  const struct {
    const char* what;
    CDrawRect* object;
    CRect test;
    BOOL hit;
  } rows[] = {
      {"inside", &plain, CRect(-5, 5, 5, -5), TRUE},
      {"outside", &plain, CRect(60, 5, 70, -5), FALSE},
      {"zero-width test on the edge", &plain, CRect(50, 5, 50, -5), TRUE},
      {"point on the edge", &plain, CRect(-50, 0, -50, 0), TRUE},
      {"corner region of a 45-degree turn", &turned, CRect(45, 50, 50, 45), FALSE},
      {"inside the turned rectangle", &turned, CRect(28, -28, 32, -32), TRUE},
      {"corner of the ellipse's box", &ellipse, CRect(44, 24, 49, 20), FALSE},
      {"inside the ellipse", &ellipse, CRect(40, 5, 45, 0), TRUE},
      {"band of an empty position", &line, CRect(3, 5, 4, -5), TRUE},
      {"beyond the band", &line, CRect(10, 5, 12, -5), FALSE},
      {"no outline", &unknown, CRect(-5, 5, 5, -5), FALSE},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.hit, r.object->Intersects(r.test));
  }
}

TEST(DrawRectGeometry, TrackerMarksTheTrajectoryEnds) {
  MemoryBitmap bitmap(100, 100);
  CDC dc(bitmap.dc());
  CDrawRect o(CRect(20, 20, 80, 60));
  o.m_trajectory = 1;  // start handle 1, end handle 8
  o.DrawTracker(&dc, 0);
  EXPECT_EQ(RGB(0, 255, 0), bitmap.Pixel(20, 20));
  EXPECT_EQ(RGB(255, 0, 0), bitmap.Pixel(20, 40));
  o.m_showActiveHandle = 1;
  o.m_activeHandle = 5;
  o.DrawTracker(&dc, 0);
  EXPECT_EQ(RGB(0, 0, 255), bitmap.Pixel(80, 60));
}

// ---- copies and property page ---------------------------------------------------------------

TEST(DrawRectCopies, CloneCopiesTheOwnFields) {
  TestHost host;
  CDrawRect o(Box());
  SetEveryOwnField(o, 2, 1);
  o.m_gradientStyle = 3;
  std::unique_ptr<CDrawObj> copy(o.Clone(nullptr));
  ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CDrawRect)));
  auto* c = static_cast<CDrawRect*>(copy.get());
  EXPECT_EQ(2, c->m_shape);
  EXPECT_EQ(22, c->m_cornerWidth);
  EXPECT_EQ(-7, c->m_cornerHeight);
  EXPECT_EQ(3, c->m_gradientStyle);
  EXPECT_EQ(CPoint(-123, 456), c->m_gradientCentre);
  EXPECT_EQ(o.m_reservedPoints[15], c->m_reservedPoints[15]);
  EXPECT_EQ(Box(), c->m_position);
}

TEST(DrawRectCopies, DuplicateAddsAndSelectsOrReportsMemory) { ExpectDuplicateAddsAndSelectsOrReportsMemory<CDrawRect>(Box()); }

TEST(DrawRectCopies, ResetOfTheGeneralPageDropsThePicture) {
  TestHost host;
  CDrawRect o(Box());
  o.m_gradientStyle = 1;
  o.m_pictureFile = "x.bmp";
  o.m_picture = new CPicture(new Gdiplus::Bitmap(2, 2));
  o.m_filled = 0;
  o.m_colourKey = 0;
  EXPECT_FALSE(o.IsPlainShape());
  o.ResetPropertyPage(0, kView);
  EXPECT_EQ(0, o.m_gradientStyle);
  EXPECT_TRUE(o.m_pictureFile.IsEmpty());
  EXPECT_EQ(nullptr, o.m_picture);
  EXPECT_EQ(0, o.m_pictureFill);
  EXPECT_EQ(1, o.m_filled);
  EXPECT_EQ(0xFFFFFFu, o.m_colourKey);
  EXPECT_TRUE(o.IsPlainShape());
  EXPECT_GT(host.modifiedCount, 0);
}

// ---- trajectory ----------------------------------------------------------------------------

TEST(DrawRectTrajectory, PathLengthByShape) {
  const double pi = 3.141592653589793;
  const struct {
    int shape;
    double length;
  } rows[] = {
      {0, 300.0},
      {1, 2 * (150 - 32) + 32 * pi / 2},
      {2, 150 * pi},  // width plus height times pi, as stored pages were timed with
      {7, 0.0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.shape);
    CDrawRect o(CRect(0, 50, 100, 0));
    o.m_shape = r.shape;
    EXPECT_NEAR(r.length, o.GetPathLength(), 1e-9);
    CDrawRect mirrored(CRect(100, 0, 0, 50));
    mirrored.m_shape = r.shape;
    EXPECT_NEAR(r.length, mirrored.GetPathLength(), 1e-9);
  }
}

double DistanceToRectangle(const CPoint& p, const CRect& r) {
  const double dx = std::min(std::abs(p.x - r.left), std::abs(p.x - r.right));
  const double dy = std::min(std::abs(p.y - r.top), std::abs(p.y - r.bottom));
  const bool withinX = p.x >= std::min(r.left, r.right) && p.x <= std::max(r.left, r.right);
  const bool withinY = p.y >= std::min(r.top, r.bottom) && p.y <= std::max(r.top, r.bottom);
  if (withinX && withinY) return std::min(dx, dy);
  if (withinX) return dy;
  if (withinY) return dx;
  return std::hypot(dx, dy);
}

// Distance from an ellipse centred on the origin, measured along the ray through p.
double DistanceToEllipse(const CPoint& p, double a, double b) {
  const double r = std::hypot(p.x, p.y);
  if (r == 0) return std::min(a, b);
  const double c = p.x / r, s = p.y / r;
  return std::abs(r - 1.0 / std::sqrt(c * c / (a * a) + s * s / (b * b)));
}

// Distance from the outline of Box() with corners of radius 8.
double DistanceToRoundedBox(const CPoint& p) {
  const double qx = std::abs(p.x) - (50 - 8), qy = std::abs(p.y) - (25 - 8);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return std::abs(outside + std::min(std::max(qx, qy), 0.0) - 8);
}

double Gap(const CPoint& a, const CPoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(DrawRectTrajectory, PointsRunBetweenTheHandlesAlongTheOutline) {
  const struct {
    const char* what;
    int shape, from, to;
  } rows[] = {
      {"rectangle, handle 1 to 8", 0, 1, 8},
      {"rectangle, handle 6 to 2", 0, 6, 2},
      {"ellipse, handle 2 to 8", 2, 2, 8},
      {"ellipse, handle 8 to 4", 2, 8, 4},
      {"rounded rectangle, handle 2 to 8", 1, 2, 8},
  };
  for (const auto& r : rows) {
    for (int step : {10, -10}) {
      SCOPED_TRACE(testing::Message() << r.what << ", step " << step);
      CDrawRect o(Box());
      o.m_shape = r.shape;
      o.m_shapeParam1 = r.from;
      o.m_shapeParam2 = r.to;
      CMethod action;
      const int n = o.GetPathPoints(step, &action, 0);
      ASSERT_EQ(n, action.m_path.GetSize());
      ASSERT_GE(n, 1);
      // A forward walk stops one point before the point nearest the end handle.
      EXPECT_LE(Gap(action.m_path[0], o.GetHandle(r.from)), 10.0);
      EXPECT_LE(Gap(action.m_path[n - 1], o.GetHandle(r.to)), step > 0 ? 15.0 : 10.0);
      for (int i = 0; i < n; ++i) {
        const CPoint& p = action.m_path[i];
        const double off = r.shape == 2   ? DistanceToEllipse(p, 50, 25)
                           : r.shape == 1 ? DistanceToRoundedBox(p)
                                          : DistanceToRectangle(p, Box());
        EXPECT_LE(off, 1.0) << "point " << i << " (" << p.x << ", " << p.y << ")";
        if (i > 0) {
          EXPECT_LE(Gap(action.m_path[i - 1], p), 10 * std::sqrt(2.0) + 1) << "point " << i;
        }
      }
    }
  }
}

TEST(DrawRectTrajectory, SameStartAndEndWalkTheWholeOutline) {
  CDrawRect o(Box());
  o.m_shapeParam1 = o.m_shapeParam2 = 2;
  CMethod forward, backward;
  const int n = o.GetPathPoints(10, &forward, 0);
  EXPECT_NEAR(30, n, 1);  // 300 units every 10
  const int m = o.GetPathPoints(-10, &backward, 0);
  EXPECT_NEAR(n + 2, m, 1);
  EXPECT_EQ(o.GetHandle(2), backward.m_path[m - 1]);  // ends on the start handle itself
  EXPECT_EQ(forward.m_path[0], backward.m_path[0]);
}

TEST(DrawRectTrajectory, TimedModeSpreadsTheStepCountOverTheOutline) {
  for (int shape : {0, 1, 2}) {
    SCOPED_TRACE(shape);
    CDrawRect o(Box());
    o.m_shape = shape;
    o.m_shapeParam1 = o.m_shapeParam2 = 2;
    CMethod action;
    const int n = o.GetPathPoints(25, &action, 1);
    // The ellipse's length counts its perimeter twice: half the points. Each curve of
    // the outline also ends on a point of its own.
    const double expected = shape == 2 ? 12.5 + 4 : shape == 1 ? 25 + 4 : 25;
    EXPECT_NEAR(expected, n, 2);
  }
}

TEST(DrawRectTrajectory, NoPointsForNothingToWalk) {
  CMethod action;
  action.m_path.Add(CPoint(7, 7));  // a list left alone shows the call did not touch it
  CDrawRect o(Box());
  EXPECT_EQ(0, o.GetPathPoints(0, &action, 0));
  EXPECT_EQ(0, o.GetPathPoints(1000, &action, 0));  // longer steps than the outline
  EXPECT_EQ(0, o.GetPathPoints(1000, &action, 1));  // spacing below one unit
  CDrawRect oversizedCorners(CRect(0, 20, 20, 0));
  oversizedCorners.m_shape = kShapeRoundRectangle;
  oversizedCorners.m_cornerWidth = oversizedCorners.m_cornerHeight = 400;  // negative length
  EXPECT_EQ(0, oversizedCorners.GetPathPoints(5, &action, 1));
  CDrawRect unknown(Box());
  unknown.m_shape = 300;
  unknown.m_shapeParam4 = 0;
  EXPECT_EQ(0, unknown.GetPathPoints(-5, &action, 0));
  CDrawRect empty(CRect(3, 3, 3, 3));
  EXPECT_EQ(0, empty.GetPathPoints(5, &action, 0));
  ASSERT_EQ(1, action.m_path.GetSize());
  EXPECT_EQ(CPoint(7, 7), action.m_path[0]);
}

// ---- pictures and the state a run gives back ---------------------------------------------------

// A small picture file: blue on the left, green on the right.
CString WritePicture(const char* name) {
  return WriteTestPicture(name, 8, 8, [](int x, int) { return x < 4 ? RGB(0, 0, 255) : RGB(0, 255, 0); });
}

class CountingRect : public CDrawRect {
 public:
  using CDrawRect::CDrawRect;
  BOOL LoadPicture(const CString& path) override {
    ++loads;
    return CDrawRect::LoadPicture(path);
  }
  int loads = 0;
};

TEST(DrawRectPicture, DecodedOnceUntilTheFileOrTheKeyChanges) {
  TestHost host;
  const CString path = WritePicture("矩形填充.bmp");
  CountingRect o(Box());
  o.m_pictureFile = path;
  o.m_filled = 0;  // shown transparent: the key applies
  o.m_colourKey = RGB(0, 0, 255);
  PageBitmap page(200, 200);
  CDC dc(page.dc());
  for (int i = 0; i < 3; ++i) o.Draw(&dc, nullptr);
  EXPECT_EQ(1, o.loads);
  EXPECT_EQ(1, o.m_colourKeyApplied);
  o.SetColourKey(RGB(0, 255, 0));
  o.Draw(&dc, nullptr);
  o.Draw(&dc, nullptr);
  EXPECT_EQ(2, o.loads);
  o.SetPictureFile(path);
  o.Draw(&dc, nullptr);
  EXPECT_EQ(3, o.loads);
  CFile::Remove(path);
}

TEST(DrawRectPicture, RunGivesBackTheVeryPictureAndCornerSize) {
  TestHost host;
  CDrawRect o(Box());
  o.m_shape = kShapeRoundRectangle;
  o.m_pictureFile = "embedded.jpg";  // read from a page: a bare name that cannot load again
  auto* original = new CPicture(new Gdiplus::Bitmap(4, 4, PixelFormat32bppARGB));
  o.m_picture = original;
  o.m_colourKeyApplied = 1;
  o.SavePlayState(kView, nullptr);
  ASSERT_NE(nullptr, o.m_picture);
  EXPECT_NE(original, o.m_picture);  // the run draws a copy
  o.m_cornerWidth = 3;
  o.SetPictureFile("d:\\other.bmp");  // a change-picture action
  EXPECT_EQ(nullptr, o.m_picture);
  o.RestorePlayState(kView);
  EXPECT_EQ(original, o.m_picture);
  EXPECT_EQ(CString("embedded.jpg"), o.m_pictureFile);
  EXPECT_EQ(1, o.m_colourKeyApplied);
  EXPECT_EQ(16, o.m_cornerWidth);
  // Restoring again without a save changes nothing.
  o.m_cornerWidth = 5;
  o.RestorePlayState(kView);
  EXPECT_EQ(5, o.m_cornerWidth);
  EXPECT_EQ(original, o.m_picture);
}

// The whole road: a page embedding a picture fill, a run in which a change-picture action
// fires, the end of the run, and the page saved and read again.
TEST(DrawRectPicture, EmbeddedPictureSurvivesARunThatChangedIt) {
  TestHost host;
  const CString path = WritePicture("矩形嵌入.bmp");
  auto* written = new CDrawRect(Box());
  written->m_pictureFile = path;
  ASSERT_TRUE(written->LoadPicture(path));
  CDrawDoc first;
  first.Add(written);
  const Bytes page = StoreToBytes([&](CArchive& ar) { first.Serialize(ar); });
  CFile::Remove(path);

  CDrawDoc second;
  LoadFromBytes(page, [&](CArchive& ar) { second.Serialize(ar); });
  auto* o = static_cast<CDrawRect*>(second.m_objects.GetHead());
  ASSERT_NE(nullptr, o->m_picture);
  EXPECT_EQ(-1, o->m_pictureFile.Find('\\'));  // a bare name: nothing to load it from
  o->SavePlayState(kView, nullptr);
  o->SetPictureFile("d:\\missing\\other.bmp");
  o->RestorePlayState(kView);

  const Bytes again = StoreToBytes([&](CArchive& ar) { second.Serialize(ar); });
  CDrawDoc third;
  LoadFromBytes(again, [&](CArchive& ar) { third.Serialize(ar); });
  auto* back = static_cast<CDrawRect*>(third.m_objects.GetHead());
  ASSERT_NE(nullptr, back->m_picture);
  EXPECT_EQ(CSize(8, 8), back->GetPictureSize());
}

TEST(DrawRectPicture, RunWithoutAPictureReleasesOnlyAChangedName) {
  TestHost host;
  CDrawRect o(Box());
  o.m_pictureFile = "d:\\a.bmp";
  o.SavePlayState(kView, nullptr);
  o.m_picture = new CPicture(new Gdiplus::Bitmap(2, 2));  // loaded during the run, same name
  o.RestorePlayState(kView);
  EXPECT_NE(nullptr, o.m_picture);
  CDrawRect changed(Box());
  changed.m_pictureFile = "d:\\a.bmp";
  changed.SavePlayState(kView, nullptr);
  changed.SetPictureFile("d:\\b.bmp");
  changed.m_picture = new CPicture(new Gdiplus::Bitmap(2, 2));
  changed.RestorePlayState(kView);
  EXPECT_EQ(CString("d:\\a.bmp"), changed.m_pictureFile);
  EXPECT_EQ(nullptr, changed.m_picture);  // the remembered path loads on the next draw
}

TEST(DrawRectPicture, EffectSnapshotIsApartFromTheRunSnapshot) {
  TestHost host;
  CDrawRect o(Box());
  o.m_pictureFile = "a.jpg";
  o.RevertVisibilityLayer();  // nothing remembered: nothing changes
  EXPECT_EQ(CString("a.jpg"), o.m_pictureFile);
  o.SavePlayState(kView, nullptr);
  o.SetPictureFile("b.jpg");
  o.SaveVisibilityLayer();
  o.SetPictureFile("c.jpg");
  o.RevertVisibilityLayer();
  EXPECT_EQ(CString("b.jpg"), o.m_pictureFile);
  o.RestorePlayState(kView);
  EXPECT_EQ(CString("a.jpg"), o.m_pictureFile);
  o.RevertVisibilityLayer();  // already given back
  EXPECT_EQ(CString("a.jpg"), o.m_pictureFile);
}

}  // namespace

namespace {

TEST(DrawRectCornerDrag, TheOppositeCornerOfATurnedRectangleStaysWhereItShows) {
  TestHost host;
  for (double angle : {0.0, 0.5, -1.2}) {
    for (int handle : {1, 3, 5, 7}) {
      SCOPED_TRACE(testing::Message() << "angle " << angle << " handle " << handle);
      CDrawRect r(CRect(0, 40, 80, 0));
      r.m_angle = angle;
      r.m_rotationCentre = CDoublePoint(40, 20);
      const int opposite = handle == 1 ? 5 : handle == 3 ? 7 : handle == 5 ? 1 : 3;
      const CPoint kept = r.GetHandle(opposite);
      const CPoint grab = r.GetHandle(handle);
      r.MoveHandleTo(handle, grab.x + 12, grab.y - 7, nullptr);
      const CPoint after = r.GetHandle(opposite);
      EXPECT_LE(std::abs(after.x - kept.x), 1);
      EXPECT_LE(std::abs(after.y - kept.y), 1);
      const CPoint dragged = r.GetHandle(handle);  // and the grabbed corner follows the pointer
      EXPECT_LE(std::abs(dragged.x - (grab.x + 12)), 1);
      EXPECT_LE(std::abs(dragged.y - (grab.y - 7)), 1);
    }
  }
}

}  // namespace
