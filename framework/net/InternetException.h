// CInternetException: a failure of the internet client library. It keeps the library's
// error code and, taken at the moment of the failure, the server's last response (an
// FTP server's reason for a refusal), which its message shows after the library's text.
#pragma once

#include <windows.h>

#include "framework/core/Exception.h"

class CInternetException : public CException {
 public:
  explicit CInternetException(DWORD dwError, DWORD_PTR dwContext = 0);

  CString GetErrorMessage() const override;

  DWORD m_dwError;
  DWORD_PTR m_dwContext;
  CString m_strResponse;  // the server's last response, as the library kept it
};

// Throws a CInternetException for the calling thread's last error.
[[noreturn]] void AfxThrowInternetException(DWORD_PTR dwContext = 0, DWORD dwError = 0);
