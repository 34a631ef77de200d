#include "framework/ui/OleDataSource.h"

#include <shlobj.h>

#include <cstring>

#include "framework/ui/ModalSink.h"
#include "framework/ui/OleException.h"

namespace {

// The standard source: the drag goes on while the left button is held; Esc cancels.
class MouseDropSource : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
      *ppv = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

HGLOBAL CopyBlock(HGLOBAL source) {
  const SIZE_T size = ::GlobalSize(source);
  HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size ? size : 1);
  if (!copy) return nullptr;
  const void* from = ::GlobalLock(source);
  void* to = ::GlobalLock(copy);
  if (from && to) memcpy(to, from, size);
  if (to) ::GlobalUnlock(copy);
  if (from) ::GlobalUnlock(source);
  if (!from || !to) {
    ::GlobalFree(copy);
    return nullptr;
  }
  return copy;
}

}  // namespace

COleDataSource::~COleDataSource() { Empty(); }

void COleDataSource::Empty() {
  for (Entry& entry : m_entries) ::GlobalFree(entry.data);
  m_entries.clear();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal) {
  for (Entry& entry : m_entries) {
    if (entry.format == cfFormat) {
      ::GlobalFree(entry.data);
      entry.data = hGlobal;
      return;
    }
  }
  m_entries.push_back(Entry{cfFormat, hGlobal});
}

void COleDataSource::SetClipboard() {
  const HRESULT hr = ::OleSetClipboard(this);
  Release();  // the clipboard holds its own reference now, or nobody does
  if (FAILED(hr)) AfxThrowOleException(hr);
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, IDropSource* pDropSource) {
  auto drag = [this, dwEffects](IDropSource* source) -> DROPEFFECT {
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(this, source, dwEffects, &effect);
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
  };
  if (pDropSource) return drag(pDropSource);
  // The mouse-driven loop is modal: tests take the data through the sink instead.
  ModalCall call;
  call.kind = ModalCall::dragDrop;
  call.data = reinterpret_cast<DWORD_PTR>(static_cast<IDataObject*>(this));
  call.show = [&]() -> INT_PTR {
    MouseDropSource standard;
    return static_cast<INT_PTR>(drag(&standard));
  };
  return static_cast<DROPEFFECT>(AfxRunModal(call));
}

const COleDataSource::Entry* COleDataSource::Find(const FORMATETC* format) const {
  if (!format || !(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT) return nullptr;
  for (const Entry& entry : m_entries)
    if (entry.format == format->cfFormat) return &entry;
  return nullptr;
}

HRESULT COleDataSource::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDataObject) {
    *ppv = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG COleDataSource::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG COleDataSource::Release() {
  const LONG refs = ::InterlockedDecrement(&m_refs);
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

HRESULT COleDataSource::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!medium) return E_POINTER;
  const Entry* entry = Find(format);
  if (!entry) return DV_E_FORMATETC;
  HGLOBAL copy = CopyBlock(entry->data);
  if (!copy) return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = copy;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT COleDataSource::QueryGetData(FORMATETC* format) { return Find(format) ? S_OK : DV_E_FORMATETC; }

HRESULT COleDataSource::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
  if (!out) return E_POINTER;
  if (in) *out = *in;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT COleDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) {
  if (!enumerator) return E_POINTER;
  *enumerator = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  std::vector<FORMATETC> formats;
  for (const Entry& entry : m_entries) formats.push_back(FORMATETC{entry.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
  return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), enumerator);
}

BOOL AfxOleCanCreateFromData(IDataObject* pDataObject) {
  return pDataObject && ::OleQueryCreateFromData(pDataObject) == S_OK;
}
