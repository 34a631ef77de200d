// Reads a byte buffer as a stream of bits, most significant first. Reads never leave the
// buffer: the owner keeps kPadding readable bytes after the data, and a position past
// the data reads as zero bits from that padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class CMp3BitReader {
 public:
  static constexpr size_t kPadding = 8;

  void Reset(const uint8_t* data, size_t size) {
    m_data = data;
    m_size = size;
    m_position = 0;
  }

  // The next 32 bits without moving.
  uint32_t Peek32() const {
    size_t at = m_position >> 3;
    if (at > m_size) at = m_size;
    uint64_t word;
    std::memcpy(&word, m_data + at, 8);
    word = __builtin_bswap64(word);
    return static_cast<uint32_t>((word << (m_position & 7)) >> 32);
  }
  // The next n bits (1..32) without moving.
  uint32_t Peek(int n) const { return Peek32() >> (32 - n); }
  void Skip(int n) { m_position += static_cast<size_t>(n); }
  // The next n bits (0..32), moving past them.
  uint32_t Get(int n) {
    if (n == 0) return 0;
    uint32_t v = Peek(n);
    m_position += static_cast<size_t>(n);
    return v;
  }
  uint32_t Get1() { return Get(1); }

  size_t GetPosition() const { return m_position; }
  void SetPosition(size_t bits) { m_position = bits; }

 private:
  const uint8_t* m_data = nullptr;
  size_t m_size = 0;
  size_t m_position = 0;
};
