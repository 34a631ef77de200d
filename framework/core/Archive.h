// CArchive: the binary form that page, library and clipboard data are written in.
// Little-endian primitives, counted strings, and object references resolved through
// tables of classes and objects counted over the whole archive.
//
// Storing is buffered: call Close() to write the rest out and learn of failures (the
// destructor does not flush, so an archive abandoned by an exception writes nothing
// more). Loading checks every length and count against the bytes that are left before
// it allocates, and raises CArchiveException on anything malformed.
#pragma once

#include <functional>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "framework/core/ArchiveException.h"
#include "framework/core/File.h"
#include "framework/core/Object.h"
#include "framework/core/Rect.h"
#include "framework/core/String.h"
#include "framework/core/Time.h"

class CDocument;

class CArchive {
 public:
  enum Mode { store = 0, load = 1 };

  CArchive(CFile* file, UINT mode, int bufferSize = 4096);
  ~CArchive() = default;
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return m_loading; }
  BOOL IsStoring() const { return !m_loading; }
  CFile* GetFile() const { return m_pFile; }

  // Writes out what is buffered (storing) and detaches from the file.
  void Close();
  void Flush();

  // Raw bytes. Read returns how many it got; it does not throw at the end of the data.
  UINT Read(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);

  CArchive& operator<<(BYTE v) { return WriteValue(v); }
  CArchive& operator<<(WORD v) { return WriteValue(v); }
  CArchive& operator<<(LONG v) { return WriteValue(v); }
  CArchive& operator<<(DWORD v) { return WriteValue(v); }
  CArchive& operator<<(int v) { return WriteValue(static_cast<int32_t>(v)); }
  CArchive& operator<<(UINT v) { return WriteValue(static_cast<uint32_t>(v)); }
  CArchive& operator<<(float v) { return WriteValue(v); }
  CArchive& operator<<(double v) { return WriteValue(v); }
  CArchive& operator<<(const CString& s);
  CArchive& operator<<(const CTime& t);
  CArchive& operator<<(const POINT& p);
  CArchive& operator<<(const SIZE& s);
  CArchive& operator<<(const RECT& r);

  CArchive& operator>>(BYTE& v) { return ReadValue(v); }
  CArchive& operator>>(WORD& v) { return ReadValue(v); }
  CArchive& operator>>(LONG& v) { return ReadValue(v); }
  CArchive& operator>>(DWORD& v) { return ReadValue(v); }
  CArchive& operator>>(int& v) { return ReadValue(v); }
  CArchive& operator>>(UINT& v) { return ReadValue(v); }
  CArchive& operator>>(float& v) { return ReadValue(v); }
  CArchive& operator>>(double& v) { return ReadValue(v); }
  CArchive& operator>>(CString& s);
  CArchive& operator>>(CTime& t);
  CArchive& operator>>(POINT& p);
  CArchive& operator>>(SIZE& s);
  CArchive& operator>>(RECT& r);

  // A count: 16 bits, or 0xFFFF and 32 bits. Reading checks that the data left can hold
  // that many items of at least minItemBytes each.
  void WriteCount(DWORD count);
  DWORD ReadCount(size_t minItemBytes = 1);

  // Object references. A reader asking for a class gets only objects of it or derived.
  void WriteObject(const CObject* object);
  CObject* ReadObject(const CRuntimeClass* requested);
  // For containers that own what they read: only a new object of a class the filter
  // accepts; null, a back reference or another class is a badClass error, raised before
  // anything is created.
  CObject* ReadNewObject(const std::function<bool(const CRuntimeClass*)>& accept);
  // For lists that may name an object twice: a new object or a back reference, of a
  // class the filter accepts (null is a badClass error); isNew tells which it was.
  CObject* ReadObjectIf(const std::function<bool(const CRuntimeClass*)>& accept, bool& isNew);

  // While a versionable object reads itself: the schema its record was written with.
  // Answers once; a second call gives (UINT)-1.
  UINT GetObjectSchema();
  void SetObjectSchema(UINT schema) { m_nObjectSchema = schema; }

  // Bytes between the read position and the end of the data.
  ULONGLONG BytesLeft() const;
  // Throws endOfFile unless count items of itemBytes each fit in the bytes left.
  void CheckAvailable(ULONGLONG count, ULONGLONG itemBytes = 1) const;

  CDocument* m_pDocument = nullptr;

 private:
  struct LoadEntry {
    const CRuntimeClass* cls;  // set for a class entry
    CObject* object;           // set for an object entry (null for index 0)
    UINT schema;               // the schema a class entry was written with
  };

  template <typename T>
  CArchive& WriteValue(T v) {
    static_assert(std::is_arithmetic<T>::value, "primitive");
    Write(&v, sizeof v);  // the targets are little-endian, as the format is
    return *this;
  }
  template <typename T>
  CArchive& ReadValue(T& v) {
    ReadExact(&v, sizeof v);
    return *this;
  }

  void ReadExact(void* buffer, UINT count);
  void FillBuffer();
  void WriteClass(const CRuntimeClass* cls);
  // Reads a tag. Returns the class of a new object, or null with the object index.
  const CRuntimeClass* ReadClass(const CRuntimeClass* requested, UINT* schema, DWORD* objectIndex);
  CObject* ReadNewObjectOf(const CRuntimeClass* cls, UINT schema);
  void WriteIndexTag(DWORD index, bool isClass);
  DWORD NextMapIndex();
  [[noreturn]] void Fail(CArchiveException::Cause cause) const;

  CFile* m_pFile;
  bool m_loading;
  size_t m_bufferSize;
  std::vector<BYTE> m_buffer;
  size_t m_cursor = 0;  // loading: next unread byte of m_buffer
  ULONGLONG m_fileBytesLeft = 0;  // loading: bytes not yet taken into the buffer

  DWORD m_nMapCount = 1;
  std::unordered_map<const void*, DWORD> m_storeMap;
  std::vector<LoadEntry> m_loadArray;
  UINT m_nObjectSchema = static_cast<UINT>(-1);
};

// Pointers to archivable classes go through the object-reference form.
template <typename T, typename = std::enable_if_t<std::is_base_of<CObject, T>::value>>
CArchive& operator<<(CArchive& ar, const T* object) {
  ar.WriteObject(object);
  return ar;
}

template <typename T, typename = std::enable_if_t<std::is_base_of<CObject, T>::value>>
CArchive& operator>>(CArchive& ar, T*& object) {
  object = static_cast<T*>(ar.ReadObject(RUNTIME_CLASS(T)));
  return ar;
}

// Fixed-size arrays of primitives, element by element.
template <typename T, size_t N>
void StoreEach(CArchive& ar, const T (&values)[N]) {
  for (const T& v : values) ar << v;
}

template <typename T, size_t N>
void LoadEach(CArchive& ar, T (&values)[N]) {
  for (T& v : values) ar >> v;
}
