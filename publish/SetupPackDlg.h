// CSetupPackDlg: builds an offline installer: first an executable of the programme in the
// temporary folder (as CPackageDlg builds one), then a copy of setup with that one file
// appended. Enter does nothing here.
#pragma once

#include "publish/PackageDlg.h"

class CSetupPackDlg : public CPackageDlg {
 public:
  explicit CSetupPackDlg(CWnd* pParent = nullptr);

  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override {}
  void OnBuild() override;

  CString m_strExeName;  // 1037
  CString m_strTempExe;  // the executable built on the way, in the temporary folder

 protected:
  CString SetupPath() const { return m_strEditorFolder + "setup.exe"; }
  DWORD StubSize() const override;
  OutputDialog OutputDialogTexts() const override { return {"Setup.exe", "执行文件(*.exe)|*.exe||", "安装程序名"}; }
};
