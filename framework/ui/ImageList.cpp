#include "framework/ui/ImageList.h"

#include "framework/core/Module.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/DC.h"

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  DeleteImageList();
  return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  DeleteImageList();
  return Attach(ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask,
                                     IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (!hImageList || m_hImageList) return FALSE;
  m_hImageList = hImageList;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST hImageList = m_hImageList;
  m_hImageList = nullptr;
  return hImageList;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject),
                       pbmMask ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject), crMask);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}
