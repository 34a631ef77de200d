#include "behaviour/EffectImage.h"

#include <utility>

CEffectImage::~CEffectImage() {
  // The bitmap leaves the context before either is deleted.
  if (m_oldBitmap) m_dc.SelectObject(m_oldBitmap);
}

BOOL CEffectImage::Create(HDC page, int width, int height) {
  if (!page || width <= 0 || height <= 0 || IsValid()) return FALSE;
  CDC pageDC(page);
  CDC dc;
  CBitmap bitmap;
  if (!dc.CreateCompatibleDC(&pageDC) || !bitmap.CreateCompatibleBitmap(&pageDC, width, height)) return FALSE;
  m_oldBitmap = dc.SelectObject(bitmap.GetSafeHandle());
  if (!m_oldBitmap) return FALSE;
  m_bitmap = std::move(bitmap);
  m_dc = std::move(dc);
  m_width = width;
  m_height = height;
  return TRUE;
}
