// A source of bytes read in order with occasional repositioning: the MPEG audio reader
// takes its frames from one, so the same code reads files on disk and bytes in memory.
#pragma once

#include <cstddef>
#include <cstdint>

class CByteSource {
 public:
  CByteSource() = default;
  virtual ~CByteSource() = default;
  CByteSource(const CByteSource&) = delete;
  CByteSource& operator=(const CByteSource&) = delete;

  // Reads up to size bytes at the current position and moves past them; returns how
  // many were read, 0 at the end or on an error.
  virtual size_t Read(void* buffer, size_t size) = 0;
  // Moves to an absolute offset; false when the offset lies beyond the end.
  virtual bool Seek(uint64_t offset) = 0;
  virtual uint64_t GetSize() const = 0;
};
