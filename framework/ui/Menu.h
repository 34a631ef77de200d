// CMenu: a menu or pop-up. A menu the object made or attached is destroyed with it
// unless it is detached first (a window's menu bar belongs to the window). Objects
// that own a menu are listed, so owner-drawn items reach their menu's DrawItem and
// MeasureItem.
#pragma once

#include "framework/core/Object.h"
#include "framework/core/String.h"
#include "framework/ui/UiDefs.h"

class CWnd;

class CMenu : public CObject {
 public:
  CMenu() = default;
  ~CMenu() override;
  CMenu(CMenu&& other) noexcept;
  CMenu& operator=(CMenu&& other) noexcept;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }
  HMENU GetSafeHmenu() const { return m_hMenu; }

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // From the resource module.
  BOOL LoadMenu(UINT nIDResource);
  BOOL LoadMenu(LPCSTR lpszResourceName);
  BOOL DestroyMenu();
  BOOL Attach(HMENU hMenu);
  HMENU Detach();

  static CMenu* FromHandle(HMENU hMenu);
  static CMenu* FromHandlePermanent(HMENU hMenu);
  static void DeleteTempMap();
  void ForgetTemporaryHandle() { m_hMenu = nullptr; }
  // The owning menu object, within hMenu and its pop-ups, that holds an item nID.
  static CMenu* FindPopupMenuFromID(HMENU hMenu, UINT nID);

  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
  }
  // With MF_OWNERDRAW, lpItemData is the item's data for DrawItem and MeasureItem.
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const void* lpItemData) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, static_cast<LPCSTR>(lpItemData));
  }
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr) {
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
  }
  BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr) {
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
  }
  BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
  BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
  BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
  }
  BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
  int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
  UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
  UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
  BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos = FALSE) const {
    return ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
  }
  BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos = FALSE) {
    return ::SetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
  }
  CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }

  // Shows the pop-up and runs its modal loop, through the modal sink (ModalSink.h); the
  // chosen command is posted to pWnd (or returned with TPM_RETURNCMD).
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
  BOOL TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm);

  // Owner-drawn items of this menu.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

 private:
  void Register();
  void Unregister();
};
