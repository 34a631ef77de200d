// One file of a package: its name in the directory, where the writer reads it from, and
// where its bytes lie in the package file.
#pragma once

#include "framework/core/String.h"

class PackageIndex;

class PackageEntry {
 public:
  // The longest name a directory record may hold.
  static constexpr int kMaxNameLength = 1000;

  // Measures the file and takes its name (the text behind the last "\"). False, with the
  // entry unchanged, when the file cannot be opened, is too large for a package's 32-bit
  // sizes, or its name is longer than a directory record may hold.
  bool SetFromPath(const char* path);
  void Clear();

  CString GetName() const { return m_name; }
  CString GetFullPath() const { return m_fullPath; }
  DWORD GetSize() const { return m_size; }
  // Absolute position of the entry's data in the package file; 0 before it is written.
  DWORD GetOffset() const { return m_offset; }

 private:
  friend class PackageIndex;

  CString m_name;
  CString m_fullPath;
  DWORD m_size = 0;
  DWORD m_offset = 0;
};
