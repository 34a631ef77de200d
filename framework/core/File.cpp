#include "framework/core/File.h"

#include "framework/core/Codepage.h"

namespace {

std::wstring WidePath(const char* path) { return codepage::ToWide(CString(path).str()); }

}  // namespace

CFile::CFile(const char* fileName, UINT openFlags) {
  CFileException error;
  if (!Open(fileName, openFlags, &error)) throw error;
}

CFile::~CFile() {
  if (IsOpen()) ::CloseHandle(m_hFile);
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  if (IsOpen()) Abort();
  m_strFileName = fileName;

  DWORD access = 0;
  switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: access = GENERIC_READ; break;
  }
  DWORD share = 0;
  switch (openFlags & 0x70) {
    case shareCompat:
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    default: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
  }
  DWORD disposition = OPEN_EXISTING;
  if (openFlags & modeCreate) disposition = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (openFlags & modeNoInherit) ? FALSE : TRUE};
  HANDLE h = ::CreateFileW(WidePath(fileName).c_str(), access, share, &sa, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    LONG os = static_cast<LONG>(::GetLastError());
    if (error) *error = CFileException(CFileException::OsErrorToException(os), os, m_strFileName);
    return FALSE;
  }
  m_hFile = h;
  return TRUE;
}

void CFile::Close() {
  if (!IsOpen()) return;
  BOOL ok = ::CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
  if (!ok) ThrowLastError();
}

void CFile::Abort() {
  if (IsOpen()) ::CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
}

UINT CFile::Read(void* buffer, UINT count) {
  if (count == 0) return 0;
  DWORD got = 0;
  if (!::ReadFile(m_hFile, buffer, count, &got, nullptr)) ThrowLastError();
  return got;
}

void CFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  DWORD written = 0;
  if (!::WriteFile(m_hFile, buffer, count, &written, nullptr)) ThrowLastError();
  // A short write means the volume is full.
  if (written < count) throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!::SetFilePointerEx(m_hFile, distance, &result, from)) ThrowLastError();
  return static_cast<ULONGLONG>(result.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER zero, result;
  zero.QuadPart = 0;
  if (!::SetFilePointerEx(m_hFile, zero, &result, FILE_CURRENT)) ThrowLastError();
  return static_cast<ULONGLONG>(result.QuadPart);
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(m_hFile, &size)) ThrowLastError();
  return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG length) {
  Seek(static_cast<LONGLONG>(length), begin);
  if (!::SetEndOfFile(m_hFile)) ThrowLastError();
}

void CFile::Flush() {
  if (IsOpen() && !::FlushFileBuffers(m_hFile)) ThrowLastError();
}

CString CFile::GetFileName() const {
  int slash = m_strFileName.ReverseFind('\\');
  int other = m_strFileName.ReverseFind('/');
  if (other > slash) slash = other;
  return m_strFileName.Mid(slash + 1);
}

void CFile::Remove(const char* fileName) {
  if (!::DeleteFileW(WidePath(fileName).c_str()))
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), fileName);
}

void CFile::Rename(const char* oldName, const char* newName) {
  if (!::MoveFileW(WidePath(oldName).c_str(), WidePath(newName).c_str()))
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), oldName);
}

void CFile::ThrowLastError() const {
  CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}
