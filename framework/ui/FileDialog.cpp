#include "framework/ui/FileDialog.h"

#include "framework/ui/ModalSink.h"

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
  call.path = m_szFileName;
  call.window = this;
  bool shown = false;
  call.show = [this, &shown] {
    shown = true;
    return RunFileDialog();
  };
  const INT_PTR result = AfxRunModal(call);
  if (result == IDOK && !shown) {
    // A sink's answer, as if typed in the dialog.
    lstrcpynA(m_szFileName, call.path, sizeof m_szFileName);
    const int slash = call.path.ReverseFind('\\');
    lstrcpynA(m_szFileTitle, call.path.Mid(slash + 1), sizeof m_szFileTitle);
    m_ofn.nFileOffset = static_cast<WORD>(slash + 1);
    const int dot = call.path.ReverseFind('.');
    m_ofn.nFileExtension = static_cast<WORD>(dot > slash ? dot + 1 : 0);
  }
  return result;
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
  const CString path(m_szFileName);
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
