// The shell's folder browser, through the modal sink. The caller fills the browse
// information (title, flags, callback); the chosen folder comes back as a path.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include "framework/core/String.h"

// TRUE with the folder's path when one was chosen; FALSE when cancelled or when the
// choice is not a file-system folder.
BOOL AfxBrowseForFolder(BROWSEINFOA& info, CString& folder);
