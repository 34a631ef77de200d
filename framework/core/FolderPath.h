// Creating a folder with every level above it that is missing, without touching the
// process's current directory (other code resolves relative paths against it).
#pragma once

#include "framework/core/AfxTypes.h"

// TRUE when every level of the path exists as a folder afterwards: each prefix before a
// "\" is made when missing, a drive ("c:") never, then the whole path. FALSE for an
// empty path or a level that is a file or cannot be made.
BOOL CreateFolderPath(const char* path);
