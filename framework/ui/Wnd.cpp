#include "framework/ui/Wnd.h"

#include <mutex>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/MessageBox.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/DC.h"
#include "framework/ui/Font.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"
#include "framework/ui/TempMap.h"
#include "framework/ui/ThreadState.h"
#include "framework/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

// Windows bound to objects, over all threads (a splash thread's window is owned by
// the main thread's frame, and either side may look the other up).
struct PermanentMap {
  std::mutex lock;
  std::unordered_map<HWND, CWnd*> map;
};

PermanentMap& Permanent() {
  static PermanentMap* map = new PermanentMap;  // never destroyed: windows may outlive statics
  return *map;
}

TempMap<HWND, CWnd>& Temporary() {
  thread_local TempMap<HWND, CWnd> map;
  return map;
}

}  // namespace

// ---------------------------------------------------------------------------------
// Binding

CWnd::CWnd() = default;

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::~CWnd() {
  // A control goes first: closing it destroys its window, which ends the binding.
  if (auto site = std::move(m_pCtrlSite)) site->CloseControl();
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    // Still owns its window: the destroy messages reach only the CWnd part now.
    ::DestroyWindow(m_hWnd);
    if (m_hWnd) Detach();
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (!hWnd) return nullptr;
  PermanentMap& p = Permanent();
  std::lock_guard<std::mutex> guard(p.lock);
  auto it = p.map.find(hWnd);
  return it == p.map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (!hWnd) return nullptr;
  if (CWnd* permanent = FromHandlePermanent(hWnd)) return permanent;
  if (CWnd* temporary = Temporary().Find(hWnd)) return temporary;
  auto wrapper = std::make_unique<CWnd>();
  wrapper->m_hWnd = hWnd;
  return Temporary().Add(hWnd, std::move(wrapper));
}

void CWnd::DeleteTempMap() { Temporary().Clear(); }

BOOL CWnd::Attach(HWND hWndNew) {
  if (!hWndNew || m_hWnd) return FALSE;
  {
    PermanentMap& p = Permanent();
    std::lock_guard<std::mutex> guard(p.lock);
    p.map[hWndNew] = this;
  }
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (!hWnd) return nullptr;
  // A window still routed here gets its own procedure back.
  if (m_pfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == AfxWndProc)
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  {
    PermanentMap& p = Permanent();
    std::lock_guard<std::mutex> guard(p.lock);
    auto it = p.map.find(hWnd);
    if (it != p.map.end() && it->second == this) p.map.erase(it);
  }
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  auto old = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
  m_pfnSuper = old == AfxWndProc ? ::DefWindowProcA : old;
  PreSubclassWindow();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
  return hWndControl && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

void AfxBindCreatingWindow(CWnd* pWnd, HWND hWnd) {
  pWnd->Attach(hWnd);
  auto old = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
  pWnd->m_pfnSuper = old == AfxWndProc ? ::DefWindowProcA : old;
}

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AfxThreadState& state = AfxGetThreadState();
  if (code == HCBT_CREATEWND && state.m_pWndInit) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    // The system may make an input-method window for the thread's first window; that
    // one is not ours.
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    const bool ime = (::GetClassLongPtrA(hWnd, GCL_STYLE) & CS_IME) || lstrcmpiA(className, "IME") == 0;
    if (!ime) {
      CWnd* pWnd = state.m_pWndInit;
      state.m_pWndInit = nullptr;
      AfxBindCreatingWindow(pWnd, hWnd);
    }
  }
  return ::CallNextHookEx(state.m_hHookCbt, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd) {
  AfxThreadState& state = AfxGetThreadState();
  if (state.m_nHookUsers++ == 0)
    state.m_hHookCbt = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
  state.m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate() {
  AfxThreadState& state = AfxGetThreadState();
  const BOOL bound = state.m_pWndInit == nullptr;
  state.m_pWndInit = nullptr;
  if (--state.m_nHookUsers == 0 && state.m_hHookCbt) {
    ::UnhookWindowsHookEx(state.m_hHookCbt);
    state.m_hHookCbt = nullptr;
  }
  return bound;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  static std::mutex lock;
  static std::set<std::string>* names = new std::set<std::string>;
  HINSTANCE instance = AfxGetInstanceHandle();
  char name[96];
  wsprintfA(name, "Afx:%p:%x:%p:%p:%p", instance, nClassStyle, hCursor, hbrBackground, hIcon);
  std::lock_guard<std::mutex> guard(lock);
  auto it = names->find(name);
  if (it != names->end()) return it->c_str();
  WNDCLASSA wc = {};
  if (!::GetClassInfoA(instance, name, &wc)) {
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;  // windows are routed to AfxWndProc when created
    wc.hInstance = instance;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    if (!::RegisterClassA(&wc)) return nullptr;
  }
  return names->insert(name).first->c_str();
}

// ---------------------------------------------------------------------------------
// Creation and destruction

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
  return cs.lpszClass != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  CREATESTRUCTA cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  // A window that failed after binding has had its WM_NCDESTROY (and PostNcDestroy,
  // which may have deleted this object); one that never existed gets it here.
  if (!AfxUnhookWindowCreate()) PostNcDestroy();
  return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow() {
  if (auto site = std::move(m_pCtrlSite)) {
    site->CloseControl();
    // A control that leaves its window behind still loses it.
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    return TRUE;
  }
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

// ---------------------------------------------------------------------------------
// Families, geometry and the rest

namespace {

void SendToDescendants(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  std::vector<HWND> children;
  for (HWND child = ::GetTopWindow(parent); child; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (HWND child : children) {
    if (!::IsWindow(child)) continue;  // a handler destroyed it
    if (bOnlyPerm) {
      if (CWnd* pWnd = CWnd::FromHandlePermanent(child)) AfxCallWndProc(pWnd, child, message, wParam, lParam);
    } else {
      ::SendMessageA(child, message, wParam, lParam);
    }
    if (bDeep && ::IsWindow(child)) SendToDescendants(child, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

HWND FindDescendant(HWND parent, int nID, BOOL bOnlyPerm) {
  HWND direct = ::GetDlgItem(parent, nID);
  if (direct && (!bOnlyPerm || CWnd::FromHandlePermanent(direct))) return direct;
  for (HWND child = ::GetTopWindow(parent); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (HWND found = FindDescendant(child, nID, bOnlyPerm)) return found;
  }
  return nullptr;
}

}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
  HWND found = FindDescendant(m_hWnd, nID, bOnlyPerm);
  return bOnlyPerm ? FromHandlePermanent(found) : FromHandle(found);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
  if (m_pCtrlSite)
    m_pCtrlSite->MoveControl(CRect(x, y, x + nWidth, y + nHeight));
  else
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  if (m_pCtrlSite && (nFlags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
    // The control places its window; the rest (order, showing) is the window's.
    CRect current;
    ::GetWindowRect(m_hWnd, &current);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&current), 2);
    const CPoint topLeft = (nFlags & SWP_NOMOVE) ? current.TopLeft() : CPoint(x, y);
    const CSize size = (nFlags & SWP_NOSIZE) ? current.Size() : CSize(cx, cy);
    m_pCtrlSite->MoveControl(CRect(topLeft, size));
    nFlags |= SWP_NOMOVE | SWP_NOSIZE;
  }
  return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  const DWORD style = GetStyle();
  CRect area;
  HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : nullptr;
  if (style & WS_CHILD) {
    HWND parent = ::GetParent(m_hWnd);
    ::GetClientRect(parent, &area);
    if (!hWndCenter) hWndCenter = parent;
  } else {
    if (!hWndCenter) hWndCenter = ::GetWindow(m_hWnd, GW_OWNER);
    HMONITOR monitor = ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(monitor, &info);
    area = info.rcWork;
  }
  CRect center = area;
  if (hWndCenter && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter)) {
    ::GetWindowRect(hWndCenter, &center);
    if (style & WS_CHILD) ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&center), 2);
  }
  CRect rect;
  ::GetWindowRect(m_hWnd, &rect);
  int left = (center.left + center.right) / 2 - rect.Width() / 2;
  int top = (center.top + center.bottom) / 2 - rect.Height() / 2;
  // Keep the window inside the area where it fits.
  if (left + rect.Width() > area.right) left = area.right - rect.Width();
  if (left < area.left) left = area.left;
  if (top + rect.Height() > area.bottom) top = area.bottom - rect.Height();
  if (top < area.top) top = area.top;
  ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_STYLE));
  const DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongPtrA(hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
  if (nFlags)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_EXSTYLE));
  const DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongPtrA(hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(newStyle));
  if (nFlags)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND hWnd = m_hWnd;
  while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
  return FromHandle(hWnd);
}

CWnd* CWnd::GetOwner() const { return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent(); }

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd && pWnd->IsFrameWnd()) return static_cast<CFrameWnd*>(pWnd);
  }
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  CFrameWnd* frame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
  while (frame) {
    CFrameWnd* above = frame->GetParentFrame();
    if (!above) break;
    frame = above;
  }
  return frame;
}

HWND CWnd::GetSafeOwner(CWnd* pParent) {
  HWND hWnd = pParent ? pParent->m_hWnd : nullptr;
  if (!hWnd) {
    CWnd* main = AfxGetMainWnd();
    hWnd = main && ::IsWindow(main->m_hWnd) ? main->m_hWnd : nullptr;
  }
  while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
  return hWnd ? ::GetLastActivePopup(hWnd) : nullptr;
}

void CWnd::GetWindowText(CString& rString) const {
  const int length = ::GetWindowTextLengthA(m_hWnd);
  char* buffer = rString.GetBuffer(length + 1);
  ::GetWindowTextA(m_hWnd, buffer, length + 1);
  rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  HWND item = ::GetDlgItem(m_hWnd, nID);
  rString.Empty();
  if (!item) return 0;
  const int length = ::GetWindowTextLengthA(item);
  char* buffer = rString.GetBuffer(length + 1);
  ::GetWindowTextA(item, buffer, length + 1);
  rString.ReleaseBuffer();
  return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const {
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  lpScrollInfo->fMask = nMask;
  return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::GetScrollLimit(int nBar) const {
  SCROLLINFO info;
  if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE)) return 0;
  const int page = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
  return info.nMax - page;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
    if (id == 0 || LOWORD(id) == 0xFFFF) continue;
    state.m_nID = id;
    state.m_pOther = FromHandle(child);
    // Only push buttons are disabled for want of a handler; check boxes, radio
    // buttons and other controls keep their state.
    BOOL disable = bDisableIfNoHndler;
    if (disable) {
      if (!(::SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
        disable = FALSE;
      } else {
        const UINT type = static_cast<UINT>(::GetWindowLongPtrA(child, GWL_STYLE)) & BS_TYPEMASK;
        if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_OWNERDRAW) disable = FALSE;
      }
    }
    state.DoUpdate(pTarget, disable);
  }
}
