#include "propgrid/PropGridItem12.h"

#include "framework/ui/DC.h"

IMPLEMENT_DYNAMIC(CPropGridItem12, CPropGridItem)

void CPropGridItem12::Draw(CDC* dc) {
  const CRect& row = m_rowRect;
  LOGFONTA font;
  GetDisplayFont(&font);
  FontScope scope(dc, font);
  const int split = DrawName(dc, row.top + 5);
  m_valueRect.SetRect(split, row.top + 1, row.right - 15, row.bottom);
  m_buttonRect.SetRectEmpty();
  CRect clip = m_valueRect;
  clip.right -= 15;
  DrawValueText(dc, clip);
  DrawSplitLine(dc, split);

  // The arrow: outlined while there is nothing to choose, filled when there is.
  const bool filled = GetChoiceCount() > 0;
  const int inset = filled ? 7 : 6;
  const POINT arrow[3] = {{row.right - 29, row.top + inset}, {row.right - 23, row.top + inset},
                          {row.right - 26, row.bottom - inset}};
  HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(0xC0, 0xC0, 0xC0));
  HGDIOBJ oldPen = ::SelectObject(dc->m_hDC, pen);
  HGDIOBJ oldBrush = ::SelectObject(dc->m_hDC, ::GetStockObject(filled ? DKGRAY_BRUSH : NULL_BRUSH));
  ::Polygon(dc->m_hDC, arrow, 3);
  ::SelectObject(dc->m_hDC, oldBrush);
  ::SelectObject(dc->m_hDC, oldPen);
  ::DeleteObject(pen);
}
