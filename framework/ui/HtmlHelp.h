// The HTML Help viewer, through the modal sink.
#pragma once

#include "framework/ui/UiDefs.h"

// The help window, or null when the file cannot be shown.
HWND AfxHtmlHelp(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
