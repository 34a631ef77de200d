#include "player/WebBrowser2.h"

IMPLEMENT_DYNCREATE(CWebBrowser2, CWnd)

const CLSID CWebBrowser2::kClassId = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

BOOL CWebBrowser2::Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(kClassId, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

HRESULT CWebBrowser2::Navigate(LPCSTR URL) {
  return InvokeHelper(kNavigateDispatchId, DISPATCH_METHOD, VT_EMPTY, nullptr, {URL});
}
