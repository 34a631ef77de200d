#include "editor/FunctionDefDlg.h"

#include <cstdlib>

#include "framework/core/MessageBox.h"
#include "framework/ui/DataExchange.h"
#include "resources/KordelIds.h"
#include "resources/ModelStrings.h"

namespace {

constexpr int kColumnWidth = 100;
constexpr int kColumns = 4;
constexpr int kKinds = 3;
constexpr double kMinimumStep = 0.1;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// An element's ends along the axis, and whether each end is open.
struct Span {
  double start, finish;
  bool startOpen, finishOpen;
};

Span SpanOf(const CInterval& i) {
  if (i.IsPoint()) {
    const bool hollow = i.endKind == kEndHollowPoint;
    return {i.left, i.left, hollow, hollow};
  }
  return {i.left, i.right, i.endKind == kEndOpenClosed || i.endKind == kEndOpenOpen,
          i.endKind == kEndClosedOpen || i.endKind == kEndOpenOpen};
}

bool FitsBefore(const Span& n, const Span& e) {
  return n.finish < e.start || (n.finish == e.start && (n.finishOpen || e.startOpen));
}

bool FitsAfter(const Span& n, const Span& e) {
  return n.start > e.finish || (n.start == e.finish && (n.startOpen || e.finishOpen));
}

// A number field's text as the author typed it must read as a number: empty text, or
// text that reads as 0 without starting with '0', is not one.
bool LooksLikeNumber(CString text) {
  text.TrimLeft();
  text.TrimRight();
  return !text.IsEmpty() && !(std::strtod(text, nullptr) == 0.0 && text[0] != '0');
}

CString Formatted(const char* format, double value) {
  CString text;
  text.Format(format, value);
  return text;
}

}  // namespace

CFunctionDefDlg::CFunctionDefDlg(CFunction& function, CWnd* pParent)
    : CDialog(IDD_FUNCTION_DEF, pParent), m_function(function) {
  MapCommand(IDC_FUN_ADD, &CFunctionDefDlg::OnAddInterval);
  MapCommand(IDC_FUN_DELETE, &CFunctionDefDlg::OnDeleteInterval);
  MapNotify(NM_CLICK, IDC_FUN_INTERVALS, &CFunctionDefDlg::OnClickIntervalList);
  MapControl(CBN_SELCHANGE, IDC_FUN_KIND, &CFunctionDefDlg::OnSelChangeKind);
  MapControl(EN_CHANGE, IDC_FUN_INDEPENDENT, &CFunctionDefDlg::OnChangeFirstVarName);
  MapControl(EN_CHANGE, IDC_FUN_DEPENDENT, &CFunctionDefDlg::OnChangeSecondVarName);
}

void CFunctionDefDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_FUN_INTERVALS, m_list);
  DDX_Control(pDX, IDC_FUN_KIND, m_kindList);
  DDX_Control(pDX, IDC_FUN_END_KIND, m_endKindList);
  DDX_Text(pDX, IDC_FUN_STEP, m_step);
  DDX_Text(pDX, IDC_FUN_LEFT, m_left);
  DDX_Text(pDX, IDC_FUN_RIGHT, m_right);
  DDX_Text(pDX, IDC_FUN_PARAMETER, m_parameterName);
  DDX_Text(pDX, IDC_FUN_INDEPENDENT, m_independentName);
  DDX_Text(pDX, IDC_FUN_DEPENDENT, m_dependentName);
  DDX_Text(pDX, IDC_FUN_FIRST_FORMULA, m_firstFormula);
  DDX_Text(pDX, IDC_FUN_SECOND_FORMULA, m_secondFormula);
  DDX_CBIndex(pDX, IDC_FUN_KIND, m_kindIndex);
  DDX_CBIndex(pDX, IDC_FUN_END_KIND, m_endKindIndex);
}

BOOL CFunctionDefDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The controls are bound before the lists are filled; the fields follow after.
  CDataExchange bind(this, FALSE);
  DDX_Control(&bind, IDC_FUN_INTERVALS, m_list);
  DDX_Control(&bind, IDC_FUN_KIND, m_kindList);
  DDX_Control(&bind, IDC_FUN_END_KIND, m_endKindList);
  m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int c = 0; c < kColumns; ++c)
    m_list.InsertColumn(c, LoadText(IDS_FUN_COLUMN_FIRST + c), LVCFMT_LEFT, kColumnWidth);
  for (int k = 0; k < kKinds; ++k) m_kindList.AddString(LoadText(IDS_FUN_KIND_FIRST + k));
  for (int k = 0; k < kIntervalEndKinds; ++k) m_endKindList.AddString(LoadText(IDS_FUN_END_KIND_FIRST + k));
  LoadFields();
  UpdateData(FALSE);
  ShowLabels();  // the names just shown have relabelled the formulas as they are typed
  FillList();
  m_openingDomain.Copy(m_function.m_domain);
  return TRUE;
}

void CFunctionDefDlg::LoadFields() {
  m_parameterName = m_function.m_parameterName;
  m_independentName = m_function.m_independentName;
  m_dependentName = m_function.m_dependentName;
  m_firstFormula = m_function.m_firstFormula;
  m_secondFormula = m_function.m_secondFormula;
  m_kindIndex = m_function.m_kind >= 0 && m_function.m_kind < kKinds ? m_function.m_kind : 0;
  ShowLabels();
  EnableFormulas();
  if (m_function.m_domain.GetSize() > 0) {
    const CInterval& first = m_function.m_domain[0];
    m_endKindIndex = first.endKind >= 0 && first.endKind < kIntervalEndKinds ? first.endKind : 0;
    m_step = first.step;
    m_left = first.left;
    m_right = first.right;
  }
}

void CFunctionDefDlg::ShowLabels() {
  CString label;
  label.Format("%s  =", m_independentName.IsEmpty() ? "x" : m_independentName.GetString());
  SetDlgItemText(IDC_FUN_FIRST_LABEL, label);
  label.Format("%s  =", m_dependentName.IsEmpty() ? "y" : m_dependentName.GetString());
  SetDlgItemText(IDC_FUN_SECOND_LABEL, label);
}

void CFunctionDefDlg::EnableFormulas() {
  const BOOL parametric = m_kindIndex == kFunctionParametric;
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_FUN_FIRST_FORMULA), parametric);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_FUN_PARAMETER), parametric);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_FUN_SECOND_FORMULA), TRUE);
}

void CFunctionDefDlg::FillList() {
  m_list.DeleteAllItems();
  for (int i = 0; i < m_function.m_domain.GetSize(); ++i) {
    const CInterval& interval = m_function.m_domain[i];
    CString kind;
    if (interval.endKind >= 0 && interval.endKind < kIntervalEndKinds) kind = LoadText(IDS_FUN_END_KIND_FIRST + interval.endKind);
    const int row = m_list.InsertItem(i, kind);
    m_list.SetItemText(row, 1, Formatted("%.3f", interval.left));
    m_list.SetItemText(row, 2, Formatted("%.3f", interval.right));
    m_list.SetItemText(row, 3, Formatted("%.3f", interval.step));
  }
}

// ---- handlers -------------------------------------------------------------------------------

void CFunctionDefDlg::OnSelChangeKind() {
  if (!UpdateData(TRUE)) return;
  ShowLabels();
  EnableFormulas();
}

// Only the name is read: the number fields may hold text being typed.
void CFunctionDefDlg::ShowNameLabel(int labelId, int editId) {
  CString name;
  GetDlgItemText(editId, name);
  CString label;
  label.Format("%s  =", name.GetString());
  SetDlgItemText(labelId, label);
}

void CFunctionDefDlg::OnChangeFirstVarName() { ShowNameLabel(IDC_FUN_FIRST_LABEL, IDC_FUN_INDEPENDENT); }
void CFunctionDefDlg::OnChangeSecondVarName() { ShowNameLabel(IDC_FUN_SECOND_LABEL, IDC_FUN_DEPENDENT); }

void CFunctionDefDlg::OnClickIntervalList(NMHDR*, LRESULT* pResult) {
  if (pResult) *pResult = 0;
  const int mark = m_list.GetSelectionMark();
  if (mark < 0 || mark >= m_function.m_domain.GetSize()) return;
  if (!UpdateData(TRUE)) return;
  const CInterval& interval = m_function.m_domain[mark];
  m_step = interval.step;
  m_left = interval.left;
  m_right = interval.right;
  m_endKindIndex = interval.endKind >= 0 && interval.endKind < kIntervalEndKinds ? interval.endKind : 0;
  UpdateData(FALSE);
}

void CFunctionDefDlg::OnDeleteInterval() {
  const int mark = m_list.GetSelectionMark();
  if (mark < 0 || mark >= m_function.m_domain.GetSize()) return;
  m_function.m_domain.RemoveAt(mark);
  FillList();
}

void CFunctionDefDlg::OnAddInterval() {
  for (int id : {IDC_FUN_LEFT, IDC_FUN_RIGHT, IDC_FUN_STEP}) {
    CString text;
    GetDlgItemText(id, text);
    if (!LooksLikeNumber(text)) {
      AfxMessageBox(IDS_FUN_INTERVAL_UNDEFINED, MB_OK);
      return;
    }
  }
  if (!UpdateData(TRUE)) return;
  if (m_step < kMinimumStep) {
    AfxMessageBox(LoadText(IDS_FUN_MIN_STEP) + Formatted("%f", kMinimumStep), MB_OK);
    m_step = kMinimumStep;
    UpdateData(FALSE);
    return;
  }
  const CInterval interval{m_left, m_right, m_step, m_endKindIndex};
  if (!interval.IsPoint() && !(m_left < m_right)) {
    AfxMessageBox(IDS_FUN_RIGHT_NOT_ABOVE_LEFT, MB_OK);
    return;
  }
  const int position = FindInsertPosition(m_function.m_domain, interval);
  if (position < 0) {
    AfxMessageBox(IDS_FUN_OVERLAP, MB_OK);
    return;
  }
  m_function.m_domain.InsertAt(position, interval);
  FillList();
}

int CFunctionDefDlg::FindInsertPosition(const CIntervalArray& domain, const CInterval& interval) {
  const int count = domain.GetSize();
  if (count == 0) return 0;
  const Span n = SpanOf(interval);
  if (FitsBefore(n, SpanOf(domain[0]))) return 0;
  for (int i = 1; i < count; ++i)
    if (FitsAfter(n, SpanOf(domain[i - 1])) && FitsBefore(n, SpanOf(domain[i]))) return i;
  return FitsAfter(n, SpanOf(domain[count - 1])) ? count : -1;
}

bool CFunctionDefDlg::IsVariableName(const CString& name) {
  if (name.IsEmpty()) return false;
  const char c = name[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void CFunctionDefDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  const bool parametric = m_kindIndex == kFunctionParametric;
  // The first name's message starts the text; every other one follows a line feed.
  CString messages;
  auto append = [&](UINT id) { messages += "\n" + LoadText(id); };
  bool namesValid = true;
  if (parametric && !IsVariableName(m_parameterName)) {
    messages = LoadText(IDS_FUN_PARAMETER_NOT_LETTER);
    namesValid = false;
  }
  if (!IsVariableName(m_independentName)) {
    if (parametric)
      append(IDS_FUN_INDEPENDENT_NOT_LETTER);
    else
      messages = LoadText(IDS_FUN_INDEPENDENT_NOT_LETTER);
    namesValid = false;
  }
  if (!IsVariableName(m_dependentName)) {
    append(IDS_FUN_DEPENDENT_NOT_LETTER);
    namesValid = false;
  }
  if (namesValid) {
    CFunction::Definition definition;
    definition.kind = m_kindIndex;
    definition.parameterName = m_parameterName;
    definition.independentName = m_independentName;
    definition.dependentName = m_dependentName;
    definition.firstFormula = m_firstFormula;
    definition.secondFormula = m_secondFormula;
    const int bad = m_function.Define(definition, m_left);
    if (bad & CFunction::kFirstFormulaBad) append(IDS_FUN_FIRST_FORMULA_BAD);
    if (bad & CFunction::kSecondFormulaBad) append(IDS_FUN_SECOND_FORMULA_BAD);
  }
  if (!messages.IsEmpty()) {
    AfxMessageBox(messages, MB_OK);
    UpdateData(FALSE);
    return;
  }
  EndDialog(IDOK);
}
