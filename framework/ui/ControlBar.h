// CControlBar: a bar at an edge of a frame (toolbar, status bar, panel bar). It keeps
// its bar style (CBRS_...), tells the frame's layout how big it wants to be, draws its
// gripper and borders in its non-client area, and at idle time has its items updated
// through the frame's command route. A bar that may dock (EnableDocking) has a dock
// context: dragging its gripper docks it elsewhere or floats it in a small frame of
// its own, and a double click on the gripper switches between the two.
#pragma once

#include <memory>

#include "framework/ui/DockContext.h"
#include "framework/ui/Wnd.h"

class CFrameWnd;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  CControlBar();
  ~CControlBar() override;

  // The size the bar wants: bStretch for the full length of its edge, bHorz when it
  // lies along the top or bottom.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  // For bars with CBRS_SIZE_DYNAMIC; nMode holds LM_... flags.
  virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
  // Updates the bar's items through pTarget's command route.
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

  DWORD GetBarStyle() const { return m_dwStyle; }
  virtual void SetBarStyle(DWORD dwStyle);
  // Where the bar may be docked (CBRS_ALIGN_...; 0: nowhere).
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsVisible() const { return m_hWnd && (GetStyle() & WS_VISIBLE) != 0; }
  BOOL IsFloating() const { return m_nDockBarID == AFX_IDW_DOCKBAR_FLOAT; }
  BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_dwStyle & CBRS_ALIGN_ANY) == 0; }
  // The dock area holding the bar (AFX_IDW_DOCKBAR_..., AFX_IDW_DOCKBAR_FLOAT while it
  // floats), 0 when it is not docked.
  UINT GetDockBarID() const { return m_nDockBarID; }
  CFrameWnd* GetDockingFrame() const { return m_pDockSite; }
  void SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom);
  // The space the bar's gripper, borders and margins take around its contents.
  CRect GetBarInsets(BOOL bHorz) const;

  CFrameWnd* m_pDockSite = nullptr;
  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;
  UINT m_nDockBarID = 0;
  std::unique_ptr<CDockContext> m_pDockContext;  // made by EnableDocking
  int m_cxLeftBorder = 0;
  int m_cxRightBorder = 0;
  int m_cyTopBorder = 0;
  int m_cyBottomBorder = 0;

 protected:
  // Creates the window (the bar bits of dwStyle kept as the bar style, the rest as
  // window style) and tells the parent frame about the bar.
  BOOL CreateBar(LPCSTR lpszClassName, DWORD dwExStyle, DWORD dwStyle, DWORD dwCtrlStyle, CWnd* pParentWnd,
                 UINT nID, LPCSTR lpszWindowName = nullptr);

  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) override;
  void OnNcPaint() override;
  BOOL OnEraseBkgnd(CDC* pDC) override;
  void OnDestroy() override;
  LRESULT OnNcHitTest(CPoint point) override;
  void OnNcLButtonDown(UINT nHitTest, CPoint point) override;
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point) override;

 private:
  LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM);
};
