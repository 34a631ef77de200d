// The MP3 player: its messages, the sample scaling, and playback through a real wave
// output device (the WaveCapture tests run with a device that writes into a file; they
// are skipped without one).
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdlib>

#include "media/Mp3Decoder.h"
#include "media/Mp3Player.h"
#include "tests/media/Mp3TestSupport.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

// The output the player should send for a file: every frame decoded in turn.
std::vector<short> Decode(const std::string& path) {
  CMp3Stream stream;
  std::vector<short> all;
  if (!stream.Open(path.c_str())) return all;
  CMp3Decoder decoder;
  std::vector<short> buffer(4608);
  bool started = false;
  int mainData, id, mode, modeExtension, rateIndex;
  while (const uint8_t* frame = stream.ReadFrame(&mainData, &id, &mode, &modeExtension, &rateIndex)) {
    if (!started) started = decoder.Init(id, mode, modeExtension, rateIndex, &ScaleMp3Sample) != 0;
    int count = 0;
    decoder.DecodeFrame(frame, stream.HasCrc(), mainData, buffer.data(), 4608, count, id, mode,
                        modeExtension, rateIndex);
    all.insert(all.end(), buffer.begin(), buffer.begin() + count);
  }
  return all;
}

// The samples from the first to the last non-zero one. Wine's device adds periods of
// silence before the first buffer and after the last; they are not the player's.
std::vector<short> Sound(const std::vector<short>& v) {
  const auto nonzero = [](short x) { return x != 0; };
  const auto first = std::find_if(v.begin(), v.end(), nonzero);
  const auto last = std::find_if(v.rbegin(), v.rend(), nonzero).base();
  return first < last ? std::vector<short>(first, last) : std::vector<short>();
}

// Whether the device played exactly the expected sound, every sample of it in order.
testing::AssertionResult SameSound(const std::vector<short>& expected, const std::vector<short>& played) {
  const auto sound = Sound;
  const std::vector<short> a = sound(expected);
  const std::vector<short> b = sound(played);
  if (a.size() != b.size())
    return testing::AssertionFailure() << "played " << b.size() << " values after the leading silence, expected " << a.size();
  const auto diff = std::mismatch(a.begin(), a.end(), b.begin());
  if (diff.first != a.end())
    return testing::AssertionFailure() << "first difference at value " << (diff.first - a.begin());
  return testing::AssertionSuccess();
}

// The same for a sound cut short: what was played is the start of the expected sound.
testing::AssertionResult StartOfSound(const std::vector<short>& expected, const std::vector<short>& played) {
  const std::vector<short> e = Sound(expected);
  const std::vector<short> p = Sound(played);
  if (p.size() > e.size()) return testing::AssertionFailure() << "more was played than the file holds";
  if (!std::equal(p.begin(), p.end(), e.begin()))
    return testing::AssertionFailure() << "what was played is not the start of the file";
  return testing::AssertionSuccess();
}

TEST(ScaleMp3Sample, ClipsAndTruncatesTowardZero) {
  struct Row {
    double in;
    short out;
  } rows[] = {{0.0, 0},         {1.9, 1},         {-1.9, -1},        {32766.99, 32766},
              {32767.0, 32767}, {40000.0, 32767}, {-32768.0, -32768}, {-40000.0, -32768}};
  for (Row row : rows) {
    double v = row.in;
    EXPECT_EQ(row.out, ScaleMp3Sample(&v)) << row.in;
  }
  EXPECT_EQ(0, ScaleMp3Sample(nullptr));
}

TEST(Mp3Player, AFileThatCannotBeOpenedShowsItsName) {
  MessageBoxCapture boxes;
  CMp3Player player;
  player.SetFile("Z:\\no such folder\\声音.mp3");
  player.Play(FALSE);
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(0, player.GetDuration());
  ASSERT_EQ(2u, boxes.boxes().size());
  for (const CapturedBox& box : boxes.boxes()) {
    EXPECT_STREQ("无法打开文件Z:\\no such folder\\声音.mp3", box.text);
    EXPECT_TRUE(box.flags & MB_ICONERROR);
  }
}

TEST(Mp3Player, Duration) {
  CMp3Player player;
  player.SetFile(mp3test::FixturePath("tone_128.mp3").c_str());
  EXPECT_EQ(40 * 26, player.GetDuration());
}

TEST(Mp3Player, WithoutADeviceOneMessageAndNoThread) {
  if (waveOutGetNumDevs() > 0) GTEST_SKIP() << "this machine has a wave output device";
  MessageBoxCapture boxes;
  CMp3Player player;
  player.SetFile(mp3test::FixturePath("tone_128.mp3").c_str());
  player.Play(FALSE);
  EXPECT_FALSE(player.IsPlaying());
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("无法打开声音设备", boxes.boxes()[0].text);
}

class WaveCapture : public testing::Test {
 protected:
  void SetUp() override {
    const char* file = std::getenv("MP3_CAPTURE_FILE");
    if (!file) GTEST_SKIP() << "no capturing wave device (see tests/media/run-with-wave-capture)";
    m_capture = file;
    ASSERT_GT(waveOutGetNumDevs(), 0u);
    Truncate();
  }

  // Waits until the pipe behind the device has written everything: the file stops
  // growing.
  void Settle() {
    size_t last = static_cast<size_t>(-1);
    for (int still = 0, i = 0; still < 8 && i < 400; ++i) {
      const size_t size = mp3test::ReadFile(m_capture).size();
      still = size == last ? still + 1 : 0;
      last = size;
      Sleep(25);
    }
  }

  void Truncate() {
    Settle();
    HANDLE h = CreateFileA(m_capture.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, TRUNCATE_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
  }

  // Waits until at least `values` samples have arrived, or long enough.
  void WaitFor(size_t values) {
    for (int i = 0; i < 200 && mp3test::ReadFile(m_capture).size() < values * 2; ++i) Sleep(25);
  }

  // The captured samples, once at least `values` have arrived and the pipe behind the
  // device has written all it had.
  std::vector<short> Captured(size_t values) {
    WaitFor(values);
    Settle();
    const std::vector<uint8_t> bytes = mp3test::ReadFile(m_capture);
    std::vector<short> samples(bytes.size() / 2);
    if (!samples.empty()) memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }

  std::string m_capture;
};

TEST_F(WaveCapture, PlaysTheDecodedSamplesWholeFirstToLast) {
  for (const char* name : {"tone_128.mp3", "tone_mono.mp3", "noise_22k.mp3", "tone_16k.mp3"}) {
    SCOPED_TRACE(name);
    Truncate();
    const std::vector<short> expected = Decode(mp3test::FixturePath(name));
    ASSERT_FALSE(expected.empty());
    CMp3Player player;
    player.SetFile(mp3test::FixturePath(name).c_str());
    player.Play(FALSE);
    ASSERT_TRUE(player.WaitUntilDone(30000));
    player.Stop();
    EXPECT_TRUE(SameSound(expected, Captured(expected.size())));
  }
}

TEST_F(WaveCapture, LoopPlaysTheFileAgainFromItsStart) {
  const std::vector<short> once = Decode(mp3test::FixturePath("tone_16k.mp3"));
  CMp3Player player;
  player.SetFile(mp3test::FixturePath("tone_16k.mp3").c_str());
  player.Play(TRUE);
  WaitFor(once.size() * 2 + 1);
  EXPECT_TRUE(player.IsPlaying());  // a loop does not end by itself
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
  const std::vector<short> played = Captured(0);
  // The second pass follows the first without a gap and starts again from the beginning.
  std::vector<short> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  const std::vector<short> expected = Sound(twice);
  const std::vector<short> sound = Sound(played);
  ASSERT_GE(sound.size(), expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), sound.begin()));
}

TEST_F(WaveCapture, StopEndsPromptlyAndPlayStartsAgain) {
  const std::string path = mp3test::FixturePath("bench_60s.mp3");
  CMp3Player player;
  player.SetFile(path.c_str());
  player.Play(FALSE);
  player.Play(FALSE);  // ignored: a run is under way
  WaitFor(44100);
  const DWORD before = GetTickCount();
  player.Stop();
  EXPECT_LT(GetTickCount() - before, 1000u);
  EXPECT_FALSE(player.IsPlaying());
  const std::vector<short> decoded = Decode(path);
  std::vector<short> played = Captured(0);
  EXPECT_LT(played.size(), decoded.size());
  EXPECT_TRUE(StartOfSound(decoded, played));

  // After a run that ended by itself, Play plays again.
  player.SetFile(mp3test::FixturePath("tone_16k.mp3").c_str());
  const std::vector<short> tone = Decode(mp3test::FixturePath("tone_16k.mp3"));
  for (int run = 0; run < 2; ++run) {
    Truncate();
    player.Play(FALSE);
    ASSERT_TRUE(player.WaitUntilDone(30000));
    EXPECT_TRUE(SameSound(tone, Captured(tone.size()))) << "run " << run;

  }
}

// Each player waits for its own buffers: two playing at once both finish well inside
// the device time-out.
TEST_F(WaveCapture, TwoPlayersAtOnce) {
  CMp3Player a, b;
  a.SetFile(mp3test::FixturePath("tone_128.mp3").c_str());
  b.SetFile(mp3test::FixturePath("noise_22k.mp3").c_str());
  const DWORD before = GetTickCount();
  a.Play(FALSE);
  b.Play(FALSE);
  EXPECT_TRUE(a.WaitUntilDone(20000));
  EXPECT_TRUE(b.WaitUntilDone(20000));
  EXPECT_LT(GetTickCount() - before, CWaveOutDevice::kCompletionTimeout);
}

}  // namespace
