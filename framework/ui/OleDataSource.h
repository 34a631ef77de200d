// COleDataSource: the giving side of a data transfer. It caches blocks of global memory
// by clipboard format and offers them through IDataObject, to the clipboard or to an
// OLE drag. Every receiver gets a copy of a block of its own.
//
// The object lives by COM references and is made on the heap with one, its maker's:
// SetClipboard hands that reference to the clipboard (which frees the object when it
// lets go), otherwise the maker gives it up with InternalRelease.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <vector>

using DROPEFFECT = DWORD;

class COleDataSource : public IDataObject {
 public:
  COleDataSource() = default;
  COleDataSource(const COleDataSource&) = delete;
  COleDataSource& operator=(const COleDataSource&) = delete;

  // Takes the block; a later block of the same format replaces it.
  void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal);
  // Frees every cached block.
  void Empty();

  // Puts the source on the clipboard, which then owns it. On failure the source is
  // destroyed and a COleException is thrown (a clipboard another program holds open
  // gives CLIPBRD_E_CANT_OPEN, without waiting).
  void SetClipboard();
  // Runs an OLE drag of the cached data until it is dropped or cancelled; the effect
  // that the target chose, DROPEFFECT_NONE for a cancelled drag. pDropSource replaces
  // the standard mouse-driven source (left button held, Esc cancels); the standard
  // drag is a modal call of kind dragDrop (ModalSink.h).
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE, IDropSource* pDropSource = nullptr);
  // The maker's reference given up.
  void InternalRelease() { Release(); }
  IDataObject* GetInterface() { return this; }

  // IUnknown and IDataObject.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  virtual ~COleDataSource();
  struct Entry {
    CLIPFORMAT format;
    HGLOBAL data;
  };
  const Entry* Find(const FORMATETC* format) const;

  LONG m_refs = 1;
  std::vector<Entry> m_entries;
};

// Whether an embedded OLE item could be made from the data (the system's judgement).
BOOL AfxOleCanCreateFromData(IDataObject* pDataObject);
