#include "framework/core/WaitCursor.h"

namespace {

thread_local int t_depth = 0;
thread_local HCURSOR t_restore = nullptr;

}  // namespace

CWaitCursor::CWaitCursor() {
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  if (t_depth++ == 0) t_restore = previous;
}

CWaitCursor::~CWaitCursor() {
  if (--t_depth == 0) SetCursor(t_restore);
}
