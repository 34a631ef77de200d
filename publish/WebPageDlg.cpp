#include "publish/WebPageDlg.h"

#include "framework/core/FolderPath.h"
#include "framework/core/MessageBox.h"
#include "framework/core/StdioFile.h"
#include "framework/ui/DataExchange.h"
#include "publish/PublishFiles.h"
#include "publish/WebPageHtml.h"
#include "resources/KordelIds.h"

CWebPageDlg::CWebPageDlg(CWnd* pParent)
    : CDialog(IDD_WEB_PAGE, pParent), m_strPageName("index.htm"), m_strTargetFolder("c:\\temp") {
  m_strCabinetHost.LoadString(IDS_CABINET_HOST);
  MapCommand(IDC_WEB_ADD_FOLDER, &CWebPageDlg::OnAddFolder);
  MapCommand(IDC_WEB_ADD_FILES, &CWebPageDlg::OnAddFiles);
  MapCommand(IDC_WEB_DELETE_FILES, &CWebPageDlg::OnDeleteFiles);
  MapCommand(IDC_WEB_SET_FIRST_PAGE, &CWebPageDlg::OnSetFirstPage);
  MapCommand(IDC_WEB_BROWSE_TARGET, &CWebPageDlg::OnBrowseFolder);
  MapNotify(NM_DBLCLK, IDC_WEB_PAGE_LIST, &CWebPageDlg::OnDblclkPageList);
}

void CWebPageDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_WEB_PAGE_LIST, m_pageList);
  DDX_Text(pDX, IDC_WEB_PAGE_NAME, m_strPageName);
  DDX_Text(pDX, IDC_WEB_FIRST_PAGE, m_strFirstPage);
  DDX_Text(pDX, IDC_WEB_TARGET, m_strTargetFolder);
}

BOOL CWebPageDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString title;
  title.LoadString(IDS_WEB_COLUMN_NAME);
  m_pageList.InsertColumn(0, title, LVCFMT_LEFT, 100);
  title.LoadString(IDS_WEB_COLUMN_FOLDER);
  m_pageList.InsertColumn(1, title, LVCFMT_LEFT, 205);
  return TRUE;
}

void CWebPageDlg::InsertPageRow(int position, const CString& path) {
  const int slash = path.ReverseFind('\\');
  const int row = m_pageList.InsertItem(position, path.Mid(slash + 1));
  m_pageList.SetItemText(row, 1, path.Left(slash + 1));
}

void CWebPageDlg::OnAddFolder() {
  UpdateData(TRUE);
  const CString folder = ChooseFolder(this, IDS_CHOOSE_PAGE_FOLDER);
  if (folder.IsEmpty()) return;
  int position = 0;
  for (const CString& path : FilesOfFolder(folder)) {
    if (IsPageFileName(path)) InsertPageRow(position++, path);
  }
  EnsureFirstPage();
  UpdateData(FALSE);
}

void CWebPageDlg::OnAddFiles() {
  UpdateData(TRUE);
  CString filter;
  filter.LoadString(IDS_PAGE_FILTER);
  int position = 0;
  for (const CString& path : ChooseFilesToAdd(this, filter)) {
    if (IsPageFileName(path) && !IsFolder(path)) InsertPageRow(position++, path);
  }
  EnsureFirstPage();
  UpdateData(FALSE);
}

void CWebPageDlg::OnDeleteFiles() {
  UpdateData(TRUE);
  if (DeleteSelectedRows(m_pageList, m_strFirstPage)) {
    m_strFirstPage.Empty();
    AfxMessageBox(IDS_FIRST_PAGE_DELETED);
  }
  EnsureFirstPage();
  UpdateData(FALSE);
}

void CWebPageDlg::OnSetFirstPage() {
  UpdateData(TRUE);
  LISTPOSITION pos = m_pageList.GetFirstSelectedItemPosition();
  if (!pos) return;
  m_strFirstPage = m_pageList.GetItemText(m_pageList.GetNextSelectedItem(pos), 0);
  UpdateData(FALSE);
}

void CWebPageDlg::OnDblclkPageList(NMHDR*, LRESULT* pResult) {
  OnSetFirstPage();
  *pResult = 0;
}

void CWebPageDlg::OnBrowseFolder() {
  UpdateData(TRUE);
  const CString folder = ChooseFolder(this, IDS_WEB_FOLDER_TITLE);
  if (folder.IsEmpty()) return;
  m_strTargetFolder = folder;
  UpdateData(FALSE);
}

void CWebPageDlg::EnsureFirstPage() {
  if (m_strFirstPage.IsEmpty() && m_pageList.GetItemCount() > 0) m_strFirstPage = m_pageList.GetItemText(0, 0);
}

CString CWebPageDlg::TargetPath(const CString& name) const { return WithBackslash(m_strTargetFolder) + name; }

bool CWebPageDlg::EnsureTargetFolder() {
  if (IsFolder(m_strTargetFolder) || CreateFolderPath(m_strTargetFolder)) return true;
  AfxMessageBox(IDS_WEB_TARGET_BAD);
  return false;
}

void CWebPageDlg::CopyPageFiles() {
  for (int row = 0; row < m_pageList.GetItemCount(); ++row) {
    const CString name = m_pageList.GetItemText(row, 0);
    const CString source = m_pageList.GetItemText(row, 1) + name;
    const CString target = TargetPath(name);
    // Publishing into the pages' own folder: the file is already where it belongs.
    if (FullPath(source).CompareNoCase(FullPath(target)) == 0 && FileExists(source)) continue;
    if (!::CopyFileA(source, target, FALSE)) {
      CString message;
      message.Format(IDS_WEB_COPY_FAILED, source.GetString(), target.GetString());
      AfxMessageBox(message);
    }
  }
}

bool CWebPageDlg::WriteHtmlPage() {
  try {
    CStdioFile file(TargetPath(m_strPageName), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    file.WriteString(WebPageText(m_strFirstPage, m_strCabinetHost));
    file.Close();
  } catch (const CFileException& error) {
    error.ReportError();
    return false;
  }
  return true;
}

void CWebPageDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  UINT refusal = 0;
  if (m_strTargetFolder.IsEmpty()) refusal = IDS_WEB_TARGET_MISSING;
  else if (m_strPageName.IsEmpty()) refusal = IDS_WEB_PAGE_NAME_MISSING;
  else if (m_strFirstPage.IsEmpty()) refusal = IDS_NO_FIRST_PAGE;
  else if (m_pageList.GetItemCount() == 0) refusal = IDS_NO_PAGES;
  if (refusal) {
    AfxMessageBox(refusal);
    return;
  }
  if (!EnsureTargetFolder()) return;
  CopyPageFiles();
  if (!WriteHtmlPage()) return;
  AfxMessageBox(IDS_BUILD_DONE);
  EndDialog(IDOK);
}
