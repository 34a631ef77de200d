#include "framework/ole/Bstr.h"

#include <cwchar>

#include "framework/core/Codepage.h"

CBstr CBstr::FromNarrow(const CString& text) {
  const std::wstring wide = codepage::ToWide(text.str());
  return CBstr(::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
}

CString CBstr::ToNarrow() const {
  if (!m_b) return CString();
  return CString(codepage::FromWide(m_b, std::wcslen(m_b)));
}
