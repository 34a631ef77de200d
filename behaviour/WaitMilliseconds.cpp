#include "behaviour/WaitMilliseconds.h"

#include <mmsystem.h>

namespace {
DWORD MultimediaClock() { return ::timeGetTime(); }
}  // namespace

DWORD WaitMilliseconds(int milliseconds) { return WaitMilliseconds(milliseconds, MultimediaClock); }

DWORD WaitMilliseconds(int milliseconds, DWORD (*clock)()) {
  // A negative count would become a wait of weeks as an unsigned number.
  if (milliseconds <= 0) return 0;
  const DWORD wanted = static_cast<DWORD>(milliseconds);
  const DWORD start = clock();
  DWORD elapsed = 0;
  while (elapsed < wanted) elapsed = clock() - start;
  return elapsed;
}
