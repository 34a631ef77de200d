#include "framework/ui/FrameWnd.h"

#include <algorithm>
#include <shellapi.h>

#include "framework/core/Codepage.h"
#include "framework/core/Module.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/ControlBar.h"
#include "framework/ui/DocTemplate.h"
#include "framework/ui/Document.h"
#include "framework/ui/Menu.h"
#include "framework/ui/MiniDockFrameWnd.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() {
  MapMessage(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI);
  MapCommandEx(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck);
  MapCommandEx(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck);
  MapUpdateCommandUI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu);
  MapUpdateCommandUI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu);
}

CFrameWnd::~CFrameWnd() {
  for (CControlBar* bar : m_bars) bar->m_pDockSite = nullptr;
}

// ---------------------------------------------------------------------------------
// Creation

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
  // The frame paints only what its bars and view leave uncovered.
  cs.style |= WS_CLIPCHILDREN;
  return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU menu = lpszMenuName ? ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName) : nullptr;
  if (lpszMenuName && !menu) return FALSE;
  m_strTitle = lpszWindowName;
  m_hMenuDefault = menu;
  const bool useDefault = rect.left == CW_USEDEFAULT && rect.right == 0;
  const HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  BOOL created;
  if (useDefault) {
    created = CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, parent, menu, pContext);
  } else {
    created = CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                       rect.right - rect.left, rect.bottom - rect.top, parent, menu, pContext);
  }
  // A failed frame may be deleted by now: only locals from here on.
  if (!created && menu && ::IsMenu(menu)) ::DestroyMenu(menu);
  return created;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString title;
  title.LoadString(nIDResource);
  const int newline = title.Find('\n');
  if (newline >= 0) title = title.Left(newline);

  HINSTANCE resources = AfxGetResourceHandle();
  HICON icon = ::LoadIconA(resources, MAKEINTRESOURCEA(nIDResource));
  LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
  HMENU menu = ::LoadMenuA(resources, MAKEINTRESOURCEA(nIDResource));
  HACCEL accelerators = ::LoadAcceleratorsA(resources, MAKEINTRESOURCEA(nIDResource));
  m_hMenuDefault = menu;
  m_hAccelTable = accelerators;
  m_strTitle = title;
  const HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  if (!CreateEx(0, className, title, dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                parent, menu, pContext)) {
    if (menu && ::IsMenu(menu)) ::DestroyMenu(menu);  // the frame object may be gone
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(UINT nIDResource) {
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
  return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
  if (!OnCreateClient(lpCreateStruct, context)) return -1;
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext) {
  if (pContext && pContext->m_pNewViewClass) return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  CObject* object = pContext->m_pNewViewClass->CreateObject();
  if (!object) return nullptr;
  if (!object->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete object;
    return nullptr;
  }
  auto* view = static_cast<CWnd*>(object);
  // A failed view has deleted itself (PostNcDestroy).
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext))
    return nullptr;
  return view;
}

void CFrameWnd::OnDestroy() {
  // The menu LoadFrame made goes with the window, whatever menu is shown now.
  if (m_hMenuDefault && ::IsMenu(m_hMenuDefault) && ::GetMenu(m_hWnd) != m_hMenuDefault)
    ::SetMenu(m_hWnd, m_hMenuDefault);
  // Tables from resources are shared by every frame that loaded them and freed with the
  // module, so the handle is only let go of.
  m_hAccelTable = nullptr;
  CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() { delete this; }

// ---------------------------------------------------------------------------------
// Views, documents, title

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* old = m_pViewActive;
  if (old == pViewNew) return;
  m_pViewActive = nullptr;
  if (bNotify && old) old->OnActivateView(FALSE, pViewNew, old);
  m_pViewActive = pViewNew;
  if (bNotify && pViewNew) pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  CView* view = nullptr;
  if (!GetActiveView()) {
    CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
      view = static_cast<CView*>(pane);
      SetActiveView(view, FALSE);
    }
  }
  if (bMakeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    int cmdShow = -1;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
      cmdShow = app->m_nCmdShow;
      app->m_nCmdShow = -1;  // only the first showing follows the command line
    }
    ActivateFrame(cmdShow);
    if (view) view->OnActivateView(TRUE, view, view);
  }
  if (pDoc) pDoc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!IsWindowVisible())
      nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic())
      nCmdShow = SW_RESTORE;
  }
  if (nCmdShow != -1) ShowWindow(nCmdShow);
  if (nCmdShow != SW_HIDE && !(GetStyle() & WS_CHILD)) BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!m_hWnd || !(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* doc = GetActiveDocument();
  CString title = m_strTitle;
  if (bAddToTitle && doc && !doc->GetTitle().IsEmpty()) {
    if (GetStyle() & FWS_PREFIXTITLE)
      title = doc->GetTitle() + (m_strTitle.IsEmpty() ? CString() : " - " + m_strTitle);
    else
      title = m_strTitle + " - " + doc->GetTitle();
  }
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}

void CFrameWnd::OnClose() {
  const HWND hWnd = m_hWnd;
  CDocument* doc = GetActiveDocument();
  if (doc && !doc->CanCloseFrame(this)) return;
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    if (!doc && !app->SaveAllModified()) return;
    // Closing the documents destroys their frames, this one among them.
    app->CloseAllDocuments(FALSE);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this) return;
    doc = GetActiveDocument();
  }
  if (doc && doc->m_bAutoDelete) {
    bool otherFrame = false;
    for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
      CView* view = doc->GetNextView(pos);
      if (view->GetParentFrame() != this) otherFrame = true;
    }
    if (!otherFrame) {
      doc->OnCloseDocument();  // destroys this frame
      return;
    }
    doc->PreCloseFrame(this);
  }
  DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive && m_pViewActive->m_hWnd)
    m_pViewActive->SetFocus();
  else if (HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
    ::SetFocus(pane);  // a window in the view's place (a print preview)
  else
    CWnd::OnSetFocus(pOldWnd);
}


void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
  const UINT count = ::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0);
  CWinApp* app = AfxGetApp();
  for (UINT i = 0; i < count && app; ++i) {
    char name[MAX_PATH];
    if (::DragQueryFileA(hDropInfo, i, name, MAX_PATH)) app->OpenDocumentFile(name);
  }
  ::DragFinish(hDropInfo);
}

// ---------------------------------------------------------------------------------
// Messages and commands

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable &&
      ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
    return TRUE;
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The view (and through it the document) first, then the frame, then the application.
  if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CWnd::OnNotify(wParam, lParam, pResult)) return TRUE;
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) return OnToolTipText(header, pResult);
  return FALSE;
}

BOOL CFrameWnd::OnToolTipText(NMHDR* pNMHDR, LRESULT* pResult) {
  UINT id = static_cast<UINT>(pNMHDR->idFrom);
  const bool ansi = pNMHDR->code == TTN_GETDISPINFOA;
  const UINT flags = ansi ? reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags
                          : reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags;
  if (flags & TTF_IDISHWND) id = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)));
  // A command's string is "status prompt\ntip".
  CString text;
  if (id && text.LoadString(id)) {
    const int newline = text.Find('\n');
    if (newline >= 0) text = text.Mid(newline + 1);
  }
  if (ansi) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    lstrcpynA(info->szText, text, sizeof info->szText);
    info->lpszText = info->szText;
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    const std::wstring wide = codepage::ToWide(text.str());
    lstrcpynW(info->szText, wide.c_str(), sizeof info->szText / sizeof info->szText[0]);
    info->lpszText = info->szText;
  }
  *pResult = 0;
  return TRUE;
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
  if (bSysMenu || !pPopupMenu) return;
  CCmdUI state;
  state.m_pMenu = pPopupMenu;
  state.m_nIndexMax = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0) continue;  // separator
    if (state.m_nID == static_cast<UINT>(-1)) {
      // A pop-up: asked about under the id of its first item; never disabled for want
      // of a handler.
      state.m_pSubMenu = pPopupMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
      if (!state.m_pSubMenu) continue;
      state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
      if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
      state.DoUpdate(this, FALSE);
    } else {
      state.m_pSubMenu = nullptr;
      state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    }
    // Handlers may have added or removed items (the recent-file list does).
    const UINT count = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
    if (count < state.m_nIndexMax) {
      state.m_nIndex -= state.m_nIndexMax - count;
      while (state.m_nIndex < count &&
             pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
        state.m_nIndex++;
    }
    state.m_nIndexMax = count;
  }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  if (nFlags == 0xFFFF && !hSysMenu)
    SetMessageText(AFX_IDS_IDLEMESSAGE);  // the menu closed
  else if (!(nFlags & (MF_POPUP | MF_SEPARATOR)) && nItemID != 0)
    SetMessageText(nItemID);
  CWnd::OnMenuSelect(nItemID, nFlags, hSysMenu);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText) {
  if (CWnd* bar = GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE)) bar->SetWindowText(lpszText);
}

void CFrameWnd::SetMessageText(UINT nID) {
  CString text;
  if (nID && text.LoadString(nID)) {
    const int newline = text.Find('\n');
    if (newline >= 0) text = text.Left(newline);
  }
  SetMessageText(text);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_bLayoutPending) RecalcLayout();
  // Floating bars are not this window's descendants: they are updated from here.
  std::vector<HWND> floating;
  for (CControlBar* bar : m_bars)
    if (bar->IsFloating() && bar->m_hWnd) floating.push_back(bar->m_hWnd);
  for (HWND bar : floating) {
    if (!::IsWindow(bar)) continue;
    ::SendMessageA(bar, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (CWnd* wnd = CWnd::FromHandlePermanent(bar)) wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  }
  OnUpdateFrameTitle(TRUE);
  return 0;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

// ---------------------------------------------------------------------------------
// Bars and docking

void CFrameWnd::AddControlBar(CControlBar* pBar) {
  if (std::find(m_bars.begin(), m_bars.end(), pBar) == m_bars.end()) m_bars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  m_dockLayout.Remove(pBar);
  pBar->m_nDockBarID = 0;
  m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), pBar), m_bars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const {
  for (CControlBar* bar : m_bars) {
    if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == nID) return bar;
  }
  return nullptr;
}

CRect CFrameWnd::GetDockAreaRect(UINT nDockBarID) const { return m_dockLayout.AreaRect(nDockBarID); }

void CFrameWnd::EnableDocking(DWORD dwDockStyle) { m_dockLayout.Enable(dwDockStyle); }

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  const UINT area = m_dockLayout.ChooseArea(nDockBarID, pBar->m_dwDockStyle);
  if (!area) return;
  AddControlBar(pBar);
  if (pBar->IsFloating()) {
    // Back from its small frame, which goes.
    CWnd* floating = pBar->GetParent();
    if (pBar->m_pDockContext && floating) {
      CRect r;
      floating->GetWindowRect(&r);
      pBar->m_pDockContext->m_ptMRUFloatPos = r.TopLeft();
      pBar->m_pDockContext->m_bHasMRUFloatPos = TRUE;
    }
    pBar->SetParent(this);
    pBar->m_dwStyle &= ~CBRS_FLOATING;
    pBar->m_nDockBarID = 0;
    if (floating) floating->DestroyWindow();
  }
  if (lpRect && m_hWnd) {
    CPoint corner(lpRect->left, lpRect->top);
    ScreenToClient(&corner);
    m_dockLayout.Dock(pBar, area, &corner, m_hWnd);
  } else {
    m_dockLayout.Dock(pBar, area, nullptr, m_hWnd);
  }
  pBar->m_nDockBarID = area;
  pBar->m_pDockSite = this;
  pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | m_dockLayout.AreaAlignment(area);
  // Its orientation may have changed, and with it the bar's edges.
  if (pBar->m_hWnd)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (m_hWnd) RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point) {
  if (!m_hWnd || !pBar->m_hWnd) return;
  AddControlBar(pBar);
  if (pBar->IsFloating()) {
    pBar->GetParent()->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  auto* floating = new CMiniDockFrameWnd(pBar);
  if (!floating->Create(this, point)) return;  // the failed window deleted it
  if (pBar->m_pDockContext && pBar->m_nDockBarID) pBar->m_pDockContext->m_uMRUDockID = pBar->m_nDockBarID;
  m_dockLayout.Remove(pBar);
  pBar->m_pDockSite = this;
  pBar->m_nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
  pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP | CBRS_FLOATING;
  pBar->SetParent(floating);
  pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  floating->RecalcLayout();
  if (pBar->IsVisible()) floating->ShowWindow(SW_SHOWNA);
  RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
  if (pBar->IsFloating())
    if (CWnd* floating = pBar->GetParent()) floating->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
  if (bDelay)
    DelayRecalcLayout();
  else
    RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  CControlBar* bar = GetControlBar(nID);
  if (!bar) return FALSE;
  ShowControlBar(bar, !bar->IsVisible(), FALSE);
  return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
  CControlBar* bar = GetControlBar(pCmdUI->m_nID);
  if (!bar) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->SetCheck(bar->IsVisible());
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout || !m_hWnd) return;
  m_bInRecalcLayout = TRUE;
  m_bLayoutPending = FALSE;
  CRect remaining;
  GetClientRect(&remaining);

  m_dockLayout.Layout(m_bars, remaining);
  if (HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
    ::SetWindowPos(pane, nullptr, remaining.left, remaining.top, std::max(remaining.Width(), 0),
                   std::max(remaining.Height(), 0), SWP_NOZORDER | SWP_NOACTIVATE);
  m_bInRecalcLayout = FALSE;
}
