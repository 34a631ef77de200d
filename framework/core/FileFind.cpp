#include "framework/core/FileFind.h"

#include <algorithm>

BOOL CFileFind::FindFile(LPCSTR lpszName) {
  Close();
  const CString pattern = lpszName && *lpszName ? lpszName : "*.*";
  m_find = ::FindFirstFileA(pattern, &m_next);
  if (m_find == INVALID_HANDLE_VALUE) return FALSE;
  const int slash = std::max(pattern.ReverseFind('\\'), pattern.ReverseFind('/'));
  m_root = slash >= 0 ? pattern.Left(slash + 1) : (pattern.GetLength() > 1 && pattern[1] == ':' ? pattern.Left(2)
                                                                                                 : CString());
  m_hasNext = TRUE;
  return TRUE;
}

BOOL CFileFind::FindNextFile() {
  if (!m_hasNext) return FALSE;
  m_current = m_next;
  m_hasNext = ::FindNextFileA(m_find, &m_next);
  return m_hasNext;
}

void CFileFind::Close() {
  if (m_find != INVALID_HANDLE_VALUE) ::FindClose(m_find);
  m_find = INVALID_HANDLE_VALUE;
  m_hasNext = FALSE;
  m_current = WIN32_FIND_DATAA{};
  m_root.Empty();
}

BOOL CFileFind::IsDots() const {
  const char* name = m_current.cFileName;
  return IsDirectory() && name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
