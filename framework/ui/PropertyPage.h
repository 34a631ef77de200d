// CPropertyPage: one page of a tabbed dialog, a child dialog from a template that the
// owner shows on its tab. The owner asks a page to take over (OnSetActive) and to give
// up (OnKillActive, FALSE when its values do not validate); Enter and Escape inside a
// page never end it.
#pragma once

#include "framework/core/String.h"
#include "framework/ui/Dialog.h"

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  // nIDCaption: the string of the page's tab (0: the template's caption).
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

  // Makes the page, hidden, as a child of pParentWnd (the tab control or the dialog).
  BOOL CreatePage(CWnd* pParentWnd);
  // The tab's text: the caption string, else the template's caption once made.
  CString GetCaption() const;

  // Fills the controls from the members; FALSE refuses the page.
  virtual BOOL OnSetActive();
  // Takes the controls' values into the members; FALSE keeps the page shown.
  virtual BOOL OnKillActive();
  // The owner's OK: the page's values are final.
  virtual BOOL OnApply();
  void SetModified(BOOL bChanged = TRUE) { m_bModified = bChanged; }
  BOOL IsModified() const { return m_bModified; }

  void OnOK() override;
  void OnCancel() override;

  UINT m_nIDCaption = 0;

 private:
  BOOL m_bModified = FALSE;
};
