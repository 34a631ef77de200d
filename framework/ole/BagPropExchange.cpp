#include "framework/ole/BagPropExchange.h"

#include <cwchar>

#include "framework/core/Codepage.h"
#include "framework/ole/Bstr.h"
#include "framework/ole/OleVariant.h"

BOOL CBagPropExchange::ExchangeVersion(DWORD& version, DWORD defaultVersion, BOOL bConvert) {
  m_dwVersion = m_bLoading ? defaultVersion : version;
  if (m_bLoading && bConvert) version = defaultVersion;
  return !IsFailed();
}

BOOL CBagPropExchange::ExchangeString(const char* name, CString& value, const char* defaultValue) {
  if (IsFailed()) return FALSE;
  const std::wstring wideName = codepage::ToWide(std::string(name));
  if (!m_bLoading) {
    CBstr text = CBstr::FromNarrow(value);
    VARIANT variant;
    variant.vt = VT_BSTR;
    variant.bstrVal = text.Get();
    const HRESULT hr = m_bag->Write(wideName.c_str(), &variant);
    return SUCCEEDED(hr) ? TRUE : Fail(hr);
  }
  COleVariant variant;
  (&variant)->vt = VT_BSTR;
  const HRESULT hr = m_bag->Read(wideName.c_str(), &variant, m_log);
  if (FAILED(hr)) {
    // Not in the bag: the default.
    value = defaultValue ? defaultValue : "";
    return TRUE;
  }
  if (variant.Type() != VT_BSTR) return Fail(E_INVALIDARG);
  BSTR text = variant.Get().bstrVal;
  const UINT length = text ? ::SysStringLen(text) : 0;
  if (length > static_cast<UINT>(kMaxStringBytes)) return Fail(E_INVALIDARG);
  if (length && std::wcslen(text) != length) return Fail(E_INVALIDARG);
  const std::string narrow = codepage::FromWide(text ? text : L"", length);
  if (narrow.size() > static_cast<size_t>(kMaxStringBytes)) return Fail(E_INVALIDARG);
  value = CString(narrow);
  return TRUE;
}
