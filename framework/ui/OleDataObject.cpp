#include "framework/ui/OleDataObject.h"

#include "framework/core/SharedFile.h"

void COleDataObject::Attach(IDataObject* pDataObject, BOOL bAutoRelease) {
  Release();
  m_pDataObject = pDataObject;
  if (m_pDataObject && !bAutoRelease) m_pDataObject->AddRef();
}

IDataObject* COleDataObject::Detach() {
  IDataObject* object = m_pDataObject;
  m_pDataObject = nullptr;
  return object;
}

void COleDataObject::Release() {
  if (m_pDataObject) m_pDataObject->Release();
  m_pDataObject = nullptr;
}

BOOL COleDataObject::AttachClipboard() {
  IDataObject* clipboard = nullptr;
  if (FAILED(::OleGetClipboard(&clipboard)) || !clipboard) return FALSE;
  Attach(clipboard, TRUE);
  return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat) const {
  if (!m_pDataObject) return FALSE;
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return m_pDataObject->QueryGetData(&format) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat) const {
  if (!m_pDataObject) return nullptr;
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (FAILED(m_pDataObject->GetData(&format, &medium))) return nullptr;
  HGLOBAL copy = nullptr;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    // The medium may belong to the source (a release object): take a copy of our own.
    const SIZE_T size = ::GlobalSize(medium.hGlobal);
    copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    void* from = ::GlobalLock(medium.hGlobal);
    void* to = copy ? ::GlobalLock(copy) : nullptr;
    if (from && to) memcpy(to, from, size);
    if (to) ::GlobalUnlock(copy);
    if (from) ::GlobalUnlock(medium.hGlobal);
    if (copy && (!from || !to)) {
      ::GlobalFree(copy);
      copy = nullptr;
    }
  }
  ::ReleaseStgMedium(&medium);
  return copy;
}

std::unique_ptr<CFile> COleDataObject::GetFileData(CLIPFORMAT cfFormat) const {
  HGLOBAL data = GetGlobalData(cfFormat);
  if (!data) return nullptr;
  auto file = std::make_unique<CSharedFile>();
  file->SetHandle(data, FALSE);
  return file;
}
