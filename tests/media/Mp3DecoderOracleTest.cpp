// The decoder against an independent one: mpg123 decodes the same fixtures. Any wrong
// Huffman word, band boundary, window or synthesis coefficient shows far above these
// tolerances; the 16-bit output may differ by the truncation and the 32767/32768 scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tests/media/Mp3TestSupport.h"

namespace {

template <typename T>
std::vector<T> ReadSamples(const std::string& path) {
  const std::vector<uint8_t> bytes = mp3test::ReadFile(path);
  std::vector<T> values(bytes.size() / sizeof(T));
  if (!values.empty()) std::memcpy(values.data(), bytes.data(), values.size() * sizeof(T));
  return values;
}

// Where sample value i lies, for the failure message.
std::string Locate(size_t i, int channels, int granuleSamples) {
  const size_t sample = i / static_cast<size_t>(channels);
  return "value " + std::to_string(i) + " (frame " +
         std::to_string(sample / static_cast<size_t>(granuleSamples)) + ", granule " +
         std::to_string(sample % static_cast<size_t>(granuleSamples) / 576) + ", channel " +
         std::to_string(i % static_cast<size_t>(channels)) + ")";
}

struct Fixture {
  const char* name;
  // The reference is libmad (through sox) instead of mpg123; its output may end up to
  // two frames early, and what it gives is compared.
  bool libmad;
};

class Mp3Oracle : public testing::TestWithParam<Fixture> {};

TEST_P(Mp3Oracle, MatchesTheReferenceDecoder) {
  const std::string name = GetParam().name;
  const bool libmad = GetParam().libmad;
  CMp3Stream stream;
  ASSERT_TRUE(stream.Open(mp3test::FixturePath(name + ".mp3").c_str())) << name;
  const int frameSamples = stream.GetVersion() == 1 ? 1152 : 576;
  const mp3test::Decoded ours = mp3test::DecodeAll(stream);
  const std::string reference = mp3test::FixturePath(name + (libmad ? ".mad" : ""));
  const std::vector<float> ref = ReadSamples<float>(reference + ".f32");
  const std::vector<short> ref16 = ReadSamples<short>(reference + ".s16");
  ASSERT_GT(ours.frames, 0);
  ASSERT_FALSE(ref.empty());

  // mpg123 puts out a silent frame where the decoder can put out nothing (a frame whose
  // main data lies before the start); such frames can only come first.
  ASSERT_EQ(ours.undecodable, ours.leadingUndecodable);
  const size_t skip = static_cast<size_t>(ours.undecodable) * frameSamples * ours.channels;
  size_t compared = ours.samples.size();
  size_t compared16 = ours.pcm.size();
  if (libmad) {
    ASSERT_LE(ref.size(), compared);
    ASSERT_GE(ref.size() + 2 * frameSamples * ours.channels, compared);
    compared = ref.size();
    compared16 = std::min(compared16, ref16.size());
  } else {
    ASSERT_EQ(ours.samples.size() + skip, ref.size());
    ASSERT_EQ(ours.pcm.size() + skip * 2 / ours.channels, ref16.size());
  }

  double worst = 0.0;
  size_t worstAt = 0;
  for (size_t i = 0; i < compared; ++i) {
    const double d = std::fabs(ours.samples[i] - ref[skip + i]);
    if (d > worst) {
      worst = d;
      worstAt = i;
    }
  }
  EXPECT_LE(worst, 1e-5) << name << ": largest difference at "
                         << Locate(worstAt, ours.channels, frameSamples);

  const size_t skip16 = skip * 2 / ours.channels;
  int worst16 = 0;
  size_t worst16At = 0;
  double total = 0.0;
  for (size_t i = 0; i < compared16; ++i) {
    const int d = std::abs(ours.pcm[i] - ref16[skip16 + i]);
    total += d;
    if (d > worst16) {
      worst16 = d;
      worst16At = i;
    }
  }
  EXPECT_LE(worst16, 2) << name << ": 16-bit output at " << Locate(worst16At, 2, frameSamples);
  EXPECT_LE(total / static_cast<double>(compared16), 1.0) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, Mp3Oracle,
    testing::Values(Fixture{"tone_128", false}, Fixture{"noise_stereo_320", false},
                    Fixture{"loud_320", false}, Fixture{"pure_320", false},
                    Fixture{"bursts_128", false}, Fixture{"mix_v2", false},
                    Fixture{"sweep_v0", false}, Fixture{"mix_joint_192", false},
                    Fixture{"noise_crc", false}, Fixture{"tone_mono", false},
                    Fixture{"bursts_mono", false}, Fixture{"noise_dual", false},
                    Fixture{"mix_nores", false}, Fixture{"noise_48k", false},
                    Fixture{"mix_32k", false}, Fixture{"bursts_32k", false},
                    Fixture{"noise_22k", false}, Fixture{"bursts_22k", false},
                    Fixture{"mix_24k", false}, Fixture{"tone_16k", false},
                    Fixture{"noise_16k_8", false}, Fixture{"sweep_24k_v", false},
                    // Composed: mixed blocks, intensity stereo.
                    Fixture{"composed_is_long", false}, Fixture{"composed_is_ms_long", false},
                    Fixture{"composed_mixed_44k", false}, Fixture{"composed_short_is_44k", false},
                    Fixture{"composed_mixed_is_44k", false}, Fixture{"composed_mixed_22k", false},
                    Fixture{"composed_is_lsf", true}, Fixture{"composed_is_ms_lsf", true},
                    Fixture{"composed_short_is_lsf", true}, Fixture{"composed_count1_dropped", false}),
    [](const testing::TestParamInfo<Fixture>& param) { return std::string(param.param.name); });

// A granule whose last count1 quadruple runs past its bits loses that quadruple, and the
// next granule starts exactly where the granule was declared to end: the stream decodes
// as the same stream with that quadruple zero (which the test above checks against
// mpg123). The two reference decoders treat this damage each in its own way.
TEST(Mp3Decoder, Count1OverrunDropsTheLastQuadruple) {
  auto overrun = mp3test::OpenBytes(mp3test::ReadFile(mp3test::FixturePath("composed_count1_overrun.mp3")));
  auto dropped = mp3test::OpenBytes(mp3test::ReadFile(mp3test::FixturePath("composed_count1_dropped.mp3")));
  const mp3test::Decoded a = mp3test::DecodeAll(*overrun);
  const mp3test::Decoded b = mp3test::DecodeAll(*dropped);
  ASSERT_EQ(12, a.frames);
  EXPECT_EQ(0, a.undecodable);
  EXPECT_TRUE(a.samples == b.samples);
}

// A stream cut where a frame's main data begins in the frame before: that frame cannot be
// decoded and gives nothing; everything after it decodes as in the whole stream.
TEST(Mp3Decoder, StreamCutInsideTheReservoirResumesAtTheNextFrame) {
  const std::vector<uint8_t> withReservoir =
      mp3test::ReadFile(mp3test::FixturePath("mix_joint_192.mp3"));
  // Cut the file with a reservoir at each of its first frame boundaries until a frame
  // that leans on the previous one starts the stream.
  auto full = mp3test::OpenBytes(withReservoir);
  const mp3test::Decoded reference = mp3test::DecodeAll(*full);
  ASSERT_EQ(0, reference.undecodable);
  bool found = false;
  size_t offset = 0;
  for (int frame = 0; frame < 10 && !found; ++frame) {
    const uint32_t h = uint32_t{withReservoir[offset]} << 24 | uint32_t{withReservoir[offset + 1]} << 16 |
                       uint32_t{withReservoir[offset + 2]} << 8 | withReservoir[offset + 3];
    const int bitRates[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    const size_t length = 144 * bitRates[h >> 12 & 15] * 1000 / 44100 + (h >> 9 & 1);
    const int mainDataBegin = withReservoir[offset + 4] << 1 | withReservoir[offset + 5] >> 7;
    if (frame > 0 && mainDataBegin > 0) {
      std::vector<uint8_t> cut(withReservoir.begin() + static_cast<long>(offset), withReservoir.end());
      auto stream = mp3test::OpenBytes(cut);
      const mp3test::Decoded tail = mp3test::DecodeAll(*stream);
      EXPECT_EQ(1, tail.undecodable);
      EXPECT_EQ(1, tail.leadingUndecodable);
      const size_t from = static_cast<size_t>(frame + 1) * 2304;
      ASSERT_EQ(reference.pcm.size() - from, tail.pcm.size());
      // The filters start from silence, so the first decoded frame differs; the rest match.
      for (size_t i = 2304; i < tail.pcm.size(); ++i)
        ASSERT_NEAR(reference.pcm[from + i], tail.pcm[i], 1) << "value " << i;
      found = true;
    }
    offset += length;
  }
  EXPECT_TRUE(found);
}

}  // namespace
