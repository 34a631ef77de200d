// CObjLib: a component library, the in-memory form of a ".lib" file and its serialiser.
// A library keeps reusable drawing objects outside any page; its objects refer to their
// pictures and media by path.
//
// The library does not own its objects: whoever fills the list (by reading or by
// AddObject) deletes them or hands them on, also after a read that failed part way,
// when the objects read before the failure are in the list.
#pragma once

#include "framework/core/ObList.h"
#include "framework/core/Object.h"
#include "framework/core/String.h"

class CArchive;
class CDrawObj;

class CObjLib : public CObject {
  DECLARE_SERIAL(CObjLib)

 public:
  CObjLib() = default;
  ~CObjLib() override = default;  // releases the list, not the objects
  CObjLib(const CObjLib&) = delete;
  CObjLib& operator=(const CObjLib&) = delete;

  void AddObject(CDrawObj* object);
  // Takes the object out of the list when it is there; it is not destroyed.
  void RemoveObject(CDrawObj* object);
  // Every object of the list deleted (its own deletion) and the list emptied.
  void DeleteObjects();

  // Storing writes the signature, the description, the version and the object list.
  // Reading appends the objects to the list; a wrong signature clears the valid flag,
  // shows "非库文件" and reads nothing more. Only new drawing objects are accepted;
  // anything else, and a short file, raise CArchiveException.
  void Serialize(CArchive& ar) override;

  // The file at path read into this library (appending). A file of 12 bytes or less
  // holds no library and is not read. The file's and the archive's exceptions pass on.
  void LoadFile(const CString& path);
  // The library written to path: whole, beside it first, then moved over it, so a
  // failure leaves the old file and a shorter library leaves no old tail.
  void StoreFile(const CString& path);

  CString m_strSignature;
  CString m_strDescription;
  DWORD m_version = 0x10000;
  CObList m_objects{10};
  BOOL m_bValid = TRUE;
};
