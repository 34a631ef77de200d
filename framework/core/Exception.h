// Base of the framework's exceptions. They are thrown by value and caught by reference.
#pragma once

#include "framework/core/String.h"

class CException {
 public:
  virtual ~CException() = default;
  // The message a user is shown for this failure.
  virtual CString GetErrorMessage() const = 0;
  // Shows that message in a message box; returns the button pressed.
  int ReportError(UINT nType = MB_OK) const;
};
