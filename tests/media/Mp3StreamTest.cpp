// The frame reader: frame lengths and main-data sizes, synchronisation through garbage,
// tags and damaged headers, the end of the data, duration, sharing and rewinding.
#include <gtest/gtest.h>

#include <cstring>

#include "media/MemoryByteSource.h"
#include "tests/media/Mp3TestSupport.h"

namespace {

constexpr uint32_t kStereo128 = 0xFFFB9000;  // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz

// N = 144 x bit rate / sampling frequency (half of it for MPEG-2) + padding.
size_t LengthOf(uint32_t h) {
  static const int kRates[2][16] = {{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
                                    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}};
  static const int kFrequencies[2][3] = {{22050, 24000, 16000}, {44100, 48000, 32000}};
  const int id = h >> 19 & 1;
  size_t n = 144u * kRates[id][h >> 12 & 15] * 1000 / kFrequencies[id][h >> 10 & 3];
  if (id == 0) n /= 2;
  return n + (h >> 9 & 1);
}

void AppendFrame(std::vector<uint8_t>& bytes, uint32_t h, uint8_t fill = 0) {
  const size_t n = h >> 12 & 15 ? LengthOf(h) : 200;
  for (int i = 3; i >= 0; --i) bytes.push_back(static_cast<uint8_t>(h >> (8 * i)));
  bytes.insert(bytes.end(), n - 4, fill);
}

std::vector<uint8_t> Frames(uint32_t h, int count) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < count; ++i) AppendFrame(bytes, h, static_cast<uint8_t>(i + 1));
  return bytes;
}

int CountFrames(CMp3Stream& stream) {
  int n = 0;
  while (stream.ReadFrame(nullptr, nullptr, nullptr, nullptr, nullptr)) ++n;
  return n;
}

TEST(Mp3Stream, FrameAndMainDataSizes) {
  struct Row {
    uint32_t header;
    int frameBytes;  // N - 4
    int mainData;
    int sampleRate;
  } rows[] = {
      {kStereo128, 413, 381, 44100},            // 417 - 4 - 32
      {0xFFFA9000, 413, 379, 44100},            // with a CRC word
      {0xFFFB9200, 414, 382, 44100},            // padding
      {0xFFFB90C0, 413, 396, 44100},            // single channel: 17 bytes of side information
      {0xFFFBE400, 956, 924, 48000},            // 320 kbit/s, 48 kHz
      {0xFFF38000, 204, 187, 22050},            // MPEG-2, 64 kbit/s: N = 208
      {0xFFF318C0, 32, 23, 16000},              // MPEG-2, 8 kbit/s, 16 kHz, mono: N = 36
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << std::hex << row.header);
    auto stream = mp3test::OpenBytes(Frames(row.header, 3));
    int mainData = -1;
    ASSERT_TRUE(stream->ReadFrame(&mainData, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(row.frameBytes, stream->GetFrameBytes());
    EXPECT_EQ(row.mainData, mainData);
    EXPECT_EQ(row.sampleRate, stream->GetSampleRate());
    EXPECT_EQ(2, CountFrames(*stream));
  }
}

TEST(Mp3Stream, FindsTheFirstFramePastGarbageAndFalseSyncs) {
  std::vector<uint8_t> bytes = {0x00, 0x12, 0xFF, 0xFB, 0x00, 0x00,  // free format
                                0xFF, 0xFB, 0xF0, 0x00,              // bit-rate index 15
                                0xFF, 0xF9, 0x90, 0x00,              // reserved layer
                                0xFF, 0xFB, 0x9C, 0x00,              // sampling index 3
                                0xFF, 0xE3, 0x90, 0x00,              // MPEG-2.5
                                0xFF, 0xFB, 0x90, 0x00, 0x01, 0x02}; // a header no frame follows
  const std::vector<uint8_t> frames = Frames(kStereo128, 5);
  bytes.insert(bytes.end(), frames.begin(), frames.end());
  auto stream = mp3test::OpenBytes(bytes);
  const uint8_t* first = stream->ReadFrame(nullptr, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(first);
  EXPECT_EQ(1, first[0]);  // the fill of the first real frame
  EXPECT_EQ(4, CountFrames(*stream));
}

TEST(Mp3Stream, SkipsALeadingId3v2TagWithSyncsInside) {
  std::vector<uint8_t> body(3000, 0x55);
  const std::vector<uint8_t> fake = Frames(kStereo128, 3);  // valid frames inside the tag
  std::copy(fake.begin(), fake.begin() + 1300, body.begin() + 100);
  const uint8_t header[10] = {'I', 'D', '3', 3, 0, 0, 0, 0, 3000 >> 7, 3000 & 127};
  const std::vector<uint8_t> frames = Frames(0xFFFB80C0, 4);
  std::vector<uint8_t> bytes(10 + body.size() + frames.size());
  std::memcpy(bytes.data(), header, sizeof header);
  std::copy(body.begin(), body.end(), bytes.begin() + 10);
  std::copy(frames.begin(), frames.end(), bytes.begin() + 10 + static_cast<long>(body.size()));
  auto stream = mp3test::OpenBytes(bytes);
  int mode = -1;
  ASSERT_TRUE(stream->ReadFrame(nullptr, nullptr, &mode, nullptr, nullptr));
  EXPECT_EQ(3, mode);
  EXPECT_EQ(3, CountFrames(*stream));

  // The same with lame's own tag around a random picture: the frames of the untagged file.
  CMp3Stream tagged, plain;
  ASSERT_TRUE(tagged.Open(mp3test::FixturePath("tagged.mp3").c_str()));
  ASSERT_TRUE(plain.Open(mp3test::FixturePath("tone_128.mp3").c_str()));
  int n = 0;
  for (;;) {
    const uint8_t* a = tagged.ReadFrame(nullptr, nullptr, nullptr, nullptr, nullptr);
    const uint8_t* b = plain.ReadFrame(nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(a == nullptr, b == nullptr) << "frame " << n;
    if (!a) break;
    ASSERT_EQ(plain.GetFrameBytes(), tagged.GetFrameBytes());
    ASSERT_EQ(0, std::memcmp(a, b, static_cast<size_t>(plain.GetFrameBytes()))) << "frame " << n;
    ++n;
  }
  EXPECT_EQ(40, n);
}

TEST(Mp3Stream, StreamsItCannotPlayGiveNoFrames) {
  for (const char* name : {"mpeg25.mp3", "freeformat.mp3"}) {
    SCOPED_TRACE(name);
    CMp3Stream stream;
    EXPECT_FALSE(stream.Open(mp3test::FixturePath(name).c_str()));
    EXPECT_FALSE(stream.ReadFrame(nullptr, nullptr, nullptr, nullptr, nullptr));
  }
  CMp3Stream missing;
  EXPECT_FALSE(missing.Open(mp3test::FixturePath("no such file.mp3").c_str()));
  auto empty = mp3test::OpenBytes({});
  EXPECT_FALSE(empty->IsOpen());
}

TEST(Mp3Stream, AChangeBetweenOneAndTwoChannelsIsNotAFrame) {
  std::vector<uint8_t> bytes = Frames(kStereo128, 2);
  AppendFrame(bytes, 0xFFFB90C0);  // single channel
  AppendFrame(bytes, kStereo128, 9);
  auto stream = mp3test::OpenBytes(bytes);
  EXPECT_EQ(3, CountFrames(*stream));
}

TEST(Mp3Stream, ATruncatedLastFrameEndsTheStream) {
  std::vector<uint8_t> bytes = Frames(kStereo128, 3);
  const std::vector<uint8_t> more = Frames(kStereo128, 1);
  bytes.insert(bytes.end(), more.begin(), more.begin() + 100);
  auto stream = mp3test::OpenBytes(bytes);
  EXPECT_EQ(3, CountFrames(*stream));
  EXPECT_FALSE(stream->ReadFrame(nullptr, nullptr, nullptr, nullptr, nullptr));
}

TEST(Mp3Stream, Duration) {
  // 26 ms (26.1224 truncated) per 44.1 kHz frame.
  EXPECT_EQ(50 * 26, mp3test::OpenBytes(Frames(kStereo128, 50))->GetDuration());
  EXPECT_EQ(30 * 36, mp3test::OpenBytes(Frames(0xFFF38800, 30))->GetDuration());  // 16 kHz
  // A Xing frame counts the frames of a variable bit rate.
  std::vector<uint8_t> bytes = Frames(kStereo128, 5);
  std::memcpy(&bytes[4 + 32], "Xing\0\0\0\x01\0\0\x03\xE8", 12);  // 1000 frames
  EXPECT_EQ(26000, mp3test::OpenBytes(bytes)->GetDuration());
}

TEST(Mp3Stream, OpensShareTheFileAndReopenReadsAgain) {
  const std::string path = mp3test::FixturePath("tone_128.mp3");
  CMp3Stream a, b;
  ASSERT_TRUE(a.Open(path.c_str()));
  ASSERT_TRUE(b.Open(path.c_str()));
  EXPECT_EQ(40, CountFrames(a));
  EXPECT_EQ(40, CountFrames(b));
  a.Close();
  EXPECT_FALSE(a.IsOpen());
  EXPECT_FALSE(a.ReadFrame(nullptr, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(a.Open(path.c_str()));
  EXPECT_EQ(40, CountFrames(a));
  EXPECT_EQ(0, a.Seek(0));
  EXPECT_EQ(40, CountFrames(a));
  EXPECT_EQ(-1, a.Seek(1 << 30));
}

}  // namespace
