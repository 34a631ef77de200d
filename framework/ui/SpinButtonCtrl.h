// CSpinButtonCtrl: a window object for the up-down control.
#pragma once

#include "framework/ui/CommonControls.h"
#include "framework/ui/Wnd.h"

class CSpinButtonCtrl : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    AfxInitCommonControls(ICC_UPDOWN_CLASS);
    return CWnd::Create(UPDOWN_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  void SetRange(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, nLower, nUpper); }
  int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
  int SetPos(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
};
