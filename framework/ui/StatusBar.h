// CStatusBar: the bar at the bottom of a frame, the system's status control with one
// pane per indicator id. A stretching pane takes the room the others leave. Panes
// whose id has an update handler are updated at idle; the first pane shows the
// frame's messages (menu prompts, the idle text).
#pragma once

#include <vector>

#include "framework/core/String.h"
#include "framework/ui/ControlBar.h"

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  CStatusBar();

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
  // One pane per id, with the id's string as its text and width; ID_SEPARATOR makes
  // an empty pane (the first one stretches).
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int GetCount() const { return static_cast<int>(m_panes.size()); }
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  CString GetPaneText(int nIndex) const;
  BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  void OnSize(UINT nType, int cx, int cy) override;

 private:
  struct Pane {
    UINT id;
    UINT style;
    int width;
    CString text;
  };

  LRESULT OnSetText(WPARAM, LPARAM lParam);
  void UpdateParts();
  void ShowPaneText(int nIndex);
  int TextWidth(const CString& text) const;
  bool Valid(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }

  std::vector<Pane> m_panes;
};
