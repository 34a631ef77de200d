// CWnd's message dispatch: the window procedure, the cracking of messages into the
// typed handlers, command and notification routing, and the handlers' defaults.
#include <windows.h>

#include <new>

#include "framework/core/Codepage.h"
#include "framework/core/Exception.h"
#include "framework/core/FrameworkStrings.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/DC.h"
#include "framework/ui/Menu.h"
#include "framework/ui/ThreadState.h"
#include "framework/ui/WinApp.h"
#include "framework/ui/Wnd.h"

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  AfxThreadState& state = AfxGetThreadState();
  const MSG savedMsg = state.m_lastSentMsg;
  const LRESULT savedDefResult = state.m_lastDefResult;
  state.m_lastSentMsg.hwnd = hWnd;
  state.m_lastSentMsg.message = message;
  state.m_lastSentMsg.wParam = wParam;
  state.m_lastSentMsg.lParam = lParam;
  state.m_lastDefResult = 0;
  LRESULT result = 0;
  // An exception must not unwind through the system's frames: report it here, as the
  // failure of this one message.
  try {
    result = pWnd->WindowProc(message, wParam, lParam);
  } catch (const CException& e) {
    AfxMessageBox(e.GetErrorMessage(), MB_ICONEXCLAMATION);
    result = message == WM_CREATE ? -1 : 0;
  } catch (const std::bad_alloc&) {
    AfxMessageBox(FrameworkText(AFX_IDS_OUT_OF_MEMORY), MB_ICONEXCLAMATION);
    result = message == WM_CREATE ? -1 : 0;
  } catch (const std::exception& e) {
    AfxMessageBox(e.what(), MB_ICONEXCLAMATION);
    result = message == WM_CREATE ? -1 : 0;
  }
  state.m_lastSentMsg = savedMsg;
  state.m_lastDefResult = savedDefResult;
  return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (!pWnd) return ::DefWindowProcA(hWnd, message, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  AfxThreadState& state = AfxGetThreadState();
  const MSG& msg = state.m_lastSentMsg;
  state.m_lastDefResult = DefWindowProc(msg.message, msg.wParam, msg.lParam);
  return state.m_lastDefResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  for (auto it = m_messageHandlers.rbegin(); it != m_messageHandlers.rend(); ++it) {
    if (it->message == message) {
      auto handler = it->handler;  // may destroy this object
      *pResult = handler(wParam, lParam);
      return TRUE;
    }
  }
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *pResult = 0;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    LRESULT result = 0;
    if (!OnNotify(wParam, lParam, &result)) return FALSE;
    *pResult = result;
    return TRUE;
  }
  return DispatchTyped(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CWnd* child = FromHandlePermanent(hWndChild);
  if (!child) return FALSE;
  LRESULT result = 0;
  if (!child->OnChildNotify(message, wParam, lParam, &result)) return FALSE;
  if (pResult) *pResult = result;
  return TRUE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& msg = AfxGetThreadState().m_lastSentMsg;
  return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::DispatchTyped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  AfxThreadState& state = AfxGetThreadState();
  state.m_lastDefResult = 0;
  // Coordinates are signed 16-bit halves (negative on a second monitor or above a window).
  const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  // Void handlers answer with what the default processing answered, if it ran.
  auto voidResult = [&] { *pResult = state.m_lastDefResult; };
  switch (message) {
    case WM_CREATE: *pResult = OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam)); return TRUE;
    case WM_DESTROY: OnDestroy(); voidResult(); return TRUE;
    case WM_NCDESTROY: OnNcDestroy(); *pResult = 0; return TRUE;  // this may be gone now
    case WM_CLOSE: OnClose(); voidResult(); return TRUE;
    case WM_PAINT: OnPaint(); voidResult(); return TRUE;
    case WM_ERASEBKGND: *pResult = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); return TRUE;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); voidResult(); return TRUE;
    case WM_MOVE: OnMove(point.x, point.y); voidResult(); return TRUE;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); voidResult(); return TRUE;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); voidResult(); return TRUE;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); voidResult(); return TRUE;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); voidResult(); return TRUE;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
      voidResult();
      return TRUE;
    case WM_MOUSEACTIVATE:
      *pResult = OnMouseActivate(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_TIMER: OnTimer(wParam); voidResult(); return TRUE;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_MBUTTONDOWN: OnMButtonDown(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_MBUTTONUP: OnMButtonUp(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_MOUSEWHEEL:
      *pResult = OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), point);
      return TRUE;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); voidResult(); return TRUE;
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); voidResult(); return TRUE;
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); voidResult(); return TRUE;
    case WM_SYSKEYDOWN:
      OnSysKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      voidResult();
      return TRUE;
    case WM_SYSKEYUP:
      OnSysKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      voidResult();
      return TRUE;
    case WM_GETDLGCODE: *pResult = OnGetDlgCode(); return TRUE;
    case WM_SETFOCUS: OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam))); voidResult(); return TRUE;
    case WM_KILLFOCUS: OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam))); voidResult(); return TRUE;
    case WM_SETCURSOR:
      *pResult = OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_CAPTURECHANGED: OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam))); voidResult(); return TRUE;
    case WM_CANCELMODE: OnCancelMode(); voidResult(); return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL: {
      HWND bar = reinterpret_cast<HWND>(lParam);
      if (bar && ReflectToChild(bar, message, wParam, lParam, pResult)) return TRUE;
      if (message == WM_HSCROLL)
        OnHScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(bar));
      else
        OnVScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(bar));
      voidResult();
      return TRUE;
    }
    case WM_CONTEXTMENU: OnContextMenu(FromHandle(reinterpret_cast<HWND>(wParam)), point); voidResult(); return TRUE;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); voidResult(); return TRUE;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
      voidResult();
      return TRUE;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      voidResult();
      return TRUE;
    case WM_ENTERIDLE:
      OnEnterIdle(static_cast<UINT>(wParam), FromHandle(reinterpret_cast<HWND>(lParam)));
      voidResult();
      return TRUE;
    case WM_SYSCOMMAND: OnSysCommand(static_cast<UINT>(wParam), lParam); voidResult(); return TRUE;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
      if (item->CtlType != ODT_MENU && ReflectToChild(item->hwndItem, message, wParam, lParam, pResult)) {
        *pResult = TRUE;
        return TRUE;
      }
      OnDrawItem(static_cast<int>(wParam), item);
      *pResult = TRUE;
      return TRUE;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
      if (item->CtlType != ODT_MENU && wParam &&
          ReflectToChild(::GetDlgItem(m_hWnd, static_cast<int>(wParam)), message, wParam, lParam, pResult)) {
        *pResult = TRUE;
        return TRUE;
      }
      OnMeasureItem(static_cast<int>(wParam), item);
      *pResult = TRUE;
      return TRUE;
    }
    case WM_COMPAREITEM:
    case WM_DELETEITEM: {
      // Only the control's own object knows its items.
      HWND control = message == WM_COMPAREITEM ? reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem
                                               : reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
      return ReflectToChild(control, message, wParam, lParam, pResult);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HWND control = reinterpret_cast<HWND>(lParam);
      if (control != m_hWnd && ReflectToChild(control, message, wParam, lParam, pResult)) return TRUE;
      *pResult = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                      FromHandle(control), message - WM_CTLCOLORMSGBOX));
      return TRUE;
    }
    case WM_NCHITTEST: *pResult = OnNcHitTest(point); return TRUE;
    case WM_NCCALCSIZE:
      OnNcCalcSize(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
      voidResult();
      return TRUE;
    case WM_NCPAINT: OnNcPaint(); voidResult(); return TRUE;
    case WM_NCLBUTTONDOWN: OnNcLButtonDown(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_NCLBUTTONDBLCLK: OnNcLButtonDblClk(static_cast<UINT>(wParam), point); voidResult(); return TRUE;
    case WM_QUERYDRAGICON: *pResult = reinterpret_cast<LRESULT>(OnQueryDragIcon()); return TRUE;
    case WM_QUERYNEWPALETTE: *pResult = OnQueryNewPalette(); return TRUE;
    case WM_PALETTECHANGED: OnPaletteChanged(FromHandle(reinterpret_cast<HWND>(wParam))); voidResult(); return TRUE;
    default: return FALSE;
  }
}

// ---------------------------------------------------------------------------------
// Commands and notifications

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (!hWndCtrl) {
    // A menu item or accelerator whose update handler disables the command by now does
    // nothing (the accelerator table does not know about update handlers).
    if (nCode == 0 || nCode == 1) {
      CTestCmdUI state(nID);
      OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
      if (!state.m_bEnabled) return TRUE;
    }
    nCode = CN_COMMAND;
  } else if (hWndCtrl != m_hWnd && ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr)) {
    return TRUE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->hwndFrom && header->hwndFrom != m_hWnd &&
      ReflectToChild(header->hwndFrom, WM_NOTIFY, header->idFrom, lParam, pResult))
    return TRUE;
  AFX_NOTIFY notify{pResult, header};
  return OnCmdMsg(static_cast<UINT>(header->idFrom), NotifyCode(header->code), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  UINT code;
  if (message == WM_COMMAND)
    code = HIWORD(wParam);
  else if (message == WM_NOTIFY)
    code = reinterpret_cast<NMHDR*>(lParam)->code;
  else
    return FALSE;
  for (auto it = m_reflectHandlers.rbegin(); it != m_reflectHandlers.rend(); ++it) {
    if (it->message == message && it->code == code) {
      LRESULT ignored = 0;
      auto handler = it->handler;
      handler(lParam, pResult ? pResult : &ignored);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

// ---------------------------------------------------------------------------------
// Events of hosted controls

BOOL CWnd::OnControlEvent(UINT nCtrlID, DISPID dispid, DISPPARAMS* pParams) {
  for (auto it = m_eventHandlers.rbegin(); it != m_eventHandlers.rend(); ++it) {
    if (it->nCtrlID == nCtrlID && it->dispid == dispid) {
      auto handler = it->handler;  // the handler may map or destroy
      handler(pParams);
      return TRUE;
    }
  }
  return FALSE;
}

namespace {

// The event's argument index converted to vt; VT_EMPTY when missing or not convertible.
// The arguments arrive last first.
void EventArgument(const DISPPARAMS* pParams, UINT index, VARTYPE vt, VARIANT* pOut) {
  ::VariantInit(pOut);
  if (!pParams || index >= pParams->cArgs) return;
  VARIANTARG& source = pParams->rgvarg[pParams->cArgs - 1 - index];
  if (FAILED(::VariantChangeType(pOut, &source, 0, vt))) ::VariantInit(pOut);
}

}  // namespace

template <>
short AfxEventArg<short>(const DISPPARAMS* pParams, UINT index) {
  VARIANT v;
  EventArgument(pParams, index, VT_I2, &v);
  return v.vt == VT_I2 ? v.iVal : 0;
}

template <>
long AfxEventArg<long>(const DISPPARAMS* pParams, UINT index) {
  VARIANT v;
  EventArgument(pParams, index, VT_I4, &v);
  return v.vt == VT_I4 ? v.lVal : 0;
}

template <>
int AfxEventArg<int>(const DISPPARAMS* pParams, UINT index) {
  return static_cast<int>(AfxEventArg<long>(pParams, index));
}

template <>
bool AfxEventArg<bool>(const DISPPARAMS* pParams, UINT index) {
  VARIANT v;
  EventArgument(pParams, index, VT_BOOL, &v);
  return v.vt == VT_BOOL && v.boolVal != VARIANT_FALSE;
}

template <>
CString AfxEventArg<CString>(const DISPPARAMS* pParams, UINT index) {
  VARIANT v;
  EventArgument(pParams, index, VT_BSTR, &v);
  if (v.vt != VT_BSTR) return CString();
  CString text(codepage::FromWide(v.bstrVal, v.bstrVal ? ::SysStringLen(v.bstrVal) : 0).c_str());
  ::VariantClear(&v);
  return text;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------
// Default handlers: the message goes on to the window's own procedure.

int CWnd::OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnHScroll(UINT, UINT, CWnd*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
BOOL CWnd::OnQueryNewPalette() { return static_cast<BOOL>(Default()); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType == ODT_MENU) {
    if (CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem))) {
      menu->DrawItem(lpDrawItemStruct);
      return;
    }
  }
  Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct->CtlType == ODT_MENU) {
    // The message does not name the menu: look in the pop-up being tracked, then in
    // this window's menu bar, for an owner-drawing menu that holds the item.
    HMENU tracking = AfxGetThreadState().m_hTrackingMenu;
    CMenu* menu = CMenu::FindPopupMenuFromID(tracking ? tracking : ::GetMenu(m_hWnd), lpMeasureItemStruct->itemID);
    if (menu) {
      menu->MeasureItem(lpMeasureItemStruct);
      return;
    }
  }
  Default();
}

void CWnd::OnNcDestroy() {
  // The main window of a thread ends that thread's message loop.
  CWinThread* thread = AfxGetThread();
  if (thread && thread->m_pMainWnd == this) {
    ::PostQuitMessage(0);
    thread->m_pMainWnd = nullptr;
  }
  CWinApp* app = AfxGetApp();
  if (app && app != thread && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
  Default();
  Detach();
  PostNcDestroy();
}
