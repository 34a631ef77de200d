// Formulas: parsing positions, values and error codes, including the language's odd
// binding rules that stored pages rely on; variables; deep nesting; copies for clones;
// the archived text; per-thread error codes.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "model/DoubleValue.h"
#include "model/Expression.h"
#include "tests/support/ArchiveHelpers.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kUntouched = 12345.0;

// A map as a drawing object owns it.
class Variables {
 public:
  Variables() { m_map.InitHashTable(29); }
  ~Variables() { CValue::DeleteVariables(m_map); }
  void Set(const char* name, double value) {
    CObject*& slot = m_map[name];
    delete slot;
    slot = new CDoubleValue(value);
  }
  CMapStringToOb* map() { return &m_map; }

 private:
  CMapStringToOb m_map;
};

struct Row {
  const char* text;
  int parse;     // -1, or where parsing stops
  double value;  // when parsed
  int code;      // when parsed
};

// Variables: x = 2, y = -3, Sin0 = 7, ab1c = 5.
const Row kRows[] = {
    {"2 + 3", -1, 5, 0},
    {"2*3+4", -1, 10, 0},
    {"2+3*4", -1, 14, 0},
    {"10-4-3", -1, 3, 0},
    {"8/4/2", -1, 1, 0},
    {"2^3^2", -1, 64, 0},      // left-associative
    {"2^0.5", -1, std::sqrt(2.0), 0},
    // Comparison binds tighter than power.
    {"2^3<4", -1, 2, 0},
    {"2^1<2", -1, 2, 0},
    {"3>2", -1, 1, 0},
    {"3<2", -1, 0, 0},
    {"2>2", -1, 0, 0},
    {"!0", -1, 1, 0},
    {"!5", -1, 0, 0},
    {"!!5", -1, 1, 0},
    {"!1+1", -1, 1, 0},        // not binds tighter than sum
    {"|0-3|", -1, 3, 0},
    {"|y|*2", -1, 6, 0},
    // A unary minus takes the whole rest of the sum.
    {"-2+3", -1, -5, 0},
    {"2*-3+4", -1, -14, 0},
    {"-2^2", -1, -4, 0},
    {"--2", -1, 2, 0},
    {"-(2)", -1, -2, 0},
    // Blanks: before a factor and after a number, name or function, nowhere else.
    {"1 +2", -1, 3, 0},
    {"( 2)", -1, 2, 0},
    {"(2 )", -1, 2, 0},
    {"x *  y", -1, -6, 0},
    {" 7", -1, 7, 0},
    {"(2) + 3", 3, 0, 0},
    {"|2| + 1", 3, 0, 0},
    {" !0", 1, 0, 0},          // '!' is not looked for after blanks
    // Numbers: digits and dots, read as far as they make a number.
    {"1.2.3", -1, 1.2, 0},
    {"12.", -1, 12, 0},
    {"0.25", -1, 0.25, 0},
    {".5", 0, 0, 0},
    {"2x", 1, 0, 0},
    // Functions: any letter case, the argument is the next factor.
    {"sin(0)", -1, 0, 0},
    {"SIN(0)", -1, 0, 0},
    {"Cos 0", -1, 1, 0},
    {"sin|0-0|", -1, 0, 0},
    {"SQRT 4", -1, 2, 0},
    {"EXP 0", -1, 1, 0},
    {"LN 1", -1, 0, 0},
    {"LOG 100", -1, 2, 0},
    {"tg 0", -1, 0, 0},
    {"TAN 0", -1, 0, 0},
    {"COT 1", -1, 1 / std::tan(1.0), 0},
    {"ARCSIN 1", -1, std::asin(1.0), 0},
    {"arccos 1", -1, 0, 0},
    {"ARCTG 1", -1, std::atan(1.0), 0},
    {"ARCTAN 1", -1, std::atan(1.0), 0},
    {"ARCCTG 2", -1, std::atan(0.5), 0},
    {"ARCCOT 2", -1, std::atan(0.5), 0},
    {"SIN SIN 0", -1, 0, 0},
    {"SIN", 3, 0, 0},
    {"SIN(", 4, 0, 0},
    // Names: case-sensitive keys of the map.
    {"x", -1, 2, 0},
    {"x+y", -1, -1, 0},
    {"Sin0", -1, 7, 0},
    {"ab1c*2", -1, 10, 0},
    {"X", 1, 0, 0},
    {"z*2", 1, 0, 0},
    {"x(2)", 1, 0, 0},
    {"x+\xD6\xD0", 2, 0, 0},   // a double-byte character is no letter
    // Errors: the value goes on being computed.
    {"1/0", -1, -1000, 1},
    {"0/0", -1, -0.0, 1},
    {"5/(2-2)", -1, -5000, 1},
    {"SQRT -4", -1, 0, 4},     // the minus makes the argument -4
    {"SQRT(0-1)", -1, 0, 4},
    {"LN 0", -1, 0, 4},
    {"LOG(0-1)", -1, 0, 4},
    {"ARCCTG 0", -1, 0, 4},
    {"1+LN 0", -1, 1, 4},
    // Unchecked: whatever the math library gives.
    {"CTG 0", -1, kInf, 0},
    {"ARCSIN 2", -1, kNaN, 0},
    {"EXP 1000", -1, kInf, 0},
    {"0^(0-1)", -1, kInf, 0},
    // The last error met wins: '+', '*', '/', '^' take the right operand first.
    {"1/0+LN 0", -1, -1000, 1},
    {"LN 0*(1/0)", -1, -0.0, 4},
    {"1/0-LN 0", -1, -1000, 4},
    {"LN 0-1/0", -1, 1000, 1},
    // Bad syntax.
    {"", 0, 0, 0},
    {"2+", 2, 0, 0},
    {"(2", 2, 0, 0},
    {"2)", 1, 0, 0},
    {"|2", 2, 0, 0},
    {"@", 0, 0, 0},
    {"2**3", 2, 0, 0},
    {"()", 1, 0, 0},
};

TEST(Expression, TableOfFormulas) {
  Variables vars;
  vars.Set("x", 2);
  vars.Set("y", -3);
  vars.Set("Sin0", 7);
  vars.Set("ab1c", 5);
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string("formula \"") + row.text + "\"");
    CExpression e;
    e.SetVariableMap(vars.map());
    ASSERT_EQ(row.parse, e.SetFormula(row.text));
    EXPECT_EQ(CString(row.text), e.GetFormula());
    double result = kUntouched;
    int code = e.Evaluate(result);
    if (row.parse != CExpression::parseComplete) {
      EXPECT_EQ(CExpression::errorNoFormula, code);
      EXPECT_EQ(CExpression::errorNone, CExpression::GetErrorCode());
      EXPECT_EQ(kUntouched, result);
      continue;
    }
    EXPECT_EQ(row.code, code);
    EXPECT_EQ(code, CExpression::GetErrorCode());
    if (std::isnan(row.value)) {
      EXPECT_TRUE(std::isnan(result)) << result;
    } else {
      EXPECT_DOUBLE_EQ(row.value, result);
      EXPECT_EQ(std::signbit(row.value), std::signbit(result)) << result;
    }
  }
}

// Numbers read the same whatever the locale, and huge ones follow the usual conversion.
TEST(Expression, NumbersIgnoreTheProcessLocale) {
  CExpression e;
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(nullptr, std::setlocale(LC_NUMERIC, "German_Germany.1252"));
  ASSERT_EQ(',', *std::localeconv()->decimal_point);
  int parsed = e.SetFormula("1.5");
  std::setlocale(LC_NUMERIC, previous.c_str());
  ASSERT_EQ(-1, parsed);
  double value = 0;
  EXPECT_EQ(0, e.Evaluate(value));
  EXPECT_EQ(1.5, value);

  ASSERT_EQ(-1, e.SetFormula((std::string(400, '9') + ".5").c_str()));
  double result = 0;
  EXPECT_EQ(0, e.Evaluate(result));
  EXPECT_EQ(kInf, result);
  ASSERT_EQ(-1, e.SetFormula(("0." + std::string(400, '0') + "1").c_str()));
  EXPECT_EQ(0, e.Evaluate(result));
  EXPECT_EQ(0.0, result);
}

TEST(Expression, FunctionNamesIgnoreCase) {
  EXPECT_TRUE(CExpression::IsFunctionName("sin"));
  EXPECT_TRUE(CExpression::IsFunctionName("ArcTan"));
  EXPECT_TRUE(CExpression::IsFunctionName("LOG"));
  EXPECT_FALSE(CExpression::IsFunctionName("Sin0"));
  EXPECT_FALSE(CExpression::IsFunctionName("ARC"));
  EXPECT_FALSE(CExpression::IsFunctionName(""));
}

TEST(Expression, VariablesAreLookedUpAtEveryEvaluation) {
  Variables vars;
  CExpression e;
  e.SetVariableMap(vars.map());
  double result = 0;

  // A name unknown when parsing fails, and defining it later does not mend the tree.
  EXPECT_EQ(1, e.SetFormula("x*2"));
  e.SetVariable("x", 4);
  EXPECT_EQ(CExpression::errorNoFormula, e.Evaluate(result));
  ASSERT_EQ(-1, e.Parse());
  EXPECT_EQ(0, e.Evaluate(result));
  EXPECT_EQ(8, result);

  // Replacing a variable changes the next evaluation without parsing again.
  e.SetVariable("x", -1.5);
  EXPECT_EQ(1, vars.map()->GetCount());
  EXPECT_EQ(0, e.Evaluate(result));
  EXPECT_EQ(-3, result);

  // A plain value, as loaded from a page, reads as 0.
  CObject*& slot = (*vars.map())["x"];
  delete slot;
  slot = new CValue;
  EXPECT_EQ(0, e.Evaluate(result));
  EXPECT_EQ(0, result);

  // A variable removed after parsing, or a slot holding something that is no value.
  delete slot;
  vars.map()->RemoveKey("x");
  result = kUntouched;
  EXPECT_EQ(CExpression::errorUndefinedVariable, e.Evaluate(result));
  EXPECT_EQ(0, result);
  vars.map()->SetAt("x", nullptr);
  EXPECT_EQ(CExpression::errorUndefinedVariable, e.Evaluate(result));
  CMapStringToOb notAValue;
  vars.map()->SetAt("x", &notAValue);
  EXPECT_EQ(CExpression::errorUndefinedVariable, e.Evaluate(result));
  vars.map()->RemoveKey("x");

  // Without a map, names never parse and SetVariable does nothing.
  CExpression unbound;
  unbound.SetVariable("x", 1);
  EXPECT_EQ(1, unbound.SetFormula("x"));
}

// Counts destructions, to show that replacing a variable deletes the old value.
class CCountedValue : public CValue {
 public:
  explicit CCountedValue(int& destroyed) : m_destroyed(destroyed) {}
  ~CCountedValue() override { ++m_destroyed; }

 private:
  int& m_destroyed;
};

TEST(Expression, SetVariableDeletesTheValueItReplaces) {
  Variables vars;
  int destroyed = 0;
  vars.map()->SetAt("v", new CCountedValue(destroyed));
  CExpression e;
  e.SetVariableMap(vars.map());
  e.SetVariable("v", 3);
  EXPECT_EQ(1, destroyed);
  CObject* now = nullptr;
  ASSERT_TRUE(vars.map()->Lookup("v", now));
  EXPECT_EQ(3, static_cast<CValue*>(now)->GetValue());
}

TEST(Expression, EmptyingTheFormulaDropsTheOldTree) {
  CExpression e;
  ASSERT_EQ(-1, e.SetFormula("1+1"));
  EXPECT_EQ(0, e.SetFormula(""));
  double result = kUntouched;
  EXPECT_EQ(CExpression::errorNoFormula, e.Evaluate(result));
  EXPECT_EQ(kUntouched, result);
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  out.reserve(s.size() * static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// Formulas come from downloaded pages: no nesting may exhaust the stack.
TEST(Expression, DeepNestingFailsToParseInsteadOfOverflowing) {
  const int deep = 100000;
  struct Case {
    std::string text;
  } cases[] = {
      {Repeat("(", deep) + "1" + Repeat(")", deep)},
      {Repeat("|", deep) + "1" + Repeat("|", deep)},
      {Repeat("-", deep) + "1"},
      {Repeat("!", deep) + "1"},
      {Repeat("SIN ", deep) + "1"},
      {Repeat("(-!SIN ", deep) + "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 12));
    CExpression e;
    int stopped = e.SetFormula(c.text.c_str());
    EXPECT_GT(stopped, 0);
    EXPECT_LT(stopped, 4 * CExpression::maxNesting + 4);
    double result = kUntouched;
    EXPECT_EQ(CExpression::errorNoFormula, e.Evaluate(result));
  }

  // Nesting of a sensible depth is untouched.
  CExpression e;
  const int fine = 200;
  ASSERT_EQ(-1, e.SetFormula((Repeat("(", fine) + "1" + Repeat(")", fine)).c_str()));
  ASSERT_EQ(-1, e.SetFormula((Repeat("-", fine) + "1").c_str()));
  double result = 0;
  EXPECT_EQ(0, e.Evaluate(result));
  EXPECT_EQ(1, result);
}

// Long chains of operators build trees as deep as they are long; evaluating and
// freeing them must not recurse.
TEST(Expression, LongChainsEvaluateAndFree) {
  const int terms = 100000;
  struct Case {
    std::string text;
    double value;
  } cases[] = {
      {"1" + Repeat("+1", terms - 1), double(terms)},
      {"0" + Repeat("-1", terms), -double(terms)},
      {"1" + Repeat("^1", terms), 1},
      {"1" + Repeat("<2", terms), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 12));
    auto e = std::make_unique<CExpression>();
    ASSERT_EQ(-1, e->SetFormula(c.text.c_str()));
    double result = 0;
    EXPECT_EQ(0, e->Evaluate(result));
    EXPECT_EQ(c.value, result);
    ASSERT_EQ(-1, e->SetFormula(c.text.c_str()));  // frees the first tree
  }
}

// A clone gets its own map (copies of the values) and its own tree, parsed from the
// text against that map; it must outlive the original.
TEST(Expression, CopyForACloneOutlivesTheOriginal) {
  auto sourceVars = std::make_unique<Variables>();
  sourceVars->Set("x", 3);
  auto source = std::make_unique<CExpression>();
  source->SetVariableMap(sourceVars->map());
  ASSERT_EQ(-1, source->SetFormula("x*2+1"));

  Variables cloneVars;
  CExpression clone;
  clone.SetVariableMap(cloneVars.map());
  EXPECT_EQ(1, clone.CopyFrom(*source));  // parsed against the clone's (empty) map

  CValue::CopyVariables(*sourceVars->map(), *cloneVars.map());
  EXPECT_EQ(-1, clone.CopyFrom(*source));
  EXPECT_EQ(cloneVars.map(), clone.GetVariableMap());
  EXPECT_EQ(source->GetFormula(), clone.GetFormula());

  CObject* original = nullptr;
  CObject* copied = nullptr;
  ASSERT_TRUE(sourceVars->map()->Lookup("x", original));
  ASSERT_TRUE(cloneVars.map()->Lookup("x", copied));
  EXPECT_NE(original, copied);

  source.reset();
  sourceVars.reset();
  double result = 0;
  EXPECT_EQ(0, clone.Evaluate(result));
  EXPECT_EQ(7, result);

  // The clone's variables are its own.
  clone.SetVariable("x", 10);
  EXPECT_EQ(0, clone.Evaluate(result));
  EXPECT_EQ(21, result);
}

TEST(Expression, RecordIsTheFormulaText) {
  Variables vars;
  vars.Set("x", 2);
  CExpression e;
  e.SetVariableMap(vars.map());
  ASSERT_EQ(-1, e.SetFormula("x+1"));
  Bytes stored = StoreToBytes([&](CArchive& ar) { e.Serialize(ar); });
  Bytes want;
  Append(want, {3, 'x', '+', '1'});
  EXPECT_EQ(Hex(want), Hex(stored));

  // Loading parses against the bound map: a tree exactly when the names are known.
  CExpression loaded;
  loaded.SetVariableMap(vars.map());
  LoadFromBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); });
  EXPECT_EQ(CString("x+1"), loaded.GetFormula());
  double result = 0;
  EXPECT_EQ(0, loaded.Evaluate(result));
  EXPECT_EQ(3, result);

  CExpression unbound;
  LoadFromBytes(stored, [&](CArchive& ar) { unbound.Serialize(ar); });
  EXPECT_EQ(CString("x+1"), unbound.GetFormula());
  EXPECT_EQ(CExpression::errorNoFormula, unbound.Evaluate(result));

  // An empty record drops whatever was parsed before.
  LoadFromBytes(Bytes{0}, [&](CArchive& ar) { loaded.Serialize(ar); });
  EXPECT_EQ(CExpression::errorNoFormula, loaded.Evaluate(result));
  EXPECT_EQ(Hex(Bytes{0}), Hex(StoreToBytes([&](CArchive& ar) { loaded.Serialize(ar); })));

  // Text after a NUL read from a file is kept, but parsing stops there.
  Bytes withNul;
  Append(withNul, {3, '7', 0, '+'});
  LoadFromBytes(withNul, [&](CArchive& ar) { loaded.Serialize(ar); });
  EXPECT_EQ(0, loaded.Evaluate(result));
  EXPECT_EQ(7, result);
  EXPECT_EQ(Hex(withNul), Hex(StoreToBytes([&](CArchive& ar) { loaded.Serialize(ar); })));
}

TEST(Expression, ArchivedByNameWithSchemaZero) {
  const CRuntimeClass* cls = CRuntimeClass::FromName("CExpression");
  ASSERT_EQ(RUNTIME_CLASS(CExpression), cls);
  EXPECT_EQ(0u, cls->m_wSchema);
  std::unique_ptr<CObject> made(cls->CreateObject());
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CExpression)));
}

// Two controls in two browser tabs evaluate at the same time; neither may see the
// other's error code.
TEST(Expression, ErrorCodesArePerThread) {
  std::mutex mutex;
  std::condition_variable changed;
  int step = 0;
  auto waitFor = [&](int s) {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return step >= s; });
  };
  auto advance = [&] {
    std::lock_guard<std::mutex> lock(mutex);
    ++step;
    changed.notify_all();
  };

  int seenByFirst = -99;
  int seenBySecond = -99;
  std::thread first([&] {
    CExpression e;
    e.SetFormula("1/0");
    double r;
    e.Evaluate(r);
    advance();   // step 1: this thread's code is 1
    waitFor(2);  // the other thread has evaluated without error
    seenByFirst = CExpression::GetErrorCode();
  });
  std::thread second([&] {
    waitFor(1);
    CExpression e;
    e.SetFormula("1+1");
    double r;
    e.Evaluate(r);
    seenBySecond = CExpression::GetErrorCode();
    advance();
  });
  first.join();
  second.join();
  EXPECT_EQ(CExpression::errorDivideByZero, seenByFirst);
  EXPECT_EQ(CExpression::errorNone, seenBySecond);

  // And under load, every evaluation reports its own outcome.
  int wrong[2] = {0, 0};
  auto hammer = [&](const char* text, int expected, int& mistakes) {
    CExpression e;
    e.SetFormula(text);
    double r;
    for (int i = 0; i < 20000; ++i)
      if (e.Evaluate(r) != expected || CExpression::GetErrorCode() != expected) ++mistakes;
  };
  std::thread a(hammer, "1/0", 1, std::ref(wrong[0]));
  std::thread b(hammer, "LN 0", 4, std::ref(wrong[1]));
  a.join();
  b.join();
  EXPECT_EQ(0, wrong[0]);
  EXPECT_EQ(0, wrong[1]);
}

}  // namespace
