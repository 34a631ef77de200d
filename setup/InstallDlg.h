// CInstallDlg: setup's one window. It asks for the program group, the programme's name
// and the folder, writes the package carried by setup's own executable into the folder,
// then makes the group with a shortcut to the installed programme and, when the user
// wants one, a shortcut on the desktop.
#pragma once

#include "framework/ui/Dialog.h"
#include "framework/ui/ProgressCtrl.h"
#include "publish/PackageIndex.h"

class CInstallDlg : public CDialog {
 public:
  CInstallDlg();

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  // The start button: checks, extraction, group, shortcuts.
  void OnOK() override;
  void OnBrowse();

  // The extraction callback: status line, last name, one step of the progress bar.
  static void OnEntryExtracted(const PackageEntry& entry, void* dialog);

  // Where the package is read from: the running executable, or a file a test names.
  CString m_packagePath;

  PackageIndex m_package;
  CProgressCtrl m_progress;
  CString m_strFolder;     // 1001
  CString m_strGroup;      // 1000
  CString m_strStatus;     // 1004
  CString m_strName;       // 1005
  CString m_strLastName;   // the entry extracted last: the programme's executable

 protected:
  void OnSysCommand(UINT nID, LPARAM lParam) override;
  void OnPaint() override;
  HCURSOR OnQueryDragIcon() override;

 private:
  HICON m_hIcon;
};
