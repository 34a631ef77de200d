// CBrush: owner of a GDI brush.
#pragma once

#include "framework/ui/GdiObject.h"

class CBitmap;

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
  CBrush(int nIndex, COLORREF crColor) { CreateHatchBrush(nIndex, crColor); }

  BOOL CreateSolidBrush(COLORREF crColor) {
    DeleteObject();
    return Attach(::CreateSolidBrush(crColor));
  }
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor) {
    DeleteObject();
    return Attach(::CreateHatchBrush(nIndex, crColor));
  }
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
    DeleteObject();
    return Attach(::CreateBrushIndirect(lpLogBrush));
  }
  BOOL CreatePatternBrush(CBitmap* pBitmap);
  BOOL CreateSysColorBrush(int nIndex) {
    DeleteObject();
    return Attach(::GetSysColorBrush(nIndex));  // system brushes are not deleted
  }
  int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }

  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  static CBrush* FromHandle(HBRUSH hBrush) { return TempObject<CBrush>(hBrush); }
};
