#include "setup/SetupShell.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "framework/core/ComPtr.h"
#include "framework/core/FolderPath.h"
#include "framework/core/MessageBox.h"
#include "resources/Setup.h"

namespace {

// COM for the time of one shortcut; a thread that had it already keeps it.
class ComScope {
 public:
  ComScope() : m_result(::CoInitialize(nullptr)) {}
  ~ComScope() {
    if (SUCCEEDED(m_result)) ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT m_result;
};

bool IsFolder(const CString& path) {
  const DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// folder\group\name.lnk, or folder\name.lnk without a group.
bool SaveShortcut(const char* folderName, const char* group, const char* name, const char* target,
                  const char* arguments) {
  const CString folder = ShellFolderPath(folderName);
  if (folder.IsEmpty()) return false;
  CString path = folder + "\\" + group;
  if (group && *group) path += "\\";
  path += CString(name) + ".lnk";

  ComScope com;
  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.outVoid())))
    return false;
  link->SetPath(target);
  link->SetArguments(arguments ? arguments : "");
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.outVoid()))) return false;
  WCHAR wide[MAX_PATH] = {};
  if (!::MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH)) return false;
  return SUCCEEDED(file->Save(wide, TRUE));
}

}  // namespace

bool CreateDirectoryPath(const char* path) {
  if (!path || !*path) {
    // Message boxes carry the program's title; the error icon says what 105 would.
    AfxMessageBox(IDS_FOLDER_EMPTY, MB_OK | MB_ICONERROR);
    return false;
  }
  return CreateFolderPath(path) != FALSE;
}

CString ShellFolderPath(const char* name) {
  // Read access is all this needs: a restricted user may not open the key for more.
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
    char value[1024] = {};
    DWORD size = sizeof value - 1;  // room for a NUL the value may lack
    DWORD type = 0;
    const LONG read = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    if (read == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && value[0]) return value;
  }
  // The key holds what the shell last wrote there; on a fresh profile it may not yet.
  const int csidl = lstrcmpiA(name, "Desktop") == 0 ? CSIDL_DESKTOPDIRECTORY : CSIDL_PROGRAMS;
  char path[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
    return path;
  return CString();
}

bool CreateProgramGroup(const char* group) {
  const CString programs = ShellFolderPath("Programs");
  if (programs.IsEmpty()) return false;
  const CString folder = programs + "\\" + group;
  // Installing again into the same group is no failure.
  return ::CreateDirectoryA(folder, nullptr) || IsFolder(folder);
}

bool CreateGroupShortcut(const char* group, const char* name, const char* target, const char* arguments) {
  return SaveShortcut("Programs", group, name, target, arguments);
}

bool CreateDesktopShortcut(const char* group, const char* name, const char* target, const char* arguments) {
  return SaveShortcut("Desktop", group, name, target, arguments);
}
