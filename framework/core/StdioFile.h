// CStdioFile: a file written as text. In text mode (typeText) every "\n" of a string
// reaches the file as carriage return and line feed, as the C runtime's text streams
// write it; in binary mode strings are written as they are.
#pragma once

#include "framework/core/File.h"

class CStdioFile : public CFile {
 public:
  CStdioFile() = default;
  // Opens or throws CFileException.
  CStdioFile(const char* fileName, UINT openFlags);

  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
  // Throws CFileException when the file cannot take it.
  virtual void WriteString(const char* text);

 private:
  BOOL m_bText = TRUE;
};
