#include "framework/core/Time.h"

CTime CTime::GetCurrentTime() {
  FILETIME ft;
  ::GetSystemTimeAsFileTime(&ft);
  ULARGE_INTEGER t;
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  // FILETIME counts 100 ns from 1601-01-01.
  return CTime(static_cast<int64_t>(t.QuadPart / 10000000ULL) - 11644473600LL);
}
