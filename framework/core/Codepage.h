// Conversions between the programs' narrow strings (code page 936) and UTF-16, and the
// lead-byte test every character walk over a narrow string needs.
#pragma once

#include <string>

namespace codepage {

constexpr unsigned kNarrow = 936;

// True when the byte starts a double-byte character in code page 936. A trail byte
// (0x40 to 0xFE) may equal '\\' or an ASCII letter, so walks must step over pairs.
bool IsLeadByte(unsigned char c);

std::wstring ToWide(const char* text, size_t length);
std::wstring ToWide(const std::string& text);
std::string FromWide(const wchar_t* text, size_t length);
std::string FromWide(const std::wstring& text);

}  // namespace codepage
