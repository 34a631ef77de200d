// CStreamPropExchange: properties in a stream, in order: the version (32 bits, little
// endian), then each text as a 32-bit byte count and its code-page-936 bytes.
#pragma once

#include "framework/ole/PropExchange.h"

class CStreamPropExchange : public CPropExchange {
 public:
  CStreamPropExchange(IStream* stream, BOOL loading) : CPropExchange(loading), m_stream(stream) {}

  BOOL ExchangeVersion(DWORD& version, DWORD defaultVersion, BOOL bConvert) override;
  BOOL ExchangeString(const char* name, CString& value, const char* defaultValue) override;

 private:
  BOOL Read(void* data, ULONG size);
  BOOL Write(const void* data, ULONG size);
  BOOL ExchangeDword(DWORD& value);

  IStream* m_stream;
};
