#include "behaviour/Function.h"

#include <cmath>

#include "behaviour/DoubleValue.h"
#include "behaviour/Value.h"
#include "framework/core/Archive.h"

IMPLEMENT_SERIAL(CFunction, CObject, 0)

namespace {

constexpr UINT kVariableHashSize = 17;
constexpr ULONGLONG kIntervalBytes = 28;  // three doubles and the end kind

// A map of variables as the function keeps them; the caller deletes its values.
struct TrialMap {
  CMapStringToOb map{10};
  TrialMap() { map.InitHashTable(kVariableHashSize); }
  ~TrialMap() { CValue::DeleteVariables(map); }
};

}  // namespace

CFunction::CFunction() : m_variables(new CMapStringToOb(10)) {
  m_variables->InitHashTable(kVariableHashSize);
  m_firstExpression.SetVariableMap(m_variables);
  m_secondExpression.SetVariableMap(m_variables);
  m_domain.SetSize(1);
}

CFunction::~CFunction() {
  CValue::DeleteVariables(*m_variables);
  m_firstExpression.SetVariableMap(nullptr);
  m_secondExpression.SetVariableMap(nullptr);
  delete m_variables;
}

void CFunction::CopyFrom(const CFunction& other) {
  if (&other == this) return;
  m_kind = other.m_kind;
  m_independentName = other.m_independentName;
  m_dependentName = other.m_dependentName;
  m_parameterName = other.m_parameterName;
  m_firstFormula = other.m_firstFormula;
  m_secondFormula = other.m_secondFormula;
  CValue::DeleteVariables(*m_variables);
  for (POSITION pos = other.m_variables->GetStartPosition(); pos;) {
    CString name;
    CObject* value;
    other.m_variables->GetNextAssoc(pos, name, value);
    const double number = value && value->IsKindOf(RUNTIME_CLASS(CValue)) ? static_cast<CValue*>(value)->GetValue() : 0.0;
    m_variables->SetAt(name, new CDoubleValue(number));
  }
  m_firstExpression.SetFormula(other.m_firstExpression.GetFormula());
  m_secondExpression.SetFormula(other.m_secondExpression.GetFormula());
  m_domain.Copy(other.m_domain);
}

// ---- sampling -------------------------------------------------------------------------------

int CFunction::Evaluate(double v, double& x, double& y) {
  if (m_kind == kFunctionParametric) {
    m_firstExpression.SetVariable(m_parameterName, v);
    m_secondExpression.SetVariable(m_parameterName, v);
    const int first = m_firstExpression.Evaluate(x);
    if (first > 0) return first;
    const int second = m_secondExpression.Evaluate(y);
    if (second > 0) return second;
    return first < 0 || second < 0 ? -1 : 0;
  }
  m_secondExpression.SetVariable(m_independentName, v);
  x = v;
  const int code = m_secondExpression.Evaluate(y);
  return code > 0 ? code : (code < 0 ? -1 : 0);
}

int CFunction::GeneratePoints(CPlotPointArray& target) {
  const int before = target.GetSize();
  int budget = kMaxSamples;
  int error = 0;
  // One sample position; false ends the generation (an error or the cap).
  auto sample = [&](double v, int flag) {
    if (budget-- <= 0) return false;
    double x = 0.0, y = 0.0;
    const int code = Evaluate(v, x, y);
    if (code > 0) {
      error = code;
      return false;
    }
    if (code == 0) target.Add(x, y, flag);
    return true;
  };

  for (int i = 0; i < m_domain.GetSize(); ++i) {
    const CInterval interval = m_domain[i];
    // A step of 0 samples nothing; a negative or unusable number would never end.
    if (!(interval.step > 0.0) || !std::isfinite(interval.step) || !std::isfinite(interval.left) ||
        !std::isfinite(interval.right))
      continue;
    const double left = interval.left, right = interval.right;
    bool going = true;
    switch (interval.endKind) {
      case kEndClosedClosed:
      case kEndOpenClosed:
      case kEndClosedOpen:
      case kEndOpenOpen: {
        const bool leftOpen = interval.endKind == kEndOpenClosed || interval.endKind == kEndOpenOpen;
        const bool rightOpen = interval.endKind == kEndClosedOpen || interval.endKind == kEndOpenOpen;
        if (left < right)
          going = sample(leftOpen ? left + kOpenEndOffset : left, leftOpen ? kPlotFirstOpen : kPlotFirstClosed);
        // Each position from n, not accumulated, so that rounding does not drift.
        for (double n = 1.0; going; n += 1.0) {
          const double v = left + n * interval.step;
          if (!(v < right)) break;
          going = sample(v, kPlotInner);
        }
        if (going)
          going = sample(rightOpen ? right - kOpenEndOffset : right, rightOpen ? kPlotLastOpen : kPlotLastClosed);
        break;
      }
      case kEndSolidPoint:
      case kEndHollowPoint: {
        const int flag = interval.endKind == kEndSolidPoint ? kPlotSolidPoint : kPlotHollowPoint;
        if (m_kind == kFunctionParametric) {
          // The point's parameter is its left number.
          going = sample(left, flag);
        } else if (budget-- > 0) {
          target.Add(left, right, flag);
        } else {
          going = false;
        }
        break;
      }
      default:
        break;
    }
    if (!going) break;
  }
  if (error > 0) {
    target.SetSize(before);
    return error;
  }
  return 0;
}

// ---- definitions ----------------------------------------------------------------------------

int CFunction::ParseTogether(CMapStringToOb& trial, const CString* first, const CString* second,
                             bool emptySecondPasses) {
  int bad = 0;
  CExpression probe;
  probe.SetVariableMap(&trial);
  if (first && probe.SetFormula(*first) != CExpression::parseComplete) bad |= kFirstFormulaBad;
  if (second && probe.SetFormula(*second) != CExpression::parseComplete &&
      !(emptySecondPasses && second->IsEmpty()))
    bad |= kSecondFormulaBad;
  if (bad) return bad;
  CValue::DeleteVariables(*m_variables);
  CValue::CopyVariables(trial, *m_variables);
  if (first) m_firstExpression.SetFormula(*first);
  if (second) m_secondExpression.SetFormula(*second);
  return 0;
}

int CFunction::Define(const Definition& definition, double seedValue) {
  TrialMap trial;
  const bool parametric = definition.kind == kFunctionParametric;
  trial.map.SetAt(parametric ? definition.parameterName : definition.independentName, new CDoubleValue(seedValue));
  const int bad = parametric ? ParseTogether(trial.map, &definition.firstFormula, &definition.secondFormula, false)
                             : ParseTogether(trial.map, nullptr, &definition.secondFormula, true);
  if (bad) return bad;
  m_kind = definition.kind;
  m_independentName = definition.independentName;
  m_dependentName = definition.dependentName;
  m_secondFormula = definition.secondFormula;
  if (parametric) {
    m_parameterName = definition.parameterName;
    m_firstFormula = definition.firstFormula;
  }
  return 0;
}

int CFunction::SetSecondFormula(const CString& formula) {
  TrialMap trial;
  CValue::CopyVariables(*m_variables, trial.map);
  CObject* existing = nullptr;
  if (!trial.map.Lookup(m_independentName, existing))
    trial.map.SetAt(m_independentName, new CDoubleValue(m_domain.IsEmpty() ? 0.0 : m_domain[0].left));
  if (ParseTogether(trial.map, nullptr, &formula, false)) return kSecondFormulaBad;
  m_secondFormula = formula;
  return 0;
}

// ---- the record -----------------------------------------------------------------------------

void CFunction::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<LONG>(m_kind) << m_independentName << m_dependentName << m_parameterName << m_firstFormula
       << m_secondFormula;
    ar << static_cast<LONG>(m_domain.GetSize());
    for (int i = 0; i < m_domain.GetSize(); ++i) {
      const CInterval& interval = m_domain[i];
      ar << interval.left << interval.right << interval.step << static_cast<LONG>(interval.endKind);
    }
    m_variables->Serialize(ar);
    m_firstExpression.Serialize(ar);
    m_secondExpression.Serialize(ar);
    return;
  }
  LONG kind, count;
  ar >> kind >> m_independentName >> m_dependentName >> m_parameterName >> m_firstFormula >> m_secondFormula;
  ar >> count;
  // The count comes from the file: it must fit in what is left of it.
  if (count < 0) throw CArchiveException(CArchiveException::badIndex);
  ar.CheckAvailable(static_cast<ULONGLONG>(count), kIntervalBytes);
  m_kind = kind;
  m_domain.SetSize(count);
  for (int i = 0; i < count; ++i) {
    CInterval& interval = m_domain[i];
    LONG endKind;
    ar >> interval.left >> interval.right >> interval.step >> endKind;
    interval.endKind = endKind;
  }
  CValue::LoadVariables(ar, *m_variables);
  // The names are in the map now, so the formulas parse as they load.
  m_firstExpression.Serialize(ar);
  m_secondExpression.Serialize(ar);
}
