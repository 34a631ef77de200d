#include "media/FileByteSource.h"

#include <windows.h>

CFileByteSource::~CFileByteSource() { Close(); }

bool CFileByteSource::Open(const char* path) {
  Close();
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  m_handle = h;
  return true;
}

void CFileByteSource::Close() {
  if (m_handle) {
    CloseHandle(static_cast<HANDLE>(m_handle));
    m_handle = nullptr;
  }
}

bool CFileByteSource::IsOpen() const { return m_handle != nullptr; }

size_t CFileByteSource::Read(void* buffer, size_t size) {
  if (!m_handle) return 0;
  size_t total = 0;
  while (total < size) {
    DWORD chunk = size - total > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size - total);
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(m_handle), static_cast<char*>(buffer) + total, chunk, &got,
                  nullptr) ||
        got == 0)
      break;
    total += got;
  }
  return total;
}

bool CFileByteSource::Seek(uint64_t offset) {
  if (!m_handle || offset > GetSize()) return false;
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(static_cast<HANDLE>(m_handle), to, nullptr, FILE_BEGIN) != 0;
}

uint64_t CFileByteSource::GetSize() const {
  LARGE_INTEGER size;
  if (!m_handle || !GetFileSizeEx(static_cast<HANDLE>(m_handle), &size)) return 0;
  return static_cast<uint64_t>(size.QuadPart);
}
