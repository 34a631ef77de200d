#include "package/PackageEntry.h"

#include "framework/core/File.h"

bool PackageEntry::SetFromPath(const char* path) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
  ULONGLONG length = 0;
  try {
    length = file.GetLength();
  } catch (const CFileException&) {
    return false;
  }
  // Sizes and offsets in the directory are 32-bit.
  if (length > 0xFFFFFFFFull) return false;

  const CString fullPath(path);
  const CString name = fullPath.Mid(fullPath.ReverseFind('\\') + 1);
  if (name.GetLength() > kMaxNameLength) return false;
  m_size = static_cast<DWORD>(length);
  m_offset = 0;
  m_fullPath = fullPath;
  m_name = name;
  return true;
}

void PackageEntry::Clear() {
  m_name.Empty();
  m_fullPath.Empty();
  m_size = 0;
  m_offset = 0;
}
