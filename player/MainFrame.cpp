#include "player/MainFrame.h"

#include "framework/ui/AfxRes.h"
#include "framework/ui/WinApp.h"
#include "resources/Mirabo.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

namespace {
// The caption and the overlapped window's system menu, sizing frame and boxes.
constexpr DWORD kStrippedStyles = WS_CAPTION | 0x00CF0000;
}  // namespace

CMainFrame::CMainFrame() {
  MapCommand(ID_FULL_SCREEN, &CMainFrame::ToggleFullScreen);
  MapCommand(ID_HELP_FINDER, &CMainFrame::OnHelpFinder);
  MapCommand(ID_HELP, &CMainFrame::OnHelp);
}

int CMainFrame::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  ModifyStyle(kStrippedStyles, 0, SWP_FRAMECHANGED);
  if (HMENU menu = ::GetMenu(m_hWnd)) {
    ::SetMenu(m_hWnd, nullptr);
    m_menu.Attach(menu);
    // The member owns it now; the frame must not put it back on the window to die.
    if (m_hMenuDefault == menu) m_hMenuDefault = nullptr;
  }
  return 0;
}

void CMainFrame::ToggleFullScreen() {
  const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
  if (!m_fullScreen) {
    const int cxBorder = ::GetSystemMetrics(SM_CXBORDER), cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    MoveWindow(-4 * cxBorder, -4 * cyBorder, cxScreen + 8 * cxBorder, cyScreen + 8 * cyBorder);
    m_fullScreen = TRUE;
  } else {
    MoveWindow(0, 0, cxScreen, cyScreen);
    m_fullScreen = FALSE;
  }
}

void CMainFrame::OnHelpFinder() {
  if (CWinApp* app = AfxGetApp()) app->WinHelp(0, HELP_FINDER);
}

void CMainFrame::OnHelp() {
  if (CWinApp* app = AfxGetApp()) app->WinHelp(0, HELP_CONTENTS);
}
