// CResizableDialog: the base of the docked panels, a modeless child dialog whose
// controls follow its size through a CDlgResizer. Enter and Escape reach OnOK and
// OnCancel, which never close a panel.
#pragma once

#include "editor/panels/DlgResizer.h"
#include "framework/ui/Dialog.h"

class CResizableDialog : public CDialog {
 public:
  explicit CResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}

  void OnOK() override {}
  void OnCancel() override {}

  CDlgResizer m_resizer;

 protected:
  void OnSize(UINT nType, int cx, int cy) override {
    m_resizer.OnSize(nType, cx, cy);
    CDialog::OnSize(nType, cx, cy);
  }
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI) override {
    CDialog::OnGetMinMaxInfo(lpMMI);
    m_resizer.OnGetMinMaxInfo(lpMMI);
  }
};
