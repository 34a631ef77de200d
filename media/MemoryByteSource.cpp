#include "media/MemoryByteSource.h"

#include <cstring>

CMemoryByteSource::CMemoryByteSource(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

CMemoryByteSource::CMemoryByteSource(const void* data, size_t size)
    : m_bytes(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size) {}

size_t CMemoryByteSource::Read(void* buffer, size_t size) {
  size_t n = m_bytes.size() - m_position;
  if (n > size) n = size;
  if (n > 0) std::memcpy(buffer, m_bytes.data() + m_position, n);
  m_position += n;
  return n;
}

bool CMemoryByteSource::Seek(uint64_t offset) {
  if (offset > m_bytes.size()) return false;
  m_position = static_cast<size_t>(offset);
  return true;
}
