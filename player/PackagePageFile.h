// CPackagePageFile: the bytes of one page of a package, read from the package file as if
// they were a file of their own. An archive over it sees the page's offset as the
// current position and the page's end as the end of the file, so a damaged page fails
// with an end-of-file error instead of reading on into the next page or the directory.
#pragma once

#include "framework/core/File.h"

class CPackagePageFile : public CFile {
 public:
  // Opens the package for reading (others may read it too) and positions it at offset.
  // FALSE, with the cause in *error, when the file cannot be opened; a page that lies
  // (partly) beyond the end of the file is cut to the bytes the file has.
  BOOL OpenPage(const char* packagePath, DWORD offset, DWORD size, CFileException* error = nullptr);

  UINT Read(void* buffer, UINT count) override;
  ULONGLONG GetLength() const override { return m_end; }

 private:
  ULONGLONG m_end = 0;
};
