// CString: a counted narrow string in code page 936. Searches and case changes walk
// the text character by character, so a trail byte is never taken for an ASCII one.
#pragma once

#include <string>

#include "framework/core/AfxTypes.h"

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_data(text ? text : "") {}
  CString(const char* text, int length) : m_data(text, text + (length > 0 ? length : 0)) {}
  CString(char ch, int repeat = 1) : m_data(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) {}
  CString(const std::string& text) : m_data(text) {}
  CString(std::string&& text) : m_data(std::move(text)) {}

  int GetLength() const { return static_cast<int>(m_data.size()); }
  BOOL IsEmpty() const { return m_data.empty(); }
  void Empty() { m_data.clear(); }

  char GetAt(int index) const { return m_data.at(static_cast<size_t>(index)); }
  char operator[](int index) const { return GetAt(index); }
  void SetAt(int index, char ch) { m_data.at(static_cast<size_t>(index)) = ch; }

  operator const char*() const { return m_data.c_str(); }
  const char* GetString() const { return m_data.c_str(); }
  const std::string& str() const { return m_data; }

  CString& operator=(const char* text) { m_data = text ? text : ""; return *this; }
  CString& operator=(char ch) { m_data.assign(1, ch); return *this; }
  CString& operator+=(const CString& text) { m_data += text.m_data; return *this; }
  CString& operator+=(const char* text) { if (text) m_data += text; return *this; }
  CString& operator+=(char ch) { m_data += ch; return *this; }

  // Byte-wise comparison (bytes as unsigned): < 0, 0 or > 0.
  int Compare(const char* other) const;
  // As Compare after folding ASCII letters that are whole characters to lower case.
  int CompareNoCase(const char* other) const;

  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString Right(int count) const;

  // Byte index of the first (last) character equal to ch, or -1.
  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  int ReverseFind(char ch) const;

  void MakeLower();
  void MakeUpper();
  void TrimLeft();
  void TrimRight();
  int Replace(const char* old, const char* replacement);

  void Format(const char* format, ...);
  void Format(UINT formatId, ...);
  void FormatV(const char* format, va_list args);

  // Reads the string with that id from the resource module's string table; FALSE when
  // there is none (the string is then empty).
  BOOL LoadString(UINT id);

  // Direct access to a buffer of at least minLength bytes plus a terminator;
  // ReleaseBuffer(-1) takes the length up to the first NUL.
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_data + b.m_data); }
  friend CString operator+(const CString& a, const char* b) { return CString(a.m_data + (b ? b : "")); }
  friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_data); }
  friend CString operator+(const CString& a, char b) { return CString(a.m_data + b); }

  friend bool operator==(const CString& a, const CString& b) { return a.m_data == b.m_data; }
  friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
  friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator!=(const char* a, const CString& b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }

 private:
  template <typename Pred>
  int FindCharIf(int start, Pred pred, bool last) const;

  std::string m_data;
};
