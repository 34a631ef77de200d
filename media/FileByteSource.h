// A file on disk as a byte source. The file is opened for reading with others allowed
// to read it too: two sound objects may play the same file, and the duration of a file
// may be asked while it plays.
#pragma once

#include "media/ByteSource.h"

class CFileByteSource : public CByteSource {
 public:
  CFileByteSource() = default;
  ~CFileByteSource() override;

  // Opens an existing file by its code-page-936 name; false when it cannot be opened.
  bool Open(const char* path);
  void Close();
  bool IsOpen() const;

  size_t Read(void* buffer, size_t size) override;
  bool Seek(uint64_t offset) override;
  uint64_t GetSize() const override;

 private:
  // The platform's file handle (a HANDLE on Windows), kept opaque so that this header
  // needs no platform header.
  void* m_handle = nullptr;
};
