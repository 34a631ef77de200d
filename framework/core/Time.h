// CTime: a moment as seconds since 1970-01-01 UTC.
#pragma once

#include <cstdint>

#include "framework/core/AfxTypes.h"

class CTime {
 public:
  CTime() = default;
  explicit CTime(int64_t seconds) : m_time(seconds) {}

  static CTime GetCurrentTime();
  int64_t GetTime() const { return m_time; }

  bool operator==(const CTime& o) const { return m_time == o.m_time; }
  bool operator!=(const CTime& o) const { return m_time != o.m_time; }

 private:
  int64_t m_time = 0;
};
