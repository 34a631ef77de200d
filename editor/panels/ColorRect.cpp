#include "editor/panels/ColorRect.h"

#include <algorithm>

#include "framework/ui/PaintDC.h"
#include "framework/ui/ToolBar.h"

CRect CColorRect::StripRect(const RECT& item) {
  const int left = item.left + 3, top = item.top + 16;
  // A button shorter than 18 pixels leaves no room under the image: the strip is empty.
  const int width = std::max(0, static_cast<int>(item.right - 16) - left);
  const int height = std::max(0, static_cast<int>(item.bottom - 2) - top);
  return CRect(left, top, left + width, top + height);
}

BOOL CColorRect::Create(UINT nButtonID, COLORREF colour, DWORD dwStyle, CToolBar* pBar, UINT nID) {
  m_colour = colour;
  if (!pBar || !pBar->m_hWnd) return FALSE;
  const int index = pBar->CommandToIndex(nButtonID);
  if (index < 0) return FALSE;
  CRect item;
  pBar->GetItemRect(index, &item);
  LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
  if (!CWnd::Create(windowClass, "CColorRect", dwStyle, StripRect(item), pBar, nID)) return FALSE;
  UpdateWindow();
  return TRUE;
}

void CColorRect::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  // Drawn off screen and copied whole, so the strip does not flicker as it repaints.
  HDC memory = ::CreateCompatibleDC(dc.m_hDC);
  HBITMAP bitmap = ::CreateCompatibleBitmap(dc.m_hDC, client.Width(), client.Height());
  HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
  HBRUSH brush = ::CreateSolidBrush(m_colour);
  HGDIOBJ oldBrush = ::SelectObject(memory, brush);
  ::Rectangle(memory, 0, 0, client.Width(), client.Height());
  ::SelectObject(memory, oldBrush);
  ::DeleteObject(brush);
  ::BitBlt(dc.m_hDC, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, oldBitmap);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
}
