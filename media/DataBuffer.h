// CDataBuffer: a block of sound bytes, either owned (allocated here, freed with the
// buffer) or borrowed (someone else's memory, left alone).
#pragma once

#include <windows.h>

class CDataBuffer {
 public:
  // Allocates `size` bytes, owned when bOwns; when the memory cannot be had, warns
  // "Out of memory!" and stays empty.
  CDataBuffer(DWORD size, BOOL bOwns);
  // Borrows `size` bytes at `data`; no data gives an empty buffer.
  CDataBuffer(void* data, DWORD size);
  virtual ~CDataBuffer();
  CDataBuffer(const CDataBuffer&) = delete;
  CDataBuffer& operator=(const CDataBuffer&) = delete;

  char* m_pData = nullptr;
  DWORD m_nSize = 0;
  BYTE m_bOwns = FALSE;
};
