// What the sound and video objects share: the names of their two actions, play (0x400)
// and stop (0x800), and the file-open dialog of a double click.
#pragma once

#include <windows.h>

#include "framework/core/String.h"

// The action's name and its index in the list (0 play, 1 stop; -1 and "" for others).
CString MediaActionName(DWORD flag, int& index);
// The index of a name (0 play, 1 stop), -1 for any other.
int MediaActionFromName(const CString& name);

// The file-open dialog titled "打开文件" with the filter of that string id; TRUE and the
// chosen path on OK, and the page marked modified.
BOOL ChooseMediaFile(UINT filterId, CString& path);

// The hosted players pass mouse clicks and key presses on to the view beneath them:
// posts pMsg to the parent of hWndPlayer with the same wParam, a mouse point moved from
// the client coordinates of the window it arrived at to the parent's.
void PostPlayerInputToParent(HWND hWndPlayer, const MSG* pMsg);
