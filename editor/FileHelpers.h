// Small file services of the editor: a formatted warning box and the folders of paths.
// Whether a file exists and the longest folder of a path that can be entered are the
// framework's (framework/core/FolderPath.h).
#pragma once

#include "framework/core/FolderPath.h"
#include "framework/core/String.h"

// Shows a printf-style text with the exclamation icon. The format must be a literal of
// the program: user or file text goes in the arguments, never in the format.
int ShowWarningFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The folder of an executable's path, without its trailing backslash; a path without a
// backslash is returned whole.
CString ProgramFolderOf(const CString& exePath);

// The folder of a page's path, without its trailing backslash; empty without one.
CString FolderOfPage(const CString& pagePath);
