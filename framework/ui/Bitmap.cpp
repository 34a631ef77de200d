#include "framework/ui/Bitmap.h"

#include "framework/core/Module.h"
#include "framework/ui/DC.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName) {
  DeleteObject();
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap) {
  DeleteObject();
  return Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(nIDBitmap)));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  DeleteObject();
  return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}
