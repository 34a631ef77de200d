// COleException: an OLE call failed. Thrown from a command, it reaches the framework's
// report of the failed message: a clipboard held by another program is said as such.
#pragma once

#include <windows.h>

#include "framework/core/Exception.h"

class COleException : public CException {
 public:
  explicit COleException(HRESULT sc) : m_sc(sc) {}
  CString GetErrorMessage() const override;

  HRESULT m_sc;
};

[[noreturn]] void AfxThrowOleException(HRESULT sc);
