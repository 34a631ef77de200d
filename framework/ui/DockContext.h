// CDockContext: moves a control bar between the frame's dock areas and a floating
// frame of its own. StartDrag follows the mouse with a grey tracking rectangle until
// the button is released: near an edge of the frame that both the frame and the bar
// allow, the bar docks there; elsewhere (or with Ctrl held) it floats where it was
// dropped. Escape, the right button or a lost capture leave the bar where it was.
// ToggleDocking floats a docked bar and docks a floating one where it was last docked.
#pragma once

#include "framework/core/Rect.h"
#include "framework/ui/UiDefs.h"

class CControlBar;
class CDC;
class CFrameWnd;

class CDockContext {
 public:
  explicit CDockContext(CControlBar* pBar);

  // pt: where the button went down, in screen coordinates.
  void StartDrag(CPoint pt);
  void ToggleDocking();

  // The dock area (AFX_IDW_DOCKBAR_...) a bar dropped at pt lands in, 0 for floating:
  // the nearest edge of the frame's client rectangle (screen coordinates) within
  // kDockZone pixels whose alignment is in dwAllowed (CBRS_ALIGN_...).
  static UINT DockAreaAt(const CRect& frameClient, CPoint pt, DWORD dwAllowed);
  static constexpr int kDockZone = 24;

  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  // The rectangle of the bar's floating frame while it is dragged or sized (screen).
  CRect m_rectFrameDragHorz;
  CRect m_rectFrameDragVert;
  // The floating frame's hit code while it is being sized (HTNOWHERE otherwise), and
  // the cursor's last position then (screen coordinates).
  int m_nHitTest = HTNOWHERE;
  CPoint m_ptLast;
  // Where the bar was docked last, and where it floated last.
  UINT m_uMRUDockID = 0;
  CPoint m_ptMRUFloatPos;
  BOOL m_bHasMRUFloatPos = FALSE;

 private:
  // The bar's outline as it would be dropped at the current point.
  void DrawDragRect(CDC* pDC, const CRect& rect);
  void EndDrag(const CRect& rect, CPoint pt, BOOL bFloatOnly);
};
