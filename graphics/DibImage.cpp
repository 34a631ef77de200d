#include "graphics/DibImage.h"

#include <cstring>
#include <vector>

#include "framework/core/File.h"
#include "framework/ui/DC.h"

namespace {

constexpr DWORD kCoreHeaderBytes = 12;  // BITMAPCOREHEADER
constexpr unsigned long long kMaxDibBytes = 256ull << 20;

DWORD HeaderSize(const void* dib) {
  DWORD size;
  std::memcpy(&size, dib, sizeof size);
  return size;
}

bool IsCore(const void* dib) { return HeaderSize(dib) == kCoreHeaderBytes; }

BITMAPINFOHEADER InfoHeader(const void* dib) {
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib, sizeof header);
  return header;
}

BITMAPCOREHEADER CoreHeader(const void* dib) {
  BITMAPCOREHEADER header;
  std::memcpy(&header, dib, sizeof header);
  return header;
}

WORD BitCount(const void* dib) { return IsCore(dib) ? CoreHeader(dib).bcBitCount : InfoHeader(dib).biBitCount; }

// Locks a global block for the life of the object.
class Locked {
 public:
  explicit Locked(HGLOBAL block) : m_block(block), m_data(block ? static_cast<BYTE*>(::GlobalLock(block)) : nullptr) {}
  ~Locked() {
    if (m_data) ::GlobalUnlock(m_block);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  BYTE* Get() const { return m_data; }

 private:
  HGLOBAL m_block;
  BYTE* m_data;
};

// Selects a palette for drawing and puts the previous one back.
class SelectedPalette {
 public:
  SelectedPalette(HDC dc, HPALETTE palette) : m_dc(dc) {
    if (palette) {
      m_old = ::SelectPalette(dc, palette, FALSE);
      ::RealizePalette(dc);
    }
  }
  ~SelectedPalette() {
    if (m_old) ::SelectPalette(m_dc, m_old, FALSE);
  }
  SelectedPalette(const SelectedPalette&) = delete;
  SelectedPalette& operator=(const SelectedPalette&) = delete;

 private:
  HDC m_dc;
  HPALETTE m_old = nullptr;
};

void PutWord(BYTE*& p, WORD v) {
  p[0] = static_cast<BYTE>(v);
  p[1] = static_cast<BYTE>(v >> 8);
  p += 2;
}
void PutDword(BYTE*& p, DWORD v) {
  PutWord(p, static_cast<WORD>(v));
  PutWord(p, static_cast<WORD>(v >> 16));
}

}  // namespace

UINT DibNumColors(const void* dib) {
  if (!dib) return 0;
  if (!IsCore(dib)) {
    const DWORD used = InfoHeader(dib).biClrUsed;
    if (used) return used;
  }
  switch (BitCount(dib)) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

UINT DibPaletteSize(const void* dib) {
  if (!dib) return 0;
  return DibNumColors(dib) * (IsCore(dib) ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD));
}

BYTE* FindDibBits(void* dib) {
  if (!dib) return nullptr;
  return static_cast<BYTE*>(dib) + HeaderSize(dib) + DibPaletteSize(dib);
}

LONG DibWidth(const void* dib) {
  if (!dib) return 0;
  return IsCore(dib) ? CoreHeader(dib).bcWidth : InfoHeader(dib).biWidth;
}

LONG DibHeight(const void* dib) {
  if (!dib) return 0;
  return IsCore(dib) ? CoreHeader(dib).bcHeight : InfoHeader(dib).biHeight;
}

HPALETTE CreateDibPalette(HGLOBAL dib) {
  Locked data(dib);
  if (!data.Get()) return nullptr;
  const UINT colours = DibNumColors(data.Get());
  if (colours == 0 || colours > 256) return nullptr;
  std::vector<BYTE> buffer(sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(colours);
  const BYTE* table = data.Get() + HeaderSize(data.Get());
  const bool core = IsCore(data.Get());
  for (UINT i = 0; i < colours; ++i) {
    // Table entries are blue, green, red (and a reserved byte after an info header).
    const BYTE* entry = table + i * (core ? 3 : 4);
    palette->palPalEntry[i].peRed = entry[2];
    palette->palPalEntry[i].peGreen = entry[1];
    palette->palPalEntry[i].peBlue = entry[0];
    palette->palPalEntry[i].peFlags = 0;
  }
  return ::CreatePalette(palette);
}

void CDibImage::Free() {
  if (m_hDIB) ::GlobalFree(m_hDIB);
  if (m_hPalette) ::DeleteObject(m_hPalette);
  m_hDIB = nullptr;
  m_hPalette = nullptr;
  m_width = m_height = m_bytesPerRow = m_bitCount = 0;
}

BOOL CDibImage::Paint(CDC* dc, const CRect* dest, const CRect* source, HPALETTE palette) const {
  if (!m_hDIB || !dc || !dc->GetSafeHdc()) return FALSE;
  Locked data(m_hDIB);
  if (!data.Get()) return FALSE;
  const CRect whole(0, 0, m_width, m_height);
  const CRect to = dest ? *dest : whole;
  const CRect from = source ? *source : whole;
  HDC hdc = dc->GetSafeHdc();
  SelectedPalette selected(hdc, palette ? palette : m_hPalette);
  ::SetStretchBltMode(hdc, COLORONCOLOR);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(data.Get());
  const BYTE* bits = FindDibBits(data.Get());
  // Source rows are given from the top; a bottom-up DIB counts them from the bottom.
  const int sourceY = m_height - from.bottom;
  if (to.Width() == from.Width() && to.Height() == from.Height()) {
    return ::SetDIBitsToDevice(hdc, to.left, to.top, static_cast<DWORD>(to.Width()), static_cast<DWORD>(to.Height()),
                               from.left, sourceY, 0, static_cast<UINT>(m_height), bits, info, DIB_RGB_COLORS) != 0;
  }
  return ::StretchDIBits(hdc, to.left, to.top, to.Width(), to.Height(), from.left, sourceY, from.Width(),
                         from.Height(), bits, info, DIB_RGB_COLORS, SRCCOPY) != static_cast<int>(GDI_ERROR);
}

BOOL CDibImage::SaveFile(const char* path) {
  if (!m_hDIB || !path) return FALSE;
  Locked data(m_hDIB);
  if (!data.Get() || HeaderSize(data.Get()) != sizeof(BITMAPINFOHEADER)) return FALSE;
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(data.Get());
  if (header->biCompression != BI_RLE8 && header->biCompression != BI_RLE4) {
    header->biSizeImage = static_cast<DWORD>(((static_cast<unsigned long long>(header->biBitCount) * header->biWidth + 31) / 32) *
                                             4 * static_cast<unsigned long long>(header->biHeight));
  }
  const DWORD paletteBytes = DibPaletteSize(header);
  const unsigned long long body = static_cast<unsigned long long>(header->biSize) + paletteBytes + header->biSizeImage;
  if (body > ::GlobalSize(m_hDIB)) return FALSE;

  BYTE fileHeader[14];
  BYTE* p = fileHeader;
  PutWord(p, 0x4D42);  // "BM"
  PutDword(p, static_cast<DWORD>(sizeof fileHeader + body));
  PutWord(p, 0);
  PutWord(p, 0);
  PutDword(p, static_cast<DWORD>(sizeof fileHeader + header->biSize + paletteBytes));

  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite)) return FALSE;
  try {
    file.Write(fileHeader, sizeof fileHeader);
    file.Write(data.Get(), static_cast<UINT>(body));
    file.Close();
  } catch (const CFileException&) {
    // A short file is worse than none.
    file.Abort();
    try {
      CFile::Remove(path);
    } catch (const CFileException&) {
    }
    return FALSE;
  }
  return TRUE;
}

BOOL CDibImage::CreateFromBitmap(HBITMAP bitmap, int bitCount) {
  Free();
  if (!bitmap) return FALSE;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return FALSE;
  BITMAP object = {};
  if (!::GetObjectA(bitmap, sizeof object, &object) || object.bmWidth <= 0 || object.bmHeight <= 0) return FALSE;
  const unsigned long long colours = bitCount <= 8 ? 1ull << bitCount : 0;
  const unsigned long long rowBytes = ((static_cast<unsigned long long>(object.bmWidth) * bitCount + 31) / 32) * 4;
  const unsigned long long imageBytes = rowBytes * static_cast<unsigned long long>(object.bmHeight);
  const unsigned long long total = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD) + imageBytes;
  if (imageBytes > kMaxDibBytes) return FALSE;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(total));
  if (!block) return FALSE;
  bool ok = false;
  {
    Locked data(block);
    if (data.Get()) {
      auto* header = reinterpret_cast<BITMAPINFOHEADER*>(data.Get());
      header->biSize = sizeof(BITMAPINFOHEADER);
      header->biWidth = object.bmWidth;
      header->biHeight = object.bmHeight;
      header->biPlanes = 1;
      header->biBitCount = static_cast<WORD>(bitCount);
      header->biCompression = BI_RGB;
      header->biSizeImage = static_cast<DWORD>(imageBytes);
      header->biXPelsPerMeter = 100000;
      header->biYPelsPerMeter = 100000;
      header->biClrUsed = static_cast<DWORD>(colours);
      HDC memory = ::CreateCompatibleDC(nullptr);
      if (memory) {
        ok = ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(object.bmHeight), FindDibBits(header),
                         reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS) == object.bmHeight;
        ::DeleteDC(memory);
      }
      // GetDIBits may rewrite these; the image states them as made.
      header->biSizeImage = static_cast<DWORD>(imageBytes);
      header->biXPelsPerMeter = 100000;
      header->biYPelsPerMeter = 100000;
      header->biClrUsed = static_cast<DWORD>(colours);
    }
  }
  if (!ok) {
    ::GlobalFree(block);
    return FALSE;
  }
  m_hDIB = block;
  m_hPalette = CreateDibPalette(block);
  m_width = object.bmWidth;
  m_height = object.bmHeight;
  m_bitCount = bitCount;
  m_bytesPerRow = static_cast<int>(rowBytes);
  return TRUE;
}
