// Function plots: the screen points of a definition in a rectangle, drawing on a page
// bitmap, the record, use as a trajectory and set data during a run.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "behaviour/DrawFun.h"
#include "framework/core/ArchiveException.h"
#include "framework/ui/DC.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/behaviour/RecordBytes.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/TestHost.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kCurve = RGB(0, 0, 200);
constexpr COLORREF kPen = RGB(200, 0, 0);
constexpr COLORREF kGrey = RGB(0xC0, 0xC0, 0xC0);

// A plot of formula over the domain in a 100 x 100 rectangle about the origin, unit 10.
std::unique_ptr<CDrawFun> Plot(const char* formula, std::vector<CInterval> domain, int kind = kFunctionCartesian,
                               const char* first = "") {
  auto plot = std::make_unique<CDrawFun>(CRect(-50, 50, 50, -50));
  CFunction::Definition d;
  d.kind = kind;
  d.independentName = "x";
  d.dependentName = "y";
  d.parameterName = "t";
  d.firstFormula = first;
  d.secondFormula = formula;
  EXPECT_EQ(0, plot->m_function.Define(d, 0.0));
  plot->m_function.m_domain.RemoveAll();
  for (const CInterval& i : domain) plot->m_function.m_domain.Add(i);
  plot->m_filled = 0;
  plot->m_captionColour = kCurve;
  plot->m_pen.lopnColor = kPen;
  plot->m_pen.lopnStyle = PS_SOLID;
  plot->RebuildPoints();
  return plot;
}

std::vector<int> Flags(const CDrawFun& plot) {
  std::vector<int> flags;
  for (int i = 0; i < plot.m_points.GetSize(); ++i) flags.push_back(plot.m_points[i].flag);
  return flags;
}

TEST(DrawFun, RebuildClipsToTheRectangleAndRestartsTheCurve) {
  const CInterval line{-10, 10, 0.1, kEndClosedClosed};
  {
    SCOPED_TRACE("y = x keeps |x| <= 5, one piece");
    auto plot = Plot("x", {line});
    const int n = plot->m_points.GetSize();
    ASSERT_GE(n, 100);
    EXPECT_LE(n, 102);
    EXPECT_EQ(1, plot->m_points[0].flag);  // an inner sample that restarts the curve
    for (int i = 1; i < n; ++i) EXPECT_EQ(3, plot->m_points[i].flag);
    for (int i = 0; i < n; ++i) EXPECT_LE(std::abs(plot->m_points[i].x), 50);
    EXPECT_EQ(1, plot->m_singleCurve);
  }
  {
    SCOPED_TRACE("a curve that leaves and comes back is several pieces");
    auto plot = Plot("6*sin(x)", {line});
    int starts = 0;
    for (int flag : Flags(*plot)) starts += flag == 1;
    EXPECT_GE(starts, 3);
    EXPECT_EQ(0, plot->m_singleCurve);
  }
  const struct {
    const char* what;
    const char* formula;
    std::vector<CInterval> domain;
    std::vector<int> flags;
    int single;
  } rows[] = {
      {"a closed last point after a gap becomes a solid point", "x", {{-10, 1, 20, kEndClosedClosed}}, {0}, 0},
      {"an open last point after a gap becomes a hollow point", "x", {{-10, 2, 20, kEndOpenOpen}}, {4}, 0},
      {"first points keep their flags", "x", {{-10, 2, 20, kEndOpenOpen}, {0, 1, 0.5, kEndOpenOpen}}, {4, 5, 3, 6}, 0},
      {"whole segment", "x", {{0, 1, 0.5, kEndOpenClosed}}, {5, 3, 2}, 1},
      {"non-finite samples are dropped", "x^0.5", {{-1, 1, 0.5, kEndClosedClosed}}, {1, 3, 2}, 1},
      {"huge samples are dropped", "exp(x*1000)", {{-1, 1, 1, kEndClosedClosed}}, {1, 3}, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    auto plot = Plot(row.formula, row.domain);
    EXPECT_EQ(row.flags, Flags(*plot));
    EXPECT_EQ(row.single, plot->m_singleCurve);
  }
}

TEST(DrawFun, PolarPointsLieOnTheirRadius) {
  auto plot = Plot("1", {{0, 6.3, 0.1, kEndClosedClosed}}, kFunctionPolar);
  ASSERT_GT(plot->m_points.GetSize(), 60);
  for (int i = 0; i < plot->m_points.GetSize(); ++i) {
    const double r = std::hypot(plot->m_points[i].x, plot->m_points[i].y);
    EXPECT_NEAR(10.0, r, 1.5) << i;
  }
  auto wide = Plot("6", {{0, 6.3, 0.1, kEndClosedClosed}}, kFunctionPolar);  // radius 60 > 50
  EXPECT_EQ(0, wide->m_points.GetSize());
}

TEST(DrawFun, AnEvaluationErrorKeepsTheOldPointsAndIsShownOnce) {
  auto plot = Plot("x", {{0, 1, 0.5, kEndClosedClosed}});
  ASSERT_EQ(3, plot->m_points.GetSize());
  MessageBoxCapture boxes;
  ASSERT_EQ(0, plot->m_function.SetSecondFormula("1/x"));
  plot->RebuildPoints();
  plot->MoveHandleTo(3, 60, 60, nullptr);
  EXPECT_EQ(3, plot->m_points.GetSize());
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ("被除数不能为零", boxes.boxes()[0].text);
  EXPECT_EQ(1, plot->m_function.m_domain.GetSize());
}

TEST(DrawFun, ParseIntervalsTakesTextsOrSaysWhy) {
  const struct {
    const char* text;
    const char* message;  // "" when accepted
    CInterval want;
  } rows[] = {
      {"[1,2]", "", {1, 2, 0.1, kEndClosedClosed}},
      {"(1.5, 3]", "", {1.5, 3, 0.1, kEndOpenClosed}},
      {"[-2,-1)", "", {-2, -1, 0.1, kEndClosedOpen}},
      {"(0,4)", "", {0, 4, 0.1, kEndOpenOpen}},
      {"(1,2", "区间缺少右括号", {}},
      {"1,2]", "区间缺少左括号", {}},
      {"[1;2]", "区间缺少逗号", {}},
      {"1,2", "区间输入有误", {}},
      {"[1,", "区间输入有误", {}},
      {"]1,2[", "区间输入有误", {}},
      {"[1)2,", "区间输入有误", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    TestHost host;
    auto plot = Plot("x", {{-3, 3, 0.5, kEndClosedClosed}});
    const CInterval before = plot->m_function.m_domain[0];
    MessageBoxCapture boxes;
    const BOOL changed = plot->ParseIntervals(1, row.text);
    if (*row.message) {
      EXPECT_FALSE(changed);
      ASSERT_EQ(1u, boxes.boxes().size());
      EXPECT_STREQ(row.message, boxes.boxes()[0].text);
      EXPECT_TRUE(plot->m_function.m_domain[0] == before);
    } else {
      EXPECT_TRUE(changed);
      EXPECT_TRUE(boxes.boxes().empty());
      ASSERT_EQ(1, plot->m_function.m_domain.GetSize());
      EXPECT_TRUE(plot->m_function.m_domain[0] == row.want);
      EXPECT_EQ(plot.get(), host.invalidated.back());
    }
  }
  // Formulas: a bad one changes nothing, a good one redraws.
  auto plot = Plot("x", {{0, 1, 0.5, kEndClosedClosed}});
  MessageBoxCapture boxes;
  EXPECT_FALSE(plot->ParseIntervals(0, "x*"));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ("函数表达式语法有误", boxes.boxes()[0].text);
  EXPECT_EQ("x", plot->m_function.m_secondExpression.GetFormula());
  EXPECT_EQ(5, plot->m_points[1].y);
  EXPECT_TRUE(plot->ParseIntervals(0, "x*2"));
  EXPECT_EQ(10, plot->m_points[1].y);
  // Two intervals are not replaced.
  plot->m_function.m_domain.Add(CInterval{});
  EXPECT_FALSE(plot->ParseIntervals(1, "[1,2]"));
  EXPECT_EQ(0.0, plot->m_function.m_domain[0].left);
}

// ---- drawing --------------------------------------------------------------------------------

void Draw(CDrawFun& plot, PageBitmap& page) {
  CDC dc(page.dc());
  plot.Draw(&dc, nullptr);
}

TEST(DrawFunPaint, AxesTicksAndTheCurve) {
  TestHost host;
  auto plot = Plot("x", {{-10, 10, 0.1, kEndClosedClosed}});
  plot->m_pen.lopnWidth = {1, 1};
  PageBitmap page(200, 200);
  Draw(*plot, page);
  EXPECT_EQ(kBlack, page.At(-45, 0));  // the x axis
  EXPECT_EQ(kBlack, page.At(0, -45));  // the y axis
  EXPECT_EQ(kBlack, page.At(10, 3));   // a tick above the x axis
  EXPECT_EQ(kBlack, page.At(-40, 3));
  EXPECT_EQ(kBlack, page.At(3, -20));  // a tick right of the y axis
  EXPECT_EQ(kWhite, page.At(15, 3));   // between ticks
  EXPECT_EQ(kWhite, page.At(60, 0));   // outside the rectangle
  EXPECT_GT(page.Count(19, 19, 21, 21, kCurve), 0);
  EXPECT_GT(page.Count(-31, -31, -29, -29, kCurve), 0);
  EXPECT_EQ(0, page.Count(-20, 10, -10, 20, kCurve));
}

TEST(DrawFunPaint, PolarGridCirclesAreDashed) {
  TestHost host;
  auto plot = Plot("1", {{0, 6.3, 0.1, kEndClosedClosed}}, kFunctionPolar);
  PageBitmap page(200, 200);
  Draw(*plot, page);
  for (int r : {20, 30, 40}) {
    SCOPED_TRACE(r);
    // Pixels near the circle above the centre: grey ones and gaps.
    int grey = 0, gaps = 0;
    for (int x = -r / 2; x <= r / 2; ++x) {
      const int y = static_cast<int>(std::lround(std::sqrt(static_cast<double>(r * r - x * x))));
      const bool hit = page.Count(x, y - 1, x, y + 1, kGrey, 8) > 0;
      (hit ? grey : gaps)++;
    }
    EXPECT_GT(grey, r / 3);
    EXPECT_GT(gaps, 0);
  }
  EXPECT_EQ(0, page.Count(-45, 45, 45, 46, kGrey, 8));  // no circle of radius 50
  EXPECT_GT(page.Count(-11, -11, 11, 11, kCurve), 10);  // the curve r = 1
}

TEST(DrawFunPaint, MarkersInTheEditorAndThePlayers) {
  auto plot = Plot("x", {{2, 2, 0.1, kEndSolidPoint}});  // one solid point at (20, 20)
  plot->m_showAxes = 0;
  const struct {
    const char* what;
    CDrawDoc::Reader reader;
    int border, width;
    COLORREF colour;  // at the point; white for none
    bool ellipse;
  } rows[] = {
      {"editor, border off, curve colour", CDrawDoc::Reader::editor, 0, 6, kCurve, true},
      {"player, border off: none", CDrawDoc::Reader::player, 0, 6, kWhite, false},
      {"player, border on: pen colour", CDrawDoc::Reader::player, 1, 6, kPen, true},
      {"control, width 1: one pixel", CDrawDoc::Reader::control, 1, 1, kPen, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TestHost host;
    CDrawDoc doc(row.reader);
    host.document = &doc;
    plot->m_plotParams[CDrawFun::kBorderParam] = row.border;
    plot->m_trajectory = 1;  // no frame: only the marker is drawn
    plot->m_pen.lopnWidth = {row.width, row.width};
    PageBitmap page(200, 200);
    Draw(*plot, page);
    EXPECT_EQ(row.colour, page.At(20, 20));
    EXPECT_EQ(row.ellipse, page.At(21, 20) == row.colour && page.At(19, 21) == row.colour && row.colour != kWhite);
    EXPECT_EQ(kWhite, page.At(25, 20));
  }
}

// ---- records --------------------------------------------------------------------------------

TEST(DrawFunRecord, GoldenTailAndRoundTrip) {
  CDrawFun plot(CRect(-50, 50, 50, -50));
  plot.m_points.Add(CScreenPoint{-3, 4, 1});
  plot.m_points.Add(CScreenPoint{5, -6, 2});
  plot.m_unit = 20;
  const Bytes stored = StoreToBytes([&](CArchive& ar) { plot.Serialize(ar); });
  const Bytes base = StoreToBytes([&](CArchive& ar) { plot.CDrawObj::Serialize(ar); });
  Bytes want = base;
  for (unsigned long v : {20ul, 1ul, 1ul, 2ul, 0xFFFFFFFDul, 4ul, 1ul, 5ul, 0xFFFFFFFAul, 2ul}) AppendDword(want, v);
  AppendDword(want, 0);
  for (const char* s : {"x", "y", "t", "", ""}) AppendString(want, s);
  AppendDword(want, 1);
  AppendDouble(want, -10);
  AppendDouble(want, 10);
  AppendDouble(want, 0.1);
  AppendDword(want, 0);
  AppendWord(want, 0);  // no variables
  AppendString(want, "");
  AppendString(want, "");
  EXPECT_EQ(Hex(Bytes(want.begin() + base.size(), want.end()), 300),
            Hex(Bytes(stored.begin() + std::min(base.size(), stored.size()), stored.end()), 300));
  EXPECT_EQ(1, plot.m_plotParams[CDrawFun::kCurveVisibleParam]);

  // Through the archive's object mechanism, as a page holds it.
  auto fancy = Plot("x*x", {{0, 2, 0.5, kEndClosedOpen}, {3, 1, 0.1, kEndSolidPoint}});
  const Bytes page = StoreToBytes([&](CArchive& ar) { ar << static_cast<CObject*>(fancy.get()); });
  CObject* read = nullptr;
  LoadFromBytes(page, [&](CArchive& ar) { ar >> read; });
  std::unique_ptr<CObject> owned(read);
  auto* loaded = dynamic_cast<CDrawFun*>(read);
  ASSERT_NE(nullptr, loaded);
  EXPECT_EQ(fancy->m_points.GetSize(), loaded->m_points.GetSize());
  EXPECT_EQ(2, loaded->m_function.m_domain.GetSize());
  EXPECT_EQ(Hex(page, 4000), Hex(StoreToBytes([&](CArchive& ar) { ar << static_cast<CObject*>(loaded); }), 4000));
}

TEST(DrawFunRecord, HostileRecordsLoadOrFailWithoutHarm) {
  // A point count beyond the data fails.
  CDrawFun plot(CRect(-50, 50, 50, -50));
  Bytes bytes = StoreToBytes([&](CArchive& ar) { plot.Serialize(ar); });
  const Bytes base = StoreToBytes([&](CArchive& ar) { plot.CDrawObj::Serialize(ar); });
  for (unsigned long count : {0x7FFFFFFFul, 0xFFFFFFFFul, 100ul}) {
    Bytes b = bytes;
    b[base.size() + 12] = static_cast<BYTE>(count);
    b[base.size() + 13] = static_cast<BYTE>(count >> 8);
    b[base.size() + 14] = static_cast<BYTE>(count >> 16);
    b[base.size() + 15] = static_cast<BYTE>(count >> 24);
    CDrawFun loaded;
    EXPECT_THROW(LoadFromBytes(b, [&](CArchive& ar) { loaded.Serialize(ar); }), CArchiveException) << count;
  }

  // Unit 0 or negative, NaN and negative steps, points far away: read, rebuilt and drawn.
  for (int unit : {0, -10}) {
    SCOPED_TRACE(unit);
    auto odd = Plot("x", {{0, 1, std::numeric_limits<double>::quiet_NaN(), kEndClosedClosed},
                          {0, 1, -1, kEndClosedClosed},
                          {0, 1, 0.5, kEndClosedClosed}});
    odd->m_unit = unit;
    odd->m_points.Add(CScreenPoint{INT_MAX, INT_MIN, 3});
    odd->m_points.Add(CScreenPoint{INT_MIN, INT_MAX, 77});
    const Bytes b = StoreToBytes([&](CArchive& ar) { odd->Serialize(ar); });
    CDrawFun loaded;
    LoadFromBytes(b, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(unit, loaded.m_unit);
    TestHost host;
    PageBitmap page(200, 200);
    Draw(loaded, page);
    EXPECT_EQ(kBlack, page.At(-30, 0));  // the axes, without ticks
    EXPECT_EQ(kWhite, page.At(10, 3));
    loaded.RebuildPoints();
    EXPECT_EQ(3, loaded.m_points.GetSize());
    Draw(loaded, page);
  }
}

// ---- runs -----------------------------------------------------------------------------------

TEST(DrawFunRun, PathPointsFollowTheCurveEitherWay) {
  auto plot = Plot("0", {{-5, 5, 0.5, kEndClosedClosed}});
  plot->SetRect(CRect(0, 50, 100, -50), nullptr);  // centre (50, 0)
  CMethod action;
  ASSERT_EQ(10, plot->GetPathPoints(10, &action, 0));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(CPoint(10 * i, 0), action.m_path[i]) << i;
  EXPECT_EQ(0, plot->m_closed);
  ASSERT_EQ(11, plot->GetPathPoints(-10, &action, 0));
  EXPECT_EQ(CPoint(100, 0), action.m_path[0]);
  EXPECT_EQ(CPoint(0, 0), action.m_path[10]);
  EXPECT_EQ(0, plot->GetPathPoints(0, &action, 0));
  plot->m_singleCurve = 0;
  EXPECT_EQ(0, plot->GetPathPoints(10, &action, 0));
  EXPECT_EQ(0.0, plot->GetPathLength());

  auto circle = Plot("sin(t)", {{0, 6.2832, 0.1, kEndClosedClosed}}, kFunctionParametric, "cos(t)");
  ASSERT_EQ(1, circle->m_singleCurve);
  EXPECT_GT(circle->GetPathPoints(5, &action, 0), 10);
  EXPECT_EQ(1, circle->m_closed);
}

TEST(DrawFunRun, AnObjectWalksThePlotAndSetDataLastsOnlyForTheRun) {
  TestHost host;
  CDrawDoc doc;
  host.document = &doc;
  auto* plot = Plot("0", {{-5, 5, 0.1, kEndClosedClosed}}).release();
  plot->m_name = "曲线";
  plot->ToggleTrajectory();
  auto* mover = new CDrawRect(CRect(-55, 5, -45, -5));
  mover->m_name = "方块";
  CMethod walk = MakeAction(CMethod::typeTranslate, "walk", 0, 1000);
  walk.m_strPath = "曲线";
  walk.m_nSpeed = 10;
  AddAction(*mover, walk);
  auto* source = new CDrawRect(CRect(60, 60, 90, 40));
  source->m_name = "数据";
  source->m_caption = "[1,2]";
  CMethod setInterval = MakeAction(CMethod::typeSetData, "set1", 2, 1);
  setInterval.m_nIndex = 1;
  setInterval.m_strSource = "数据";
  AddAction(*plot, setInterval);
  CMethod setFormula = MakeAction(CMethod::typeSetData, "set2", 5, 1);
  setFormula.m_nIndex = 0;
  setFormula.m_strSource = "数据";
  AddAction(*plot, setFormula);
  for (CDrawObj* o : {static_cast<CDrawObj*>(plot), static_cast<CDrawObj*>(mover), static_cast<CDrawObj*>(source)})
    doc.m_objects.AddTail(o);
  const Bytes before = StoreToBytes([&](CArchive& ar) { doc.Serialize(ar); });

  ASSERT_TRUE(host.StartObjects());
  host.Tick();
  host.Tick();
  for (int frame = 0; frame < 4; ++frame) {
    host.Tick();
    EXPECT_NEAR(-50 + 10 * frame, CentreOf(*mover).x, 1) << frame;
    EXPECT_EQ(0, CentreOf(*mover).y);
  }
  ASSERT_EQ(1, plot->m_function.m_domain.GetSize());
  EXPECT_TRUE((plot->m_function.m_domain[0] == CInterval{1, 2, 0.1, kEndClosedClosed}));
  EXPECT_EQ(10, plot->m_points[0].x);
  source->m_caption = "x*2";
  host.Tick();
  host.Tick();
  EXPECT_EQ("x*2", plot->m_function.m_secondFormula);
  EXPECT_EQ(20, plot->m_points[0].y);

  host.StopObjects();
  EXPECT_EQ("0", plot->m_function.m_secondFormula);
  source->m_caption = "[1,2]";
  EXPECT_EQ(Hex(before, 100000), Hex(StoreToBytes([&](CArchive& ar) { doc.Serialize(ar); }), 100000));
}

}  // namespace
