// Raised when a file operation fails; names the file and the system's error code.
#pragma once

#include "framework/core/Exception.h"

class CFileException : public CException {
 public:
  enum Cause {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile,
  };

  explicit CFileException(Cause cause = none, LONG osError = -1, const CString& fileName = CString())
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

  // The cause that a Win32 error code stands for.
  static Cause OsErrorToException(LONG osError);
  [[noreturn]] static void ThrowOsError(LONG osError, const CString& fileName);

  CString GetErrorMessage() const override;

  Cause m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};
