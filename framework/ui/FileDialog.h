// CFileDialog: the system's open and save dialogs (Explorer style), through the modal
// sink. The filter is given as "name|pattern|name|pattern||". A derived class may
// react to the dialog through OnInitDone and the other notifications; inside them the
// object is bound to the dialog's child window, so GetParent() is the dialog itself.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "framework/ui/Dialog.h"

struct ModalCall;

class CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)

 public:
  CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
              DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
              CWnd* pParentWnd = nullptr);

  INT_PTR DoModal() override;

  // The chosen file; with multiple selection, the first one.
  CString GetPathName() const;
  // Multiple selection (OFN_ALLOWMULTISELECT): the caller may point m_ofn.lpstrFile and
  // nMaxFile at a larger buffer first. The walk over the chosen files' full paths:
  // null when none was chosen.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  // While the dialog is shown: the folder it shows.
  CString GetFolderPath() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

  OPENFILENAMEA m_ofn;

 protected:
  virtual void OnInitDone() {}
  virtual void OnFileNameChange() {}
  virtual void OnFolderChange() {}
  virtual void OnTypeChange() {}
  // TRUE refuses the name the user chose (the dialog stays open).
  virtual BOOL OnFileNameOK() { return FALSE; }

  BOOL m_bOpenFileDialog;

 private:
  static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR RunFileDialog();
  // Writes a sink's answer into the name buffer as the system would have.
  void TakeAnswer(const ModalCall& call);

  std::string m_filter;  // NUL-separated, as the system wants it
  CString m_strDefExt;
  char m_szFileName[MAX_PATH * 4] = {};
  char m_szFileTitle[MAX_PATH] = {};
};
