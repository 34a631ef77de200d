// CFtpUploadDlg: sends local files by FTP, in binary, into one folder of a server: the
// files are listed here, the server's address, user, password and port typed each time;
// the remote folder may be chosen by browsing the server (CFtpBrowseDlg). The transfer
// blocks the window; the progress bar steps once per file.
#pragma once

#include "framework/ui/Dialog.h"
#include "framework/ui/ListCtrl.h"
#include "framework/ui/ProgressCtrl.h"

class CFtpUploadDlg : public CDialog {
 public:
  explicit CFtpUploadDlg(CWnd* pParent = nullptr);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  // Sends every listed file.
  void OnOK() override;

  void OnAddFiles();
  void OnAddFolder();
  void OnDeleteFiles();
  void OnBrowseRemote();

  CListCtrl m_fileList;     // 1034: local full path, "%d BYTES"
  CProgressCtrl m_progress; // 1030
  CString m_strUser;        // 1002
  CString m_strPassword;    // 1003
  CString m_strAddress;     // 1004
  CString m_strPort;        // 1005

 private:
  void InsertFileRow(int position, const CString& path);
  // Buttons 1 and 2, disabled while a transfer runs.
  void EnableButtons(BOOL bEnable);
  // Connects and sends the rows; a per-file failure has been shown.
  void SendFiles();
};
