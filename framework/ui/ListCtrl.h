// CListCtrl: a window object for the system's list view, as report-style lists use it
// (columns, items with sub-items, the selection mark).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ui/Wnd.h"

class CListCtrl : public CWnd {
 public:
  int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
  // The index of the new item, or -1.
  int InsertItem(int nItem, LPCSTR lpszItem);
  BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
  CString GetItemText(int nItem, int nSubItem) const;
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
  // The item a click or the keyboard last selected, or -1.
  int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
  int SetSelectionMark(int nIndex) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, nIndex)); }
  DWORD SetExtendedStyle(DWORD dwNewStyle) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
  }
};

// Registers the common controls' window classes that dialogs made from templates may
// name (list views, and the standard ones); once per process is enough.
void AfxInitCommonControls();
