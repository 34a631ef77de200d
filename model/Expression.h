// CExpression: one formula typed by an author (text objects, user functions, function
// plots). It keeps the text, parses it once into a tree and evaluates the tree as often
// as needed against a map of variables that it does not own. Only the text is archived;
// loading parses it again.
//
// The language keeps its historical binding rules, on which stored formulas were tuned:
// comparison binds tighter than power, a unary minus takes the whole rest of the sum
// (-2+3 is -5), and blanks are skipped only before a factor and after a number, a name
// or a function application, so a blank after ')' or '|' ends the formula.
#pragma once

#include <memory>

#include "framework/core/MapStringToOb.h"
#include "framework/core/Object.h"
#include "framework/core/String.h"

class CExpression : public CObject {
  DECLARE_SERIAL(CExpression)
 public:
  // What Evaluate returns (and GetErrorCode reports).
  enum ErrorCode {
    errorNoFormula = -1,          // nothing parsed; only Evaluate returns it
    errorNone = 0,
    errorDivideByZero = 1,        // the quotient is then left * -1000
    errorIllegalOperation = 2,    // never produced by the evaluator; callers may show it
    errorUndefinedVariable = 3,   // the name is no longer in the map; it reads as 0
    errorDomain = 4,              // SQRT of a negative, LN or LOG of a number <= 0, ARCCTG 0
    errorEmptyNode = 10,
  };
  // What Parse and SetFormula return when the whole text parsed; otherwise they return
  // the position where parsing stopped.
  static constexpr int parseComplete = -1;
  // Formulas come from downloaded pages: nesting deeper than this fails to parse
  // instead of exhausting the stack.
  static constexpr int maxNesting = 256;

  CExpression();
  ~CExpression() override;
  CExpression(const CExpression&) = delete;
  CExpression& operator=(const CExpression&) = delete;

  // Binds the map that names resolve in (not owned; may be null).
  void SetVariableMap(CMapStringToOb* map) { m_variableMap = map; }
  CMapStringToOb* GetVariableMap() const { return m_variableMap; }

  // Stores the text and parses it; returns what Parse returns.
  int SetFormula(const char* text);
  const CString& GetFormula() const { return m_formula; }

  // parseComplete, or the position where parsing stopped (0 for an empty text, which
  // also drops the previous tree). Names must be in the bound map when parsing.
  int Parse();
  // The error code of this evaluation (errorNone on success); errorNoFormula, with
  // result untouched, when no tree exists. Evaluation runs to the end even after an
  // error; the last error met is the one returned.
  int Evaluate(double& result) const;
  // Defines or replaces a variable in the bound map as a CDoubleValue (the old value
  // object is deleted). Does nothing when no map is bound.
  void SetVariable(const char* name, double value);

  // For clones: takes the other expression's text and parses it here, against this
  // expression's own map. Returns what Parse returns.
  int CopyFrom(const CExpression& other);

  // The formula text as a counted string; loading parses it again.
  void Serialize(CArchive& ar) override;

  // The code of the last evaluation on the calling thread: each thread (each browser
  // control) keeps its own.
  static int GetErrorCode();
  // The message shown for an error code ("" for codes that have none).
  static const char* GetErrorText(int code);
  // Whether a name (in any letter case) is one of the language's functions.
  static BOOL IsFunctionName(const char* name);

 private:
  struct Node;
  struct NodeDeleter {
    void operator()(Node* node) const;
  };
  using NodePtr = std::unique_ptr<Node, NodeDeleter>;
  class NestingGuard;

  NodePtr ParseSum();
  NodePtr ParseProduct();
  NodePtr ParsePower();
  NodePtr ParseComparison();
  NodePtr ParseNot();
  NodePtr ParseFactor();
  NodePtr ParsePrimary();
  void SkipBlanks();
  char Peek() const { return m_formula.GetString()[m_position]; }

  double EvaluateNode(const Node* root) const;
  double Apply(const Node& node, double first, double second) const;
  // Frees a tree of any depth without recursion.
  static void FreeNode(Node* node);

  CMapStringToOb* m_variableMap = nullptr;
  CString m_formula;
  int m_position = 0;
  NodePtr m_root;
  int m_nesting = 0;  // while parsing
};
