#include "framework/ui/HalftoneBrush.h"

#include <mutex>

#include "framework/ui/DC.h"

CBrush* AfxGetHalftoneBrush() {
  static CBrush* brush = nullptr;
  static std::once_flag made;
  std::call_once(made, [] {
    WORD rows[8];
    for (int i = 0; i < 8; ++i) rows[i] = static_cast<WORD>(0x5555 << (i & 1));
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, rows);
    brush = new CBrush;  // lives as long as the process
    brush->Attach(::CreatePatternBrush(pattern));
    ::DeleteObject(pattern);
  });
  return brush;
}

void AfxInvertHalftone(CDC* pDC, const RECT& rect) {
  HGDIOBJ old = ::SelectObject(pDC->m_hDC, AfxGetHalftoneBrush()->m_hObject);
  ::PatBlt(pDC->m_hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATINVERT);
  ::SelectObject(pDC->m_hDC, old);
}
