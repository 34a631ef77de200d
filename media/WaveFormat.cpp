#include "media/WaveFormat.h"

CWaveFormat::CWaveFormat() : m_wfx{} {
  m_wfx.wFormatTag = WAVE_FORMAT_PCM;
  m_wfx.nChannels = 1;
  m_wfx.nSamplesPerSec = 22050;
  m_wfx.wBitsPerSample = 16;
  m_wfx.cbSize = 0;
  Recompute();
}

void CWaveFormat::SetBitsPerSample(WORD bits) {
  m_wfx.wBitsPerSample = bits;
  Recompute();
}

void CWaveFormat::SetSamplesPerSecond(DWORD rate) {
  m_wfx.nSamplesPerSec = rate;
  Recompute();
}

void CWaveFormat::SetChannels(WORD channels) {
  m_wfx.nChannels = channels;
  Recompute();
}

void CWaveFormat::Recompute() {
  m_wfx.nBlockAlign = static_cast<WORD>(m_wfx.wBitsPerSample / 8 * m_wfx.nChannels);
  // Whole frames per second, so that more than one channel is counted too.
  m_wfx.nAvgBytesPerSec = m_wfx.nBlockAlign * m_wfx.nSamplesPerSec;
}
