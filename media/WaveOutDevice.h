// CWaveOutDevice: the wave output device with a ring of three buffers that the MP3
// player's decoding thread fills and queues, at most three in flight.
//
// The device reports each finished buffer through its callback on the system's audio
// thread. The callback only signals this device's own event (no wave function may be
// called from there); the decoding thread unprepares a buffer itself before filling it
// again, so a buffer the device still owns is never touched.
#pragma once

#include <windows.h>
#include <mmsystem.h>

// The wave functions the device calls; tests put a stand-in device behind them.
struct WaveOutFunctions {
  decltype(&waveOutOpen) open = &waveOutOpen;
  decltype(&waveOutPrepareHeader) prepare = &waveOutPrepareHeader;
  decltype(&waveOutWrite) write = &waveOutWrite;
  decltype(&waveOutUnprepareHeader) unprepare = &waveOutUnprepareHeader;
  decltype(&waveOutReset) reset = &waveOutReset;
  decltype(&waveOutClose) close = &waveOutClose;
};

class CWaveOutDevice {
 public:
  static constexpr int kBufferCount = 3;
  // How long a queued buffer may take to come back before the device counts as stuck.
  static constexpr DWORD kCompletionTimeout = 10000;

  explicit CWaveOutDevice(const WaveOutFunctions& functions = WaveOutFunctions(),
                          DWORD completionTimeout = kCompletionTimeout);
  ~CWaveOutDevice();
  CWaveOutDevice(const CWaveOutDevice&) = delete;
  CWaveOutDevice& operator=(const CWaveOutDevice&) = delete;

  // Opens the default device for 2-channel PCM at the given rate and bits per sample,
  // with buffers of `size` bytes (each allocated with room for one more frame's samples
  // beyond it). Returns FALSE when the buffers or the device cannot be had.
  BOOL Open(int rate, int bits, int size, int count = kBufferCount);
  BOOL IsOpen() const { return m_device != nullptr; }

  // The buffer to fill now, and through `limit` how many 16-bit values to fill it with
  // before queuing it.
  short* GetBuffer(int* limit);
  // Queues the current buffer with its `values` 16-bit values (then sets `values` to 0)
  // and returns the next buffer to fill, once the device has given it back. Returns null
  // when the device did not give it back within the time-out, a wave call failed (the
  // device has then been reset), or `cancel` (may be null) was signalled while waiting.
  short* Write(int& values, HANDLE cancel = nullptr);
  // Waits until every queued buffer has been played, or until `cancel` (may be null) is
  // signalled; FALSE when cancelled or when the device stopped giving buffers back.
  BOOL Drain(HANDLE cancel);
  // Stops at once (what is queued is dropped), gives the buffers back and closes.
  void Close();

  // Frees the buffers and the completion event; the device must be closed.
  void FreeBuffers();

 private:
  static void CALLBACK OnDeviceMessage(HWAVEOUT device, UINT message, DWORD_PTR instance,
                                       DWORD_PTR param1, DWORD_PTR param2);
  BOOL Reclaim(WAVEHDR& header, HANDLE cancel);

  WaveOutFunctions m_api;
  DWORD m_completionTimeout;
  WAVEHDR m_headers[kBufferCount];
  int m_count = kBufferCount;
  int m_current = 0;  // the header the decoder fills
  WAVEFORMATEX m_format;
  HWAVEOUT m_device = nullptr;
  int m_bufferSize = 65535;
  HANDLE m_done = nullptr;  // signalled whenever the device gives a buffer back
  bool m_queued[kBufferCount] = {};
};
