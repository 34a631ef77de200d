// The MCI wrappers and the sound object playing through them. The SoundCapture tests
// need the wave device whose sound lands in a file (tests/media/run-with-wave-capture);
// elsewhere they are skipped. Wine's MIDI sequencer opens a file but has no synthesiser
// to play it on: its play fails, which the tests take as the documented error path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "media/DrawMedia.h"
#include "media/MciSound.h"
#include "tests/media/Mp3TestSupport.h"
#include "tests/media/SoundFiles.h"
#include "tests/media/TempFolder.h"
#include "tests/media/WaveCapture.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

CString ErrorText(MCIERROR error) {
  char text[256] = {};
  mciGetErrorStringA(error, text, sizeof text);
  return CString(text);
}

}  // namespace

TEST(MciDevice, FailuresWithoutADevice) {
  MessageBoxCapture boxes;
  CMciSound sound;
  sound.SetReportErrors(TRUE);
  // An unknown kind sends no command, so nothing is reported.
  EXPECT_EQ(static_cast<MCIERROR>(MCIERR_UNSUPPORTED_FUNCTION), sound.OpenFile("c:\\x.ogg", 0));
  EXPECT_FALSE(sound.IsOpen());
  // A closed wrapper refuses every command: its old id may be another device's now.
  EXPECT_NE(0u, sound.Play());
  EXPECT_NE(0u, sound.Stop());
  EXPECT_EQ(0u, sound.GetLength());
  EXPECT_EQ(0u, sound.Close());
  EXPECT_TRUE(boxes.boxes().empty());
  // A missing file fails in the system, which reports it.
  TempFolder folder;
  EXPECT_NE(0u, sound.OpenFile(folder.File(L"missing.wav").c_str(), kSoundWave));
  EXPECT_FALSE(sound.IsOpen());
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("MCI Error", boxes.boxes()[0].caption);
  EXPECT_EQ(ErrorText(sound.GetLastError()), boxes.boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes()[0].flags);
}

// Without a MIDI device (Wine here has none), one box with the system's text and a
// silent object. Wine's own sequencer would open and "play" without a sound.
TEST(DrawMedia, AMidiSoundWithoutAMidiDeviceShowsOneMciError) {
  TempFolder folder;
  const std::string midi = folder.Write(L"tune.mid", soundtest::MidiFile());
  MessageBoxCapture boxes;
  CDrawMedia sound;
  sound.SetMediaFile(midi.c_str());
  ASSERT_EQ(kSoundMidi, sound.GetKind());
  if (midiOutGetNumDevs() > 0) GTEST_SKIP() << "this machine has a MIDI output device";
  sound.Play(FALSE);
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("MCI Error", boxes.boxes()[0].caption);
  EXPECT_EQ(static_cast<MCIERROR>(MCIERR_SEQ_NOMIDIPRESENT), sound.GetMciSound().GetLastError());
  EXPECT_EQ(ErrorText(MCIERR_SEQ_NOMIDIPRESENT), boxes.boxes()[0].text);
  EXPECT_FALSE(sound.GetMciSound().IsOpen());
  EXPECT_EQ(0, sound.GetPlayLength());  // a failed open leaves the length as it was
  sound.Stop();  // nothing left to stop, nothing reported
  EXPECT_EQ(1u, boxes.boxes().size());
}

TEST(DrawMedia, WithoutAWaveDeviceAWavShowsOneMciErrorAndStaysSilent) {
  if (waveOutGetNumDevs() > 0) GTEST_SKIP() << "this machine has a wave output device";
  TempFolder folder;
  const std::string wave = folder.Write(L"a.wav", soundtest::WaveFile(soundtest::WaveData(22050)));
  MessageBoxCapture boxes;
  CDrawMedia sound;
  sound.SetMediaFile(wave.c_str());
  sound.Play(FALSE);
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("MCI Error", boxes.boxes()[0].caption);
  EXPECT_EQ(ErrorText(MCIERR_WAVE_OUTPUTSUNSUITABLE), boxes.boxes()[0].text);
  EXPECT_FALSE(sound.GetMciSound().IsOpen());
}

class SoundCapture : public testing::Test {
 protected:
  void SetUp() override {
    if (WaveCaptureFile::Path().empty()) GTEST_SKIP() << "no capturing wave device (see tests/media/run-with-wave-capture)";
    m_inCapture = true;
    ASSERT_GT(waveOutGetNumDevs(), 0u);
    m_capture.Truncate();
  }
  // The next test of the device must not hear this one's streams draining.
  void TearDown() override {
    if (m_inCapture) m_capture.Settle(40);
  }

  std::vector<uint8_t> Captured(size_t bytes) { return m_capture.Captured(bytes); }
  static testing::AssertionResult Holds(const std::vector<BYTE>& data, const std::vector<uint8_t>& captured) {
    return WaveCaptureFile::Holds(data, captured);
  }

  bool m_inCapture = false;
  WaveCaptureFile m_capture;
  TempFolder m_files;
};

TEST_F(SoundCapture, AWavPlaysItsDataChunkAndKnowsItsLength) {
  const std::vector<BYTE> data = soundtest::WaveData(22050);  // 0.5 s
  CDrawMedia sound;
  sound.SetMediaFile(m_files.Write(L"half.wav", soundtest::WaveFile(data)).c_str());
  sound.Play(FALSE);
  EXPECT_TRUE(sound.GetMciSound().IsOpen());
  EXPECT_EQ(9, sound.GetPlayLength());  // floor(500 x 0.0182)
  EXPECT_TRUE(Holds(data, Captured(data.size())));
  sound.Stop();
  EXPECT_FALSE(sound.GetMciSound().IsOpen());
}

TEST_F(SoundCapture, ARestartPlaysTheSoundAgainFromItsStart) {
  const std::vector<BYTE> data = soundtest::WaveData(4410, 5);
  CDrawMedia sound;
  sound.SetMediaFile(m_files.Write(L"loop.wav", soundtest::WaveFile(data)).c_str());
  sound.Play(TRUE);
  Captured(data.size());
  sound.Restart();
  // The whole sound, then the whole sound again; the device may put a little silence
  // between them when it is slow to take the second stream.
  const std::vector<uint8_t> captured = Captured(2 * data.size());
  const auto first = std::search(captured.begin(), captured.end(), data.begin(), data.end());
  ASSERT_TRUE(Holds(data, captured));
  EXPECT_TRUE(Holds(data, std::vector<uint8_t>(first + data.size(), captured.end()))) << "after the first play";
  sound.Stop();
}

// Winmm gives a closed device's id to the next device opened: a stale close must not
// shut the other object's sound.
TEST_F(SoundCapture, TwoObjectsClosingInTurnNeverStopEachOther) {
  const std::string path = m_files.Write(L"two.wav", soundtest::WaveFile(soundtest::WaveData(44100, 7)));
  CDrawMedia first, second;
  first.SetMediaFile(path.c_str());
  second.SetMediaFile(path.c_str());
  // One file played by two objects at once (a duplicate plays its original's copy).
  first.Play(FALSE);
  second.Play(FALSE);
  EXPECT_TRUE(first.GetMciSound().IsOpen());
  EXPECT_TRUE(second.GetMciSound().IsOpen());
  second.Stop();
  first.Stop();
  first.Play(FALSE);
  const MCIDEVICEID firstId = first.GetMciSound().GetDeviceId();
  first.Stop();
  second.Play(FALSE);
  ASSERT_TRUE(second.GetMciSound().IsOpen());
  const MCIDEVICEID secondId = second.GetMciSound().GetDeviceId();
  first.Stop();
  first.Play(FALSE);  // closes its own (already closed) device before opening again
  first.Stop();
  DWORD_PTR mode = 0;
  EXPECT_EQ(0u, second.GetMciSound().QueryStatus(MCI_STATUS_MODE, mode))
      << "ids " << firstId << " and " << secondId;
  second.Stop();
}

TEST_F(SoundCapture, AnMp3SoundPlaysThroughTheMp3Player) {
  CDrawMedia sound;
  sound.SetMediaFile(mp3test::FixturePath("tone_16k.mp3").c_str());
  ASSERT_EQ(kSoundMp3, sound.GetKind());
  sound.Play(FALSE);
  EXPECT_GT(sound.GetPlayLength(), 0);
  EXPECT_GT(Captured(1000).size(), 1000u);
  sound.Stop();
}
