#include "setup/SetupApp.h"

#include <windows.h>
#include <commctrl.h>

#include "setup/InstallDlg.h"

BOOL CSetupApp::InitInstance() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  CInstallDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}
