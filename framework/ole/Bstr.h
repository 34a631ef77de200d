// CBstr: owns one BSTR (freed with SysFreeString). Move-only.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

#include "framework/core/String.h"

class CBstr {
 public:
  CBstr() = default;
  // Takes over a BSTR the caller owns.
  explicit CBstr(BSTR owned) : m_b(owned) {}
  explicit CBstr(const wchar_t* text) : m_b(text ? ::SysAllocString(text) : nullptr) {}
  // A narrow text of code page 936.
  static CBstr FromNarrow(const CString& text);
  ~CBstr() { ::SysFreeString(m_b); }
  CBstr(const CBstr&) = delete;
  CBstr& operator=(const CBstr&) = delete;
  CBstr(CBstr&& other) noexcept : m_b(std::exchange(other.m_b, nullptr)) {}
  CBstr& operator=(CBstr&& other) noexcept {
    if (this != &other) {
      ::SysFreeString(m_b);
      m_b = std::exchange(other.m_b, nullptr);
    }
    return *this;
  }

  BSTR Get() const { return m_b; }
  BSTR* Put() {
    ::SysFreeString(std::exchange(m_b, nullptr));
    return &m_b;
  }
  BSTR Detach() { return std::exchange(m_b, nullptr); }
  // Length in characters (a BSTR may hold NULs); 0 for a null BSTR.
  UINT Length() const { return m_b ? ::SysStringLen(m_b) : 0; }
  // The text in code page 936, cut at the first NUL.
  CString ToNarrow() const;

 private:
  BSTR m_b = nullptr;
};
