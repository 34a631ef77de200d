// COleDataObject: the receiving side of a data transfer (a drop, the clipboard): an
// IDataObject it holds a reference to, asked for formats and their data.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <memory>

class CFile;

class COleDataObject {
 public:
  COleDataObject() = default;
  ~COleDataObject() { Release(); }
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;

  // Holds the object; with bAutoRelease it lets go of the reference it was given when
  // released, otherwise it takes a reference of its own.
  void Attach(IDataObject* pDataObject, BOOL bAutoRelease = TRUE);
  IDataObject* Detach();
  void Release();
  // Holds what is on the clipboard now.
  BOOL AttachClipboard();

  IDataObject* GetIDataObject() const { return m_pDataObject; }
  BOOL IsDataAvailable(CLIPFORMAT cfFormat) const;
  // A copy of the data in global memory, which the caller frees; null when missing.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat) const;
  // The data as a file to read (a shared-memory file over such a copy); null when
  // missing.
  std::unique_ptr<CFile> GetFileData(CLIPFORMAT cfFormat) const;

 private:
  IDataObject* m_pDataObject = nullptr;
};
