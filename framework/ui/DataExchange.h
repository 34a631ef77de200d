// CDataExchange and the DDX_/DDV_ functions: moving values between a dialog's
// controls and its members, both ways, with validation on the way in. A value that
// does not validate is reported, its control gets the focus, and UpdateData fails.
#pragma once

#include "framework/core/String.h"
#include "framework/ui/UiDefs.h"

class CWnd;

class CDataExchange {
 public:
  struct Failure {};  // thrown by Fail, caught by UpdateData

  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

  // The control's window; the last one prepared is the one a failure points at.
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Gives the focus to the last control (selecting an edit's text) and abandons the exchange.
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
// Check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The first radio button of a group: the index of the checked one, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);
// Binds the control to rControl (subclassing it) the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
