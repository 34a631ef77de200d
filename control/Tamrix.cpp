// The control DLL: its module object, entry point and the four exports.
#include <windows.h>

#include "control/ComponentCategory.h"
#include "control/RaveloIds.h"
#include "control/RaveloModule.h"
#include "framework/ole/OleControlModule.h"
#include "framework/ole/OleObjectFactoryEx.h"
#include "framework/ole/OleRegistration.h"

namespace {

CRaveloModule theModule;

constexpr HRESULT kSelfRegTypeLib = static_cast<HRESULT>(0x80040200);  // SELFREG_E_TYPELIB
constexpr HRESULT kSelfRegClass = static_cast<HRESULT>(0x80040201);    // SELFREG_E_CLASS

HRESULT RegisterInCategory(REFGUID category, const wchar_t* description) {
  HRESULT hr = CreateComponentCategory(category, description);
  if (FAILED(hr)) return hr;
  return RegisterClassInCategory(kRaveloCtrlClsid, category);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    ::DisableThreadLibraryCalls(instance);
    return COleControlModule::OnProcessAttach(instance);
  }
  if (reason == DLL_PROCESS_DETACH) COleControlModule::OnProcessDetach();
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return AfxDllGetClassObject(clsid, iid, object);
}

STDAPI DllCanUnloadNow() { return AfxDllCanUnloadNow(); }

STDAPI DllRegisterServer() {
  if (!AfxOleRegisterTypeLib(AfxGetControlInstance(), kTamrixTypeLib)) return kSelfRegTypeLib;
  if (!COleObjectFactoryEx::UpdateRegistryAll(TRUE)) return kSelfRegClass;
  // Written after the classes, so that these descriptions are the ones that stay.
  HRESULT hr = RegisterInCategory(kCatidSafeForInitializing, L"Controls safely initializable from persistent data!");
  if (FAILED(hr)) return hr;
  hr = RegisterInCategory(kCatidSafeForScripting, L"Controls safely scriptable!");
  if (FAILED(hr)) return hr;
  return S_OK;
}

STDAPI DllUnregisterServer() {
  if (!AfxOleUnregisterTypeLib(kTamrixTypeLib, kTamrixVerMajor, kTamrixVerMinor)) return kSelfRegTypeLib;
  // The category links live under the class's key: they go before it, since the
  // categories manager fails on a class whose key is already gone.
  HRESULT hr = UnregisterClassFromCategory(kRaveloCtrlClsid, kCatidSafeForInitializing);
  if (FAILED(hr)) return hr;
  hr = UnregisterClassFromCategory(kRaveloCtrlClsid, kCatidSafeForScripting);
  if (FAILED(hr)) return hr;
  if (!COleObjectFactoryEx::UpdateRegistryAll(FALSE)) return kSelfRegClass;
  return S_OK;
}
