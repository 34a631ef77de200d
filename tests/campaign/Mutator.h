// Damage made from valid bytes, the same for the same seed and case: bits flipped, bytes
// and 16- and 32-bit words set to extremes, doubles set to NaN, infinities and 1e300,
// chunks cut, repeated or the end truncated. A case applies one to four of these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A small generator with a state of its own (splitmix64): cases never share a sequence.
class CaseRandom {
 public:
  explicit CaseRandom(uint64_t seed) : m_state(seed) {}
  uint64_t Next();
  // 0 .. bound - 1; 0 for a bound of 0.
  size_t Below(size_t bound) { return bound ? static_cast<size_t>(Next() % bound) : 0; }

 private:
  uint64_t m_state;
};

// The random source of one case of a campaign.
CaseRandom CaseSource(uint64_t seed, uint64_t index);

// Mutates bytes in place and returns what it did, one line per change.
std::string Mutate(std::vector<uint8_t>& bytes, CaseRandom& random);
