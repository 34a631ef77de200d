#include "framework/core/PlainFileName.h"

#include <cstring>

#include "framework/core/Codepage.h"

namespace {

bool IsDeviceName(const CString& name) {
  static const char* const kDevices[] = {"con", "prn", "aux", "nul"};
  CString base = name;
  const int dot = base.Find('.');
  if (dot >= 0) base = base.Left(dot);
  base.MakeLower();
  base.TrimRight();
  for (const char* device : kDevices)
    if (base == device) return true;
  return base.GetLength() == 4 && (base.Left(3) == "com" || base.Left(3) == "lpt") && base[3] >= '1' &&
         base[3] <= '9';
}

}  // namespace

bool IsPlainFileName(const CString& name) {
  if (name.IsEmpty() || name == "." || name == "..") return false;
  const std::string& bytes = name.str();
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (codepage::IsLeadByte(c)) {
      if (i + 1 == bytes.size()) return false;  // a lead byte without its trail byte
      ++i;
      continue;
    }
    if (c < 0x20 || std::strchr("\\/:*?\"<>|", c)) return false;
  }
  return !IsDeviceName(name);
}
