// User functions: sampling a definition over its domain, the record inside a plot, and
// definitions that change only as a whole.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "behaviour/DoubleValue.h"
#include "behaviour/Function.h"
#include "framework/core/ArchiveException.h"
#include "tests/behaviour/RecordBytes.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Sample {
  double x, y;
  int flag;
};

// y = formula over the intervals.
void DefineCartesian(CFunction& f, const char* formula, std::vector<CInterval> domain) {
  CFunction::Definition d;
  d.independentName = "x";
  d.dependentName = "y";
  d.secondFormula = formula;
  ASSERT_EQ(0, f.Define(d, 0.0));
  f.m_domain.RemoveAll();
  for (const CInterval& i : domain) f.m_domain.Add(i);
}

CFunction::Definition Circle() {
  CFunction::Definition d;
  d.kind = kFunctionParametric;
  d.independentName = "x";
  d.dependentName = "y";
  d.parameterName = "t";
  d.firstFormula = "cos(t)";
  d.secondFormula = "sin(t)";
  return d;
}

std::vector<Sample> Generate(CFunction& f, int* code = nullptr) {
  CPlotPointArray points;
  const int result = f.GeneratePoints(points);
  if (code) *code = result;
  std::vector<Sample> out;
  for (int i = 0; i < points.GetSize(); ++i) out.push_back({points[i].x, points[i].y, points[i].flag});
  return out;
}

void ExpectSamples(const std::vector<Sample>& want, const std::vector<Sample>& got) {
  ASSERT_EQ(want.size(), got.size());
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(want[i].x, got[i].x, 1e-9);
    EXPECT_NEAR(want[i].y, got[i].y, 1e-9);
    EXPECT_EQ(want[i].flag, got[i].flag);
  }
}

TEST(Function, GeneratePointsSamplesEachIntervalByItsEnds) {
  const struct {
    const char* what;
    const char* formula;
    std::vector<CInterval> domain;
    std::vector<Sample> want;
  } rows[] = {
      {"closed", "x", {{0, 1, 0.5, kEndClosedClosed}}, {{0, 0, 1}, {0.5, 0.5, 3}, {1, 1, 2}}},
      {"open ends 0.01 inside", "x", {{0, 1, 0.5, kEndOpenOpen}}, {{0.01, 0.01, 5}, {0.5, 0.5, 3}, {0.99, 0.99, 6}}},
      {"left open, right closed", "2*x", {{0, 1, 0.5, kEndOpenClosed}}, {{0.01, 0.02, 5}, {0.5, 1, 3}, {1, 2, 2}}},
      {"right not above left: one point at right", "x", {{3, 2, 0.5, kEndClosedClosed}}, {{2, 2, 2}}},
      {"right-open reversed", "x", {{3, 2, 0.5, kEndClosedOpen}}, {{1.99, 1.99, 6}}},
      {"a step that does not divide ends at right", "x", {{0, 1, 0.4, kEndClosedClosed}},
       {{0, 0, 1}, {0.4, 0.4, 3}, {0.8, 0.8, 3}, {1, 1, 2}}},
      {"overlaps give duplicates, in stored order", "x",
       {{0, 1, 1, kEndClosedClosed}, {0, 1, 1, kEndClosedClosed}}, {{0, 0, 1}, {1, 1, 2}, {0, 0, 1}, {1, 1, 2}}},
      {"isolated points are stored, not evaluated", "x",
       {{1, 7, 0.1, kEndSolidPoint}, {2, 8, 0.1, kEndHollowPoint}}, {{1, 7, 0}, {2, 8, 4}}},
      {"step 0, negative, NaN or infinite numbers sample nothing", "x",
       {{0, 1, 0, kEndClosedClosed}, {0, 1, -0.5, kEndClosedClosed}, {0, 1, kNaN, kEndClosedClosed},
        {-kInf, 1, 0.5, kEndClosedClosed}, {0, kInf, 0.5, kEndClosedClosed}, {0, 1, 0.5, 9},
        {5, 6, 1, kEndClosedClosed}},
       {{5, 5, 1}, {6, 6, 2}}},
      {"an unparsed formula gives no points", "", {{-10, 10, 0.1, kEndClosedClosed}}, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CFunction f;
    DefineCartesian(f, row.formula, row.domain);
    int code = -5;
    ExpectSamples(row.want, Generate(f, &code));
    EXPECT_EQ(0, code);
  }
}

TEST(Function, ADefaultFunctionGivesNoPointsAndTheTargetIsAppendedTo) {
  CFunction f;
  ASSERT_EQ(1, f.m_domain.GetSize());
  EXPECT_TRUE((f.m_domain[0] == CInterval{-10, 10, 0.1, kEndClosedClosed}));
  CPlotPointArray points;
  points.Add(9, 9, 0);
  EXPECT_EQ(0, f.GeneratePoints(points));
  EXPECT_EQ(1, points.GetSize());
}

TEST(Function, ParametricAndPolarKinds) {
  CFunction circle;
  ASSERT_EQ(0, circle.Define(Circle(), 0.0));
  circle.m_domain[0] = CInterval{0, 3.1416, 0.5, kEndClosedClosed};
  circle.m_domain.Add(CInterval{3.1416, 5, 0.1, kEndHollowPoint});  // evaluated at t = left
  const std::vector<Sample> half = Generate(circle);
  ASSERT_EQ(9u, half.size());
  for (const Sample& s : half) {
    EXPECT_NEAR(1.0, std::hypot(s.x, s.y), 1e-4);
    EXPECT_GE(s.y, -1e-4);
  }
  EXPECT_EQ(1, half.front().flag);
  EXPECT_NEAR(-1.0, half[7].x, 1e-4);
  EXPECT_EQ(2, half[7].flag);
  EXPECT_NEAR(-1.0, half[8].x, 1e-4);
  EXPECT_EQ(4, half[8].flag);

  CFunction polar;
  CFunction::Definition d;
  d.kind = kFunctionPolar;
  d.independentName = "a";
  d.dependentName = "r";
  d.secondFormula = "2*a";
  ASSERT_EQ(0, polar.Define(d, 0.0));
  polar.m_domain[0] = CInterval{0, 1, 1, kEndClosedClosed};
  ExpectSamples({{0, 0, 1}, {1, 2, 2}}, Generate(polar));  // (theta, r)
}

TEST(Function, AnEvaluationErrorReturnsItsCodeAndKeepsTheDomain) {
  CFunction f;
  DefineCartesian(f, "1/x", {{-1, 1, 0.5, kEndClosedClosed}, {2, 3, 1, kEndSolidPoint}});
  CPlotPointArray points;
  points.Add(7, 7, 0);
  EXPECT_EQ(CExpression::errorDivideByZero, f.GeneratePoints(points));
  EXPECT_EQ(1, points.GetSize());  // what this call appended is taken back
  ASSERT_EQ(2, f.m_domain.GetSize());
  EXPECT_TRUE((f.m_domain[0] == CInterval{-1, 1, 0.5, kEndClosedClosed}));

  DefineCartesian(f, "sqrt(x)", {{-10, 10, 0.1, kEndClosedClosed}});
  int code = 0;
  Generate(f, &code);
  EXPECT_EQ(CExpression::errorDomain, code);
  EXPECT_EQ(1, f.m_domain.GetSize());
}

TEST(Function, AGenerationStopsAtTheCap) {
  const CInterval domains[] = {{-1e9, 1e9, 0.1, kEndClosedClosed}, {0, 1, 1e-300, kEndClosedClosed},
                               {1e20, 1e21, 1, kEndClosedClosed}};  // 1e20 + 1 == 1e20: never moves
  for (const CInterval& domain : domains) {
    SCOPED_TRACE(domain.left);
    CFunction f;
    DefineCartesian(f, "x", {domain});
    CPlotPointArray points;
    EXPECT_EQ(0, f.GeneratePoints(points));
    EXPECT_EQ(CFunction::kMaxSamples, points.GetSize());
  }
}

// A parametric function of 2 intervals and one variable, spelled from the record layout.
Bytes GoldenRecord() {
  Bytes b;
  AppendDword(b, 1);  // kind
  for (const char* s : {"x", "y", "t", "cos(t)", "sin(t)"}) AppendString(b, s);
  AppendDword(b, 2);
  AppendDouble(b, 0);
  AppendDouble(b, 3.5);
  AppendDouble(b, 0.5);
  AppendDword(b, 2);
  AppendDouble(b, 4);
  AppendDouble(b, 0);
  AppendDouble(b, 0.1);
  AppendDword(b, 5);
  AppendWord(b, 1);  // the variables: one name, a new class "CValue", an empty record
  AppendString(b, "t");
  AppendWord(b, 0xFFFF);
  AppendWord(b, 0);
  AppendWord(b, 6);
  AppendText(b, "CValue");
  AppendString(b, "cos(t)");
  AppendString(b, "sin(t)");
  return b;
}

TEST(Function, RecordGoldenBytesAndRoundTrip) {
  CFunction f;
  ASSERT_EQ(0, f.Define(Circle(), 2.0));
  f.m_domain[0] = CInterval{0, 3.5, 0.5, kEndClosedOpen};
  f.m_domain.Add(CInterval{4, 0, 0.1, kEndHollowPoint});
  const Bytes golden = GoldenRecord();
  EXPECT_EQ(Hex(golden, 400), Hex(StoreToBytes([&](CArchive& ar) { f.Serialize(ar); }), 400));

  CFunction loaded;
  LoadFromBytes(golden, [&](CArchive& ar) { loaded.Serialize(ar); });
  EXPECT_EQ(kFunctionParametric, loaded.m_kind);
  EXPECT_EQ("sin(t)", loaded.m_secondFormula);
  ASSERT_EQ(2, loaded.m_domain.GetSize());  // replaced, not appended to the default
  EXPECT_TRUE((loaded.m_domain[1] == CInterval{4, 0, 0.1, kEndHollowPoint}));
  const std::vector<Sample> samples = Generate(loaded);  // the loaded expressions have trees
  ASSERT_FALSE(samples.empty());
  EXPECT_NEAR(1.0, samples[0].x, 1e-9);
  EXPECT_EQ(Hex(golden, 400), Hex(StoreToBytes([&](CArchive& ar) { loaded.Serialize(ar); }), 400));
}

TEST(Function, HostileRecordsFailCleanly) {
  Bytes base;
  AppendDword(base, 0);
  for (const char* s : {"x", "y", "t", "", "x"}) AppendString(base, s);
  const struct {
    const char* what;
    unsigned long count;
    int extraBytes;
  } rows[] = {
      {"negative count", 0xFFFFFFFFul, 200},
      {"count beyond the data", 1000, 200},
      {"huge count", 0x7FFFFFFFul, 28},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Bytes b = base;
    AppendDword(b, row.count);
    b.resize(b.size() + row.extraBytes, 0);
    CFunction f;
    EXPECT_THROW(LoadFromBytes(b, [&](CArchive& ar) { f.Serialize(ar); }), CArchiveException);
  }
  // A map count beyond the data.
  Bytes b = base;
  AppendDword(b, 0);
  AppendWord(b, 0xFFFF);
  AppendDword(b, 0x10000000);
  CFunction f;
  EXPECT_THROW(LoadFromBytes(b, [&](CArchive& ar) { f.Serialize(ar); }), CArchiveException);
}

TEST(Function, CopyFromReplacesEverything) {
  CFunction source;
  DefineCartesian(source, "x*x", {{0, 1, 0.5, kEndClosedClosed}, {2, 3, 0.5, kEndOpenOpen}});
  CFunction clone;
  clone.CopyFrom(source);
  ASSERT_EQ(2, clone.m_domain.GetSize());
  EXPECT_TRUE((clone.m_domain[1] == CInterval{2, 3, 0.5, kEndOpenOpen}));
  EXPECT_EQ("x*x", clone.m_secondFormula);
  EXPECT_EQ("x*x", clone.m_secondExpression.GetFormula());
  ExpectSamples(Generate(source), Generate(clone));
  CObject* value = nullptr;
  ASSERT_TRUE(clone.m_variables->Lookup("x", value));
  clone.CopyFrom(clone);  // no-op
  EXPECT_EQ(2, clone.m_domain.GetSize());
}

// A refused definition leaves formulas, expressions and variables as they were.
TEST(Function, DefinitionsChangeOnlyAsAWhole) {
  CFunction f;
  DefineCartesian(f, "x+1", {{0, 1, 1, kEndClosedClosed}});
  const struct {
    const char* what;
    int kind;
    const char* first;
    const char* second;
    int bad;
  } rows[] = {
      {"a second formula with a syntax error", kFunctionCartesian, "", "x+*", CFunction::kSecondFormulaBad},
      {"an unknown name", kFunctionPolar, "", "q*2", CFunction::kSecondFormulaBad},
      {"parametric with an empty first formula", kFunctionParametric, "", "t", CFunction::kFirstFormulaBad},
      {"parametric with both bad", kFunctionParametric, "(", "",
       CFunction::kFirstFormulaBad | CFunction::kSecondFormulaBad},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CFunction::Definition d;
    d.kind = row.kind;
    d.independentName = "z";
    d.dependentName = "w";
    d.parameterName = "t";
    d.firstFormula = row.first;
    d.secondFormula = row.second;
    EXPECT_EQ(row.bad, f.Define(d, 5.0));
    EXPECT_EQ(kFunctionCartesian, f.m_kind);
    EXPECT_EQ("x", f.m_independentName);
    EXPECT_EQ("x+1", f.m_secondFormula);
    EXPECT_EQ("x+1", f.m_secondExpression.GetFormula());
    CObject* value = nullptr;
    EXPECT_TRUE(f.m_variables->Lookup("x", value));
    EXPECT_FALSE(f.m_variables->Lookup("z", value));
    ExpectSamples({{0, 1, 1}, {1, 2, 2}}, Generate(f));
  }
  EXPECT_EQ(CFunction::kSecondFormulaBad, f.SetSecondFormula("x)"));
  EXPECT_EQ("x+1", f.m_secondExpression.GetFormula());

  // An empty formula passes for y = f(x); the parameter name and first formula stay.
  CFunction::Definition d;
  d.independentName = "u";
  d.dependentName = "v";
  d.parameterName = "p";
  d.firstFormula = "ignored";
  EXPECT_EQ(0, f.Define(d, 5.0));
  EXPECT_EQ("u", f.m_independentName);
  EXPECT_EQ("t", f.m_parameterName);
  EXPECT_EQ("", f.m_firstFormula);
  CObject* value = nullptr;
  ASSERT_TRUE(f.m_variables->Lookup("u", value));
  EXPECT_EQ(5.0, static_cast<CValue*>(value)->GetValue());
  EXPECT_FALSE(f.m_variables->Lookup("x", value));
}

TEST(Function, ASecondFormulaDefinesAMissingIndependentName) {
  CFunction f;  // a new plot's function: no variables yet
  EXPECT_EQ(0, f.SetSecondFormula("x*2"));
  f.m_domain[0] = CInterval{1, 2, 1, kEndClosedClosed};
  ExpectSamples({{1, 2, 1}, {2, 4, 2}}, Generate(f));
}

}  // namespace
