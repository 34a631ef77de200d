#include "framework/ui/CommonControls.h"

#include <atomic>

BOOL AfxInitCommonControls(DWORD dwFlags) {
  static std::atomic<DWORD> registered{0};
  const DWORD missing = dwFlags & ~registered.load();
  if (!missing) return TRUE;
  INITCOMMONCONTROLSEX init = {sizeof init, missing};
  if (!::InitCommonControlsEx(&init)) return FALSE;
  registered.fetch_or(missing);
  return TRUE;
}
