#include "framework/ui/Brush.h"

#include "framework/ui/Bitmap.h"

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  DeleteObject();
  return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}
