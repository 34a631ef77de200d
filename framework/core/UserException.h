// CUserException: an operation stopped after it told the user why; whoever catches it
// fails quietly, without a second message.
#pragma once

#include "framework/core/Exception.h"

class CUserException : public CException {
 public:
  CString GetErrorMessage() const override { return CString(); }
};
