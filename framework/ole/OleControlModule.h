// COleControlModule: the application object of a control DLL. It knows the DLL's
// instance (where its resources are), starts with the DLL and ends with it, and counts
// the live objects and server locks that keep the DLL loaded.
#pragma once

#include <objbase.h>

#include "framework/core/Object.h"

class COleControlModule : public CObject {
 public:
  // The one module object of the DLL, a static object.
  COleControlModule();
  ~COleControlModule() override;
  COleControlModule(const COleControlModule&) = delete;
  COleControlModule& operator=(const COleControlModule&) = delete;

  // The DLL's instance becomes the resource module.
  virtual BOOL InitInstance();
  virtual int ExitInstance();

  // The DLL's entry point calls these with its instance on load and unload.
  static BOOL OnProcessAttach(HINSTANCE instance);
  static void OnProcessDetach();

  // The DLL's instance; the program's when the classes are linked into a program.
  HINSTANCE m_hInstance = nullptr;
};

COleControlModule* AfxGetControlModule();
// The module's instance, or the program's when there is no module object.
HINSTANCE AfxGetControlInstance();

// Live objects and server locks; the DLL may be unloaded when both are zero.
void AfxOleLockApp();
void AfxOleUnlockApp();
BOOL AfxOleCanExitApp();

// What the DLL exports as DllGetClassObject and DllCanUnloadNow.
HRESULT AfxDllGetClassObject(REFCLSID clsid, REFIID iid, void** object);
HRESULT AfxDllCanUnloadNow();
