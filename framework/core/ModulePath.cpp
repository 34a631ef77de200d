#include "framework/core/ModulePath.h"

#include "framework/core/Codepage.h"

std::wstring ModuleFileNameW(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return std::wstring();
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // cut short: the path is longer than the buffer
  }
}

CString ModuleFileName(HMODULE module) { return CString(codepage::FromWide(ModuleFileNameW(module)).c_str()); }

CString ModuleFolder(HMODULE module) {
  const CString path = ModuleFileName(module);
  const int slash = path.ReverseFind('\\');
  return slash >= 0 ? path.Left(slash) : path;
}
