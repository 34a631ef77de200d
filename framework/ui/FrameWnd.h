// CFrameWnd: a top-level window holding a view, its menu, accelerators and bars.
// Commands go to the active view (and its document) first, then to the frame, then to
// the application. Bars sit at the frame's edges: fixed ones where their alignment
// says, docked ones in rows of the four dock areas, floating ones in small frames of
// their own; the view takes what is left. Menus are updated through the command route when they drop down, the bars
// at idle time. A frame deletes itself when its window is destroyed.
#pragma once

#include <vector>

#include "framework/core/String.h"
#include "framework/ui/DockLayout.h"
#include "framework/ui/Wnd.h"

class CControlBar;
class CDocument;
class CView;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  static const CRect rectDefault;  // the system's default position and size

  CFrameWnd();
  ~CFrameWnd() override;

  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
              DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  // Creates the frame with the menu, accelerators, icon and title (the string's first
  // field) of one resource id.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL LoadAccelTable(UINT nIDResource);

  // --- Views and documents ---
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame() { return this; }
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  // Shows the frame for its document: the views get OnInitialUpdate, the frame is
  // shown (with the application's m_nCmdShow the first time) and titled.
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual void ActivateFrame(int nCmdShow = -1);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  const CString& GetTitle() const { return m_strTitle; }
  void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }

  // --- Bars and docking ---
  // Which of the four edges accept docked bars (CBRS_ALIGN_...).
  void EnableDocking(DWORD dwDockStyle);
  DWORD GetDockingAlignment() const { return m_dockLayout.EnabledAlignment(); }
  // Docks the bar in a new row of the area nDockBarID (AFX_IDW_DOCKBAR_...; 0 picks the
  // first area both allow, in the order top, bottom, left, right). With lpRect (screen
  // coordinates), into the row and place that rectangle's corner falls in.
  // A floating bar leaves its small frame for the dock area.
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  // Floats the bar in a small frame of its own whose top-left corner is at point
  // (screen coordinates); a floating bar's frame moves there.
  void FloatControlBar(CControlBar* pBar, CPoint point);
  // A floating bar's frame is shown and hidden with the bar.
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  CControlBar* GetControlBar(UINT nID) const;
  const std::vector<CControlBar*>& GetControlBars() const { return m_bars; }
  // The rectangle (client coordinates) of a dock area after the last layout.
  CRect GetDockAreaRect(UINT nDockBarID) const;
  // Places the bars and the view; bNotify is kept for callers of the classic form.
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  void DelayRecalcLayout() { m_bLayoutPending = TRUE; }
  // The command of a bar's id shows or hides the bar; its menu item is checked while
  // the bar is visible.
  BOOL OnBarCheck(UINT nID);
  void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  // Shows text in the status bar's first pane (a command's prompt, or the idle message).
  void SetMessageText(LPCSTR lpszText);
  void SetMessageText(UINT nID);

  // Called by the bars themselves.
  void AddControlBar(CControlBar* pBar);
  void RemoveControlBar(CControlBar* pBar);

  BOOL IsFrameWnd() const override { return TRUE; }
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

  HACCEL m_hAccelTable = nullptr;
  HMENU m_hMenuDefault = nullptr;
  BOOL m_bAutoMenuEnable = TRUE;  // menu items without a handler are disabled
  UINT m_nIDHelp = 0;
  CString m_strTitle;

 protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext);
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  void OnDestroy() override;
  void OnClose() override;
  void OnSize(UINT nType, int cx, int cy) override;
  void OnSetFocus(CWnd* pOldWnd) override;
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) override;
  void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) override;
  void OnDropFiles(HDROP hDropInfo) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void PostNcDestroy() override;

 private:
  LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
  BOOL OnToolTipText(NMHDR* pNMHDR, LRESULT* pResult);

  CView* m_pViewActive = nullptr;
  std::vector<CControlBar*> m_bars;
  DockLayout m_dockLayout;
  BOOL m_bInRecalcLayout = FALSE;
  BOOL m_bLayoutPending = FALSE;
};
