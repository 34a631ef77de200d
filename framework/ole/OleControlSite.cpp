#include "framework/ole/OleControlSite.h"

#include <olectl.h>

#include <vector>

#include "framework/ole/Bstr.h"

namespace {

// Pixels of the screen per logical inch, across and down.
CSize ScreenDpi() {
  HDC hdc = ::GetDC(nullptr);
  CSize dpi(::GetDeviceCaps(hdc, LOGPIXELSX), ::GetDeviceCaps(hdc, LOGPIXELSY));
  ::ReleaseDC(nullptr, hdc);
  if (dpi.cx <= 0) dpi.cx = 96;
  if (dpi.cy <= 0) dpi.cy = 96;
  return dpi;
}

void SetBool(VARIANT* pResult, BOOL value) {
  pResult->vt = VT_BOOL;
  pResult->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetLong(VARIANT* pResult, long value) {
  pResult->vt = VT_I4;
  pResult->lVal = value;
}

// The default source of events the class's type information names.
IID DefaultSourceFromTypeInfo(IOleObject* pObject) {
  IID iid = IID_NULL;
  ComPtr<IProvideClassInfo> info;
  ComPtr<ITypeInfo> classInfo;
  TYPEATTR* attr = nullptr;
  if (FAILED(pObject->QueryInterface(IID_IProvideClassInfo, info.outVoid())) ||
      FAILED(info->GetClassInfo(classInfo.out())) || FAILED(classInfo->GetTypeAttr(&attr)))
    return iid;
  for (UINT i = 0; i < attr->cImplTypes && iid == IID_NULL; ++i) {
    INT flags = 0;
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> source;
    TYPEATTR* sourceAttr = nullptr;
    if (FAILED(classInfo->GetImplTypeFlags(i, &flags)) ||
        (flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) != (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE) ||
        FAILED(classInfo->GetRefTypeOfImplType(i, &ref)) || FAILED(classInfo->GetRefTypeInfo(ref, source.out())) ||
        FAILED(source->GetTypeAttr(&sourceAttr)))
      continue;
    iid = sourceAttr->guid;
    source->ReleaseTypeAttr(sourceAttr);
  }
  classInfo->ReleaseTypeAttr(attr);
  return iid;
}

}  // namespace

// ---------------------------------------------------------------------------------
// The window's side

BOOL CWnd::CreateControl(REFCLSID clsid, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID) {
  if (m_hWnd || m_pCtrlSite || !pParentWnd || !pParentWnd->m_hWnd) return FALSE;
  auto site = std::make_unique<COleControlSite>(this, nID, lpszWindowName);
  COleControlSite* pSite = site.get();
  m_pCtrlSite = std::move(site);
  if (SUCCEEDED(pSite->CreateControl(clsid, dwStyle, rect, pParentWnd))) return TRUE;
  auto failed = std::move(m_pCtrlSite);
  failed->CloseControl();
  return FALSE;
}

HRESULT CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                           std::initializer_list<CInvokeArg> args) {
  auto* pSite = dynamic_cast<COleControlSite*>(m_pCtrlSite.get());
  if (!pSite) return E_UNEXPECTED;
  return pSite->InvokeHelper(dwDispID, wFlags, vtRet, pvRet, args);
}

// ---------------------------------------------------------------------------------
// Creation and teardown

COleControlSite::COleControlSite(CWnd* pWnd, UINT nID, LPCSTR lpszName)
    : m_pWnd(pWnd), m_nID(nID), m_name(lpszName ? lpszName : ""), m_frame(*this), m_sink(*this) {}

COleControlSite::~COleControlSite() { CloseControl(); }

HRESULT COleControlSite::CreateControl(REFCLSID clsid, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd) {
  m_hWndParent = pParentWnd->m_hWnd;
  m_rect = rect;
  m_bVisible = (dwStyle & WS_VISIBLE) != 0;
  HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, m_object.outVoid());
  if (FAILED(hr)) return hr;
  DWORD misc = 0;
  m_object->GetMiscStatus(DVASPECT_CONTENT, &misc);
  const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
  if (siteFirst && FAILED(hr = m_object->SetClientSite(this))) return hr;
  // A new control starts from its defaults.
  if (auto init = m_object.as<IPersistStreamInit>(IID_IPersistStreamInit)) {
    if (FAILED(hr = init->InitNew())) return hr;
  }
  if (!siteFirst && FAILED(hr = m_object->SetClientSite(this))) return hr;
  SetExtentFromPixels(m_rect);
  m_dispatch = m_object.as<IDispatch>(IID_IDispatch);
  ConnectEvents();
  return Activate(m_rect);
}

HRESULT COleControlSite::Activate(const RECT& rect) {
  RECT pos = rect;
  HRESULT hr = m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, m_hWndParent, &pos);
  if (FAILED(hr)) return hr;
  m_inPlace = m_object.as<IOleInPlaceObject>(IID_IOleInPlaceObject);
  HWND hWnd = nullptr;
  // A control without a window of its own cannot be a window here.
  if (!m_inPlace || FAILED(m_inPlace->GetWindow(&hWnd)) || !::IsWindow(hWnd)) return E_FAIL;
  if (!m_pWnd->SubclassWindow(hWnd)) return E_FAIL;
  m_bBound = TRUE;
  ::SetWindowLongPtrA(hWnd, GWLP_ID, static_cast<LONG_PTR>(m_nID));
  ::ShowWindow(hWnd, m_bVisible ? SW_SHOWNA : SW_HIDE);
  return S_OK;
}

void COleControlSite::CloseControl() {
  DisconnectEvents();
  if (m_object) {
    if (m_inPlace) m_inPlace->InPlaceDeactivate();
    m_object->Close(OLECLOSE_NOSAVE);
    m_object->SetClientSite(nullptr);
  }
  // A control that leaves its window behind loses it while its code is still loaded.
  if (m_bBound && m_pWnd->m_hWnd) ::DestroyWindow(m_pWnd->m_hWnd);
  m_bBound = FALSE;
  m_inPlace.reset();
  m_dispatch.reset();
  m_object.reset();
}

void COleControlSite::ConnectEvents() {
  ComPtr<IProvideClassInfo2> info = m_object.as<IProvideClassInfo2>(IID_IProvideClassInfo2);
  if (!info || FAILED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &m_sourceIid)))
    m_sourceIid = DefaultSourceFromTypeInfo(m_object.get());
  if (m_sourceIid == IID_NULL) return;
  ComPtr<IConnectionPointContainer> container =
      m_object.as<IConnectionPointContainer>(IID_IConnectionPointContainer);
  if (!container || FAILED(container->FindConnectionPoint(m_sourceIid, m_connection.out()))) return;
  if (FAILED(m_connection->Advise(static_cast<IDispatch*>(&m_sink), &m_sinkCookie))) {
    m_connection.reset();
    m_sinkCookie = 0;
  }
}

void COleControlSite::DisconnectEvents() {
  if (m_connection && m_sinkCookie) m_connection->Unadvise(m_sinkCookie);
  m_connection.reset();
  m_sinkCookie = 0;
}

// ---------------------------------------------------------------------------------
// Placing the control

void COleControlSite::SetExtentFromPixels(const CRect& rect) {
  if (!m_object) return;
  const CSize dpi = ScreenDpi();
  SIZEL extent = {::MulDiv(rect.Width(), 2540, dpi.cx), ::MulDiv(rect.Height(), 2540, dpi.cy)};
  m_object->SetExtent(DVASPECT_CONTENT, &extent);
}

void COleControlSite::MoveControl(const RECT& rect) {
  m_rect = rect;
  SetExtentFromPixels(m_rect);
  if (m_inPlace && SUCCEEDED(m_inPlace->SetObjectRects(&m_rect, &m_rect))) return;
  if (m_pWnd->m_hWnd) ::MoveWindow(m_pWnd->m_hWnd, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), TRUE);
}

// ---------------------------------------------------------------------------------
// Dispatch calls

HRESULT COleControlSite::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      std::initializer_list<CInvokeArg> args) {
  if (!m_dispatch) return E_NOINTERFACE;
  // The arguments go last first.
  std::vector<VARIANT> values(args.size());
  size_t slot = values.size();
  for (const CInvokeArg& arg : args) {
    VARIANT& v = values[--slot];
    ::VariantInit(&v);
    v.vt = arg.vt;
    switch (arg.vt) {
      case VT_I2: v.iVal = static_cast<SHORT>(arg.number); break;
      case VT_BOOL: v.boolVal = arg.number ? VARIANT_TRUE : VARIANT_FALSE; break;
      case VT_BSTR: v.bstrVal = CBstr::FromNarrow(arg.text).Detach(); break;
      default: v.lVal = arg.number; break;
    }
  }
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {values.data(), nullptr, static_cast<UINT>(values.size()), 0};
  const bool put = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  if (put) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  VARIANT result;
  ::VariantInit(&result);
  EXCEPINFO exception = {};
  UINT argError = 0;
  HRESULT hr = m_dispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, put ? nullptr : &result,
                                  &exception, &argError);
  for (VARIANT& v : values) ::VariantClear(&v);
  if (hr == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    if (FAILED(exception.scode)) hr = exception.scode;
  }
  if (SUCCEEDED(hr) && vtRet != VT_EMPTY && pvRet) {
    hr = ::VariantChangeType(&result, &result, 0, vtRet);
    if (SUCCEEDED(hr)) {
      switch (vtRet) {
        case VT_I2: *static_cast<short*>(pvRet) = result.iVal; break;
        case VT_I4: *static_cast<long*>(pvRet) = result.lVal; break;
        case VT_BOOL: *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE; break;
        case VT_BSTR: *static_cast<CString*>(pvRet) = CBstr(result.bstrVal).ToNarrow(); result.vt = VT_EMPTY; break;
        default: hr = DISP_E_TYPEMISMATCH; break;
      }
    }
  }
  ::VariantClear(&result);
  return hr;
}

// ---------------------------------------------------------------------------------
// Events

void COleControlSite::FireEvent(DISPID dispid, DISPPARAMS* pParams) {
  // The handlers may destroy the window and this site with it: nothing here after them.
  const UINT nID = m_nID;
  const HWND hWndParent = m_hWndParent;
  if (m_pWnd->OnControlEvent(nID, dispid, pParams)) return;
  if (CWnd* pParent = CWnd::FromHandlePermanent(hWndParent)) pParent->OnControlEvent(nID, dispid, pParams);
}

HRESULT COleControlSite::EventSink::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch || (riid == m_site.m_sourceIid && riid != IID_NULL)) {
    *ppv = static_cast<IDispatch*>(this);
    return S_OK;
  }
  return E_NOINTERFACE;
}

HRESULT COleControlSite::EventSink::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 0;
  return S_OK;
}

HRESULT COleControlSite::EventSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                           VARIANT* pVarResult, EXCEPINFO*, UINT*) {
  if (pVarResult) ::VariantInit(pVarResult);
  m_site.FireEvent(dispIdMember, pDispParams);
  return S_OK;
}

// ---------------------------------------------------------------------------------
// The site's interfaces

HRESULT COleControlSite::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite)
    *ppv = static_cast<IOleClientSite*>(this);
  else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
    *ppv = static_cast<IOleInPlaceSite*>(this);
  else if (riid == IID_IOleControlSite)
    *ppv = static_cast<IOleControlSite*>(this);
  else if (riid == IID_IDispatch)
    *ppv = static_cast<IDispatch*>(this);
  return *ppv ? S_OK : E_NOINTERFACE;
}

HRESULT COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
  if (ppmk) *ppmk = nullptr;
  return E_NOTIMPL;
}

HRESULT COleControlSite::GetContainer(IOleContainer** ppContainer) {
  if (ppContainer) *ppContainer = nullptr;
  return E_NOINTERFACE;
}

HRESULT COleControlSite::GetWindow(HWND* phwnd) {
  if (!phwnd) return E_POINTER;
  *phwnd = m_hWndParent;
  return m_hWndParent ? S_OK : E_FAIL;
}

HRESULT COleControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                          LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) {
  if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect) return E_POINTER;
  *ppFrame = &m_frame;
  *ppDoc = nullptr;
  *lprcPosRect = m_rect;
  *lprcClipRect = m_rect;
  if (lpFrameInfo) {
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = ::GetAncestor(m_hWndParent, GA_ROOT);
    lpFrameInfo->haccel = nullptr;
    lpFrameInfo->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT COleControlSite::OnPosRectChange(LPCRECT lprcPosRect) {
  if (!lprcPosRect) return E_POINTER;
  m_rect = *lprcPosRect;
  if (m_inPlace) m_inPlace->SetObjectRects(&m_rect, &m_rect);
  return S_OK;
}

HRESULT COleControlSite::GetExtendedControl(IDispatch** ppDisp) {
  if (ppDisp) *ppDisp = nullptr;
  return E_NOTIMPL;
}

HRESULT COleControlSite::TransformCoords(POINTL* pPtlHimetric, POINTF* pPtfContainer, DWORD dwFlags) {
  if (!pPtlHimetric || !pPtfContainer) return E_POINTER;
  const CSize dpi = ScreenDpi();
  if (dwFlags & XFORMCOORDS_HIMETRICTOCONTAINER) {
    pPtfContainer->x = static_cast<float>(pPtlHimetric->x) * dpi.cx / 2540.0f;
    pPtfContainer->y = static_cast<float>(pPtlHimetric->y) * dpi.cy / 2540.0f;
  } else if (dwFlags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
    pPtlHimetric->x = static_cast<LONG>(pPtfContainer->x * 2540.0f / dpi.cx + 0.5f);
    pPtlHimetric->y = static_cast<LONG>(pPtfContainer->y * 2540.0f / dpi.cy + 0.5f);
  } else {
    return E_INVALIDARG;
  }
  return S_OK;
}

HRESULT COleControlSite::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 0;
  return S_OK;
}

// The ambient properties: a running (user-mode) container with the system's colours.
HRESULT COleControlSite::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pVarResult,
                                EXCEPINFO*, UINT*) {
  if (!(wFlags & DISPATCH_PROPERTYGET) || !pVarResult) return DISP_E_MEMBERNOTFOUND;
  ::VariantInit(pVarResult);
  switch (dispIdMember) {
    case DISPID_AMBIENT_USERMODE:
    case DISPID_AMBIENT_AUTOCLIP: SetBool(pVarResult, TRUE); return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_SUPPORTSMNEMONICS: SetBool(pVarResult, FALSE); return S_OK;
    case DISPID_AMBIENT_BACKCOLOR: SetLong(pVarResult, static_cast<long>(::GetSysColor(COLOR_WINDOW))); return S_OK;
    case DISPID_AMBIENT_FORECOLOR:
      SetLong(pVarResult, static_cast<long>(::GetSysColor(COLOR_WINDOWTEXT)));
      return S_OK;
    case DISPID_AMBIENT_LOCALEID: SetLong(pVarResult, static_cast<long>(::GetUserDefaultLCID())); return S_OK;
    case DISPID_AMBIENT_DISPLAYNAME:
      pVarResult->vt = VT_BSTR;
      pVarResult->bstrVal = CBstr::FromNarrow(m_name).Detach();
      return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT COleControlSite::Frame::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
      riid == IID_IOleInPlaceFrame) {
    *ppv = static_cast<IOleInPlaceFrame*>(this);
    return S_OK;
  }
  return E_NOINTERFACE;
}

HRESULT COleControlSite::Frame::GetWindow(HWND* phwnd) {
  if (!phwnd) return E_POINTER;
  *phwnd = ::GetAncestor(m_site.m_hWndParent, GA_ROOT);
  return *phwnd ? S_OK : E_FAIL;
}
