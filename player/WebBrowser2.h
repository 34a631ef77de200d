// CWebBrowser2: the system's web browser control in a window of the player, made and
// driven through the framework's control container.
#pragma once

#include "framework/ui/Wnd.h"

class CWebBrowser2 : public CWnd {
  DECLARE_DYNCREATE(CWebBrowser2)

 public:
  // {8856F961-340A-11D0-A96B-00C04FD705A2}
  static const CLSID kClassId;
  static constexpr DISPID kNavigateDispatchId = 104;

  // The control as a child of pParentWnd at rect; FALSE, with nothing left behind, when
  // the control cannot be made.
  BOOL Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // Shows the document or address given; the flags, target frame, post data and headers
  // are left out.
  HRESULT Navigate(LPCSTR URL);
};
