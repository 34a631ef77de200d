// CWaveFormat: the format of recorded sound, a WAVEFORMATEX with the length of one
// recording buffer in sample frames. By default 16-bit mono PCM at 22050 Hz in buffers of
// 16384 frames; block align and bytes per second follow the other values.
#pragma once

#include <windows.h>
#include <mmsystem.h>

class CWaveFormat {
 public:
  CWaveFormat();
  virtual ~CWaveFormat() = default;
  CWaveFormat(const CWaveFormat&) = default;
  CWaveFormat& operator=(const CWaveFormat&) = default;

  void SetBitsPerSample(WORD bits);
  void SetSamplesPerSecond(DWORD rate);
  void SetChannels(WORD channels);

  // The bytes of one recording buffer: block align x buffer length.
  DWORD BufferBytes() const { return static_cast<DWORD>(m_wfx.nBlockAlign) * m_nBufferLength; }

  WAVEFORMATEX m_wfx;
  DWORD m_nBufferLength = 16384;  // sample frames per recording buffer

 private:
  void Recompute();
};
