#include "editor/panels/FormatCombo.h"

#include "editor/panels/FormatBar.h"

CString CFormatCombo::GetTheText() const {
  CString text;
  const int index = GetCurSel();
  if (index != CB_ERR)
    GetLBText(index, text);
  else
    GetWindowText(text);
  return text;
}

void CFormatCombo::SetTheText(LPCSTR lpszText, BOOL bExact) {
  const int index = bExact ? FindStringExact(-1, lpszText) : FindString(-1, lpszText);
  if (index == CB_ERR) {
    SetEditText(lpszText);
  } else if (index != GetCurSel()) {
    SetCurSel(index);
  }
}

void CFormatCombo::SetEditText(LPCSTR lpszText) {
  // A selection left behind would be read back in place of the text.
  SetCurSel(-1);
  SetWindowText(lpszText);
}

BOOL CFormatCombo::LimitText(int nMaxChars) {
  const BOOL done = CComboBox::LimitText(nMaxChars);
  if (done) m_nLimitText = nMaxChars;
  return done;
}

int CFormatCombo::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CComboBox::OnCreate(lpCreateStruct) == -1) return -1;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
  return 0;
}

BOOL CFormatCombo::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN) return CComboBox::PreTranslateMessage(pMsg);
  auto* bar = dynamic_cast<CFormatBar*>(GetParent());
  switch (pMsg->wParam) {
    case VK_TAB:
      if (HWND parent = ::GetParent(m_hWnd))
        if (HWND next = ::GetNextDlgTabItem(parent, m_hWnd, FALSE)) ::SetFocus(next);
      return TRUE;
    case VK_RETURN:
      if (bar) bar->NotifyOwner(NM_RETURN);
      return TRUE;
    case VK_ESCAPE:
      if (bar) bar->SyncFromSelection();
      return TRUE;
    case VK_UP:
    case VK_DOWN:
      if (::GetKeyState(VK_MENU) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 && !GetDroppedState()) {
        ShowDropDown(TRUE);
        return TRUE;
      }
      break;
    default: break;
  }
  return CComboBox::PreTranslateMessage(pMsg);
}
