#include "framework/ui/ListCtrl.h"

#include <vector>

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth) {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM | (nWidth >= 0 ? LVCF_WIDTH : 0);
  column.fmt = nFormat;
  column.cx = nWidth;
  column.pszText = const_cast<LPSTR>(lpszColumnHeading);
  column.iSubItem = nCol;
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, nCol, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = nItem;
  item.pszText = const_cast<LPSTR>(lpszItem);
  return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText) {
  LVITEMA item = {};
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  // The message answers the length it copied: grow until the text fits with room left.
  for (int size = 256;; size *= 4) {
    std::vector<char> buffer(static_cast<size_t>(size));
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = buffer.data();
    item.cchTextMax = size;
    const int length = static_cast<int>(SendMessage(LVM_GETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)));
    if (length < size - 1 || size >= (1 << 20)) return CString(buffer.data(), length);
  }
}

void AfxInitCommonControls() {
  static const BOOL done = [] {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    return ::InitCommonControlsEx(&init);
  }();
  (void)done;
}
