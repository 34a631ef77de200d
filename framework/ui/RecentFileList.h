// CRecentFileList: the most recently used files, kept in one section of the program's
// settings under entry names made from a format ("File%d" gives File1, File2, ...).
// Several lists may share a section: each reads, writes and deletes only its own
// entries. UpdateMenu puts the list into a menu in place of the item it is asked for.
#pragma once

#include <vector>

#include "framework/core/String.h"
#include "framework/ui/UiDefs.h"

class CCmdUI;

class CRecentFileList {
 public:
  // nStart: number of the first menu item (shown as nStart + 1); nMaxDispLen: the
  // longest name shown in a menu.
  CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
  virtual ~CRecentFileList() = default;

  int GetSize() const { return static_cast<int>(m_arrNames.size()); }
  CString& operator[](int nIndex) { return m_arrNames.at(static_cast<size_t>(nIndex)); }
  const CString& operator[](int nIndex) const { return m_arrNames.at(static_cast<size_t>(nIndex)); }

  // Puts the file first (full path; a name already in the list moves up).
  virtual void Add(LPCSTR lpszPathName);
  virtual void Remove(int nIndex);
  // The name as a menu shows it: shortened to the display length, relative to
  // lpszCurDir when it lies there. FALSE for an empty entry.
  virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                              BOOL bAtLeastName = TRUE) const;
  virtual void UpdateMenu(CCmdUI* pCmdUI);
  virtual void ReadList();
  virtual void WriteList();

  CString m_strSectionName;
  CString m_strEntryFormat;
  UINT m_nStart;
  int m_nMaxDisplayLength;
  CString m_strOriginal;  // the menu item's text while the list is empty

 private:
  CString EntryName(int nIndex) const;
  std::vector<CString> m_arrNames;
};

// Shortens a path to at most nMaxLength characters by replacing folders with "...";
// the file name itself is always kept whole when bAtLeastName is set.
CString AfxAbbreviatePath(const CString& path, int nMaxLength, BOOL bAtLeastName = TRUE);
