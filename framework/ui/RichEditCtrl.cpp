#include "framework/ui/RichEditCtrl.h"

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(RICHEDIT_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL AfxInitRichEdit2() {
  // Kept loaded: windows of its classes may live until the process ends.
  static const HMODULE library = ::LoadLibraryA("riched20.dll");
  return library != nullptr;
}
