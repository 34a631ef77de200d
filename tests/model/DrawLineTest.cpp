// Lines: the record with its angle convention, handles and drags, group mapping, hit
// tests, trajectories, the run bracket and the pixels of pens, caps and traces.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "framework/ui/DC.h"
#include "graphics/ImageHelpers.h"
#include "model/DrawDoc.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

CView* const kView = reinterpret_cast<CView*>(1);  // only tested for null
const double kQuarterTurn = std::acos(0.0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
// Where the angle lies in the base record: version, position and base rectangle first.
constexpr size_t kAngleOffset = 2 + 16 + 16;

Bytes Store(CDrawObj& o) {
  return StoreToBytes([&](CArchive& ar) { o.Serialize(ar); });
}

double AngleInRecord(const Bytes& bytes) {
  double angle;
  std::memcpy(&angle, bytes.data() + kAngleOffset, sizeof angle);
  return angle;
}

// A line from end 1 to end 2, given as the rectangle the creation tool drags.
CDrawLine Line(int x1, int y1, int x2, int y2) { return CDrawLine(CRect(x1, y1, x2, y2)); }

// ---- the record ------------------------------------------------------------------------

TEST(DrawLineRecord, RoundTripKeepsEveryOwnField) {
  CDrawLine o = Line(-30, 40, 70, -20);
  o.m_middle = CPoint(20, 10);
  o.m_savedEnd1 = CPoint(1, 2);
  o.m_savedEnd2 = CPoint(-3, 4);
  o.m_savedMiddle = CPoint(5, -6);
  o.m_reservedWord = 0x1234;
  o.m_refPoints[0] = CDoublePoint(-30.25, 40.5);
  o.m_refPoints[1] = CDoublePoint(70.125, -20.75);
  o.m_refPoints[2] = CDoublePoint(20.0, 10.0);
  o.m_name = "直线3";
  for (double angle : {0.0, 0.3, -2.5}) {
    SCOPED_TRACE(angle);
    o.m_angle = angle;
    const Bytes first = Store(o);
    CDrawLine loaded;
    LoadFromBytes(first, [&](CArchive& ar) { loaded.Serialize(ar); });
    // The record holds (angle + direction); taking the direction off again is exact only
    // for a zero angle.
    if (angle == 0.0) {
      EXPECT_EQ(0.0, loaded.m_angle);
      EXPECT_EQ(Hex(first, 4000), Hex(Store(loaded), 4000));
    } else {
      EXPECT_NEAR(angle, loaded.m_angle, 1e-12);
    }
    EXPECT_EQ(CPoint(-30, 40), loaded.m_end1);
    EXPECT_EQ(CPoint(70, -20), loaded.m_end2);
    EXPECT_EQ(CPoint(20, 10), loaded.m_middle);
    EXPECT_EQ(CPoint(1, 2), loaded.m_savedEnd1);
    EXPECT_EQ(CPoint(-3, 4), loaded.m_savedEnd2);
    EXPECT_EQ(CPoint(5, -6), loaded.m_savedMiddle);
    EXPECT_EQ(0x1234, loaded.m_reservedWord);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(o.m_refPoints[i], loaded.m_refPoints[i]) << i;
    EXPECT_EQ(CString("直线3"), loaded.m_name);
  }
}

TEST(DrawLineRecord, BaseRecordCarriesTheDirectionAndTheOwnPartIs102Bytes) {
  CDrawLine o = Line(0, 0, 100, 100);
  o.m_refPoints[1] = CDoublePoint(0.5, -1.0);
  const Bytes all = Store(o);
  EXPECT_DOUBLE_EQ(LineAngle(CPoint(0, 0), CPoint(100, 100)), AngleInRecord(all));
  o.m_angle = 0.25;
  EXPECT_DOUBLE_EQ(LineAngle(CPoint(0, 0), CPoint(100, 100)) + 0.25, AngleInRecord(Store(o)));
  EXPECT_EQ(0.25, o.m_angle);  // storing puts the object's own angle back

  CDrawObj base;
  const Bytes own(all.begin() + static_cast<std::ptrdiff_t>(Store(base).size()), all.end());
  Bytes want;
  AppendWord(want, 0);
  for (int v : {0, 0, 100, 100, 50, 50, 0, 0, 0, 0, 0, 0}) AppendDword(want, static_cast<unsigned long>(v));
  AppendDword(want, 3);
  const double refs[6] = {0, 0, 0.5, -1.0, 0, 0};
  const BYTE* raw = reinterpret_cast<const BYTE*>(refs);
  want.insert(want.end(), raw, raw + sizeof refs);
  EXPECT_EQ(102u, own.size());
  EXPECT_EQ(Hex(want, 200), Hex(own, 200));
}

TEST(DrawLineRecord, TheReferenceCountIsIgnoredWhenRead) {
  CDrawLine first = Line(1, 2, 3, 4);
  Bytes bytes = Store(first);
  CDrawObj base;
  const size_t countAt = Store(base).size() + 2 + 48;
  bytes[countAt] = 7;  // says 7, three follow
  CDrawLine second = Line(-5, -6, 7, 8);
  second.m_name = "next";
  const Bytes next = Store(second);
  bytes.insert(bytes.end(), next.begin(), next.end());
  CDrawLine a, b;
  LoadFromBytes(bytes, [&](CArchive& ar) {
    a.Serialize(ar);
    b.Serialize(ar);
  });
  EXPECT_EQ(CPoint(3, 4), a.m_end2);
  EXPECT_EQ(CString("next"), b.m_name);
  EXPECT_EQ(CPoint(-5, -6), b.m_end1);
}

TEST(DrawLineRecord, TruncatedRecordThrows) {
  CDrawLine o = Line(0, 0, 10, 10);
  Bytes bytes = Store(o);
  bytes.resize(bytes.size() - 5);
  CDrawLine loaded;
  EXPECT_THROW(LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), CArchiveException);
}

TEST(DrawLineRecord, ClassRecordNamesTheFrameworkBase) {
  const CRuntimeClass* cls = CRuntimeClass::FromName("CDrawLine");
  ASSERT_EQ(RUNTIME_CLASS(CDrawLine), cls);
  EXPECT_EQ(0u, cls->m_wSchema);
  EXPECT_EQ(RUNTIME_CLASS(CObject), cls->GetBaseClass());
  std::unique_ptr<CObject> made(cls->CreateObject());
  EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CDrawObj)));
  auto* line = static_cast<CDrawLine*>(made.get());
  EXPECT_EQ(2, line->m_shapeParam1);  // walked from the second end to the first
  EXPECT_EQ(1, line->m_shapeParam2);
  EXPECT_EQ(CPoint(), line->m_end1);
}

// The page reads every shape of this family back by class name, lines included.
TEST(DrawLineRecord, PageListReadsLinesPolygonsAndPoints) {
  TestHost host;
  CDrawDoc written;
  auto* line = new CDrawLine(CRect(0, 0, 40, 30));
  auto* poly = new CDrawPoly();
  poly->AddPoint(CPoint(0, 0), nullptr);
  poly->AddPoint(CPoint(50, 0), nullptr);
  poly->AddPoint(CPoint(50, 50), nullptr);
  poly->m_polyKind = kPolyCurve;
  auto* point = new CDrawPoint(CRect(8, 8, 12, 12));
  written.m_objects.AddTail(line);
  written.m_objects.AddTail(poly);
  written.m_objects.AddTail(point);
  const Bytes page = StoreToBytes([&](CArchive& ar) { written.Serialize(ar); });
  CDrawDoc read;
  LoadFromBytes(page, [&](CArchive& ar) { read.Serialize(ar); });
  ASSERT_EQ(3, read.m_objects.GetCount());
  POSITION pos = read.m_objects.GetHeadPosition();
  CObject* first = read.m_objects.GetNext(pos);
  CObject* second = read.m_objects.GetNext(pos);
  CObject* third = read.m_objects.GetNext(pos);
  ASSERT_TRUE(first->IsKindOf(RUNTIME_CLASS(CDrawLine)));
  EXPECT_EQ(CPoint(40, 30), static_cast<CDrawLine*>(first)->m_end2);
  ASSERT_TRUE(second->IsKindOf(RUNTIME_CLASS(CDrawPoly)));
  EXPECT_EQ(3, static_cast<CDrawPoly*>(second)->m_pointCount);
  ASSERT_TRUE(third->IsKindOf(RUNTIME_CLASS(CDrawPoint)));
  EXPECT_EQ(CPoint(10, 10), static_cast<CDrawPoint*>(third)->m_point);
}

// ---- handles and drags -----------------------------------------------------------------

TEST(DrawLineGeometry, HandlesEndsTurnedAboutTheMiddle) {
  CDrawLine o = Line(-40, 0, 40, 0);
  EXPECT_EQ(3, o.GetHandleCount());
  EXPECT_EQ(CPoint(-40, 0), o.GetHandle(1));
  EXPECT_EQ(CPoint(40, 0), o.GetHandle(2));
  EXPECT_EQ(CPoint(0, 0), o.GetHandle(3));
  EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZEALL), o.GetHandleCursor(3));
  EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZENWSE), o.GetHandleCursor(1));
  o.m_angle = kQuarterTurn;
  EXPECT_EQ(CPoint(0, 40), o.GetHandle(1));
  EXPECT_EQ(CPoint(0, -40), o.GetHandle(2));
  // Handle 1 is now above handle 2: numerically the larger y.
  EXPECT_EQ(2, o.TopEdgeHandle());
  EXPECT_EQ(1, o.BottomEdgeHandle());
  o.m_angle = 0.0;
  EXPECT_EQ(2, o.RightEdgeHandle());
  EXPECT_EQ(1, o.LeftEdgeHandle());
}

TEST(DrawLineGeometry, DragsKeepThePositionTheSpanOfTheEnds) {
  TestHost host;
  const struct {
    int handle, x, y;
    CPoint end1, end2;
  } rows[] = {
      {1, 90, 95, CPoint(90, 95), CPoint(100, 100)},   // the nearer corner alone would miss the line
      {2, -20, 50, CPoint(0, 0), CPoint(-20, 50)},
      {3, 60, 40, CPoint(10, -10), CPoint(110, 90)},   // the middle moves the whole line
      {0, 9, 9, CPoint(0, 0), CPoint(100, 100)},       // no such handle
      {4, 9, 9, CPoint(0, 0), CPoint(100, 100)},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.handle);
    CDrawLine o = Line(0, 0, 100, 100);
    o.MoveHandleTo(r.handle, r.x, r.y, kView);
    EXPECT_EQ(r.end1, o.m_end1);
    EXPECT_EQ(r.end2, o.m_end2);
    EXPECT_EQ(o.Span(), o.m_position);
    EXPECT_DOUBLE_EQ((r.end1.x + r.end2.x) * 0.5, o.m_rotationCentre.x);
    EXPECT_DOUBLE_EQ((r.end1.y + r.end2.y) * 0.5, o.m_rotationCentre.y);
    EXPECT_EQ(o.GetDrawBounds(), o.m_baseRect);
  }
  EXPECT_EQ(3, host.modifiedCount);  // edit mode with a view: every real drag

  // A turned line is dragged where its end shows.
  CDrawLine turned = Line(-40, 0, 40, 0);
  turned.m_angle = kQuarterTurn;
  turned.MoveHandleTo(1, 0, 60, kView);
  EXPECT_EQ(CPoint(-60, 0), turned.m_end1);
}

TEST(DrawLineGeometry, SetRectTranslatesAndAMirroredPlaceMovesNothing) {
  TestHost host;
  CDrawLine o = Line(0, 0, 100, 50);
  o.ResetTransform();
  o.SetRect(CRect(10, 20, 110, 70), kView);
  EXPECT_EQ(CPoint(10, 20), o.m_end1);
  EXPECT_EQ(CPoint(110, 70), o.m_end2);
  EXPECT_EQ(CDoublePoint(10, 20), o.m_refPoints[0]);
  EXPECT_EQ(CPoint(60, 45), o.m_middle);
  o.SetRect(CRect(110, 70, 10, 20), kView);  // the same place, mirrored
  EXPECT_EQ(CPoint(10, 20), o.m_end1);
  EXPECT_EQ(CRect(10, 20, 110, 70), o.m_position);
}

TEST(DrawLineGeometry, ApplyRotationBakesTheTurnIntoTheEnds) {
  CDrawLine o = Line(-30, 10, 50, 10);
  o.SetAngle(kQuarterTurn, FALSE, nullptr);
  o.m_rotationState.orbitAngle = 1.0;
  const CPoint shownEnd1 = o.GetHandle(1);
  o.ApplyRotation();
  // The ends land where their handles showed them.
  EXPECT_EQ(CPoint(10, 50), o.m_end1);
  EXPECT_EQ(CPoint(10, -30), o.m_end2);
  EXPECT_EQ(shownEnd1, o.GetHandle(1));
  EXPECT_EQ(0.0, o.m_angle);
  EXPECT_EQ(0.0, o.m_rotationState.orbitAngle);
  EXPECT_EQ(CRect(10, -30, 10, 50), o.m_position);
  EXPECT_EQ(CPoint(10, 10), o.m_middle);
}

TEST(DrawLineGeometry, GroupMappingScalesMirrorsAndSurvivesAFlatGroup) {
  struct Row {
    const char* what;
    CRect from, to;
    CPoint end1, end2;
    CRect result;
  };
  const Row rows[] = {
      {"twice as wide", CRect(-100, 50, 100, -50), CRect(-200, 50, 200, -50), CPoint(-100, -10), CPoint(100, 10),
       CRect(-100, -10, 100, 10)},
      {"dragged across its left edge", CRect(-100, 50, 100, -50), CRect(150, 50, 100, -50), CPoint(138, -10),
       CPoint(113, 10), CRect(138, -10, 113, 10)},
      {"a flat group grows in height: translate only", CRect(-100, 0, 100, 0), CRect(-100, 10, 100, 30),
       CPoint(-50, 10), CPoint(50, 30), CRect(-50, 10, 50, 30)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    CDrawLine o = Line(-50, -10, 50, 10);
    o.ResetTransform();
    CRect result;
    o.MapRect(r.from, r.to, result);
    EXPECT_EQ(r.end1, o.m_end1);
    EXPECT_EQ(r.end2, o.m_end2);
    EXPECT_EQ(r.result, result);
    EXPECT_EQ(o.Span(), o.m_position);
    // The repaint area and the rotation centre follow the new ends.
    EXPECT_EQ(o.GetDrawBounds(), o.m_baseRect);
    EXPECT_DOUBLE_EQ((o.m_end1.x + o.m_end2.x) * 0.5, o.m_rotationCentre.x);
  }
  // Many resizes back and forth drift nothing: the reference points keep the doubles.
  CDrawLine o = Line(-33, -17, 41, 29);
  o.ResetTransform();
  CRect result, a(-100, 100, 100, -100), b(-37, 61, 93, -51);
  for (int i = 0; i < 100; ++i) {
    o.MapRect(a, b, result);
    o.MapRect(b, a, result);
  }
  EXPECT_EQ(CPoint(-33, -17), o.m_end1);
  EXPECT_EQ(CPoint(41, 29), o.m_end2);
}

TEST(DrawLineGeometry, ScalingMovesOnlyTheEnds) {
  TestHost host;
  CDrawLine o = Line(-100, 0, 100, 0);  // horizontal: no height, still scaled
  o.ScaleAbout(0.5, 0.0, 0.0, nullptr);
  EXPECT_EQ(CPoint(-50, 0), o.m_end1);
  EXPECT_EQ(CPoint(50, 0), o.m_end2);
  o.ScaleAbout(2.0, 50.0, 0.0, nullptr);  // about the right end: the middle moves once
  EXPECT_EQ(CPoint(-150, 0), o.m_end1);
  EXPECT_EQ(CPoint(50, 0), o.m_end2);
  CDrawLine shortLine = Line(0, 0, 12, 12);  // 17 units: not shrunk, but grown
  shortLine.ScaleAbout(0.5, 0.0, 0.0, nullptr);
  EXPECT_EQ(CPoint(12, 12), shortLine.m_end2);
  shortLine.ScaleAbout(2.0, 0.0, 0.0, nullptr);
  EXPECT_EQ(CPoint(24, 24), shortLine.m_end2);
}

// The band reaches half the pen and 5 units beyond the segment, on every side.
TEST(DrawLineGeometry, HitTestsUseTheBandAroundTheSegment) {
  CDrawLine slanted = Line(0, 0, 100, 100);
  CDrawLine vertical = Line(0, -50, 0, 50);
  vertical.m_pen.lopnWidth = {10, 10};  // 10 units either side
  const struct {
    const char* what;
    CDrawLine* line;
    CRect test;
    BOOL hit;
  } rows[] = {
      {"on the line", &slanted, CRect(50, 50, 50, 50), TRUE},
      {"4 units off, across", &slanted, CRect(53, 47, 53, 47), TRUE},
      {"8 units off, across", &slanted, CRect(56, 44, 56, 44), FALSE},
      {"beyond the end", &slanted, CRect(110, 110, 112, 112), FALSE},
      {"a rectangle over the middle", &slanted, CRect(40, 70, 70, 40), TRUE},
      {"inside a wide pen", &vertical, CRect(9, 0, 9, 0), TRUE},
      {"outside a wide pen", &vertical, CRect(12, 0, 14, 2), FALSE},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.hit, r.line->Intersects(r.test));
  }
}

// ---- trajectory ------------------------------------------------------------------------------

TEST(DrawLineTrajectory, PointsRunFromTheStartHandleToTheEndHandle) {
  struct Row {
    const char* what;
    int step, mode, start, end;
    int count;
    CPoint first, second, last;
  };
  const Row rows[] = {
      {"2 to 1, spacing 10", 10, 0, 2, 1, 11, CPoint(100, 0), CPoint(90, 0), CPoint(0, 0)},
      {"backward", -10, 0, 2, 1, 11, CPoint(0, 0), CPoint(10, 0), CPoint(100, 0)},
      {"spacing 30 misses the far end", 30, 0, 2, 1, 4, CPoint(90, 0), CPoint(60, 0), CPoint(0, 0)},
      {"1 to 2", 25, 0, 1, 2, 5, CPoint(0, 0), CPoint(25, 0), CPoint(100, 0)},
      {"timed: 4 points over the length", 4, 1, 2, 1, 5, CPoint(100, 0), CPoint(75, 0), CPoint(0, 0)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    CDrawLine o = Line(0, 0, 100, 0);
    o.m_shapeParam1 = r.start;
    o.m_shapeParam2 = r.end;
    CMethod action;
    ASSERT_EQ(r.count, o.GetPathPoints(r.step, &action, r.mode));
    ASSERT_EQ(r.count, action.m_path.GetSize());
    EXPECT_EQ(r.first, action.m_path[0]);
    EXPECT_EQ(r.second, action.m_path[1]);
    EXPECT_EQ(r.last, action.m_path[r.count - 1]);
  }
  CDrawLine o = Line(0, 0, 100, 0);
  CMethod action;
  action.m_path.Add(CPoint(7, 7));
  EXPECT_EQ(0, o.GetPathPoints(0, &action, 0));
  EXPECT_EQ(0, o.GetPathPoints(200, &action, 0));  // longer than the line
  EXPECT_EQ(0, o.GetPathPoints(200, &action, 1));  // spacing below one unit
  EXPECT_EQ(1, action.m_path.GetSize());           // left alone
  EXPECT_DOUBLE_EQ(100.0, o.GetPathLength());
}

// ---- the run bracket and copies --------------------------------------------------------------

TEST(DrawLinePlayState, RestoreBringsTheGeometryBackAndEndsTraces) {
  TestHost host;
  CDrawLine o = Line(-20, 5, 30, 45);
  o.m_savedEnd1 = CPoint(111, 222);  // the stored fields a run uses as its copies
  o.ResetTransform();
  CMethod trace;
  trace.m_nType = CMethod::typeTranslate;
  o.m_actions.Add(trace);
  const CRect position = o.m_position;
  const Bytes before = Store(o);

  o.SavePlayState(nullptr, nullptr);
  o.SetRect(CRect(100, 100, 150, 140), nullptr);
  o.SetAngleRect(0.7, 0.0, 0.0, TRUE, nullptr);
  o.MoveHandleTo(1, -300, 9, nullptr);
  o.m_actions[0].m_bTracing = 1;
  o.RestorePlayState(nullptr);

  EXPECT_EQ(CPoint(-20, 5), o.m_end1);
  EXPECT_EQ(CPoint(30, 45), o.m_end2);
  EXPECT_EQ(CPoint(5, 25), o.m_middle);
  EXPECT_EQ(position, o.m_position);
  EXPECT_EQ(0.0, o.m_angle);
  EXPECT_EQ(CDoublePoint(-20, 5), o.m_refPoints[0]);
  EXPECT_EQ(0, o.m_actions[0].m_bTracing);
  EXPECT_EQ(Hex(before, 4000), Hex(Store(o), 4000));  // the run left the record as it was
  o.RestorePlayState(nullptr);                        // a second stop changes nothing
  EXPECT_EQ(CPoint(-20, 5), o.m_end1);
}

TEST(DrawLineCopies, CloneCopiesTheOwnFieldsAndDuplicatePlacesIt) {
  TestHost host;
  CDrawLine o = Line(-10, 20, 30, -40);
  o.m_reservedWord = 9;
  o.m_savedEnd2 = CPoint(4, 4);
  o.m_pen.lopnWidth = {3, 3};
  o.m_endCap = 0x14;
  std::unique_ptr<CDrawObj> copy(o.Clone(nullptr));
  ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CDrawLine)));
  auto* c = static_cast<CDrawLine*>(copy.get());
  EXPECT_EQ(CPoint(-10, 20), c->m_end1);
  EXPECT_EQ(CPoint(30, -40), c->m_end2);
  EXPECT_EQ(9, c->m_reservedWord);
  EXPECT_EQ(CPoint(4, 4), c->m_savedEnd2);
  EXPECT_EQ(0x14, c->m_endCap);
  EXPECT_EQ(CDoublePoint(30, -40), c->m_refPoints[1]);  // rebuilt from its own ends

  CDrawDoc document;
  CDrawObj* placed = o.Duplicate(&document);
  ASSERT_NE(nullptr, placed);
  EXPECT_EQ(1, document.m_objects.GetCount());
  ASSERT_EQ(1u, host.selection.size());
  EXPECT_EQ(placed, host.selection[0]);
}

// ---- pixels ----------------------------------------------------------------------------------

bool IsBlue(COLORREF c) { return PageBitmap::Near(c, kBlue, 40); }

void Draw(CDrawObj& o, PageBitmap& page) {
  CDC dc(page.dc());
  o.Draw(&dc, nullptr);
}

std::unique_ptr<CDrawLine> BlueLine(int x1, int y1, int x2, int y2, int width) {
  auto o = std::make_unique<CDrawLine>(CRect(x1, y1, x2, y2));
  o->m_pen.lopnColor = kBlue;
  o->m_pen.lopnWidth = {width, width};
  o->m_pen.lopnStyle = PS_SOLID;
  return o;
}

TEST(DrawLinePaint, SolidDashedAndEmptyLines) {
  TestHost host;
  {
    PageBitmap page(200, 200);
    const auto line = BlueLine(-80, 0, 80, 0, 3);
    CDrawLine& o = *line;
    Draw(o, page);
    EXPECT_EQ(157, page.Count(-78, 0, 78, 0, kBlue, 40));
    EXPECT_EQ(kWhite, page.At(0, 5));
  }
  {
    PageBitmap page(200, 200);
    const auto line = BlueLine(-80, 0, 80, 0, 3);
    CDrawLine& o = *line;
    o.m_pen.lopnStyle = PS_DASH;
    Draw(o, page);
    const int gaps = 157 - page.Count(-78, 0, 78, 0, kBlue, 40);
    EXPECT_GT(gaps, 30);
    EXPECT_LT(gaps, 130);
  }
  {
    PageBitmap page(200, 200);
    const auto line = BlueLine(20, 20, 20, 20, 9);
    CDrawLine& o = *line;  // no length
    CDC dc(page.dc());
    EXPECT_EQ(0, o.DrawObject(&dc, nullptr));
    EXPECT_EQ(441, page.Count(10, 10, 30, 30, kWhite));
  }
}

// The end cap belongs to end 1 and the start cap to end 2: the segment runs from end 2.
// Anchor caps are wider than the pen: pixels beyond the pen's band show where one is.
TEST(DrawLinePaint, CapsSitAtTheirOwnEnds) {
  TestHost host;
  auto draw = [](int startCap, int endCap, int& right, int& left) {
    PageBitmap page(200, 200);
    const auto line = BlueLine(60, 0, -60, 0, 6);  // end 1 on the right
    line->m_startCap = startCap;
    line->m_endCap = endCap;
    Draw(*line, page);
    auto beyondBand = [&](int x0, int x1) {
      return page.Count(x0, 5, x1, 20, kBlue, 60) + page.Count(x0, -20, x1, -5, kBlue, 60);
    };
    right = beyondBand(40, 80);
    left = beyondBand(-80, -40);
  };
  const struct {
    const char* what;
    int cap;
  } rows[] = {
      {"round anchor", Gdiplus::LineCapRoundAnchor},
      {"diamond anchor", Gdiplus::LineCapDiamondAnchor},
      {"arrow anchor", Gdiplus::LineCapArrowAnchor},
  };
  int right, left;
  draw(0, 0, right, left);
  EXPECT_EQ(0, right);
  EXPECT_EQ(0, left);
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    draw(0, r.cap, right, left);
    EXPECT_GT(right, 0);
    EXPECT_EQ(0, left);
    draw(r.cap, 0, right, left);
    EXPECT_EQ(0, right);
    EXPECT_GT(left, 0);
  }
}

TEST(DrawLinePaint, ATracedTranslationLeavesACopyAtEachPointPassed) {
  TestHost host;
  PageBitmap page(200, 200);
  const auto line = BlueLine(-10, 0, 10, 0, 3);
    CDrawLine& o = *line;
  CMethod action;
  action.m_nType = CMethod::typeTranslate;
  action.m_bTracing = 1;
  action.m_nPathIndex = 2;  // three points passed so far
  CMethod& traced = o.m_actions[o.m_actions.Add(action)];
  for (CPoint p : {CPoint(0, 40), CPoint(0, 60), CPoint(0, 80), CPoint(0, -60)}) traced.m_path.Add(p);
  Draw(o, page);
  for (int y : {40, 60, 80}) {
    SCOPED_TRACE(y);
    EXPECT_TRUE(IsBlue(page.At(0, y)));
    EXPECT_TRUE(IsBlue(page.At(-8, y)));  // parallel to the line, as long as it
    EXPECT_EQ(kWhite, page.At(15, y));
  }
  EXPECT_EQ(kWhite, page.At(0, -60));
  EXPECT_TRUE(IsBlue(page.At(0, 0)));  // and the line itself

  // Without tracing, or for another kind of action, no copies.
  o.m_actions[0].m_bTracing = 0;
  PageBitmap plain(200, 200);
  Draw(o, plain);
  EXPECT_EQ(kWhite, plain.At(0, 40));
}

TEST(DrawLinePaint, ATurnedLineDrawsTurned) {
  TestHost host;
  PageBitmap page(200, 200);
  const auto line = BlueLine(-60, 0, 60, 0, 5);
    CDrawLine& o = *line;
  o.SetAngle(kQuarterTurn, FALSE, nullptr);
  Draw(o, page);
  EXPECT_TRUE(IsBlue(page.At(0, 50)));
  EXPECT_TRUE(IsBlue(page.At(0, -50)));
  EXPECT_EQ(kWhite, page.At(50, 0));
  EXPECT_LE(o.m_baseRect.top, -60);
  EXPECT_GE(o.m_baseRect.bottom, 60);
}

}  // namespace
