#include "framework/core/MemFile.h"

#include <cstring>

BOOL CMemFile::Open(const char*, UINT, CFileException* error) {
  // A memory file has no name to open; it is ready from construction.
  if (error) *error = CFileException(CFileException::genericException, ERROR_NOT_SUPPORTED);
  return FALSE;
}

UINT CMemFile::Read(void* buffer, UINT count) {
  if (m_position >= m_bytes.size()) return 0;
  size_t n = m_bytes.size() - m_position;
  if (n > count) n = count;
  std::memcpy(buffer, m_bytes.data() + m_position, n);
  m_position += n;
  return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  if (m_position + count > m_bytes.size()) m_bytes.resize(m_position + count);
  std::memcpy(m_bytes.data() + m_position, buffer, count);
  m_position += count;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
  LONGLONG base = from == begin ? 0 : from == current ? static_cast<LONGLONG>(m_position)
                                                      : static_cast<LONGLONG>(m_bytes.size());
  LONGLONG target = base + offset;
  if (target < 0) throw CFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK);
  m_position = static_cast<size_t>(target);
  return m_position;
}

void CMemFile::SetLength(ULONGLONG length) {
  m_bytes.resize(static_cast<size_t>(length));
  if (m_position > m_bytes.size()) m_position = m_bytes.size();
}

std::vector<BYTE> CMemFile::Detach() {
  std::vector<BYTE> out;
  out.swap(m_bytes);
  m_position = 0;
  return out;
}
