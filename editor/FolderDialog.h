// CFolderDialog: the system's open-file dialog reduced to a folder chooser. The file
// name and type controls are hidden and OK takes the folder the dialog shows.
#pragma once

#include "framework/ui/FileDialog.h"

class CFolderDialog : public CFileDialog {
 public:
  // pFolder receives the chosen folder on OK and is left alone on Cancel.
  explicit CFolderDialog(CString* pFolder, CWnd* pParentWnd = nullptr);

  INT_PTR DoModal() override;

 protected:
  void OnInitDone() override;

 private:
  static LRESULT CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  CString* m_pFolder;
  WNDPROC m_previousProc = nullptr;
  BOOL m_bFolderTaken = FALSE;
};
