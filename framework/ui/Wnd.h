// CWnd: a C++ object bound to one window. The binding is made when the window is
// created (a creation hook catches it before its first message) or by Attach /
// SubclassWindow, and every message then goes to WindowProc, which cracks the common
// ones into the typed virtual OnXxx handlers below; a handler that is not overridden
// passes the message on (Default). Messages without a handler of their own can be
// mapped with MapMessage. WM_COMMAND and WM_NOTIFY from a child are offered to the
// child's own object first (OnChildNotify), then routed as commands (OnCmdMsg).
#pragma once

#include <ole2.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "framework/core/Rect.h"
#include "framework/core/String.h"
#include "framework/ui/CmdTarget.h"

class CDC;
class CFont;
class CFrameWnd;
class CMenu;

// One argument of CWnd::InvokeHelper, typed by the C++ value it is made from: short is
// VT_I2, int and long VT_I4, bool VT_BOOL, narrow text (code page 936) VT_BSTR.
struct CInvokeArg {
  CInvokeArg(short value) : vt(VT_I2), number(value) {}
  CInvokeArg(int value) : vt(VT_I4), number(value) {}
  CInvokeArg(long value) : vt(VT_I4), number(value) {}
  CInvokeArg(bool value) : vt(VT_BOOL), number(value ? 1 : 0) {}
  CInvokeArg(LPCSTR value) : vt(VT_BSTR), text(value ? value : "") {}
  CInvokeArg(const CString& value) : vt(VT_BSTR), text(value) {}

  VARTYPE vt;
  long number = 0;
  LPCSTR text = nullptr;
};

// The container's side of the ActiveX control a window was created as (CreateControl;
// COleControlSite in framework/ole). The window object owns it and moves and closes the
// control through it.
class CWndControlSite {
 public:
  virtual ~CWndControlSite() = default;
  // Places the control at rect, in its parent's client coordinates.
  virtual void MoveControl(const RECT& rect) = 0;
  // Deactivates, closes and releases the control; its window goes with it.
  virtual void CloseControl() = 0;
};

// The value of argument index (in the order the event declares them) of an event's
// parameters, converted to A; A's zero when missing or not convertible.
template <class A>
A AfxEventArg(const DISPPARAMS* pParams, UINT index);
template <>
short AfxEventArg<short>(const DISPPARAMS* pParams, UINT index);
template <>
int AfxEventArg<int>(const DISPPARAMS* pParams, UINT index);
template <>
long AfxEventArg<long>(const DISPPARAMS* pParams, UINT index);
template <>
bool AfxEventArg<bool>(const DISPPARAMS* pParams, UINT index);
template <>
CString AfxEventArg<CString>(const DISPPARAMS* pParams, UINT index);

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)

 public:
  CWnd();
  // Destroys the window if the object still owns one.
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }
  // The places in the z-order SetWindowPos takes: &CWnd::wndTopMost and so on.
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;
  HWND GetSafeHwnd() const { return m_hWnd; }
  bool operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }
  bool operator!=(const CWnd& other) const { return m_hWnd != other.m_hWnd; }

  // --- Creation and binding ---
  virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x,
                        int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                        LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  // May change the creation parameters; FALSE cancels the creation.
  virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
  virtual BOOL DestroyWindow();
  // Called after the window's last message; frames and views delete themselves here.
  virtual void PostNcDestroy();

  // Binds without routing the window's messages here (no subclassing).
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  // Binds and routes the window's messages through this object.
  BOOL SubclassWindow(HWND hWnd);
  // Called when an existing window is about to be routed here (controls of a dialog
  // template miss the messages of their creation, such as WM_MEASUREITEM).
  virtual void PreSubclassWindow() {}
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // The object bound to hWnd, or a temporary one (valid until the next idle time).
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);
  static void DeleteTempMap();
  void ForgetTemporaryHandle() { m_hWnd = nullptr; }

  // --- Messages ---
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                BOOL bOnlyPerm = FALSE);
  // Passes the message being handled on to the window's original procedure.
  LRESULT Default();
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Dispatches to the handlers; FALSE when nothing here took the message.
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Translates a message before it is dispatched; TRUE when it was used up.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Offers pMsg to the objects of its window and that window's parents up to hWndStop.
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  // A message a parent received from this control (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
  // WM_CTLCOLOR..., scrolling); TRUE when the control handled it.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL IsFrameWnd() const { return FALSE; }

  // --- Painting ---
  void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
  void InvalidateRgn(HRGN hRgn, BOOL bErase = TRUE) { ::InvalidateRgn(m_hWnd, hRgn, bErase); }
  void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hRgn = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hRgn, flags);
  }
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
  void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw); }
  BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
  static void UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
  // Temporary DC objects; give them back with ReleaseDC.
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);

  // --- Mouse, keyboard and focus ---
  CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
  static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
  CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
  static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
  static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
  static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
  static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
  static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
  static CWnd* FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName) {
    return FromHandle(::FindWindowA(lpszClassName, lpszWindowName));
  }
  CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }

  // --- Geometry and style ---
  void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
  void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
  void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
  }
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
  }
  // A control window is moved through its control, which places its window itself.
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
  }
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
  // nFlags, when given, are SetWindowPos flags applied after the change (with
  // SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE).
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) {
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
  }
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) {
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
  }
  static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

  // --- Family ---
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr)); }
  CWnd* GetTopLevelParent() const;
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }
  // The nearest frame window above this one (bDirectParent: only the direct parent).
  CFrameWnd* GetParentFrame() const;
  CFrameWnd* GetTopLevelFrame() const;
  CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
  BOOL IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd); }
  CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
  // The window that should own a modal window started from this one.
  static HWND GetSafeOwner(CWnd* pParent);

  // --- Text, fonts, icons ---
  void SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString ? lpszString : ""); }
  int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
  }
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  HICON SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
  }

  // --- Dialog items ---
  CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  int SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID)); }
  void SetDlgItemText(int nID, LPCSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
  }
  void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
  UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
  }
  // Updates the state of this window's child controls through pTarget's route.
  void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

  // --- Hosted ActiveX controls (framework/ole) ---
  // Creates the control of class clsid in process as a child of pParentWnd at rect,
  // activates it in place and binds its window to this object (so that moving,
  // showing, destroying and the pre-translate walk reach it). Its events go to the
  // handlers this object and then its parent map for nID (MapEvent). FALSE, with
  // nothing left behind, when the class is not registered or a step fails.
  BOOL CreateControl(REFCLSID clsid, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID);
  // Calls the control's dispatch member dwDispID: wFlags is DISPATCH_METHOD,
  // DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT; the result, converted to vtRet
  // (VT_EMPTY: none; VT_I2: short; VT_I4: long; VT_BOOL: BOOL; VT_BSTR: CString), is
  // stored at pvRet. The control's failure is returned, pvRet left alone.
  HRESULT InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                       std::initializer_list<CInvokeArg> args = {});
  CWndControlSite* GetControlSite() const { return m_pCtrlSite.get(); }
  // An event of the control with id nCtrlID (this window's own or a child's): runs the
  // handler MapEvent gave it; FALSE when there is none.
  virtual BOOL OnControlEvent(UINT nCtrlID, DISPID dispid, DISPPARAMS* pParams);

  // --- Timers, menus, scrolling ---
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
  }
  BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* pMenu);
  void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
  CMenu* GetSystemMenu(BOOL bRevert) const;
  int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
  }
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
  }
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE) {
    return ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
  }
  int GetScrollLimit(int nBar) const;
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr) {
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
  }

 protected:
  // --- Typed message handlers. Each passes the message on unless overridden. ---
  virtual int OnCreate(LPCREATESTRUCTA lpCreateStruct);
  virtual void OnDestroy();
  // Ends the binding; the main window also ends its thread's message loop. Overrides
  // must call this.
  virtual void OnNcDestroy();
  virtual void OnClose();
  virtual void OnPaint();
  virtual BOOL OnEraseBkgnd(CDC* pDC);
  virtual void OnSize(UINT nType, int cx, int cy);
  virtual void OnMove(int x, int y);
  virtual void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  virtual void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  virtual void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  virtual void OnShowWindow(BOOL bShow, UINT nStatus);
  virtual void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  virtual int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  virtual void OnTimer(UINT_PTR nIDEvent);
  virtual void OnLButtonDown(UINT nFlags, CPoint point);
  virtual void OnLButtonUp(UINT nFlags, CPoint point);
  virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
  virtual void OnRButtonDown(UINT nFlags, CPoint point);
  virtual void OnRButtonUp(UINT nFlags, CPoint point);
  virtual void OnRButtonDblClk(UINT nFlags, CPoint point);
  virtual void OnMButtonDown(UINT nFlags, CPoint point);
  virtual void OnMButtonUp(UINT nFlags, CPoint point);
  virtual void OnMouseMove(UINT nFlags, CPoint point);
  virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual UINT OnGetDlgCode();
  virtual void OnSetFocus(CWnd* pOldWnd);
  virtual void OnKillFocus(CWnd* pNewWnd);
  virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  virtual void OnCaptureChanged(CWnd* pWnd);
  virtual void OnCancelMode();
  // pScrollBar is the scroll bar control, or null for the window's own bars.
  virtual void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  virtual void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  virtual void OnContextMenu(CWnd* pWnd, CPoint pos);
  virtual void OnDropFiles(HDROP hDropInfo);
  virtual void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  virtual void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  virtual void OnEnterIdle(UINT nWhy, CWnd* pWho);
  virtual void OnSysCommand(UINT nID, LPARAM lParam);
  virtual void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  virtual LRESULT OnNcHitTest(CPoint point);
  virtual void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  virtual void OnNcPaint();
  virtual void OnNcLButtonDown(UINT nHitTest, CPoint point);
  virtual void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  virtual HCURSOR OnQueryDragIcon();
  virtual BOOL OnQueryNewPalette();
  virtual void OnPaletteChanged(CWnd* pFocusWnd);

  // Routes messages without a typed handler (registered or WM_USER-based ones) to a
  // member: MapMessage(WM_MYMSG, &CMyWnd::OnMyMsg).
  template <class T>
  void MapMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    m_messageHandlers.push_back(
        {message, [this, handler](WPARAM w, LPARAM l) { return (static_cast<T*>(this)->*handler)(w, l); }});
  }
  // Handles a WM_COMMAND notification this control sends its parent, in the control's
  // own object: MapReflectedControl(BN_CLICKED, &CMyButton::OnClicked).
  template <class T>
  void MapReflectedControl(UINT notifyCode, void (T::*handler)()) {
    m_reflectHandlers.push_back({WM_COMMAND, notifyCode, [this, handler](LPARAM, LRESULT*) {
                                   (static_cast<T*>(this)->*handler)();
                                 }});
  }
  template <class T>
  void MapReflectedNotify(UINT code, void (T::*handler)(NMHDR*, LRESULT*)) {
    m_reflectHandlers.push_back({WM_NOTIFY, code, [this, handler](LPARAM l, LRESULT* result) {
                                   (static_cast<T*>(this)->*handler)(reinterpret_cast<NMHDR*>(l), result);
                                 }});
  }

  // Routes the event dispid of the control nCtrlID to a member whose parameters (short,
  // int, long, bool, CString) take the event's arguments in order:
  // MapEvent(2003, 1013, &CMyWnd::OnStateChange).
  template <class T, class... Args>
  void MapEvent(UINT nCtrlID, DISPID dispid, void (T::*handler)(Args...)) {
    m_eventHandlers.push_back({nCtrlID, dispid, [this, handler](DISPPARAMS* pParams) {
                                 CallEventHandler(static_cast<T*>(this), handler, pParams,
                                                  std::index_sequence_for<Args...>());
                               }});
  }

  // The original window procedure Default passes messages to.
  WNDPROC m_pfnSuper = nullptr;
  HWND m_hWndOwner = nullptr;

 private:
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
  friend void AfxBindCreatingWindow(CWnd*, HWND);

  explicit CWnd(HWND hWndInsertAfter) { m_hWnd = hWndInsertAfter; }

  struct MessageHandler {
    UINT message;
    std::function<LRESULT(WPARAM, LPARAM)> handler;
  };
  struct ReflectHandler {
    UINT message;  // WM_COMMAND or WM_NOTIFY
    UINT code;
    std::function<void(LPARAM, LRESULT*)> handler;
  };

  struct EventHandler {
    UINT nCtrlID;
    DISPID dispid;
    std::function<void(DISPPARAMS*)> handler;
  };
  template <class T, class... Args, size_t... I>
  static void CallEventHandler(T* pTarget, void (T::*handler)(Args...), DISPPARAMS* pParams,
                               std::index_sequence<I...>) {
    (void)pParams;  // unused by handlers without parameters
    (pTarget->*handler)(AfxEventArg<std::decay_t<Args>>(pParams, static_cast<UINT>(I))...);
  }

  BOOL DispatchTyped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  static BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

  std::vector<MessageHandler> m_messageHandlers;
  std::vector<ReflectHandler> m_reflectHandlers;
  std::vector<EventHandler> m_eventHandlers;
  std::unique_ptr<CWndControlSite> m_pCtrlSite;
};

// Runs pWnd's WindowProc for one message as the window procedure would.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The window procedure of every bound window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Binds the next window this thread creates to pWnd (until AfxUnhookWindowCreate).
void AfxHookWindowCreate(CWnd* pWnd);
// Ends the binding of AfxHookWindowCreate; FALSE when no window was bound.
BOOL AfxUnhookWindowCreate();

// A window class with these attributes, registered once; the name stays valid.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
