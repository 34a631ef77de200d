#include "framework/ole/StreamPropExchange.h"

#include <vector>

BOOL CStreamPropExchange::Read(void* data, ULONG size) {
  ULONG read = 0;
  if (FAILED(m_stream->Read(data, size, &read)) || read != size) return Fail(E_FAIL);
  return TRUE;
}

BOOL CStreamPropExchange::Write(const void* data, ULONG size) {
  ULONG written = 0;
  const HRESULT hr = m_stream->Write(data, size, &written);
  if (FAILED(hr)) return Fail(hr);
  if (written != size) return Fail(STG_E_MEDIUMFULL);
  return TRUE;
}

BOOL CStreamPropExchange::ExchangeDword(DWORD& value) {
  BYTE bytes[4];
  if (m_bLoading) {
    if (!Read(bytes, 4)) return FALSE;
    value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<DWORD>(bytes[3]) << 24);
    return TRUE;
  }
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(value >> (8 * i));
  return Write(bytes, 4);
}

BOOL CStreamPropExchange::ExchangeVersion(DWORD& version, DWORD defaultVersion, BOOL bConvert) {
  if (IsFailed()) return FALSE;
  if (!m_bLoading) {
    m_dwVersion = version;
    return ExchangeDword(version);
  }
  DWORD stored = 0;
  if (!ExchangeDword(stored)) return FALSE;
  if (HIWORD(stored) != HIWORD(defaultVersion)) return Fail(E_FAIL);
  m_dwVersion = stored;
  if (bConvert) version = stored;
  return TRUE;
}

BOOL CStreamPropExchange::ExchangeString(const char* name, CString& value, const char* defaultValue) {
  if (IsFailed()) return FALSE;
  if (!m_bLoading) {
    DWORD length = static_cast<DWORD>(value.GetLength());
    return ExchangeDword(length) && (length == 0 || Write(value.GetString(), length));
  }
  DWORD length = 0;
  if (!ExchangeDword(length)) return FALSE;
  if (length > static_cast<DWORD>(kMaxStringBytes)) return Fail(E_FAIL);
  std::vector<char> bytes(length);
  if (length && !Read(bytes.data(), length)) return FALSE;
  value = CString(bytes.data(), static_cast<int>(length));
  return TRUE;
}
