// COleControl: persistence, the dispatch interface, class information and property
// pages.
#include "framework/ole/OleControl.h"

#include <olectl.h>

#include "framework/core/Codepage.h"
#include "framework/core/ModulePath.h"
#include "framework/ole/BagPropExchange.h"
#include "framework/ole/Bstr.h"
#include "framework/ole/OleConnectionPoint.h"
#include "framework/ole/OleControlModule.h"
#include "framework/ole/ResetPropExchange.h"
#include "framework/ole/StreamPropExchange.h"
#include "framework/ui/ModalSink.h"

// ---------------------------------------------------------------------------------
// Persistence

HRESULT COleControl::Exchange(CPropExchange& exchange) {
  DoPropExchange(&exchange);
  if (exchange.IsFailed()) return FAILED(exchange.GetError()) ? exchange.GetError() : E_FAIL;
  return S_OK;
}

void COleControl::OnResetState() {
  CResetPropExchange reset;
  DoPropExchange(&reset);
}

STDMETHODIMP COleControl::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = m_identity.clsid;
  return S_OK;
}

STDMETHODIMP COleControl::InitNew() {
  OnResetState();
  m_bModified = FALSE;
  return S_OK;
}

STDMETHODIMP COleControl::Load(LPSTREAM stream) {
  if (!stream) return E_POINTER;
  CStreamPropExchange exchange(stream, TRUE);
  const HRESULT hr = Exchange(exchange);
  if (SUCCEEDED(hr)) m_bModified = FALSE;
  return hr;
}

STDMETHODIMP COleControl::Save(LPSTREAM stream, BOOL clearDirty) {
  if (!stream) return E_POINTER;
  CStreamPropExchange exchange(stream, FALSE);
  const HRESULT hr = Exchange(exchange);
  if (SUCCEEDED(hr) && clearDirty) m_bModified = FALSE;
  return hr;
}

STDMETHODIMP COleControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  size->QuadPart = 0;
  return E_NOTIMPL;
}

STDMETHODIMP COleControl::Load(IPropertyBag* bag, IErrorLog* log) {
  if (!bag) return E_POINTER;
  CBagPropExchange exchange(bag, log, TRUE);
  const HRESULT hr = Exchange(exchange);
  if (SUCCEEDED(hr)) m_bModified = FALSE;
  return hr;
}

STDMETHODIMP COleControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
  if (!bag) return E_POINTER;
  CBagPropExchange exchange(bag, nullptr, FALSE);
  const HRESULT hr = Exchange(exchange);
  if (SUCCEEDED(hr) && clearDirty) m_bModified = FALSE;
  return hr;
}

// ---------------------------------------------------------------------------------
// Type information and IDispatch

ITypeLib* COleControl::GetTypeLib(LCID lcid) {
  ITypeLib* library = nullptr;
  if (SUCCEEDED(::LoadRegTypeLib(m_identity.typeLib, m_identity.verMajor, m_identity.verMinor, lcid, &library)))
    return library;
  const std::wstring path = ModuleFileNameW(AfxGetControlInstance());
  if (path.empty() || FAILED(::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library))) return nullptr;
  return library;
}

HRESULT COleControl::LoadTypeInfo(ITypeInfo** info, REFGUID guid) {
  if (!info) return E_POINTER;
  *info = nullptr;
  ComPtr<ITypeLib> library(GetTypeLib(LOCALE_SYSTEM_DEFAULT));
  if (!library) return TYPE_E_CANTLOADLIBRARY;
  return library->GetTypeInfoOfGuid(guid, info);
}

STDMETHODIMP COleControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP COleControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return LoadTypeInfo(info, m_identity.dispatch);
}

STDMETHODIMP COleControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  ComPtr<ITypeInfo> info;
  const HRESULT hr = LoadTypeInfo(info.out(), m_identity.dispatch);
  if (FAILED(hr)) return hr;
  return info->GetIDsOfNames(names, count, ids);
}

STDMETHODIMP COleControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO*, UINT* argError) {
  for (const DispProperty& property : m_properties) {
    if (property.id != id) continue;
    if (flags & DISPATCH_PROPERTYGET) {
      if (!result) return E_POINTER;
      ::VariantInit(result);
      result->vt = VT_BSTR;
      result->bstrVal = property.get();
      return S_OK;
    }
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
      VARIANT text;
      ::VariantInit(&text);
      if (FAILED(::VariantChangeType(&text, &params->rgvarg[0], 0, VT_BSTR))) {
        if (argError) *argError = 0;
        return DISP_E_TYPEMISMATCH;
      }
      CBstr owned(text.bstrVal);
      property.set(owned.ToNarrow());
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }
  return DISP_E_MEMBERNOTFOUND;
}

// ---------------------------------------------------------------------------------
// Class information, events and property pages

STDMETHODIMP COleControl::GetClassInfo(ITypeInfo** info) { return LoadTypeInfo(info, m_identity.clsid); }

STDMETHODIMP COleControl::GetGUID(DWORD kind, GUID* guid) {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = m_identity.events;
  return S_OK;
}

STDMETHODIMP COleControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (!::IsEqualIID(iid, m_identity.events)) return CONNECT_E_NOCONNECTION;
  *point = m_eventPoint;
  m_eventPoint->AddRef();
  return S_OK;
}

STDMETHODIMP COleControl::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  const ULONG count = static_cast<ULONG>(m_identity.propertyPages.size());
  pages->cElems = 0;
  pages->pElems = static_cast<GUID*>(::CoTaskMemAlloc(sizeof(GUID) * (count ? count : 1)));
  if (!pages->pElems) return E_OUTOFMEMORY;
  for (ULONG i = 0; i < count; ++i) pages->pElems[i] = m_identity.propertyPages[i];
  pages->cElems = count;
  return S_OK;
}

void COleControl::OnProperties() {
  if (m_identity.propertyPages.empty()) return;
  // The frame's first tab is the first page's title.
  ModalCall call;
  call.kind = ModalCall::dialog;
  call.window = this;
  ComPtr<IPropertyPage> first;
  if (SUCCEEDED(::CoCreateInstance(m_identity.propertyPages[0], nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                   first.outVoid()))) {
    PROPPAGEINFO info = {};
    info.cb = sizeof info;
    if (SUCCEEDED(first->GetPageInfo(&info))) {
      if (info.pszTitle) call.title = CString(codepage::FromWide(std::wstring(info.pszTitle)));
      ::CoTaskMemFree(info.pszTitle);
      ::CoTaskMemFree(info.pszDocString);
      ::CoTaskMemFree(info.pszHelpFile);
    }
  }
  first.reset();
  HWND owner = m_hWnd ? m_hWnd : nullptr;
  call.show = [this, owner]() -> INT_PTR {
    IUnknown* self = static_cast<IOleObject*>(this);
    CAUUID pages = {};
    if (FAILED(GetPages(&pages))) return IDCANCEL;
    const HRESULT hr = ::OleCreatePropertyFrame(owner, 0, 0, nullptr, 1, &self, pages.cElems, pages.pElems,
                                                LOCALE_USER_DEFAULT, 0, nullptr);
    ::CoTaskMemFree(pages.pElems);
    return SUCCEEDED(hr) ? IDOK : IDCANCEL;
  };
  AddRef();
  AfxRunModal(call);
  Release();
}
