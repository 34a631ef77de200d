// Built on the C layout of the interface: IHTMLDocument2 has some hundred methods, and
// only get_URL is answered; every other slot says E_NOTIMPL.
#define CINTERFACE
#define COBJMACROS
#include "tests/control/FakeHtmlDocument.h"

#include <mshtml.h>

#include <cstring>

namespace {

struct FakeDocument {
  IHTMLDocument2 iface;
  LONG refs;
  std::wstring url;
  bool nullUrl;
};

// x86-64 has one calling convention, so one stub serves every slot it fills.
HRESULT STDMETHODCALLTYPE NotImplemented(void*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE QueryInterface(IHTMLDocument2* self, REFIID iid, void** object) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IHTMLDocument) ||
      IsEqualIID(iid, IID_IHTMLDocument2)) {
    *object = self;
    self->lpVtbl->AddRef(self);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE AddRef(IHTMLDocument2* self) {
  return static_cast<ULONG>(InterlockedIncrement(&reinterpret_cast<FakeDocument*>(self)->refs));
}

ULONG STDMETHODCALLTYPE Release(IHTMLDocument2* self) {
  auto* document = reinterpret_cast<FakeDocument*>(self);
  const LONG refs = InterlockedDecrement(&document->refs);
  if (refs == 0) delete document;
  return static_cast<ULONG>(refs);
}

HRESULT STDMETHODCALLTYPE GetUrl(IHTMLDocument2* self, BSTR* url) {
  auto* document = reinterpret_cast<FakeDocument*>(self);
  *url = document->nullUrl ? nullptr : SysAllocStringLen(document->url.data(), static_cast<UINT>(document->url.size()));
  return S_OK;
}

IHTMLDocument2Vtbl MakeTable() {
  IHTMLDocument2Vtbl table;
  void* stub = reinterpret_cast<void*>(&NotImplemented);
  auto** slots = reinterpret_cast<void**>(&table);
  for (size_t i = 0; i < sizeof table / sizeof(void*); ++i) slots[i] = stub;
  table.QueryInterface = &QueryInterface;
  table.AddRef = &AddRef;
  table.Release = &Release;
  table.get_URL = &GetUrl;
  return table;
}

IHTMLDocument2Vtbl g_table = MakeTable();

}  // namespace

IUnknown* CreateFakeHtmlDocument(const wchar_t* url) {
  auto* document = new FakeDocument;
  document->iface.lpVtbl = &g_table;
  document->refs = 1;
  document->nullUrl = url == nullptr;
  if (url) document->url = url;
  return reinterpret_cast<IUnknown*>(&document->iface);
}
