// CComboBox: a window object for the system's combo box.
#pragma once

#include "framework/ui/Wnd.h"

class CComboBox : public CWnd {
 public:
  // The index of the new string, or CB_ERR.
  int AddString(LPCSTR lpszString) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString))); }
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, nSelect)); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
};
