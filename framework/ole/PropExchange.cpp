#include "framework/ole/PropExchange.h"

BOOL PX_String(CPropExchange* pPX, const char* name, CString& value, const char* defaultValue) {
  if (pPX->IsFailed()) return FALSE;
  CString exchanged = value;
  if (!pPX->ExchangeString(name, exchanged, defaultValue)) return FALSE;
  value = exchanged;
  return TRUE;
}
