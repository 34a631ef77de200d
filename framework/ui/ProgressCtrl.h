// CProgressCtrl: a window object for the common controls' progress bar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ui/Wnd.h"

class CProgressCtrl : public CWnd {
 public:
  void SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
  void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
  int SetStep(int nStep) { return static_cast<int>(SendMessage(PBM_SETSTEP, nStep)); }
  int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
  int SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, nPos)); }
  int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};
