#include "framework/ole/OleRegistration.h"

#include <string>

#include "framework/core/Codepage.h"
#include "framework/core/ModulePath.h"
#include "framework/core/String.h"
#include "framework/core/ComPtr.h"

namespace {

std::string GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  ::StringFromGUID2(guid, text, 40);
  return codepage::FromWide(std::wstring(text));
}

std::wstring ModulePath(HINSTANCE instance) { return ModuleFileNameW(instance); }

// Sets the value (default when name is null) of HKCR\key, creating the key.
bool SetValue(const std::string& key, const char* name, const std::wstring& value) {
  HKEY handle = nullptr;
  const std::wstring wideKey = codepage::ToWide(key);
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, wideKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const std::wstring wideName = name ? codepage::ToWide(std::string(name)) : std::wstring();
  const LONG result =
      ::RegSetValueExW(handle, name ? wideName.c_str() : nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

bool SetValue(const std::string& key, const char* name, const std::string& value) {
  return SetValue(key, name, codepage::ToWide(value));
}

std::wstring LoadTypeName(HINSTANCE instance, UINT id) {
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

bool DeleteTree(const std::string& key) {
  const std::wstring wideKey = codepage::ToWide(key);
  const LONG result = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, wideKey.c_str());
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) return false;
  ::RegDeleteKeyW(HKEY_CLASSES_ROOT, wideKey.c_str());
  return true;
}

bool RegisterServerKey(HINSTANCE instance, const std::string& classKey, UINT typeNameId, UINT flags,
                       const std::wstring& path) {
  return SetValue(classKey, nullptr, LoadTypeName(instance, typeNameId)) &&
         SetValue(classKey + "\\InprocServer32", nullptr, path) &&
         SetValue(classKey + "\\InprocServer32", "ThreadingModel",
                  std::string((flags & afxRegApartmentThreading) ? "Apartment" : "Single"));
}

}  // namespace

BOOL AfxOleRegisterControlClass(HINSTANCE instance, REFCLSID clsid, const char* progId, UINT typeNameId,
                                UINT bitmapId, UINT flags, DWORD miscStatus, REFGUID typeLib, WORD verMajor,
                                WORD verMinor) {
  const std::wstring path = ModulePath(instance);
  if (path.empty()) return FALSE;
  const std::string classKey = "CLSID\\" + GuidText(clsid);
  const std::wstring typeName = LoadTypeName(instance, typeNameId);
  char number[32];
  bool ok = RegisterServerKey(instance, classKey, typeNameId, flags, path);
  ok = ok && SetValue(classKey + "\\Control", nullptr, std::string());
  ok = ok && SetValue(classKey + "\\ToolboxBitmap32", nullptr, path + L", " + std::to_wstring(bitmapId));
  wsprintfA(number, "%lu", static_cast<unsigned long>(miscStatus));
  ok = ok && SetValue(classKey + "\\MiscStatus", nullptr, std::string("0"));
  ok = ok && SetValue(classKey + "\\MiscStatus\\1", nullptr, std::string(number));
  ok = ok && SetValue(classKey + "\\TypeLib", nullptr, GuidText(typeLib));
  wsprintfA(number, "%u.%u", verMajor, verMinor);
  ok = ok && SetValue(classKey + "\\Version", nullptr, std::string(number));
  ok = ok && SetValue(classKey + "\\Verb\\0", nullptr, std::string("&Properties,0,2"));
  if (flags & afxRegInsertable) ok = ok && SetValue(classKey + "\\Insertable", nullptr, std::string());
  if (progId && *progId) {
    ok = ok && SetValue(classKey + "\\ProgID", nullptr, std::string(progId));
    ok = ok && SetValue(progId, nullptr, typeName);
    ok = ok && SetValue(std::string(progId) + "\\CLSID", nullptr, GuidText(clsid));
  }
  return ok ? TRUE : FALSE;
}

BOOL AfxOleRegisterPropertyPageClass(HINSTANCE instance, REFCLSID clsid, UINT typeNameId) {
  const std::wstring path = ModulePath(instance);
  if (path.empty()) return FALSE;
  return RegisterServerKey(instance, "CLSID\\" + GuidText(clsid), typeNameId, afxRegApartmentThreading, path);
}

BOOL AfxOleUnregisterClass(REFCLSID clsid, const char* progId) {
  bool ok = DeleteTree("CLSID\\" + GuidText(clsid));
  if (progId && *progId) ok = DeleteTree(progId) && ok;
  return ok ? TRUE : FALSE;
}

BOOL AfxOleRegisterTypeLib(HINSTANCE instance, REFGUID typeLib) {
  const std::wstring path = ModulePath(instance);
  if (path.empty()) return FALSE;
  // Only TYPELIB 1 counts: a library found by another route would register a file
  // this module does not carry.
  if (!::FindResourceW(instance, MAKEINTRESOURCEW(1), L"TYPELIB")) return FALSE;
  ComPtr<ITypeLib> library;
  if (FAILED(::LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.out()))) return FALSE;
  TLIBATTR* attributes = nullptr;
  if (FAILED(library->GetLibAttr(&attributes))) return FALSE;
  const bool same = ::IsEqualGUID(attributes->guid, typeLib);
  library->ReleaseTLibAttr(attributes);
  if (!same) return FALSE;
  std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
  return SUCCEEDED(::RegisterTypeLib(library.get(), const_cast<LPOLESTR>(path.c_str()),
                                     const_cast<LPOLESTR>(folder.c_str())));
}

BOOL AfxOleUnregisterTypeLib(REFGUID typeLib, WORD verMajor, WORD verMinor, LCID lcid) {
#ifdef _WIN64
  const SYSKIND kind = SYS_WIN64;
#else
  const SYSKIND kind = SYS_WIN32;
#endif
  const HRESULT hr = ::UnRegisterTypeLib(typeLib, verMajor, verMinor, lcid, kind);
  // Nothing registered is nothing to remove.
  return SUCCEEDED(hr) || hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_LIBNOTREGISTERED;
}
