// Polygons and curves apart from their pixels: building vertex by vertex, the curve
// samples, the record with its hostile variants, handles, mapping, regular figures, hit
// tests, trajectories and the run bracket.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>

#include "framework/core/File.h"
#include "graphics/Picture.h"
#include "model/CurveSampler.h"
#include "model/DrawDoc.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

CView* const kView = reinterpret_cast<CView*>(1);  // only tested for null
const double kQuarterTurn = std::acos(0.0);

Bytes Store(CDrawObj& o) {
  return StoreToBytes([&](CArchive& ar) { o.Serialize(ar); });
}

std::unique_ptr<CDrawPoly> Poly(std::initializer_list<CPoint> points, int kind = kPolyLines, int closed = 0) {
  auto o = std::make_unique<CDrawPoly>();
  o->m_polyKind = kind;
  o->m_closed = closed;
  for (const CPoint& p : points) o->AddPoint(p, nullptr);
  return o;
}

std::vector<CPoint> Samples(std::initializer_list<CPoint> points) {
  const std::vector<CPoint> v(points);
  const CCurveSampler sampler(v.data(), static_cast<int>(v.size()));
  std::vector<CPoint> out;
  sampler.ForEach([&](const CPoint& p) {
    out.push_back(p);
    return true;
  });
  EXPECT_EQ(static_cast<long long>(out.size()), sampler.Count());
  return out;
}

// ---- building ----------------------------------------------------------------------------

TEST(DrawPolyBuild, VerticesGrowInStepsOfTenAndKeepTheControlPoint) {
  TestHost host;
  CDrawPoly o;
  EXPECT_EQ(0, o.m_pointCapacity);
  EXPECT_EQ(1, o.m_shapeParam1);
  EXPECT_EQ(0, o.m_shapeParam2);
  EXPECT_EQ(0, o.m_filled);
  o.AddPoint(CPoint(0, 0), nullptr);
  EXPECT_EQ(10, o.m_pointCapacity);
  o.SetControlPoint(7, -7);
  for (int i = 1; i < 9; ++i) o.AddPoint(CPoint(i * 10, i % 2 * 30), nullptr);
  EXPECT_EQ(9, o.m_pointCount);
  EXPECT_EQ(10, o.m_pointCapacity);
  o.AddPoint(CPoint(90, 5), nullptr);  // the tenth vertex: N + 1 reached the capacity
  EXPECT_EQ(20, o.m_pointCapacity);
  EXPECT_EQ(10, o.m_pointCount);
  o.AddPoint(CPoint(90, 5), nullptr);  // a repeat of the last vertex
  EXPECT_EQ(10, o.m_pointCount);
  EXPECT_EQ(CPoint(7, -7), o.ControlPoint());
  EXPECT_EQ(CPoint(90, 5), o.PointAt(9));
  EXPECT_EQ(CRect(0, 0, 90, 30), o.m_position);
  EXPECT_DOUBLE_EQ(45.0, o.m_rotationCentre.x);
  EXPECT_DOUBLE_EQ(15.0, o.m_rotationCentre.y);
  ASSERT_EQ(11u, o.PrecisePoints().size());
  EXPECT_EQ(CDoublePoint(7, -7), o.PrecisePoints()[10]);
}

// ---- curve samples -------------------------------------------------------------------------

TEST(DrawPolyBuild, PlayedPolygonsTurnAboutTheirOwnCentreAndMeasureOrbitsFromIt) {
  // Each reader's rule: the editor takes the centre given and measures from the middle
  // of the position; the player and the control keep the polygon's rotation centre.
  const struct {
    CDrawDoc::Reader reader;
    CDoublePoint centreAfter;
    double distance;  // from (0, 0), with the rotation centre at (0, 40)
  } rows[] = {
      {CDrawDoc::Reader::editor, CDoublePoint(100, 100), 50.0},
      {CDrawDoc::Reader::player, CDoublePoint(30, 40), 40.0},
      {CDrawDoc::Reader::control, CDoublePoint(30, 40), 40.0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.reader));
    TestHost host;
    CDrawDoc page(row.reader);
    host.document = &page;
    auto poly = Poly({{0, 0}, {60, 0}, {60, 80}, {0, 80}}, kPolyLines, 1);
    poly->m_rotationCentre = CDoublePoint(30, 40);
    poly->SetAngleRect(kQuarterTurn, 100, 100, 0, nullptr);
    EXPECT_EQ(row.centreAfter.x, poly->m_rotationCentre.x);
    EXPECT_EQ(row.centreAfter.y, poly->m_rotationCentre.y);
    EXPECT_DOUBLE_EQ(kQuarterTurn, poly->m_angle);
    // The position's middle is (30, 40): the centre moves off it.
    poly->m_rotationCentre = CDoublePoint(0, 40);
    EXPECT_DOUBLE_EQ(row.distance, poly->Distance(0, 0));
  }
}

TEST(CurveSampler, StepsOfEightUnitsThroughTheVertices) {
  const std::vector<CPoint> corner = Samples({CPoint(0, 0), CPoint(80, 0), CPoint(80, 80)});
  ASSERT_EQ(22u, corner.size());  // two segments of 10 steps, each with its start
  EXPECT_EQ(CPoint(0, 0), corner[0]);
  EXPECT_EQ(CPoint(80, 0), corner[11]);
  EXPECT_EQ(CPoint(80, 80), corner[21]);
  EXPECT_TRUE(Samples({CPoint(5, 5)}).empty());
  EXPECT_EQ(2u, Samples({CPoint(0, 0), CPoint(3, 3)}).size());  // a short segment takes one step

  // Collinear, evenly spaced vertices give a straight, evenly spaced walk.
  const std::vector<CPoint> straight = Samples({CPoint(0, 0), CPoint(80, 0), CPoint(160, 0)});
  for (const CPoint& p : straight) EXPECT_EQ(0, p.y);
  EXPECT_NEAR(8, straight[1].x, 1);

  // Coinciding vertices stay finite and near the figure.
  for (const CPoint& p : Samples({CPoint(0, 0), CPoint(0, 0), CPoint(50, 0), CPoint(50, 0), CPoint(50, 40)})) {
    EXPECT_GE(p.x, -60);
    EXPECT_LE(p.x, 110);
    EXPECT_GE(p.y, -60);
    EXPECT_LE(p.y, 100);
  }
  // A hostile figure's samples are bounded.
  const std::vector<CPoint> distant = {CPoint(-2000000000, 0), CPoint(2000000000, 1), CPoint(0, 2000000000)};
  EXPECT_LE(CCurveSampler(distant.data(), 3).Count(), 2 * (CCurveSampler::kMaxSegmentSteps + 1));
}

// ---- the record --------------------------------------------------------------------------

TEST(DrawPolyRecord, RoundTripKeepsEveryOwnFieldAndTheBytes) {
  for (int kind : {kPolyLines, kPolyCurve}) {
    SCOPED_TRACE(kind);
    auto o = Poly({CPoint(-40, 10), CPoint(30, 50), CPoint(60, -20), CPoint(0, -45)}, kind, 1);
    o->SetControlPoint(3, 4);
    o->m_pictureFile = "c:\\图\\p.png";
    o->m_colourKey = RGB(9, 8, 7);
    o->m_name = "曲线1";
    const Bytes first = Store(*o);
    CDrawPoly loaded;
    LoadFromBytes(first, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(Hex(first, 4000), Hex(Store(loaded), 4000));
    EXPECT_EQ(kind, loaded.m_polyKind);
    EXPECT_EQ(4, loaded.m_pointCount);
    EXPECT_EQ(10, loaded.m_pointCapacity);
    EXPECT_EQ(CPoint(60, -20), loaded.PointAt(2));
    EXPECT_EQ(CPoint(3, 4), loaded.ControlPoint());
    EXPECT_EQ(CString("c:\\图\\p.png"), loaded.m_pictureFile);
    EXPECT_EQ(RGB(9, 8, 7), loaded.m_colourKey);
  }
}

// A curve's record carries its samples, which readers skip to reach the next record.
TEST(DrawPolyRecord, CurveSamplesAreWrittenAndSkipped) {
  auto curve = Poly({CPoint(0, 0), CPoint(80, 0), CPoint(80, 80)}, kPolyCurve);
  curve->m_pictureFill = 0;
  CDrawObj base;
  const size_t baseSize = Store(base).size();
  Bytes bytes = Store(*curve);
  const Bytes own(bytes.begin() + static_cast<std::ptrdiff_t>(baseSize), bytes.end());
  EXPECT_EQ(22, own[4] | own[5] << 8);  // M
  // kind, N, M, capacity, 4 points, 23 samples, K, 4 precise points, fill flag, key.
  EXPECT_EQ(8u + 4 * 8 + 23 * 8 + 4 + 4 * 16 + 4 + 4, own.size());
  auto polygon = Poly({CPoint(0, 0), CPoint(80, 0), CPoint(80, 80)});
  polygon->m_pictureFill = 0;
  EXPECT_EQ(own.size() - 23 * 8, Store(*polygon).size() - baseSize);

  auto next = Poly({CPoint(1, 1), CPoint(2, 9)});
  next->m_name = "next";
  const Bytes second = Store(*next);
  bytes.insert(bytes.end(), second.begin(), second.end());
  CDrawPoly a, b;
  LoadFromBytes(bytes, [&](CArchive& ar) {
    a.Serialize(ar);
    b.Serialize(ar);
  });
  EXPECT_EQ(3, a.m_pointCount);
  EXPECT_EQ(CString("next"), b.m_name);
  EXPECT_EQ(CPoint(2, 9), b.PointAt(1));
}

// The sample count is 16 bits wide: a very long curve writes no more than it can say,
// and the record stays readable.
TEST(DrawPolyRecord, AVeryLongCurveWritesAsManySamplesAsItsCountSays) {
  auto curve = Poly({CPoint(0, 0), CPoint(600000, 0), CPoint(600000, 600000)}, kPolyCurve);
  curve->m_pictureFill = 0;
  CDrawObj base;
  const size_t baseSize = Store(base).size();
  Bytes bytes = Store(*curve);
  EXPECT_EQ(0xFFFE, bytes[baseSize + 4] | bytes[baseSize + 5] << 8);
  EXPECT_EQ(baseSize + 8 + 4 * 8 + 0xFFFF * 8 + 4 + 4 * 16 + 4 + 4, bytes.size());
  auto next = Poly({CPoint(1, 1), CPoint(2, 9)});
  next->m_name = "next";
  const Bytes second = Store(*next);
  bytes.insert(bytes.end(), second.begin(), second.end());
  CDrawPoly a, b;
  LoadFromBytes(bytes, [&](CArchive& ar) {
    a.Serialize(ar);
    b.Serialize(ar);
  });
  EXPECT_EQ(CString("next"), b.m_name);

  // A curve without two vertices still writes its one repeated sample.
  auto lone = Poly({CPoint(5, 5)}, kPolyCurve);
  lone->m_pictureFill = 0;
  const Bytes single = Store(*lone);
  EXPECT_EQ(baseSize + 8 + 2 * 8 + 8 + 4 + 2 * 16 + 4 + 4, single.size());
}

TEST(DrawPolyRecord, FirstVersionCarriesTheGradientStyle) {
  CDrawObj base;
  Bytes bytes = Store(base);
  bytes.resize(236);  // a record of version 0x0001 ends after the rotation centre
  bytes[0] = 0x01;
  bytes[1] = 0x00;
  AppendWord(bytes, 0);  // polygon
  AppendDword(bytes, 6);  // the gradient style, only in this version
  AppendWord(bytes, 2);  // N
  AppendWord(bytes, 0);  // M
  AppendWord(bytes, 10);
  for (int v : {0, 0, 40, 0, 5, 5}) AppendDword(bytes, static_cast<unsigned long>(v));
  AppendDword(bytes, 0);  // K
  AppendDword(bytes, 0);  // no picture
  AppendDword(bytes, 0x00FF00);
  CDrawPoly o;
  LoadFromBytes(bytes, [&](CArchive& ar) { o.Serialize(ar); });
  EXPECT_EQ(6, o.m_gradientStyle);
  EXPECT_EQ(CPoint(40, 0), o.PointAt(1));
  EXPECT_EQ(CPoint(5, 5), o.ControlPoint());
  EXPECT_EQ(RGB(0, 255, 0), o.m_colourKey);
}

// Hand-made records: a capacity below the vertex count and a precise copy that is short
// or missing load into a figure that every operation can use; counts the data cannot
// hold are refused.
TEST(DrawPolyRecord, HostileCountsAreRepairedOrRefused) {
  auto source = Poly({CPoint(0, 0), CPoint(60, 0), CPoint(60, 40), CPoint(0, 40)}, kPolyLines, 1);
  source->m_pictureFill = 0;
  CDrawObj base;
  const size_t own = Store(base).size();
  const Bytes good = Store(*source);
  const size_t capacityAt = own + 6, preciseAt = own + 8 + 5 * 8;

  auto withPrecise = [&](DWORD k, WORD capacity) {
    Bytes b(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(preciseAt));
    b[capacityAt] = static_cast<BYTE>(capacity);
    b[capacityAt + 1] = 0;
    AppendDword(b, k);
    for (DWORD i = 0; i < k; ++i) {
      const double xy[2] = {1000.0 + i, 2000.0 + i};
      const BYTE* raw = reinterpret_cast<const BYTE*>(xy);
      b.insert(b.end(), raw, raw + sizeof xy);
    }
    AppendDword(b, 0);
    AppendDword(b, 0xFFFFFF);
    return b;
  };
  for (DWORD k : {0u, 1u, 7u}) {
    SCOPED_TRACE(k);
    CDrawPoly o;
    LoadFromBytes(withPrecise(k, 2), [&](CArchive& ar) { o.Serialize(ar); });
    EXPECT_EQ(4, o.m_pointCount);
    EXPECT_GE(o.m_pointCapacity, 5);
    ASSERT_EQ(5u, o.PrecisePoints().size());
    // Entries the file held are kept; the rest come from the vertices.
    EXPECT_EQ(k > 0 ? CDoublePoint(1000, 2000) : CDoublePoint(0, 0), o.PrecisePoints()[0]);
    EXPECT_EQ(k > 3 ? CDoublePoint(1003, 2003) : CDoublePoint(0, 40), o.PrecisePoints()[3]);
    o.SetRect(CRect(10, 50, 70, 10), nullptr);
    o.SavePlayState(nullptr, nullptr);
    o.RestorePlayState(nullptr);
    CRect result;
    o.ResetTransform();
    o.MapRect(CRect(0, 0, 100, 100), CRect(0, 0, 200, 100), result);
    o.AddPoint(CPoint(-5, -5), nullptr);
    o.AddPoint(CPoint(-9, -5), nullptr);
    EXPECT_EQ(6, o.m_pointCount);
    EXPECT_GE(o.m_pointCapacity, 7);
    EXPECT_EQ(7u, o.PrecisePoints().size());
  }
  // A precise count larger than the data left, and a truncated vertex list.
  Bytes huge(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(preciseAt));
  AppendDword(huge, 0x7FFFFFFF);
  CDrawPoly o;
  EXPECT_THROW(LoadFromBytes(huge, [&](CArchive& ar) { o.Serialize(ar); }), CArchiveException);
  Bytes shortList(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(own + 8 + 2 * 8));
  EXPECT_THROW(LoadFromBytes(shortList, [&](CArchive& ar) { o.Serialize(ar); }), CArchiveException);
}

// ---- handles and geometry --------------------------------------------------------------------

TEST(DrawPolyGeometry, HandlesAreTheVerticesAndTheCentre) {
  auto o = Poly({CPoint(-40, 0), CPoint(40, 0), CPoint(0, 30)});
  EXPECT_EQ(4, o->GetHandleCount());
  EXPECT_EQ(CPoint(40, 0), o->GetHandle(2));
  EXPECT_EQ(CPoint(0, 15), o->GetHandle(4));
  EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZEALL), o->GetHandleCursor(4));
  EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZENWSE), o->GetHandleCursor(2));
  // Numbers outside the handles answer as handle 1.
  EXPECT_EQ(CPoint(-40, 0), o->GetHandle(0));
  EXPECT_EQ(CPoint(-40, 0), o->GetHandle(99));
  o->m_angle = kQuarterTurn;  // about the centre (0, 15)
  EXPECT_EQ(CPoint(-15, 55), o->GetHandle(1));
}

TEST(DrawPolyGeometry, DragsMoveOneVertexOrTheWholeFigure) {
  TestHost host;
  auto o = Poly({CPoint(0, 0), CPoint(50, 0), CPoint(50, 30)});
  o->SetControlPoint(10, 10);
  o->ResetTransform();
  o->MoveHandleTo(4, 45, 35, kView);  // the centre (25, 15) goes to (45, 35)
  EXPECT_EQ(CPoint(20, 20), o->PointAt(0));
  EXPECT_EQ(CPoint(70, 50), o->PointAt(2));
  EXPECT_EQ(CPoint(30, 30), o->ControlPoint());
  EXPECT_EQ(CDoublePoint(70, 50), o->PrecisePoints()[2]);
  EXPECT_EQ(CRect(20, 20, 70, 50), o->m_position);

  o->MoveHandleTo(1, -10, 0, kView);
  EXPECT_EQ(CPoint(-10, 0), o->PointAt(0));
  EXPECT_EQ(CPoint(70, 20), o->PointAt(1));
  EXPECT_EQ(CDoublePoint(-10, 0), o->PrecisePoints()[0]);
  EXPECT_EQ(CRect(-10, 0, 70, 50), o->m_position);
  EXPECT_DOUBLE_EQ(30.0, o->m_rotationCentre.x);
  EXPECT_EQ(2, host.modifiedCount);

  // A group resize after the drag keeps it: the precise copy followed the vertex.
  CRect result;
  o->MapRect(CRect(-100, 100, 100, -100), CRect(-100, 100, 100, -100), result);
  EXPECT_EQ(CPoint(-10, 0), o->PointAt(0));

  o->MoveHandleTo(0, 5, 5, kView);  // no such handle
  o->MoveHandleTo(9, 5, 5, kView);
  EXPECT_EQ(CPoint(-10, 0), o->PointAt(0));
  EXPECT_EQ(2, host.modifiedCount);
}

TEST(DrawPolyGeometry, ScalingLeavesSmallFiguresAndMovesVerticesOnce) {
  auto small = Poly({CPoint(0, 0), CPoint(20, 0), CPoint(20, 40)});
  small->ScaleAbout(0.5, 0, 0, nullptr);
  EXPECT_EQ(CPoint(20, 40), small->PointAt(2));
  auto o = Poly({CPoint(0, 0), CPoint(40, 0), CPoint(40, 40)});
  o->ScaleAbout(2.0, 0, 0, nullptr);
  EXPECT_EQ(CPoint(0, 0), o->PointAt(0));
  EXPECT_EQ(CPoint(80, 80), o->PointAt(2));
}

TEST(DrawPolyGeometry, MappingBackAndForthDoesNotDrift) {
  auto o = Poly({CPoint(-33, 7), CPoint(41, -19), CPoint(13, 52)});
  o->SetControlPoint(3, 3);
  o->ResetTransform();
  const CRect a(-100, 100, 100, -100), b(-37, 61, 93, -51);
  CRect result;
  for (int i = 0; i < 100; ++i) {
    o->MapRect(a, b, result);
    o->MapRect(b, a, result);
  }
  EXPECT_EQ(CPoint(-33, 7), o->PointAt(0));
  EXPECT_EQ(CPoint(41, -19), o->PointAt(1));
  EXPECT_EQ(CPoint(13, 52), o->PointAt(2));
  EXPECT_EQ(CPoint(3, 3), o->ControlPoint());
  // A flat group translates on its flat axis instead of dividing by zero.
  o->MapRect(CRect(-100, 0, 100, 0), CRect(-100, 20, 100, 40), result);
  EXPECT_EQ(CPoint(-33, 37), o->PointAt(0));
  EXPECT_DOUBLE_EQ((o->m_position.left + o->m_position.right) * 0.5, o->m_rotationCentre.x);
}

TEST(DrawPolyGeometry, ApplyRotationTurnsTheVerticesAndTheirBounds) {
  auto o = Poly({CPoint(0, 0), CPoint(60, 0), CPoint(60, 20)});
  o->SetAngle(kQuarterTurn, FALSE, nullptr);  // about (30, 10)
  const CPoint shown = o->GetHandle(2);
  o->ApplyRotation();
  EXPECT_EQ(CPoint(20, 40), o->PointAt(0));
  EXPECT_EQ(shown, o->PointAt(1));
  EXPECT_EQ(CPoint(20, -20), o->PointAt(1));
  EXPECT_EQ(CPoint(40, -20), o->PointAt(2));
  EXPECT_EQ(0.0, o->m_angle);
  EXPECT_EQ(0.0, o->m_rotationState.orbitAngle);
  EXPECT_EQ(CRect(20, -20, 40, 40), o->m_position);
  EXPECT_DOUBLE_EQ(30.0, o->m_rotationCentre.x);  // the centre stays
  EXPECT_EQ(CDoublePoint(20, -20), o->PrecisePoints()[1]);
}

TEST(DrawPolyGeometry, MakeSquareMakesIrregularFiguresRegular) {
  TestHost host;
  auto quad = Poly({CPoint(-50, 50), CPoint(45, 40), CPoint(55, -45), CPoint(-40, -60)}, kPolyLines, 1);
  quad->MakeSquare(kView);
  double shortest = 1e9, longest = 0;
  for (int i = 0; i < 4; ++i) {
    const CPoint& p = quad->PointAt(i);
    const CPoint& q = quad->PointAt((i + 1) % 4);
    const double d = std::hypot(p.x - q.x, p.y - q.y);
    shortest = std::min(shortest, d);
    longest = std::max(longest, d);
  }
  EXPECT_LE(longest - shortest, 2.0);
  EXPECT_EQ(CPoint(-50, 50), quad->PointAt(0));  // the walk starts at vertex 0
  EXPECT_EQ(1, host.viewInvalidations);
  EXPECT_EQ(1, host.modifiedCount);

  auto nearSquare = Poly({CPoint(0, 0), CPoint(40, 1), CPoint(41, 40), CPoint(1, 41)});
  auto segment = Poly({CPoint(0, 0), CPoint(40, 1)});
  auto centred = Poly({CPoint(0, 0), CPoint(40, 0), CPoint(-40, 10), CPoint(0, -10)});  // vertex 0 at the centre
  CDrawPoly many;
  for (int i = 0; i < 49; ++i) many.AddPoint(CPoint(i * 3, (i * 7) % 11), nullptr);
  for (CDrawPoly* o : {nearSquare.get(), segment.get(), centred.get(), &many}) {
    const CPoint before = o->PointAt(1);
    o->MakeSquare(kView);
    EXPECT_EQ(before, o->PointAt(1));
  }
}

TEST(DrawPolyGeometry, HitTests) {
  // A concave "U" opening upwards.
  auto u = Poly({CPoint(0, 0), CPoint(90, 0), CPoint(90, 90), CPoint(60, 90), CPoint(60, 30), CPoint(30, 30),
                 CPoint(30, 90), CPoint(0, 90)},
                kPolyLines, 1);
  auto vertical = Poly({CPoint(0, 0), CPoint(0, 50), CPoint(0, 100)});
  auto segment = Poly({CPoint(0, 0), CPoint(100, 100)});
  auto lone = Poly({CPoint(0, 0)});
  auto curve = Poly({CPoint(0, 0), CPoint(100, 0), CPoint(100, 100), CPoint(0, 100)}, kPolyCurve, 1);
  const struct {
    const char* what;
    CDrawPoly* o;
    CRect test;
    BOOL hit;
  } rows[] = {
      {"in an arm of the U", u.get(), CRect(10, 60, 20, 50), TRUE},
      {"in the notch of the U", u.get(), CRect(40, 70, 50, 60), FALSE},
      {"in the base of the U", u.get(), CRect(40, 10, 50, 20), TRUE},
      {"outside the U", u.get(), CRect(100, 10, 110, 20), FALSE},
      {"beside a vertical figure", vertical.get(), CRect(4, 70, 4, 70), TRUE},
      {"off a vertical figure", vertical.get(), CRect(8, 70, 9, 71), FALSE},
      {"on a two-vertex figure", segment.get(), CRect(53, 47, 53, 47), TRUE},
      {"off a two-vertex figure", segment.get(), CRect(60, 40, 60, 40), FALSE},
      {"one vertex", lone.get(), CRect(-5, -5, 5, 5), FALSE},
      {"inside a closed curve", curve.get(), CRect(45, 45, 55, 55), TRUE},
      {"outside a closed curve", curve.get(), CRect(150, 45, 155, 55), FALSE},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.hit, r.o->Intersects(r.test));
  }
}

TEST(DrawPolyGeometry, SetRectTranslatesWithTheSmallerEdgeMovement) {
  TestHost host;
  auto o = Poly({CPoint(0, 0), CPoint(40, 0), CPoint(40, 20)});
  o->SetRect(CRect(10, 5, 50, 25), kView);
  EXPECT_EQ(CPoint(10, 5), o->PointAt(0));
  EXPECT_EQ(CPoint(50, 25), o->PointAt(2));
  // A wider rectangle moves by the smaller of the two edges' movements, nothing scales.
  o->SetRect(CRect(12, 5, 100, 25), kView);
  EXPECT_EQ(CPoint(12, 5), o->PointAt(0));
  EXPECT_EQ(CPoint(52, 25), o->PointAt(2));
  EXPECT_EQ(CRect(12, 5, 100, 25), o->m_position);
  EXPECT_EQ(2, host.modifiedCount);
}

// ---- trajectory ------------------------------------------------------------------------------

TEST(DrawPolyTrajectory, LengthOfPolylinesPolygonsAndCurves) {
  EXPECT_DOUBLE_EQ(80.0, Poly({CPoint(0, 0), CPoint(40, 0), CPoint(40, 40)})->GetPathLength());
  EXPECT_NEAR(80.0 + 40 * std::sqrt(2.0), Poly({CPoint(0, 0), CPoint(40, 0), CPoint(40, 40)}, 0, 1)->GetPathLength(),
              1e-9);
  EXPECT_DOUBLE_EQ(50.0, Poly({CPoint(0, 0), CPoint(30, 40)}, kPolyCurve, 1)->GetPathLength());
  EXPECT_NEAR(160.0, Poly({CPoint(0, 0), CPoint(80, 0), CPoint(160, 0)}, kPolyCurve)->GetPathLength(), 1.0);
  const double bend = Poly({CPoint(0, 0), CPoint(80, 0), CPoint(80, 80)}, kPolyCurve)->GetPathLength();
  EXPECT_GT(bend, 80 * std::sqrt(2.0));
  EXPECT_LT(bend, 170.0);
  EXPECT_EQ(0.0, Poly({CPoint(0, 0)})->GetPathLength());
  EXPECT_EQ(0.0, Poly({CPoint(0, 0), CPoint(9, 9)}, 5)->GetPathLength());
}

// The walk over (0,0) -> (40,0) -> (40,40), every 10 units: P0 .. P8 along the
// polyline, and for the closed figure P9 .. P12 back along the diagonal.
TEST(DrawPolyTrajectory, PointsBetweenTheHandlesInEitherDirection) {
  struct Row {
    const char* what;
    int closed, start, end, step;
    std::vector<CPoint> want;
  };
  const Row rows[] = {
      {"open, forward to the last vertex", 0, 1, 0, 10,
       {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {40, 10}, {40, 20}, {40, 30}, {40, 40}}},
      {"open, backward", 0, 1, 0, -10,
       {{40, 40}, {40, 30}, {40, 20}, {40, 10}, {40, 0}, {30, 0}, {20, 0}, {10, 0}, {0, 0}}},
      {"open, start after end, forward", 0, 3, 2, 10, {{40, 40}, {40, 30}, {40, 20}, {40, 10}, {40, 0}}},
      {"open, start after end, backward", 0, 3, 2, -10, {{40, 0}, {40, 10}, {40, 20}, {40, 30}}},
      {"open, start at end", 0, 1, 1, 10, {}},
      {"closed, backward round the closing edge", 1, 1, 0, -10,
       {{0, 0}, {0, 0}, {10, 10}, {20, 20}, {30, 30}, {40, 40}}},
      {"closed, start after end, backward", 1, 3, 2, -10,
       {{40, 40}, {30, 30}, {20, 20}, {10, 10}, {0, 0}, {0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}}},
      {"closed, start at end: once round", 1, 2, 2, 10,
       {{40, 0}, {40, 10}, {40, 20}, {40, 30}, {40, 40}, {30, 30}, {20, 20}, {10, 10}, {0, 0}, {0, 0}, {10, 0},
        {20, 0}, {30, 0}}},
      {"closed, start at end, backward", 1, 2, 2, -10,
       {{40, 0}, {30, 0}, {20, 0}, {10, 0}, {0, 0}, {0, 0}, {10, 10}, {20, 20}, {30, 30}, {40, 40}, {40, 30},
        {40, 20}, {40, 10}, {40, 0}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto o = Poly({CPoint(0, 0), CPoint(40, 0), CPoint(40, 40)}, kPolyLines, r.closed);
    o->m_shapeParam1 = r.start;
    o->m_shapeParam2 = r.end;
    CMethod action;
    EXPECT_EQ(static_cast<int>(r.want.size()), o->GetPathPoints(r.step, &action, 0));
    std::vector<CPoint> got;
    for (int i = 0; i < action.m_path.GetSize(); ++i) got.push_back(action.m_path[i]);
    EXPECT_EQ(r.want, got);
  }
  auto o = Poly({CPoint(0, 0), CPoint(40, 0), CPoint(40, 40)});
  CMethod action;
  EXPECT_EQ(0, o->GetPathPoints(0, &action, 0));
  EXPECT_EQ(0, o->GetPathPoints(100, &action, 0));  // longer than the figure
  EXPECT_EQ(9, o->GetPathPoints(8, &action, 1));    // 8 points over 80 units: every 10
  for (int bad : {0, 5, -1}) {
    SCOPED_TRACE(bad);
    o->m_shapeParam1 = bad == 0 ? 0 : 1;  // no handle 0 to start from
    o->m_shapeParam2 = bad == 0 ? 0 : bad;
    CMethod refused;
    EXPECT_EQ(0, o->GetPathPoints(10, &refused, 0));
    EXPECT_EQ(0, refused.m_path.GetSize());
  }
  o->m_shapeParam1 = 4;  // the centre handle is a handle
  o->m_shapeParam2 = 0;
  EXPECT_GT(o->GetPathPoints(10, &action, 0), 0);
}

TEST(DrawPolyTrajectory, CurvesWalkTheirOutline) {
  // Two vertices: the segment itself, not the band around it.
  auto segment = Poly({CPoint(0, 0), CPoint(100, 0)}, kPolyCurve);
  CMethod action;
  ASSERT_EQ(11, segment->GetPathPoints(10, &action, 0));
  for (int i = 0; i < 11; ++i) EXPECT_EQ(CPoint(i * 10, 0), action.m_path[i]);

  // A closed curve through four vertices, once round from vertex 1: evenly spaced points
  // near the circle through them.
  auto ring = Poly({CPoint(100, 0), CPoint(0, 100), CPoint(-100, 0), CPoint(0, -100)}, kPolyCurve, 1);
  ring->m_shapeParam1 = ring->m_shapeParam2 = 1;
  const int n = ring->GetPathPoints(10, &action, 0);
  EXPECT_GE(n, 55);
  EXPECT_LE(n, 70);
  EXPECT_EQ(CPoint(100, 0), action.m_path[0]);
  for (int i = 0; i < n; ++i) {
    const CPoint& p = action.m_path[i];
    EXPECT_NEAR(100.0, std::hypot(p.x, p.y), 12.0) << i;
    if (i > 0) {
      const CPoint& q = action.m_path[i - 1];
      EXPECT_LE(std::hypot(p.x - q.x, p.y - q.y), 12.0) << i;
    }
  }
}

// ---- the run bracket and copies --------------------------------------------------------------

TEST(DrawPolyPlayState, RestoreBringsTheVerticesBackOnce) {
  TestHost host;
  auto o = Poly({CPoint(0, 0), CPoint(40, 0), CPoint(40, 40)});
  o->SetControlPoint(5, 5);
  o->ResetTransform();
  o->SavePlayState(nullptr, nullptr);
  o->SetRect(CRect(100, 100, 140, 140), nullptr);
  o->MoveHandleTo(2, -70, -70, nullptr);
  o->SetAngle(0.5, TRUE, nullptr);
  o->RestorePlayState(nullptr);
  EXPECT_EQ(CPoint(40, 0), o->PointAt(1));
  EXPECT_EQ(CPoint(5, 5), o->ControlPoint());
  EXPECT_EQ(CDoublePoint(40, 0), o->PrecisePoints()[1]);
  EXPECT_EQ(CRect(0, 0, 40, 40), o->m_position);
  EXPECT_EQ(0.0, o->m_angle);
  o->MoveHandleTo(2, 20, 0, nullptr);
  o->RestorePlayState(nullptr);  // nothing saved any more: nothing changes
  EXPECT_EQ(CPoint(20, 0), o->PointAt(1));
}

// A page embedding a polygon's picture fill, a run whose change-picture action replaces
// it, the end of the run, and the page saved and read again: the picture is still there.
TEST(DrawPolyPlayState, EmbeddedPictureSurvivesARunThatChangedIt) {
  TestHost host;
  const CString path =
      WriteTestPicture("多边形嵌入.bmp", 8, 6, [](int x, int) { return x < 4 ? RGB(0, 0, 255) : RGB(0, 255, 0); });
  auto written = Poly({CPoint(0, 0), CPoint(60, 0), CPoint(30, 50)}, kPolyLines, 1);
  written->m_pictureFile = path;
  ASSERT_TRUE(written->LoadPicture(path));
  CDrawDoc first;
  first.Add(written.release());
  const Bytes page = StoreToBytes([&](CArchive& ar) { first.Serialize(ar); });
  CFile::Remove(path);

  CDrawDoc second;
  LoadFromBytes(page, [&](CArchive& ar) { second.Serialize(ar); });
  auto* o = static_cast<CDrawPoly*>(second.m_objects.GetHead());
  ASSERT_NE(nullptr, o->m_picture);
  EXPECT_EQ(-1, o->m_pictureFile.Find('\\'));  // a bare name: nothing to load it from
  const CString name = o->m_pictureFile;
  o->SavePlayState(kView, nullptr);
  o->SetPictureFile("d:\\missing\\other.bmp");  // a change-picture action
  o->SaveVisibilityLayer();                        // an effect starts, and ends
  o->SetPictureFile("d:\\missing\\third.bmp");
  o->RevertVisibilityLayer();
  EXPECT_EQ(CString("d:\\missing\\other.bmp"), o->m_pictureFile);
  o->RestorePlayState(kView);
  EXPECT_EQ(name, o->m_pictureFile);
  EXPECT_FALSE(o->IsPlainShape());

  const Bytes again = StoreToBytes([&](CArchive& ar) { second.Serialize(ar); });
  CDrawDoc third;
  LoadFromBytes(again, [&](CArchive& ar) { third.Serialize(ar); });
  auto* back = static_cast<CDrawPoly*>(third.m_objects.GetHead());
  ASSERT_NE(nullptr, back->m_picture);
  EXPECT_EQ(CSize(8, 6), back->GetPictureSize());
}

TEST(DrawPolyCopies, CloneCopiesKindVerticesAndCapacity) {
  TestHost host;
  auto o = Poly({CPoint(0, 0), CPoint(40, 0), CPoint(40, 40)}, kPolyCurve, 1);
  o->SetControlPoint(1, 2);
  o->m_gradientStyle = 1;
  std::unique_ptr<CDrawObj> copy(o->Clone(nullptr));
  ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CDrawPoly)));
  auto* c = static_cast<CDrawPoly*>(copy.get());
  EXPECT_EQ(kPolyCurve, c->m_polyKind);
  EXPECT_EQ(1, c->m_closed);
  EXPECT_EQ(3, c->m_pointCount);
  EXPECT_EQ(10, c->m_pointCapacity);
  EXPECT_EQ(CPoint(40, 40), c->PointAt(2));
  EXPECT_EQ(CPoint(1, 2), c->ControlPoint());
  EXPECT_EQ(1, c->m_gradientStyle);
  ASSERT_EQ(4u, c->PrecisePoints().size());
  EXPECT_EQ(CDoublePoint(40, 40), c->PrecisePoints()[2]);
}

}  // namespace
