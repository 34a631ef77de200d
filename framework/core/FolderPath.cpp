#include "framework/core/FolderPath.h"

#include <windows.h>

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
