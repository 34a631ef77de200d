// Creating a folder with every level above it that is missing, without touching the
// process's current directory (other code resolves relative paths against it).
#pragma once

#include "framework/core/String.h"

#include "framework/core/AfxTypes.h"

// TRUE when every level of the path exists as a folder afterwards: each prefix before a
// "\" is made when missing, a drive ("c:") never, then the whole path. FALSE for an
// empty path or a level that is a file or cannot be made.
BOOL CreateFolderPath(const char* path);

// TRUE when the system's file search finds the path (code page 936); wildcards match any
// file.
BOOL FileExists(const char* path);

// The longest leading part of the lower-cased path, cut before one of its backslashes,
// that the system accepts as the current directory (tried from the left, stopping at
// the first refusal); empty when the first part is refused or there is no backslash.
// The process's current directory is left at the folder returned: callers must not
// count on it staying where it was.
CString ExistingDirPrefix(const char* path);
