#include "graphics/Dib.h"

#include <cstring>
#include <new>

#include "framework/ui/DC.h"

namespace {

// Bitmaps larger than this are refused rather than attempted.
constexpr unsigned long long kMaxDibBytes = 256ull << 20;

}  // namespace

CDib::CDib(HBITMAP bitmap, HPALETTE palette) {
  if (!bitmap) return;
  BITMAP info = {};
  if (!::GetObjectA(bitmap, sizeof info, &info)) return;
  const int depth = info.bmBitsPixel * info.bmPlanes;
  const int bitCount = depth <= 1 ? 1 : depth <= 4 ? 4 : depth <= 8 ? 8 : 24;
  if (!Create(info.bmWidth, info.bmHeight, bitCount)) return;
  HDC screen = ::GetDC(nullptr);
  HPALETTE old = palette ? ::SelectPalette(screen, palette, FALSE) : nullptr;
  if (palette) ::RealizePalette(screen);
  const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(m_height), m_pBits,
                               reinterpret_cast<BITMAPINFO*>(m_pInfoHeader), DIB_RGB_COLORS);
  if (old) ::SelectPalette(screen, old, FALSE);
  ::ReleaseDC(nullptr, screen);
  if (rows != m_height) Free();
}

void CDib::Free() {
  m_block.clear();
  m_block.shrink_to_fit();
  m_rows.clear();
  m_pBits = nullptr;
  m_pInfoHeader = nullptr;
  m_pColorTable = nullptr;
  m_width = m_height = m_bytesPerRow = m_bitCount = 0;
}

BOOL CDib::Create(int width, int height, int bitCount) {
  Free();
  if (width <= 0 || height <= 0) return FALSE;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return FALSE;
  const int colours = bitCount <= 8 ? 1 << bitCount : 0;
  const unsigned long long rowBytes = ((static_cast<unsigned long long>(width) * bitCount + 31) / 32) * 4;
  const unsigned long long imageBytes = rowBytes * static_cast<unsigned long long>(height);
  if (imageBytes > kMaxDibBytes) return FALSE;
  const size_t headerBytes = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
  try {
    m_block.assign(headerBytes + static_cast<size_t>(imageBytes), 0);
    m_rows.resize(static_cast<size_t>(height));
  } catch (const std::bad_alloc&) {
    Free();
    return FALSE;
  }
  m_pInfoHeader = reinterpret_cast<BITMAPINFOHEADER*>(m_block.data());
  m_pInfoHeader->biSize = sizeof(BITMAPINFOHEADER);
  m_pInfoHeader->biWidth = width;
  m_pInfoHeader->biHeight = height;
  m_pInfoHeader->biPlanes = 1;
  m_pInfoHeader->biBitCount = static_cast<WORD>(bitCount);
  m_pInfoHeader->biCompression = BI_RGB;
  m_pInfoHeader->biSizeImage = static_cast<DWORD>(imageBytes);
  m_pInfoHeader->biClrUsed = static_cast<DWORD>(colours);
  m_pColorTable = colours ? reinterpret_cast<RGBQUAD*>(m_block.data() + sizeof(BITMAPINFOHEADER)) : nullptr;
  m_pBits = m_block.data() + headerBytes;
  m_width = width;
  m_height = height;
  m_bitCount = bitCount;
  m_bytesPerRow = static_cast<int>(rowBytes);
  // Bottom-up: the top row is the last in memory.
  for (int y = 0; y < height; ++y) m_rows[y] = m_pBits + static_cast<size_t>(height - 1 - y) * rowBytes;
  return TRUE;
}

BOOL CDib::CreateFromPacked(HGLOBAL packedDib) {
  Free();
  if (!packedDib) return FALSE;
  const SIZE_T blockSize = ::GlobalSize(packedDib);
  const BYTE* data = static_cast<const BYTE*>(::GlobalLock(packedDib));
  if (!data) return FALSE;
  BOOL ok = FALSE;
  BITMAPINFOHEADER header;
  if (blockSize >= sizeof header) {
    std::memcpy(&header, data, sizeof header);
    const int bits = header.biBitCount;
    const bool supported = header.biSize >= sizeof header && header.biCompression == BI_RGB && header.biPlanes == 1 &&
                           (bits == 1 || bits == 4 || bits == 8 || bits == 24) && header.biHeight > 0;
    if (supported && Create(header.biWidth, header.biHeight, bits)) {
      const unsigned long long colours = bits <= 8 ? (header.biClrUsed ? header.biClrUsed : 1u << bits) : 0;
      const unsigned long long needed =
          header.biSize + colours * sizeof(RGBQUAD) + static_cast<unsigned long long>(m_bytesPerRow) * m_height;
      if (colours <= (1u << bits) && needed <= blockSize) {
        if (colours) std::memcpy(m_pColorTable, data + header.biSize, static_cast<size_t>(colours) * sizeof(RGBQUAD));
        std::memcpy(m_pBits, data + header.biSize + colours * sizeof(RGBQUAD),
                    static_cast<size_t>(m_bytesPerRow) * m_height);
        ok = TRUE;
      } else {
        Free();
      }
    }
  }
  ::GlobalUnlock(packedDib);
  return ok;
}

void CDib::SetColorTable(const BYTE* rgbTriples) {
  if (!m_pColorTable || !rgbTriples) return;
  const int colours = GetColorCount();
  for (int i = 0; i < colours; ++i) {
    const BYTE* rgb = rgbTriples + 3 * (m_useIndexMap ? m_indexMap[i] : i);
    m_pColorTable[i].rgbRed = rgb[0];
    m_pColorTable[i].rgbGreen = rgb[1];
    m_pColorTable[i].rgbBlue = rgb[2];
    m_pColorTable[i].rgbReserved = 0;
  }
}

void CDib::SetIndexMap(const BYTE* map) {
  m_useIndexMap = map != nullptr;
  if (map) std::memcpy(m_indexMap, map, sizeof m_indexMap);
}

int CDib::SetToDevice(CDC* dc, int x, int y, int width, int height, int srcX, int srcY) const {
  if (IsEmpty() || !dc || !dc->GetSafeHdc()) return 0;
  return ::SetDIBitsToDevice(dc->GetSafeHdc(), x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), srcX, srcY,
                             0, static_cast<UINT>(m_height), m_pBits, GetInfo(), DIB_RGB_COLORS);
}

BYTE* CDib::GetLine(int y) const {
  if (y < 0 || y >= m_height) return nullptr;
  return m_rows[static_cast<size_t>(y)];
}
