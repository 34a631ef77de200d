// CFile: a file on disk reached through a Win32 handle the object owns. Failures throw
// CFileException naming the file, except Open, which reports them to its caller.
#pragma once

#include "framework/core/FileException.h"
#include "framework/core/String.h"

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  // Opens or throws CFileException.
  CFile(const char* fileName, UINT openFlags);
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // FALSE on failure, with the cause in *error when given.
  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  virtual void Close();
  // Closes without throwing, for clean-up after a failure.
  virtual void Abort();

  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual ULONGLONG Seek(LONGLONG offset, UINT from);
  ULONGLONG SeekToBegin() { return Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG length);
  virtual void Flush();

  BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
  HANDLE GetHandle() const { return m_hFile; }
  const CString& GetFilePath() const { return m_strFileName; }
  CString GetFileName() const;

  static void Remove(const char* fileName);
  static void Rename(const char* oldName, const char* newName);

 protected:
  [[noreturn]] void ThrowLastError() const;

  HANDLE m_hFile = INVALID_HANDLE_VALUE;
  CString m_strFileName;
};
