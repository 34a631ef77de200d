#include "framework/core/Module.h"

namespace {
HINSTANCE g_resourceHandle = nullptr;
}

HINSTANCE AfxGetResourceHandle() {
  return g_resourceHandle ? g_resourceHandle : ::GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE instance) { g_resourceHandle = instance; }
