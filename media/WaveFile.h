// CWaveFile: a RIFF "WAVE" file written through the mmio functions: an 18-byte "fmt "
// chunk with the format, then a "data" chunk that receives the samples. The chunks'
// sizes are fixed when the file is closed.
#pragma once

#include "framework/core/String.h"
#include "media/DataBuffer.h"
#include "media/WaveFormat.h"

class CWaveFile : public CWaveFormat {
 public:
  static constexpr int kModeClosed = 0;
  static constexpr int kModeWrite = 2;

  // Creates (or empties) the file and writes its header; IsOpen tells whether it could.
  CWaveFile(const CString& name, const CWaveFormat& format);
  // Closes the file.
  ~CWaveFile() override;

  BOOL IsOpen() const { return m_nMode == kModeWrite; }
  // Appends the buffer's bytes to the data chunk; TRUE when all were written.
  virtual BOOL Write(const CDataBuffer& buffer);
  // Ascends out of the data chunk and the RIFF chunk (which writes their sizes) and
  // closes; TRUE when all of that succeeded. Nothing is written afterwards.
  BOOL Close();

  HMMIO m_hmmio = nullptr;
  CString m_strFileName;
  int m_nMode = kModeClosed;
  MMCKINFO m_ckRiff = {};
  MMCKINFO m_ckData = {};

 private:
  BOOL OpenForWriting();
};
