// What the effect bar's number fields accept as typed characters.
#pragma once

#include <windows.h>

// A printable character other than a digit is refused with a beep (TRUE); control
// keys such as Backspace go on to the edit.
inline BOOL RefuseNonDigit(UINT nChar) {
  const bool printable = nChar >= 0x20 && nChar != 0x7F;
  if (!printable || (nChar >= '0' && nChar <= '9')) return FALSE;
  ::MessageBeep(MB_OK);
  return TRUE;
}
