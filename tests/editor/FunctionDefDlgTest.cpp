// The function definition dialog: where intervals go in a domain, and the real dialog
// driven by window messages as a user's clicks and typing would drive it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "editor/FunctionDefDlg.h"
#include "resources/KordelIds.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

namespace {

TEST(FunctionDefDlg, IntervalsGoInOrderWithoutOverlap) {
  CIntervalArray domain;
  domain.Add(CInterval{0, 1, 0.1, kEndClosedClosed});   // [0, 1]
  domain.Add(CInterval{3, 4, 0.1, kEndClosedOpen});     // [3, 4)
  const struct {
    const char* what;
    CInterval n;
    int want;
  } rows[] = {
      {"before everything", {-5, -1, 0.1, kEndClosedClosed}, 0},
      {"touching [0 from the left only when open", {-1, 0, 0.1, kEndClosedOpen}, 0},
      {"[-1, 0] overlaps [0", {-1, 0, 0.1, kEndClosedClosed}, -1},
      {"(1, 2] after [0, 1]", {1, 2, 0.1, kEndOpenClosed}, 1},
      {"[1, 2] overlaps 1", {1, 2, 0.1, kEndClosedClosed}, -1},
      {"(1, 3) between", {1, 3, 0.1, kEndOpenOpen}, 1},
      {"(1, 3] meets [3", {1, 3, 0.1, kEndOpenClosed}, -1},
      {"a hollow point at 1", {1, 0, 0.1, kEndHollowPoint}, 1},
      {"a solid point at 1", {1, 0, 0.1, kEndSolidPoint}, -1},
      {"a solid point at 4, the open end", {4, 9, 0.1, kEndSolidPoint}, 2},
      {"after everything", {5, 6, 0.1, kEndClosedClosed}, 2},
      {"inside", {0.2, 0.5, 0.1, kEndClosedClosed}, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.want, CFunctionDefDlg::FindInsertPosition(domain, row.n));
  }
  EXPECT_EQ(0, CFunctionDefDlg::FindInsertPosition(CIntervalArray(), rows[0].n));
}

// The dialog runs modally as the editor runs it; the script drives it once it is up.
class ScriptedDialog : public CFunctionDefDlg {
 public:
  ScriptedDialog(CFunction& function, std::function<void(ScriptedDialog&)> script)
      : CFunctionDefDlg(function, nullptr), m_script(std::move(script)) {}
  BOOL OnInitDialog() override {
    CFunctionDefDlg::OnInitDialog();
    m_script(*this);
    return TRUE;
  }

  CString Text(int id) const {
    CString text;
    GetDlgItemText(id, text);
    return text;
  }
  void Type(int id, const char* text) { SetDlgItemText(id, text); }
  void Press(int id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id))); }
  void Choose(int id, int index) {
    ::SendMessageA(Item(id), CB_SETCURSEL, index, 0);
    SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
  }
  void ClickRow(int row) {
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(Item(IDC_FUN_INTERVALS), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    ::SendMessageA(Item(IDC_FUN_INTERVALS), LVM_SETSELECTIONMARK, 0, row);
    NMITEMACTIVATE click = {};
    click.hdr = {Item(IDC_FUN_INTERVALS), static_cast<UINT_PTR>(IDC_FUN_INTERVALS), static_cast<UINT>(NM_CLICK)};
    click.iItem = row;
    SendMessage(WM_NOTIFY, IDC_FUN_INTERVALS, reinterpret_cast<LPARAM>(&click));
  }
  int Rows() const { return static_cast<int>(::SendMessageA(Item(IDC_FUN_INTERVALS), LVM_GETITEMCOUNT, 0, 0)); }
  CString Cell(int row, int column) const {
    char buffer[64] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ::SendMessageA(Item(IDC_FUN_INTERVALS), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  BOOL Enabled(int id) const { return ::IsWindowEnabled(Item(id)); }
  HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

 private:
  std::function<void(ScriptedDialog&)> m_script;
};

INT_PTR RunDialog(CFunction& function, std::function<void(ScriptedDialog&)> script) {
  ModalCapture modal([](ModalCall& call) { return call.show(); });
  ScriptedDialog dialog(function, std::move(script));
  return dialog.DoModal();
}

TEST(FunctionDefDlg, KindsEnableTheirEditsAndNamesLabelTheFormulas) {
  CFunction function;
  const INT_PTR result = RunDialog(function, [](ScriptedDialog& d) {
    char caption[64] = {};
    ::GetWindowTextA(d.m_hWnd, caption, sizeof caption);
    EXPECT_STREQ("函数定义", caption);
    EXPECT_EQ("x  =", d.Text(IDC_FUN_FIRST_LABEL));
    EXPECT_EQ("y  =", d.Text(IDC_FUN_SECOND_LABEL));
    EXPECT_FALSE(d.Enabled(IDC_FUN_FIRST_FORMULA));
    EXPECT_FALSE(d.Enabled(IDC_FUN_PARAMETER));
    EXPECT_TRUE(d.Enabled(IDC_FUN_SECOND_FORMULA));
    EXPECT_EQ("-10.000", d.Cell(0, 1));
    EXPECT_EQ("左闭右闭", d.Cell(0, 0));
    EXPECT_EQ("0.100", d.Cell(0, 3));

    d.Choose(IDC_FUN_KIND, kFunctionParametric);
    EXPECT_TRUE(d.Enabled(IDC_FUN_FIRST_FORMULA));
    EXPECT_TRUE(d.Enabled(IDC_FUN_PARAMETER));
    d.Type(IDC_FUN_INDEPENDENT, "u");
    d.Type(IDC_FUN_DEPENDENT, "");
    EXPECT_EQ("u  =", d.Text(IDC_FUN_FIRST_LABEL));
    EXPECT_EQ("  =", d.Text(IDC_FUN_SECOND_LABEL));
    d.Choose(IDC_FUN_KIND, kFunctionPolar);
    EXPECT_FALSE(d.Enabled(IDC_FUN_FIRST_FORMULA));
    EXPECT_EQ("y  =", d.Text(IDC_FUN_SECOND_LABEL));  // an empty name shows the default
    d.PostMessage(WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_EQ(kFunctionCartesian, function.m_kind);
  EXPECT_EQ("x", function.m_independentName);
}

TEST(FunctionDefDlg, AddAndDeleteChangeTheDomainAtOnce) {
  CFunction function;
  function.m_domain[0] = CInterval{0, 1, 0.5, kEndClosedClosed};
  MessageBoxCapture boxes;
  const INT_PTR result = RunDialog(function, [&](ScriptedDialog& d) {
    EXPECT_EQ(0.5, std::strtod(d.Text(IDC_FUN_STEP), nullptr));
    auto add = [&](int kind, const char* left, const char* right, const char* step) {
      d.Choose(IDC_FUN_END_KIND, kind);
      d.Type(IDC_FUN_LEFT, left);
      d.Type(IDC_FUN_RIGHT, right);
      d.Type(IDC_FUN_STEP, step);
      d.Press(IDC_FUN_ADD);
    };
    add(kEndOpenClosed, "1", "2", "0.1");   // (1, 2] fits after [0, 1]
    add(kEndClosedClosed, "1", "2", "0.1");  // overlaps
    add(kEndClosedClosed, "abc", "2", "0.1");
    add(kEndClosedClosed, "5", "6", "0.01");
    EXPECT_EQ(0.1, std::strtod(d.Text(IDC_FUN_STEP), nullptr));
    add(kEndClosedClosed, "7", "6", "0.1");
    add(kEndSolidPoint, "-3", "7", "0.1");   // a point goes first
    add(kEndClosedClosed, "0", "", "0.1");
    EXPECT_EQ(3, d.Rows());
    EXPECT_EQ("实孤立点", d.Cell(0, 0));
    EXPECT_EQ("左开右闭", d.Cell(2, 0));

    d.Type(IDC_FUN_RIGHT, "1");  // a click reads the fields first: they must hold numbers
    d.ClickRow(2);  // its numbers go into the fields
    EXPECT_EQ(2.0, std::strtod(d.Text(IDC_FUN_RIGHT), nullptr));
    EXPECT_EQ(kEndOpenClosed, static_cast<int>(::SendMessageA(d.Item(IDC_FUN_END_KIND), CB_GETCURSEL, 0, 0)));
    d.ClickRow(0);
    d.Press(IDC_FUN_DELETE);
    EXPECT_EQ(2, d.Rows());
    d.PostMessage(WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(IDCANCEL, result);
  // Cancel keeps what Add and Delete did.
  ASSERT_EQ(2, function.m_domain.GetSize());
  EXPECT_TRUE((function.m_domain[1] == CInterval{1, 2, 0.1, kEndOpenClosed}));
  std::vector<CString> texts;
  for (const CapturedBox& box : boxes.boxes()) texts.push_back(box.text);
  EXPECT_EQ((std::vector<CString>{"区间不能重叠", "区间定义有误", "区间最小单位不能小于0.100000",
                                  "区间右端值必须大于左端值", "区间定义有误"}),
            texts);
}

TEST(FunctionDefDlg, OKCollectsItsMessagesAndCommitsOnlyAValidDefinition) {
  CFunction function;
  MessageBoxCapture boxes;
  const INT_PTR result = RunDialog(function, [&](ScriptedDialog& d) {
    d.Type(IDC_FUN_INDEPENDENT, "1x");
    d.Type(IDC_FUN_DEPENDENT, "");
    d.Type(IDC_FUN_SECOND_FORMULA, "x*x");
    d.Press(IDOK);
    d.Type(IDC_FUN_INDEPENDENT, "x");
    d.Type(IDC_FUN_DEPENDENT, "y");
    d.Type(IDC_FUN_SECOND_FORMULA, "x*");
    d.Press(IDOK);
    d.Choose(IDC_FUN_KIND, kFunctionParametric);
    d.Type(IDC_FUN_PARAMETER, "t");
    d.Type(IDC_FUN_FIRST_FORMULA, "");
    d.Type(IDC_FUN_SECOND_FORMULA, "t");
    d.Press(IDOK);
    d.Choose(IDC_FUN_KIND, kFunctionCartesian);
    d.Type(IDC_FUN_SECOND_FORMULA, "x*x");
    d.Press(IDOK);  // accepted: the dialog ends
  });
  EXPECT_EQ(IDOK, result);
  std::vector<CString> texts;
  for (const CapturedBox& box : boxes.boxes()) texts.push_back(box.text);
  EXPECT_EQ((std::vector<CString>{"自变量必需为字母\n因变量必需为字母", "\n因变量式语法有误", "\n自变量式语法有误"}),
            texts);
  EXPECT_EQ("x*x", function.m_secondFormula);
  EXPECT_EQ(kFunctionCartesian, function.m_kind);
  CPlotPointArray points;
  EXPECT_EQ(0, function.GeneratePoints(points));
  EXPECT_EQ(201, points.GetSize());
}

}  // namespace
