// CRgn: owner of a GDI region.
#pragma once

#include "framework/ui/GdiObject.h"

class CRgn : public CGdiObject {
 public:
  BOOL CreateRectRgn(int x1, int y1, int x2, int y2) {
    DeleteObject();
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
  }
  BOOL CreateRectRgnIndirect(LPCRECT lpRect) {
    DeleteObject();
    return Attach(::CreateRectRgnIndirect(lpRect));
  }
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) {
    DeleteObject();
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
  }
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
    DeleteObject();
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
  }
  BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
    DeleteObject();
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
  }
  void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2); }
  int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->m_hObject),
                        pRgn2 ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr, nCombineMode);
  }
  int OffsetRgn(int x, int y) { return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y); }
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y); }
  BOOL RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect); }
  int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect); }

  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
  static CRgn* FromHandle(HRGN hRgn) { return TempObject<CRgn>(hRgn); }
};
