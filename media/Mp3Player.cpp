#include "media/Mp3Player.h"

#include <vector>

#include "framework/core/MessageBox.h"
#include "framework/core/Module.h"
#include "framework/core/WaitCursor.h"
#include "media/Mp3Decoder.h"
#include "resources/MediaStrings.h"

namespace {

// The device's buffers hold 20000 bytes more than they are filled to before queuing.
constexpr int kSpareValues = 20000 / 2;

void ShowError(UINT id, const CString& argument) {
  char format[256] = {};
  LoadStringA(AfxGetResourceHandle(), id, format, sizeof format);
  char text[1024] = {};
  wsprintfA(text, format, static_cast<const char*>(argument));
  AfxMessageBox(text, MB_ICONERROR);
}

}  // namespace

short ScaleMp3Sample(double* sample) {
  if (!sample) return 0;
  const double gain = 20.0;
  *sample = *sample * gain * 0.05;
  const double v = *sample;
  if (v > 32767.0) return 32767;
  if (v < -32768.0) return -32768;
  if (v != v) return 0;  // never from valid data; damaged data must not become undefined
  return static_cast<short>(v);
}

CMp3Player::CMp3Player() {
  InitializeCriticalSection(&m_lock);
  m_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

CMp3Player::~CMp3Player() {
  StopThread(TRUE);
  m_stream.Close();
  m_waveOut.FreeBuffers();
  if (m_stopEvent) CloseHandle(m_stopEvent);
  DeleteCriticalSection(&m_lock);
}

void CMp3Player::Play(BOOL loop) {
  if (IsPlaying()) return;
  StopThread(FALSE);  // the previous run ended by itself: join it and clean up
  m_loop = loop;
  OpenAndStart();
}

void CMp3Player::Stop() {
  EnterCriticalSection(&m_lock);
  m_loop = FALSE;
  LeaveCriticalSection(&m_lock);
  StopThread(TRUE);
}

BOOL CMp3Player::OpenAndStart() {
  UINT error = IDS_CANNOT_OPEN_FILE;
  {
    CWaitCursor wait;
    if (m_stream.Open(m_mp3File)) {
      m_sampleRate = m_stream.GetSampleRate();
      m_mode = m_stream.GetMode();
      m_modeExtension = m_stream.GetModeExtension();
      m_rateIndex = m_stream.GetRateIndex();
      m_version = m_stream.GetVersion();
      if (m_waveOut.Open(m_sampleRate, 16, m_bufferSize, CWaveOutDevice::kBufferCount))
        return StartThread();
      m_waveOut.FreeBuffers();
      error = IDS_CANNOT_OPEN_SOUND_DEVICE;
    }
    m_stream.Close();
  }
  if (error == IDS_CANNOT_OPEN_FILE)
    ShowError(IDS_CANNOT_OPEN_FILE, m_mp3File);
  else
    AfxMessageBox(IDS_CANNOT_OPEN_SOUND_DEVICE, MB_ICONERROR);
  return FALSE;
}

BOOL CMp3Player::StartThread() {
  EnterCriticalSection(&m_lock);
  m_stopFlag = FALSE;
  ResetEvent(m_stopEvent);
  LeaveCriticalSection(&m_lock);
  m_thread = CreateThread(nullptr, 0, &ThreadEntry, this, CREATE_SUSPENDED, nullptr);
  if (!m_thread) {
    m_waveOut.Close();
    m_waveOut.FreeBuffers();
    m_stream.Close();
    return FALSE;
  }
  SetThreadPriority(m_thread, m_priority);
  ResumeThread(m_thread);
  return TRUE;
}

DWORD WINAPI CMp3Player::ThreadEntry(void* player) {
  CMp3Player* self = static_cast<CMp3Player*>(player);
  self->DecodeLoop();
  // The device is this thread's while it runs; an idle open device would go on playing
  // silence until the next Play or Stop.
  self->m_waveOut.Close();
  return 9;
}

BOOL CMp3Player::LoopAgain() {
  EnterCriticalSection(&m_lock);
  const BOOL again = m_loop && !m_stopFlag;
  LeaveCriticalSection(&m_lock);
  return again;
}

void CMp3Player::DecodeLoop() {
  // The decoder's state is some tens of kilobytes: it lives on this thread's stack.
  CMp3Decoder decoder;
  bool played = false;
  do {
    if (!decoder.Init(m_version, m_mode, m_modeExtension, m_rateIndex, &ScaleMp3Sample)) break;
    EnterCriticalSection(&m_lock);
    m_stream.Seek(0);
    LeaveCriticalSection(&m_lock);
    int limit = 0;
    short* buffer = m_waveOut.GetBuffer(&limit);
    int count = 0;
    int mainData, id, mode, modeExtension, rateIndex;
    bool crc = false;
    played = false;
    EnterCriticalSection(&m_lock);
    const uint8_t* frame = m_stream.ReadFrame(&mainData, &id, &mode, &modeExtension, &rateIndex);
    crc = m_stream.HasCrc();
    LeaveCriticalSection(&m_lock);
    while (frame) {
      // A frame the decoder cannot use adds nothing; the next one may.
      if (decoder.DecodeFrame(frame, crc, mainData, buffer, limit + kSpareValues, count, id, mode,
                              modeExtension, rateIndex))
        played = true;
      if (count > limit) {
        buffer = m_waveOut.Write(count, m_stopEvent);
        if (!buffer) return;
      }
      EnterCriticalSection(&m_lock);
      const BOOL stop = m_stopFlag;
      if (!stop) {
        frame = m_stream.ReadFrame(&mainData, &id, &mode, &modeExtension, &rateIndex);
        crc = m_stream.HasCrc();
      }
      LeaveCriticalSection(&m_lock);
      if (stop) return;
    }
    // The last, partly filled buffer is played too.
    if (count > 0 && !m_waveOut.Write(count, m_stopEvent)) return;
    // A file that gives no sound at all is not looped for ever.
  } while (played && LoopAgain());
  // Let the device play out what is queued; Stop cuts this short.
  m_waveOut.Drain(m_stopEvent);
}

BOOL CMp3Player::StopThread(BOOL stop) {
  if (!m_thread) return FALSE;
  if (stop) {
    EnterCriticalSection(&m_lock);
    m_stopFlag = TRUE;
    SetEvent(m_stopEvent);
    LeaveCriticalSection(&m_lock);
  }
  WaitForSingleObject(m_thread, INFINITE);
  CloseHandle(m_thread);
  m_thread = nullptr;
  m_waveOut.Close();
  m_waveOut.FreeBuffers();
  m_stream.Close();
  return TRUE;
}

BOOL CMp3Player::IsPlaying() const {
  return m_thread && WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

BOOL CMp3Player::WaitUntilDone(DWORD ms) const {
  return !m_thread || WaitForSingleObject(m_thread, ms) == WAIT_OBJECT_0;
}

int CMp3Player::GetDuration() {
  EnterCriticalSection(&m_lock);
  if (m_stream.IsOpen()) {
    const int ms = m_stream.GetDuration();
    LeaveCriticalSection(&m_lock);
    return ms;
  }
  LeaveCriticalSection(&m_lock);
  CMp3Stream probe;
  if (!probe.Open(m_mp3File)) {
    ShowError(IDS_CANNOT_OPEN_FILE, m_mp3File);
    return 0;
  }
  return probe.GetDuration();
}
