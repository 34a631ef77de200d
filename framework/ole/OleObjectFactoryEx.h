// COleObjectFactoryEx: the class factory of one class of a control DLL. Factories are
// static objects; together they answer DllGetClassObject, are registered and
// unregistered by DllRegisterServer and DllUnregisterServer (each through its class's
// registration function), and can be registered with COM for one program's own use.
#pragma once

#include <objbase.h>

class COleObjectFactoryEx : public IClassFactory {
 public:
  // Makes a new object and returns it with one reference.
  using Creator = IUnknown* (*)();
  // Writes (TRUE) or removes (FALSE) the class's registry entries.
  using Registrar = BOOL (*)(BOOL bRegister);

  COleObjectFactoryEx(REFCLSID clsid, const char* progId, Creator creator, Registrar registrar);
  virtual ~COleObjectFactoryEx();
  COleObjectFactoryEx(const COleObjectFactoryEx&) = delete;
  COleObjectFactoryEx& operator=(const COleObjectFactoryEx&) = delete;

  REFCLSID GetClassID() const { return m_clsid; }
  const char* GetProgID() const { return m_progId; }
  BOOL UpdateRegistry(BOOL bRegister) { return m_registrar ? m_registrar(bRegister) : TRUE; }

  // Every factory of the module; FALSE at the first that fails.
  static BOOL UpdateRegistryAll(BOOL bRegister);
  static HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

  // Makes the factory known to COM in this apartment (CoRegisterClassObject), so that
  // the program itself can create the class by its identifier.
  BOOL Register();
  void Revoke();

  // IClassFactory. The factory is static: its references only lock the module.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  CLSID m_clsid;
  const char* m_progId;
  Creator m_creator;
  Registrar m_registrar;
  DWORD m_cookie = 0;
};
