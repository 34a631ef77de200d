// CFunctionDefDlg: the dialog "函数定义" in which the author defines a plot's function:
// its kind, variable names, formulas and its domain as an ordered list of intervals and
// isolated points. Intervals are added to and removed from the function at once; the
// kind, names and formulas change only when OK finds them all valid.
#pragma once

#include "behaviour/Function.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/ListCtrl.h"

class CFunctionDefDlg : public CDialog {
 public:
  CFunctionDefDlg(CFunction& function, CWnd* pParent);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

  void OnAddInterval();
  void OnDeleteInterval();
  void OnClickIntervalList(NMHDR* pNMHDR, LRESULT* pResult);
  void OnSelChangeKind();
  void OnChangeFirstVarName();
  void OnChangeSecondVarName();

  // Where the interval goes in a domain kept in order along its axis without overlaps:
  // an index for InsertAt, or -1 when it overlaps.
  static int FindInsertPosition(const CIntervalArray& domain, const CInterval& interval);
  // Whether a variable name is usable: it begins with a letter.
  static bool IsVariableName(const CString& name);

  // The dialog's fields.
  int m_kindIndex = 0;
  CString m_parameterName;
  CString m_independentName;
  CString m_dependentName;
  CString m_firstFormula;
  CString m_secondFormula;
  int m_endKindIndex = 0;
  double m_left = 0.0;
  double m_right = 0.0;
  double m_step = 0.0;

 private:
  void LoadFields();
  void ShowLabels();
  void EnableFormulas();
  void FillList();
  void ShowNameLabel(int labelId, int editId);

  CFunction& m_function;  // not owned
  CIntervalArray m_openingDomain;  // the domain as the dialog found it
  CListCtrl m_list;
  CComboBox m_kindList;
  CComboBox m_endKindList;
};
