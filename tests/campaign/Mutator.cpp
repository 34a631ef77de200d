#include "tests/campaign/Mutator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

template <typename T>
void Put(std::vector<uint8_t>& bytes, size_t at, T value) {
  if (at + sizeof(T) <= bytes.size()) std::memcpy(&bytes[at], &value, sizeof(T));
}

// Offsets whose eight bytes read as an ordinary double: where the records keep reals.
std::vector<size_t> PlausibleDoubles(const std::vector<uint8_t>& bytes) {
  std::vector<size_t> offsets;
  for (size_t at = 0; at + 8 <= bytes.size(); ++at) {
    double d;
    std::memcpy(&d, &bytes[at], 8);
    const double a = std::fabs(d);
    if (std::isfinite(d) && a >= 1e-3 && a <= 1e7 && d == std::floor(d * 64) / 64) offsets.push_back(at);
  }
  return offsets;
}

const uint32_t kExtreme32[] = {0, 1, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x7FFFFFFEu, 0x80000001u,
                               0x00FFFFFFu, 0xFFFF0000u, 0x10000u, 0x40000000u, 0xC0000000u};
const uint16_t kExtreme16[] = {0, 1, 0xFFFF, 0x7FFF, 0x8000, 0xFFFE, 0x00FF};
const uint8_t kExtreme8[] = {0, 1, 0xFF, 0x7F, 0x80};
const double kExtremeDouble[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(), 1e300, -1e300, 1e-300,
                                 std::numeric_limits<double>::max(), 4294967296.0, -2147483649.0};

}  // namespace

uint64_t CaseRandom::Next() {
  uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

CaseRandom CaseSource(uint64_t seed, uint64_t index) {
  CaseRandom mix(seed * 0xD1B54A32D192ED03ull + index);
  return CaseRandom(mix.Next() ^ index);
}

std::string Mutate(std::vector<uint8_t>& bytes, CaseRandom& random) {
  std::string log;
  const size_t changes = 1 + (random.Below(4) == 0 ? random.Below(4) : 0);
  char line[96];
  for (size_t c = 0; c < changes && !bytes.empty(); ++c) {
    const size_t n = bytes.size();
    const size_t at = random.Below(n);
    const size_t kind = random.Below(100);
    if (kind < 15) {
      const int bit = static_cast<int>(random.Below(8));
      bytes[at] ^= static_cast<uint8_t>(1u << bit);
      std::snprintf(line, sizeof line, "flip bit %d of byte %zu\n", bit, at);
    } else if (kind < 25) {
      const uint8_t v = kExtreme8[random.Below(sizeof kExtreme8)];
      bytes[at] = v;
      std::snprintf(line, sizeof line, "byte %zu = 0x%02X\n", at, v);
    } else if (kind < 37) {
      const uint16_t v = kExtreme16[random.Below(sizeof kExtreme16 / sizeof *kExtreme16)];
      Put(bytes, at, v);
      std::snprintf(line, sizeof line, "word %zu = 0x%04X\n", at, v);
    } else if (kind < 55) {
      const uint32_t v = kExtreme32[random.Below(sizeof kExtreme32 / sizeof *kExtreme32)];
      Put(bytes, at, v);
      std::snprintf(line, sizeof line, "dword %zu = 0x%08X\n", at, v);
    } else if (kind < 65) {
      // Any value at all, as hand-made files hold: large coordinates, angles, counts.
      const uint32_t v = static_cast<uint32_t>(random.Next());
      Put(bytes, at, v);
      std::snprintf(line, sizeof line, "dword %zu = 0x%08X\n", at, v);
    } else if (kind < 70) {
      // A count or size a little off.
      uint32_t v = 0;
      if (at + 4 <= n) std::memcpy(&v, &bytes[at], 4);
      v += static_cast<uint32_t>(static_cast<int>(random.Below(9)) - 4);
      Put(bytes, at, v);
      std::snprintf(line, sizeof line, "dword %zu += small = 0x%08X\n", at, v);
    } else if (kind < 80) {
      const std::vector<size_t> doubles = PlausibleDoubles(bytes);
      const size_t where = doubles.empty() ? at : doubles[random.Below(doubles.size())];
      const double v = kExtremeDouble[random.Below(sizeof kExtremeDouble / sizeof *kExtremeDouble)];
      Put(bytes, where, v);
      std::snprintf(line, sizeof line, "double %zu = %g\n", where, v);
    } else if (kind < 88) {
      const size_t length = std::min(n - at, 1 + random.Below(random.Below(2) ? 8 : 256));
      bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
      std::snprintf(line, sizeof line, "cut %zu bytes at %zu\n", length, at);
    } else if (kind < 96) {
      const size_t length = std::min(n - at, 1 + random.Below(random.Below(2) ? 8 : 256));
      const std::vector<uint8_t> chunk(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                       bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
      const size_t times = 1 + random.Below(3);
      for (size_t t = 0; t < times; ++t)
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), chunk.begin(), chunk.end());
      std::snprintf(line, sizeof line, "repeat %zu bytes at %zu %zu times\n", length, at, times);
    } else {
      bytes.resize(at);
      std::snprintf(line, sizeof line, "truncate at %zu\n", at);
    }
    log += line;
  }
  return log;
}
