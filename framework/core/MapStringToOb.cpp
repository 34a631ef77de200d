#include "framework/core/MapStringToOb.h"

#include "framework/core/Archive.h"

IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)

CMapStringToOb::~CMapStringToOb() { RemoveAll(); }

UINT CMapStringToOb::HashKey(const char* key) {
  UINT hash = 0;
  for (; *key; ++key) hash = (hash << 5) + hash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*key)));
  return hash;
}

void CMapStringToOb::InitHashTable(UINT hashSize, BOOL allocNow) {
  if (m_count != 0 || hashSize == 0) return;
  m_hashTableSize = hashSize;
  m_buckets.clear();
  if (allocNow) m_buckets.assign(hashSize, nullptr);
}

CMapStringToOb::Assoc* CMapStringToOb::Find(const char* key, UINT& bucket) const {
  bucket = HashKey(key) % m_hashTableSize;
  if (m_buckets.empty()) return nullptr;
  for (Assoc* a = m_buckets[bucket]; a; a = a->next)
    if (a->key == key) return a;
  return nullptr;
}

BOOL CMapStringToOb::Lookup(const char* key, CObject*& value) const {
  UINT bucket;
  Assoc* a = Find(key, bucket);
  if (!a) return FALSE;
  value = a->value;
  return TRUE;
}

CObject*& CMapStringToOb::operator[](const char* key) {
  UINT bucket;
  if (Assoc* a = Find(key, bucket)) return a->value;
  if (m_buckets.empty()) m_buckets.assign(m_hashTableSize, nullptr);
  // New keys go to the front of their bucket.
  Assoc* a = new Assoc{m_buckets[bucket], bucket, CString(key), nullptr};
  m_buckets[bucket] = a;
  ++m_count;
  return a->value;
}

BOOL CMapStringToOb::RemoveKey(const char* key) {
  if (m_buckets.empty()) return FALSE;
  UINT bucket = HashKey(key) % m_hashTableSize;
  for (Assoc** link = &m_buckets[bucket]; *link; link = &(*link)->next) {
    if ((*link)->key == key) {
      Assoc* gone = *link;
      *link = gone->next;
      delete gone;
      --m_count;
      return TRUE;
    }
  }
  return FALSE;
}

void CMapStringToOb::RemoveAll() {
  for (Assoc*& head : m_buckets) {
    for (Assoc* a = head; a;) {
      Assoc* next = a->next;
      delete a;
      a = next;
    }
    head = nullptr;
  }
  m_buckets.clear();
  m_count = 0;
}

void CMapStringToOb::GetNextAssoc(POSITION& pos, CString& key, CObject*& value) const {
  Assoc* a = reinterpret_cast<Assoc*>(pos);
  if (pos == BEFORE_START_POSITION) {
    a = nullptr;
    for (UINT b = 0; b < m_buckets.size() && !a; ++b) a = m_buckets[b];
  }
  key = a->key;
  value = a->value;
  Assoc* next = a->next;
  for (UINT b = a->hash + 1; !next && b < m_buckets.size(); ++b) next = m_buckets[b];
  pos = reinterpret_cast<POSITION>(next);
}

void CMapStringToOb::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(m_count));
    for (POSITION pos = GetStartPosition(); pos;) {
      CString key;
      CObject* value;
      GetNextAssoc(pos, key, value);
      ar << key;
      ar.WriteObject(value);
    }
  } else {
    // Every element takes at least a 1-byte key length and a 2-byte tag.
    for (DWORD n = ar.ReadCount(3); n > 0; --n) {
      CString key;
      ar >> key;
      CObject* value = ar.ReadObject(RUNTIME_CLASS(CObject));
      SetAt(key, value);
    }
  }
}
