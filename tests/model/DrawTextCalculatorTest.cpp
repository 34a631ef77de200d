// The text object as a calculator and an answer check: sequences of set-data and
// calculate calls with the display, value and formula after each, errors and overflow,
// and the same reached through the page's actions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/DrawText.h"
#include "resources/ModelStrings.h"
#include "tests/support/TestHost.h"

namespace {

CString ErrorText() {
  CString text;
  text.LoadString(IDS_CALCULATOR_ERROR);
  return text;
}

// One call: set data (mode 0 set a variable, 1 enter, 2 clear) or calculate (mode 0
// formula, 1 evaluate the display, 2 operator; kind 0 integer, 1 decimal, 2 check).
struct Call {
  enum { set, calc } what;
  int mode;
  const char* text;
  int kind = 0;
  int write = 1;
  const char* expected = "";
};

struct Step {
  Call call;
  const char* display;
  double value;
  const char* formula;  // m_text2; null: not checked
};

void Run(CDrawText& o, const Call& c) {
  if (c.what == Call::set) {
    o.ApplySetDataAction(0, c.mode, "", c.text);
  } else {
    EXPECT_EQ(0, o.ApplyDisplayAction(c.text, c.expected, c.mode, c.kind, c.write));
  }
}

void RunSequence(const std::vector<Step>& steps) {
  TestHost host;
  CDrawText o(CRect(0, 20, 100, 0));
  o.m_displayText = "garbage";
  for (size_t i = 0; i < steps.size(); ++i) {
    const Step& s = steps[i];
    SCOPED_TRACE(testing::Message() << "step " << i + 1 << " (" << s.call.text << ")");
    Run(o, s.call);
    EXPECT_EQ(CString(s.display), o.m_displayText);
    EXPECT_DOUBLE_EQ(s.value, o.m_dataValue);
    if (s.formula) {
      EXPECT_EQ(CString(s.formula), o.m_text2);
    }
  }
}

const Call kClear{Call::set, 2, ""};
Call Enter(const char* digits) { return Call{Call::set, 1, digits}; }
Call Operator(const char* op, int kind = 0) { return Call{Call::calc, 2, op, kind}; }

TEST(DrawTextCalculator, DigitsOperatorAndEquals) {
  RunSequence({
      {kClear, "", 0, nullptr},
      {Enter("1"), "1", 1, nullptr},
      {Enter("2"), "12", 12, nullptr},
      {Operator("+"), "12", 12, "a+b"},  // no redraw, nothing shown yet
      {Enter("3"), "3", 12, "a+b"},      // a new number; the value waits
      {Operator(""), "15", 15, "ab"},     // "=": computes and shows
      // "ab" does not parse: a number typed after "=" is not taken.
      {Enter("4"), "4", 15, "ab"},
      {Operator("*"), "15", 15, "a*b"},
  });
}

TEST(DrawTextCalculator, ChainedOperatorsComputeAsTheyGo) {
  RunSequence({
      {kClear, "", 0, nullptr},
      {Enter("8"), "8", 8, nullptr},
      {Operator("-"), "8", 8, "a-b"},
      {Operator("*"), "8", 8, "a*b"},  // replaces the pending operator
      {Enter("5"), "5", 8, nullptr},
      {Operator("/"), "40", 40, "a/b"},
      {Enter("16"), "16", 40, nullptr},
      {Operator("", 1), "2.500000", 2.5, "ab"},
  });
}

TEST(DrawTextCalculator, ResultsWithoutANumberShowTheError) {
  const std::string error = ErrorText().str();
  RunSequence({
      {kClear, "", 0, nullptr},
      {Enter("12"), "12", 12, nullptr},
      {Operator("/"), "12", 12, nullptr},
      {Enter("0"), "0", 12, nullptr},
      {Operator(""), error.c_str(), 0, "ab"},
      // The next digits start afresh instead of joining the error text.
      {Enter("7"), "7", 0, nullptr},
      {kClear, "", 0, nullptr},
      {Enter("2"), "2", 2, nullptr},
      {Operator("^"), "2", 2, nullptr},
      {Enter("99999"), "99999", 2, nullptr},
      {Operator("", 1), error.c_str(), 0, nullptr},  // infinite
  });
}

TEST(DrawTextCalculator, LongNumbersSaturateInsteadOfOverflowing) {
  const std::string big(40, '9');
  RunSequence({
      {kClear, "", 0, nullptr},
      {Enter(big.c_str()), big.c_str(), 2147483647.0, nullptr},
      {Operator("*"), big.c_str(), 2147483647.0, nullptr},
      {Enter("-5"), "-5", 2147483647.0, nullptr},
      {Operator(""), "-2147483648", -10737418235.0, nullptr},  // shown clamped to 32 bits
      {Call{Call::calc, 0, "a*b", 1}, "-10737418235.000000", -10737418235.0, "a*b"},  // decimals in full
  });
}

TEST(DrawTextCalculator, KindsDecideWhatIsWritten) {
  TestHost host;
  const struct {
    int mode, kind, write;
    const char* want;
  } rows[] = {
      {0, 0, 1, "15"},         {0, 1, 1, "15.000000"}, {0, 3, 1, "old"},  // formulas write 0 and 1 only
      {1, 1, 1, "15.000000"},  {0, 0, 0, "old"},       {2, 3, 1, "15.000000"},  // the operator: others decimal
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.mode << " " << row.kind << " " << row.write);
    CDrawText o(CRect(0, 20, 100, 0));
    o.m_displayText = "old";
    if (row.mode == 1) o.m_displayText = "10+5";
    if (row.mode == 2) {
      o.m_dataValue = 10;
      o.m_text2 = "a+b";
      o.m_firstOperand = 0;
      o.m_displayText = "5";
    }
    o.ApplyDisplayAction("10+5", "", row.mode, row.kind, row.write);
    EXPECT_DOUBLE_EQ(15.0, o.m_dataValue);
    EXPECT_EQ(CString(row.want), o.m_displayText);
  }
}

TEST(DrawTextCalculator, FormulaThatDoesNotParseChangesNothing) {
  TestHost host;
  CDrawText o(CRect(0, 20, 100, 0));
  o.m_displayText = "3";
  o.m_dataValue = 3;
  o.ApplyDisplayAction("1+", "", 0, 0, 1);
  EXPECT_EQ(CString("3"), o.m_displayText);
  EXPECT_DOUBLE_EQ(3.0, o.m_dataValue);
  EXPECT_TRUE(host.invalidated.empty());
}

TEST(DrawTextCalculator, SignStartsAComputationOnlyWhenBothFlagsAreSet) {
  TestHost host;
  const struct {
    const char* op;
    const char* display;
    int pending;
  } rows[] = {{"-", "-7", 0}, {"+", "7", 0}, {"*", "7", 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.op);
    CDrawText o(CRect(0, 20, 100, 0));
    o.m_operatorPending = 1;
    o.m_firstOperand = 1;
    o.m_displayText = "7";
    o.ApplyDisplayAction(row.op, "", 2, 0, 1);
    EXPECT_EQ(CString(row.display), o.m_displayText);
    EXPECT_EQ(row.pending, o.m_operatorPending);
  }
}

TEST(DrawTextCalculator, AnswerCheckMarksTheTextUntilCleared) {
  TestHost host;
  CDrawText o(CRect(0, 20, 100, 0));
  o.m_displayText = "北京";
  o.ApplyDisplayAction("", "北京", 7, 2, 0);  // the mode is not looked at
  EXPECT_EQ(kMarkTick, o.m_mark);
  o.ApplyDisplayAction("", "北京 ", 0, 2, 1);
  EXPECT_EQ(kMarkCross, o.m_mark);
  EXPECT_EQ(CString("北京"), o.m_displayText);
  o.ApplySetDataAction(0, 2, "", "");
  EXPECT_EQ(kMarkNone, o.m_mark);
}

TEST(DrawTextCalculator, SetDataFillsTheFormulasVariablesAsWritten) {
  TestHost host;
  CDrawText o(CRect(0, 20, 100, 0));
  o.ApplySetDataAction(0, 0, "x+Y*sin(x)", "6");
  o.ApplySetDataAction(1, 0, "x+Y*sin(x)", "7abc");  // atol reads the leading number
  o.ApplySetDataAction(3, 0, "x+Y*sin(x)", "100");   // the third name is x again; no fourth
  o.ApplySetDataAction(-1, 0, "x+Y*sin(x)", "100");
  o.ApplySetDataAction(0, 9, "x", "100");            // an unknown mode does nothing
  o.ApplyDisplayAction("x+Y", "", 0, 0, 1);
  EXPECT_EQ(CString("13"), o.m_displayText);
  o.ApplySetDataAction(2, 0, "x+Y*sin(x)", "1");
  o.ApplyDisplayAction("x*Y", "", 0, 0, 1);
  EXPECT_EQ(CString("7"), o.m_displayText);
  o.ApplyDisplayAction("X", "", 0, 0, 1);  // names are exact: "X" is not "x"
  EXPECT_EQ(CString("7"), o.m_displayText);
}

// ---- through the page's actions ------------------------------------------------------------

CMethod Action(DWORD type, int start) {
  CMethod a;
  a.m_nType = type;
  a.m_nStart = start;
  a.m_nDuration = 0;
  a.m_nActivation = 0;
  return a;
}

TEST(DrawTextCalculator, KeysAndOperatorsArriveThroughActions) {
  TestHost host;
  host.mode = kModeRunning;
  CDrawText display(CRect(0, 20, 100, 0)), key4(CRect(0, 50, 20, 30)), key5(CRect(30, 50, 50, 30));
  display.m_name = "display";
  key4.m_name = "key4";
  key4.m_displayText = "4";
  key5.m_name = "key5";
  key5.m_displayText = "5";
  host.objects = {&display, &key4, &key5};
  auto enter = [&](const char* key, int frame) {
    CMethod a = Action(CMethod::typeSetData, frame);
    a.m_strSource = key;
    a.m_nSetType = 1;
    display.m_actions.Add(a);
  };
  auto calculate = [&](const char* op, int frame) {
    CMethod a = Action(CMethod::typeCalculate, frame);
    a.m_strExpression = op;
    a.m_nIndex = 2;  // operator
    a.m_nMode = 0;   // integer
    a.m_nValue = 1;  // write
    display.m_actions.Add(a);
  };
  enter("key4", 0);
  enter("key5", 1);
  calculate("*", 2);
  enter("key4", 3);
  calculate("", 4);
  CMethod check = Action(CMethod::typeCalculate, 5);
  check.m_strSource = "180";
  check.m_nMode = 2;  // check
  display.m_actions.Add(check);
  display.m_actionMask = CMethod::typeSetData | CMethod::typeCalculate;
  display.SavePlayState(nullptr, nullptr);
  for (int t = 0; t <= 5; ++t) display.Step(t, nullptr);
  EXPECT_EQ(CString("180"), display.m_displayText);
  EXPECT_EQ(kMarkTick, display.m_mark);
  display.RestorePlayState(nullptr);
  EXPECT_EQ(CString(), display.m_displayText);
  EXPECT_EQ(kMarkNone, display.m_mark);
}

}  // namespace
