// CToolTipCtrl: a window object for the tooltip control. Its owner relays the mouse
// messages to it (RelayEvent) from PreTranslateMessage.
#pragma once

#include "framework/ui/CommonControls.h"
#include "framework/ui/Wnd.h"

class CToolTipCtrl : public CWnd {
 public:
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0) {
    AfxInitCommonControls(ICC_WIN95_CLASSES);
    m_hWndOwnerOfTips = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | dwStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWndOwnerOfTips, nullptr);
  }
  // A rectangle of pWnd's client area that shows lpszText.
  BOOL AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = pWnd->m_hWnd;
    info.uId = nIDTool;
    if (lpRectTool) info.rect = *lpRectTool;
    info.lpszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
  }
  int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
  void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }

 private:
  HWND m_hWndOwnerOfTips = nullptr;
};
