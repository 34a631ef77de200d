#include "media/WaveFile.h"

#include <vector>

CWaveFile::CWaveFile(const CString& name, const CWaveFormat& format) : CWaveFormat(format), m_strFileName(name) {
  if (!OpenForWriting() && m_hmmio) {
    ::mmioClose(m_hmmio, 0);
    m_hmmio = nullptr;
  }
}

CWaveFile::~CWaveFile() { Close(); }

BOOL CWaveFile::OpenForWriting() {
  std::vector<char> path(m_strFileName.GetString(), m_strFileName.GetString() + m_strFileName.GetLength() + 1);
  m_hmmio = ::mmioOpenA(path.data(), nullptr, MMIO_CREATE | MMIO_WRITE | MMIO_EXCLUSIVE | MMIO_ALLOCBUF);
  if (!m_hmmio) return FALSE;
  m_ckRiff = {};
  m_ckRiff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  if (::mmioCreateChunk(m_hmmio, &m_ckRiff, MMIO_CREATERIFF) != MMSYSERR_NOERROR) return FALSE;
  // The format is written field by field, as the file lays it out (18 + extra bytes).
  MMCKINFO format = {};
  format.ckid = mmioFOURCC('f', 'm', 't', ' ');
  format.cksize = 18 + m_wfx.cbSize;
  if (::mmioCreateChunk(m_hmmio, &format, 0) != MMSYSERR_NOERROR) return FALSE;
  BYTE fields[18];
  const auto put16 = [&fields](int at, WORD value) {
    fields[at] = static_cast<BYTE>(value);
    fields[at + 1] = static_cast<BYTE>(value >> 8);
  };
  const auto put32 = [&put16](int at, DWORD value) {
    put16(at, static_cast<WORD>(value));
    put16(at + 2, static_cast<WORD>(value >> 16));
  };
  put16(0, m_wfx.wFormatTag);
  put16(2, m_wfx.nChannels);
  put32(4, m_wfx.nSamplesPerSec);
  put32(8, m_wfx.nAvgBytesPerSec);
  put16(12, m_wfx.nBlockAlign);
  put16(14, m_wfx.wBitsPerSample);
  put16(16, m_wfx.cbSize);
  if (::mmioWrite(m_hmmio, reinterpret_cast<const char*>(fields), sizeof fields) != sizeof fields) return FALSE;
  if (m_wfx.cbSize) {
    // The extra bytes follow the structure in memory, as WAVEFORMATEX defines them.
    const std::vector<char> extra(m_wfx.cbSize, 0);
    if (::mmioWrite(m_hmmio, extra.data(), m_wfx.cbSize) != m_wfx.cbSize) return FALSE;
  }
  if (::mmioAscend(m_hmmio, &format, 0) != MMSYSERR_NOERROR) return FALSE;
  m_ckData = {};
  m_ckData.ckid = mmioFOURCC('d', 'a', 't', 'a');
  if (::mmioCreateChunk(m_hmmio, &m_ckData, 0) != MMSYSERR_NOERROR) return FALSE;
  m_nMode = kModeWrite;
  return TRUE;
}

BOOL CWaveFile::Write(const CDataBuffer& buffer) {
  if (m_nMode != kModeWrite) return FALSE;
  if (!buffer.m_nSize) return TRUE;
  const LONG size = static_cast<LONG>(buffer.m_nSize);
  return ::mmioWrite(m_hmmio, buffer.m_pData, size) == size;
}

BOOL CWaveFile::Close() {
  if (!m_hmmio) return TRUE;
  BOOL ok = TRUE;
  if (m_nMode == kModeWrite) {
    ok = ::mmioAscend(m_hmmio, &m_ckData, 0) == MMSYSERR_NOERROR;
    ok = ::mmioAscend(m_hmmio, &m_ckRiff, 0) == MMSYSERR_NOERROR && ok;
  }
  ok = ::mmioClose(m_hmmio, 0) == MMSYSERR_NOERROR && ok;
  m_hmmio = nullptr;
  m_nMode = kModeClosed;
  return ok;
}
