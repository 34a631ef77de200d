#include "framework/ui/ToolBarCtrl.h"

#include "framework/ui/ImageList.h"

HIMAGELIST CToolBarCtrl::SetImageList(CImageList* pImageList) {
  return reinterpret_cast<HIMAGELIST>(
      Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr)));
}

HIMAGELIST CToolBarCtrl::SetHotImageList(CImageList* pImageList) {
  return reinterpret_cast<HIMAGELIST>(
      Send(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr)));
}

HIMAGELIST CToolBarCtrl::SetDisabledImageList(CImageList* pImageList) {
  return reinterpret_cast<HIMAGELIST>(
      Send(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr)));
}
