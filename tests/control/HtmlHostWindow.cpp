#include "tests/control/HtmlHostWindow.h"

#include <mshtml.h>
#include <oleacc.h>

#include "tests/control/FakeHtmlDocument.h"

namespace {

const wchar_t kPageClass[] = L"TamrixTestPage";

void RegisterPageClass(WNDPROC procedure) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = procedure;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kPageClass;
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  registered = ::RegisterClassW(&wc) != 0;
}

}  // namespace

HtmlHostWindow::HtmlHostWindow(const wchar_t* url, Answer answer) : m_url(url ? url : L""), m_answer(answer) {
  RegisterPageClass(&PageProc);
  m_page = ::CreateWindowExW(0, kPageClass, L"page", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), this);
  m_container = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 320, 240, m_page,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::ShowWindow(m_page, SW_SHOWNOACTIVATE);
}

HtmlHostWindow::~HtmlHostWindow() {
  if (m_page) ::DestroyWindow(m_page);
}

LRESULT CALLBACK HtmlHostWindow::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT getObject = ::RegisterWindowMessageW(L"WM_HTML_GETOBJECT");
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HtmlHostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == getObject && self) {
    ++self->m_asked;
    if (self->m_answer == Answer::noObject) return 0;
    IUnknown* document = CreateFakeHtmlDocument(self->m_answer == Answer::nullUrl ? nullptr : self->m_url.c_str());
    const LRESULT result = ::LresultFromObject(IID_IHTMLDocument2, wParam, document);
    document->Release();
    return result;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}
