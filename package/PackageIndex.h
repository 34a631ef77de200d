// The directory of a package: files appended behind a stub executable, then one record
// per file, the count and the marker "!QOVA_SFX!". The editor fills and writes it, the
// player reads it from its own executable, and setup reads and extracts it.
//
// Layout behind the stub (all integers 32-bit little-endian, nothing padded):
//   data of entry 0 .. n-1, back to back
//   per entry: offset, size, name bytes (code page 936, no NUL), name length
//   n
//   "!QOVA_SFX!"
// The name length stands behind the name so the directory is walked from the end.
#pragma once

#include <memory>
#include <vector>

#include "framework/core/File.h"
#include "package/PackageEntry.h"

// Result codes shared by the writer, the reader, the player's page loading and setup.
enum PackageResult : int {
  kPackageCannotOpen = 1000,    // the package file cannot be opened or read
  kPackageNoMarker = 1001,      // no package, or a damaged directory
  kPackageOk = 1002,
  kPackageStubFailed = 1003,    // copying the stub to the output failed
  kPackageEmpty = 1004,         // no entries
  kPackageOutputFailed = 1005,  // output (or extraction target) cannot be written
  kPackageSourceFailed = 1006,  // a source, or the package for extraction, cannot be opened
};

// Called once per entry after its bytes were written or extracted.
using PackageCallback = void (*)(const PackageEntry& entry, void* user);

class PackageIndex {
 public:
  static constexpr int kMaxEntries = 256;

  PackageIndex() = default;
  virtual ~PackageIndex() = default;
  PackageIndex(const PackageIndex&) = default;
  PackageIndex& operator=(const PackageIndex&) = default;
  PackageIndex(PackageIndex&&) = default;
  PackageIndex& operator=(PackageIndex&&) = default;

  void Clear();
  int GetCount() const { return static_cast<int>(m_entries.size()); }
  const PackageEntry& GetEntry(int index) const { return m_entries.at(static_cast<size_t>(index)); }
  // Bytes from the first directory record to the end of the file, as Read found them.
  int GetTrailerLength() const { return m_trailerLength; }

  // Writer. AddFile: 1 when added, 0 when the table is full or the file unusable.
  int AddFile(const char* fullPath);
  // Copies the stub to the output and appends the entries; the output is removed again
  // when anything fails after it was made. Offsets are valid after success.
  int WritePackage(const char* stubPath, const char* outputPath, PackageCallback callback, void* user);
  // Appends the entries' data and the directory at the output's current position:
  // 0, kPackageSourceFailed or kPackageOutputFailed.
  int AppendPackageFiles(CFile& output, PackageCallback callback, void* user);

  // Reader: fills the table from the directory at the end of the file. Nothing of the
  // directory is trusted; a damaged one gives kPackageNoMarker and an empty table.
  int Read(const char* path);
  // Offset of the first entry of that name (ASCII letters compared without case), or 0.
  // With reread, the table is first read from the running executable.
  DWORD FindPage(const char* name, bool reread);
  // Index of the first entry of that name, compared as FindPage does, or -1.
  int FindEntry(const char* name) const;
  // Offset of entry index, or 0 when there is none.
  DWORD GetPage(int index, bool reread);

  // Extraction (setup): writes every entry of the running executable's package into the
  // folder, last entry first, calling back after each. Read failures come back as Read
  // gave them; kPackageOk only when every entry was written.
  int ExtractPackage(const char* folder, PackageCallback callback, void* user);
  // The same from a given package file.
  int ExtractPackageFrom(const char* packagePath, const char* folder, PackageCallback callback,
                         void* user);
  // Writes entry index of the open package to folder + name: kPackageOk or
  // kPackageOutputFailed (nothing is left behind then). A name that is not a plain file
  // name (a folder, drive, stream or device in it) is refused.
  int ExtractPackageEntry(CFile& package, int index, const CString& folder);
  // Appends "\" to folder when its last character is not one, and returns a copy.
  static CString WithTrailingBackslash(CString& folder);

 protected:
  // Opens the copied stub for appending, without truncating it; null when it cannot be
  // opened. A seam for tests: full disks and locked files are hard to make on purpose.
  virtual std::unique_ptr<CFile> OpenOutput(const char* outputPath);

 private:
  std::vector<PackageEntry> m_entries;
  int m_trailerLength = 0;
};

// Full path of the running executable.
CString GetModulePath();
