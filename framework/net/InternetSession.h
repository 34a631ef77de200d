// CInternetSession: a session of the internet client library, from which connections
// to servers are made. It sets the library's connect, send and receive time-outs, so
// that a server that stops answering ends in the library's error instead of a wait
// without end.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>

#include "framework/core/String.h"
#include "framework/net/InternetHandle.h"

class CFtpConnection;

class CInternetSession {
 public:
  // The time-out of connecting, and of each send and receive, in milliseconds.
  static constexpr DWORD kTimeout = 15000;

  // Throws CInternetException when the library cannot open a session.
  explicit CInternetSession(LPCSTR pstrAgent = nullptr, DWORD_PTR dwContext = 1,
                            DWORD dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG);
  ~CInternetSession() = default;
  CInternetSession(const CInternetSession&) = delete;
  CInternetSession& operator=(const CInternetSession&) = delete;

  // Logs in to an FTP server, in active mode unless bPassive; throws CInternetException.
  std::unique_ptr<CFtpConnection> GetFtpConnection(LPCSTR pstrServer, LPCSTR pstrUserName = nullptr,
                                                   LPCSTR pstrPassword = nullptr,
                                                   INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER,
                                                   BOOL bPassive = FALSE);
  BOOL SetOption(DWORD dwOption, DWORD dwValue);
  void Close() { m_session.reset(); }

  HINTERNET GetHandle() const { return m_session.get(); }
  DWORD_PTR GetContext() const { return m_dwContext; }

 private:
  CInternetHandle m_session;
  DWORD_PTR m_dwContext;
};
