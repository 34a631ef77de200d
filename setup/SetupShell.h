// What setup asks of the system besides the package: the installation folder made level
// by level, and the program group and shortcuts in the user's shell folders.
#pragma once

#include "framework/core/String.h"

// Makes every level of the folder; an empty path is refused with a message. The
// process's current directory is left as it was.
bool CreateDirectoryPath(const char* path);

// The user's shell folder of that name ("Programs", "Desktop"): the value under the
// Explorer's "Shell Folders" key, else what the shell answers for it; empty when
// neither knows it.
CString ShellFolderPath(const char* name);

// <Programs>\group, made when missing.
bool CreateProgramGroup(const char* group);
// <Programs>\group\name.lnk to target.
bool CreateGroupShortcut(const char* group, const char* name, const char* target, const char* arguments);
// <Desktop>\group\name.lnk (group is empty here: the link lies on the desktop itself).
bool CreateDesktopShortcut(const char* group, const char* name, const char* target, const char* arguments);
