#include "editor/panels/SampleButton.h"

#include "editor/panels/FillPage.h"

IMPLEMENT_DYNCREATE(CSampleButton, CButton)

void CSampleButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  const RECT& item = lpDrawItemStruct->rcItem;
  const int width = item.right - item.left;
  const int height = item.bottom - item.top;
  if (width <= 0 || height <= 0) return;
  HDC target = lpDrawItemStruct->hDC;
  HDC memory = ::CreateCompatibleDC(target);
  HBITMAP bitmap = ::CreateCompatibleBitmap(target, width, height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  const RECT area = {0, 0, width, height};
  ::FillRect(memory, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  if (auto* page = dynamic_cast<CFillPage*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
    page->DrawSample(memory, area);
  ::BitBlt(target, item.left, item.top, width, height, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
}
