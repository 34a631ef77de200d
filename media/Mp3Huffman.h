// Decoding tables for the Layer III Huffman codes, built once from the standard's code
// words. Every code of the standard is complete (each bit string starts a code word), so
// any input decodes to some value pair; a lookup never leaves its table.
#pragma once

#include <cstdint>
#include <vector>

#include "media/Mp3BitReader.h"

class CMp3Huffman {
 public:
  // The decoding table of a big-value table (0..31); null for the undefined tables 4 and
  // 14. Table 0 has no code words and decodes every pair as (0, 0) without reading.
  // Tables 16-23 and 24-31 share their words and differ only in linbits (mp3::kLinbits).
  static const CMp3Huffman* BigValueTable(int tableSelect);
  // The count1 table A (0) or B (1).
  static const CMp3Huffman& QuadrupleTable(int table);

  bool IsEmpty() const { return m_entries.empty(); }

  // Decodes a word that the first level resolves from the next 32 bits of the stream,
  // without reading; false when the word is longer (then use Decode).
  bool DecodeFrom(uint32_t bits, int* value, int* length) const {
    const uint32_t e = m_entries[bits >> (32 - m_rootBits)];
    if (e & kNode) return false;
    *value = static_cast<int>(e >> 8);
    *length = static_cast<int>(e & 31);
    return true;
  }

  // Decodes one code word; returns its value: (x << 4) | y, or v w x y in the low four
  // bits for the count1 tables.
  int Decode(CMp3BitReader& reader) const {
    const uint32_t* base = m_entries.data();
    int bits = m_rootBits;
    for (;;) {
      uint32_t e = base[reader.Peek(bits)];
      if (!(e & kNode)) {
        reader.Skip(static_cast<int>(e & 31));
        return static_cast<int>(e >> 8);
      }
      reader.Skip(bits);
      bits = static_cast<int>(e & 31);
      base = m_entries.data() + ((e & ~kNode) >> 5);
    }
  }

 private:
  // rowSize: values per row of a pair table (x, y < rowSize); 0 for a count1 table.
  CMp3Huffman(const char* codes, int rowSize);
  CMp3Huffman() = default;

  struct Code {
    uint32_t bits;
    int length;
    int value;
  };
  void Build(std::vector<Code>& codes, size_t at, int levelBits);

  static constexpr uint32_t kNode = 0x80000000u;
  // A leaf holds the bits its word uses at that level (low 5 bits) and the value above
  // bit 8; a node holds the first entry of its subtable (above bit 5) and how many bits
  // the subtable looks at.
  std::vector<uint32_t> m_entries;
  int m_rootBits = 0;
};
