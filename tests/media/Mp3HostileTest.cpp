// Damaged and hostile input: nothing crashes, nothing is read or written outside a
// buffer (the native build runs these under the address sanitizer), and frames after the
// damage decode as they would have.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "tests/media/Mp3TestSupport.h"

namespace {

struct Random {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
};

// Offsets of the frames of a clean constant-rate file, found by walking its headers.
std::vector<size_t> FrameOffsets(const std::vector<uint8_t>& bytes) {
  static const int kRates[2][16] = {{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
                                    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}};
  static const int kFrequencies[2][3] = {{22050, 24000, 16000}, {44100, 48000, 32000}};
  std::vector<size_t> offsets;
  size_t at = 0;
  while (at + 4 <= bytes.size()) {
    const uint32_t h = uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
                       uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
    const int id = h >> 19 & 1;
    size_t n = 144u * kRates[id][h >> 12 & 15] * 1000 / kFrequencies[id][h >> 10 & 3];
    if (id == 0) n /= 2;
    n += h >> 9 & 1;
    offsets.push_back(at);
    at += n;
  }
  return offsets;
}

TEST(Mp3Hostile, RandomBytes) {
  Random random{12345};
  for (int round = 0; round < 8; ++round) {
    std::vector<uint8_t> bytes(65536);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random.Next());
    // Plenty of plausible headers among the noise.
    for (size_t i = 0; i + 4 < bytes.size(); i += 1 + random.Next() % 700) {
      bytes[i] = 0xFF;
      bytes[i + 1] = static_cast<uint8_t>(0xF2 | (random.Next() & 0x09));
    }
    auto stream = mp3test::OpenBytes(bytes);
    if (stream->IsOpen()) mp3test::DecodeAll(*stream);
  }
}

// Every frame in turn gets a few bytes overwritten; the decoding goes on, and four frames
// later (past the reservoir and the filters' memory) the output is that of the clean file.
TEST(Mp3Hostile, EveryFrameDamagedInTurn) {
  Random random{777};
  for (const char* name : {"mix_joint_192.mp3", "noise_22k.mp3", "tone_mono.mp3", "noise_crc.mp3",
                           "bursts_128.mp3"}) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> clean = mp3test::ReadFile(mp3test::FixturePath(name));
    ASSERT_FALSE(clean.empty());
    auto cleanStream = mp3test::OpenBytes(clean);
    const mp3test::Decoded reference = mp3test::DecodeAll(*cleanStream);
    const std::vector<size_t> offsets = FrameOffsets(clean);
    ASSERT_EQ(static_cast<size_t>(reference.frames), offsets.size());
    const size_t frameValues = static_cast<size_t>(reference.frameValues.at(0));
    for (size_t k = 0; k < offsets.size(); ++k) {
      std::vector<uint8_t> bytes = clean;
      const size_t start = offsets[k];
      const size_t length = (k + 1 < offsets.size() ? offsets[k + 1] : clean.size()) - start;
      const int hits = 1 + static_cast<int>(random.Next() % 4);
      for (int h = 0; h < hits; ++h)
        bytes[start + random.Next() % length] = static_cast<uint8_t>(random.Next());
      if (k % 7 == 3)  // now and then the whole frame after its header
        for (size_t i = start + 4; i < start + length; ++i) bytes[i] = static_cast<uint8_t>(random.Next());
      auto stream = mp3test::OpenBytes(bytes);
      ASSERT_TRUE(stream->IsOpen()) << "frame " << k;
      const mp3test::Decoded damaged = mp3test::DecodeAll(*stream);
      const size_t after = offsets.size() - std::min(offsets.size(), k + 5);
      const size_t tail = after * frameValues;
      ASSERT_GE(damaged.pcm.size(), tail) << "frame " << k;
      ASSERT_TRUE(std::equal(reference.pcm.end() - static_cast<long>(tail), reference.pcm.end(),
                             damaged.pcm.end() - static_cast<long>(tail)))
          << "frame " << k << ": the frames after the damage differ";
    }
  }
}

// Side information no encoder writes. The composed stream's frames each carry their own
// main data, so the frame after a bad one decodes as in the clean stream.
TEST(Mp3Hostile, ImpossibleSideInformation) {
  const std::vector<uint8_t> clean = mp3test::ReadFile(mp3test::FixturePath("composed_is_long.mp3"));
  ASSERT_FALSE(clean.empty());
  auto cleanStream = mp3test::OpenBytes(clean);
  const mp3test::Decoded reference = mp3test::DecodeAll(*cleanStream);
  const std::vector<size_t> offsets = FrameOffsets(clean);
  // Bit fields of the first granule's first channel (MPEG-1, two channels, no CRC),
  // counted from the end of the header.
  auto set = [](std::vector<uint8_t>& bytes, size_t frame, int bit, int count, uint32_t value) {
    for (int i = 0; i < count; ++i) {
      const size_t at = frame + 4 + static_cast<size_t>((bit + i) / 8);
      const int shift = 7 - (bit + i) % 8;
      const uint8_t mask = static_cast<uint8_t>(1 << shift);
      bytes[at] = static_cast<uint8_t>((bytes[at] & ~mask) | ((value >> (count - 1 - i) & 1) << shift));
    }
  };
  const int kPart23 = 20, kBigValues = 32, kWindowSwitching = 53, kTableSelect = 54;
  struct Damage {
    const char* what;
    std::function<void(std::vector<uint8_t>&, size_t)> apply;
  } damages[] = {
      {"big_values 511", [&](std::vector<uint8_t>& b, size_t f) { set(b, f, kBigValues, 9, 511); }},
      {"table 4", [&](std::vector<uint8_t>& b, size_t f) { set(b, f, kBigValues, 9, 100); set(b, f, kTableSelect, 5, 4); }},
      {"table 14", [&](std::vector<uint8_t>& b, size_t f) { set(b, f, kBigValues, 9, 100); set(b, f, kTableSelect, 5, 14); }},
      {"window switching with block type 0",
       [&](std::vector<uint8_t>& b, size_t f) { set(b, f, kWindowSwitching, 3, 4); }},
      {"part2_3_length 4095", [&](std::vector<uint8_t>& b, size_t f) { set(b, f, kPart23, 12, 4095); }},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    for (size_t k : {size_t{0}, size_t{5}, offsets.size() - 1}) {
      std::vector<uint8_t> bytes = clean;
      damage.apply(bytes, offsets[k]);
      auto stream = mp3test::OpenBytes(bytes);
      const mp3test::Decoded damaged = mp3test::DecodeAll(*stream);
      EXPECT_EQ(reference.frames, damaged.frames);
      // Two frames on, the filters have forgotten the damage.
      const size_t tail = (offsets.size() - std::min(offsets.size(), k + 2)) * 2304;
      ASSERT_GE(damaged.pcm.size(), tail);
      EXPECT_TRUE(std::equal(reference.pcm.end() - static_cast<long>(tail), reference.pcm.end(),
                             damaged.pcm.end() - static_cast<long>(tail)))
          << "frame " << k;
    }
  }
}

}  // namespace
