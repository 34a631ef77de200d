// A raster font installed for the test process only: a Windows FNT file (version 2)
// whose printable ASCII glyphs are solid 8 x 16 blocks. GDI draws it; GDI+ refuses it
// (it draws only outline fonts), which is how a face GDI+ cannot use is made here: under
// Wine every outline face name resolves to some installed font.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RasterFont {
 public:
  static constexpr const wchar_t* kFace = L"Blocky Raster";
  static constexpr int kHeight = 16;

  RasterFont() {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    m_path = std::wstring(dir) + L"blocky" + std::to_wstring(::GetCurrentProcessId()) + L".fnt";
    const std::vector<BYTE> bytes = Bytes();
    HANDLE file = ::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    m_added = ::AddFontResourceExW(m_path.c_str(), FR_PRIVATE, nullptr);
  }
  ~RasterFont() {
    if (m_added) ::RemoveFontResourceExW(m_path.c_str(), FR_PRIVATE, nullptr);
    ::DeleteFileW(m_path.c_str());
  }
  RasterFont(const RasterFont&) = delete;
  RasterFont& operator=(const RasterFont&) = delete;

  bool Installed() const { return m_added > 0; }

 private:
  static std::vector<BYTE> Bytes() {
    const int first = 0x20, last = 0x7E, count = last - first + 2;  // and the sentinel
    const size_t table = 118, bits = table + 4 * count, face = bits + static_cast<size_t>(count) * kHeight;
    const std::string name = "Blocky Raster";
    std::vector<BYTE> b(face + name.size() + 1, 0);
    auto put16 = [&](size_t at, unsigned v) {
      b[at] = static_cast<BYTE>(v & 0xFF);
      b[at + 1] = static_cast<BYTE>(v >> 8);
    };
    auto put32 = [&](size_t at, size_t v) {
      put16(at, static_cast<unsigned>(v & 0xFFFF));
      put16(at + 2, static_cast<unsigned>(v >> 16));
    };
    put16(0, 0x200);  // version
    put32(2, b.size());
    put16(68, 12);  // points
    put16(70, 96);  // resolution
    put16(72, 96);
    put16(74, 13);  // ascent
    put16(83, FW_NORMAL);
    put16(86, 8);  // pixel width and height
    put16(88, kHeight);
    b[90] = FF_MODERN;
    put16(91, 8);  // average and maximum width
    put16(93, 8);
    b[95] = first;
    b[96] = last;
    b[97] = '?' - first;
    b[98] = ' ' - first;
    put16(99, 1);  // bytes per row
    put32(105, face);
    put32(113, bits);
    for (int i = 0; i < count; ++i) {
      put16(table + 4 * i, 8);
      put16(table + 4 * i + 2, static_cast<unsigned>(bits + static_cast<size_t>(i) * kHeight));
      for (int row = 0; row < kHeight; ++row) b[bits + static_cast<size_t>(i) * kHeight + row] = 0xFF;
    }
    std::copy(name.begin(), name.end(), b.begin() + static_cast<std::ptrdiff_t>(face));
    return b;
  }

  std::wstring m_path;
  int m_added = 0;
};
