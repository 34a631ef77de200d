// CPen: owner of a GDI pen.
#pragma once

#include "framework/ui/GdiObject.h"

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
  CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0, const DWORD* lpStyle = nullptr) {
    CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle);
  }

  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    DeleteObject();
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
  }
  BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                 const DWORD* lpStyle = nullptr) {
    DeleteObject();
    return Attach(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                                 static_cast<DWORD>(nStyleCount), lpStyle));
  }
  BOOL CreatePenIndirect(const LOGPEN* lpLogPen) {
    DeleteObject();
    return Attach(::CreatePenIndirect(lpLogPen));
  }
  int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }

  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  static CPen* FromHandle(HPEN hPen) { return TempObject<CPen>(hPen); }
};
