// CFtpFileFind: walks the entries of a folder on an FTP server. The classic loop:
// FindFile, then FindNextFile before each entry is looked at; FindNextFile answers
// FALSE for the last one, which is still valid to look at. A connection has one listing
// open at a time.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "framework/core/String.h"
#include "framework/net/InternetHandle.h"

class CFtpConnection;

class CFtpFileFind {
 public:
  explicit CFtpFileFind(CFtpConnection* pConnection);
  ~CFtpFileFind() = default;
  CFtpFileFind(const CFtpFileFind&) = delete;
  CFtpFileFind& operator=(const CFtpFileFind&) = delete;

  // TRUE when the listing has an entry; FALSE for an empty one (the last error is then
  // ERROR_NO_MORE_FILES) or a failure. "*" when no pattern is given.
  BOOL FindFile(LPCSTR pstrName = nullptr, DWORD dwFlags = INTERNET_FLAG_RELOAD);
  BOOL FindNextFile();
  void Close();

  CString GetFileName() const { return m_current.cFileName; }
  BOOL IsDirectory() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  // "." or "..".
  BOOL IsDots() const;

 private:
  CFtpConnection* m_pConnection;
  CInternetHandle m_find;
  WIN32_FIND_DATAA m_next = {};
  WIN32_FIND_DATAA m_current = {};
  BOOL m_hasNext = FALSE;
};
