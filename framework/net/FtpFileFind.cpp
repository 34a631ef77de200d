#include "framework/net/FtpFileFind.h"

#include <cstring>

#include "framework/net/FtpConnection.h"

CFtpFileFind::CFtpFileFind(CFtpConnection* pConnection) : m_pConnection(pConnection) {}

BOOL CFtpFileFind::FindFile(LPCSTR pstrName, DWORD dwFlags) {
  Close();
  m_find.reset(::FtpFindFirstFileA(m_pConnection->GetHandle(), pstrName ? pstrName : "*", &m_next, dwFlags,
                                   m_pConnection->GetContext()));
  m_hasNext = m_find ? TRUE : FALSE;
  // Wine answers an empty listing with no error at all (the server's "226" as the last
  // response); the system says ERROR_NO_MORE_FILES, and so does this.
  if (!m_hasNext && ::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_NO_MORE_FILES);
  return m_hasNext;
}

BOOL CFtpFileFind::FindNextFile() {
  if (!m_hasNext) return FALSE;
  m_current = m_next;
  m_hasNext = ::InternetFindNextFileA(m_find.get(), &m_next);
  return m_hasNext;
}

void CFtpFileFind::Close() {
  m_find.reset();
  m_hasNext = FALSE;
  m_current = {};
}

BOOL CFtpFileFind::IsDots() const {
  return std::strcmp(m_current.cFileName, ".") == 0 || std::strcmp(m_current.cFileName, "..") == 0;
}
