// CFunction: the mathematical definition behind a function plot: the kind of curve,
// the names of its variables, one or two formulas sharing one map of variables, and a
// domain of intervals and isolated points. It samples the definition into points in
// function units; the plot scales, clips and draws them. It is stored inside the
// plot's record.
#pragma once

#include "behaviour/Expression.h"
#include "behaviour/IntervalArray.h"
#include "behaviour/PlotPointArray.h"
#include "framework/core/MapStringToOb.h"
#include "framework/core/Object.h"
#include "framework/core/String.h"

class CArchive;

// m_kind.
constexpr int kFunctionCartesian = 0;   // y = f(x)
constexpr int kFunctionParametric = 1;  // x = x(t), y = y(t)
constexpr int kFunctionPolar = 2;       // r = f(theta)

class CFunction : public CObject {
  DECLARE_SERIAL(CFunction)

 public:
  // One generation stops appending after this many samples: a domain typed in the
  // dialog or read from a file may ask for billions.
  static constexpr int kMaxSamples = 1000000;
  // An open end is sampled this far inside the interval, whatever the step.
  static constexpr double kOpenEndOffset = 0.01;

  CFunction();
  ~CFunction() override;
  CFunction(const CFunction&) = delete;
  CFunction& operator=(const CFunction&) = delete;

  // Takes the other function's kind, names, formulas, variables (as numbers) and
  // domain; the domain is replaced, not appended to.
  void CopyFrom(const CFunction& other);

  // Appends the samples of every interval, in domain order. Returns the expression's
  // error code (positive) when an evaluation fails: the samples of this call are taken
  // back and the domain stays as it is. Otherwise 0.
  int GeneratePoints(CPlotPointArray& target);

  // The definition the dialog commits as a whole.
  struct Definition {
    int kind = kFunctionCartesian;
    CString independentName, dependentName, parameterName;
    CString firstFormula, secondFormula;
  };
  // What Define and SetSecondFormula refuse (bits).
  static constexpr int kFirstFormulaBad = 1;
  static constexpr int kSecondFormulaBad = 2;

  // The dialog's OK: the variables become only the kind's free variable (the
  // parameter for a parametric function, else the independent variable) at seedValue,
  // and the formulas are parsed against them. A parametric function needs both
  // formulas; the others need the second one to parse or to be empty, and keep their
  // parameter name and first formula. Nothing changes unless everything parses;
  // returns the bits of the formulas that did not.
  int Define(const Definition& definition, double seedValue);
  // Replaces the second formula alone (set data, property rows), parsed against the
  // current variables with the independent variable defined when it is missing.
  // Returns 0, or kSecondFormulaBad and nothing changed.
  int SetSecondFormula(const CString& formula);

  void Serialize(CArchive& ar) override;

  int m_kind = kFunctionCartesian;
  CString m_independentName = "x";
  CString m_dependentName = "y";
  CString m_parameterName = "t";
  CString m_firstFormula;   // x(t) of a parametric function
  CString m_secondFormula;  // f(x), y(t) or r(theta)
  CExpression m_firstExpression;
  CExpression m_secondExpression;
  CMapStringToOb* m_variables;  // owned, with the values in it; both expressions use it
  CIntervalArray m_domain;

 private:
  // 0 with the point in x and y, -1 when a formula is missing (no point), or the
  // positive error code.
  int Evaluate(double v, double& x, double& y);
  // Parses the formulas given against a trial map; when all of them parse, the trial
  // variables replace the function's and the formulas go into the expressions.
  int ParseTogether(CMapStringToOb& trial, const CString* first, const CString* second, bool emptySecondPasses);
};
