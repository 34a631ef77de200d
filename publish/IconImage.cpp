#include "publish/IconImage.h"

#include <shellapi.h>

#include <cstring>
#include <vector>

#include "framework/ui/Wnd.h"
#include "publish/PackageIndex.h"

namespace {

// The colour the icon is drawn over: none of the palette's, so whatever still shows it
// afterwards is transparent.
constexpr COLORREF kBackground = 0xF7B0B8;
constexpr int kCanvas = 60;

int PaletteIndex(COLORREF colour) {
  for (int i = 0; i < 16; ++i) {
    if (CIconImage::kPalette[i] == colour) return i;
  }
  return -1;
}

}  // namespace

const COLORREF CIconImage::kPalette[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

CIconImage::CIconImage() : m_strModule(GetModulePath()) {}

UINT CIconImage::ExtractModuleIcons(int resourceId, HICON* large, HICON* small) const {
  // A negative index selects the icon group by its resource id, not by its position.
  return ::ExtractIconExA(m_strModule, -resourceId, large, small, 1);
}

void CIconImage::MakeIconBits32(HICON icon, BYTE* bits) const { MakeIconBits(icon, 32, bits); }
void CIconImage::MakeIconBits16(HICON icon, BYTE* bits) const { MakeIconBits(icon, 16, bits); }

void CIconImage::MakeIconBits(HICON icon, int size, BYTE* bits) const {
  // A 32-bit section, whatever the display's depth: on a 16-bit screen a compatible
  // bitmap would shift the palette's greys and the whole icon would turn transparent.
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kCanvas;
  info.bmiHeader.biHeight = -kCanvas;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HWND window = m_pWnd ? m_pWnd->GetSafeHwnd() : nullptr;
  HDC screen = ::GetDC(window);
  HDC memory = ::CreateCompatibleDC(screen);
  void* pixels = nullptr;
  HBITMAP section = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  std::vector<COLORREF> colours(static_cast<size_t>(size * size), kBackground);
  if (memory && section && pixels) {
    HGDIOBJ old = ::SelectObject(memory, section);
    HBRUSH fill = ::CreateSolidBrush(kBackground);
    const RECT all = {0, 0, kCanvas, kCanvas};
    ::FillRect(memory, &all, fill);
    ::DeleteObject(fill);
    if (icon) {
      if (size == 32)
        ::DrawIcon(memory, 0, 0, icon);
      else
        ::DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    ::GdiFlush();
    const auto* row = static_cast<const DWORD*>(pixels);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const DWORD rgb = row[y * kCanvas + x];  // 0x00RRGGBB
        colours[static_cast<size_t>(y * size + x)] = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
      }
    }
    ::SelectObject(memory, old);
  }
  if (section) ::DeleteObject(section);
  if (memory) ::DeleteDC(memory);
  ::ReleaseDC(window, screen);
  PackIconBits(colours.data(), size, bits);
}

void CIconImage::PackIconBits(const COLORREF* pixels, int size, BYTE* bits) {
  const int pixelBytes = size * size / 2;
  const int maskRow = ((size + 31) / 32) * 4;
  std::memset(bits, 0, static_cast<size_t>(pixelBytes + maskRow * size));
  BYTE* mask = bits + pixelBytes;
  for (int row = 0; row < size; ++row) {
    const int y = size - 1 - row;  // bottom-up
    for (int x = 0; x < size; ++x) {
      const int index = PaletteIndex(pixels[y * size + x]);
      if (index < 0) {
        mask[row * maskRow + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      } else {
        bits[row * size / 2 + x / 2] |= static_cast<BYTE>(x % 2 == 0 ? index << 4 : index);
      }
    }
  }
}
