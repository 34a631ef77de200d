#include "framework/core/Archive.h"

#include <cstring>

#include "framework/core/Codepage.h"

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFEu;
constexpr size_t kMaxClassNameLength = 64;

}  // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_pFile(file), m_loading((mode & load) != 0), m_bufferSize(bufferSize > 16 ? bufferSize : 16) {
  if (m_loading) {
    ULONGLONG length = m_pFile->GetLength(), position = m_pFile->GetPosition();
    m_fileBytesLeft = length > position ? length - position : 0;
    m_loadArray.push_back(LoadEntry{nullptr, nullptr, 0});
  } else {
    m_buffer.reserve(m_bufferSize);
  }
}

void CArchive::Fail(CArchiveException::Cause cause) const {
  throw CArchiveException(cause, m_pFile ? m_pFile->GetFilePath() : CString());
}

void CArchive::Close() {
  Flush();
  m_pFile = nullptr;
}

void CArchive::Flush() {
  if (m_loading || !m_pFile || m_buffer.empty()) return;
  std::vector<BYTE> pending;
  pending.swap(m_buffer);
  m_buffer.reserve(m_bufferSize);
  m_pFile->Write(pending.data(), static_cast<UINT>(pending.size()));
}

ULONGLONG CArchive::BytesLeft() const { return (m_buffer.size() - m_cursor) + m_fileBytesLeft; }

void CArchive::CheckAvailable(ULONGLONG count, ULONGLONG itemBytes) const {
  if (itemBytes != 0 && count > BytesLeft() / itemBytes) Fail(CArchiveException::endOfFile);
}

void CArchive::FillBuffer() {
  m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_cursor));
  m_cursor = 0;
  size_t want = m_bufferSize > m_buffer.size() ? m_bufferSize - m_buffer.size() : 0;
  if (want > m_fileBytesLeft) want = static_cast<size_t>(m_fileBytesLeft);
  if (want == 0) return;
  size_t had = m_buffer.size();
  m_buffer.resize(had + want);
  UINT got = m_pFile->Read(m_buffer.data() + had, static_cast<UINT>(want));
  m_buffer.resize(had + got);
  // The file ended earlier than its length said: nothing more will come.
  m_fileBytesLeft = got < want ? 0 : m_fileBytesLeft - got;
}

UINT CArchive::Read(void* buffer, UINT count) {
  if (!m_loading) Fail(CArchiveException::writeOnly);
  BYTE* out = static_cast<BYTE*>(buffer);
  UINT done = 0;
  while (done < count) {
    if (m_cursor == m_buffer.size()) {
      if (m_fileBytesLeft == 0) break;
      // Large reads bypass the buffer.
      if (count - done >= m_bufferSize) {
        UINT want = count - done;
        if (want > m_fileBytesLeft) want = static_cast<UINT>(m_fileBytesLeft);
        UINT got = m_pFile->Read(out + done, want);
        done += got;
        m_fileBytesLeft = got < want ? 0 : m_fileBytesLeft - got;
        continue;
      }
      FillBuffer();
      if (m_cursor == m_buffer.size()) break;
    }
    size_t n = m_buffer.size() - m_cursor;
    if (n > count - done) n = count - done;
    std::memcpy(out + done, m_buffer.data() + m_cursor, n);
    m_cursor += n;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CArchive::ReadExact(void* buffer, UINT count) {
  if (Read(buffer, count) != count) Fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* buffer, UINT count) {
  if (m_loading) Fail(CArchiveException::readOnly);
  const BYTE* in = static_cast<const BYTE*>(buffer);
  if (m_buffer.size() + count > m_bufferSize) {
    Flush();
    if (count >= m_bufferSize) {
      m_pFile->Write(in, count);
      return;
    }
  }
  m_buffer.insert(m_buffer.end(), in, in + count);
}

// Strings: a length of 1, 3 or 7 bytes, then the bytes in code page 936.
CArchive& CArchive::operator<<(const CString& s) {
  const DWORD n = static_cast<DWORD>(s.GetLength());
  if (n < 0xFF) {
    *this << static_cast<BYTE>(n);
  } else if (n < 0xFFFE) {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(n);
  } else {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << n;
  }
  Write(s.GetString(), n);
  return *this;
}

CArchive& CArchive::operator>>(CString& s) {
  auto readLength = [this]() -> DWORD {
    BYTE b;
    *this >> b;
    if (b < 0xFF) return b;
    WORD w;
    *this >> w;
    if (w == 0xFFFE) return 0xFFFFFFFFu;  // marks a UTF-16 string; its length follows
    if (w < 0xFFFF) return w;
    DWORD d;
    *this >> d;
    return d;
  };
  DWORD n = readLength();
  bool wide = false;
  if (n == 0xFFFFFFFFu) {
    wide = true;
    n = readLength();
    if (n == 0xFFFFFFFFu) Fail(CArchiveException::genericException);
  }
  CheckAvailable(n, wide ? 2 : 1);
  if (wide) {
    std::wstring text(n, L'\0');
    if (n) ReadExact(&text[0], n * 2);
    s = CString(codepage::FromWide(text));
  } else {
    std::string text(n, '\0');
    if (n) ReadExact(&text[0], n);
    s = CString(std::move(text));
  }
  return *this;
}

CArchive& CArchive::operator<<(const CTime& t) { return *this << static_cast<DWORD>(t.GetTime()); }

CArchive& CArchive::operator>>(CTime& t) {
  DWORD seconds;
  *this >> seconds;
  t = CTime(static_cast<int64_t>(seconds));
  return *this;
}

CArchive& CArchive::operator<<(const POINT& p) { return *this << p.x << p.y; }
CArchive& CArchive::operator>>(POINT& p) { return *this >> p.x >> p.y; }
CArchive& CArchive::operator<<(const SIZE& s) { return *this << s.cx << s.cy; }
CArchive& CArchive::operator>>(SIZE& s) { return *this >> s.cx >> s.cy; }
CArchive& CArchive::operator<<(const RECT& r) { return *this << r.left << r.top << r.right << r.bottom; }
CArchive& CArchive::operator>>(RECT& r) { return *this >> r.left >> r.top >> r.right >> r.bottom; }

void CArchive::WriteCount(DWORD count) {
  if (count < 0xFFFF) {
    *this << static_cast<WORD>(count);
  } else {
    *this << static_cast<WORD>(0xFFFF) << count;
  }
}

DWORD CArchive::ReadCount(size_t minItemBytes) {
  WORD w;
  *this >> w;
  DWORD count = w;
  if (w == 0xFFFF) *this >> count;
  CheckAvailable(count, minItemBytes);
  return count;
}

DWORD CArchive::NextMapIndex() {
  if (m_nMapCount >= kMaxMapCount) Fail(CArchiveException::badIndex);
  return m_nMapCount++;
}

void CArchive::WriteIndexTag(DWORD index, bool isClass) {
  if (index < kBigObjectTag) {
    *this << static_cast<WORD>(isClass ? (kClassTag | index) : index);
  } else {
    *this << kBigObjectTag << (isClass ? (kBigClassTag | index) : index);
  }
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
  if (cls->m_wSchema == 0xFFFF) Fail(CArchiveException::badClass);
  auto it = m_storeMap.find(cls);
  if (it != m_storeMap.end()) {
    WriteIndexTag(it->second, true);
    return;
  }
  const WORD nameLength = static_cast<WORD>(std::strlen(cls->m_lpszClassName));
  *this << kNewClassTag << static_cast<WORD>(cls->m_wSchema & ~VERSIONABLE_SCHEMA) << nameLength;
  Write(cls->m_lpszClassName, nameLength);
  m_storeMap[cls] = NextMapIndex();
}

void CArchive::WriteObject(const CObject* object) {
  if (!object) {
    *this << kNullTag;
    return;
  }
  auto it = m_storeMap.find(object);
  if (it != m_storeMap.end()) {
    WriteIndexTag(it->second, false);
    return;
  }
  WriteClass(object->GetRuntimeClass());
  // The object takes its index before its record, so references inside it can name it.
  m_storeMap[object] = NextMapIndex();
  const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requested, UINT* schema, DWORD* objectIndex) {
  WORD tag;
  *this >> tag;
  DWORD index;
  if (tag == kBigObjectTag) {
    *this >> index;
  } else {
    index = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);
  }
  if (tag != kNewClassTag && !(index & kBigClassTag)) {
    *objectIndex = index;
    return nullptr;
  }

  const CRuntimeClass* cls = nullptr;
  if (tag == kNewClassTag) {
    WORD writtenSchema, nameLength;
    *this >> writtenSchema >> nameLength;
    char name[kMaxClassNameLength + 1] = {};
    if (nameLength > kMaxClassNameLength || Read(name, nameLength) != nameLength) Fail(CArchiveException::badClass);
    cls = CRuntimeClass::FromName(name);
    // Classes made by name for the framework (frames, views) are not archivable: a file
    // naming one must not get it created.
    if (!cls || !cls->m_pfnCreateObject || cls->m_wSchema == 0xFFFF) Fail(CArchiveException::badClass);
    if ((cls->m_wSchema & ~VERSIONABLE_SCHEMA) != writtenSchema && !(cls->m_wSchema & VERSIONABLE_SCHEMA))
      Fail(CArchiveException::badSchema);
    *schema = writtenSchema;
    NextMapIndex();
    m_loadArray.push_back(LoadEntry{cls, nullptr, writtenSchema});
  } else {
    DWORD classIndex = index & ~kBigClassTag;
    if (classIndex == 0 || classIndex >= m_loadArray.size() || !m_loadArray[classIndex].cls)
      Fail(CArchiveException::badIndex);
    cls = m_loadArray[classIndex].cls;
    *schema = m_loadArray[classIndex].schema;
  }
  if (requested && !cls->IsDerivedFrom(requested)) Fail(CArchiveException::badClass);
  return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requested) {
  if (!m_loading) Fail(CArchiveException::writeOnly);
  UINT schema = 0;
  DWORD index = 0;
  const CRuntimeClass* cls = ReadClass(requested, &schema, &index);
  if (!cls) {
    if (index >= m_loadArray.size() || m_loadArray[index].cls) Fail(CArchiveException::badIndex);
    CObject* object = m_loadArray[index].object;
    if (index != 0 && !object) Fail(CArchiveException::badIndex);  // its record failed to read
    if (object && requested && !object->IsKindOf(requested)) Fail(CArchiveException::badClass);
    return object;
  }

  return ReadNewObjectOf(cls, schema);
}

CObject* CArchive::ReadNewObject(const std::function<bool(const CRuntimeClass*)>& accept) {
  if (!m_loading) Fail(CArchiveException::writeOnly);
  UINT schema = 0;
  DWORD index = 0;
  const CRuntimeClass* cls = ReadClass(nullptr, &schema, &index);
  if (!cls || !accept(cls)) Fail(CArchiveException::badClass);
  return ReadNewObjectOf(cls, schema);
}

CObject* CArchive::ReadObjectIf(const std::function<bool(const CRuntimeClass*)>& accept, bool& isNew) {
  if (!m_loading) Fail(CArchiveException::writeOnly);
  UINT schema = 0;
  DWORD index = 0;
  const CRuntimeClass* cls = ReadClass(nullptr, &schema, &index);
  if (!cls) {
    if (index >= m_loadArray.size() || m_loadArray[index].cls) Fail(CArchiveException::badIndex);
    CObject* object = m_loadArray[index].object;
    if (!object || !accept(object->GetRuntimeClass())) Fail(CArchiveException::badClass);
    isNew = false;
    return object;
  }
  if (!accept(cls)) Fail(CArchiveException::badClass);
  isNew = true;
  return ReadNewObjectOf(cls, schema);
}

CObject* CArchive::ReadNewObjectOf(const CRuntimeClass* cls, UINT schema) {
  CObject* object = cls->CreateObject();
  NextMapIndex();
  const size_t slot = m_loadArray.size();
  // Entered before its record is read, so references inside it can name it.
  m_loadArray.push_back(LoadEntry{nullptr, object, 0});
  const UINT savedSchema = m_nObjectSchema;
  m_nObjectSchema = schema;
  try {
    object->Serialize(*this);
  } catch (...) {
    m_loadArray[slot].object = nullptr;
    delete object;
    throw;
  }
  m_nObjectSchema = savedSchema;
  return object;
}

UINT CArchive::GetObjectSchema() {
  UINT schema = m_nObjectSchema;
  m_nObjectSchema = static_cast<UINT>(-1);
  return schema;
}
