// CDibImage: a packed device-independent bitmap (header, colour table, bits in one
// movable global block) with its palette. The page view paints its print image through
// one, and the crop tool saves a region with it as a ".bmp" file.
//
// The free functions below read packed DIBs with either header form: the 40-byte
// BITMAPINFOHEADER (or a later one that begins like it) and the 12-byte core header.
#pragma once

#include <windows.h>

#include "framework/core/Rect.h"

class CDC;

// Colours in the colour table: the colours-used field of an info header when it is not
// 0; otherwise 2, 16 or 256 for 1, 4 or 8 bits and 0 for more.
UINT DibNumColors(const void* dib);
// Bytes of the colour table: 4 a colour after an info header, 3 after a core header.
UINT DibPaletteSize(const void* dib);
// The first byte of the pixel bits.
BYTE* FindDibBits(void* dib);
LONG DibWidth(const void* dib);
LONG DibHeight(const void* dib);
// A palette of the DIB's colour table (version 0x300, one entry a colour, flags 0);
// null when the DIB has no colour table.
HPALETTE CreateDibPalette(HGLOBAL dib);

class CDibImage {
 public:
  CDibImage() = default;
  ~CDibImage() { Free(); }
  CDibImage(const CDibImage&) = delete;
  CDibImage& operator=(const CDibImage&) = delete;

  // Paints the source part of the image (default all of it; rows counted from the top)
  // into the destination (default the image's size at 0, 0), through the palette
  // (default the image's own), bits copied one to one when the sizes agree and
  // stretched otherwise.
  BOOL Paint(CDC* dc, const CRect* dest = nullptr, const CRect* source = nullptr, HPALETTE palette = nullptr) const;
  // Writes the image as a ".bmp" file (created, written, others denied writing). FALSE
  // when there is no image with a 40-byte header or the file cannot be written.
  BOOL SaveFile(const char* path);
  // Replaces the image by one made from the bitmap at that bit count (1, 4, 8, 16, 24 or
  // 32), with a palette when it has a colour table. The bitmap must not be selected into
  // a device context. FALSE, and empty, on failure.
  BOOL CreateFromBitmap(HBITMAP bitmap, int bitCount);
  void Free();

  // 0 when empty.
  int GetBitCount() const { return m_hDIB ? m_bitCount : 0; }
  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  HGLOBAL GetHandle() const { return m_hDIB; }
  HPALETTE GetPalette() const { return m_hPalette; }

 private:
  HGLOBAL m_hDIB = nullptr;
  HPALETTE m_hPalette = nullptr;
  int m_width = 0;
  int m_height = 0;
  int m_bytesPerRow = 0;
  int m_bitCount = 0;
};
