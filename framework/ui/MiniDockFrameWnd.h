// CMiniDockFrameWnd: the small frame of a floating control bar: a tool window with a
// small caption, owned by the bar's frame, with the bar as its only child. Dragging
// its caption moves the bar through the bar's dock context (it may dock again); a
// double click on the caption docks it; the close button hides the bar. Its sides,
// and its corners unless it has MFS_4THICKFRAME, size the bar through the bar's
// dynamic layout.
#pragma once

#include "framework/ui/Wnd.h"

class CControlBar;
class CFrameWnd;

class CMiniDockFrameWnd : public CWnd {
 public:
  explicit CMiniDockFrameWnd(CControlBar* pBar) : m_pBar(pBar) {}

  // Creates the (hidden) frame with its top-left corner at topLeft (screen).
  BOOL Create(CFrameWnd* pDockSite, CPoint topLeft);
  // Sizes the frame around the bar's floating size and fills it with the bar.
  void RecalcLayout();
  // The frame's window size for a bar of size barSize.
  CSize FrameSize(CSize barSize) const;

  CControlBar* m_pBar;

 protected:
  LRESULT OnNcHitTest(CPoint point) override;
  void OnNcLButtonDown(UINT nHitTest, CPoint point) override;
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnCaptureChanged(CWnd* pWnd) override;
  void OnClose() override;
  void OnSize(UINT nType, int cx, int cy) override;
  void PostNcDestroy() override;

 private:
  // Sizes the bar for the cursor at pt (screen) during a sizing drag.
  void TrackSize(CPoint pt);
  void EndSizing();

  BOOL m_bSizing = FALSE;
};
