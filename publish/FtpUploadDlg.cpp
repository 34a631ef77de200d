#include "publish/FtpUploadDlg.h"

#include <cstdlib>
#include <memory>

#include "framework/core/MessageBox.h"
#include "framework/net/FtpConnection.h"
#include "framework/net/InternetException.h"
#include "framework/net/InternetSession.h"
#include "framework/ui/DataExchange.h"
#include "publish/FtpBrowseDlg.h"
#include "publish/FtpPaths.h"
#include "publish/PublishFiles.h"
#include "resources/KordelIds.h"

CFtpUploadDlg::CFtpUploadDlg(CWnd* pParent) : CDialog(IDD_FTP_UPLOAD, pParent), m_strPort("21") {
  MapCommand(IDC_FTP_ADD_FILES, &CFtpUploadDlg::OnAddFiles);
  MapCommand(IDC_FTP_ADD_FOLDER, &CFtpUploadDlg::OnAddFolder);
  MapCommand(IDC_FTP_DELETE_FILES, &CFtpUploadDlg::OnDeleteFiles);
  MapCommand(IDC_FTP_BROWSE, &CFtpUploadDlg::OnBrowseRemote);
}

void CFtpUploadDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_FTP_LIST, m_fileList);
  DDX_Control(pDX, IDC_FTP_PROGRESS, m_progress);
  DDX_Text(pDX, IDC_FTP_USER, m_strUser);
  DDX_Text(pDX, IDC_FTP_PASSWORD, m_strPassword);
  DDX_Text(pDX, IDC_FTP_ADDRESS, m_strAddress);
  DDX_Text(pDX, IDC_FTP_PORT, m_strPort);
}

BOOL CFtpUploadDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString title;
  title.LoadString(IDS_COLUMN_PATH);
  m_fileList.InsertColumn(0, title, LVCFMT_LEFT, 218);
  title.LoadString(IDS_COLUMN_SIZE);
  m_fileList.InsertColumn(1, title, LVCFMT_LEFT, 80);
  m_fileList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
  m_progress.SetStep(1);
  m_progress.ShowWindow(SW_HIDE);
  return TRUE;
}

void CFtpUploadDlg::InsertFileRow(int position, const CString& path) {
  const int row = m_fileList.InsertItem(position, path);
  CString size;
  size.Format("%d BYTES", static_cast<int>(QueryFileSize(path)));
  m_fileList.SetItemText(row, 1, size);
}

void CFtpUploadDlg::OnAddFiles() {
  UpdateData(TRUE);
  CString filter;
  filter.LoadString(IDS_FTP_FILTER);
  int position = 0;
  for (const CString& path : ChooseFilesToAdd(this, filter)) InsertFileRow(position++, path);
}

void CFtpUploadDlg::OnAddFolder() {
  UpdateData(TRUE);
  const CString folder = ChooseFolder(this, IDS_CHOOSE_PAGE_FOLDER);
  if (folder.IsEmpty()) return;
  int position = 0;
  for (const CString& path : FilesOfFolder(folder)) InsertFileRow(position++, path);
}

void CFtpUploadDlg::OnDeleteFiles() {
  DeleteSelectedRows(m_fileList);
}

void CFtpUploadDlg::OnBrowseRemote() {
  UpdateData(TRUE);
  UINT refusal = 0;
  if (m_strAddress.IsEmpty()) refusal = IDS_FTP_SERVER_MISSING;
  else if (m_strUser.IsEmpty()) refusal = IDS_FTP_USER_MISSING;
  else if (m_strPassword.IsEmpty()) refusal = IDS_FTP_PASSWORD_MISSING;
  else if (m_strPort.IsEmpty()) refusal = IDS_FTP_PORT_MISSING;
  if (refusal) {
    AfxMessageBox(refusal);
    return;
  }
  const FtpAddress address = SplitFtpAddress(m_strAddress);
  CFtpBrowseDlg browse(address.server, m_strUser, m_strPassword, std::atoi(m_strPort), address.folder, this);
  if (browse.DoModal() != IDOK) return;
  m_strAddress = browse.m_strResultAddress;
  UpdateData(FALSE);
}

void CFtpUploadDlg::EnableButtons(BOOL bEnable) {
  for (int id : {IDOK, IDCANCEL}) {
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(bEnable);
  }
}

void CFtpUploadDlg::SendFiles() {
  const FtpAddress address = SplitFtpAddress(m_strAddress);
  CInternetSession session;
  const std::unique_ptr<CFtpConnection> connection = session.GetFtpConnection(
      address.server, m_strUser, m_strPassword, static_cast<INTERNET_PORT>(std::atoi(m_strPort)), FALSE);
  // Files sent into the login folder instead would be reported as sent.
  if (!connection->SetCurrentDirectory(address.folder)) AfxThrowInternetException(session.GetContext());
  const int rows = m_fileList.GetItemCount();
  m_progress.SetPos(0);
  m_progress.ShowWindow(SW_SHOW);
  m_progress.EnableWindow(TRUE);
  m_progress.SetRange32(0, rows);
  for (int row = 0; row < rows; ++row) {
    const CString path = m_fileList.GetItemText(row, 0);
    // The name alone: the folder is current already, and a server resolves a relative
    // name against it.
    const CString name = path.Mid(path.ReverseFind('\\') + 1);
    if (!connection->PutFile(path, name, FTP_TRANSFER_TYPE_BINARY)) {
      CString message;
      message.Format(IDS_FTP_SEND_FAILED, path.GetString());
      AfxMessageBox(message);
    }
    m_progress.StepIt();
    m_progress.UpdateWindow();
  }
}

void CFtpUploadDlg::OnOK() {
  UpdateData(TRUE);
  EnableButtons(FALSE);
  UINT refusal = 0;
  if (m_fileList.GetItemCount() == 0) refusal = IDS_FTP_NO_FILES;
  else if (m_strUser.IsEmpty()) refusal = IDS_FTP_USER_MISSING;
  else if (m_strPassword.IsEmpty()) refusal = IDS_FTP_PASSWORD_MISSING;
  else if (m_strPort.IsEmpty()) refusal = IDS_FTP_PORT_MISSING;
  else if (m_strAddress.IsEmpty()) refusal = IDS_FTP_ADDRESS_MISSING;
  if (refusal) {
    AfxMessageBox(refusal);
    EnableButtons(TRUE);
    return;
  }
  try {
    SendFiles();
  } catch (const CInternetException& error) {
    error.ReportError(MB_ICONEXCLAMATION);
    EnableButtons(TRUE);
    return;
  }
  m_fileList.DeleteAllItems();
  AfxMessageBox(IDS_FTP_SENT);
  EnableButtons(TRUE);
  EndDialog(IDOK);
}
