// CFtpConnection: a logged-in FTP connection, made by CInternetSession::GetFtpConnection.
// The operations answer FALSE on failure, with the library's error as the thread's last
// error (CInternetException takes it and the server's response from there).
#pragma once

#include <windows.h>
#include <wininet.h>

#include "framework/core/String.h"
#include "framework/net/InternetHandle.h"

class CFtpConnection {
 public:
  CFtpConnection(CInternetHandle connection, LPCSTR pstrServer, DWORD_PTR dwContext);
  ~CFtpConnection() = default;
  CFtpConnection(const CFtpConnection&) = delete;
  CFtpConnection& operator=(const CFtpConnection&) = delete;

  BOOL SetCurrentDirectory(LPCSTR pstrDirName);
  BOOL GetCurrentDirectory(CString& strDirName) const;
  // Sends a local file under the remote name (relative to the current folder, or from
  // the root with a leading "/"), as binary unless dwFlags says ASCII.
  BOOL PutFile(LPCSTR pstrLocalFile, LPCSTR pstrRemoteFile, DWORD dwFlags = FTP_TRANSFER_TYPE_BINARY);
  void Close() { m_connection.reset(); }

  HINTERNET GetHandle() const { return m_connection.get(); }
  const CString& GetServerName() const { return m_strServer; }
  DWORD_PTR GetContext() const { return m_dwContext; }

 private:
  CInternetHandle m_connection;
  CString m_strServer;
  DWORD_PTR m_dwContext;
};
