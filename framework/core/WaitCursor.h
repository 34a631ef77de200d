// CWaitCursor: shows the hourglass while an object of it lives. Nested ones count, and
// the cursor that was there comes back when the outermost ends. Show it only on the
// thread that owns the windows (the cursor belongs to that thread's input).
#pragma once

#include "framework/core/AfxTypes.h"

class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};
