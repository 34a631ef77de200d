// CMciDevice: one device of the multimedia command interface (mciSendCommand), opened,
// driven and closed from the user-interface thread. A failed command is kept as the
// last error and, while reporting is switched on, shown in the "MCI Error" box.
//
// A closed wrapper has device id 0 and sends nothing: winmm hands a closed device's id
// to the next device opened, so a command on a stale id would reach another device.
#pragma once

#include <windows.h>
#include <mmsystem.h>

class CMciDevice {
 public:
  CMciDevice() = default;
  // Closes the device when it is still open.
  virtual ~CMciDevice();
  CMciDevice(const CMciDevice&) = delete;
  CMciDevice& operator=(const CMciDevice&) = delete;

  virtual MCIERROR Open(const char* deviceType, BOOL shareable = FALSE);
  virtual MCIERROR OpenById(DWORD deviceTypeId, BOOL shareable = FALSE);
  virtual MCIERROR Close();
  // The status value of the item, 0 on failure.
  virtual DWORD_PTR GetStatus(DWORD item);
  // The same, telling a failure from a value of 0.
  MCIERROR QueryStatus(DWORD item, DWORD_PTR& value);
  virtual DWORD_PTR GetMode();
  virtual MCIERROR Set(DWORD flags, DWORD timeFormat, DWORD audio);

  // Opens a sound file: kind 1 as a MIDI sequencer, kind 2 as wave audio. Any other kind
  // fails with MCIERR_UNSUPPORTED_FUNCTION without a command, and without a MIDI or wave
  // output device the open fails as the system's own would (MCIERR_SEQ_NOMIDIPRESENT,
  // MCIERR_WAVE_OUTPUTSUNSUITABLE), reported like any other failure.
  MCIERROR OpenFile(const char* path, int kind, BOOL shareable = FALSE);
  MCIERROR SetTimeFormat(DWORD format);
  MCIERROR Play(BOOL notify = FALSE);
  MCIERROR Stop();
  MCIERROR Seek(DWORD to, DWORD flags, BOOL notify = FALSE);
  MCIERROR SeekToStart(BOOL notify = FALSE);
  DWORD_PTR GetLength() { return GetStatus(MCI_STATUS_LENGTH); }
  DWORD_PTR GetCurrentTrack() { return GetStatus(MCI_STATUS_CURRENT_TRACK); }

  void SetReportErrors(BOOL report) { m_reportErrors = report; }
  BOOL IsOpen() const { return m_deviceId != 0; }
  MCIDEVICEID GetDeviceId() const { return m_deviceId; }
  MCIERROR GetLastError() const { return m_lastError; }

 protected:
  // Every command goes through here; 0 is success. A closed wrapper refuses every
  // command but an open with MCIERR_INVALID_DEVICE_ID, without reporting it.
  MCIERROR SendCommand(UINT message, DWORD_PTR flags, void* parameters);
  // Sends the open; the device's id is read from openedId (inside parameters) after it.
  MCIERROR OpenWith(DWORD_PTR flags, void* parameters, const MCIDEVICEID& openedId);

  MCIDEVICEID m_deviceId = 0;
  // Notifications are asked for but never delivered: no window is named to receive them.
  HWND m_callback = nullptr;
  MCIERROR m_lastError = 0;
  BOOL m_reportErrors = FALSE;

 private:
  // Keeps the error as the last one and reports it when asked to.
  MCIERROR Refuse(MCIERROR error);
  void ReportError(MCIERROR error);
};
