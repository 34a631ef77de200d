#include "publish/SetupPackDlg.h"

#include "framework/core/MessageBox.h"
#include "framework/ui/DataExchange.h"
#include "publish/PublishFiles.h"
#include "resources/KordelIds.h"

CSetupPackDlg::CSetupPackDlg(CWnd* pParent) : CPackageDlg(IDD_SETUP_PACK, pParent), m_strExeName("mirabo.exe") {
  m_strOutput = "c:\\temp\\setup.exe";
}

void CSetupPackDlg::DoDataExchange(CDataExchange* pDX) {
  CPackageDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_EXE_NAME, m_strExeName);
}

DWORD CSetupPackDlg::StubSize() const { return CPackageDlg::StubSize() + QueryFileSize(SetupPath()); }

void CSetupPackDlg::OnBuild() {
  if (!UpdateData(TRUE)) return;
  UINT refusal = 0;
  if (m_strOutput.IsEmpty()) refusal = IDS_OUTPUT_MISSING;
  else if (m_pageList.GetItemCount() == 0) refusal = IDS_NO_PAGES;
  else if (m_strFirstPage.IsEmpty()) refusal = IDS_NO_FIRST_PAGE;
  else if (m_strExeName.IsEmpty()) refusal = IDS_EXE_NAME_MISSING;
  if (refusal) {
    AfxMessageBox(refusal);
    return;
  }
  if (!CheckExeName(m_strExeName)) return;
  UpdateData(FALSE);
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  m_strTempExe = CString(temp) + m_strExeName;
  // The installer must not be the executable it carries: writing it would overwrite its
  // own input, and the clean-up would then delete the finished installer.
  if (!CheckOutputPath(m_strOutput) || FullPath(m_strOutput).CompareNoCase(FullPath(m_strTempExe)) == 0) {
    AfxMessageBox(IDS_OUTPUT_BAD);
    return;
  }

  FillPackageIndex();
  m_progress.SetRange(0, static_cast<short>(m_package.GetCount() + 1));
  m_progress.ShowWindow(SW_SHOW);
  UpdateData(FALSE);
  int written = m_package.WritePackage(PlayerPath(), m_strTempExe, &CPackageDlg::AppendProgress, this);
  if (written == kPackageOk) {
    PatchIcon(m_strTempExe);
    m_package.Clear();
    m_package.AddFile(m_strTempExe);
    written = m_package.WritePackage(SetupPath(), m_strOutput, &CPackageDlg::AppendProgress, this);
    if (written == kPackageOk) {
      EndProgress();
      AfxMessageBox(IDS_BUILD_DONE);
      ::DeleteFileA(m_strTempExe);
      EndDialog(IDOK);
      return;
    }
    // The executable stays in the temporary folder: the author still has it.
    EndProgress();
    if (written != kPackageEmpty) AfxMessageBox(IDS_UNKNOWN_ERROR);
    return;
  }
  EndProgress();
  if (written == kPackageEmpty) return;
  AfxMessageBox(written == kPackageOutputFailed ? IDS_OUTPUT_BAD : IDS_UNKNOWN_ERROR);
}
