// Where a loaded module's file lies (null: the program's executable), asked of the system
// in one place and in full, however long the path.
#pragma once

#include <windows.h>

#include <string>

#include "framework/core/String.h"

std::wstring ModuleFileNameW(HMODULE module);
// In the program's code page; empty when the system cannot tell.
CString ModuleFileName(HMODULE module);
// The folder of the module's file, without a trailing backslash.
CString ModuleFolder(HMODULE module);
