// CMapStringToOb: a hash map from strings to object pointers (not owned). Its walk
// order is part of the file format, since it archives itself in that order: buckets
// in ascending order, the newest key first within a bucket, the bucket chosen by
// h = h * 33 + c over the key's bytes taken as signed chars.
#pragma once

#include <vector>

#include "framework/core/Object.h"
#include "framework/core/String.h"

class CMapStringToOb : public CObject {
  DECLARE_SERIAL(CMapStringToOb)
 public:
  explicit CMapStringToOb(int blockSize = 10) {}
  ~CMapStringToOb() override;
  CMapStringToOb(const CMapStringToOb&) = delete;
  CMapStringToOb& operator=(const CMapStringToOb&) = delete;

  int GetCount() const { return m_count; }
  int GetSize() const { return m_count; }
  BOOL IsEmpty() const { return m_count == 0; }
  UINT GetHashTableSize() const { return m_hashTableSize; }

  // Sets the number of buckets; takes effect only while the map is empty.
  void InitHashTable(UINT hashSize, BOOL allocNow = TRUE);

  BOOL Lookup(const char* key, CObject*& value) const;
  void SetAt(const char* key, CObject* value) { (*this)[key] = value; }
  CObject*& operator[](const char* key);
  BOOL RemoveKey(const char* key);
  void RemoveAll();

  POSITION GetStartPosition() const { return m_count ? BEFORE_START_POSITION : nullptr; }
  void GetNextAssoc(POSITION& pos, CString& key, CObject*& value) const;

  // A count, then per element its key and an object reference.
  void Serialize(CArchive& ar) override;

  static UINT HashKey(const char* key);

 private:
  struct Assoc {
    Assoc* next;
    UINT hash;
    CString key;
    CObject* value;
  };

  Assoc* Find(const char* key, UINT& bucket) const;

  std::vector<Assoc*> m_buckets;
  UINT m_hashTableSize = 17;
  int m_count = 0;
};
