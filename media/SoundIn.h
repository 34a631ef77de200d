// CSoundIn: recording from the default wave input device in a user-interface thread of
// its own. The device posts each filled buffer to that thread (MM_WIM_DATA); the thread
// hands the recorded bytes to the data callback and gives the buffer back to the device.
//
// Stopping is a handshake on the thread: it resets the device, hands on what the device
// returns (the block in progress included), frees each block once the device has
// returned it, closes the device when none is left and then calls the stopped callback.
// Stop waits for that, within a bound. So the callbacks run on this thread only, and
// never after Stop has returned unless Stop gave up waiting.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "framework/ui/WinThread.h"
#include "media/DataBuffer.h"
#include "media/WaveFormat.h"

// The wave input functions the recorder calls; tests put a stand-in device behind them.
struct WaveInFunctions {
  decltype(&waveInOpen) open = &waveInOpen;
  decltype(&waveInPrepareHeader) prepare = &waveInPrepareHeader;
  decltype(&waveInAddBuffer) addBuffer = &waveInAddBuffer;
  decltype(&waveInStart) start = &waveInStart;
  decltype(&waveInUnprepareHeader) unprepare = &waveInUnprepareHeader;
  decltype(&waveInReset) reset = &waveInReset;
  decltype(&waveInClose) close = &waveInClose;
};

class CSoundIn : public CWinThread {
  DECLARE_DYNCREATE(CSoundIn)

 public:
  // Receives recorded bytes (borrowed for the call) on the recording thread.
  using DataCallback = void (*)(CDataBuffer& buffer, void* context);
  // Called on the recording thread once the device has been closed after a stop.
  using StoppedCallback = void (*)(void* context);

  static constexpr int kQueuedBuffers = 3;
  // How long Stop waits for the device to give its blocks back.
  static constexpr DWORD kStopTimeout = 5000;
  // The thread's own message: stop recording.
  static constexpr UINT WM_SOUNDIN_STOP = WM_APP + 0x125;

  // Builds the default format and starts the thread.
  explicit CSoundIn(const WaveInFunctions& device = WaveInFunctions());
  // Stops, ends the thread and frees whatever the device still held.
  ~CSoundIn() override;

  // The device posts to this thread (m_nThreadID, known before it runs); always succeeds.
  BOOL InitInstance() override;

  void SetDataCallback(DataCallback callback, void* context);
  void SetStoppedCallback(StoppedCallback callback) { m_pfnStopped = callback; }

  // Opens the device with the format (the current one when null), queues the buffers
  // and starts; FALSE (reported) when it cannot, and while recording or without a data
  // callback and context. Called from another thread than the recording one.
  BOOL Start(const CWaveFormat* format = nullptr);
  // Stops recording. From another thread it waits for the stop handshake (at most
  // kStopTimeout); on the recording thread (from the data callback) it only starts it.
  // TRUE when no device is open any more (the stopped callback has run).
  BOOL Stop();
  BOOL IsRecording() const { return m_bRecording.load() ? TRUE : FALSE; }

  CWaveFormat m_format;

 protected:
  // MM_WIM_DATA: wParam the device, lParam the returned WAVEHDR.
  void OnWimData(WPARAM wParam, LPARAM lParam);
  void OnStopMessage(WPARAM wParam, LPARAM lParam);

 private:
  struct Block;

  // Allocates, prepares and adds one buffer; FALSE (reported) when it cannot.
  BOOL AddInputBufferToQueue();
  // Clears the flag and resets the device (on the recording thread).
  void StopDevice();
  // Frees a block the device has returned; the device is closed with the last one.
  void ReleaseBlock(WAVEHDR* header);
  void CloseDevice();
  Block* FindBlock(const WAVEHDR* header) const;
  // Shows "WAVEIN:<code>:<error text> <where>".
  static void ReportError(MMRESULT result, const char* where);

  WaveInFunctions m_device;
  DataCallback m_pfnData = nullptr;
  void* m_pContext = nullptr;
  StoppedCallback m_pfnStopped = nullptr;
  std::atomic<bool> m_bRecording{false};
  HWAVEIN m_hWaveIn = nullptr;
  std::atomic<int> m_nQueued{0};
  std::vector<std::unique_ptr<Block>> m_blocks;  // those not yet freed
  HANDLE m_hStopped = nullptr;  // set while no device is open
};
