// Bytes held in memory as a byte source; the source keeps its own copy.
#pragma once

#include <vector>

#include "media/ByteSource.h"

class CMemoryByteSource : public CByteSource {
 public:
  explicit CMemoryByteSource(std::vector<uint8_t> bytes);
  CMemoryByteSource(const void* data, size_t size);

  size_t Read(void* buffer, size_t size) override;
  bool Seek(uint64_t offset) override;
  uint64_t GetSize() const override { return m_bytes.size(); }

 private:
  std::vector<uint8_t> m_bytes;
  size_t m_position = 0;
};
