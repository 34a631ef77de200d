#include "framework/core/StdioFile.h"

#include <cstring>
#include <string>

CStdioFile::CStdioFile(const char* fileName, UINT openFlags) {
  CFileException error;
  if (!Open(fileName, openFlags, &error)) throw error;
}

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  m_bText = (openFlags & typeBinary) == 0;
  return CFile::Open(fileName, openFlags & ~(typeText | typeBinary), error);
}

void CStdioFile::WriteString(const char* text) {
  if (!m_bText) {
    Write(text, static_cast<UINT>(std::strlen(text)));
    return;
  }
  std::string translated;
  for (const char* c = text; *c; ++c) {
    if (*c == '\n') translated += '\r';
    translated += *c;
  }
  Write(translated.data(), static_cast<UINT>(translated.size()));
}
