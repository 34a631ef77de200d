// Spelling expected record bytes by hand: doubles and counted strings, beside the
// integer helpers of ArchiveHelpers.h.
#pragma once

#include <cstring>
#include <string>

#include "tests/support/ArchiveHelpers.h"

inline void AppendDouble(Bytes& out, double d) {
  BYTE raw[8];
  std::memcpy(raw, &d, 8);  // IEEE 754 binary64, little-endian like the targets
  out.insert(out.end(), raw, raw + 8);
}

inline double DoubleAt(const Bytes& bytes, size_t at) {
  double d;
  std::memcpy(&d, &bytes[at], sizeof d);
  return d;
}

// Lengths below 0xFF take one byte, below 0xFFFE three.
inline void AppendString(Bytes& out, const std::string& s) {
  if (s.size() < 0xFF) {
    out.push_back(static_cast<BYTE>(s.size()));
  } else {
    out.push_back(0xFF);
    AppendWord(out, static_cast<unsigned>(s.size()));
  }
  AppendText(out, s);
}
