// CRichEditCtrl: a window object for the system's rich edit control, version 2.0 (the
// "RichEdit20A" class of riched20.dll, which AfxInitRichEdit2 loads), with the messages
// the programs send it: streaming text or RTF in and out, the target device, the limit.
#pragma once

#include <windows.h>
#include <richedit.h>

#include "framework/ui/Wnd.h"

class CRichEditCtrl : public CWnd {
 public:
  // A rich edit child of pParentWnd (WS_CHILD is always added); FALSE when the class is
  // not registered or the window cannot be made.
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // Lines wrap for that device and width (twips); no device and width 0 wrap to the
  // window, width 1 never wraps.
  BOOL SetTargetDevice(HDC hDC, long lLineWidth) {
    return static_cast<BOOL>(SendMessage(EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(hDC), lLineWidth));
  }
  // The most characters the control holds (EM_EXLIMITTEXT); 0 restores the default.
  void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
  long GetLimitText() const { return static_cast<long>(SendMessage(EM_GETLIMITTEXT)); }
  // Transfers through es.pfnCallback in the format given (SF_TEXT or SF_RTF, possibly
  // with SFF_SELECTION); returns the characters transferred, with es.dwError set by a
  // failing callback.
  long StreamIn(int nFormat, EDITSTREAM& es) {
    return static_cast<long>(SendMessage(EM_STREAMIN, static_cast<WPARAM>(nFormat), reinterpret_cast<LPARAM>(&es)));
  }
  long StreamOut(int nFormat, EDITSTREAM& es) {
    return static_cast<long>(SendMessage(EM_STREAMOUT, static_cast<WPARAM>(nFormat), reinterpret_cast<LPARAM>(&es)));
  }
};

// Loads riched20.dll for the rest of the process, once, so that its window classes are
// registered; FALSE when the library cannot be loaded.
BOOL AfxInitRichEdit2();
