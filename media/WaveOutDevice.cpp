#include "media/WaveOutDevice.h"

#include <cstring>

namespace {

// Room past the buffer size for the samples of the frame that crosses it.
constexpr int kSpare = 20000;

}  // namespace

CWaveOutDevice::CWaveOutDevice(const WaveOutFunctions& functions, DWORD completionTimeout)
    : m_api(functions), m_completionTimeout(completionTimeout) {
  std::memset(m_headers, 0, sizeof m_headers);
  std::memset(&m_format, 0, sizeof m_format);
}

CWaveOutDevice::~CWaveOutDevice() {
  Close();
  FreeBuffers();
}

BOOL CWaveOutDevice::Open(int rate, int bits, int size, int count) {
  Close();
  FreeBuffers();
  if (count != kBufferCount || size <= 0) return FALSE;
  for (WAVEHDR& h : m_headers) {
    h.lpData = static_cast<LPSTR>(calloc(static_cast<size_t>(size) + kSpare, 1));
    if (!h.lpData) {
      FreeBuffers();
      return FALSE;
    }
  }
  m_bufferSize = size;
  m_count = count;
  m_current = 0;
  m_format.wFormatTag = WAVE_FORMAT_PCM;
  m_format.nChannels = 2;
  m_format.nSamplesPerSec = static_cast<DWORD>(rate);
  m_format.wBitsPerSample = static_cast<WORD>(bits);
  m_format.nBlockAlign = static_cast<WORD>(2 * bits / 8);
  m_format.nAvgBytesPerSec = m_format.nSamplesPerSec * m_format.nBlockAlign;
  m_format.cbSize = 0;
  m_done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!m_done) {
    FreeBuffers();
    return FALSE;
  }
  if (m_api.open(&m_device, WAVE_MAPPER, &m_format, reinterpret_cast<DWORD_PTR>(&OnDeviceMessage),
                  reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION | WAVE_ALLOWSYNC) !=
      MMSYSERR_NOERROR) {
    m_device = nullptr;
    FreeBuffers();
    return FALSE;
  }
  return TRUE;
}

void CALLBACK CWaveOutDevice::OnDeviceMessage(HWAVEOUT, UINT message, DWORD_PTR instance,
                                              DWORD_PTR, DWORD_PTR) {
  if (message == WOM_DONE) SetEvent(reinterpret_cast<CWaveOutDevice*>(instance)->m_done);
}

short* CWaveOutDevice::GetBuffer(int* limit) {
  if (limit) *limit = m_bufferSize / 2;
  return reinterpret_cast<short*>(m_headers[m_current].lpData);
}

// Waits until the device has given the header back (WHDR_DONE), then unprepares it.
BOOL CWaveOutDevice::Reclaim(WAVEHDR& header, HANDLE cancel) {
  const int index = static_cast<int>(&header - m_headers);
  if (!m_queued[index]) return TRUE;
  const DWORD start = GetTickCount();
  // The audio thread sets the flag; read it afresh each time.
  while (!(*static_cast<volatile DWORD*>(&header.dwFlags) & WHDR_DONE)) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= m_completionTimeout) return FALSE;
    HANDLE handles[2] = {m_done, cancel};
    const DWORD r = WaitForMultipleObjects(cancel ? 2 : 1, handles, FALSE, m_completionTimeout - spent);
    if (r == WAIT_OBJECT_0 + 1) return FALSE;
    if (r != WAIT_OBJECT_0 && r != WAIT_TIMEOUT) return FALSE;
  }
  m_api.unprepare(m_device, &header, sizeof header);
  m_queued[index] = false;
  return TRUE;
}

short* CWaveOutDevice::Write(int& values, HANDLE cancel) {
  if (!m_device) return nullptr;
  WAVEHDR& h = m_headers[m_current];
  h.dwBufferLength = static_cast<DWORD>(values) * 2;
  values = 0;
  h.dwFlags = 0;
  if (h.dwBufferLength > 0) {
    if (m_api.prepare(m_device, &h, sizeof h) != MMSYSERR_NOERROR) {
      Close();
      return nullptr;
    }
    if (m_api.write(m_device, &h, sizeof h) != MMSYSERR_NOERROR) {
      m_api.unprepare(m_device, &h, sizeof h);
      Close();
      return nullptr;
    }
    m_queued[m_current] = true;
  }
  m_current = (m_current + 1) % m_count;
  if (!Reclaim(m_headers[m_current], cancel)) {
    // Cancelled, or the device keeps the buffer: it is stuck, and the buffer must not be
    // refilled.
    if (!cancel || WaitForSingleObject(cancel, 0) != WAIT_OBJECT_0) Close();
    return nullptr;
  }
  return reinterpret_cast<short*>(m_headers[m_current].lpData);
}

BOOL CWaveOutDevice::Drain(HANDLE cancel) {
  if (!m_device) return FALSE;
  // The oldest buffer first: the device plays them in the order they were queued.
  for (int i = 1; i <= m_count; ++i)
    if (!Reclaim(m_headers[(m_current + i) % m_count], cancel)) return FALSE;
  return TRUE;
}

void CWaveOutDevice::Close() {
  if (!m_device) return;
  // Reset hands every queued buffer back at once, marked done.
  m_api.reset(m_device);
  for (int i = 0; i < m_count; ++i) {
    if (m_queued[i]) {
      m_api.unprepare(m_device, &m_headers[i], sizeof m_headers[i]);
      m_queued[i] = false;
    }
  }
  m_api.close(m_device);
  m_device = nullptr;
}

void CWaveOutDevice::FreeBuffers() {
  for (WAVEHDR& h : m_headers) {
    free(h.lpData);
    std::memset(&h, 0, sizeof h);
  }
  if (m_done) {
    CloseHandle(m_done);
    m_done = nullptr;
  }
}
