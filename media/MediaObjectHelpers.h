// What the sound and video objects share: the names of their two actions, play (0x400)
// and stop (0x800), their property rows, and the file-open dialog of a double click.
#pragma once

#include <windows.h>

#include "framework/core/String.h"

class CDrawObj;
class CMethod;
class CPropGrid;

// The action's name and its index in the list (0 play, 1 stop; -1 and "" for others).
CString MediaActionName(DWORD flag, int& index);
// The index of a name (0 play, 1 stop), -1 for any other.
int MediaActionFromName(const CString& name);
// The kind at a position of the actions page's type list: play, stop, then 0.
DWORD MediaActionTypeAt(int index);

// ---- property rows ----------------------------------------------------------------------

// "文件名": the media file, with the file dialog's filter of that string id.
void ListMediaFileRow(CPropGrid* grid, const CString& file, UINT filterId);
// The text of the file row labelled by that string id; `current` when the grid has no
// such row.
CString ReadFileRow(CPropGrid* grid, UINT label, const CString& current);
// A file the row named cannot be taken: says so ("无法打开文件%s") and shows the
// object's own file in the row again.
void RefuseFileRow(CPropGrid* grid, UINT label, const CString& file, const CString& current);
// TRUE for a file that exists (a folder is none).
BOOL IsExistingFile(const CString& path);

// A sound's or video's actions page: "已有动作" and "动作类型" (the shown action's kind, or
// play), then the rows of the kind (ListMediaActionRows). A kind picked anew keeps the
// first two rows.
void ListMediaActions(CDrawObj& object, CPropGrid* grid, int type);
// Shows the action at that index: its kind in row 2 and its rows from row 3.
void ShowExistingMediaAction(CDrawObj& object, CPropGrid* grid, int index);
// The rows of a play or stop action: "交互", "起始时刻", and for play "播放时间" and
// "循环播放".
int ListMediaActionRows(CPropGrid* grid, const CMethod& action);
// Reads a play action's own rows back (the object's flow reads the first two).
BOOL ApplyMediaActionRows(CPropGrid* grid, CMethod& action);

// The file-open dialog titled "打开文件" with the filter of that string id; TRUE and the
// chosen path on OK, and the page marked modified.
BOOL ChooseMediaFile(UINT filterId, CString& path);

// The hosted players pass mouse clicks and key presses on to the view beneath them:
// posts pMsg to the parent of hWndPlayer with the same wParam, a mouse point moved from
// the client coordinates of the window it arrived at to the parent's.
void PostPlayerInputToParent(HWND hWndPlayer, const MSG* pMsg);
