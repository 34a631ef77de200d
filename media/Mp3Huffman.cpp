#include "media/Mp3Huffman.h"

#include <algorithm>
#include <cstdlib>

#include "media/Mp3Tables.h"

namespace {

// Most words are found with one look at 11 bits; the rare longer ones (up to 19 bits)
// take a second look.
constexpr int kMaxLevelBits = 11;

}  // namespace

CMp3Huffman::CMp3Huffman(const char* text, int rowSize) {
  std::vector<Code> codes;
  const char* p = text;
  int maxLength = 0;
  const int count = rowSize > 0 ? rowSize * rowSize : 16;
  for (int i = 0; i < count; ++i) {
    while (*p == ' ') ++p;
    Code c{0, 0, rowSize > 0 ? (i / rowSize) << 4 | (i % rowSize) : i};
    while (*p == '0' || *p == '1') {
      c.bits = (c.bits << 1) | static_cast<uint32_t>(*p - '0');
      ++c.length;
      ++p;
    }
    maxLength = std::max(maxLength, c.length);
    codes.push_back(c);
  }
  m_rootBits = std::min(maxLength, kMaxLevelBits);
  m_entries.assign(size_t{1} << m_rootBits, 0);
  Build(codes, 0, m_rootBits);
}

// Fills the table at index `at`, of 2^levelBits entries, with the given codes, whose
// `bits` and `length` have had the bits of the levels above removed.
void CMp3Huffman::Build(std::vector<Code>& codes, size_t at, int levelBits) {
  std::vector<std::vector<Code>> longer(size_t{1} << levelBits);
  for (const Code& c : codes) {
    if (c.length <= levelBits) {
      const int spare = levelBits - c.length;
      const uint32_t first = c.bits << spare;
      const uint32_t leaf = static_cast<uint32_t>(c.value) << 8 | static_cast<uint32_t>(c.length);
      for (uint32_t i = 0; i < (1u << spare); ++i) m_entries[at + first + i] = leaf;
    } else {
      const int rest = c.length - levelBits;
      const uint32_t prefix = c.bits >> rest;
      longer[prefix].push_back(Code{c.bits & ((1u << rest) - 1), rest, c.value});
    }
  }
  for (size_t prefix = 0; prefix < longer.size(); ++prefix) {
    std::vector<Code>& group = longer[prefix];
    if (group.empty()) continue;
    int maxRest = 0;
    for (const Code& c : group) maxRest = std::max(maxRest, c.length);
    const int bits = std::min(maxRest, kMaxLevelBits);
    const size_t sub = m_entries.size();
    m_entries.resize(sub + (size_t{1} << bits), 0);
    m_entries[at + prefix] = kNode | static_cast<uint32_t>(sub) << 5 | static_cast<uint32_t>(bits);
    Build(group, sub, bits);
  }
}

const CMp3Huffman* CMp3Huffman::BigValueTable(int tableSelect) {
  struct Tables {
    CMp3Huffman empty;
    std::vector<CMp3Huffman> distinct;  // one per set of code words (16-23 and 24-31 share)
    const CMp3Huffman* bySelect[32] = {};
  };
  static const Tables* tables = [] {
    auto* t = new Tables;
    t->distinct.reserve(32);
    const char* previous = nullptr;
    for (int i = 0; i < 32; ++i) {
      int size = 0;
      const char* codes = mp3::HuffmanCodes(i, &size);
      if (i == 0) {
        t->bySelect[0] = &t->empty;
      } else if (codes) {
        if (codes != previous) t->distinct.push_back(CMp3Huffman(codes, size));
        t->bySelect[i] = &t->distinct.back();
        previous = codes;
      }
    }
    return t;
  }();
  if (tableSelect < 0 || tableSelect >= 32) return nullptr;
  return tables->bySelect[tableSelect];
}

const CMp3Huffman& CMp3Huffman::QuadrupleTable(int table) {
  static const CMp3Huffman a(mp3::QuadrupleCodes(0), 0);
  static const CMp3Huffman b(mp3::QuadrupleCodes(1), 0);
  return table == 0 ? a : b;
}
