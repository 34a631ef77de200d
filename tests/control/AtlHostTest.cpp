// The control in Wine's ATL container, as a program would host it: AtlAxWinInit, then
// an "AtlAxWin" window named by the control's ProgID inside a page window. ATL calls
// InitNew before SetClientSite, offers no ambient properties and ignores
// OnPosRectChange; it also nests the control one window deeper than a browser does.
#include <gtest/gtest.h>

#include <ole2.h>

#include "control/MainDoc.h"
#include "control/RaveloCtrl.h"
#include "control/RaveloPropPage.h"
#include "control/ThreadContextMap.h"
#include "framework/ole/Bstr.h"
#include "framework/core/ComPtr.h"
#include "framework/ole/OleRegistration.h"
#include "tests/control/HostedControl.h"
#include "tests/control/HtmlHostWindow.h"

namespace {

TEST(AtlHostTest, TheControlFindsItsPageThroughTheContainer) {
  HMODULE atl = AtlContainer();
  ASSERT_NE(nullptr, atl);
  auto getControl = reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(
      reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxGetControl")));
  ASSERT_TRUE(getControl);

  // The container finds the class by its ProgID; this program's own factory makes it.
  ASSERT_TRUE(CRaveloCtrl::UpdateRegistry(TRUE));
  ASSERT_TRUE(CRaveloCtrl::Factory().Register());
  {
    HtmlHostWindow page(L"file://C:\\t\\web\\index.htm");
    HWND container = ::CreateWindowExW(0, L"AtlAxWin", L"TAMRIX.RaveloCtrl.1", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240,
                                       page.container(), nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, container);
    CRaveloCtrl* control = GetThreadContextMap().GetControl();
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(CString("file://C:\\t\\web\\index.htm"), control->GetHostAddress());

    ComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, getControl(container, unknown.out()));
    ComPtr<IDispatch> dispatch = unknown.as<IDispatch>(IID_IDispatch);
    ASSERT_TRUE(dispatch);
    CBstr text(L"page1.rvx");
    VARIANT argument;
    argument.vt = VT_BSTR;
    argument.bstrVal = text.Get();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put = {&argument, &named, 1, 1};
    ASSERT_EQ(S_OK, dispatch->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr));
    EXPECT_EQ(CString("page1.rvx"), control->GetDocument()->GetRequestedSrc());
    EXPECT_EQ(CString("file://C:\\t\\web\\index.htm"), control->GetDocument()->GetRequestedHost());

    // The page size reaches the control's window although ATL ignores the request.
    HWND window = nullptr;
    unknown.as<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&window);
    ::SendMessageA(window, CRaveloCtrl::kPageSizeMessage, 0, CRaveloCtrl::MakePageSizeParam(200, 150));
    RECT client;
    ::GetClientRect(window, &client);
    EXPECT_EQ(200, client.right);
    EXPECT_EQ(150, client.bottom);

    dispatch.reset();
    unknown.reset();
    ::DestroyWindow(container);
  }
  EXPECT_EQ(0, GetThreadContextMap().GetCount());
  CRaveloCtrl::Factory().Revoke();
  CRaveloCtrl::UpdateRegistry(FALSE);
}

}  // namespace
