// Icon files made by hand: for the picture checks' tests and as a campaign seed picture.
#pragma once

#include <windows.h>

#include <vector>

// An icon file of the given pictures (bitmaps as IconBitmap makes them, or PNG files),
// each 8 x 8 pixels of 32 bits, one after another behind the directory.
inline std::vector<BYTE> IconFile(const std::vector<std::vector<BYTE>>& pictures) {
  const size_t count = pictures.size();
  std::vector<BYTE> icon = {0, 0, 1, 0, static_cast<BYTE>(count), static_cast<BYTE>(count >> 8)};
  size_t offset = 6 + 16 * count;
  auto put = [&](size_t value) {
    for (int shift = 0; shift < 32; shift += 8) icon.push_back(static_cast<BYTE>(value >> shift));
  };
  for (const std::vector<BYTE>& picture : pictures) {
    icon.insert(icon.end(), {8, 8, 0, 0, 1, 0, 32, 0});
    put(picture.size());
    put(offset);
    offset += picture.size();
  }
  for (const std::vector<BYTE>& picture : pictures) icon.insert(icon.end(), picture.begin(), picture.end());
  return icon;
}

// An icon's bitmap of 32-bit pixels, 8 rows of the given width in one colour (blue,
// green, red, alpha), the mask after them (every pixel drawn); the header's height counts
// both.
inline std::vector<BYTE> IconBitmap(LONG width, const BYTE (&bgra)[4]) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = 16;
  header.biPlanes = 1;
  header.biBitCount = 32;
  std::vector<BYTE> bits(reinterpret_cast<const BYTE*>(&header), reinterpret_cast<const BYTE*>(&header + 1));
  const size_t pixels = width > 0 && width <= 64 ? static_cast<size_t>(width) * 8 : 64;
  for (size_t pixel = 0; pixel < pixels; ++pixel) bits.insert(bits.end(), bgra, bgra + 4);
  bits.insert(bits.end(), 8 * 4, 0);
  return bits;
}
