// What the publishing dialogs share about the files they list: page-file names, file
// sizes, and the two ways of choosing files to add (several files in the open dialog, or
// a whole folder in the folder picker).
#pragma once

#include <windows.h>

#include <vector>

#include "framework/core/String.h"

class CListCtrl;
class CWnd;

// A name ending in ".rvx", in any case.
bool IsPageFileName(const CString& name);
bool IsFolder(const CString& path);
// The file's length; 0 when it cannot be opened.
DWORD QueryFileSize(const char* path);
// The full paths of the files in a folder (not of its sub-folders), in the system's order.
std::vector<CString> FilesOfFolder(const CString& folder);
// Deletes the selected rows of a list; true when the first column of one of them held
// the text given (a home page deleted).
bool DeleteSelectedRows(CListCtrl& list, const CString& text = CString());
// The multi-select open dialog with the filter given: the chosen files' full paths,
// none when the user cancels.
std::vector<CString> ChooseFilesToAdd(CWnd* pOwner, const CString& filter);
// The folder picker with the title of that string: the chosen folder, empty when the
// user cancels.
CString ChooseFolder(CWnd* pOwner, UINT nTitleId);
// The full path of a path (relative to the current folder); the path itself when the
// system cannot make one.
CString FullPath(const CString& path);
// The folder with a "\" at its end.
CString WithBackslash(const CString& folder);
