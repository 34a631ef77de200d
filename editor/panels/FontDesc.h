// CFontDesc: one face of the format bar's font list, kept as the item's data: the face
// as the system names it, its script, and what the enumeration said about it.
#pragma once

#include <windows.h>

#include "framework/core/String.h"

class CFontDesc {
 public:
  CFontDesc(LPCSTR face, LPCSTR script, BYTE charSet, BYTE pitchAndFamily, DWORD fontType)
      : m_strName(face), m_strScript(script), m_nCharSet(charSet), m_nPitchAndFamily(pitchAndFamily),
        m_dwFlags(fontType) {}

  CString m_strName;
  CString m_strScript;
  BYTE m_nCharSet;
  BYTE m_nPitchAndFamily;
  DWORD m_dwFlags;  // 0x200 TrueType, 0x100 offered by the bar's own DC
};
