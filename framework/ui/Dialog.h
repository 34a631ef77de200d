// CDialog: a dialog from a template in the resource module. DoModal runs it modally
// (owned by the main window when no parent is given) through the modal sink, so tests
// can answer it; Create makes a modeless one (a panel is a child dialog). Data moves
// between the controls and the members in DoDataExchange, through UpdateData.
#pragma once

#include "framework/ui/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override = default;

  // IDOK, IDCANCEL or what EndDialog was given; -1 when the dialog cannot be made.
  virtual INT_PTR DoModal();
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);

  // Copies controls to members (bSaveAndValidate) or members to controls; FALSE when
  // a value does not validate (the user has been told and the control has the focus).
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX) {}

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  UINT m_nIDHelp = 0;
  UINT m_nIDTemplate = 0;
  CWnd* m_pParentWnd = nullptr;

 protected:
  // The real modal dialog (what the modal sink's show() runs).
  INT_PTR RunModal();

  // Set by a dialog that may stay hidden while it runs: it then runs in a loop of its
  // own, since the system's dialog-box loop shows a dialog once it is idle and offers
  // nothing to PreTranslateMessage (the windows it hosts, such as a drop-down with
  // tooltips, see their messages first here).
  BOOL m_bOwnModalLoop = FALSE;

 private:
  const DLGTEMPLATE* LoadTemplate() const;
  INT_PTR RunOwnModalLoop(const DLGTEMPLATE* dialogTemplate, HWND owner);

  BOOL m_bInOwnLoop = FALSE;
  BOOL m_bEndOwnLoop = FALSE;
  INT_PTR m_nOwnLoopResult = IDCANCEL;
};
