// The file byte source for the native test build, over POSIX file descriptors; the
// programs use the Win32 one in media/FileByteSource.cpp.
#include "media/FileByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

namespace {

int Fd(void* handle) { return static_cast<int>(reinterpret_cast<intptr_t>(handle)) - 1; }

}  // namespace

CFileByteSource::~CFileByteSource() { Close(); }

bool CFileByteSource::Open(const char* path) {
  Close();
  const int fd = ::open(path, O_RDONLY);
  if (fd < 0) return false;
  m_handle = reinterpret_cast<void*>(static_cast<intptr_t>(fd) + 1);
  return true;
}

void CFileByteSource::Close() {
  if (m_handle) {
    ::close(Fd(m_handle));
    m_handle = nullptr;
  }
}

bool CFileByteSource::IsOpen() const { return m_handle != nullptr; }

size_t CFileByteSource::Read(void* buffer, size_t size) {
  if (!m_handle) return 0;
  size_t total = 0;
  while (total < size) {
    const ssize_t got = ::read(Fd(m_handle), static_cast<char*>(buffer) + total, size - total);
    if (got <= 0) break;
    total += static_cast<size_t>(got);
  }
  return total;
}

bool CFileByteSource::Seek(uint64_t offset) {
  if (!m_handle || offset > GetSize()) return false;
  return ::lseek(Fd(m_handle), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

uint64_t CFileByteSource::GetSize() const {
  struct stat st;
  if (!m_handle || ::fstat(Fd(m_handle), &st) != 0) return 0;
  return static_cast<uint64_t>(st.st_size);
}
