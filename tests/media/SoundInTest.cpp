// The recording thread. Against a stand-in device that posts its blocks to the thread as
// the system does: what is written is what each returned block recorded, the blocks a
// stop returns included; a block is freed only after the device has given it back; the
// device is closed with the last one, and Stop returns after that. Against Wine without
// a wave input device (outside the capture home of tests/media/run-with-wave-capture): a
// start that fails is reported. Whole recordings are tested through Kordel's recorder.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "media/SoundIn.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

constexpr DWORD kBlock = 32768;

// The stand-in device.
struct FakeWaveIn {
  std::mutex lock;
  DWORD thread = 0;
  std::vector<WAVEHDR*> queued;
  // dwBytesRecorded of the blocks the reset returns, in queue order (0 after the list).
  std::vector<DWORD> resetFills;
  MMRESULT openResult = MMSYSERR_NOERROR;
  MMRESULT startResult = MMSYSERR_NOERROR;
  int addsBeforeFailure = 1000;
  bool open = false;
  int closes = 0;
  int resets = 0;
  BYTE next = 1;  // the recorded bytes count up from here
  std::vector<std::string> faults;
};
FakeWaveIn* g_in = nullptr;
const HWAVEIN kHandle = reinterpret_cast<HWAVEIN>(0x4321);

// Hands a block back with `bytes` recorded (caller holds the lock); the rest of the
// buffer is marked, so that a writer of the whole buffer is seen.
void GiveBack(WAVEHDR* h, DWORD bytes) {
  for (DWORD i = 0; i < h->dwBufferLength; ++i) h->lpData[i] = static_cast<char>(i < bytes ? g_in->next++ : 0xEE);
  h->dwBytesRecorded = bytes;
  h->dwFlags = (h->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  ::PostThreadMessageA(g_in->thread, MM_WIM_DATA, reinterpret_cast<WPARAM>(kHandle), reinterpret_cast<LPARAM>(h));
}

MMRESULT WINAPI FakeOpen(LPHWAVEIN device, UINT id, LPCWAVEFORMATEX f, DWORD_PTR callback, DWORD_PTR, DWORD flags) {
  std::lock_guard<std::mutex> guard(g_in->lock);
  if (id != WAVE_MAPPER || flags != CALLBACK_THREAD) g_in->faults.push_back("device or flags");
  if (f->wFormatTag != WAVE_FORMAT_PCM || f->nChannels != 1 || f->nSamplesPerSec != 22050 || f->nBlockAlign != 2)
    g_in->faults.push_back("format");
  if (g_in->openResult) return g_in->openResult;
  g_in->thread = static_cast<DWORD>(callback);
  g_in->open = true;
  *device = kHandle;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakePrepare(HWAVEIN, LPWAVEHDR h, UINT) {
  std::lock_guard<std::mutex> guard(g_in->lock);
  if (h->dwBufferLength != kBlock) g_in->faults.push_back("buffer length");
  h->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeAdd(HWAVEIN, LPWAVEHDR h, UINT) {
  std::lock_guard<std::mutex> guard(g_in->lock);
  if (g_in->addsBeforeFailure-- <= 0) return MMSYSERR_NOMEM;
  if (!(h->dwFlags & WHDR_PREPARED) || (h->dwFlags & WHDR_INQUEUE)) g_in->faults.push_back("added unprepared or twice");
  h->dwFlags = (h->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  g_in->queued.push_back(h);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeStart(HWAVEIN) { return g_in->startResult; }

MMRESULT WINAPI FakeUnprepare(HWAVEIN, LPWAVEHDR h, UINT) {
  std::lock_guard<std::mutex> guard(g_in->lock);
  if (h->dwFlags & WHDR_INQUEUE) {
    g_in->faults.push_back("unprepared while the device holds it");
    return WAVERR_STILLPLAYING;
  }
  h->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeReset(HWAVEIN) {
  std::lock_guard<std::mutex> guard(g_in->lock);
  ++g_in->resets;
  for (size_t i = 0; i < g_in->queued.size(); ++i)
    GiveBack(g_in->queued[i], i < g_in->resetFills.size() ? g_in->resetFills[i] : 0);
  g_in->queued.clear();
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeClose(HWAVEIN) {
  std::lock_guard<std::mutex> guard(g_in->lock);
  if (!g_in->queued.empty()) {
    g_in->faults.push_back("closed while holding blocks");
    return WAVERR_STILLPLAYING;
  }
  ++g_in->closes;
  g_in->open = false;
  return MMSYSERR_NOERROR;
}

WaveInFunctions Fake() {
  WaveInFunctions f;
  f.open = &FakeOpen;
  f.prepare = &FakePrepare;
  f.addBuffer = &FakeAdd;
  f.start = &FakeStart;
  f.unprepare = &FakeUnprepare;
  f.reset = &FakeReset;
  f.close = &FakeClose;
  return f;
}

// What the callbacks saw, on the recording thread.
struct Received {
  std::mutex lock;
  std::vector<BYTE> bytes;
  int stopped = 0;
  bool deviceOpenWhenStopped = false;
  size_t Size() {
    std::lock_guard<std::mutex> guard(lock);
    return bytes.size();
  }
};

void Append(CDataBuffer& buffer, void* context) {
  auto* received = static_cast<Received*>(context);
  std::lock_guard<std::mutex> guard(received->lock);
  received->bytes.insert(received->bytes.end(), buffer.m_pData, buffer.m_pData + buffer.m_nSize);
}

void Stopped(void* context) {
  auto* received = static_cast<Received*>(context);
  std::lock_guard<std::mutex> guard(received->lock);
  ++received->stopped;
  received->deviceOpenWhenStopped = g_in->open;
}

class SoundInFake : public testing::Test {
 protected:
  void SetUp() override { g_in = &m_device; }
  void TearDown() override { g_in = nullptr; }

  // The device gives back the first `count` queued blocks, full.
  void Deliver(int count) {
    std::lock_guard<std::mutex> guard(m_device.lock);
    for (int i = 0; i < count && !m_device.queued.empty(); ++i) {
      GiveBack(m_device.queued.front(), kBlock);
      m_device.queued.erase(m_device.queued.begin());
    }
  }
  bool WaitForBytes(size_t size) {
    for (int i = 0; i < 1000 && m_received.Size() < size; ++i) ::Sleep(5);
    return m_received.Size() >= size;
  }
  // The bytes counting up from 1, as the device recorded them.
  static std::vector<BYTE> Counting(size_t size) {
    std::vector<BYTE> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<BYTE>(1 + i);
    return bytes;
  }

  FakeWaveIn m_device;
  Received m_received;
};

TEST_F(SoundInFake, StopWritesWhatEveryReturnedBlockRecordedAndReturnsOnceTheDeviceIsClosed) {
  MessageBoxCapture boxes;
  CSoundIn input(Fake());
  input.SetDataCallback(&Append, &m_received);
  input.SetStoppedCallback(&Stopped);
  ASSERT_TRUE(input.Start());
  EXPECT_TRUE(input.IsRecording());
  EXPECT_EQ(input.m_nThreadID, m_device.thread);
  Deliver(2);  // handed on and queued again
  ASSERT_TRUE(WaitForBytes(2 * kBlock));
  // The stop cuts the block in progress short; the others come back empty.
  m_device.resetFills = {1000};
  EXPECT_TRUE(input.Stop());
  EXPECT_FALSE(input.IsRecording());
  EXPECT_EQ(1, m_device.resets);
  EXPECT_EQ(1, m_device.closes);
  EXPECT_EQ(1, m_received.stopped);
  EXPECT_FALSE(m_received.deviceOpenWhenStopped);
  EXPECT_EQ(Counting(2 * kBlock + 1000), m_received.bytes);
  EXPECT_EQ(std::vector<std::string>(), m_device.faults);
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_TRUE(input.Stop());  // nothing left to stop
  EXPECT_EQ(1, m_device.resets);
}

TEST_F(SoundInFake, DestroyedWhileRecordingItStopsTheSameWay) {
  {
    CSoundIn input(Fake());
    input.SetDataCallback(&Append, &m_received);
    input.SetStoppedCallback(&Stopped);
    ASSERT_TRUE(input.Start());
    Deliver(1);
    m_device.resetFills = {10, 20, 30};
  }
  EXPECT_EQ(1, m_device.closes);
  EXPECT_EQ(1, m_received.stopped);
  EXPECT_EQ(Counting(kBlock + 60), m_received.bytes);
  EXPECT_EQ(std::vector<std::string>(), m_device.faults);
}

TEST_F(SoundInFake, AStartThatFailsIsReportedAndGivesBackWhatWasQueued) {
  struct Row {
    const char* name;
    MMRESULT open, start;
    int adds;
    MMRESULT reported;
    const char* where;
    int resets, closes;
  };
  for (const Row& row : {Row{"open", MMSYSERR_ALLOCATED, 0, 1000, MMSYSERR_ALLOCATED, "in Start()", 0, 0},
                         Row{"second buffer", 0, 0, 1, MMSYSERR_NOMEM, "in AddInputBufferToQueue()", 1, 1},
                         Row{"start", 0, MMSYSERR_NOMEM, 1000, MMSYSERR_NOMEM, "in Start()", 1, 1}}) {
    SCOPED_TRACE(row.name);
    FakeWaveIn device;
    g_in = &device;
    device.openResult = row.open;
    device.startResult = row.start;
    device.addsBeforeFailure = row.adds;
    Received received;
    MessageBoxCapture boxes;
    {
      CSoundIn input(Fake());
      input.SetDataCallback(&Append, &received);
      input.SetStoppedCallback(&Stopped);
      EXPECT_FALSE(input.Start());
      EXPECT_FALSE(input.IsRecording());
      EXPECT_EQ(row.closes, device.closes);
      EXPECT_EQ(row.closes, received.stopped);
      EXPECT_FALSE(device.open);
    }
    EXPECT_EQ(row.resets, device.resets);
    EXPECT_TRUE(received.bytes.empty());
    EXPECT_EQ(std::vector<std::string>(), device.faults);
    char text[100] = {};
    waveInGetErrorTextA(row.reported, text, sizeof text);
    CString expected;
    expected.Format("WAVEIN:%x:%s %s", row.reported, text, row.where);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(expected, boxes.boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes()[0].flags);
  }
}

TEST(SoundIn, WithoutADeviceStartIsReportedAndNothingRuns) {
  if (waveInGetNumDevs() > 0) GTEST_SKIP() << "this machine has a wave input device";
  MessageBoxCapture boxes;
  Received received;
  CSoundIn input;
  input.SetDataCallback(&Append, &received);
  EXPECT_FALSE(input.Start());
  EXPECT_FALSE(input.IsRecording());
  EXPECT_TRUE(input.Stop());
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(0, boxes.boxes()[0].text.Find("WAVEIN:2:"));
  EXPECT_EQ(boxes.boxes()[0].text.GetLength() - 11, boxes.boxes()[0].text.Find(" in Start()"));
}

TEST(SoundIn, DoesNotStartWithoutACallback) {
  MessageBoxCapture boxes;
  CSoundIn input;
  EXPECT_FALSE(input.Start());
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
