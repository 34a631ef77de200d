#include "framework/ui/HtmlHelp.h"

#include <htmlhelp.h>

#include "framework/ui/ModalSink.h"

HWND AfxHtmlHelp(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData) {
  ModalCall call;
  call.kind = ModalCall::htmlHelp;
  call.id = uCommand;
  call.text = pszFile;
  call.data = dwData;
  call.show = [&] { return reinterpret_cast<INT_PTR>(::HtmlHelpA(hwndCaller, pszFile, uCommand, dwData)); };
  return reinterpret_cast<HWND>(AfxRunModal(call));
}
