#include "behaviour/GoToPage.h"

#include "model/DrawHost.h"

BOOL GoToPage(const CString& path) {
  CDrawHost* host = GetDrawHost();
  return host ? host->GoToPage(path) : FALSE;
}
