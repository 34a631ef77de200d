#include "editor/panels/LibOutputDlg.h"

#include "editor/DrawApp.h"
#include "framework/core/Exception.h"
#include "framework/core/FileException.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/FileDialog.h"
#include "model/DrawObj.h"
#include "resources/KordelIds.h"

namespace {

// Lower case, with ".lib" appended when it does not end so.
CString LibraryFileName(CString name) {
  name.MakeLower();
  if (name.Right(4) != ".lib") name += ".lib";
  return name;
}

CString CurrentLibrary() {
  const CDrawApp* app = GetDrawApp();
  CString path = app ? app->m_strComponentLibrary : CString();
  path.MakeLower();
  return path;
}

}  // namespace

CLibOutputDlg::CLibOutputDlg(CWnd* pParentWnd) : CDialog(IDD_LIB_OUTPUT, pParentWnd) {
  MapCommand(IDC_LIB_BROWSE, &CLibOutputDlg::OnBrowse);
  MapCommand(IDC_LIB_APPEND, &CLibOutputDlg::OnKeepLibrary);
  MapCommand(IDC_LIB_CLEAR, &CLibOutputDlg::OnKeepLibrary);
  MapCommand(IDC_LIB_NEW, &CLibOutputDlg::OnNewLibrary);
}

CLibOutputDlg::~CLibOutputDlg() { m_lib.DeleteObjects(); }

void CLibOutputDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_LIB_FILE, m_strLibFile);
  DDX_Text(pDX, IDC_LIB_NAME, m_strLibName);
  DDX_Radio(pDX, IDC_LIB_APPEND, m_nMode);
}

void CLibOutputDlg::EnableFileChoice(BOOL enable) {
  for (int id : {IDC_LIB_FILE, IDC_LIB_BROWSE})
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CLibOutputDlg::DropLibraryObjects() {
  while (m_lib.m_objects.GetCount() > 1) static_cast<CDrawObj*>(m_lib.m_objects.RemoveTail())->Delete();
}

BOOL CLibOutputDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const CString current = CurrentLibrary();
  if (current.IsEmpty()) {
    // Without a current library only a new one can be written.
    m_nMode = kNewLibrary;
    UpdateData(FALSE);
    EnableFileChoice(TRUE);
    return TRUE;
  }
  EnableFileChoice(FALSE);
  m_strLibFile = LibraryFileName(current);
  try {
    m_lib.LoadFile(m_strLibFile);
  } catch (const CFileException& e) {
    // A library not yet written is no loss; any other failure makes appending unsafe.
    m_bLibraryUnreadable = e.m_cause != CFileException::fileNotFound && e.m_cause != CFileException::badPath;
    DropLibraryObjects();
    UpdateData(FALSE);
    return TRUE;
  } catch (const CException&) {
    m_bLibraryUnreadable = TRUE;
    DropLibraryObjects();
    UpdateData(FALSE);
    return TRUE;
  }
  if (!m_lib.m_bValid) {
    // "非库文件" has been shown; only a new library can be written now.
    m_strLibFile.Empty();
    UpdateData(FALSE);
    return TRUE;
  }
  m_strLibName = m_lib.m_strDescription;
  UpdateData(FALSE);
  return TRUE;
}

void CLibOutputDlg::OnKeepLibrary() { EnableFileChoice(FALSE); }

void CLibOutputDlg::OnNewLibrary() { EnableFileChoice(TRUE); }

void CLibOutputDlg::OnBrowse() {
  UpdateData(TRUE);
  CString title, filter;
  title.LoadString(IDS_LIB_FILE_TITLE);
  filter.LoadString(IDS_LIB_FILE_FILTER);
  // A save dialog: choosing an existing library as the new one asks before overwriting.
  CFileDialog dialog(FALSE, "lib", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
  dialog.m_ofn.lpstrTitle = title;
  dialog.m_ofn.nFilterIndex = 1;
  if (dialog.DoModal() != IDOK) return;
  m_strLibFile = dialog.GetPathName();
  UpdateData(FALSE);
}

void CLibOutputDlg::Report(UINT promptId) {
  CString text;
  text.LoadString(promptId);
  AfxMessageBoxWithCaption(m_hWnd, text, "", MB_OK);
}

void CLibOutputDlg::OnOK() {
  const CString old = CurrentLibrary();
  if (!UpdateData(TRUE)) return;
  if (m_lib.m_objects.IsEmpty()) return;  // no component was given
  CString file = m_strLibFile;
  file.MakeLower();
  // ".lib" alone names no library.
  if (file.IsEmpty() || file == ".lib") {
    Report(IDS_LIB_NAME_EMPTY);
    return;
  }
  file = LibraryFileName(file);
  if (m_nMode == kNewLibrary && file == old) {
    Report(IDS_LIB_SAME_FILE);
    return;
  }
  if (m_nMode == kAppend && m_bLibraryUnreadable) {
    Report(IDS_CREATE_FILE_FAILED);
    return;
  }
  try {
    if (m_nMode == kAppend) {
      m_lib.m_strDescription = m_strLibName;
      m_lib.StoreFile(file);
    } else {
      CObjLib single;
      single.m_strDescription = m_strLibName;
      single.AddObject(static_cast<CDrawObj*>(m_lib.m_objects.GetHead()));
      single.StoreFile(file);  // the library does not own the component
    }
  } catch (const CException&) {
    Report(IDS_CREATE_FILE_FAILED);
    return;
  }
  if (CDrawApp* app = GetDrawApp()) {
    app->m_strComponentLibrary = file;
    app->SaveSettings(0);
  }
  EndDialog(IDOK);
}

void CLibOutputDlg::OnDestroy() {
  m_lib.DeleteObjects();
  CDialog::OnDestroy();
}

BOOL CLibOutputDlg::DestroyWindow() {
  m_lib.DeleteObjects();
  return CDialog::DestroyWindow();
}
