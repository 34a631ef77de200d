// CFont: owner of a GDI font.
#pragma once

#include "framework/ui/GdiObject.h"

class CDC;

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONTA* lpLogFont) {
    DeleteObject();
    return Attach(::CreateFontIndirectA(lpLogFont));
  }
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename) {
    DeleteObject();
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
  }
  // A font of nPointSize tenths of a point on pDC (the screen when null).
  BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC = nullptr);
  int GetLogFont(LOGFONTA* pLogFont) const { return GetObject(sizeof(LOGFONTA), pLogFont); }

  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  static CFont* FromHandle(HFONT hFont) { return TempObject<CFont>(hFont); }
};
