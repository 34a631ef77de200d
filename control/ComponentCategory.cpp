#include "control/ComponentCategory.h"

#include <comcat.h>

#include <cwchar>

#include "framework/core/ComPtr.h"

namespace {

HRESULT CreateManager(ComPtr<ICatRegister>& manager) {
  return ::CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister,
                            manager.outVoid());
}

}  // namespace

HRESULT CreateComponentCategory(REFGUID category, const wchar_t* description) {
  ComPtr<ICatRegister> manager;
  HRESULT hr = CreateManager(manager);
  if (FAILED(hr)) return hr;
  CATEGORYINFO info = {};
  info.catid = category;
  info.lcid = 1033;
  const size_t length = std::wcslen(description);
  const size_t kept = length < 127 ? length : 127;
  std::wmemcpy(info.szDescription, description, kept);
  info.szDescription[kept] = L'\0';
  return manager->RegisterCategories(1, &info);
}

HRESULT RegisterClassInCategory(REFCLSID clsid, REFGUID category) {
  ComPtr<ICatRegister> manager;
  HRESULT hr = CreateManager(manager);
  if (FAILED(hr)) return hr;
  CATID ids[1] = {category};
  return manager->RegisterClassImplCategories(clsid, 1, ids);
}

HRESULT UnregisterClassFromCategory(REFCLSID clsid, REFGUID category) {
  ComPtr<ICatRegister> manager;
  HRESULT hr = CreateManager(manager);
  if (FAILED(hr)) return hr;
  CATID ids[1] = {category};
  return manager->UnRegisterClassImplCategories(clsid, 1, ids);
}
