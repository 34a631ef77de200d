#include "framework/ui/DataExchange.h"

#include <cerrno>
#include <cstdlib>

#include "framework/core/FrameworkStrings.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Wnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  m_hWndLastControl = control;
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND control = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (!m_bSaveAndValidate) throw Failure();
  if (m_hWndLastControl) {
    ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
    if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  throw Failure();
}

namespace {

CString ControlText(HWND control) {
  CString text;
  const int length = ::GetWindowTextLengthA(control);
  char* buffer = text.GetBuffer(length + 1);
  ::GetWindowTextA(control, buffer, length + 1);
  text.ReleaseBuffer();
  text.TrimLeft();
  text.TrimRight();
  return text;
}

template <class T>
void TextInteger(CDataExchange* pDX, int nIDC, T& value, bool isSigned) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    if (isSigned)
      text.Format("%lld", static_cast<long long>(value));
    else
      text.Format("%llu", static_cast<unsigned long long>(value));
    ::SetWindowTextA(control, text);
    return;
  }
  const CString text = ControlText(control);
  char* end = nullptr;
  errno = 0;
  bool ok = !text.IsEmpty();
  T parsed = 0;
  if (ok && isSigned) {
    const long long v = std::strtoll(text, &end, 10);
    ok = errno == 0 && *end == '\0' && static_cast<long long>(static_cast<T>(v)) == v;
    parsed = static_cast<T>(v);
  } else if (ok) {
    ok = text[0] != '-';
    const unsigned long long v = std::strtoull(text, &end, 10);
    ok = ok && errno == 0 && *end == '\0' && static_cast<unsigned long long>(static_cast<T>(v)) == v;
    parsed = static_cast<T>(v);
  }
  if (!ok) {
    AfxMessageBox(FrameworkText(AFX_IDS_ENTER_INTEGER), MB_ICONEXCLAMATION);
    pDX->Fail();
  }
  value = parsed;
}

template <class T>
void TextFloat(CDataExchange* pDX, int nIDC, T& value, int digits) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    text.Format("%.*g", digits, static_cast<double>(value));
    ::SetWindowTextA(control, text);
    return;
  }
  const CString text = ControlText(control);
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(text, &end);
  if (text.IsEmpty() || errno != 0 || *end != '\0') {
    AfxMessageBox(FrameworkText(AFX_IDS_ENTER_NUMBER), MB_ICONEXCLAMATION);
    pDX->Fail();
  }
  value = static_cast<T>(v);
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    const int length = ::GetWindowTextLengthA(control);
    char* buffer = value.GetBuffer(length + 1);
    ::GetWindowTextA(control, buffer, length + 1);
    value.ReleaseBuffer();
  } else {
    ::SetWindowTextA(control, value);
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { TextInteger(pDX, nIDC, value, true); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { TextInteger(pDX, nIDC, value, false); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { TextInteger(pDX, nIDC, value, true); }
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { TextInteger(pDX, nIDC, value, false); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { TextFloat(pDX, nIDC, value, 15); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { TextFloat(pDX, nIDC, value, 6); }

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
  else
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  // The buttons of the group: from this one up to the next that starts a group.
  int index = 0;
  for (HWND button = control; button; button = ::GetWindow(button, GW_HWNDNEXT), ++index) {
    if (button != control && (::GetWindowLongPtrA(button, GWL_STYLE) & WS_GROUP)) break;
    if (!(::SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (pDX->m_bSaveAndValidate) {
      if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
  else
    ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    const int length = ::GetWindowTextLengthA(control);
    char* buffer = value.GetBuffer(length + 1);
    ::GetWindowTextA(control, buffer, length + 1);
    value.ReleaseBuffer();
  } else if (::SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
    ::SetWindowTextA(control, value);  // not in the list: shown as typed
  }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
  else
    ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Scroll(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = ::GetScrollPos(control, SB_CTL);
  else
    ::SetScrollPos(control, SB_CTL, value, TRUE);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;
  HWND control = pDX->PrepareCtrl(nIDC);
  if (!control || !rControl.SubclassWindow(control)) pDX->Fail();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  CString text;
  text.Format(FrameworkText(AFX_IDS_INTEGER_RANGE), minVal, maxVal);
  AfxMessageBox(text, MB_ICONEXCLAMATION);
  pDX->Fail();
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  CString text;
  text.Format(FrameworkText(AFX_IDS_UNSIGNED_RANGE), minVal, maxVal);
  AfxMessageBox(text, MB_ICONEXCLAMATION);
  pDX->Fail();
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  CString text;
  text.Format(FrameworkText(AFX_IDS_NUMBER_RANGE), minVal, maxVal);
  AfxMessageBox(text, MB_ICONEXCLAMATION);
  pDX->Fail();
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() <= nChars) return;
    CString text;
    text.Format(FrameworkText(AFX_IDS_TEXT_TOO_LONG), nChars);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
  } else if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
    ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
  }
}
