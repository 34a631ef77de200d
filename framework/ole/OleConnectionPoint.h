// COleConnectionPoint: an outgoing interface of a control. It keeps the sinks that
// advise it; its references are those of the control that owns it.
#pragma once

#include <ocidl.h>

#include <vector>

#include "framework/core/ComPtr.h"

class COleConnectionPoint : public IConnectionPoint {
 public:
  COleConnectionPoint(IConnectionPointContainer* owner, REFIID iid) : m_owner(owner), m_iid(iid) {}
  virtual ~COleConnectionPoint() = default;
  COleConnectionPoint(const COleConnectionPoint&) = delete;
  COleConnectionPoint& operator=(const COleConnectionPoint&) = delete;

  size_t GetSinkCount() const { return m_sinks.size(); }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return m_owner->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return m_owner->Release(); }
  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 private:
  struct Sink {
    DWORD cookie;
    ComPtr<IUnknown> sink;
  };
  IConnectionPointContainer* m_owner;
  IID m_iid;
  DWORD m_nextCookie = 1;
  std::vector<Sink> m_sinks;
};
