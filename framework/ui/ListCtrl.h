// CListCtrl: a window object for the common controls' list view, as the report-style
// lists of the dialogs use it (columns, rows of texts, the selected rows).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/core/String.h"
#include "framework/ui/Wnd.h"

// A position in the walk over the selected rows: the row index + 1, 0 at the end.
using LISTPOSITION = void*;

class CListCtrl : public CWnd {
 public:
  int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                   int nSubItem = -1);
  int InsertItem(int nItem, LPCSTR lpszItem);
  // With the image of that index in the list's image lists.
  int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
  // The list keeps the handle only. Without the style LVS_SHAREIMAGELISTS the list
  // destroys the image list with itself, so an owner that keeps a CImageList sets it.
  HIMAGELIST SetImageList(HIMAGELIST hImageList, int nImageListType) {
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, nImageListType, reinterpret_cast<LPARAM>(hImageList)));
  }
  BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
  CString GetItemText(int nItem, int nSubItem) const;
  BOOL DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, nItem)); }
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  DWORD SetExtendedStyle(DWORD dwNewStyle) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
  }
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  // The row a click or the keyboard last selected, or -1.
  int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
  int SetSelectionMark(int nIndex) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, nIndex)); }

  // The selected rows, in index order.
  LISTPOSITION GetFirstSelectedItemPosition() const { return NextSelected(-1); }
  int GetNextSelectedItem(LISTPOSITION& pos) const;

 private:
  LISTPOSITION NextSelected(int after) const;
};
