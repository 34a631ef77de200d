#include "framework/ole/OleControl.h"

#include "framework/ui/DC.h"
#include "framework/ui/PaintDC.h"
#include "framework/ole/OleConnectionPoint.h"
#include "framework/ole/OleControlModule.h"

namespace {

constexpr LONG kHimetricPerInch = 2540;

LONG PixelsToHimetric(int pixels, int perInch) { return ::MulDiv(pixels, kHimetricPerInch, perInch); }

int ScreenPixelsPerInch(int index) {
  HDC screen = ::GetDC(nullptr);
  const int perInch = screen ? ::GetDeviceCaps(screen, index) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return perInch > 0 ? perInch : 96;
}

}  // namespace

COleControl::COleControl(const OleControlIdentity& identity) : m_identity(identity) {
  AfxOleLockApp();
  m_extent.cx = PixelsToHimetric(100, ScreenPixelsPerInch(LOGPIXELSX));
  m_extent.cy = PixelsToHimetric(50, ScreenPixelsPerInch(LOGPIXELSY));
  m_eventPoint = new COleConnectionPoint(this, identity.events);
}

COleControl::~COleControl() {
  delete m_eventPoint;
  AfxOleUnlockApp();
}

void COleControl::DoPropExchange(CPropExchange*) {}

// ---------------------------------------------------------------------------------
// IUnknown

STDMETHODIMP COleControl::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IOleObject))
    *object = static_cast<IOleObject*>(this);
  else if (::IsEqualIID(iid, IID_IOleWindow) || ::IsEqualIID(iid, IID_IOleInPlaceObject))
    *object = static_cast<IOleInPlaceObject*>(this);
  else if (::IsEqualIID(iid, IID_IOleInPlaceActiveObject))
    *object = static_cast<IOleInPlaceActiveObject*>(this);
  else if (::IsEqualIID(iid, IID_IOleControl))
    *object = static_cast<IOleControl*>(this);
  else if (::IsEqualIID(iid, IID_IViewObject) || ::IsEqualIID(iid, IID_IViewObject2))
    *object = static_cast<IViewObject2*>(this);
  else if (::IsEqualIID(iid, IID_IPersist) || ::IsEqualIID(iid, IID_IPersistStreamInit))
    *object = static_cast<IPersistStreamInit*>(this);
  else if (::IsEqualIID(iid, IID_IPersistPropertyBag))
    *object = static_cast<IPersistPropertyBag*>(this);
  else if (::IsEqualIID(iid, IID_IDispatch) || ::IsEqualIID(iid, m_identity.dispatch))
    *object = static_cast<IDispatch*>(this);
  else if (::IsEqualIID(iid, IID_IProvideClassInfo) || ::IsEqualIID(iid, IID_IProvideClassInfo2))
    *object = static_cast<IProvideClassInfo2*>(this);
  else if (::IsEqualIID(iid, IID_IConnectionPointContainer))
    *object = static_cast<IConnectionPointContainer*>(this);
  else if (::IsEqualIID(iid, IID_ISpecifyPropertyPages))
    *object = static_cast<ISpecifyPropertyPages*>(this);
  if (!*object) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) COleControl::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) COleControl::Release() {
  const LONG refs = ::InterlockedDecrement(&m_refs);
  if (refs == 0) {
    // Keeps the object alive through its own window's destruction, so that the derived
    // class's OnDestroy still runs (the destructor reaches only CWnd's).
    m_refs = 1;
    if (m_hWnd) DestroyWindow();
    m_clientSite.reset();
    m_inPlaceSite.reset();
    delete this;
  }
  return static_cast<ULONG>(refs);
}

// ---------------------------------------------------------------------------------
// IOleObject

STDMETHODIMP COleControl::SetClientSite(IOleClientSite* site) {
  m_clientSite = ComPtr<IOleClientSite>::share(site);
  return S_OK;
}

STDMETHODIMP COleControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = m_clientSite.get();
  if (*site) (*site)->AddRef();
  return S_OK;
}

STDMETHODIMP COleControl::Close(DWORD) {
  InPlaceDeactivate();
  if (m_adviseHolder) m_adviseHolder->SendOnClose();
  return S_OK;
}

STDMETHODIMP COleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND parent,
                                 LPCRECT position) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
      return ActivateInPlace(FALSE, activeSite, parent, position);
    case OLEIVERB_UIACTIVATE:
      return ActivateInPlace(TRUE, activeSite, parent, position);
    case OLEIVERB_HIDE:
      if (m_hWnd) ShowWindow(SW_HIDE);
      return S_OK;
    case OLEIVERB_PROPERTIES:
      OnProperties();
      return S_OK;
    default:
      return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
  }
}

STDMETHODIMP COleControl::EnumVerbs(IEnumOLEVERB** verbs) {
  if (!verbs) return E_POINTER;
  const HRESULT hr = ::OleRegEnumVerbs(m_identity.clsid, verbs);
  return FAILED(hr) ? OLEOBJ_E_NOVERBS : hr;
}

STDMETHODIMP COleControl::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

STDMETHODIMP COleControl::GetUserType(DWORD form, LPOLESTR* type) {
  return ::OleRegGetUserType(m_identity.clsid, form, type);
}

STDMETHODIMP COleControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size || size->cx < 0 || size->cy < 0) return E_INVALIDARG;
  m_extent = *size;
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  *size = m_extent;
  return S_OK;
}

STDMETHODIMP COleControl::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!m_adviseHolder && FAILED(::CreateOleAdviseHolder(m_adviseHolder.out()))) return E_OUTOFMEMORY;
  return m_adviseHolder->Advise(sink, connection);
}

STDMETHODIMP COleControl::Unadvise(DWORD connection) {
  return m_adviseHolder ? m_adviseHolder->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP COleControl::EnumAdvise(IEnumSTATDATA** advises) {
  if (!advises) return E_POINTER;
  *advises = nullptr;
  return m_adviseHolder ? m_adviseHolder->EnumAdvise(advises) : S_OK;
}

STDMETHODIMP COleControl::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = m_identity.miscStatus;
  return S_OK;
}

// ---------------------------------------------------------------------------------
// In-place activation

HRESULT COleControl::ActivateInPlace(BOOL uiActivate, IOleClientSite* activeSite, HWND parentHint,
                                     LPCRECT positionHint) {
  // Some containers hand the site only with the verb.
  if (!m_clientSite && activeSite) m_clientSite = ComPtr<IOleClientSite>::share(activeSite);
  if (!m_inPlaceSite && m_clientSite) m_inPlaceSite = m_clientSite.as<IOleInPlaceSite>(IID_IOleInPlaceSite);
  if (!m_inPlaceSite) return E_NOINTERFACE;

  if (!m_bInPlaceActive) {
    if (m_inPlaceSite->CanInPlaceActivate() != S_OK) return E_FAIL;
    m_inPlaceSite->OnInPlaceActivate();
    m_bInPlaceActive = TRUE;
  }

  ComPtr<IOleInPlaceFrame> frame;
  ComPtr<IOleInPlaceUIWindow> document;
  if (!m_hWnd) {
    HWND parent = nullptr;
    if (FAILED(m_inPlaceSite->GetWindow(&parent)) || !parent) parent = parentHint;
    RECT position = {}, clip = {};
    OLEINPLACEFRAMEINFO frameInfo = {};
    frameInfo.cb = sizeof frameInfo;
    if (FAILED(m_inPlaceSite->GetWindowContext(frame.out(), document.out(), &position, &clip, &frameInfo))) {
      if (positionHint) position = *positionHint;
    }
    if (::IsRectEmpty(&position) && positionHint) position = *positionHint;
    m_position = position;
    if (!parent || !CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, position, CWnd::FromHandle(parent), 0)) {
      m_inPlaceSite->OnInPlaceDeactivate();
      m_bInPlaceActive = FALSE;
      return E_FAIL;
    }
  } else {
    ShowWindow(SW_SHOW);
  }

  if (uiActivate && !m_bUIActive) {
    m_bUIActive = TRUE;
    m_inPlaceSite->OnUIActivate();
    if (!frame) {
      RECT position = {}, clip = {};
      OLEINPLACEFRAMEINFO frameInfo = {};
      frameInfo.cb = sizeof frameInfo;
      m_inPlaceSite->GetWindowContext(frame.out(), document.out(), &position, &clip, &frameInfo);
    }
    if (frame) frame->SetActiveObject(this, nullptr);
    if (document) document->SetActiveObject(this, nullptr);
    SetFocus();
  }
  return S_OK;
}

STDMETHODIMP COleControl::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = m_hWnd;
  return m_hWnd ? S_OK : E_FAIL;
}

STDMETHODIMP COleControl::UIDeactivate() {
  if (!m_bUIActive) return S_OK;
  m_bUIActive = FALSE;
  if (m_inPlaceSite) {
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position = {}, clip = {};
    OLEINPLACEFRAMEINFO frameInfo = {};
    frameInfo.cb = sizeof frameInfo;
    if (SUCCEEDED(m_inPlaceSite->GetWindowContext(frame.out(), document.out(), &position, &clip, &frameInfo))) {
      if (frame) frame->SetActiveObject(nullptr, nullptr);
      if (document) document->SetActiveObject(nullptr, nullptr);
    }
    m_inPlaceSite->OnUIDeactivate(FALSE);
  }
  return S_OK;
}

STDMETHODIMP COleControl::InPlaceDeactivate() {
  if (!m_bInPlaceActive) return S_OK;
  UIDeactivate();
  m_bInPlaceActive = FALSE;
  if (m_hWnd) DestroyWindow();
  if (m_inPlaceSite) m_inPlaceSite->OnInPlaceDeactivate();
  m_inPlaceSite.reset();
  return S_OK;
}

STDMETHODIMP COleControl::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_POINTER;
  m_position = *position;
  if (m_hWnd)
    ::SetWindowPos(m_hWnd, nullptr, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
  return S_OK;
}

void COleControl::SetControlSize(int cx, int cy) {
  m_extent.cx = PixelsToHimetric(cx, ScreenPixelsPerInch(LOGPIXELSX));
  m_extent.cy = PixelsToHimetric(cy, ScreenPixelsPerInch(LOGPIXELSY));
  CRect position(m_position.left, m_position.top, m_position.left + cx, m_position.top + cy);
  if (m_inPlaceSite && m_inPlaceSite->OnPosRectChange(&position) == S_OK) return;
  // The container did not take the new size (some ignore the request): the window is
  // resized where it stands.
  m_position = position;
  if (m_hWnd) ::SetWindowPos(m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------------
// IOleControl and ambient properties

STDMETHODIMP COleControl::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  info->cb = sizeof *info;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

BOOL COleControl::GetAmbientProperty(DISPID id, VARTYPE type, VARIANT* value) {
  ::VariantInit(value);
  if (!m_clientSite) return FALSE;
  ComPtr<IDispatch> ambient = m_clientSite.as<IDispatch>(IID_IDispatch);
  if (!ambient) return FALSE;
  DISPPARAMS none = {};
  VARIANT raw;
  ::VariantInit(&raw);
  if (FAILED(ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &raw, nullptr,
                             nullptr)))
    return FALSE;
  const HRESULT hr = ::VariantChangeType(value, &raw, 0, type);
  ::VariantClear(&raw);
  return SUCCEEDED(hr);
}

BOOL COleControl::AmbientUserMode() {
  VARIANT value;
  if (!GetAmbientProperty(DISPID_AMBIENT_USERMODE, VT_BOOL, &value)) return TRUE;
  return value.boolVal != VARIANT_FALSE;
}

// ---------------------------------------------------------------------------------
// Drawing

STDMETHODIMP COleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                               BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!dc) return E_INVALIDARG;
  CRect rect;
  if (bounds) {
    rect = CRect(bounds->left, bounds->top, bounds->right, bounds->bottom);
  } else if (m_hWnd) {
    GetClientRect(&rect);
  } else {
    return E_INVALIDARG;
  }
  const int saved = ::SaveDC(dc);
  CDC target(dc);
  OnDraw(&target, rect, rect);
  ::RestoreDC(dc, saved);
  return S_OK;
}

STDMETHODIMP COleControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  m_viewAspects = aspects;
  m_viewFlags = flags;
  m_viewSink = ComPtr<IAdviseSink>::share(sink);
  return S_OK;
}

STDMETHODIMP COleControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = m_viewAspects;
  if (flags) *flags = m_viewFlags;
  if (sink) {
    *sink = m_viewSink.get();
    if (*sink) (*sink)->AddRef();
  }
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

void COleControl::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  OnDraw(&dc, client, CRect(dc.m_ps.rcPaint));
}

BOOL COleControl::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL COleControl::PreCreateWindow(CREATESTRUCTA& cs) {
  // A class of the controls' own: a control may change its class's cursor.
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                       ::LoadCursorA(nullptr, IDC_ARROW));
  return cs.lpszClass != nullptr;
}
