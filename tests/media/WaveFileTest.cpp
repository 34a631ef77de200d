// The wave format of recordings and the RIFF writer that stores them.
#include <gtest/gtest.h>

#include "media/WaveFile.h"
#include "tests/media/RecordedWave.h"
#include "tests/media/TempFolder.h"

namespace {

TEST(WaveFormat, BlockAlignAndRateFollowEveryChange) {
  struct Row {
    WORD channels, bits;
    DWORD rate;
    WORD blockAlign;
    DWORD bytesPerSecond;
  };
  for (const Row& row : {Row{1, 16, 22050, 2, 44100}, Row{2, 16, 22050, 4, 88200}, Row{1, 8, 11025, 1, 11025},
                         Row{2, 8, 44100, 2, 88200}}) {
    SCOPED_TRACE(testing::Message() << row.channels << " x " << row.bits << " bits at " << row.rate);
    CWaveFormat format;
    format.SetChannels(row.channels);
    format.SetBitsPerSample(row.bits);
    format.SetSamplesPerSecond(row.rate);
    EXPECT_EQ(row.blockAlign, format.m_wfx.nBlockAlign);
    EXPECT_EQ(row.bytesPerSecond, format.m_wfx.nAvgBytesPerSec);
    EXPECT_EQ(row.blockAlign * 16384u, format.BufferBytes());
  }
  const CWaveFormat defaults;
  EXPECT_EQ(WAVE_FORMAT_PCM, defaults.m_wfx.wFormatTag);
  EXPECT_EQ(32768u, defaults.BufferBytes());
}

TEST(WaveFile, ClosingFixesTheChunkSizesAroundWhatWasWritten) {
  TempFolder folder;
  const std::string path = folder.File(L"录音.wav");
  std::vector<uint8_t> expected;
  {
    CWaveFile file(path.c_str(), CWaveFormat());
    ASSERT_TRUE(file.IsOpen());
    // Blocks as the device returns them: whole, cut short by a stop, empty.
    for (DWORD size : {32768u, 1000u, 0u, 6u}) {
      std::vector<char> bytes(size);
      for (DWORD i = 0; i < size; ++i) bytes[i] = static_cast<char>(expected.size() + i);
      CDataBuffer block(bytes.data(), size);
      EXPECT_TRUE(file.Write(block));
      expected.insert(expected.end(), bytes.begin(), bytes.end());
    }
  }
  std::vector<uint8_t> data;
  ASSERT_TRUE(recordedwave::IsRecording(folder.Read(L"录音.wav"), &data));
  EXPECT_EQ(expected, data);
}

TEST(WaveFile, AFileThatCannotBeCreatedStaysClosedAndWritesNothing) {
  TempFolder folder;
  CWaveFile file(folder.File(L"no folder\\a.wav").c_str(), CWaveFormat());
  EXPECT_FALSE(file.IsOpen());
  char byte = 0;
  EXPECT_FALSE(file.Write(CDataBuffer(&byte, 1)));
  EXPECT_TRUE(file.Close());
}

}  // namespace
