#include "setup/InstallDlg.h"

#include "framework/core/MessageBox.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/FolderPicker.h"
#include "framework/ui/Menu.h"
#include "framework/ui/PaintDC.h"
#include "framework/ui/WinApp.h"
#include "resources/Setup.h"
#include "setup/SetupShell.h"

CInstallDlg::CInstallDlg()
    : CDialog(IDD_INSTALL), m_packagePath(GetModulePath()), m_strGroup("Kelvane课件"),
      m_hIcon(AfxGetApp() ? AfxGetApp()->LoadIcon(IDI_SETUP) : nullptr) {
  MapCommand(IDC_BROWSE_FOLDER, &CInstallDlg::OnBrowse);
}

void CInstallDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_INSTALL_PROGRESS, m_progress);
  DDX_Text(pDX, IDC_GROUP_NAME, m_strGroup);
  DDX_Text(pDX, IDC_INSTALL_FOLDER, m_strFolder);
  DDX_Text(pDX, IDC_INSTALL_STATUS, m_strStatus);
  DDX_Text(pDX, IDC_PROGRAMME_NAME, m_strName);
}

BOOL CInstallDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString about;
  about.LoadString(IDS_SETUP_ABOUT);
  CMenu* menu = GetSystemMenu(FALSE);
  if (menu && !about.IsEmpty()) {
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, IDM_SETUP_ABOUT, about);
  }
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  m_progress.SetStep(1);
  return TRUE;
}

void CInstallDlg::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == IDM_SETUP_ABOUT) {
    CDialog about(IDD_SETUP_ABOUTBOX, this);
    about.DoModal();
    return;
  }
  CDialog::OnSysCommand(nID, lParam);
}

void CInstallDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
  CRect client;
  GetClientRect(&client);
  const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CInstallDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CInstallDlg::OnBrowse() {
  UpdateData(TRUE);
  CFolderPicker picker;
  picker.m_strTitle.LoadString(IDS_CHOOSE_FOLDER);
  if (picker.DoModal(this) != 1) return;
  m_strFolder = picker.m_strPath;
  UpdateData(FALSE);
}

void CInstallDlg::OnEntryExtracted(const PackageEntry& entry, void* dialog) {
  auto* self = static_cast<CInstallDlg*>(dialog);
  CString folder = self->m_strFolder;
  self->m_strStatus = "复制:" + PackageIndex::WithTrailingBackslash(folder) + entry.GetName();
  self->m_strLastName = entry.GetName();
  self->m_progress.StepIt();
  self->UpdateData(FALSE);
}

void CInstallDlg::OnOK() {
  UpdateData(TRUE);
  const char* missing = m_strGroup.IsEmpty() ? "请输入程序组名"
                        : m_strName.IsEmpty() ? "请输入节目名"
                        : m_strFolder.IsEmpty() ? "请选择目录名"
                                                : nullptr;
  if (missing) {
    AfxMessageBox(missing);
    return;
  }
  // One step for the one entry of an installer, one for the group, one for the shortcut.
  m_progress.SetRange(0, 3);
  if (CWnd* start = GetDlgItem(IDOK)) start->EnableWindow(FALSE);

  // Shortcuts must name the folder whole, whatever the current directory was.
  char full[MAX_PATH] = {};
  const DWORD length = ::GetFullPathNameA(m_strFolder, MAX_PATH, full, nullptr);
  if (length > 0 && length < MAX_PATH) m_strFolder = full;
  CreateDirectoryPath(m_strFolder);

  const int extracted = m_package.ExtractPackageFrom(m_packagePath, m_strFolder, &CInstallDlg::OnEntryExtracted, this);
  if (extracted == kPackageNoMarker || extracted == kPackageEmpty) return;
  if (extracted != kPackageOk) {
    // A file that is missing or cut short must not get a shortcut.
    AfxMessageBox("Internal Error", MB_OK | MB_ICONERROR);
    return;
  }

  m_strStatus.LoadString(IDS_CREATING_GROUP);
  UpdateData(FALSE);
  CString target = m_strFolder;
  target = PackageIndex::WithTrailingBackslash(target) + m_strLastName;
  CreateProgramGroup(m_strGroup);
  m_progress.StepIt();
  CreateGroupShortcut(m_strGroup, m_strName, target, "");
  m_progress.StepIt();
  if (AfxMessageBox(IDS_ASK_DESKTOP_LINK, MB_YESNO | MB_ICONQUESTION) == IDYES)
    CreateDesktopShortcut("", m_strName, target, "");
  AfxMessageBox("安装完成", MB_OK | MB_ICONINFORMATION);
  EndDialog(IDOK);
}
