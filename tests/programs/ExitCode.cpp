// A harmless program for the run-program action's tests: after a short pause (so that a
// caller that does not wait is caught) it writes the folder it was started in, as UTF-16,
// to "started-in.txt" beside itself, and exits with code 7. No window, no arguments.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ::Sleep(300);
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return 1;
  std::wstring output(self, length);
  output.erase(output.find_last_of(L'\\') + 1);
  output += L"started-in.txt";

  wchar_t folder[MAX_PATH * 2];
  const DWORD folderLength = ::GetCurrentDirectoryW(MAX_PATH * 2, folder);
  HANDLE file = ::CreateFileW(output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  ::WriteFile(file, folder, folderLength * sizeof(wchar_t), &written, nullptr);
  ::CloseHandle(file);
  return 7;
}
