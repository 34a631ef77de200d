// CResetPropExchange: a loading exchange that gives every property its default (a
// control reset by InitNew).
#pragma once

#include "framework/ole/PropExchange.h"

class CResetPropExchange : public CPropExchange {
 public:
  CResetPropExchange() : CPropExchange(TRUE) {}

  BOOL ExchangeVersion(DWORD& version, DWORD defaultVersion, BOOL bConvert) override {
    m_dwVersion = defaultVersion;
    if (bConvert) version = defaultVersion;
    return TRUE;
  }
  BOOL ExchangeString(const char*, CString& value, const char* defaultValue) override {
    value = defaultValue ? defaultValue : "";
    return TRUE;
  }
};
