#include "framework/ole/OleControlModule.h"

#include <atomic>

#include "framework/core/Module.h"
#include "framework/ole/OleObjectFactoryEx.h"

namespace {
COleControlModule* g_module = nullptr;
std::atomic<long> g_locks{0};
}  // namespace

COleControlModule::COleControlModule() {
  g_module = this;
  m_hInstance = ::GetModuleHandleA(nullptr);
}

COleControlModule::~COleControlModule() {
  if (g_module == this) g_module = nullptr;
}

BOOL COleControlModule::InitInstance() {
  AfxSetResourceHandle(m_hInstance);
  return TRUE;
}

int COleControlModule::ExitInstance() { return 0; }

BOOL COleControlModule::OnProcessAttach(HINSTANCE instance) {
  if (!g_module) return FALSE;
  g_module->m_hInstance = instance;
  return g_module->InitInstance();
}

void COleControlModule::OnProcessDetach() {
  if (g_module) g_module->ExitInstance();
}

COleControlModule* AfxGetControlModule() { return g_module; }

HINSTANCE AfxGetControlInstance() { return g_module ? g_module->m_hInstance : ::GetModuleHandleA(nullptr); }

void AfxOleLockApp() { ++g_locks; }

void AfxOleUnlockApp() { --g_locks; }

BOOL AfxOleCanExitApp() { return g_locks.load() == 0; }

HRESULT AfxDllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return COleObjectFactoryEx::GetClassObject(clsid, iid, object);
}

HRESULT AfxDllCanUnloadNow() { return AfxOleCanExitApp() ? S_OK : S_FALSE; }
