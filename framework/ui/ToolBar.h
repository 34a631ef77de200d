// CToolBar: a control bar that is the system's toolbar control, its buttons and
// images loaded from a toolbar resource and the bitmap of the same id. Docked along
// the top or bottom it is one row; a dynamic-size bar docked at a side is one column;
// a fixed-size bar keeps the rows its buttons' wrap flags (TBBS_WRAPPED) give it.
// Buttons are enabled and checked at idle time through the frame's command route.
#pragma once

#include "framework/core/String.h"
#include "framework/ui/ControlBar.h"
#include "framework/ui/ToolBarCtrl.h"

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)

 public:
  CToolBar();

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                UINT nID = AFX_IDW_TOOLBAR);
  // The buttons of the toolbar resource and the images of the bitmap with that id.
  BOOL LoadToolBar(UINT nIDResource);
  BOOL LoadBitmap(UINT nIDResource);
  // One button per id, images in order; ID_SEPARATOR makes a separator. A null array
  // makes nIDCount separators to be filled in with SetButtonInfo.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  void SetSizes(SIZE sizeButton, SIZE sizeImage);

  int CommandToIndex(UINT nIDFind) const { return m_ctrl.CommandToIndex(nIDFind); }
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const { m_ctrl.GetItemRect(nIndex, lpRect); }
  UINT GetButtonStyle(int nIndex) const;
  void SetButtonStyle(int nIndex, UINT nStyle);
  void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
  // For a separator iImage is its width.
  void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
  CToolBarCtrl& GetToolBarCtrl() const { return m_ctrl; }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void SetBarStyle(DWORD dwStyle) override;

 private:
  CSize ContentSize() const;
  void SetWrapAll(bool wrap);
  BOOL SetState(int nIndex, BYTE state);

  mutable CToolBarCtrl m_ctrl;
  CSize m_sizeButton{23, 22};
  CSize m_sizeImage{16, 15};
  BOOL m_bBitmapLoaded = FALSE;
};
