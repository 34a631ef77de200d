#include "editor/FileHelpers.h"

#include <windows.h>

#include <cstdarg>

#include "framework/core/MessageBox.h"

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
