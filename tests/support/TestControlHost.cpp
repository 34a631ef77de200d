#include "tests/support/TestControlHost.h"

#include <sstream>

namespace testcontrol {
namespace {

HMODULE Module() {
  static HMODULE module = ::LoadLibraryA(TEST_CONTROL_DLL);
  return module;
}

template <class F>
F Export(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(Module(), name)));
}

bool SetValue(HKEY key, const char* name, const char* value) {
  return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
}

bool RegisterUnder(HKEY root) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(root, "Software\\Classes\\CLSID\\" TEST_CONTROL_CLSID_TEXT "\\InprocServer32", 0, nullptr, 0,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const bool written = SetValue(key, nullptr, TEST_CONTROL_DLL) && SetValue(key, "ThreadingModel", "Apartment");
  ::RegCloseKey(key);
  return written;
}

}  // namespace

// Per user, as on Windows; Wine 8 looks classes up in the machine's keys only (it
// answers REGDB_E_CLASSNOTREG for a class registered under HKCU), so the prefix's
// machine keys get the same entry.
bool Register() { return RegisterUnder(HKEY_CURRENT_USER) && RegisterUnder(HKEY_LOCAL_MACHINE) && Module(); }

void Reset() { Export<void (*)()>("TestControlReset")(); }

std::vector<std::string> Log() {
  std::vector<std::string> lines;
  std::istringstream text(Export<const char* (*)()>("TestControlLog")());
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Calls() {
  std::vector<std::string> calls;
  for (const std::string& line : Log()) {
    if (line.rfind("put ", 0) == 0 || line.rfind("call ", 0) == 0 || line.rfind("get ", 0) == 0)
      calls.push_back(line);
  }
  return calls;
}

void SetAnswer(DISPID dispid, long value) { Export<void (*)(DISPID, long)>("TestControlSetAnswer")(dispid, value); }
void FailCall(DISPID dispid) { Export<void (*)(DISPID)>("TestControlFailCall")(dispid); }
void FireOnCall(DISPID call, DISPID event) {
  Export<void (*)(DISPID, DISPID)>("TestControlFireOnCall")(call, event);
}
void FailActivation(bool fail) { Export<void (*)(BOOL)>("TestControlFailActivation")(fail); }

void Fire(DISPID event, std::initializer_list<long> numbers) {
  std::vector<VARIANT> args;
  for (long number : numbers) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = number;
    args.push_back(v);
  }
  Export<void (*)(DISPID, UINT, const VARIANT*)>("TestControlFire")(event, static_cast<UINT>(args.size()),
                                                                     args.data());
}

void FireText(DISPID event, const wchar_t* text, long number) {
  VARIANT args[2];
  ::VariantInit(&args[0]);
  args[0].vt = VT_BSTR;
  args[0].bstrVal = ::SysAllocString(text);
  ::VariantInit(&args[1]);
  args[1].vt = VT_I4;
  args[1].lVal = number;
  Export<void (*)(DISPID, UINT, const VARIANT*)>("TestControlFire")(event, 2, args);
  ::VariantClear(&args[0]);
}

LONG Live() { return Export<LONG (*)()>("TestControlLive")(); }
HWND Window() { return Export<HWND (*)()>("TestControlWindow")(); }

}  // namespace testcontrol
