// DockLayout: where a frame's bars go. Bars that are not docked lie along the edge
// their alignment names, in the order they were made; docked bars lie in rows of the
// four dock areas (top and bottom span the frame's width, left and right lie between
// them); what is left is the view's. Floating bars are not the layout's: they lie in
// small frames of their own.
#pragma once

#include <vector>

#include "framework/core/Rect.h"
#include "framework/ui/UiDefs.h"

class CControlBar;

class DockLayout {
 public:
  DockLayout();

  // Which edges accept docked bars (CBRS_ALIGN_...).
  void Enable(DWORD dwDockStyle);
  // The edges that accept docked bars (CBRS_ALIGN_...).
  DWORD EnabledAlignment() const;
  // The area for a bar: nDockBarID when given, else the first (top, bottom, left,
  // right) that both the frame and the bar's dock style allow; 0 when none does.
  UINT ChooseArea(UINT nDockBarID, DWORD barDockStyle) const;
  DWORD AreaAlignment(UINT nDockBarID) const;
  // Puts the bar in the area: in a new last row, or, given a point (frame client
  // coordinates), into the row that point lies in, before the first bar beyond it.
  void Dock(CControlBar* pBar, UINT nDockBarID, const POINT* pWhere, HWND hWndFrame);
  void Remove(CControlBar* pBar);
  // The area's rectangle (frame client coordinates) after the last layout.
  CRect AreaRect(UINT nDockBarID) const;
  // Places the visible bars within remaining and shrinks it to what they leave.
  void Layout(const std::vector<CControlBar*>& bars, CRect& remaining);

 private:
  struct Area {
    UINT id;
    DWORD align;
    BOOL enabled = FALSE;
    std::vector<std::vector<CControlBar*>> rows;
    CRect rect;
  };

  Area* Find(UINT nDockBarID);
  const Area* Find(UINT nDockBarID) const;
  static void LayoutArea(Area& area, CRect& remaining);

  Area m_areas[4];
};
