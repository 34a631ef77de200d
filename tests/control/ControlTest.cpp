#include <gtest/gtest.h>

#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>
#include <thread>

#include "control/ControlHost.h"
#include "control/MainDoc.h"
#include "control/MainView.h"
#include "control/RaveloCtrl.h"
#include "control/RaveloIds.h"
#include "control/RaveloPropPage.h"
#include "control/ThreadContextMap.h"
#include "framework/core/Codepage.h"
#include "framework/ole/Bstr.h"
#include "framework/core/ComPtr.h"
#include "framework/ole/OleVariant.h"
#include "tests/control/HtmlHostWindow.h"
#include "tests/control/RecordingSite.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

namespace {

const wchar_t kFileHost[] = L"file://C:\\t\\web\\index.htm";

// A property bag holding what a web page's <param> elements would.
class TestBag : public IPropertyBag {
 public:
  std::map<std::wstring, VARIANT> values;
  ~TestBag() {
    for (auto& entry : values) ::VariantClear(&entry.second);
  }
  void SetString(const wchar_t* name, const std::wstring& text) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    Set(name, v);
  }
  void Set(const wchar_t* name, VARIANT v) {
    auto it = values.find(name);
    if (it != values.end()) ::VariantClear(&it->second);
    values[name] = v;
  }
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    auto it = values.find(name);
    if (it == values.end()) return E_INVALIDARG;
    // A bag may hand back another type than the one asked for.
    ::VariantClear(value);
    return ::VariantCopy(value, &it->second);
  }
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
    VARIANT copy;
    ::VariantInit(&copy);
    ::VariantCopy(&copy, value);
    Set(name, copy);
    return S_OK;
  }
};

// A view that records the input the control forwards to it.
class RecordingView : public CMainView {
 public:
  std::vector<std::string>* log = nullptr;
  void OnLButtonDown(UINT, CPoint) override { log->push_back("LButtonDown"); }
  void OnLButtonUp(UINT, CPoint) override { log->push_back("LButtonUp"); }
  void OnLButtonDblClk(UINT, CPoint) override { log->push_back("LButtonDblClk"); }
  void OnRButtonDown(UINT, CPoint) override { log->push_back("RButtonDown"); }
  void OnRButtonUp(UINT, CPoint) override { log->push_back("RButtonUp"); }
  void OnMouseMove(UINT, CPoint) override { log->push_back("MouseMove"); }
  void OnKeyDown(UINT, UINT, UINT) override { log->push_back("KeyDown"); }
  void OnKeyUp(UINT, UINT, UINT) override { log->push_back("KeyUp"); }
  void OnPlayTick(UINT_PTR id) override { log->push_back("Tick" + std::to_string(id)); }
};

class RecordingCtrl : public CRaveloCtrl {
 public:
  std::vector<std::string> log;
  bool gdiplusRefused = false;

 protected:
  bool StartGdiplus() override { return !gdiplusRefused && CRaveloCtrl::StartGdiplus(); }
  CMainView* CreateView() override {
    auto* view = new RecordingView;
    view->log = &log;
    return view;
  }
};

// A control object as a container holds it: one reference, released at the end.
template <class T = CRaveloCtrl>
struct Control {
  T* object = new T;
  ComPtr<IOleObject> ole;
  Control() {
    IOleObject* raw = object;
    raw->AddRef();
    ole = ComPtr<IOleObject>(raw);
  }
  ~Control() {
    if (ole) ole->Close(OLECLOSE_NOSAVE);
  }
  template <class I>
  ComPtr<I> as(REFIID iid) const {
    return ole.as<I>(iid);
  }
  // Site first, properties from the bag, then activation in the container's window.
  HRESULT Activate(RecordingSite& site, HWND container, IPropertyBag* bag = nullptr) {
    ole->SetClientSite(&site);
    if (bag) {
      HRESULT hr = as<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(bag, nullptr);
      if (FAILED(hr)) return hr;
    } else {
      as<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew();
    }
    RECT position = {0, 0, 300, 200};
    return ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, container, &position);
  }
};

class ControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ::OleInitialize(nullptr);
    CRaveloCtrl::Factory().Register();
    CRaveloPropPage::Factory().Register();
  }
  void TearDown() override { EXPECT_EQ(0, GetThreadContextMap().GetCount()) << "a control kept its record"; }
};

CString Src(Control<>& control) { return control.object->GetSRCText(); }

// ---------------------------------------------------------------------------------
// The property over IDispatch and persistence

TEST_F(ControlTest, SrcThroughDispatchRoundTripsAndMarksModified) {
  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(S_OK, ::CoCreateInstance(kRaveloCtrlClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                     dispatch.outVoid()));
  ComPtr<IPersistStreamInit> persist = dispatch.as<IPersistStreamInit>(IID_IPersistStreamInit);
  ASSERT_EQ(S_OK, persist->InitNew());
  EXPECT_EQ(S_FALSE, persist->IsDirty());

  LPOLESTR name = const_cast<LPOLESTR>(L"SRC");
  DISPID id = 0;
  ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
  EXPECT_EQ(1, id);
  LPOLESTR unknown = const_cast<LPOLESTR>(L"Nope");
  EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &id));

  CBstr text(L"课件/page1.rvx");
  VARIANT argument;
  argument.vt = VT_BSTR;
  argument.bstrVal = text.Get();
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS put = {&argument, &named, 1, 1};
  ASSERT_EQ(S_OK, dispatch->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &put, nullptr,
                                   nullptr, nullptr));
  EXPECT_EQ(S_OK, persist->IsDirty());

  COleVariant result;
  DISPPARAMS none = {};
  ASSERT_EQ(S_OK, dispatch->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                   nullptr, nullptr));
  ASSERT_EQ(VT_BSTR, result.Type());
  EXPECT_STREQ(L"课件/page1.rvx", result.Get().bstrVal);

  ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.out()));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
            dispatch->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr));
}

TEST_F(ControlTest, StreamKeepsSrcAndSavingAsksNoHost) {
  HtmlHostWindow host(kFileHost);
  RecordingSite site(host.container());
  Control<> saved;
  TestBag bag;
  bag.SetString(L"SRC", L"page1.rvx");
  ASSERT_EQ(S_OK, saved.Activate(site, host.container(), &bag));
  const int asked = host.asked();
  const int loads = saved.object->GetDocument()->GetLoadRequests();

  ComPtr<IStream> stream;
  ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, stream.out()));
  saved.object->SetModifiedFlag(TRUE);
  ASSERT_EQ(S_OK, saved.as<IPersistStreamInit>(IID_IPersistStreamInit)->Save(stream.get(), TRUE));
  EXPECT_EQ(asked, host.asked()) << "saving read the host page again";
  EXPECT_EQ(loads, saved.object->GetDocument()->GetLoadRequests()) << "saving reloaded the page";
  EXPECT_EQ(S_FALSE, saved.as<IPersistStreamInit>(IID_IPersistStreamInit)->IsDirty());

  Control<> loaded;
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  ASSERT_EQ(S_OK, loaded.as<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream.get()));
  EXPECT_EQ(CString("page1.rvx"), Src(loaded));
  EXPECT_EQ(S_FALSE, loaded.as<IPersistStreamInit>(IID_IPersistStreamInit)->IsDirty());

  // The property bag says the same.
  TestBag out;
  ASSERT_EQ(S_OK, loaded.as<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&out, TRUE, TRUE));
  ASSERT_EQ(1u, out.values.count(L"SRC"));
  EXPECT_STREQ(L"page1.rvx", out.values[L"SRC"].bstrVal);
}

// Bytes of a stream: the version, then each text as a byte count and its bytes.
std::string StreamBytes(DWORD version, DWORD length, const std::string& text) {
  std::string bytes;
  for (DWORD value : {version, length})
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes + text;
}

TEST_F(ControlTest, DamagedStreamsLoadNothing) {
  struct Row {
    const char* what;
    std::string bytes;
  } rows[] = {
      {"empty", ""},
      {"cut in the version", std::string("\x00\x00", 2)},
      {"cut in the length", StreamBytes(0x10000, 9, "page1.rvx").substr(0, 6)},
      {"length past the end", StreamBytes(0x10000, 200, "page1.rvx")},
      {"length of 4 GB", StreamBytes(0x10000, 0xFFFFFFFF, "page1.rvx")},
      {"another major version", StreamBytes(0x20000, 9, "page1.rvx")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Control<> control;
    control.object->SetSRC("kept.rvx");
    ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, stream.out()));
    stream->Write(row.bytes.data(), static_cast<ULONG>(row.bytes.size()), nullptr);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    EXPECT_TRUE(FAILED(control.as<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream.get())));
    EXPECT_EQ(CString("kept.rvx"), Src(control));
  }
  // A good stream of a newer minor version loads.
  Control<> control;
  ComPtr<IStream> stream;
  ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, stream.out()));
  const std::string good = StreamBytes(0x10003, 9, "page1.rvx");
  stream->Write(good.data(), static_cast<ULONG>(good.size()), nullptr);
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  EXPECT_EQ(S_OK, control.as<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream.get()));
  EXPECT_EQ(CString("page1.rvx"), Src(control));
}

TEST_F(ControlTest, HostilePropertyBagsLoadNothing) {
  struct Row {
    const char* what;
    VARTYPE type;
    std::wstring text;
  } rows[] = {
      {"a number", VT_I4, L""},
      {"a megabyte", VT_BSTR, std::wstring(1 << 20, L'a') + L".rvx"},
      {"an embedded NUL", VT_BSTR, std::wstring(L"page1.rvx\0c:\\evil.rvx", 21)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Control<> control;
    control.object->SetSRC("kept.rvx");
    TestBag bag;
    if (row.type == VT_BSTR) {
      bag.SetString(L"SRC", row.text);
    } else {
      VARIANT number;
      number.vt = VT_I4;
      number.lVal = 42;
      bag.Set(L"SRC", number);
    }
    EXPECT_TRUE(FAILED(control.as<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr)));
    EXPECT_EQ(CString("kept.rvx"), Src(control));
  }
  // Without SRC the default names no page.
  Control<> control;
  TestBag empty;
  EXPECT_EQ(S_OK, control.as<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&empty, nullptr));
  EXPECT_EQ(CString("\x01"), Src(control));
}

// ---------------------------------------------------------------------------------
// Start-up in a container

TEST_F(ControlTest, ActivationFindsTheHostPageAndRegistersTheThread) {
  HtmlHostWindow host(kFileHost);
  RecordingSite site(host.container());
  Control<> control;
  TestBag bag;
  bag.SetString(L"SRC", L"page1.rvx");
  ASSERT_EQ(S_OK, control.Activate(site, host.container(), &bag));

  const std::vector<std::string> expected = {"CanInPlaceActivate", "OnInPlaceActivate", "GetWindow",
                                             "GetWindowContext"};
  EXPECT_EQ(expected, std::vector<std::string>(site.calls.begin(), site.calls.begin() + 4));
  HWND window = nullptr;
  ASSERT_EQ(S_OK, control.as<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&window));
  EXPECT_EQ(host.container(), ::GetParent(window));
  EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_STYLE) & WS_CLIPCHILDREN);

  EXPECT_EQ(CString("file://C:\\t\\web\\index.htm"), control.object->GetHostAddress());
  CMainDoc* document = control.object->GetDocument();
  ASSERT_NE(nullptr, document);
  EXPECT_EQ(CString("file://C:\\t\\web\\index.htm"), document->GetRequestedHost());
  EXPECT_EQ(CString("page1.rvx"), document->GetRequestedSrc());

  CThreadContextMap& map = GetThreadContextMap();
  EXPECT_EQ(control.object, map.GetControl());
  EXPECT_EQ(control.object->GetView(), map.GetView());
  EXPECT_EQ(document, map.GetDocument());
  EXPECT_EQ(window, control.object->GetView()->GetWindow());
  EXPECT_NE(nullptr, map.GetModuleHandle());
  ASSERT_NE(nullptr, GetDrawHost());
  EXPECT_EQ(document, GetDrawHost()->GetDocument());
  EXPECT_TRUE(GetDrawHost()->AllowsLocalAccess());

  // A script's SRC loads at once; an empty one leaves the page alone.
  const int loads = document->GetLoadRequests();
  control.object->SetSRC("page2.rvx");
  EXPECT_EQ(loads + 1, document->GetLoadRequests());
  EXPECT_EQ(CString("page2.rvx"), document->GetRequestedSrc());
  control.object->SetSRC("");
  EXPECT_EQ(loads + 1, document->GetLoadRequests());

  control.ole->Close(OLECLOSE_NOSAVE);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(nullptr, map.GetControl());
  EXPECT_EQ(nullptr, GetDrawHost());
}

TEST_F(ControlTest, HostsThatGiveNoUsableAddressLeaveItEmpty) {
  struct Row {
    const char* what;
    const wchar_t* url;
    HtmlHostWindow::Answer answer;
  } rows[] = {
      {"no object", L"", HtmlHostWindow::Answer::noObject},
      {"a null URL", nullptr, HtmlHostWindow::Answer::nullUrl},
      {"outside code page 936", L"file://C:\\\uAC00\\index.htm", HtmlHostWindow::Answer::document},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    HtmlHostWindow host(row.url, row.answer);
    RecordingSite site(host.container());
    Control<> control;
    TestBag bag;
    bag.SetString(L"SRC", L"page1.rvx");
    ASSERT_EQ(S_OK, control.Activate(site, host.container(), &bag));
    EXPECT_GE(host.asked(), 1);
    EXPECT_TRUE(control.object->GetHostAddress().IsEmpty());
    EXPECT_TRUE(control.object->GetDocument()->GetRequestedHost().IsEmpty());
  }
  // Not hosted by a web page at all: quietly nothing.
  HWND plain = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  RecordingSite site(plain);
  {
    Control<> control;
    ASSERT_EQ(S_OK, control.Activate(site, plain));
    EXPECT_TRUE(control.object->GetHostAddress().IsEmpty());
  }
  ::DestroyWindow(plain);
}

TEST_F(ControlTest, AHostThatDoesNotAnswerIsGivenUpAfterASecond) {
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HWND hung = nullptr;
  std::thread page([&] {
    hung = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ::SetEvent(ready);
    // Takes the control's question and sits on it until the test is done.
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (::WaitForSingleObject(release, 0) == WAIT_OBJECT_0) break;
    }
    ::DestroyWindow(hung);
  });
  ::WaitForSingleObject(ready, INFINITE);
  // The page's thread blocks inside its window procedure on the sent message.
  struct Blocker {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
      static const UINT getObject = ::RegisterWindowMessageA("WM_HTML_GETOBJECT");
      if (message == getObject) {
        ::WaitForSingleObject(reinterpret_cast<HANDLE>(::GetWindowLongPtrA(window, GWLP_USERDATA)), 10000);
        return 0;
      }
      return ::DefWindowProcA(window, message, wParam, lParam);
    }
  };
  ::SetWindowLongPtrA(hung, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(release));
  ::SetWindowLongPtrA(hung, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Blocker::Proc));

  const DWORD start = ::GetTickCount();
  IHTMLDocument2* document = CRaveloCtrl::GetHostDocument(hung);
  const DWORD elapsed = ::GetTickCount() - start;
  EXPECT_EQ(nullptr, document);
  EXPECT_GE(elapsed, 900u);
  EXPECT_LT(elapsed, 5000u);

  ::SetEvent(release);
  ::PostMessageA(hung, WM_NULL, 0, 0);
  page.join();
  ::CloseHandle(release);
  ::CloseHandle(ready);
}

TEST_F(ControlTest, ASecondControlOnTheThreadStaysEmpty) {
  HtmlHostWindow host(kFileHost);
  RecordingSite firstSite(host.container());
  Control<> first;
  ASSERT_EQ(S_OK, first.Activate(firstSite, host.container()));

  RecordingSite secondSite(host.container());
  {
    Control<RecordingCtrl> second;
    MessageBoxCapture boxes;
    ASSERT_EQ(S_OK, second.Activate(secondSite, host.container()));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(CString("控件初始化失败!"), boxes.boxes()[0].text);
    EXPECT_EQ(nullptr, second.object->GetView());
    EXPECT_EQ(nullptr, second.object->GetDocument());
    HWND window = nullptr;
    second.as<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&window);
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(second.object->log.empty());
    EXPECT_EQ(first.object, GetThreadContextMap().GetControl());
  }
  // The second is gone; the first keeps its record and host.
  EXPECT_EQ(first.object, GetThreadContextMap().GetControl());
  ASSERT_NE(nullptr, GetDrawHost());
  EXPECT_EQ(first.object->GetDocument(), GetDrawHost()->GetDocument());
}

TEST_F(ControlTest, WithoutGdiplusTheControlSaysSoAndTakesNoInput) {
  HtmlHostWindow host(kFileHost);
  RecordingSite site(host.container());
  Control<RecordingCtrl> control;
  control.object->gdiplusRefused = true;
  MessageBoxCapture boxes;
  ASSERT_EQ(S_OK, control.Activate(site, host.container()));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(CString("请先安装GDI+再运行"), boxes.boxes()[0].text);
  EXPECT_EQ(0, GetThreadContextMap().GetCount());
  HWND window = nullptr;
  control.as<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&window);
  ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ::SendMessageA(window, WM_TIMER, 3, 0);
  EXPECT_TRUE(control.object->log.empty());
}

// ---------------------------------------------------------------------------------
// Messages

TEST_F(ControlTest, InputReachesTheViewButRightDoubleClicks) {
  HtmlHostWindow host(kFileHost);
  RecordingSite site(host.container());
  Control<RecordingCtrl> control;
  ASSERT_EQ(S_OK, control.Activate(site, host.container()));
  HWND window = nullptr;
  control.as<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&window);
  const LPARAM point = MAKELPARAM(20, 30);
  const UINT messages[] = {WM_LBUTTONDOWN, WM_LBUTTONUP,    WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                           WM_RBUTTONUP,   WM_RBUTTONDBLCLK, WM_MOUSEMOVE,    WM_KEYDOWN,
                           WM_KEYUP};
  for (UINT message : messages) ::SendMessageA(window, message, 0, message == WM_KEYDOWN || message == WM_KEYUP ? 0 : point);
  ::SendMessageA(window, WM_TIMER, 3, 0);
  const std::vector<std::string> expected = {"LButtonDown", "LButtonUp", "LButtonDblClk", "RButtonDown", "RButtonUp",
                                             "MouseMove",   "KeyDown",   "KeyUp",         "Tick3"};
  EXPECT_EQ(expected, control.object->log);
}

TEST_F(ControlTest, PageSizeResizesTheControlWhenTheContainerIgnoresIt) {
  HtmlHostWindow host(kFileHost);
  RecordingSite site(host.container());
  Control<> control;
  ASSERT_EQ(S_OK, control.Activate(site, host.container()));
  HWND window = nullptr;
  control.as<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&window);
  EXPECT_EQ(0, ::SendMessageA(window, CRaveloCtrl::kPageSizeMessage, 0, CRaveloCtrl::MakePageSizeParam(240, 180)));
  RECT client;
  ::GetClientRect(window, &client);
  EXPECT_EQ(240, client.right);
  EXPECT_EQ(180, client.bottom);
  EXPECT_EQ("OnPosRectChange", site.calls.back());

  // Sizes travel in 16 bits each: larger pages are clamped, never wrapped.
  EXPECT_EQ(MAKELONG(0xFFFF, 0), CRaveloCtrl::MakePageSizeParam(70000, -5));
}

TEST_F(ControlTest, EditColoursAreAskedOfTheEditWindow) {
  HtmlHostWindow host(kFileHost);
  RecordingSite site(host.container());
  Control<> control;
  ASSERT_EQ(S_OK, control.Activate(site, host.container()));
  HWND window = nullptr;
  control.as<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&window);

  static HBRUSH brush = ::CreateSolidBrush(RGB(10, 200, 30));
  struct Edit {
    static LRESULT CALLBACK Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == CRaveloCtrl::kEditColorMessage) return reinterpret_cast<LRESULT>(brush);
      return ::DefWindowProcA(edit, message, wParam, lParam);
    }
  };
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &Edit::Proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "TamrixTestEdit";
  ::RegisterClassA(&wc);
  HWND edit = ::CreateWindowExA(0, "TamrixTestEdit", "", WS_CHILD, 0, 0, 50, 20, window, nullptr, nullptr, nullptr);
  HDC dc = ::GetDC(edit);
  auto answer = reinterpret_cast<HBRUSH>(
      ::SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
  ::ReleaseDC(edit, dc);
  LOGBRUSH logBrush = {};
  ASSERT_EQ(static_cast<int>(sizeof logBrush), ::GetObjectA(answer, sizeof logBrush, &logBrush));
  EXPECT_EQ(RGB(10, 200, 30), logBrush.lbColor);
  ::DestroyWindow(edit);
}

TEST_F(ControlTest, PropertiesVerbShowsTheGeneralPage) {
  Control<> control;
  ModalCapture modals;
  EXPECT_EQ(S_OK, control.ole->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, nullptr, nullptr));
  ASSERT_EQ(1u, modals.calls().size());
  EXPECT_EQ(CString("General"), modals.calls()[0].title);

  ComPtr<ISpecifyPropertyPages> pages = control.as<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
  CAUUID ids = {};
  ASSERT_EQ(S_OK, pages->GetPages(&ids));
  ASSERT_EQ(1u, ids.cElems);
  EXPECT_TRUE(::IsEqualCLSID(kRaveloPropPageClsid, ids.pElems[0]));
  ::CoTaskMemFree(ids.pElems);
}

TEST_F(ControlTest, ClassInformationNamesTheEventInterface) {
  Control<> control;
  ComPtr<IProvideClassInfo2> info = control.as<IProvideClassInfo2>(IID_IProvideClassInfo2);
  GUID events = {};
  ASSERT_EQ(S_OK, info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events));
  EXPECT_TRUE(::IsEqualIID(kRaveloEventsIid, events));
  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(S_OK, info->GetClassInfo(coclass.out()));
  ComPtr<IConnectionPointContainer> points = control.as<IConnectionPointContainer>(IID_IConnectionPointContainer);
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(S_OK, points->FindConnectionPoint(kRaveloEventsIid, point.out()));
  EXPECT_EQ(CONNECT_E_NOCONNECTION, points->FindConnectionPoint(IID_IPropertyNotifySink, point.out()));
  DWORD status = 0;
  EXPECT_EQ(S_OK, control.ole->GetMiscStatus(DVASPECT_CONTENT, &status));
  EXPECT_EQ(0x20191u, status);
}

}  // namespace
