#include "framework/ui/Font.h"

#include <cstdlib>

#include "framework/ui/DC.h"

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC) {
  LOGFONTA logFont = {};
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfHeight = nPointSize;
  lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
  return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC) {
  HDC hDC = pDC ? pDC->m_hDC : ::GetDC(nullptr);
  LOGFONTA logFont = *lpLogFont;
  // Tenths of a point to logical units: through device units at the DC's resolution.
  POINT size = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720)};
  POINT origin = {0, 0};
  ::DPtoLP(hDC, &size, 1);
  ::DPtoLP(hDC, &origin, 1);
  logFont.lfHeight = -abs(size.y - origin.y);
  if (!pDC) ::ReleaseDC(nullptr, hDC);
  return CreateFontIndirect(&logFont);
}
