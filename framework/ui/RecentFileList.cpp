#include "framework/ui/RecentFileList.h"

#include <algorithm>

#include "framework/ui/CmdUI.h"
#include "framework/ui/Menu.h"
#include "framework/ui/WinApp.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen),
      m_arrNames(static_cast<size_t>(std::max(nSize, 0))) {}

CString CRecentFileList::EntryName(int nIndex) const {
  CString name;
  name.Format(m_strEntryFormat, nIndex + 1);
  return name;
}

void CRecentFileList::Add(LPCSTR lpszPathName) {
  if (m_arrNames.empty() || !lpszPathName || !*lpszPathName) return;
  char full[MAX_PATH];
  CString path = lpszPathName;
  if (::GetFullPathNameA(lpszPathName, MAX_PATH, full, nullptr) - 1u < MAX_PATH - 1u) path = full;
  size_t at = m_arrNames.size() - 1;
  for (size_t i = 0; i < m_arrNames.size(); ++i) {
    if (m_arrNames[i].CompareNoCase(path) == 0) {
      at = i;
      break;
    }
  }
  for (size_t i = at; i > 0; --i) m_arrNames[i] = m_arrNames[i - 1];
  m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= GetSize()) return;
  m_arrNames.erase(m_arrNames.begin() + nIndex);
  m_arrNames.emplace_back();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
  const CString& path = (*this)[nIndex];
  if (path.IsEmpty()) return FALSE;
  CString name = path;
  // A file in the current folder shows as its name alone.
  if (lpszCurDir && nCurDir > 0 && path.GetLength() > nCurDir &&
      path.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0 && path.Find('\\', nCurDir) < 0)
    name = path.Mid(nCurDir);
  strName = m_nMaxDisplayLength < 0 ? name : AfxAbbreviatePath(name, m_nMaxDisplayLength, bAtLeastName);
  return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  CMenu* menu = pCmdUI->m_pMenu;
  if (!menu) return;
  if (m_strOriginal.IsEmpty()) menu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
  if (pCmdUI->m_pSubMenu) return;

  // Take out what an earlier update put in, then put the list in its place.
  for (int i = 1; i < GetSize(); ++i) menu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
  if (m_arrNames.empty() || m_arrNames[0].IsEmpty()) {
    if (!m_strOriginal.IsEmpty()) pCmdUI->SetText(m_strOriginal);
    pCmdUI->Enable(FALSE);
    pCmdUI->m_nIndexMax = static_cast<UINT>(menu->GetMenuItemCount());
    return;
  }
  menu->DeleteMenu(pCmdUI->m_nID, MF_BYCOMMAND);

  char curDir[MAX_PATH + 1];
  int curDirLength = static_cast<int>(::GetCurrentDirectoryA(MAX_PATH, curDir));
  if (curDirLength <= 0 || curDirLength >= MAX_PATH - 1) {
    curDirLength = 0;
  } else if (curDir[curDirLength - 1] != '\\') {
    curDir[curDirLength++] = '\\';
    curDir[curDirLength] = '\0';
  }

  const UINT firstID = pCmdUI->m_nID;
  for (int i = 0; i < GetSize(); ++i) {
    CString name;
    if (!GetDisplayName(name, i, curDir, curDirLength)) break;
    name.Replace("&", "&&");  // an '&' in a name is not a mnemonic
    CString text;
    text.Format("&%d %s", static_cast<int>(m_nStart) + i + 1, name.GetString());
    menu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, firstID + static_cast<UINT>(i), text);
  }
  pCmdUI->m_nIndex--;  // the last item added
  pCmdUI->m_nIndexMax = static_cast<UINT>(menu->GetMenuItemCount());
  pCmdUI->m_bEnableChanged = TRUE;  // the new items are enabled
}

void CRecentFileList::ReadList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (int i = 0; i < GetSize(); ++i) m_arrNames[static_cast<size_t>(i)] = app->GetProfileString(m_strSectionName, EntryName(i), "");
}

void CRecentFileList::WriteList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  // Only this list's own entry names are written or deleted: another list may keep
  // its entries in the same section.
  for (int i = 0; i < GetSize(); ++i) {
    const CString& name = m_arrNames[static_cast<size_t>(i)];
    app->WriteProfileString(m_strSectionName, EntryName(i), name.IsEmpty() ? nullptr : name.GetString());
  }
}

CString AfxAbbreviatePath(const CString& path, int nMaxLength, BOOL bAtLeastName) {
  if (path.GetLength() <= nMaxLength) return path;
  const int nameStart = path.ReverseFind('\\') + 1;
  const CString name = path.Mid(nameStart);
  if (name.GetLength() + 4 > nMaxLength) return bAtLeastName ? name : CString();

  // Keep the root ("C:\" or "\\server\share\"), drop folders from the left.
  int rootLength = 0;
  if (path.GetLength() >= 3 && path[1] == ':' && path[2] == '\\') {
    rootLength = 3;
  } else if (path.Left(2) == "\\\\") {
    const int shareEnd = path.Find('\\', 2);
    const int rootEnd = shareEnd >= 0 ? path.Find('\\', shareEnd + 1) : -1;
    if (rootEnd >= 0) rootLength = rootEnd + 1;
  }
  const CString root = path.Left(rootLength);
  for (int cut = path.Find('\\', rootLength); cut >= 0 && cut < nameStart; cut = path.Find('\\', cut + 1)) {
    CString candidate = root + "..." + path.Mid(cut);
    if (candidate.GetLength() <= nMaxLength) return candidate;
  }
  return "...\\" + name;
}
