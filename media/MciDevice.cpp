#include "media/MciDevice.h"

#include "framework/core/MessageBox.h"
#include "framework/ui/WinApp.h"
#include "framework/ui/Wnd.h"

namespace {

constexpr int kFileKindMidi = 1;
constexpr int kFileKindWave = 2;
constexpr DWORD kWaveBufferSeconds = 5;

}  // namespace

CMciDevice::~CMciDevice() { Close(); }

MCIERROR CMciDevice::SendCommand(UINT message, DWORD_PTR flags, void* parameters) {
  if (m_deviceId == 0 && message != MCI_OPEN) return m_lastError = MCIERR_INVALID_DEVICE_ID;
  const MCIERROR error = ::mciSendCommandA(m_deviceId, message, flags, reinterpret_cast<DWORD_PTR>(parameters));
  return error ? Refuse(error) : 0;
}

void CMciDevice::ReportError(MCIERROR error) {
  ::MessageBeep(MB_ICONEXCLAMATION);
  char text[256] = {};
  if (!::mciGetErrorStringA(error, text, sizeof text) || text[0] == '\0') lstrcpynA(text, "Unknown Error", sizeof text);
  CWnd* main = AfxGetMainWnd();
  AfxMessageBoxWithCaption(main ? main->GetSafeHwnd() : nullptr, text, "MCI Error", MB_ICONEXCLAMATION);
}

MCIERROR CMciDevice::OpenWith(DWORD_PTR flags, void* parameters, const MCIDEVICEID& openedId) {
  // A wrapper holds one device: a second open would lose the first one's id.
  Close();
  const MCIERROR error = SendCommand(MCI_OPEN, flags | MCI_WAIT, parameters);
  if (error == 0) m_deviceId = openedId;
  return error;
}

MCIERROR CMciDevice::Open(const char* deviceType, BOOL shareable) {
  MCI_OPEN_PARMSA parameters = {};
  parameters.lpstrDeviceType = deviceType;
  return OpenWith(MCI_OPEN_TYPE | (shareable ? MCI_OPEN_SHAREABLE : 0), &parameters, parameters.wDeviceID);
}

MCIERROR CMciDevice::OpenById(DWORD deviceTypeId, BOOL shareable) {
  MCI_OPEN_PARMSA parameters = {};
  parameters.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(deviceTypeId));
  return OpenWith(MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | (shareable ? MCI_OPEN_SHAREABLE : 0), &parameters,
                  parameters.wDeviceID);
}

MCIERROR CMciDevice::Refuse(MCIERROR error) {
  m_lastError = error;
  if (m_reportErrors) ReportError(error);
  return error;
}

MCIERROR CMciDevice::OpenFile(const char* path, int kind, BOOL shareable) {
  // Without an output device Wine's sequencer and wave device still open and "play",
  // silently (observed); a missing device is told here as the system tells it.
  if (kind == kFileKindMidi && ::midiOutGetNumDevs() == 0) return Refuse(MCIERR_SEQ_NOMIDIPRESENT);
  if (kind == kFileKindWave && ::waveOutGetNumDevs() == 0) return Refuse(MCIERR_WAVE_OUTPUTSUNSUITABLE);
  // The file's name is a device's alias unless another is given: two objects playing one
  // file (a duplicate shares its original's) would refuse each other.
  const DWORD_PTR flags = MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS |
                          (shareable ? MCI_OPEN_SHAREABLE : 0);
  char alias[32];
  wsprintfA(alias, "sound%p", static_cast<void*>(this));
  if (kind == kFileKindMidi) {
    MCI_OPEN_PARMSA parameters = {};
    parameters.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_SEQUENCER));
    parameters.lpstrElementName = path;
    parameters.lpstrAlias = alias;
    return OpenWith(flags, &parameters, parameters.wDeviceID);
  }
  if (kind == kFileKindWave) {
    // The buffer is named but its flag is not given, so the device keeps its own.
    MCI_WAVE_OPEN_PARMSA wave = {};
    wave.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_WAVEFORM_AUDIO));
    wave.lpstrElementName = path;
    wave.lpstrAlias = alias;
    wave.dwBufferSeconds = kWaveBufferSeconds;
    return OpenWith(flags, &wave, wave.wDeviceID);
  }
  return m_lastError = MCIERR_UNSUPPORTED_FUNCTION;
}

MCIERROR CMciDevice::Close() {
  if (m_deviceId == 0) return 0;
  MCI_GENERIC_PARMS parameters = {};
  parameters.dwCallback = reinterpret_cast<DWORD_PTR>(m_callback);
  const MCIERROR error = SendCommand(MCI_CLOSE, 0, &parameters);
  // Whatever the answer, the id is not this wrapper's any more.
  m_deviceId = 0;
  return error;
}

MCIERROR CMciDevice::QueryStatus(DWORD item, DWORD_PTR& value) {
  MCI_STATUS_PARMS parameters = {};
  parameters.dwItem = item;
  const MCIERROR error = SendCommand(MCI_STATUS, MCI_STATUS_ITEM, &parameters);
  value = error == 0 ? parameters.dwReturn : 0;
  return error;
}

DWORD_PTR CMciDevice::GetStatus(DWORD item) {
  DWORD_PTR value;
  QueryStatus(item, value);
  return value;
}

DWORD_PTR CMciDevice::GetMode() { return GetStatus(MCI_STATUS_MODE); }

MCIERROR CMciDevice::Set(DWORD flags, DWORD timeFormat, DWORD audio) {
  MCI_SET_PARMS parameters = {};
  parameters.dwTimeFormat = timeFormat;
  parameters.dwAudio = audio;
  return SendCommand(MCI_SET, flags, &parameters);
}

MCIERROR CMciDevice::SetTimeFormat(DWORD format) { return Set(MCI_SET_TIME_FORMAT, format, 0); }

MCIERROR CMciDevice::Play(BOOL notify) {
  MCI_PLAY_PARMS parameters = {};
  if (notify) parameters.dwCallback = reinterpret_cast<DWORD_PTR>(m_callback);
  return SendCommand(MCI_PLAY, notify ? MCI_NOTIFY : 0, &parameters);
}

MCIERROR CMciDevice::Stop() {
  MCI_GENERIC_PARMS parameters = {};
  parameters.dwCallback = reinterpret_cast<DWORD_PTR>(m_callback);
  return SendCommand(MCI_STOP, 0, &parameters);
}

MCIERROR CMciDevice::Seek(DWORD to, DWORD flags, BOOL notify) {
  MCI_SEEK_PARMS parameters = {};
  parameters.dwTo = to;
  if (notify) parameters.dwCallback = reinterpret_cast<DWORD_PTR>(m_callback);
  return SendCommand(MCI_SEEK, flags | (notify ? MCI_NOTIFY : 0), &parameters);
}

MCIERROR CMciDevice::SeekToStart(BOOL notify) { return Seek(0, MCI_SEEK_TO_START, notify); }
