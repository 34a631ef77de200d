#include "framework/ui/ComboBox.h"

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  const int length = GetLBTextLen(nIndex);
  if (length == CB_ERR) {
    rString.Empty();
    return;
  }
  char* buffer = rString.GetBuffer(length + 1);
  const LRESULT copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
  buffer[copied == CB_ERR ? 0 : copied] = '\0';
  rString.ReleaseBuffer();
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_DRAWITEM: DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: *pResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); return TRUE;
    case WM_DELETEITEM: DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  }
  *pResult = TRUE;
  return TRUE;
}
