#include "framework/core/String.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/core/Codepage.h"
#include "framework/core/Module.h"

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Applies fn to every single-byte character, stepping over double-byte pairs whole.
template <typename Fn>
void ForEachSingleByte(std::string& text, Fn fn) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (codepage::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    text[i] = fn(text[i]);
  }
}

std::string Lowered(const char* text) {
  std::string s(text ? text : "");
  ForEachSingleByte(s, AsciiLower);
  return s;
}

int CompareBytes(const std::string& a, const std::string& b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  int r = n ? std::memcmp(a.data(), b.data(), n) : 0;
  if (r != 0) return r < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int CString::Compare(const char* other) const { return CompareBytes(m_data, other ? other : ""); }

int CString::CompareNoCase(const char* other) const {
  return CompareBytes(Lowered(m_data.c_str()), Lowered(other));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (count < 0) count = 0;
  if (first >= GetLength()) return CString();
  if (count > GetLength() - first) count = GetLength() - first;
  return CString(m_data.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
  if (count < 0) count = 0;
  if (count >= GetLength()) return *this;
  return CString(m_data.substr(m_data.size() - static_cast<size_t>(count)));
}

template <typename Pred>
int CString::FindCharIf(int start, Pred pred, bool last) const {
  int found = -1;
  const int n = GetLength();
  for (int i = start < 0 ? 0 : start; i < n; ++i) {
    if (pred(i)) {
      found = i;
      if (!last) return found;
    }
    if (codepage::IsLeadByte(static_cast<unsigned char>(m_data[static_cast<size_t>(i)])) && i + 1 < n) ++i;
  }
  return found;
}

int CString::Find(char ch, int start) const {
  return FindCharIf(start, [&](int i) { return m_data[static_cast<size_t>(i)] == ch; }, false);
}

int CString::Find(const char* sub, int start) const {
  if (!sub) return -1;
  const size_t len = std::strlen(sub);
  if (len == 0) return start >= 0 && start <= GetLength() ? start : -1;
  return FindCharIf(start, [&](int i) { return m_data.compare(static_cast<size_t>(i), len, sub) == 0; }, false);
}

int CString::ReverseFind(char ch) const {
  return FindCharIf(0, [&](int i) { return m_data[static_cast<size_t>(i)] == ch; }, true);
}

void CString::MakeLower() { ForEachSingleByte(m_data, AsciiLower); }
void CString::MakeUpper() { ForEachSingleByte(m_data, AsciiUpper); }

void CString::TrimLeft() {
  size_t i = 0;
  while (i < m_data.size() && std::strchr(" \t\r\n", m_data[i]) && m_data[i]) ++i;
  m_data.erase(0, i);
}

void CString::TrimRight() {
  size_t n = m_data.size();
  while (n > 0 && m_data[n - 1] && std::strchr(" \t\r\n", m_data[n - 1])) --n;
  m_data.resize(n);
}

int CString::Replace(const char* old, const char* replacement) {
  if (!old || !*old) return 0;
  const CString with(replacement);
  const int oldLen = static_cast<int>(std::strlen(old));
  std::string out;
  int count = 0, from = 0;
  for (int at = Find(old); at >= 0; at = Find(old, at + oldLen)) {
    out.append(m_data, static_cast<size_t>(from), static_cast<size_t>(at - from));
    out += with.m_data;
    from = at + oldLen;
    ++count;
  }
  if (count) {
    out.append(m_data, static_cast<size_t>(from), std::string::npos);
    m_data.swap(out);
  }
  return count;
}

void CString::FormatV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n < 0) {
    m_data.clear();
    return;
  }
  std::vector<char> buf(static_cast<size_t>(n) + 1);
  std::vsnprintf(buf.data(), buf.size(), format, args);
  m_data.assign(buf.data(), static_cast<size_t>(n));
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::Format(UINT formatId, ...) {
  CString format;
  format.LoadString(formatId);
  va_list args;
  va_start(args, formatId);
  FormatV(format, args);
  va_end(args);
}

BOOL CString::LoadString(UINT id) {
  // The string table holds UTF-16; convert with code page 936 whatever the system's
  // ANSI code page, so that the bytes match the page files and literals.
  const wchar_t* text = nullptr;
  int n = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (n <= 0 || !text) {
    m_data.clear();
    return FALSE;
  }
  m_data = codepage::FromWide(text, static_cast<size_t>(n));
  return TRUE;
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_data.resize(static_cast<size_t>(minLength));
  return &m_data[0];
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(std::strlen(m_data.c_str()));
  if (newLength > GetLength()) newLength = GetLength();
  m_data.resize(static_cast<size_t>(newLength));
}
