#include "editor/FileHelpers.h"

#include <windows.h>

#include <cstdarg>

#include "framework/core/MessageBox.h"

BOOL FileExists(const char* path) {
  if (!path || !*path) return FALSE;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return FALSE;
  ::FindClose(search);
  return TRUE;
}

CString ExistingDirPrefix(const char* path) {
  CString lower(path);
  lower.MakeLower();
  CString accepted;
  // Find walks whole characters, so a trail byte equal to '\\' is never taken for one.
  for (int slash = lower.Find('\\'); slash >= 0; slash = lower.Find('\\', slash + 1)) {
    const CString candidate = lower.Left(slash);
    if (candidate.IsEmpty() || !::SetCurrentDirectoryA(candidate)) break;
    accepted = candidate;
  }
  return accepted;
}

int ShowWarningFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  CString text;
  text.FormatV(format, args);
  va_end(args);
  return AfxMessageBox(text, MB_ICONEXCLAMATION);
}

CString ProgramFolderOf(const CString& exePath) {
  const int slash = exePath.ReverseFind('\\');
  return slash >= 0 ? exePath.Left(slash) : exePath;
}

CString FolderOfPage(const CString& pagePath) {
  const int slash = pagePath.ReverseFind('\\');
  return slash > 0 ? pagePath.Left(slash) : CString();
}
