// CImageList: owner of a common-controls image list, destroyed with the object unless
// detached (a toolbar given the list with TB_SETIMAGELIST does not take it over).
#pragma once

#include "framework/ui/UiDefs.h"

class CBitmap;
class CDC;

class CImageList {
 public:
  CImageList() = default;
  ~CImageList() { DeleteImageList(); }
  CImageList(CImageList&& other) noexcept : m_hImageList(other.Detach()) {}
  CImageList& operator=(CImageList&& other) noexcept {
    if (this != &other) {
      DeleteImageList();
      m_hImageList = other.Detach();
    }
    return *this;
  }
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // Images of width cx cut from a bitmap resource; crMask marks transparent pixels.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  // Each returns the index of the first image added, or -1.
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
  BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
  HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
  COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
};
