// Page file speed: a page of 1,000 and one of 10,000 shapes (or the counts given), each
// with a motion, stored and opened through the page document as a real file on disk,
// beside reading the same file's bytes into memory. Best of five of each. tools/bench-
// pages runs it.
// Usage: PageFileBench FOLDER [N...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/core/MessageBox.h"
#include "graphics/GdiplusSession.h"
#include "tests/bench/BenchPages.h"

namespace {

// The whole file into memory, as plainly as the platform reads it.
size_t ReadRaw(const CString& path, std::vector<BYTE>& buffer) {
  HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  LARGE_INTEGER size;
  ::GetFileSizeEx(file, &size);
  buffer.resize(static_cast<size_t>(size.QuadPart));
  DWORD got = 0;
  ::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr);
  ::CloseHandle(file);
  return got;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: PageFileBench FOLDER [N...]\n");
    return 2;
  }
  CString folder(argv[1]);
  if (folder.Right(1) != "\\") folder += "\\";
  ::CreateDirectoryA(folder, nullptr);
  std::vector<int> counts;
  for (int i = 2; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {1000, 10000};
  CGdiplusSession gdiplus;
  AfxSetMessageBoxSink([](const CString& text, UINT) {
    std::fprintf(stderr, "message: %s\n", text.GetString());
    return IDOK;
  });

  std::printf("%7s %10s %11s %11s %11s %8s %17s\n", "shapes", "bytes", "store (ms)", "open (ms)", "read (ms)",
              "ratio", "open per shape (us)");
  for (int count : counts) {
    const CString path = folder + "bench.rvx";
    double store = 1e9, open = 1e9, raw = 1e9;
    for (int run = 0; run < 5; ++run) {
      {
        CDrawDoc page;
        bench::FillPage(page, count, true);
        const LARGE_INTEGER start = bench::Now();
        if (!page.OnSaveDocument(path)) return 1;
        store = std::min(store, bench::Seconds(start, bench::Now()));
      }
      {
        CDrawDoc page(CDrawDoc::Reader::player);
        const LARGE_INTEGER start = bench::Now();
        if (!page.OnOpenDocument(path) || page.m_objects.GetCount() != count + 1) return 1;
        open = std::min(open, bench::Seconds(start, bench::Now()));
      }
      std::vector<BYTE> bytes;
      const LARGE_INTEGER start = bench::Now();
      if (ReadRaw(path, bytes) == 0) return 1;
      raw = std::min(raw, bench::Seconds(start, bench::Now()));
    }
    std::vector<BYTE> bytes;
    const size_t size = ReadRaw(path, bytes);
    std::printf("%7d %10zu %11.2f %11.2f %11.3f %8.1f %17.2f\n", count, size, store * 1e3, open * 1e3, raw * 1e3,
                open / raw, open * 1e6 / count);
    std::fflush(stdout);
    ::DeleteFileA(path);
  }
  return 0;
}
