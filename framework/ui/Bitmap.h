// CBitmap: owner of a GDI bitmap.
#pragma once

#include "framework/ui/GdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
 public:
  // From the resource module; FALSE when it has no such bitmap.
  BOOL LoadBitmap(UINT nIDResource);
  BOOL LoadBitmap(LPCSTR lpszResourceName);
  BOOL LoadOEMBitmap(UINT nIDBitmap);
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
    DeleteObject();
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
  }
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) { return CreateCompatibleBitmap(pDC, nWidth, nHeight); }
  int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }

  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  static CBitmap* FromHandle(HBITMAP hBitmap) { return TempObject<CBitmap>(hBitmap); }
};
