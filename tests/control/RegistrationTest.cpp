#include <gtest/gtest.h>

#include <ole2.h>

#include <string>

#include "control/RaveloIds.h"
#include "framework/core/ComPtr.h"

namespace {

const wchar_t kControlKey[] = L"CLSID\\{A20B200F-6970-11D6-8AC4-00E04CDD25EA}";
const wchar_t kPageKey[] = L"CLSID\\{A20B2010-6970-11D6-8AC4-00E04CDD25EA}";
const wchar_t kTypeLibKey[] = L"TypeLib\\{A20B200C-6970-11D6-8AC4-00E04CDD25EA}";
const wchar_t kScripting[] = L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}";
const wchar_t kInitializing[] = L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}";

// The build tree's Linux path as Wine shows it.
std::wstring WindowsPath(const char* path) {
  std::wstring wide = L"Z:";
  for (const char* c = path; *c; ++c) wide += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return wide;
}

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  ::RegCloseKey(handle);
  return true;
}

// The value (the default one without a name), or "<missing>".
std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return data;
}

// What regsvr32 of this prefix returns for the arguments.
DWORD Regsvr32(const std::wstring& arguments) {
  std::wstring command = L"regsvr32.exe /s " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return ~0u;
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = ~0u;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return code;
}

bool SameText(const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) == 0; }

TEST(RegistrationTest, Regsvr32RegistersAndUnregistersTheControl) {
  ::OleInitialize(nullptr);
  const std::wstring ocx = WindowsPath(TAMRIX_OCX);
  ASSERT_EQ(0u, Regsvr32(L"\"" + ocx + L"\""));

  const std::wstring control = kControlKey;
  EXPECT_EQ(L"Ravelo Control", Value(control));
  EXPECT_TRUE(SameText(ocx, Value(control + L"\\InprocServer32"))) << Value(control + L"\\InprocServer32");
  EXPECT_EQ(L"Apartment", Value(control + L"\\InprocServer32", L"ThreadingModel"));
  EXPECT_EQ(L"TAMRIX.RaveloCtrl.1", Value(control + L"\\ProgID"));
  EXPECT_TRUE(KeyExists(control + L"\\Control"));
  EXPECT_FALSE(KeyExists(control + L"\\Insertable"));
  EXPECT_TRUE(SameText(ocx + L", 1", Value(control + L"\\ToolboxBitmap32")));
  EXPECT_EQ(L"131473", Value(control + L"\\MiscStatus\\1"));
  EXPECT_EQ(L"{A20B200C-6970-11D6-8AC4-00E04CDD25EA}", Value(control + L"\\TypeLib"));
  EXPECT_EQ(L"1.0", Value(control + L"\\Version"));
  EXPECT_EQ(L"{A20B200F-6970-11D6-8AC4-00E04CDD25EA}", Value(L"TAMRIX.RaveloCtrl.1\\CLSID"));
  EXPECT_EQ(L"Ravelo Property Page", Value(kPageKey));
  EXPECT_TRUE(SameText(ocx, Value(std::wstring(kPageKey) + L"\\InprocServer32")));
  EXPECT_TRUE(KeyExists(std::wstring(kTypeLibKey) + L"\\1.0\\0\\win64"));

  // Both categories name the control's class, and keep the descriptions written last.
  EXPECT_TRUE(KeyExists(control + L"\\Implemented Categories\\" + kScripting));
  EXPECT_TRUE(KeyExists(control + L"\\Implemented Categories\\" + kInitializing));
  EXPECT_FALSE(KeyExists(std::wstring(L"CLSID\\{A20B200C-6970-11D6-8AC4-00E04CDD25EA}")));
  EXPECT_EQ(L"Controls safely scriptable!", Value(std::wstring(L"Component Categories\\") + kScripting, L"409"));
  EXPECT_EQ(L"Controls safely initializable from persistent data!",
            Value(std::wstring(L"Component Categories\\") + kInitializing, L"409"));

  // The registered type library describes SRC.
  ComPtr<ITypeLib> library;
  ASSERT_EQ(S_OK, ::LoadRegTypeLib(kTamrixTypeLib, 1, 0, 0, library.out()));
  ComPtr<ITypeInfo> dispatch;
  ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(kRaveloDispatchIid, dispatch.out()));
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(S_OK, dispatch->GetTypeAttr(&attributes));
  EXPECT_EQ(TKIND_DISPATCH, attributes->typekind);
  EXPECT_EQ(1, attributes->cVars);
  dispatch->ReleaseTypeAttr(attributes);
  VARDESC* variable = nullptr;
  ASSERT_EQ(S_OK, dispatch->GetVarDesc(0, &variable));
  EXPECT_EQ(1, variable->memid);
  EXPECT_EQ(VT_BSTR, variable->elemdescVar.tdesc.vt);
  BSTR name = nullptr;
  ASSERT_EQ(S_OK, dispatch->GetDocumentation(variable->memid, &name, nullptr, nullptr, nullptr));
  EXPECT_STREQ(L"SRC", name);
  ::SysFreeString(name);
  dispatch->ReleaseVarDesc(variable);

  // Made by name from the DLL's own class factory.
  CLSID byName = {};
  ASSERT_EQ(S_OK, ::CLSIDFromProgID(L"TAMRIX.RaveloCtrl.1", &byName));
  EXPECT_TRUE(::IsEqualCLSID(kRaveloCtrlClsid, byName));
  HMODULE module = ::LoadLibraryW(ocx.c_str());
  ASSERT_NE(nullptr, module);
  {
    auto getClassObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
    auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_TRUE(getClassObject && canUnload);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, getClassObject(byName, IID_IClassFactory, factory.outVoid()));
    ComPtr<IDispatch> object;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, object.outVoid()));
    factory.reset();
    LPOLESTR src = const_cast<LPOLESTR>(L"SRC");
    DISPID id = 0;
    EXPECT_EQ(S_OK, object->GetIDsOfNames(IID_NULL, &src, 1, 0, &id));
    EXPECT_EQ(1, id);
    EXPECT_EQ(S_FALSE, canUnload());
    object.reset();
    EXPECT_EQ(S_OK, canUnload());
  }
  ::FreeLibrary(module);

  ASSERT_EQ(0u, Regsvr32(L"/u \"" + ocx + L"\""));
  EXPECT_FALSE(KeyExists(control));
  EXPECT_FALSE(KeyExists(kPageKey));
  EXPECT_FALSE(KeyExists(L"TAMRIX.RaveloCtrl.1"));
  EXPECT_FALSE(KeyExists(std::wstring(kTypeLibKey) + L"\\1.0"));
  EXPECT_TRUE(KeyExists(std::wstring(L"Component Categories\\") + kScripting));
  EXPECT_TRUE(KeyExists(std::wstring(L"Component Categories\\") + kInitializing));
}

TEST(RegistrationTest, AModuleWithoutItsTypeLibraryRegistersNothing) {
  HMODULE module = ::LoadLibraryW(WindowsPath(TAMRIX_WITHOUT_TYPELIB_OCX).c_str());
  ASSERT_NE(nullptr, module);
  auto registerServer =
      reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(::GetProcAddress(module, "DllRegisterServer")));
  ASSERT_NE(nullptr, registerServer);
  EXPECT_EQ(static_cast<HRESULT>(0x80040200), registerServer());
  EXPECT_FALSE(KeyExists(kControlKey));
  EXPECT_FALSE(KeyExists(L"TAMRIX.RaveloCtrl.1"));
  ::FreeLibrary(module);
}

}  // namespace
