// CFolderPicker: the shell's folder browser, opened on the current folder and showing
// the selected folder's path as its status text while the user moves through the tree.
#pragma once

#include <windows.h>
#include <objidl.h>

#include "framework/core/String.h"

class CWnd;

class CFolderPicker {
 public:
  CFolderPicker();

  // 1 with m_strPath set to the chosen folder; 0 when the user cancels, the start folder
  // is not a valid folder (the browser is then not shown) or the shell fails.
  int DoModal(CWnd* pOwner = nullptr);

  CString m_strPath;           // the chosen folder
  CString m_strStartFolder;    // optional: must be a valid folder for the browser to open
  CString m_strCurrentFolder;  // optional: selected when the browser opens; follows the user
  CString m_strTitle;          // above the tree; "Open" when empty
  int m_nImageIndex = 0;       // the system image of the chosen folder

 private:
  static int CALLBACK BrowseCallback(HWND hWnd, UINT message, LPARAM lParam, LPARAM data);
  BOOL IsValidStartFolder(IMalloc* allocator) const;
};
