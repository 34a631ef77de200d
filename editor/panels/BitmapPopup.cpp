#include "editor/panels/BitmapPopup.h"

#include <iterator>

#include "framework/core/Module.h"
#include "framework/ui/PaintDC.h"

namespace {

constexpr int kMargin = 2;  // around the boxes and between them
constexpr int kPad = 8;     // a box is its cell and 4 pixels on each side
// The cursors of the zoom picker's cells: zoom in, zoom out, back to 100 %.
constexpr UINT kCellCursors[] = {268, 269, 296};

void Frame(HDC dc, const CRect& r, COLORREF topLeft, COLORREF bottomRight) {
  HPEN light = ::CreatePen(PS_SOLID, 1, topLeft);
  HPEN dark = ::CreatePen(PS_SOLID, 1, bottomRight);
  HGDIOBJ old = ::SelectObject(dc, light);
  ::MoveToEx(dc, r.left, r.bottom - 1, nullptr);
  ::LineTo(dc, r.left, r.top);
  ::LineTo(dc, r.right - 1, r.top);
  ::SelectObject(dc, dark);
  ::LineTo(dc, r.right - 1, r.bottom - 1);
  ::LineTo(dc, r.left - 1, r.bottom - 1);
  ::SelectObject(dc, old);
  ::DeleteObject(light);
  ::DeleteObject(dark);
}

}  // namespace

BOOL CBitmapPopup::Create(int x, int y, int columns, int rows, UINT nBitmapID, int count, CWnd* pOwner) {
  if (m_hWnd) return FALSE;
  m_pOwner = pOwner;
  m_nColumns = columns;
  m_nRows = rows;
  m_nCount = count;
  m_background = ::GetSysColor(COLOR_BTNFACE);
  if (count <= 0 || !m_strip.LoadBitmap(nBitmapID)) return FALSE;
  BITMAP info = {};
  m_strip.GetBitmap(&info);
  m_nCellWidth = info.bmWidth / count;
  m_nCellHeight = info.bmHeight;
  const CSize size = WindowSize();
  // Both pop-up and child bits: the system makes it a pop-up owned by the bar's frame.
  return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), nullptr,
                  WS_POPUP | WS_CHILD, x, y, size.cx, size.cy, pOwner ? pOwner->m_hWnd : nullptr, nullptr);
}

CSize CBitmapPopup::WindowSize() const {
  // Boxes start at 2 and follow each other 2 pixels apart: the last one ends 2 pixels
  // inside the window.
  return CSize(m_nColumns * (m_nCellWidth + kPad + kMargin) + kMargin,
               m_nRows * (m_nCellHeight + kPad + kMargin) + kMargin);
}

CRect CBitmapPopup::CellRect(int index) const {
  if (m_nColumns <= 0) return CRect();
  const int column = index % m_nColumns, row = index / m_nColumns;
  const int left = kMargin + column * (m_nCellWidth + kPad + kMargin);
  const int top = kMargin + row * (m_nCellHeight + kPad + kMargin);
  return CRect(left, top, left + m_nCellWidth + kPad, top + m_nCellHeight + kPad);
}

int CBitmapPopup::HitTest(int x, int y) const {
  if (!m_hWnd) return -1;
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(CPoint(x, y))) return -1;
  int row = -1;
  for (int r = 0, top = client.top + kMargin; r < m_nRows; ++r, top += m_nCellHeight + kPad + kMargin) {
    if (top + m_nCellHeight + kPad >= y) {
      row = r;
      break;
    }
  }
  int column = -1;
  for (int c = 0, left = client.left + kMargin; c < m_nColumns; ++c, left += m_nCellWidth + kPad + kMargin) {
    if (left + m_nCellWidth + kPad >= x) {
      column = c;
      break;
    }
  }
  if (row < 0 || column < 0) return -1;
  const int index = m_nColumns * row + column;
  return index < m_nCount ? index : -1;
}

void CBitmapPopup::SetSelection(int index) {
  m_nSelection = index;
  if (m_pBound) *m_pBound = index;
}

void CBitmapPopup::OnMouseMove(UINT, CPoint point) {
  const int index = HitTest(point.x, point.y);
  if (index < 0) return;
  SetSelection(index);
  Invalidate(FALSE);
  UpdateWindow();
}

void CBitmapPopup::OnLButtonUp(UINT, CPoint) {
  ShowWindow(SW_HIDE);
  if (m_bCursorPicker && m_nSelection >= 0 && m_nSelection < static_cast<int>(std::size(kCellCursors))) {
    if (HCURSOR cursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kCellCursors[m_nSelection])))
      ::SetCursor(cursor);
  }
}

void CBitmapPopup::OnKillFocus(CWnd*) { ShowWindow(SW_HIDE); }

void CBitmapPopup::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  HDC memory = ::CreateCompatibleDC(dc.m_hDC);
  HBITMAP bitmap = ::CreateCompatibleBitmap(dc.m_hDC, client.Width(), client.Height());
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  Draw(memory, client);
  ::BitBlt(dc.m_hDC, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
}

void CBitmapPopup::Draw(HDC dc, const CRect& client) {
  HBRUSH background = ::CreateSolidBrush(m_background);
  ::FillRect(dc, &client, background);
  ::DeleteObject(background);
  Frame(dc, client, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_WINDOWFRAME));

  HDC cells = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(cells, static_cast<HBITMAP>(m_strip.m_hObject));
  for (int i = 0; i < m_nCount; ++i) {
    const CRect box = CellRect(i);
    ::BitBlt(dc, box.left + (box.Width() - m_nCellWidth) / 2, box.top + (box.Height() - m_nCellHeight) / 2,
             m_nCellWidth, m_nCellHeight, cells, i * m_nCellWidth, 0, SRCCOPY);
    Frame(dc, box, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  }
  ::SelectObject(cells, old);
  ::DeleteDC(cells);

  if (m_nSelection >= 0 && m_nSelection < m_nCount) {
    CRect selected = CellRect(m_nSelection);
    selected.InflateRect(1, 1);
    ::FrameRect(dc, &selected, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
}
