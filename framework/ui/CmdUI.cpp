#include "framework/ui/CmdUI.h"

#include "framework/ui/CmdTarget.h"
#include "framework/ui/Menu.h"
#include "framework/ui/Wnd.h"

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu) {
    if (m_pSubMenu) return;  // a pop-up's own item is left as it is
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther) {
    // A focused control that becomes disabled would strand the keyboard: move on first.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND parent = ::GetParent(m_pOther->m_hWnd);
      if (parent) ::SendMessageA(parent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu) {
    if (m_pSubMenu) return;
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) {
    m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu) {
    if (m_pSubMenu) return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    if (!::GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info)) return;
    info.fType |= MFT_RADIOCHECK;
    info.fState = bOn ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
    ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
  } else {
    SetCheck(bOn ? 1 : 0);
  }
}

void CCmdUI::SetText(const char* lpszText) {
  if (m_pMenu) {
    if (m_pSubMenu) return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(lpszText ? lpszText : "");
    ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
  } else if (m_pOther) {
    m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators and pop-ups
  m_bEnableChanged = FALSE;
  BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info;
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return handled;
}
