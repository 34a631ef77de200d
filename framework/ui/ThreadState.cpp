#include "framework/ui/ThreadState.h"

#include "framework/ui/DC.h"
#include "framework/ui/GdiObject.h"
#include "framework/ui/Menu.h"
#include "framework/ui/Wnd.h"

AfxThreadState& AfxGetThreadState() {
  thread_local AfxThreadState state;
  return state;
}

void AfxDeleteTempMaps() {
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
}
