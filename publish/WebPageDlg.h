// CWebPageDlg: publishes a programme for the web: copies the chosen page files into one
// target folder and writes there an HTML page that embeds the browser control with the
// home page as its SRC. The folder can be served as it is or uploaded by FTP.
#pragma once

#include "framework/ui/Dialog.h"
#include "framework/ui/ListCtrl.h"

class CWebPageDlg : public CDialog {
 public:
  explicit CWebPageDlg(CWnd* pParent = nullptr);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

  void OnAddFolder();
  void OnAddFiles();
  void OnDeleteFiles();
  void OnSetFirstPage();
  void OnDblclkPageList(NMHDR* pNMHDR, LRESULT* pResult);
  void OnBrowseFolder();

  // Without a home page, the first row's name becomes it.
  void EnsureFirstPage();
  // Makes the target folder with every missing level; a refusal has been shown.
  bool EnsureTargetFolder();
  // Copies every row into the target folder, over files of the same names; a row that
  // cannot be copied is shown and the next one follows.
  void CopyPageFiles();
  // Writes the HTML page into the target folder; a file error has been shown.
  bool WriteHtmlPage();
  // The target folder + "\" when missing + the name.
  CString TargetPath(const CString& name) const;

  CListCtrl m_pageList;        // 1033: name, folder with its "\"
  CString m_strPageName;       // 1011
  CString m_strFirstPage;      // 1012
  CString m_strTargetFolder;   // 1009
  // The host the control's cabinet is downloaded from (the deployment's setting).
  CString m_strCabinetHost;

 private:
  void InsertPageRow(int position, const CString& path);
};
