// CToolBarCtrl: the toolbar control's own messages, on a toolbar window that another
// object owns (CToolBar hands one out). It does not own the window.
#pragma once

#include "framework/ui/UiDefs.h"

class CImageList;

class CToolBarCtrl {
 public:
  CToolBarCtrl() = default;
  explicit CToolBarCtrl(HWND hWnd) : m_hWnd(hWnd) {}

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }

  // Returns the list the toolbar had; the toolbar does not take the new one over.
  HIMAGELIST SetImageList(CImageList* pImageList);
  HIMAGELIST SetHotImageList(CImageList* pImageList);
  HIMAGELIST SetDisabledImageList(CImageList* pImageList);
  HIMAGELIST GetImageList() const { return reinterpret_cast<HIMAGELIST>(Send(TB_GETIMAGELIST)); }
  DWORD SetExtendedStyle(DWORD dwExStyle) { return static_cast<DWORD>(Send(TB_SETEXTENDEDSTYLE, 0, dwExStyle)); }
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(Send(TB_GETEXTENDEDSTYLE)); }
  int GetButtonCount() const { return static_cast<int>(Send(TB_BUTTONCOUNT)); }
  BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const {
    return static_cast<BOOL>(Send(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpButton)));
  }
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
    return static_cast<BOOL>(Send(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
  }
  BOOL GetRect(UINT nID, LPRECT lpRect) const {
    return static_cast<BOOL>(Send(TB_GETRECT, nID, reinterpret_cast<LPARAM>(lpRect)));
  }
  int CommandToIndex(UINT nID) const { return static_cast<int>(Send(TB_COMMANDTOINDEX, nID)); }
  BOOL EnableButton(UINT nID, BOOL bEnable = TRUE) { return static_cast<BOOL>(Send(TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0))); }
  BOOL CheckButton(UINT nID, BOOL bCheck = TRUE) { return static_cast<BOOL>(Send(TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0))); }
  BOOL HideButton(UINT nID, BOOL bHide = TRUE) { return static_cast<BOOL>(Send(TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0))); }
  BOOL IsButtonEnabled(UINT nID) const { return static_cast<BOOL>(Send(TB_ISBUTTONENABLED, nID)); }
  BOOL IsButtonChecked(UINT nID) const { return static_cast<BOOL>(Send(TB_ISBUTTONCHECKED, nID)); }
  BOOL IsButtonHidden(UINT nID) const { return static_cast<BOOL>(Send(TB_ISBUTTONHIDDEN, nID)); }
  int GetState(UINT nID) const { return static_cast<int>(Send(TB_GETSTATE, nID)); }
  BOOL SetState(UINT nID, UINT nState) { return static_cast<BOOL>(Send(TB_SETSTATE, nID, MAKELPARAM(nState, 0))); }
  BOOL SetButtonSize(SIZE size) { return static_cast<BOOL>(Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
  BOOL SetBitmapSize(SIZE size) { return static_cast<BOOL>(Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
  BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons) {
    return static_cast<BOOL>(Send(TB_ADDBUTTONSA, static_cast<WPARAM>(nNumButtons), reinterpret_cast<LPARAM>(lpButtons)));
  }
  BOOL InsertButton(int nIndex, LPTBBUTTON lpButton) {
    return static_cast<BOOL>(Send(TB_INSERTBUTTONA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpButton)));
  }
  BOOL DeleteButton(int nIndex) { return static_cast<BOOL>(Send(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex))); }
  HWND GetToolTips() const { return reinterpret_cast<HWND>(Send(TB_GETTOOLTIPS)); }
  void AutoSize() { Send(TB_AUTOSIZE); }

 private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
};
