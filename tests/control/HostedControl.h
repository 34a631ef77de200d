// The control hosted as a program hosts it: Wine's ATL container ("AtlAxWin", made by
// the control's ProgID) inside a page window that answers for a fake HTML document of
// the given address. SRC is set through the control's dispatch interface, as a page's
// script sets it.
#pragma once

#include <gtest/gtest.h>

#include <ole2.h>

#include "control/MainDoc.h"
#include "control/MainView.h"
#include "control/RaveloCtrl.h"
#include "control/ThreadContextMap.h"
#include "framework/core/ComPtr.h"
#include "framework/ole/Bstr.h"
#include "model/DrawObj.h"
#include "tests/control/HtmlHostWindow.h"

// Wine's ATL with its container window class registered, once per process (a second
// AtlAxWinInit fails, the class being there already); null when it cannot be.
inline HMODULE AtlContainer() {
  static const HMODULE atl = [] {
    ::OleInitialize(nullptr);
    HMODULE module = ::LoadLibraryW(L"atl.dll");
    auto init = module ? reinterpret_cast<BOOL(WINAPI*)()>(
                             reinterpret_cast<void*>(::GetProcAddress(module, "AtlAxWinInit")))
                       : nullptr;
    return init && init() ? module : nullptr;
  }();
  return atl;
}

class HostedControl {
 public:
  explicit HostedControl(const wchar_t* hostAddress) : m_page(hostAddress) {
    HMODULE atl = AtlContainer();
    auto getControl = atl ? reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(
                                reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxGetControl")))
                          : nullptr;
    EXPECT_TRUE(getControl);
    EXPECT_TRUE(CRaveloCtrl::UpdateRegistry(TRUE));
    EXPECT_TRUE(CRaveloCtrl::Factory().Register());
    m_container = ::CreateWindowExW(0, L"AtlAxWin", L"TAMRIX.RaveloCtrl.1", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240,
                                    m_page.container(), nullptr, nullptr, nullptr);
    control = GetThreadContextMap().GetControl();
    ComPtr<IUnknown> unknown;
    if (m_container && getControl && SUCCEEDED(getControl(m_container, unknown.out()))) {
      m_dispatch = unknown.as<IDispatch>(IID_IDispatch);
      if (auto inPlace = unknown.as<IOleInPlaceObject>(IID_IOleInPlaceObject)) inPlace->GetWindow(&window);
    }
    EXPECT_TRUE(control && m_dispatch && window);
  }
  ~HostedControl() {
    m_dispatch.reset();
    if (m_container) ::DestroyWindow(m_container);
    CRaveloCtrl::Factory().Revoke();
    CRaveloCtrl::UpdateRegistry(FALSE);
  }
  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;

  // SRC, as a script sets it.
  HRESULT SetSRC(const wchar_t* src) {
    if (!m_dispatch) return E_FAIL;
    CBstr text(src);
    VARIANT argument;
    argument.vt = VT_BSTR;
    argument.bstrVal = text.Get();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put = {&argument, &named, 1, 1};
    return m_dispatch->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr);
  }
  CMainDoc* Document() const { return control ? control->GetDocument() : nullptr; }
  CMainView* View() const { return control ? control->GetView() : nullptr; }
  // The name of the page's first object, empty without one.
  CString FirstName() const {
    CMainDoc* doc = Document();
    return doc && !doc->m_objects.IsEmpty() ? static_cast<CDrawObj*>(doc->m_objects.GetHead())->m_name : CString();
  }
  // A click of the left button at a point of the control's window.
  void Click(POINT at) const {
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  POINT Centre() const {
    RECT client = {};
    ::GetClientRect(window, &client);
    return {client.right / 2, client.bottom / 2};
  }

  CRaveloCtrl* control = nullptr;
  HWND window = nullptr;

 private:
  HtmlHostWindow m_page;
  HWND m_container = nullptr;
  ComPtr<IDispatch> m_dispatch;
};
