#include "framework/ui/FolderPicker.h"

#include <shlobj.h>

#include "framework/core/Codepage.h"
#include "framework/core/ComPtr.h"
#include "framework/ui/FolderBrowser.h"
#include "framework/ui/Wnd.h"
#include "framework/ui/AfxRes.h"

CFolderPicker::CFolderPicker() { m_strTitle.LoadString(AFX_IDS_FOLDER_PICKER_TITLE); }

BOOL CFolderPicker::IsValidStartFolder(IMalloc* allocator) const {
  ComPtr<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(desktop.out())) || !desktop) return FALSE;
  std::wstring wide = codepage::ToWide(m_strStartFolder.str());
  if (wide.size() > MAX_PATH) return FALSE;
  PIDLIST_RELATIVE list = nullptr;
  ULONG eaten = 0;
  const HRESULT result = desktop->ParseDisplayName(nullptr, nullptr, &wide[0], &eaten, &list, nullptr);
  // The start folder is only a check: the parsed list goes back to the shell at once.
  if (list) allocator->Free(list);
  return SUCCEEDED(result) && list != nullptr;
}

int CFolderPicker::DoModal(CWnd* pOwner) {
  ComPtr<IMalloc> allocator;
  if (FAILED(::SHGetMalloc(allocator.out())) || !allocator) return 0;
  if (!m_strStartFolder.IsEmpty() && !IsValidStartFolder(allocator.get())) return 0;

  char displayName[MAX_PATH] = {};
  const CString title = m_strTitle.IsEmpty() ? CString("Open") : m_strTitle;
  BROWSEINFOA info = {};
  info.hwndOwner = pOwner ? pOwner->m_hWnd : nullptr;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = displayName;
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_RETURNFSANCESTORS;
  info.lpfn = &CFolderPicker::BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);

  CString chosen = m_strCurrentFolder;
  if (!AfxBrowseForFolder(info, chosen)) return 0;
  m_nImageIndex = info.iImage;
  m_strPath = chosen;
  return 1;
}

int CALLBACK CFolderPicker::BrowseCallback(HWND hWnd, UINT message, LPARAM lParam, LPARAM data) {
  auto* picker = reinterpret_cast<CFolderPicker*>(data);
  if (message == BFFM_INITIALIZED) {
    if (!picker->m_strCurrentFolder.IsEmpty())
      ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(picker->m_strCurrentFolder.GetString()));
  } else if (message == BFFM_SELCHANGED) {
    char path[MAX_PATH] = {};
    if (::SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
      picker->m_strCurrentFolder = path;
      ::SendMessageA(hWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
  }
  return 0;
}
