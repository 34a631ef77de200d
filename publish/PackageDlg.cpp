#include "publish/PackageDlg.h"

#include <commctrl.h>

#include <vector>

#include "framework/core/FolderPath.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/FileDialog.h"
#include "publish/ExeIconPatch.h"
#include "publish/PublishFiles.h"
#include "resources/KordelIds.h"

namespace {

// A blank, a quote or a character the system does not allow in file names.
bool HasForbiddenCharacter(const CString& name) {
  for (const char* c = " \"\\/:*?<>|"; *c; ++c) {
    if (name.Find(*c) >= 0) return true;
  }
  return false;
}

}  // namespace

CPackageDlg::CPackageDlg(CWnd* pParent) : CPackageDlg(IDD_PACKAGE, pParent) {}

CPackageDlg::CPackageDlg(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nIconId(kFirstIcon), m_strOutput("c:\\temp\\mirabo.exe"),
      m_strEditorFolder(GetModuleDir()) {
  MapCommand(IDC_BUILD, &CPackageDlg::OnBuild);
  MapCommand(IDC_ADD_FILES, &CPackageDlg::OnAddFiles);
  MapCommand(IDC_ADD_FOLDER, &CPackageDlg::OnAddFolder);
  MapCommand(IDC_DELETE_FILES, &CPackageDlg::OnDeleteFiles);
  MapCommand(IDC_BROWSE_OUTPUT, &CPackageDlg::OnBrowseOutput);
  MapCommand(IDC_SET_FIRST_PAGE, &CPackageDlg::OnSetFirstPage);
  MapNotify(NM_DBLCLK, IDC_PAGE_LIST, &CPackageDlg::OnDblclkPageList);
  MapControl(CBN_SELCHANGE, IDC_ICON_COMBO, &CPackageDlg::OnSelchangeIcon);
}

void CPackageDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_PAGE_LIST, m_pageList);
  DDX_Control(pDX, IDC_BUILD_PROGRESS, m_progress);
  DDX_Control(pDX, IDC_ICON_COMBO, m_iconCombo);
  DDX_Text(pDX, IDC_OUTPUT_PATH, m_strOutput);
  DDX_Text(pDX, IDC_BUILD_STATUS, m_strStatus);
  DDX_Text(pDX, IDC_SIZE_ESTIMATE, m_strSize);
  DDX_Text(pDX, IDC_FIRST_PAGE, m_strFirstPage);
}

BOOL CPackageDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const struct {
    UINT title;
    int width;
  } columns[] = {{IDS_COLUMN_NAME, 80}, {IDS_COLUMN_SIZE, 80}, {IDS_COLUMN_PATH, 173}};
  for (int i = 0; i < 3; ++i) {
    CString title;
    title.LoadString(columns[i].title);
    m_pageList.InsertColumn(i, title, LVCFMT_LEFT, columns[i].width);
  }
  m_pageList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
  m_progress.SetStep(1);
  m_progress.ShowWindow(SW_HIDE);
  for (UINT id = kFirstIcon; id <= kLastIcon; ++id) m_iconCombo.AddIcon(id);
  m_iconCombo.SetCurSel(0);
  m_iconCombo.SetItemHeight(-1, static_cast<UINT>(m_iconCombo.GetItemHeight(0) + 6));
  OnSelchangeIcon();
  return TRUE;
}

void CPackageDlg::OnBrowseOutput() {
  UpdateData(TRUE);
  const OutputDialog texts = OutputDialogTexts();
  // The system wants the default extension without its dot (a "*.exe" would be appended
  // as it stands).
  CFileDialog dialog(FALSE, "exe", texts.defaultName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, texts.filter, this);
  dialog.m_ofn.lpstrTitle = texts.title;
  if (dialog.DoModal() != IDOK) return;
  m_strOutput = dialog.GetPathName();
  UpdateData(FALSE);
}

void CPackageDlg::InsertPageRow(int position, const CString& path) {
  const int row = m_pageList.InsertItem(position, path.Mid(path.ReverseFind('\\') + 1));
  CString size;
  size.Format("%d", static_cast<int>(QueryFileSize(path)));
  m_pageList.SetItemText(row, 1, size);
  m_pageList.SetItemText(row, 2, path);
}

void CPackageDlg::OnAddFolder() {
  UpdateData(TRUE);
  const CString folder = ChooseFolder(this, IDS_CHOOSE_PAGE_FOLDER);
  if (folder.IsEmpty()) return;
  int position = 0;
  for (const CString& path : FilesOfFolder(folder)) {
    if (IsPageFileName(path)) InsertPageRow(position++, path);
  }
  UpdateSizeEstimate();
  EnsureFirstPage();
  UpdateData(FALSE);
}

void CPackageDlg::OnAddFiles() {
  UpdateData(TRUE);
  CString filter;
  filter.LoadString(IDS_PAGE_FILTER);
  const std::vector<CString> paths = ChooseFilesToAdd(this, filter);
  if (paths.empty()) return;
  int position = 0;
  for (const CString& path : paths) {
    if (IsPageFileName(path) && !IsFolder(path)) InsertPageRow(position++, path);
  }
  EnsureFirstPage();
  UpdateSizeEstimate();
  UpdateData(FALSE);
}

void CPackageDlg::OnDeleteFiles() {
  UpdateData(TRUE);
  if (DeleteSelectedRows(m_pageList, m_strFirstPage)) {
    m_strFirstPage.Empty();
    m_strFirstPagePath.Empty();
    AfxMessageBox(IDS_FIRST_PAGE_DELETED);
  }
  EnsureFirstPage();
  UpdateSizeEstimate();
  UpdateData(FALSE);
}

void CPackageDlg::OnSetFirstPage() {
  UpdateData(TRUE);
  LISTPOSITION pos = m_pageList.GetFirstSelectedItemPosition();
  if (!pos) return;
  const int row = m_pageList.GetNextSelectedItem(pos);
  m_strFirstPage = m_pageList.GetItemText(row, 0);
  m_strFirstPagePath = m_pageList.GetItemText(row, 2);
  UpdateData(FALSE);
}

void CPackageDlg::OnDblclkPageList(NMHDR*, LRESULT* pResult) {
  OnSetFirstPage();
  *pResult = 0;
}

void CPackageDlg::OnSelchangeIcon() {
  // The item's text is the icon's resource id: the choice does not depend on which other
  // icons the editor happens to have.
  const int selected = m_iconCombo.GetCurSel();
  if (selected < 0) return;
  CString text;
  m_iconCombo.GetLBText(selected, text);
  const int id = atoi(text);
  if (id > 0) m_nIconId = static_cast<UINT>(id);
}

DWORD CPackageDlg::StubSize() const {
  const DWORD measured = QueryFileSize(PlayerPath());
  return measured ? measured : kStubEstimate;
}

void CPackageDlg::UpdateSizeEstimate() {
  if (m_pageList.GetItemCount() == 0) {
    m_strSize.Empty();
    return;
  }
  ULONGLONG total = StubSize();
  for (int row = m_pageList.GetItemCount(); row-- > 0;) {
    const CString path = m_pageList.GetItemText(row, 2);
    const DWORD size = QueryFileSize(path);
    if (size == 0) {
      CString text;
      text.Format("找不到%s文件,该文件将从列表中删除!", path.GetString());
      AfxMessageBox(text);
      m_pageList.DeleteItem(row);
      continue;
    }
    total += size;
  }
  m_strSize.Format("%.2fMB(%llu字节)", static_cast<double>(total) * 9.536715879299509e-7, total);
}

void CPackageDlg::EnsureFirstPage() {
  if (!m_strFirstPage.IsEmpty() || m_pageList.GetItemCount() == 0) return;
  m_strFirstPage = m_pageList.GetItemText(0, 0);
  m_strFirstPagePath = m_pageList.GetItemText(0, 2);
}

void CPackageDlg::FillPackageIndex() {
  m_package.Clear();
  m_package.AddFile(m_strFirstPagePath);
  for (int row = 0; row < m_pageList.GetItemCount(); ++row) {
    if (m_pageList.GetItemText(row, 0) != m_strFirstPage) m_package.AddFile(m_pageList.GetItemText(row, 2));
  }
}

void CPackageDlg::AppendProgress(const PackageEntry& entry, void* dialog) {
  auto* self = static_cast<CPackageDlg*>(dialog);
  self->m_strStatus = "添加页文件: " + entry.GetFullPath();
  self->m_progress.StepIt();
  self->UpdateData(FALSE);
  // The build holds the thread: show the step now.
  self->UpdateWindow();
}

void CPackageDlg::EndProgress() {
  m_progress.ShowWindow(SW_HIDE);
  m_progress.SetPos(0);
  m_strStatus.Empty();
  UpdateData(FALSE);
}

void CPackageDlg::PatchIcon(const CString& exe) {
  if (!PatchExeIcon(exe, static_cast<int>(m_nIconId), this)) AfxMessageBox(IDS_ICON_NOT_WRITTEN, MB_ICONEXCLAMATION);
}

void CPackageDlg::OnBuild() {
  if (!UpdateData(TRUE)) return;
  UINT refusal = 0;
  if (m_strOutput.IsEmpty()) refusal = IDS_OUTPUT_MISSING;
  else if (m_pageList.GetItemCount() == 0) refusal = IDS_NO_PAGES;
  else if (m_strFirstPage.IsEmpty()) refusal = IDS_NO_FIRST_PAGE;
  else if (!CheckOutputPath(m_strOutput)) refusal = IDS_OUTPUT_BAD;
  if (refusal) {
    AfxMessageBox(refusal);
    return;
  }
  UpdateSizeEstimate();
  FillPackageIndex();
  m_progress.SetRange(0, static_cast<short>(m_package.GetCount()));
  m_progress.ShowWindow(SW_SHOW);
  UpdateData(FALSE);

  const int written = m_package.WritePackage(PlayerPath(), m_strOutput, &CPackageDlg::AppendProgress, this);
  if (written == kPackageOk) {
    PatchIcon(m_strOutput);
    EndProgress();
    AfxMessageBox(IDS_BUILD_DONE);
    const int slash = m_strOutput.ReverseFind('\\');
    const CString copy = (slash >= 0 ? m_strOutput.Left(slash + 1) : CString()) + "gdipsetup.exe";
    ::CopyFileA(m_strEditorFolder + "gdipsetup.exe", copy, TRUE);  // never over a copy; a missing one is fine
    EndDialog(IDOK);
    return;
  }
  EndProgress();
  if (written == kPackageEmpty) return;
  AfxMessageBox(written == kPackageOutputFailed ? IDS_OUTPUT_BAD : IDS_UNKNOWN_ERROR);
}

DWORD CPackageDlg::QueryFileSize(const char* path) { return ::QueryFileSize(path); }

bool CPackageDlg::CreateDirectoryPath(const char* path) { return CreateFolderPath(path) != FALSE; }

bool CPackageDlg::CheckOutputPath(const char* path) {
  CString lower(path);
  lower.MakeLower();
  if (lower.GetLength() < 4 || lower.Right(4) != ".exe") return false;
  const int slash = lower.ReverseFind('\\');
  if (slash < 0) return false;
  const CString folder = CString(path).Left(slash);
  if (folder.IsEmpty()) return false;
  return IsFolder(folder.Right(1) == ":" ? folder + "\\" : folder) || CreateDirectoryPath(folder);
}

bool CPackageDlg::CheckExeName(CString& name) {
  name.MakeLower();
  CString message;
  if (name.GetLength() >= 3 && name.Mid(1, 2) == ":\\") {
    message.Format(IDS_EXE_NAME_IS_PATH, name.GetString());
  } else if (HasForbiddenCharacter(name)) {
    message.Format(IDS_EXE_NAME_BAD_CHARS, name.GetString());
  } else if (name.ReverseFind('.') == 0) {
    message.LoadString(IDS_EXE_NAME_DOT);
  }
  if (!message.IsEmpty()) {
    AfxMessageBox(message);
    return false;
  }
  const int dot = name.ReverseFind('.');
  name = (dot < 0 ? name : name.Left(dot)) + ".exe";
  return true;
}

CString CPackageDlg::GetModuleDir() {
  const CString path = GetModulePath();
  return path.Left(path.ReverseFind('\\') + 1);
}
