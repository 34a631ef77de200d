#include "framework/ole/OleObjectFactoryEx.h"

#include <algorithm>
#include <vector>

#include "framework/ole/OleControlModule.h"

namespace {
std::vector<COleObjectFactoryEx*>& Factories() {
  static std::vector<COleObjectFactoryEx*> factories;
  return factories;
}
}  // namespace

COleObjectFactoryEx::COleObjectFactoryEx(REFCLSID clsid, const char* progId, Creator creator, Registrar registrar)
    : m_clsid(clsid), m_progId(progId), m_creator(creator), m_registrar(registrar) {
  Factories().push_back(this);
}

COleObjectFactoryEx::~COleObjectFactoryEx() {
  Revoke();
  auto& list = Factories();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

BOOL COleObjectFactoryEx::UpdateRegistryAll(BOOL bRegister) {
  for (COleObjectFactoryEx* factory : Factories())
    if (!factory->UpdateRegistry(bRegister)) return FALSE;
  return TRUE;
}

HRESULT COleObjectFactoryEx::GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  for (COleObjectFactoryEx* factory : Factories())
    if (::IsEqualCLSID(factory->m_clsid, clsid)) return factory->QueryInterface(iid, object);
  return CLASS_E_CLASSNOTAVAILABLE;
}

BOOL COleObjectFactoryEx::Register() {
  if (m_cookie) return TRUE;
  return SUCCEEDED(::CoRegisterClassObject(m_clsid, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie));
}

void COleObjectFactoryEx::Revoke() {
  if (m_cookie) ::CoRevokeClassObject(m_cookie);
  m_cookie = 0;
}

STDMETHODIMP COleObjectFactoryEx::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleObjectFactoryEx::AddRef() {
  AfxOleLockApp();
  return 2;
}

STDMETHODIMP_(ULONG) COleObjectFactoryEx::Release() {
  AfxOleUnlockApp();
  return 1;
}

STDMETHODIMP COleObjectFactoryEx::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  IUnknown* created = m_creator ? m_creator() : nullptr;
  if (!created) return E_OUTOFMEMORY;
  const HRESULT hr = created->QueryInterface(iid, object);
  created->Release();
  return hr;
}

STDMETHODIMP COleObjectFactoryEx::LockServer(BOOL lock) {
  if (lock)
    AfxOleLockApp();
  else
    AfxOleUnlockApp();
  return S_OK;
}
