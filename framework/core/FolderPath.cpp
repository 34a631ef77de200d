#include "framework/core/FolderPath.h"

#include <windows.h>

#include "framework/core/Codepage.h"
#include "framework/core/String.h"

namespace {

BOOL IsFolder(const CString& path) {
  const DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL MakeLevel(const CString& level) {
  if (level.IsEmpty() || level.ReverseFind(':') == level.GetLength() - 1 || IsFolder(level)) return TRUE;
  // Another process may make it at the same moment: what counts is that it is there.
  return ::CreateDirectoryA(level, nullptr) || IsFolder(level);
}

}  // namespace

BOOL CreateFolderPath(const char* path) {
  CString whole(path ? path : "");
  // "c:\a\b\" is the folder "c:\a\b"; a root ("c:\") stays as it is.
  if (whole.GetLength() > 3 && whole.ReverseFind('\\') == whole.GetLength() - 1)
    whole = whole.Left(whole.GetLength() - 1);
  if (whole.IsEmpty()) return FALSE;
  for (int at = whole.Find('\\'); at >= 0; at = whole.Find('\\', at + 1)) {
    if (!MakeLevel(whole.Left(at))) return FALSE;
  }
  return MakeLevel(whole);
}

BOOL FileExists(const char* path) {
  if (!path || !*path) return FALSE;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW(codepage::ToWide(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return FALSE;
  ::FindClose(search);
  return TRUE;
}

CString ExistingDirPrefix(const char* path) {
  CString lower(path ? path : "");
  lower.MakeLower();
  CString accepted;
  // Find walks whole characters, so a trail byte equal to '\\' is never taken for one.
  for (int slash = lower.Find('\\'); slash >= 0; slash = lower.Find('\\', slash + 1)) {
    const CString candidate = lower.Left(slash);
    if (candidate.IsEmpty() || !::SetCurrentDirectoryW(codepage::ToWide(candidate.str()).c_str())) break;
    accepted = candidate;
  }
  return accepted;
}
