// CEdit: a window object for the system's edit control.
#pragma once

#include "framework/ui/Wnd.h"

class CEdit : public CWnd {
 public:
  // An edit control child of pParentWnd (WS_CHILD is always added).
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
  }
  void SetSel(int nStartChar, int nEndChar) { SendMessage(EM_SETSEL, nStartChar, nEndChar); }
};
