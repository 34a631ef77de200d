// CLibOutputDlg: the modal dialog "积件库" through which the export command writes one
// object into a component library: appended to the current library (mode 0), as the
// only object of the current library (mode 1) or into a new library file (mode 2). On
// success the written file becomes the current library.
//
// The caller puts the component (a clone the dialog then owns) into m_lib before
// running the dialog; the objects of the current library follow it when it is read.
// Every object of m_lib is deleted when the dialog's window goes.
#pragma once

#include "framework/core/String.h"
#include "framework/ui/Dialog.h"
#include "model/ObjLib.h"

class CLibOutputDlg : public CDialog {
 public:
  enum Mode { kAppend = 0, kClearAndAdd = 1, kNewLibrary = 2 };

  explicit CLibOutputDlg(CWnd* pParentWnd = nullptr);
  ~CLibOutputDlg() override;

  BOOL OnInitDialog() override;
  void OnOK() override;
  // Deletes the library's objects before the window goes.
  BOOL DestroyWindow() override;

  CObjLib m_lib;
  CString m_strLibFile;  // edit 259
  CString m_strLibName;  // edit 261
  int m_nMode = kAppend;  // radio group 260, 262, 263
  // The current library exists but could not be read whole: appending to it would
  // write the part that was read over the rest.
  BOOL m_bLibraryUnreadable = FALSE;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnDestroy() override;

 private:
  void OnBrowse();
  void OnKeepLibrary();
  void OnNewLibrary();
  void EnableFileChoice(BOOL enable);
  // The objects after the component (those read from the library) deleted.
  void DropLibraryObjects();
  void Report(UINT promptId);
};
