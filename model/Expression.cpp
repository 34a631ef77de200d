#include "model/Expression.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

#include "framework/core/Archive.h"
#include "model/DoubleValue.h"

IMPLEMENT_SERIAL(CExpression, CObject, 0)

namespace {

// Operator codes of the tree.
constexpr BYTE kNumber = '@';
constexpr BYTE kVariable = '`';
constexpr BYTE kSin = 150, kCos = 151, kExp = 152, kSqrt = 153, kLn = 154, kTan = 155,
               kCot = 156, kArcSin = 157, kArcCos = 158, kArcTan = 159, kArcCot = 160,
               kLog = 161;

struct FunctionName {
  const char* name;
  BYTE code;
};
constexpr FunctionName kFunctions[] = {
    {"SIN", kSin},       {"COS", kCos},       {"EXP", kExp},        {"SQRT", kSqrt},
    {"LN", kLn},         {"TG", kTan},        {"TAN", kTan},        {"CTG", kCot},
    {"COT", kCot},       {"ARCSIN", kArcSin}, {"ARCCOS", kArcCos},  {"ARCTG", kArcTan},
    {"ARCTAN", kArcTan}, {"ARCCTG", kArcCot}, {"ARCCOT", kArcCot},  {"LOG", kLog},
};

// Lead bytes of double-byte characters must never count as letters.
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

BYTE FunctionCode(const char* name) {
  for (const FunctionName& f : kFunctions) {
    const char* a = name;
    const char* b = f.name;
    while (*a && *b && (*a >= 'a' && *a <= 'z' ? *a - 'a' + 'A' : *a) == *b) ++a, ++b;
    if (!*a && !*b) return f.code;
  }
  return 0;
}

// The digits and dots of a number, read as far as they form one (so "1.2.3" is 1.2),
// by the "C" rules whatever the process locale.
double NumberValue(const char* first, const char* last) {
  double value = 0.0;
  std::from_chars_result r = std::from_chars(first, last, value);
  if (r.ec == std::errc::result_out_of_range) {
    // Overflow has a non-zero digit before the point; anything else is too small.
    const char* dot = static_cast<const char*>(std::memchr(first, '.', static_cast<size_t>(last - first)));
    bool large = false;
    for (const char* p = first; p != (dot ? dot : last); ++p) large = large || *p != '0';
    value = large ? HUGE_VAL : 0.0;
  }
  return value;
}

// Each thread evaluates for its own page (one browser control per thread).
thread_local int t_errorCode = CExpression::errorNone;

}  // namespace

struct CExpression::Node {
  Node* left = nullptr;   // owned
  Node* right = nullptr;  // owned
  BYTE op = 0;
  double number = 0.0;
  CString name;
};

void CExpression::NodeDeleter::operator()(Node* node) const { FreeNode(node); }

void CExpression::FreeNode(Node* node) {
  std::vector<Node*> pending;
  while (node) {
    if (node->left) pending.push_back(node->left);
    if (node->right) pending.push_back(node->right);
    delete node;
    if (pending.empty()) break;
    node = pending.back();
    pending.pop_back();
  }
}

// Counts one level of nesting for as long as it lives; false when too deep.
class CExpression::NestingGuard {
 public:
  explicit NestingGuard(CExpression& owner) : m_owner(owner) { ++m_owner.m_nesting; }
  ~NestingGuard() { --m_owner.m_nesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
  explicit operator bool() const { return m_owner.m_nesting <= maxNesting; }

 private:
  CExpression& m_owner;
};

namespace {

template <typename NodePtr>
NodePtr MakeNode(BYTE op, NodePtr left, NodePtr right) {
  NodePtr node(new typename NodePtr::element_type);
  node->op = op;
  node->left = left.release();
  node->right = right.release();
  return node;
}

}  // namespace

CExpression::CExpression() = default;
CExpression::~CExpression() = default;

int CExpression::SetFormula(const char* text) {
  m_formula = text;
  return Parse();
}

int CExpression::Parse() {
  m_root.reset();
  m_position = 0;
  // An emptied formula must not keep evaluating the old one.
  if (m_formula.IsEmpty()) return 0;
  m_nesting = 0;
  NodePtr root = ParseSum();
  if (root && Peek() != '\0') root.reset();  // text left over
  m_root = std::move(root);
  return m_root ? parseComplete : m_position;
}

void CExpression::SkipBlanks() {
  while (Peek() == ' ') ++m_position;
}

// Each binary level: operand { op operand }, left-associative. No blanks are skipped
// before the operator: only a number, name or function application swallows them.
CExpression::NodePtr CExpression::ParseSum() {
  NodePtr left = ParseProduct();
  while (left && (Peek() == '+' || Peek() == '-')) {
    BYTE op = static_cast<BYTE>(Peek());
    ++m_position;
    NodePtr right = ParseProduct();
    if (!right) return nullptr;
    left = MakeNode(op, std::move(left), std::move(right));
  }
  return left;
}

CExpression::NodePtr CExpression::ParseProduct() {
  NodePtr left = ParsePower();
  while (left && (Peek() == '*' || Peek() == '/')) {
    BYTE op = static_cast<BYTE>(Peek());
    ++m_position;
    NodePtr right = ParsePower();
    if (!right) return nullptr;
    left = MakeNode(op, std::move(left), std::move(right));
  }
  return left;
}

CExpression::NodePtr CExpression::ParsePower() {
  NodePtr left = ParseComparison();
  while (left && Peek() == '^') {
    ++m_position;
    NodePtr right = ParseComparison();
    if (!right) return nullptr;
    left = MakeNode(BYTE('^'), std::move(left), std::move(right));
  }
  return left;
}

CExpression::NodePtr CExpression::ParseComparison() {
  NodePtr left = ParseNot();
  while (left && (Peek() == '<' || Peek() == '>')) {
    BYTE op = static_cast<BYTE>(Peek());
    ++m_position;
    NodePtr right = ParseNot();
    if (!right) return nullptr;
    left = MakeNode(op, std::move(left), std::move(right));
  }
  return left;
}

CExpression::NodePtr CExpression::ParseNot() {
  if (Peek() != '!') return ParseFactor();
  NestingGuard guard(*this);
  if (!guard) return nullptr;
  ++m_position;
  NodePtr operand = ParseNot();
  if (!operand) return nullptr;
  return MakeNode(BYTE('!'), NodePtr(), std::move(operand));
}

// Every way of nesting (parentheses, bars, unary minus, function arguments) passes
// through here, so the guard bounds the recursion.
CExpression::NodePtr CExpression::ParseFactor() {
  NestingGuard guard(*this);
  if (!guard) return nullptr;
  SkipBlanks();
  switch (Peek()) {
    case '-': {
      ++m_position;
      NodePtr operand = ParseSum();
      if (!operand) return nullptr;
      NodePtr minusOne(new Node);
      minusOne->op = kNumber;
      minusOne->number = -1.0;
      return MakeNode(BYTE('*'), std::move(minusOne), std::move(operand));
    }
    case '(': {
      ++m_position;
      NodePtr inner = ParseSum();
      if (!inner || Peek() != ')') return nullptr;
      ++m_position;
      return inner;
    }
    case '|': {
      ++m_position;
      NodePtr inner = ParseSum();
      if (!inner || Peek() != '|') return nullptr;
      ++m_position;
      return MakeNode(BYTE('|'), std::move(inner), NodePtr());
    }
    default:
      return ParsePrimary();
  }
}

CExpression::NodePtr CExpression::ParsePrimary() {
  SkipBlanks();
  const char* text = m_formula.GetString();
  const int start = m_position;
  NodePtr node;
  if (IsDigit(Peek())) {
    while (IsDigit(Peek()) || Peek() == '.') ++m_position;
    node.reset(new Node);
    node->op = kNumber;
    node->number = NumberValue(text + start, text + m_position);
  } else if (IsLetter(Peek())) {
    while (IsLetter(Peek()) || IsDigit(Peek())) ++m_position;
    CString name(text + start, m_position - start);
    if (BYTE function = FunctionCode(name)) {
      NodePtr argument = ParseFactor();
      if (!argument) return nullptr;
      node = MakeNode(function, std::move(argument), NodePtr());
    } else {
      CObject* value;
      if (!m_variableMap || !m_variableMap->Lookup(name, value)) return nullptr;
      node.reset(new Node);
      node->op = kVariable;
      node->name = name;
    }
  } else {
    return nullptr;
  }
  SkipBlanks();
  return node;
}

int CExpression::Evaluate(double& result) const {
  t_errorCode = errorNone;
  if (!m_root) return errorNoFormula;
  result = EvaluateNode(m_root.get());
  return t_errorCode;
}

// Post-order walk on an explicit stack, so that no formula, however long its chains of
// operators, can exhaust the thread's stack. '+', '*', '/' and '^' take their right
// operand first; the order shows only in which error code survives.
double CExpression::EvaluateNode(const Node* root) const {
  struct Frame {
    const Node* node;
    int done;      // operands evaluated so far
    double first;  // the value of the operand evaluated first
  };
  std::vector<Frame> stack;
  stack.push_back({root, 0, 0.0});
  double last = 0.0;
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const Node* node = frame.node;
    if (!node) {
      t_errorCode = errorEmptyNode;
      last = 0.0;
      stack.pop_back();
      continue;
    }
    const Node* order[2] = {nullptr, nullptr};
    int operands = 0;
    switch (node->op) {
      case '+': case '*': case '/': case '^':
        order[0] = node->right, order[1] = node->left, operands = 2;
        break;
      case '-': case '<': case '>':
        order[0] = node->left, order[1] = node->right, operands = 2;
        break;
      case '!':
        order[0] = node->right, operands = 1;
        break;
      case kNumber: case kVariable: case 0:
        break;
      default:  // '|' and the functions
        order[0] = node->left, operands = 1;
        break;
    }
    if (frame.done < operands) {
      if (frame.done == 1) frame.first = last;
      const Node* next = order[frame.done++];
      stack.push_back({next, 0, 0.0});  // frame is not used past this point
      continue;
    }
    last = Apply(*node, frame.first, last);
    stack.pop_back();
  }
  return last;
}

// first and second are the operands in the order they were evaluated; a unary operator
// gets its operand as second.
double CExpression::Apply(const Node& node, double first, double second) const {
  const double a = second;
  switch (node.op) {
    case '+': return second + first;
    case '*': return second * first;
    case '/':
      if (first == 0.0) {
        t_errorCode = errorDivideByZero;
        return second * -1000.0;
      }
      return second / first;
    case '^': return std::pow(second, first);
    case '-': return first - second;
    case '<': return first < second ? 1.0 : 0.0;
    case '>': return first > second ? 1.0 : 0.0;
    case '!': return a == 0.0 ? 1.0 : 0.0;
    case '|': return std::fabs(a);
    case kNumber: return node.number;
    case kVariable: {
      CObject* value = nullptr;
      if (m_variableMap && m_variableMap->Lookup(node.name, value) && value &&
          value->IsKindOf(RUNTIME_CLASS(CValue)))
        return static_cast<CValue*>(value)->GetValue();
      t_errorCode = errorUndefinedVariable;
      return 0.0;
    }
    case kSin: return std::sin(a);
    case kCos: return std::cos(a);
    case kExp: return std::exp(a);
    case kSqrt:
      if (a < 0.0) break;
      return std::sqrt(a);
    case kLn:
      if (a <= 0.0) break;
      return std::log(a);
    case kTan: return std::tan(a);
    case kCot: return 1.0 / std::tan(a);
    case kArcSin: return std::asin(a);
    case kArcCos: return std::acos(a);
    case kArcTan: return std::atan(a);
    case kArcCot:
      if (a == 0.0) break;
      return std::atan(1.0 / a);
    case kLog:
      if (a <= 0.0) break;
      return std::log10(a);
    default:
      t_errorCode = errorEmptyNode;
      return 0.0;
  }
  t_errorCode = errorDomain;
  return 0.0;
}

void CExpression::SetVariable(const char* name, double value) {
  if (!m_variableMap) return;
  std::unique_ptr<CDoubleValue> fresh(new CDoubleValue(value));
  CObject*& slot = (*m_variableMap)[name];
  delete slot;
  slot = fresh.release();
}

int CExpression::CopyFrom(const CExpression& other) {
  if (&other != this) m_formula = other.m_formula;
  return Parse();
}

void CExpression::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_formula;
  } else {
    ar >> m_formula;
    Parse();
  }
}

int CExpression::GetErrorCode() { return t_errorCode; }

const char* CExpression::GetErrorText(int code) {
  switch (code) {
    case errorDivideByZero: return "被除数不能为零";
    case errorIllegalOperation: return "非法运算";
    case errorUndefinedVariable: return "未定义变量";
    case errorDomain: return "非法定义域";
    case errorEmptyNode: return "空运算";
    default: return "";
  }
}

BOOL CExpression::IsFunctionName(const char* name) { return name && FunctionCode(name) != 0; }
