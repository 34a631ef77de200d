// Package writing speed: 200 page files of 1 MB appended behind a stub (this program's
// own executable), written five times; prints the best rate in MB/s. tools/bench-package
// runs it and compares the rate with cp of the same bytes.
// Usage: PackageBench FOLDER [PAGES]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "package/PackageIndex.h"

namespace {

constexpr DWORD kPageSize = 1 << 20;

bool WritePage(const CString& path, unsigned seed) {
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return false;
  std::vector<BYTE> bytes(kPageSize);
  for (DWORD i = 0; i < kPageSize; ++i) bytes[i] = static_cast<BYTE>(i * 13 + seed * 7 + i / 4093);
  try {
    file.Write(bytes.data(), kPageSize);
    // On disk before the timing starts, so that the runs do not pay for this write-back.
    file.Flush();
    file.Close();
  } catch (const CFileException&) {
    return false;
  }
  return true;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: PackageBench FOLDER [PAGES]\n");
    return 2;
  }
  CString folder(argv[1]);
  PackageIndex::WithTrailingBackslash(folder);
  const int pages = argc > 2 ? std::atoi(argv[2]) : 200;
  if (pages < 1 || pages > PackageIndex::kMaxEntries) {
    std::fprintf(stderr, "PAGES must lie between 1 and %d\n", PackageIndex::kMaxEntries);
    return 2;
  }
  CreateDirectoryA(folder, nullptr);

  PackageIndex table;
  for (int i = 0; i < pages; ++i) {
    CString name;
    name.Format("page%03d.rvx", i);
    if (!WritePage(folder + name, static_cast<unsigned>(i)) || !table.AddFile(folder + name)) {
      std::fprintf(stderr, "cannot write %s\n", (folder + name).GetString());
      return 1;
    }
  }

  const CString stub = GetModulePath();
  const CString output = folder + "package.exe";
  double best = 0;
  for (int run = 0; run < 5; ++run) {
    DeleteFileA(output);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    const int result = table.WritePackage(stub, output, nullptr, nullptr);
    QueryPerformanceCounter(&end);
    if (result != kPackageOk) {
      std::fprintf(stderr, "WritePackage failed: %d\n", result);
      return 1;
    }
    const double seconds = Seconds(start, end);
    if (run == 0 || seconds < best) best = seconds;
  }

  PackageIndex read;
  if (read.Read(output) != kPackageOk || read.GetCount() != pages) {
    std::fprintf(stderr, "the package does not read back\n");
    return 1;
  }
  CFile file;
  file.Open(output, CFile::modeRead);
  const double megabytes = static_cast<double>(file.GetLength()) / (1024.0 * 1024.0);
  std::printf("package: %d pages, %.1f MB, best of 5 in %.3f s: %.0f MB/s\n", pages, megabytes, best,
              megabytes / best);
  std::printf("output: %s\n", output.GetString());
  return 0;
}
