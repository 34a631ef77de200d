// CCmdUI: one user-interface item (menu item, toolbar button, status pane, dialog
// control) whose state an update handler sets. The frame walks its menus when they
// drop down and its bars at idle, and asks the command's route for each item.
#pragma once

#include "framework/core/String.h"
#include "framework/ui/UiDefs.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(const char* lpszText);
  // Called by a handler that wants the next target on the route to handle it too.
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Asks pTarget's route to update this item. With bDisableIfNoHndler an item nobody
  // updates is enabled exactly when some target handles its command.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

  UINT m_nID = 0;
  UINT m_nIndex = 0;  // menu item or bar element position
  CMenu* m_pMenu = nullptr;     // the menu holding the item, if a menu item
  CMenu* m_pSubMenu = nullptr;  // the pop-up the item opens, if it opens one
  CMenu* m_pParentMenu = nullptr;
  CWnd* m_pOther = nullptr;     // the window (control or bar) holding the item otherwise
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
  UINT m_nIndexMax = 0;  // items in the menu; handlers that insert items update it
};

// A probe: records what the handlers set, touching no window. Used to decide whether
// a command from a menu or an accelerator may still run, and by tests.
class CTestCmdUI : public CCmdUI {
 public:
  explicit CTestCmdUI(UINT nID = 0) { m_nID = nID; }
  void Enable(BOOL bOn = TRUE) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
  void SetCheck(int nCheck = 1) override { m_nCheck = nCheck; }
  void SetRadio(BOOL bOn = TRUE) override { m_nCheck = bOn ? 1 : 0; }
  void SetText(const char* lpszText) override { m_strText = lpszText; }

  BOOL m_bEnabled = TRUE;
  int m_nCheck = -1;  // -1: never set
  CString m_strText;
};
