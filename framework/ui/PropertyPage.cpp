#include "framework/ui/PropertyPage.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate), m_nIDCaption(nIDCaption) {}

BOOL CPropertyPage::CreatePage(CWnd* pParentWnd) {
  if (!Create(m_nIDTemplate, pParentWnd)) return FALSE;
  ShowWindow(SW_HIDE);
  return TRUE;
}

CString CPropertyPage::GetCaption() const {
  CString caption;
  if (m_nIDCaption && caption.LoadString(m_nIDCaption)) return caption;
  if (m_hWnd) GetWindowText(caption);
  return caption;
}

BOOL CPropertyPage::OnSetActive() { return UpdateData(FALSE); }

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  SetModified(FALSE);
  return TRUE;
}

// A page is a child: ending it would leave an empty tab.
void CPropertyPage::OnOK() { OnKillActive(); }

void CPropertyPage::OnCancel() {}
