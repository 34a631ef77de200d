#include "media/SoundIn.h"

#include <algorithm>

#include "framework/core/MessageBox.h"
#include "framework/core/String.h"

IMPLEMENT_DYNCREATE(CSoundIn, CWinThread)

struct CSoundIn::Block {
  explicit Block(DWORD size) : data(size, TRUE) {}
  WAVEHDR header = {};
  CDataBuffer data;
};

CSoundIn::CSoundIn(const WaveInFunctions& device) : m_device(device) {
  m_bAutoDelete = FALSE;  // the owner ends the thread and deletes it
  m_hStopped = ::CreateEventA(nullptr, TRUE, TRUE, nullptr);
  MapThreadMessage(MM_WIM_DATA, &CSoundIn::OnWimData);
  MapThreadMessage(WM_SOUNDIN_STOP, &CSoundIn::OnStopMessage);
  CreateThread();
}

CSoundIn::~CSoundIn() {
  Stop();
  QuitAndWait(INFINITE);
  if (m_hWaveIn) {
    // The device did not give everything back in time. The thread is gone: take back
    // here what a reset returns, and leave alone the memory of any block it keeps.
    m_bRecording = false;
    m_device.reset(m_hWaveIn);
    std::vector<WAVEHDR*> returned;
    for (const auto& block : m_blocks)
      if (block->header.dwFlags & WHDR_DONE) returned.push_back(&block->header);
    for (WAVEHDR* header : returned) OnWimData(0, reinterpret_cast<LPARAM>(header));
    if (m_hWaveIn) {
      for (auto& block : m_blocks) block.release();
      m_blocks.clear();
      m_nQueued = 0;
      CloseDevice();
    }
  }
  if (m_hStopped) ::CloseHandle(m_hStopped);
}

BOOL CSoundIn::InitInstance() { return TRUE; }

void CSoundIn::SetDataCallback(DataCallback callback, void* context) {
  m_pfnData = callback;
  m_pContext = context;
}

BOOL CSoundIn::Start(const CWaveFormat* format) {
  if (IsRecording() || !m_pfnData || !m_pContext || !m_hThread) return FALSE;
  // The device of an earlier recording is still being given back.
  if (::WaitForSingleObject(m_hStopped, 0) != WAIT_OBJECT_0) return FALSE;
  if (format) m_format = *format;
  HWAVEIN device = nullptr;
  MMRESULT result = m_device.open(&device, WAVE_MAPPER, &m_format.m_wfx, m_nThreadID, 0, CALLBACK_THREAD);
  if (result != MMSYSERR_NOERROR) {
    ReportError(result, "in Start()");
    return FALSE;
  }
  m_hWaveIn = device;
  ::ResetEvent(m_hStopped);
  // Raised before the device starts, so that the first block to come back is kept.
  m_bRecording = true;
  BOOL started = TRUE;
  for (int i = 0; i < kQueuedBuffers && started; ++i) started = AddInputBufferToQueue();
  if (started) {
    result = m_device.start(m_hWaveIn);
    if (result != MMSYSERR_NOERROR) {
      ReportError(result, "in Start()");
      started = FALSE;
    }
  }
  if (!started) {
    m_bRecording = false;
    Stop();  // gives back what was queued and closes the device
  }
  return started;
}

BOOL CSoundIn::AddInputBufferToQueue() {
  auto block = std::make_unique<Block>(m_format.BufferBytes());
  if (!block->data.m_pData) return FALSE;  // "Out of memory!" was shown
  WAVEHDR& header = block->header;
  header.lpData = block->data.m_pData;
  header.dwBufferLength = block->data.m_nSize;
  MMRESULT result = m_device.prepare(m_hWaveIn, &header, sizeof header);
  if (result == MMSYSERR_NOERROR) {
    m_blocks.push_back(std::move(block));
    result = m_device.addBuffer(m_hWaveIn, &header, sizeof header);
    if (result == MMSYSERR_NOERROR) {
      ++m_nQueued;
      return TRUE;
    }
    m_device.unprepare(m_hWaveIn, &header, sizeof header);
    m_blocks.pop_back();
  }
  ReportError(result, "in AddInputBufferToQueue()");
  return FALSE;
}

BOOL CSoundIn::Stop() {
  if (::GetCurrentThreadId() == m_nThreadID) {
    StopDevice();
  } else if (::WaitForSingleObject(m_hStopped, 0) != WAIT_OBJECT_0 && PostThreadMessage(WM_SOUNDIN_STOP, 0, 0)) {
    AfxWaitHandlingSentMessages(m_hStopped, kStopTimeout);
  }
  return ::WaitForSingleObject(m_hStopped, 0) == WAIT_OBJECT_0;
}

void CSoundIn::OnStopMessage(WPARAM, LPARAM) { StopDevice(); }

void CSoundIn::StopDevice() {
  if (!m_hWaveIn) return;
  // Cleared first: the blocks the reset returns are written and freed, not queued again.
  m_bRecording = false;
  const MMRESULT result = m_device.reset(m_hWaveIn);
  if (result != MMSYSERR_NOERROR) ReportError(result, "in Stop()");
  if (m_nQueued == 0) CloseDevice();
}

void CSoundIn::OnWimData(WPARAM, LPARAM lParam) {
  auto* header = reinterpret_cast<WAVEHDR*>(lParam);
  if (!FindBlock(header)) return;  // not a block of this recording
  MMRESULT result = m_device.unprepare(m_hWaveIn, header, sizeof *header);
  if (result != MMSYSERR_NOERROR) ReportError(result, "in OnWIM_DATA()");
  // Only what was recorded: the block that a stop cuts short is partly filled.
  if (header->dwBytesRecorded && m_pfnData) {
    CDataBuffer recorded(header->lpData, std::min(header->dwBytesRecorded, header->dwBufferLength));
    m_pfnData(recorded, m_pContext);
  }
  if (m_bRecording) {
    header->dwBytesRecorded = 0;
    header->dwFlags = 0;
    result = m_device.prepare(m_hWaveIn, header, sizeof *header);
    if (result == MMSYSERR_NOERROR) {
      result = m_device.addBuffer(m_hWaveIn, header, sizeof *header);
      if (result == MMSYSERR_NOERROR) return;
      m_device.unprepare(m_hWaveIn, header, sizeof *header);
    }
    ReportError(result, "in OnWIM_DATA()");
  }
  ReleaseBlock(header);
}

CSoundIn::Block* CSoundIn::FindBlock(const WAVEHDR* header) const {
  for (const auto& block : m_blocks)
    if (&block->header == header) return block.get();
  return nullptr;
}

void CSoundIn::ReleaseBlock(WAVEHDR* header) {
  m_blocks.erase(std::remove_if(m_blocks.begin(), m_blocks.end(),
                                [header](const std::unique_ptr<Block>& block) { return &block->header == header; }),
                 m_blocks.end());
  if (--m_nQueued == 0) CloseDevice();
}

void CSoundIn::CloseDevice() {
  m_bRecording = false;
  if (m_hWaveIn) {
    const MMRESULT result = m_device.close(m_hWaveIn);
    if (result != MMSYSERR_NOERROR) ReportError(result, "in stop()");
    m_hWaveIn = nullptr;
  }
  if (m_pfnStopped) m_pfnStopped(m_pContext);
  ::SetEvent(m_hStopped);
}

void CSoundIn::ReportError(MMRESULT result, const char* where) {
  char text[100] = {};
  ::waveInGetErrorTextA(result, text, sizeof text);
  CString message;
  message.Format("WAVEIN:%x:%s %s", result, text, where);
  AfxMessageBox(message, MB_ICONEXCLAMATION);
}
