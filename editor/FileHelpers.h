// Small file services of the editor: whether a file (or a pattern) exists, the longest
// leading folder of a path that can be entered, and a formatted warning box.
#pragma once

#include "framework/core/String.h"

// TRUE when the system's file search finds the path; wildcards match any file.
BOOL FileExists(const char* path);

// The longest leading part of the lower-cased path, cut before one of its backslashes,
// that the system accepts as the current directory (tried from the left, stopping at
// the first refusal); empty when the first part is refused or there is no backslash.
// The process's current directory is left at the folder returned: callers must not
// count on it staying where it was.
CString ExistingDirPrefix(const char* path);

// Shows a printf-style text with the exclamation icon. The format must be a literal of
// the program: user or file text goes in the arguments, never in the format.
int ShowWarningFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The folder of an executable's path, without its trailing backslash; a path without a
// backslash is returned whole.
CString ProgramFolderOf(const CString& exePath);

// The folder of a page's path, without its trailing backslash; empty without one.
CString FolderOfPage(const CString& pagePath);
