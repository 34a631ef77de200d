// Raised when an archive's bytes do not form what the reader expects.
#pragma once

#include "framework/core/Exception.h"

class CArchiveException : public CException {
 public:
  enum Cause {
    none,
    genericException,
    readOnly,
    endOfFile,
    writeOnly,
    badIndex,
    badClass,
    badSchema,
  };

  explicit CArchiveException(Cause cause = none, const CString& fileName = CString())
      : m_cause(cause), m_strFileName(fileName) {}

  CString GetErrorMessage() const override;

  Cause m_cause;
  CString m_strFileName;
};
