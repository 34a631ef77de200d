#include "framework/core/SharedFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : m_nAllocFlags(nAllocFlags), m_nGrowBytes(nGrowBytes ? nGrowBytes : 4096) {}

CSharedFile::~CSharedFile() { Release(); }

void CSharedFile::Release() {
  if (m_hGlobal) {
    ::GlobalUnlock(m_hGlobal);
    ::GlobalFree(m_hGlobal);
  }
  m_hGlobal = nullptr;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow) {
  Release();
  if (!hGlobalMemory) return;
  void* data = ::GlobalLock(hGlobalMemory);
  if (!data) {
    ::GlobalFree(hGlobalMemory);
    throw CFileException(CFileException::genericException);
  }
  m_hGlobal = hGlobalMemory;
  m_lpBuffer = static_cast<BYTE*>(data);
  m_nBufferSize = m_nFileSize = ::GlobalSize(hGlobalMemory);
  m_bAllowGrow = bAllowGrow;
}

HGLOBAL CSharedFile::Detach() {
  HGLOBAL block = m_hGlobal;
  if (!block) return nullptr;
  ::GlobalUnlock(block);
  // Readers take the block's size for the data's: no slack past what was written.
  if (m_nFileSize && m_nFileSize < m_nBufferSize)
    if (HGLOBAL trimmed = ::GlobalReAlloc(block, m_nFileSize, m_nAllocFlags & ~GMEM_ZEROINIT)) block = trimmed;
  m_hGlobal = nullptr;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  return block;
}

BOOL CSharedFile::Open(const char*, UINT, CFileException* error) {
  if (error) error->m_cause = CFileException::genericException;
  return FALSE;  // a block has no name to open by
}

void CSharedFile::Close() { Release(); }
void CSharedFile::Abort() { Release(); }

void CSharedFile::GrowTo(SIZE_T size) {
  if (size <= m_nBufferSize) return;
  if (!m_bAllowGrow) throw CFileException(CFileException::diskFull);
  if (size > SIZE_MAX - (m_nGrowBytes - 1)) throw std::bad_alloc();
  const SIZE_T steps = (size + m_nGrowBytes - 1) / m_nGrowBytes;
  const SIZE_T newSize = steps * m_nGrowBytes;
  HGLOBAL block;
  if (!m_hGlobal) {
    block = ::GlobalAlloc(m_nAllocFlags, newSize);
  } else {
    ::GlobalUnlock(m_hGlobal);
    m_lpBuffer = nullptr;
    block = ::GlobalReAlloc(m_hGlobal, newSize, m_nAllocFlags);
    if (!block) {
      // The old block stays the file's, unchanged.
      m_lpBuffer = static_cast<BYTE*>(::GlobalLock(m_hGlobal));
      throw std::bad_alloc();
    }
  }
  if (!block) throw std::bad_alloc();
  m_hGlobal = block;
  m_lpBuffer = static_cast<BYTE*>(::GlobalLock(block));
  if (!m_lpBuffer) {
    ::GlobalFree(block);
    m_hGlobal = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    throw std::bad_alloc();
  }
  m_nBufferSize = newSize;
}

UINT CSharedFile::Read(void* buffer, UINT count) {
  if (m_nPosition >= m_nFileSize || count == 0) return 0;
  const SIZE_T n = std::min<SIZE_T>(count, m_nFileSize - m_nPosition);
  memcpy(buffer, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return static_cast<UINT>(n);
}

void CSharedFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  if (count > SIZE_MAX - m_nPosition) throw std::bad_alloc();
  const SIZE_T reach = m_nPosition + count;
  GrowTo(reach);
  memcpy(m_lpBuffer + m_nPosition, buffer, count);
  m_nPosition = reach;
  m_nFileSize = std::max(m_nFileSize, reach);
}

ULONGLONG CSharedFile::Seek(LONGLONG offset, UINT from) {
  LONGLONG base = from == begin ? 0 : from == current ? static_cast<LONGLONG>(m_nPosition)
                                                        : static_cast<LONGLONG>(m_nFileSize);
  const LONGLONG target = base + offset;
  if (target < 0 || static_cast<ULONGLONG>(target) > SIZE_MAX) throw CFileException(CFileException::badSeek);
  m_nPosition = static_cast<SIZE_T>(target);
  return m_nPosition;
}

void CSharedFile::SetLength(ULONGLONG length) {
  GrowTo(static_cast<SIZE_T>(length));
  m_nFileSize = static_cast<SIZE_T>(length);
  m_nPosition = std::min(m_nPosition, m_nFileSize);
}
