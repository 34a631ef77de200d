// CFileFind: walks the files that match a pattern. The classic loop: FindFile, then
// FindNextFile before each file is looked at; FindNextFile answers FALSE for the last
// one, which is still valid to look at.
#pragma once

#include <windows.h>

#include "framework/core/String.h"

class CFileFind {
 public:
  CFileFind() = default;
  ~CFileFind() { Close(); }
  CFileFind(const CFileFind&) = delete;
  CFileFind& operator=(const CFileFind&) = delete;

  // TRUE when something matches; "*.*" when no pattern is given.
  BOOL FindFile(LPCSTR lpszName = nullptr);
  BOOL FindNextFile();
  void Close();

  CString GetFileName() const { return m_current.cFileName; }
  // The folder of the pattern + the file name.
  CString GetFilePath() const { return m_root + m_current.cFileName; }
  ULONGLONG GetLength() const {
    return (static_cast<ULONGLONG>(m_current.nFileSizeHigh) << 32) | m_current.nFileSizeLow;
  }
  BOOL IsDirectory() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  // "." or "..".
  BOOL IsDots() const;

 private:
  HANDLE m_find = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA m_next = {};     // what FindNextFile moves into m_current
  WIN32_FIND_DATAA m_current = {};
  BOOL m_hasNext = FALSE;
  CString m_root;                   // the pattern's folder, with its "\" (or "")
};
