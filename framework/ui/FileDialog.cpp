#include "framework/ui/FileDialog.h"

#include "framework/ui/ModalSink.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog) {
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof m_szFileName;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
  m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
  m_ofn.lpfnHook = &CFileDialog::HookProc;
  m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
  if (lpszDefExt) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (lpszFileName) lstrcpynA(m_szFileName, lpszFileName, sizeof m_szFileName);
  if (lpszFilter) {
    // "a|b|c|d||" becomes "a\0b\0c\0d\0\0".
    m_filter = lpszFilter;
    for (char& c : m_filter) {
      if (c == '|') c = '\0';
    }
    m_filter.push_back('\0');
    m_filter.push_back('\0');
    m_ofn.lpstrFilter = m_filter.c_str();
  }
}

INT_PTR CFileDialog::DoModal() {
  ModalCall call;
  call.kind = ModalCall::fileDialog;
  call.open = m_bOpenFileDialog;
  call.title = m_ofn.lpstrTitle;
  if (m_ofn.lpstrFilter) {
    std::string filter(m_filter);
    for (char& c : filter) {
      if (c == '\0') c = '|';
    }
    while (filter.size() > 2 && filter.compare(filter.size() - 3, 3, "|||") == 0) filter.pop_back();
    call.text = filter;
  }
  call.path = m_ofn.lpstrFile ? m_ofn.lpstrFile : "";
  call.window = this;
  bool shown = false;
  call.show = [this, &shown] {
    shown = true;
    return RunFileDialog();
  };
  const INT_PTR result = AfxRunModal(call);
  if (result == IDOK && !shown) TakeAnswer(call);
  return result;
}

void CFileDialog::TakeAnswer(const ModalCall& call) {
  char* buffer = m_ofn.lpstrFile;
  const size_t room = m_ofn.nMaxFile;
  if (!buffer || room < 2) return;
  if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && call.paths.size() > 1) {
    // "folder\0name\0name\0\0", cut where the buffer ends.
    const CString& first = call.paths[0];
    const int slash = first.ReverseFind('\\');
    std::string list(first.Left(slash).str());
    list.push_back('\0');
    for (const CString& path : call.paths) {
      list += path.Mid(path.ReverseFind('\\') + 1).str();
      list.push_back('\0');
    }
    list.push_back('\0');
    if (list.size() > room) return;
    std::copy(list.begin(), list.end(), buffer);
    m_ofn.nFileOffset = static_cast<WORD>(slash + 1);
    m_ofn.nFileExtension = 0;
    return;
  }
  const CString path = call.paths.size() == 1 ? call.paths[0] : call.path;
  lstrcpynA(buffer, path, static_cast<int>(room));
  buffer[std::min(room - 1, static_cast<size_t>(path.GetLength()) + 1)] = '\0';  // the list's closing NUL
  const int slash = path.ReverseFind('\\');
  lstrcpynA(m_szFileTitle, path.Mid(slash + 1), sizeof m_szFileTitle);
  m_ofn.nFileOffset = static_cast<WORD>(slash + 1);
  const int dot = path.ReverseFind('.');
  m_ofn.nFileExtension = static_cast<WORD>(dot > slash ? dot + 1 : 0);
}

CString CFileDialog::GetPathName() const {
  POSITION pos = GetStartPosition();
  return pos ? GetNextPathName(pos) : CString();
}

POSITION CFileDialog::GetStartPosition() const {
  return m_ofn.lpstrFile && m_ofn.lpstrFile[0] ? reinterpret_cast<POSITION>(const_cast<char*>(m_ofn.lpstrFile)) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  const char* start = m_ofn.lpstrFile;
  const char* at = reinterpret_cast<const char*>(pos);
  const bool multiple = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && start[lstrlenA(start) + 1] != '\0';
  if (!multiple) {
    pos = nullptr;
    return start;
  }
  // The first string is the folder; the names follow it.
  if (at == start) at += lstrlenA(start) + 1;
  CString path = CString(start);
  if (path.ReverseFind('\\') != path.GetLength() - 1) path += "\\";
  path += at;
  const char* next = at + lstrlenA(at) + 1;
  pos = *next ? reinterpret_cast<POSITION>(const_cast<char*>(next)) : nullptr;
  return path;
}

INT_PTR CFileDialog::RunFileDialog() {
  if (!m_ofn.hwndOwner) m_ofn.hwndOwner = GetSafeOwner(m_pParentWnd);
  const BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  if (m_hWnd) Detach();
  return ok ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    // Bind the object to the child window the system made for the hook.
    auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
    auto* dialog = reinterpret_cast<CFileDialog*>(ofn->lCustData);
    if (dialog && !dialog->m_hWnd) dialog->Attach(hWnd);
    return FALSE;
  }
  auto* dialog = static_cast<CFileDialog*>(FromHandlePermanent(hWnd));
  if (!dialog) return FALSE;
  if (message == WM_DESTROY) {
    dialog->Detach();
    return FALSE;
  }
  if (message != WM_NOTIFY) return FALSE;
  switch (reinterpret_cast<NMHDR*>(lParam)->code) {
    case CDN_INITDONE: dialog->OnInitDone(); break;
    case CDN_SELCHANGE: dialog->OnFileNameChange(); break;
    case CDN_FOLDERCHANGE: dialog->OnFolderChange(); break;
    case CDN_TYPECHANGE: dialog->OnTypeChange(); break;
    case CDN_FILEOK:
      if (dialog->OnFileNameOK()) {
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, 1);
        return TRUE;
      }
      break;
    default: break;
  }
  return FALSE;
}

CString CFileDialog::GetFileName() const {
  const CString path = GetPathName();
  return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const {
  HWND dialog = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
  if (!dialog) return CString();
  char folder[MAX_PATH] = {};
  if (::SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder)) < 0) return CString();
  return folder;
}
