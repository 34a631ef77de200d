// CSizingBar: a control bar of the main frame that holds one panel (a modeless child
// dialog). Docked, it draws its own non-client area: a gripper strip with a close
// button, and a 6-pixel sizing edge on the side that faces the frame's client area;
// dragging the edge makes the bar thicker or thinner. Dragging the gripper (or the
// bar's margin) docks it on another side or floats it; a double click switches
// between docked and floating. It keeps a size for each of horizontal docking,
// vertical docking and floating, and the panel always fills its client area.
#pragma once

#include "framework/ui/Brush.h"
#include "framework/ui/ControlBar.h"

class CDialog;

class CSizingBar : public CControlBar {
 public:
  CSizingBar();

  // Makes the bar (caption: the string of id nID) and, inside it, pDialog from its
  // template nDialogID; the dialog's size becomes the bar's sizes. FALSE when the
  // caption, the bar or the dialog cannot be made.
  BOOL Create(CFrameWnd* pParentWnd, CDialog* pDialog, UINT nID, UINT nDialogID, DWORD dwStyle);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  // Where the bar is: the dock area's id, AFX_IDW_DOCKBAR_FLOAT, or 0.
  UINT GetDockSide() const { return GetDockBarID(); }
  // Docked at the top or the bottom.
  BOOL IsHorzDocked() const;

  // The non-client layout for a window of the given size on that dock side: the edge
  // strip (window coordinates), the client area's insets, and the border flag the
  // edge's side leaves out (0 while floating).
  struct NcLayout {
    CRect edge;
    CRect insets;
    DWORD clearedBorder;
  };
  static NcLayout CalcNcLayout(UINT nDockSide, CSize window);
  // The thickness an edge drag leaves: the edge moved by delta (positive down or
  // right) from a bar of thickness current on that side, kept within the bounds.
  static int TrackedThickness(UINT nDockSide, int current, int delta, int minimum, int maximum);

  static constexpr int kEdgeWidth = 6;
  static constexpr int kGripperWidth = 20;
  static constexpr int kBorder = 3;

  COLORREF m_clrHighlight;
  COLORREF m_clrShadow;
  CSize m_sizeMin{32, 32};
  CSize m_sizeHorz{200, 200};
  CSize m_sizeVert{200, 200};
  CSize m_sizeFloat{200, 200};
  CRect m_rectEdge;     // window coordinates
  CRect m_rectTracker;  // window coordinates, while the edge is dragged
  UINT m_nDockSide = 0;
  CPoint m_ptDragStart;
  BOOL m_bTracking = FALSE;
  BOOL m_bInRecalcNC = FALSE;
  CRect m_rectClose;
  CRect m_rectGripper;
  CDialog* m_pDialog = nullptr;  // not owned
  CBrush m_brushBackground;
  CSize m_sizeMinFloating;  // SM_CXMIN by SM_CYMIN
  int m_cySmallCaption;

 protected:
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) override;
  void OnNcPaint() override;
  LRESULT OnNcHitTest(CPoint point) override;
  void OnNcLButtonDown(UINT nHitTest, CPoint point) override;
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point) override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnLButtonDblClk(UINT nFlags, CPoint point) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
  void OnCaptureChanged(CWnd* pWnd) override;
  void OnWindowPosChanged(WINDOWPOS* lpwndpos) override;

 private:
  BOOL IsDocked() const { return m_nDockBarID != 0 && !IsFloating(); }
  // The close button and gripper for the present window size.
  void PlaceGripper();
  // A client point in window coordinates, the coordinates of the edge and tracker.
  CPoint ClientToWindow(CPoint point) const;
  void StartTracking();
  void MoveTracker(CPoint windowPoint);
  void StopTracking(BOOL bAccept);
  void InvertTracker();
  // The floating size while the small frame is sized from a corner.
  CSize TrackFloatingCorner();

  CSize m_sizeLast;  // the window size the panel was last fitted to
};
