// CPackageDlg: turns a programme (page files and a home page) into one executable: a
// copy of the player with the pages appended and the chosen icon written into it. The
// installer dialog (CSetupPackDlg) shares its page list, home page, icon, size estimate
// and progress, and builds differently.
#pragma once

#include "framework/ui/Dialog.h"
#include "framework/ui/ListCtrl.h"
#include "framework/ui/ProgressCtrl.h"
#include "package/PackageIndex.h"
#include "publish/IconCombo.h"

class CPackageDlg : public CDialog {
 public:
  // The icons the author may choose from: the editor's resources of these ids that exist.
  static constexpr UINT kFirstIcon = 247;
  static constexpr UINT kLastIcon = 259;
  // The estimate's stub size when the player cannot be measured.
  static constexpr DWORD kStubEstimate = 655260;

  explicit CPackageDlg(CWnd* pParent = nullptr);
  CPackageDlg(UINT nIDTemplate, CWnd* pParent);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;

  void OnBrowseOutput();
  void OnAddFolder();
  void OnAddFiles();
  void OnDeleteFiles();
  void OnSetFirstPage();
  void OnDblclkPageList(NMHDR* pNMHDR, LRESULT* pResult);
  void OnSelchangeIcon();
  virtual void OnBuild();

  // Re-measures every row (dropping, with a message, those whose file is gone or empty)
  // and shows the estimate of the executable's size; empty text for an empty list.
  void UpdateSizeEstimate();
  // Without a home page, the first row becomes it.
  void EnsureFirstPage();
  // The package table for a build: the home page first, then every other row in list
  // order (rows named like the home page left out); unreadable files left out.
  void FillPackageIndex();
  // Adds a row (name, size, full path) at the list position given.
  void InsertPageRow(int position, const CString& path);
  // The progress callback of the package writer.
  static void AppendProgress(const PackageEntry& entry, void* dialog);

  // The file's length; 0 when it cannot be opened.
  static DWORD QueryFileSize(const char* path);
  // Makes every level of the folder; the current directory is left as it was.
  static bool CreateDirectoryPath(const char* path);
  // The output must end in ".exe" (any case) and name a folder, made when missing.
  static bool CheckOutputPath(const char* path);
  // An executable's name without a folder, ending in ".exe" afterwards; a refusal has
  // been shown.
  static bool CheckExeName(CString& name);
  // The running editor's folder, with its "\".
  static CString GetModuleDir();

  CListCtrl m_pageList;      // 251
  CProgressCtrl m_progress;  // 1030
  CIconCombo m_iconCombo;    // 1020
  UINT m_nIconId;            // the icon the combo shows
  CString m_strOutput;       // 1001
  CString m_strStatus;       // 1027
  CString m_strSize;         // 1025
  CString m_strFirstPage;    // 1038
  CString m_strFirstPagePath;
  // Where the stubs are taken from (the editor's folder unless a test says otherwise).
  CString m_strEditorFolder;
  PackageIndex m_package;

 protected:
  CString PlayerPath() const { return m_strEditorFolder + "mirabo.exe"; }
  // What the estimate counts besides the pages.
  virtual DWORD StubSize() const;
  // Hides the progress bar and empties the status line after a build.
  void EndProgress();
  // Writes the chosen icon into the executable; warns when it could not.
  void PatchIcon(const CString& exe);

  struct OutputDialog {
    const char* defaultName;
    const char* filter;
    const char* title;
  };
  virtual OutputDialog OutputDialogTexts() const { return {"mirabo.exe", "Exe(*.exe)|*.exe||", "执行程序名"}; }
};
