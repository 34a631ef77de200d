// CWinApp's documents, recent files, command line and shell registration.
#include <stdlib.h>

#include "framework/core/FrameworkStrings.h"
#include "framework/core/MessageBox.h"
#include "framework/core/ModulePath.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/CommandLineInfo.h"
#include "framework/ui/DocTemplate.h"
#include "framework/ui/Document.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/ModalSink.h"
#include "framework/ui/RecentFileList.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"

namespace {

BOOL SetClassesValue(const CString& subKey, const CString& value) {
  HKEY key = nullptr;
  const CString path = "Software\\Classes\\" + subKey;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
    return FALSE;
  const LONG result = ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                                       static_cast<DWORD>(value.GetLength() + 1));
  ::RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

CString GetClassesValue(const CString& subKey) {
  char buffer[512] = {};
  LONG size = sizeof buffer;
  const CString path = "Software\\Classes\\" + subKey;
  if (::RegQueryValueA(HKEY_CURRENT_USER, path, buffer, &size) != ERROR_SUCCESS) return CString();
  buffer[sizeof buffer - 1] = '\0';
  return CString(buffer);
}

CString ModulePath() { return ModuleFileName(AfxGetInstanceHandle()); }

}  // namespace

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { m_templates.push_back(pTemplate); }

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
  const size_t index = static_cast<size_t>(reinterpret_cast<INT_PTR>(pos)) - 1;
  CDocTemplate* docTemplate = index < m_templates.size() ? m_templates[index] : nullptr;
  pos = index + 1 < m_templates.size() ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 2)) : nullptr;
  return docTemplate;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName) {
  char full[MAX_PATH];
  CString path = lpszFileName;
  const DWORD length = ::GetFullPathNameA(lpszFileName, MAX_PATH, full, nullptr);
  if (length > 0 && length < MAX_PATH) path = full;

  CDocTemplate* best = nullptr;
  CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
  CDocument* open = nullptr;
  for (CDocTemplate* docTemplate : m_templates) {
    CDocument* match = nullptr;
    const CDocTemplate::Confidence confidence = docTemplate->MatchDocType(path, match);
    if (confidence > bestMatch) {
      bestMatch = confidence;
      best = docTemplate;
      open = match;
    }
  }
  if (bestMatch == CDocTemplate::yesAlreadyOpen && open) {
    // Already shown: bring its frame forward.
    POSITION pos = open->GetFirstViewPosition();
    if (pos) {
      if (CFrameWnd* frame = open->GetNextView(pos)->GetParentFrame()) frame->ActivateFrame();
    }
    return open;
  }
  if (!best) {
    AfxMessageBox(FrameworkText(AFX_IDS_UNKNOWN_FILE_KIND), MB_ICONEXCLAMATION);
    return nullptr;
  }
  return best->OpenDocumentFile(path);
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName) {
  if (m_pRecentFileList) m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified() {
  for (CDocTemplate* docTemplate : m_templates) {
    if (!docTemplate->SaveAllModified()) return FALSE;
  }
  return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  for (CDocTemplate* docTemplate : m_templates) docTemplate->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, LPCSTR lpszTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate) {
  // One filter per template (the given one only, when there is one), then all files.
  CString filter;
  CString defaultExt;
  for (CDocTemplate* docTemplate : m_templates) {
    if (pTemplate && docTemplate != pTemplate) continue;
    CString name, ext;
    if (!docTemplate->GetDocString(name, CDocTemplate::filterName) ||
        !docTemplate->GetDocString(ext, CDocTemplate::filterExt))
      continue;
    filter += name + "|*" + ext + "|";
    if (defaultExt.IsEmpty()) defaultExt = ext[0] == '.' ? ext.Mid(1) : ext;
  }
  filter += FrameworkText(AFX_IDS_ALL_FILES_FILTER);

  CFileDialog dialog(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : defaultExt.GetString(), fileName,
                     lFlags | OFN_HIDEREADONLY | (bOpenFileDialog ? 0 : OFN_OVERWRITEPROMPT), filter, m_pMainWnd);
  dialog.m_ofn.lpstrTitle = lpszTitle;
  if (dialog.DoModal() != IDOK) return FALSE;
  fileName = dialog.GetPathName();
  return TRUE;
}

void CWinApp::OnFileNew() {
  if (m_templates.empty()) return;
  m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
  CString name;
  if (!DoPromptFileName(name, FrameworkText(AFX_IDS_OPEN_TITLE), OFN_FILEMUSTEXIST, TRUE, nullptr)) return;
  OpenDocumentFile(name);
}

void CWinApp::OnFilePrintSetup() {
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  dialog.Flags = PD_PRINTSETUP;
  ModalCall call;
  call.kind = ModalCall::printDialog;
  call.id = PD_PRINTSETUP;
  call.show = [&dialog] { return static_cast<INT_PTR>(::PrintDlgA(&dialog) ? IDOK : IDCANCEL); };
  AfxRunModal(call);
  if (dialog.hDevMode) ::GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) ::GlobalFree(dialog.hDevNames);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
  if (!m_pRecentFileList) return FALSE;
  const int index = static_cast<int>(nID) - ID_FILE_MRU_FILE1;
  if (index < 0 || index >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[index].IsEmpty()) return FALSE;
  const CString path = (*m_pRecentFileList)[index];
  if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(index);  // gone or unreadable: off the list
  return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (!m_pRecentFileList) {
    pCmdUI->Enable(FALSE);
    return;
  }
  m_pRecentFileList->UpdateMenu(pCmdUI);
}

// ---------------------------------------------------------------------------------
// Command line

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  for (int i = 1; i < __argc; ++i) {
    const char* param = __argv[i];
    const BOOL flag = param[0] == '-' || param[0] == '/';
    rCmdInfo.ParseParam(flag ? param + 1 : param, flag, i == __argc - 1);
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  m_pCmdInfo = &rCmdInfo;
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
      // Print the file without showing it, then end.
      m_nCmdShow = SW_HIDE;
      if (OpenDocumentFile(rCmdInfo.m_strFileName) && m_pMainWnd)
        m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
      return FALSE;
    case CCommandLineInfo::AppUnregister:
      UnregisterShellFileTypes();
      return FALSE;
    case CCommandLineInfo::FileDDE:  // the DDE conversation is not supported: nothing to open
    case CCommandLineInfo::FileNothing:
    default:
      return TRUE;
  }
}

// ---------------------------------------------------------------------------------
// Shell registration

void CWinApp::RegisterShellFileTypes(BOOL bCompat) {
  const CString exe = ModulePath();
  for (CDocTemplate* docTemplate : m_templates) {
    CString typeId, typeName, ext;
    if (!docTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId)) continue;
    docTemplate->GetDocString(typeName, CDocTemplate::regFileTypeName);
    SetClassesValue(typeId, typeName.IsEmpty() ? typeId : typeName);
    SetClassesValue(typeId + "\\DefaultIcon", exe + ",0");
    SetClassesValue(typeId + "\\shell\\open\\command", "\"" + exe + "\" \"%1\"");
    if (bCompat) {
      SetClassesValue(typeId + "\\shell\\print\\command", "\"" + exe + "\" /p \"%1\"");
      SetClassesValue(typeId + "\\shell\\printto\\command", "\"" + exe + "\" /pt \"%1\" \"%2\" \"%3\" \"%4\"");
    }
    if (docTemplate->GetDocString(ext, CDocTemplate::filterExt) && ext[0] == '.') SetClassesValue(ext, typeId);
  }
}

void CWinApp::UnregisterShellFileTypes() {
  for (CDocTemplate* docTemplate : m_templates) {
    CString typeId, ext;
    if (!docTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId)) continue;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\" + typeId);
    // The extension is left alone when another program has taken it since.
    if (docTemplate->GetDocString(ext, CDocTemplate::filterExt) && ext[0] == '.' && GetClassesValue(ext) == typeId)
      ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\" + ext);
  }
}
