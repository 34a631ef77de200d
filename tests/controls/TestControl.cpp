// A small in-process ActiveX control for the container's tests. It activates in place
// as a child window of its site's window, records what its container does to it (site,
// verbs, placement, every dispatch call with its arguments) and fires events on its
// default source when asked. The tests register it per user under its own class id and
// steer it through the exported functions below.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/controls/TestControlIds.h"

namespace {

HMODULE g_module = nullptr;
LONG g_live = 0;
std::string g_log;
std::string g_logCopy;
std::map<DISPID, long> g_answers;
std::set<DISPID> g_failing;
std::map<DISPID, DISPID> g_fireOnCall;
bool g_failActivation = false;
class TestControl* g_last = nullptr;

void Log(const std::string& line) { g_log += line + "\n"; }

std::string Narrow(BSTR text) {
  if (!text) return std::string();
  int wide = static_cast<int>(::SysStringLen(text));
  int size = ::WideCharToMultiByte(936, 0, text, wide, nullptr, 0, nullptr, nullptr);
  std::string narrow(size, '\0');
  ::WideCharToMultiByte(936, 0, text, wide, &narrow[0], size, nullptr, nullptr);
  return narrow;
}

std::string Describe(const VARIANT& v) {
  char number[32];
  switch (v.vt) {
    case VT_I2: std::snprintf(number, sizeof number, "I2 %d", v.iVal); return number;
    case VT_I4: std::snprintf(number, sizeof number, "I4 %ld", static_cast<long>(v.lVal)); return number;
    case VT_BOOL: return v.boolVal ? "BOOL 1" : "BOOL 0";
    case VT_BSTR: return "BSTR " + Narrow(v.bstrVal);
    default: std::snprintf(number, sizeof number, "VT%d", v.vt); return number;
  }
}

LRESULT CALLBACK ControlWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(hWnd, &ps);
    HBRUSH brush = ::CreateSolidBrush(RGB(0, 160, 0));
    ::FillRect(hdc, &ps.rcPaint, brush);
    ::DeleteObject(brush);
    ::EndPaint(hWnd, &ps);
    return 0;
  }
  return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

const char kWindowClass[] = "TestControlWindow";

class TestControl : public IOleObject,
                    public IOleInPlaceObject,
                    public IDispatch,
                    public IConnectionPointContainer,
                    public IProvideClassInfo2 {
 public:
  TestControl() : m_point(*this) {
    ++g_live;
    g_last = this;
  }
  virtual ~TestControl() {
    --g_live;
    if (g_last == this) g_last = nullptr;
    Log("Destroyed");
  }

  void Fire(DISPID dispid, DISPPARAMS* params) {
    // The sinks may unadvise while an event runs.
    std::vector<IDispatch*> sinks;
    for (auto& entry : m_sinks) {
      entry.second->AddRef();
      sinks.push_back(entry.second);
    }
    AddRef();
    for (IDispatch* sink : sinks) {
      sink->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
      sink->Release();
    }
    Release();
  }
  HWND Window() const { return m_hWnd; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleObject)
      *ppv = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
      *ppv = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IDispatch)
      *ppv = static_cast<IDispatch*>(this);
    else if (riid == IID_IConnectionPointContainer)
      *ppv = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
      *ppv = static_cast<IProvideClassInfo2*>(this);
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG refs = --m_refs;
    if (refs == 0) delete this;
    return refs;
  }

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
    Log(site ? "SetClientSite" : "SetClientSite null");
    if (m_site) m_site->Release();
    m_site = site;
    if (!m_site) return S_OK;
    m_site->AddRef();
    IDispatch* ambient = nullptr;
    if (SUCCEEDED(m_site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)))) {
      VARIANT mode;
      ::VariantInit(&mode);
      DISPPARAMS none = {};
      if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &mode, nullptr,
                                    nullptr)) &&
          mode.vt == VT_BOOL)
        Log(mode.boolVal ? "UserMode 1" : "UserMode 0");
      ambient->Release();
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
    if (!site) return E_POINTER;
    *site = m_site;
    if (m_site) m_site->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close(DWORD) override {
    Log("Close");
    InPlaceDeactivate();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override {
    Log("DoVerb " + std::to_string(verb));
    if (verb == OLEIVERB_HIDE) {
      if (m_hWnd) ::ShowWindow(m_hWnd, SW_HIDE);
      return S_OK;
    }
    if (g_failActivation) return E_FAIL;
    return m_hWnd ? S_OK : ActivateInPlace();
  }
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_TestControl;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL* size) override {
    if (size) m_extent = *size;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL* size) override {
    if (!size) return E_POINTER;
    *size = m_extent;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override {
    if (!status) return E_POINTER;
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT | OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleWindow / IOleInPlaceObject
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override {
    if (!phwnd) return E_POINTER;
    *phwnd = m_hWnd;
    return m_hWnd ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override {
    if (!m_hWnd) return S_OK;
    Log("InPlaceDeactivate");
    ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    IOleInPlaceSite* site = InPlaceSite();
    if (site) {
      site->OnInPlaceDeactivate();
      site->Release();
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT) override {
    if (!pos) return E_POINTER;
    Log("SetObjectRects " + std::to_string(pos->left) + " " + std::to_string(pos->top) + " " +
        std::to_string(pos->right) + " " + std::to_string(pos->bottom));
    if (m_hWnd) ::MoveWindow(m_hWnd, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

  // IDispatch: every call is recorded
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    std::string line;
    if (flags & DISPATCH_PROPERTYPUT) {
      line = "put " + std::to_string(dispid);
      if (params && params->cArgs == 1 && params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT)
        line += " " + Describe(params->rgvarg[0]);
      else
        line += " malformed";
    } else if (flags & DISPATCH_METHOD) {
      line = "call " + std::to_string(dispid);
      for (UINT i = params ? params->cArgs : 0; i-- > 0;) line += " " + Describe(params->rgvarg[i]);
    } else {
      line = "get " + std::to_string(dispid);
    }
    Log(line);
    if (g_failing.count(dispid)) return DISP_E_MEMBERNOTFOUND;
    if (result && (flags & DISPATCH_PROPERTYGET)) {
      ::VariantInit(result);
      result->vt = VT_I4;
      auto answer = g_answers.find(dispid);
      result->lVal = answer == g_answers.end() ? 0 : answer->second;
    }
    auto fire = g_fireOnCall.find(dispid);
    if (fire != g_fireOnCall.end()) {
      DISPPARAMS none = {};
      Fire(fire->second, &none);
    }
    return S_OK;
  }

  // IConnectionPointContainer: one point, the default source
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (riid != DIID_TestControlEvents) return CONNECT_E_NOCONNECTION;
    *point = &m_point;
    AddRef();
    return S_OK;
  }

  // IProvideClassInfo2: only the default source's id
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = DIID_TestControlEvents;
    return S_OK;
  }

 private:
  // The default source's connection point, counted with the control.
  class Point : public IConnectionPoint {
   public:
    explicit Point(TestControl& control) : m_control(control) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
      if (!ppv) return E_POINTER;
      *ppv = nullptr;
      if (riid != IID_IUnknown && riid != IID_IConnectionPoint) return E_NOINTERFACE;
      *ppv = this;
      AddRef();
      return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_control.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_control.Release(); }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
      if (!iid) return E_POINTER;
      *iid = DIID_TestControlEvents;
      return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
      if (!container) return E_POINTER;
      *container = &m_control;
      m_control.AddRef();
      return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
      if (!sink || !cookie) return E_POINTER;
      IDispatch* events = nullptr;
      // A sink must answer the source interface itself, not only IDispatch.
      if (FAILED(sink->QueryInterface(DIID_TestControlEvents, reinterpret_cast<void**>(&events))))
        return CONNECT_E_CANNOTCONNECT;
      *cookie = ++m_control.m_nextCookie;
      m_control.m_sinks[*cookie] = events;
      Log("Advise");
      return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
      auto it = m_control.m_sinks.find(cookie);
      if (it == m_control.m_sinks.end()) return CONNECT_E_NOCONNECTION;
      it->second->Release();
      m_control.m_sinks.erase(it);
      Log("Unadvise");
      return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

   private:
    TestControl& m_control;
  };

  IOleInPlaceSite* InPlaceSite() const {
    IOleInPlaceSite* site = nullptr;
    if (m_site) m_site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site));
    return site;
  }

  HRESULT ActivateInPlace() {
    IOleInPlaceSite* site = InPlaceSite();
    if (!site) return E_UNEXPECTED;
    HRESULT hr = site->CanInPlaceActivate();
    HWND parent = nullptr;
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    RECT pos = {}, clip = {};
    OLEINPLACEFRAMEINFO info = {};
    info.cb = sizeof info;
    if (hr == S_OK) hr = site->OnInPlaceActivate();
    if (hr == S_OK) hr = site->GetWindow(&parent);
    if (hr == S_OK) hr = site->GetWindowContext(&frame, &document, &pos, &clip, &info);
    if (frame) frame->Release();
    if (document) document->Release();
    if (hr == S_OK) {
      m_hWnd = ::CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pos.left, pos.top,
                                 pos.right - pos.left, pos.bottom - pos.top, parent, nullptr, g_module, nullptr);
      if (!m_hWnd) hr = E_FAIL;
    }
    if (hr == S_OK)
      Log("InPlaceActive " + std::to_string(pos.left) + " " + std::to_string(pos.top) + " " +
          std::to_string(pos.right) + " " + std::to_string(pos.bottom));
    site->Release();
    return hr == S_OK ? S_OK : E_FAIL;
  }

  ULONG m_refs = 1;
  IOleClientSite* m_site = nullptr;
  HWND m_hWnd = nullptr;
  SIZEL m_extent = {};
  std::map<DWORD, IDispatch*> m_sinks;
  DWORD m_nextCookie = 0;
  Point m_point;
};

class Factory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *ppv = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* control = new TestControl;
    HRESULT hr = control->QueryInterface(riid, ppv);
    control->Release();
    if (SUCCEEDED(hr)) Log("Created");
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    ::RegisterClassA(&wc);
  }
  return TRUE;
}

extern "C" {

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (clsid != CLSID_TestControl) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, ppv);
}

HRESULT WINAPI DllCanUnloadNow() { return g_live ? S_FALSE : S_OK; }

void TestControlReset() {
  g_log.clear();
  g_answers.clear();
  g_failing.clear();
  g_fireOnCall.clear();
  g_failActivation = false;
}

const char* TestControlLog() {
  g_logCopy = g_log;
  return g_logCopy.c_str();
}

void TestControlSetAnswer(DISPID dispid, long value) { g_answers[dispid] = value; }
void TestControlFailCall(DISPID dispid) { g_failing.insert(dispid); }
void TestControlFireOnCall(DISPID call, DISPID event) { g_fireOnCall[call] = event; }
void TestControlFailActivation(BOOL fail) { g_failActivation = fail != FALSE; }

// Fires dispid on the newest control with argc arguments given first to last.
void TestControlFire(DISPID dispid, UINT argc, const VARIANT* argv) {
  if (!g_last) return;
  std::vector<VARIANT> reversed(argv, argv + argc);
  for (UINT i = 0; i < argc; ++i) reversed[i] = argv[argc - 1 - i];
  DISPPARAMS params = {reversed.data(), nullptr, argc, 0};
  g_last->Fire(dispid, &params);
}

LONG TestControlLive() { return g_live; }
HWND TestControlWindow() { return g_last ? g_last->Window() : nullptr; }

}  // extern "C"
