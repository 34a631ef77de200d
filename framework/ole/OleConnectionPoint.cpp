#include "framework/ole/OleConnectionPoint.h"

#include <olectl.h>

STDMETHODIMP COleConnectionPoint::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IConnectionPoint)) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP COleConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = m_iid;
  return S_OK;
}

STDMETHODIMP COleConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = m_owner;
  m_owner->AddRef();
  return S_OK;
}

STDMETHODIMP COleConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  // The sink must speak the outgoing interface (or plain IDispatch, as scripts do).
  ComPtr<IUnknown> held;
  if (FAILED(sink->QueryInterface(m_iid, held.outVoid())) && FAILED(sink->QueryInterface(IID_IDispatch, held.outVoid())))
    return CONNECT_E_CANNOTCONNECT;
  *cookie = m_nextCookie++;
  m_sinks.push_back({*cookie, std::move(held)});
  return S_OK;
}

STDMETHODIMP COleConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
    if (it->cookie == cookie) {
      m_sinks.erase(it);
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}
