#include "player/PackagePageFile.h"

#include <algorithm>

BOOL CPackagePageFile::OpenPage(const char* packagePath, DWORD offset, DWORD size, CFileException* error) {
  if (!Open(packagePath, modeRead | shareDenyWrite, error)) return FALSE;
  const ULONGLONG length = CFile::GetLength();
  m_end = std::min<ULONGLONG>(length, static_cast<ULONGLONG>(offset) + size);
  Seek(std::min<ULONGLONG>(offset, m_end), begin);
  return TRUE;
}

UINT CPackagePageFile::Read(void* buffer, UINT count) {
  const ULONGLONG position = GetPosition();
  const ULONGLONG left = m_end > position ? m_end - position : 0;
  return CFile::Read(buffer, static_cast<UINT>(std::min<ULONGLONG>(count, left)));
}
