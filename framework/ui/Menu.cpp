#include "framework/ui/Menu.h"

#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "framework/core/Module.h"
#include "framework/ui/ModalSink.h"
#include "framework/ui/TempMap.h"
#include "framework/ui/ThreadState.h"
#include "framework/ui/Wnd.h"

namespace {

struct PermanentMenus {
  std::mutex lock;
  std::unordered_map<HMENU, CMenu*> map;
};

PermanentMenus& Permanent() {
  static PermanentMenus* menus = new PermanentMenus;  // never destroyed, as the objects may be static
  return *menus;
}

TempMap<HMENU, CMenu>& Temporary() {
  thread_local TempMap<HMENU, CMenu> map;
  return map;
}

}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

CMenu::CMenu(CMenu&& other) noexcept { Attach(other.Detach()); }

CMenu& CMenu::operator=(CMenu&& other) noexcept {
  if (this != &other) {
    DestroyMenu();
    Attach(other.Detach());
  }
  return *this;
}

void CMenu::Register() {
  PermanentMenus& p = Permanent();
  std::lock_guard<std::mutex> guard(p.lock);
  p.map[m_hMenu] = this;
}

void CMenu::Unregister() {
  PermanentMenus& p = Permanent();
  std::lock_guard<std::mutex> guard(p.lock);
  auto it = p.map.find(m_hMenu);
  if (it != p.map.end() && it->second == this) p.map.erase(it);
}

BOOL CMenu::Attach(HMENU hMenu) {
  if (!hMenu || m_hMenu) return FALSE;
  m_hMenu = hMenu;
  Register();
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU hMenu = m_hMenu;
  if (hMenu) Unregister();
  m_hMenu = nullptr;
  return hMenu;
}

BOOL CMenu::CreateMenu() {
  DestroyMenu();
  return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu() {
  DestroyMenu();
  return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName) {
  DestroyMenu();
  return Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::DestroyMenu(Detach());
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
  if (!hMenu) return nullptr;
  PermanentMenus& p = Permanent();
  std::lock_guard<std::mutex> guard(p.lock);
  auto it = p.map.find(hMenu);
  return it == p.map.end() ? nullptr : it->second;
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
  if (!hMenu) return nullptr;
  if (CMenu* permanent = FromHandlePermanent(hMenu)) return permanent;
  if (CMenu* temporary = Temporary().Find(hMenu)) return temporary;
  auto wrapper = std::make_unique<CMenu>();
  wrapper->m_hMenu = hMenu;
  return Temporary().Add(hMenu, std::move(wrapper));
}

void CMenu::DeleteTempMap() { Temporary().Clear(); }

CMenu* CMenu::FindPopupMenuFromID(HMENU hMenu, UINT nID) {
  if (!hMenu) return nullptr;
  const int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    if (HMENU popup = ::GetSubMenu(hMenu, i)) {
      if (CMenu* found = FindPopupMenuFromID(popup, nID)) return found;
    } else if (::GetMenuItemID(hMenu, i) == nID) {
      if (CMenu* owner = FromHandlePermanent(hMenu)) return owner;
    }
  }
  return nullptr;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  const int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
  if (length <= 0) {
    rString.Empty();
    return 0;
  }
  char* buffer = rString.GetBuffer(length + 1);
  ::GetMenuStringA(m_hMenu, nIDItem, buffer, length + 1, nFlags);
  rString.ReleaseBuffer();
  return rString.GetLength();
}

namespace {

// A pop-up menu's loop is modal: it goes through the modal sink like a dialog. Either way
// the choice comes back as a command, posted to the owner unless the caller asked for it.
BOOL TrackThroughSink(HMENU menu, UINT flags, CWnd* owner, const std::function<UINT_PTR()>& track) {
  HMENU& tracking = AfxGetThreadState().m_hTrackingMenu;
  HMENU saved = std::exchange(tracking, menu);
  ModalCall call;
  call.kind = ModalCall::popupMenu;
  call.data = reinterpret_cast<DWORD_PTR>(menu);
  call.window = owner;
  call.show = [&] { return static_cast<INT_PTR>(track()); };
  const UINT_PTR command = static_cast<UINT_PTR>(AfxRunModal(call));
  tracking = saved;
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(command);
  if (command && owner && owner->m_hWnd) owner->PostMessage(WM_COMMAND, command);
  return command != 0;
}

}  // namespace

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return TrackThroughSink(m_hMenu, nFlags, pWnd, [&] {
    return static_cast<UINT_PTR>(::TrackPopupMenu(m_hMenu, nFlags | TPM_RETURNCMD, x, y, 0,
                                                  pWnd ? pWnd->m_hWnd : nullptr, lpRect));
  });
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm) {
  return TrackThroughSink(m_hMenu, fuFlags, pWnd, [&] {
    return static_cast<UINT_PTR>(
        ::TrackPopupMenuEx(m_hMenu, fuFlags | TPM_RETURNCMD, x, y, pWnd ? pWnd->m_hWnd : nullptr, lptpm));
  });
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
