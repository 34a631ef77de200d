#include "framework/core/Codepage.h"

#include <windows.h>

namespace codepage {

namespace {

struct LeadByteTable {
  bool lead[256];
  LeadByteTable() {
    for (int c = 0; c < 256; ++c) lead[c] = IsDBCSLeadByteEx(kNarrow, static_cast<BYTE>(c)) != FALSE;
  }
};

}  // namespace

bool IsLeadByte(unsigned char c) {
  static const LeadByteTable table;
  return table.lead[c];
}

std::wstring ToWide(const char* text, size_t length) {
  if (length == 0) return std::wstring();
  int n = MultiByteToWideChar(kNarrow, 0, text, static_cast<int>(length), nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(kNarrow, 0, text, static_cast<int>(length), &out[0], n);
  return out;
}

std::wstring ToWide(const std::string& text) { return ToWide(text.data(), text.size()); }

std::string FromWide(const wchar_t* text, size_t length) {
  if (length == 0) return std::string();
  int n = WideCharToMultiByte(kNarrow, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(kNarrow, 0, text, static_cast<int>(length), &out[0], n, nullptr, nullptr);
  return out;
}

std::string FromWide(const std::wstring& text) { return FromWide(text.data(), text.size()); }

}  // namespace codepage
