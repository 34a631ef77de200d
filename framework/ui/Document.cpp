#include "framework/ui/Document.h"

#include <new>

#include "framework/core/Archive.h"
#include "framework/core/ArchiveException.h"
#include "framework/core/File.h"
#include "framework/core/FileException.h"
#include "framework/core/FrameworkStrings.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/DocTemplate.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

namespace {

// The folder part of a path, without its trailing separator ("." for a bare name).
CString FolderOf(const CString& path) {
  int slash = path.ReverseFind('\\');
  const int other = path.ReverseFind('/');
  if (other > slash) slash = other;
  if (slash < 0) return ".";
  if (slash == 2 && path[1] == ':') return path.Left(3);  // "C:\"
  return path.Left(slash);
}

// A failure's reason without the file name the exception carries (for a save, that
// is the temporary file, which means nothing to the user).
CString ReasonOf(const CException* e) {
  if (auto* file = dynamic_cast<const CFileException*>(e)) {
    CFileException copy(*file);
    copy.m_strFileName.Empty();
    return copy.GetErrorMessage();
  }
  if (auto* archive = dynamic_cast<const CArchiveException*>(e)) {
    CArchiveException copy(*archive);
    copy.m_strFileName.Empty();
    return copy.GetErrorMessage();
  }
  return e ? e->GetErrorMessage() : FrameworkText(AFX_IDS_UNKNOWN_ERROR);
}

// Puts source in target's place, trying again for about a second while another
// program has target open.
BOOL ReplaceWithRetry(const char* source, const char* target) {
  for (int attempt = 0;; ++attempt) {
    if (::MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return TRUE;
    const DWORD code = ::GetLastError();
    if ((code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED && code != ERROR_LOCK_VIOLATION) ||
        attempt == 20) {
      ::SetLastError(code);
      return FALSE;
    }
    ::Sleep(50);
  }
}

}  // namespace

CDocument::CDocument() {
  MapCommand(ID_FILE_CLOSE, &CDocument::OnFileClose);
  MapCommand(ID_FILE_SAVE, &CDocument::OnFileSave);
  MapCommand(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs);
}

CDocument::~CDocument() {
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle) {
  m_strTitle = lpszTitle;
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU) {
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(lpszPathName, MAX_PATH, full, nullptr);
  m_strPathName = (length > 0 && length < MAX_PATH) ? CString(full) : CString(lpszPathName);
  int slash = m_strPathName.ReverseFind('\\');
  const int other = m_strPathName.ReverseFind('/');
  if (other > slash) slash = other;
  SetTitle(m_strPathName.Mid(slash + 1));
  if (bAddToMRU) {
    if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(m_strPathName);
  }
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
  return static_cast<CView*>(const_cast<CPtrList&>(m_viewList).GetNext(rPosition));
}

void CDocument::AddView(CView* pView) {
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  for (POSITION pos = m_viewList.GetHeadPosition(); pos;) {
    POSITION at = pos;
    if (m_viewList.GetNext(pos) == pView) {
      m_viewList.RemoveAt(at);
      break;
    }
  }
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  if (m_bAutoDelete && m_viewList.IsEmpty()) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    if (CFrameWnd* frame = view->m_hWnd ? view->GetParentFrame() : nullptr) frame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    if (view != pSender) view->OnUpdate(pSender, lHint, pHint);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName) {
  CFile file;
  CFileException error;
  if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
    ReportSaveLoadException(lpszPathName, &error, FALSE);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag();  // half-read contents are not the file's
  try {
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
    file.Close();
  } catch (const CException& e) {
    file.Abort();
    DeleteContents();
    ReportSaveLoadException(lpszPathName, &e, FALSE);
    return FALSE;
  } catch (const std::bad_alloc&) {
    file.Abort();
    DeleteContents();
    ReportFailure(lpszPathName, FrameworkText(AFX_IDS_OUT_OF_MEMORY), FALSE);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName) {
  const CString target(lpszPathName);
  // A read-only file (or a folder) is never replaced. Windows' rename refuses a
  // read-only target by itself; Wine's does not, so it is checked here first.
  const DWORD attributes = ::GetFileAttributesA(target);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    CFileException error(CFileException::accessDenied, ERROR_ACCESS_DENIED, target);
    ReportSaveLoadException(lpszPathName, &error, TRUE);
    return FALSE;
  }
  char temporary[MAX_PATH] = {};
  if (!::GetTempFileNameA(FolderOf(target), "sav", 0, temporary)) {
    const LONG code = static_cast<LONG>(::GetLastError());
    CFileException error(CFileException::OsErrorToException(code), code, target);
    ReportSaveLoadException(lpszPathName, &error, TRUE);
    return FALSE;
  }
  try {
    CFile file(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    try {
      CArchive ar(&file, CArchive::store);
      ar.m_pDocument = this;
      Serialize(ar);
      ar.Close();
      file.Flush();  // on the disk before it takes the old file's place
      file.Close();
    } catch (...) {
      file.Abort();
      throw;
    }
  } catch (const CException& e) {
    ::DeleteFileA(temporary);
    ReportSaveLoadException(lpszPathName, &e, TRUE);
    return FALSE;
  } catch (const std::bad_alloc&) {
    ::DeleteFileA(temporary);
    ReportFailure(lpszPathName, FrameworkText(AFX_IDS_OUT_OF_MEMORY), TRUE);
    return FALSE;
  }
  // A rename within one folder replaces the old file in one step; a read-only file
  // refuses it and stays as it is. Another program reading the old file (a viewer, a
  // virus scanner, a file indexer) holds it for a moment: the rename is tried again for
  // up to a second before the save is reported as failed.
  if (!ReplaceWithRetry(temporary, lpszPathName)) {
    const LONG code = static_cast<LONG>(::GetLastError());
    ::DeleteFileA(temporary);
    CFileException error(CFileException::OsErrorToException(code), code, target);
    ReportSaveLoadException(lpszPathName, &error, TRUE);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, const CException* e, BOOL bSaving) {
  ReportFailure(lpszPathName, ReasonOf(e), bSaving);
}

void CDocument::ReportFailure(LPCSTR lpszPathName, const CString& reason, BOOL bSaving) {
  CString text;
  if (bSaving) {
    text.Format(FrameworkText(AFX_IDS_SAVE_FILE_FAILED), lpszPathName, reason.GetString());
    if (::GetFileAttributesA(lpszPathName) != INVALID_FILE_ATTRIBUTES) text += FrameworkText(AFX_IDS_ORIGINAL_UNCHANGED);
  } else {
    text.Format(FrameworkText(AFX_IDS_OPEN_FILE_FAILED), lpszPathName, reason.GetString());
  }
  AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
  // Destroying the frames destroys the views, which would close this document again.
  const BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* view = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* frame = view->m_hWnd ? view->GetParentFrame() : nullptr;
    if (frame) {
      PreCloseFrame(frame);
      frame->DestroyWindow();
    }
    if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view) RemoveView(view);  // not in a frame
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame) { return SaveModified(); }

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
  if (name.IsEmpty()) name = FrameworkText(AFX_IDS_UNTITLED);
  CString prompt;
  prompt.Format(FrameworkText(AFX_IDS_SAVE_CHANGES), name.GetString());
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
  }
}

BOOL CDocument::DoFileSave() {
  const DWORD attributes = ::GetFileAttributesA(m_strPathName);
  if (m_strPathName.IsEmpty() || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
    return DoSave(nullptr);
  return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace) {
  CString newName = lpszPathName;
  if (newName.IsEmpty()) {
    newName = m_strPathName;
    if (newName.IsEmpty()) {
      // A suggestion from the title, without characters a file name cannot hold.
      newName = m_strTitle;
      for (const char* bad : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|"}) newName.Replace(bad, "");
      CString ext;
      if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty() &&
          newName.Find('.') < 0)
        newName += ext;
    }
    CWinApp* app = AfxGetApp();
    if (!app ||
        !app->DoPromptFileName(newName, FrameworkText(bReplace ? AFX_IDS_SAVE_AS_TITLE : AFX_IDS_SAVE_COPY_TITLE), OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                               FALSE, m_pDocTemplate))
      return FALSE;
  }
  if (!OnSaveDocument(newName)) return FALSE;
  if (bReplace) SetPathName(newName);
  return TRUE;
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
