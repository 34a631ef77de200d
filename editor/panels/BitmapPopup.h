// CBitmapPopup: a small pop-up of cells cut from one bitmap strip (cells side by side,
// left to right). The user moves over the cells and releases the button on one; the
// picker then hides and its selection stays for the owner to read. A cursor picker also
// makes the chosen cell's cursor the mouse cursor.
#pragma once

#include "framework/ui/Bitmap.h"
#include "framework/ui/Font.h"
#include "framework/ui/Wnd.h"

class CBitmapPopup : public CWnd {
 public:
  CBitmapPopup() = default;

  // Loads the strip and makes the (hidden) pop-up at (x, y), screen coordinates, owned
  // by pOwner; FALSE when the window exists already or the strip or window cannot be had.
  BOOL Create(int x, int y, int columns, int rows, UINT nBitmapID, int count, CWnd* pOwner);

  // The cell under a client point, -1 for none; a point in a gap belongs to the next box.
  int HitTest(int x, int y) const;
  // The box of a cell, in client coordinates.
  CRect CellRect(int index) const;
  // The window's size: every box with its gaps and a 2-pixel margin.
  CSize WindowSize() const;

  int GetSelection() const { return m_nSelection; }
  // -1 means no cell is chosen. A bound variable follows the selection.
  void SetSelection(int index);
  // The variable that mirrors the selection from now on (may be null).
  void BindSelection(int* pTarget) { m_pBound = pTarget; }

  int m_bCursorPicker = 0;  // 1: a release sets the chosen cell's cursor
  int m_nColumns = 0;
  int m_nRows = 0;
  int m_nCellWidth = 0;
  int m_nCellHeight = 0;
  CWnd* m_pOwner = nullptr;
  COLORREF m_background = 0;
  int m_nSelection = 0;
  int m_nCount = 0;
  CBitmap m_strip;
  CFont m_font;  // carried, not created

 protected:
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnKillFocus(CWnd* pNewWnd) override;

 private:
  void Draw(HDC dc, const CRect& client);

  int* m_pBound = nullptr;
};
