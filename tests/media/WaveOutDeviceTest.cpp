// The ring of three buffers against a stand-in device: every buffer goes out in order with
// its own length, none is prepared or refilled while the device holds it, and a device
// that never gives a buffer back ends playback after the time-out.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "media/WaveOutDevice.h"

namespace {

// The stand-in device. It either hands each buffer back as soon as it is written (from
// the writing thread, as a driver may) or keeps them all.
struct FakeDevice {
  bool completes = true;
  DWORD_PTR callback = 0;
  DWORD_PTR instance = 0;
  std::vector<std::pair<const char*, DWORD>> written;  // buffer, length
  std::vector<WAVEHDR*> held;
  std::vector<std::string> faults;
  int resets = 0;
};
FakeDevice* g_device = nullptr;
const HWAVEOUT kHandle = reinterpret_cast<HWAVEOUT>(0x1234);

void GiveBack(WAVEHDR* h) {
  h->dwFlags = (h->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  reinterpret_cast<LPDRVCALLBACK>(g_device->callback)(reinterpret_cast<HDRVR>(kHandle), WOM_DONE,
                                                     g_device->instance, reinterpret_cast<DWORD_PTR>(h), 0);
}

MMRESULT WINAPI FakeOpen(LPHWAVEOUT device, UINT, LPCWAVEFORMATEX format, DWORD_PTR callback,
                         DWORD_PTR instance, DWORD flags) {
  if (format->nChannels != 2 || format->nBlockAlign != 4 || !(flags & CALLBACK_FUNCTION))
    g_device->faults.push_back("format or flags");
  g_device->callback = callback;
  g_device->instance = instance;
  *device = kHandle;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakePrepare(HWAVEOUT, LPWAVEHDR h, UINT) {
  if (h->dwFlags & WHDR_INQUEUE) g_device->faults.push_back("prepared while the device holds it");
  h->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeWrite(HWAVEOUT, LPWAVEHDR h, UINT) {
  if (!(h->dwFlags & WHDR_PREPARED)) g_device->faults.push_back("written unprepared");
  h->dwFlags = (h->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  g_device->written.emplace_back(h->lpData, h->dwBufferLength);
  if (g_device->completes)
    GiveBack(h);
  else
    g_device->held.push_back(h);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeUnprepare(HWAVEOUT, LPWAVEHDR h, UINT) {
  if (h->dwFlags & WHDR_INQUEUE) {
    g_device->faults.push_back("unprepared while the device holds it");
    return WAVERR_STILLPLAYING;
  }
  h->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeReset(HWAVEOUT) {
  ++g_device->resets;
  for (WAVEHDR* h : g_device->held) GiveBack(h);
  g_device->held.clear();
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeClose(HWAVEOUT) { return MMSYSERR_NOERROR; }

WaveOutFunctions Fake() {
  WaveOutFunctions f;
  f.open = &FakeOpen;
  f.prepare = &FakePrepare;
  f.write = &FakeWrite;
  f.unprepare = &FakeUnprepare;
  f.reset = &FakeReset;
  f.close = &FakeClose;
  return f;
}

class WaveOutDevice : public testing::Test {
 protected:
  void SetUp() override { g_device = &m_device; }
  void TearDown() override { g_device = nullptr; }
  FakeDevice m_device;
};

TEST_F(WaveOutDevice, EveryBufferGoesOutInOrderWithItsOwnLength) {
  const int limit = 26736 / 2;
  for (int buffers : {1, 2, 3, 7}) {
    SCOPED_TRACE(buffers);
    m_device = FakeDevice();
    CWaveOutDevice device(Fake());
    ASSERT_TRUE(device.Open(44100, 16, 26736));
    int fill = 0;
    short* buffer = device.GetBuffer(&fill);
    ASSERT_EQ(limit, fill);
    std::vector<std::pair<const char*, DWORD>> expected;
    for (int i = 0; i < buffers; ++i) {
      // Full buffers run past the limit by part of a frame; the last one is partial.
      int values = i + 1 < buffers ? limit + 100 * (i + 1) : 1000 + i;
      expected.emplace_back(reinterpret_cast<const char*>(buffer), static_cast<DWORD>(values) * 2);
      buffer = device.Write(values);
      ASSERT_TRUE(buffer);
      EXPECT_EQ(0, values);
    }
    EXPECT_TRUE(device.Drain(nullptr));
    device.Close();
    EXPECT_EQ(expected, m_device.written);
    EXPECT_TRUE(m_device.faults.empty()) << m_device.faults.front();
  }
}

TEST_F(WaveOutDevice, ADeviceThatKeepsItsBuffersEndsPlaybackAfterTheTimeOut) {
  m_device.completes = false;
  CWaveOutDevice device(Fake(), 200);
  ASSERT_TRUE(device.Open(22050, 16, 26736));
  int limit = 0;
  device.GetBuffer(&limit);
  int values = limit + 1;
  ASSERT_TRUE(device.Write(values));
  values = limit + 1;
  ASSERT_TRUE(device.Write(values));
  values = limit + 1;
  // The ring comes back to the first buffer, which the device still holds.
  const DWORD before = GetTickCount();
  EXPECT_FALSE(device.Write(values));
  EXPECT_GE(GetTickCount() - before, 150u);
  EXPECT_EQ(3u, m_device.written.size());
  EXPECT_EQ(1, m_device.resets);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_TRUE(m_device.faults.empty()) << m_device.faults.front();
}

TEST_F(WaveOutDevice, ACancelEndsTheWaitAtOnce) {
  m_device.completes = false;
  CWaveOutDevice device(Fake());
  ASSERT_TRUE(device.Open(44100, 16, 26736));
  int limit = 0;
  device.GetBuffer(&limit);
  int values = limit;
  ASSERT_TRUE(device.Write(values));
  HANDLE cancel = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  const DWORD before = GetTickCount();
  EXPECT_FALSE(device.Drain(cancel));
  EXPECT_LT(GetTickCount() - before, 1000u);
  CloseHandle(cancel);
  device.Close();
  EXPECT_EQ(1, m_device.resets);
  EXPECT_TRUE(m_device.faults.empty()) << m_device.faults.front();
}

}  // namespace
