#include "framework/net/FtpConnection.h"

#include <utility>

CFtpConnection::CFtpConnection(CInternetHandle connection, LPCSTR pstrServer, DWORD_PTR dwContext)
    : m_connection(std::move(connection)), m_strServer(pstrServer), m_dwContext(dwContext) {}

BOOL CFtpConnection::SetCurrentDirectory(LPCSTR pstrDirName) {
  return ::FtpSetCurrentDirectoryA(m_connection.get(), pstrDirName);
}

BOOL CFtpConnection::GetCurrentDirectory(CString& strDirName) const {
  char path[INTERNET_MAX_PATH_LENGTH + 1] = {};
  DWORD length = INTERNET_MAX_PATH_LENGTH;
  if (!::FtpGetCurrentDirectoryA(m_connection.get(), path, &length)) return FALSE;
  strDirName = path;
  return TRUE;
}

BOOL CFtpConnection::PutFile(LPCSTR pstrLocalFile, LPCSTR pstrRemoteFile, DWORD dwFlags) {
  return ::FtpPutFileA(m_connection.get(), pstrLocalFile, pstrRemoteFile, dwFlags, m_dwContext);
}
