// CBagPropExchange: properties in a property bag (the <param> elements of a web page).
// A text must come as a string: another type, an embedded NUL or a text longer than
// kMaxStringBytes fails the load.
#pragma once

#include <ocidl.h>

#include "framework/ole/PropExchange.h"

class CBagPropExchange : public CPropExchange {
 public:
  CBagPropExchange(IPropertyBag* bag, IErrorLog* log, BOOL loading)
      : CPropExchange(loading), m_bag(bag), m_log(log) {}

  // A bag carries no version.
  BOOL ExchangeVersion(DWORD& version, DWORD defaultVersion, BOOL bConvert) override;
  BOOL ExchangeString(const char* name, CString& value, const char* defaultValue) override;

 private:
  IPropertyBag* m_bag;
  IErrorLog* m_log;
};
