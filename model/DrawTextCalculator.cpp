// The text object as a calculator and an answer check. Set-data actions enter digits,
// clear the display or set the variables of a formula; calculate actions apply an
// operator or a formula to the value through the expression engine, or compare the
// display with the expected answer and mark it.
//
// Numbers typed can grow without bound and results may be infinite or undefined:
// conversions saturate at the 32-bit limits, and a result without a number shows the
// error text, as a calculator shows an error.
#include <climits>
#include <cmath>
#include <cstdlib>

#include "framework/core/StringList.h"
#include "graphics/DoubleToCoord.h"
#include "graphics/GeometryHelpers.h"
#include "model/DrawText.h"
#include "resources/ModelStrings.h"

namespace {

// Set-data modes (ApplySetDataAction).
constexpr int kSetVariable = 0;
constexpr int kEnterDigits = 1;
constexpr int kClear = 2;
// Calculate modes and kinds (ApplyDisplayAction).
constexpr int kFormula = 0;
constexpr int kEvaluateDisplay = 1;
constexpr int kOperator = 2;
constexpr int kKindInteger = 0;
constexpr int kKindDecimal = 1;
constexpr int kKindCheck = 2;

// The leading number of the text as atol reads it (blanks, a sign, digits), saturated
// at the 32-bit limits instead of overflowing.
double LeadingInteger(const CString& text) {
  const long long v = std::strtoll(text.GetString(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<double>(v);
}

}  // namespace

void CDrawText::ApplySetDataAction(double index, double mode, const CString& formula, const CString& source) {
  switch (DoubleToCoord(mode)) {
    case kSetVariable: {
      // The names as written: the expression engine looks them up by exact name.
      CStringList names;
      CollectVariableNames(formula.GetString(), names);
      const int i = DoubleToCoord(index);
      if (i < 0 || i >= names.GetCount()) return;
      m_expression.SetVariable(names.GetAt(names.FindIndex(i)).GetString(), LeadingInteger(source));
      return;
    }
    case kEnterDigits:
      // After an operator or an error the digits start a new number.
      if (m_operatorPending || m_calculationFailed) {
        m_displayText.Empty();
        Invalidate();
        m_operatorPending = 0;
        m_calculationFailed = false;
      }
      m_displayText += source;
      if (m_firstOperand) m_dataValue = LeadingInteger(m_displayText);
      Invalidate();
      return;
    case kClear:
      m_firstOperand = 1;
      m_dataValue = 0.0;
      m_mark = kMarkNone;
      m_operatorPending = 0;
      m_calculationFailed = false;
      m_displayText.Empty();
      Invalidate();
      return;
    default:
      return;
  }
}

int CDrawText::ApplyDisplayAction(const CString& text, const CString& expected, double mode, double kind,
                                  double write) {
  const int k = DoubleToCoord(kind);
  const BOOL doWrite = write != 0.0;
  if (k == kKindCheck) {
    m_mark = expected == m_displayText ? kMarkTick : kMarkCross;
    Invalidate();
    return 0;
  }
  switch (DoubleToCoord(mode)) {
    case kFormula:
    case kEvaluateDisplay:
      m_text2 = DoubleToCoord(mode) == kFormula ? text : m_displayText;
      // A formula that does not parse changes nothing else and redraws nothing.
      if (m_expression.SetFormula(m_text2.GetString()) != CExpression::parseComplete) return 0;
      Compute();
      ShowValue(k, doWrite, true);
      return 0;
    case kOperator: {
      const CString formula = CString("a") + text + "b";
      if (!m_operatorPending && m_firstOperand) {
        m_operatorPending = 1;
        m_firstOperand = 0;
        m_text2 = formula;
      } else if (!m_operatorPending) {
        m_operatorPending = 1;
        m_expression.SetVariable("a", m_dataValue);
        m_expression.SetVariable("b", LeadingInteger(m_displayText));
        m_expression.SetFormula(m_text2.GetString());
        Compute();
        m_text2 = formula;
        ShowValue(k, doWrite, false);
      } else if (!m_firstOperand) {
        m_text2 = formula;  // the pending operator is replaced
      } else if (text.Find('+') >= 0 || text.Find('-') >= 0) {
        m_firstOperand = 0;
        m_operatorPending = 0;
        m_text2 = formula;
        m_expression.SetVariable("a", m_dataValue);
        m_expression.SetVariable("b", LeadingInteger(m_displayText));
        m_expression.SetFormula(m_text2.GetString());
        Compute();
        ShowValue(k, doWrite, false);
      }
      return 0;
    }
    default:
      return 0;
  }
}

// Evaluates the parsed formula into the value. Without a parsed formula the value stays;
// a failed evaluation or a result without a number leaves 0 and marks the failure.
bool CDrawText::Compute() {
  double result = m_dataValue;
  const int code = m_expression.Evaluate(result);
  if (code == CExpression::errorNoFormula) {
    m_calculationFailed = false;
    return true;
  }
  if (code != CExpression::errorNone || !std::isfinite(result)) {
    m_dataValue = 0.0;
    m_calculationFailed = true;
    return false;
  }
  m_dataValue = result;
  m_calculationFailed = false;
  return true;
}

// Formulas (modes 0 and 1) write only integers and decimals; the operator writes a
// decimal for every kind but the integer one.
void CDrawText::ShowValue(int kind, BOOL write, bool formula) {
  if (write) {
    const bool integer = kind == kKindInteger;
    const bool decimal = formula ? kind == kKindDecimal : !integer;
    if (integer || decimal) SetDisplayToValue(integer ? kKindInteger : kKindDecimal);
  }
  Invalidate();
}

void CDrawText::SetDisplayToValue(int kind) {
  if (m_calculationFailed) {
    m_displayText.LoadString(IDS_CALCULATOR_ERROR);
    return;
  }
  if (kind == kKindInteger)
    m_displayText.Format("%d", DoubleToCoord(m_dataValue));
  else
    m_displayText.Format("%f", m_dataValue);
}
