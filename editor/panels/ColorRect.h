// CColorRect: a strip of one colour inside a toolbar button, under its image and left
// of its drop-down arrow; the effect bar shows the line and fill colours with two, the
// format bar the text colour with one. The owner writes m_colour and invalidates.
#pragma once

#include "framework/ui/Wnd.h"

class CToolBar;

class CColorRect : public CWnd {
 public:
  static constexpr UINT kControlId = 88;  // the strips are reached through their objects

  // Made over the button with that command on the bar and shown at once; FALSE when
  // the bar has no such button or the window cannot be made.
  BOOL Create(UINT nButtonID, COLORREF colour, DWORD dwStyle, CToolBar* pBar, UINT nID);

  // Where the strip lies within a button's item rectangle (never of negative size).
  static CRect StripRect(const RECT& item);

  COLORREF m_colour = 0;

 protected:
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
};
