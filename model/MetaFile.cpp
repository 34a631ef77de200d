#include "model/MetaFile.h"

#include <cstring>
#include <new>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"
#include "framework/core/Module.h"
#include "graphics/EncodingCheck.h"
#include "resources/PlaceholderPicture.h"

IMPLEMENT_SERIAL(CMetaFile, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr DWORD kPlaceableKey = 0x9AC6CDD7;
constexpr UINT kPlaceableHeaderBytes = 22;
constexpr UINT kMetaHeaderBytes = 18;

WORD Word(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD Dword(const BYTE* p) { return Word(p) | (static_cast<DWORD>(Word(p + 2)) << 16); }

}  // namespace

CMetaFile::~CMetaFile() { Replace(nullptr); }

void CMetaFile::Replace(HENHMETAFILE metafile) {
  if (m_hEnhMetaFile && m_hEnhMetaFile != metafile) ::DeleteEnhMetaFile(m_hEnhMetaFile);
  m_hEnhMetaFile = metafile;
}

BOOL CMetaFile::LoadWindowsMetafile(CFile* file) {
  if (!file) return FALSE;
  try {
    const ULONGLONG length = file->GetLength();
    BYTE header[sizeof m_placeableHeader] = {};
    BYTE key[4];
    file->SeekToBegin();
    if (file->Read(key, 4) != 4) return FALSE;
    ULONGLONG start = 0;
    if (Dword(key) == kPlaceableKey) {
      file->SeekToBegin();
      if (file->Read(header, kPlaceableHeaderBytes) != kPlaceableHeaderBytes) return FALSE;
      start = kPlaceableHeaderBytes;
    }

    BYTE metaHeader[kMetaHeaderBytes];
    file->Seek(static_cast<LONGLONG>(start), CFile::begin);
    if (file->Read(metaHeader, kMetaHeaderBytes) != kMetaHeaderBytes) return FALSE;
    const WORD type = Word(&metaHeader[0]);
    if (type != 1 && type != 2) return FALSE;  // memory or disk metafile
    if (Word(&metaHeader[2]) != kMetaHeaderBytes / 2) return FALSE;
    // The size field counts 16-bit words; a damaged one may claim more than 4 GB or more
    // than the file holds, so it is checked before anything is allocated.
    const ULONGLONG size = 2ULL * Dword(&metaHeader[6]);
    if (size < kMetaHeaderBytes + 6 || size > length - start || size > 0x7FFFFFFF) return FALSE;

    std::vector<BYTE> bits;
    try {
      bits.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
      return FALSE;
    }
    file->Seek(static_cast<LONGLONG>(start), CFile::begin);
    if (file->Read(bits.data(), static_cast<UINT>(size)) != size) return FALSE;
    if (!WindowsMetafileSound(bits.data(), bits.size(), start ? PlaceableSide(header) : 0)) return FALSE;

    METAFILEPICT picture = {MM_TEXT, 1000, 1000, nullptr};
    HENHMETAFILE metafile = ::SetWinMetaFileBits(static_cast<UINT>(size), bits.data(), nullptr, &picture);
    if (!metafile) return FALSE;
    Replace(metafile);
    std::memcpy(m_placeableHeader, header, sizeof m_placeableHeader);
    return TRUE;
  } catch (const CFileException&) {
    return FALSE;
  }
}

void CMetaFile::Play(CDC* dc, const CRect& rect) {
  if (!m_hEnhMetaFile || !dc || !dc->GetSafeHdc()) return;
  RECT bounds = rect;
  ::PlayEnhMetaFile(dc->GetSafeHdc(), m_hEnhMetaFile, &bounds);
}

void CMetaFile::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.Write(m_placeableHeader, sizeof m_placeableHeader);
    std::vector<BYTE> bits;
    if (m_hEnhMetaFile) {
      const UINT size = ::GetEnhMetaFileBits(m_hEnhMetaFile, 0, nullptr);
      try {
        bits.resize(size);
      } catch (const std::bad_alloc&) {
        bits.clear();
      }
      if (!bits.empty() && ::GetEnhMetaFileBits(m_hEnhMetaFile, size, bits.data()) != size) bits.clear();
    }
    ar << static_cast<DWORD>(bits.size());
    if (!bits.empty()) ar.Write(bits.data(), static_cast<UINT>(bits.size()));
    return;
  }

  ar.GetObjectSchema();  // every schema so far has this record
  BYTE header[sizeof m_placeableHeader];
  ar.CheckAvailable(sizeof header);
  ar.Read(header, sizeof header);
  DWORD size;
  ar >> size;
  ar.CheckAvailable(size);
  Replace(nullptr);
  std::memcpy(m_placeableHeader, header, sizeof header);
  if (size == 0) return;

  std::vector<BYTE> bits;
  try {
    bits.resize(size);
  } catch (const std::bad_alloc&) {
    // Too large to hold: pass over the bytes so the archive stays in step.
    BYTE chunk[4096];
    for (DWORD left = size; left > 0;) {
      const UINT n = left < sizeof chunk ? static_cast<UINT>(left) : static_cast<UINT>(sizeof chunk);
      ar.Read(chunk, n);
      left -= n;
    }
    return;
  }
  ar.Read(bits.data(), size);
  DWORD total = 0;
  if (EnhancedMetafileSound(bits.data(), bits.size(), &total)) Replace(::SetEnhMetaFileBits(total, bits.data()));
}

std::unique_ptr<CMetaFile> LoadPlaceholderMetafile() {
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(IDR_PLACEHOLDER_PICTURE), RT_PLACEHOLDER_PICTURE);
  if (!resource) return nullptr;
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  const DWORD size = ::SizeofResource(module, resource);
  if (!data || size == 0) return nullptr;
  CMemFile file(static_cast<const BYTE*>(data), size);
  auto metafile = std::make_unique<CMetaFile>();
  metafile->LoadWindowsMetafile(&file);
  return metafile;
}
