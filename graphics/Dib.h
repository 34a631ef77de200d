// CDib: a device-independent bitmap in memory — header, colour table and bits in one
// block — with a table of row pointers (row 0 is the top row, the last in memory). The
// colour dialog paints its brightness bar through one.
#pragma once

#include <windows.h>

#include <vector>

class CDC;

class CDib {
 public:
  // Empty, or a copy of the bitmap (at most 8 bits kept as they are, more as 24 bits),
  // its colours read through the palette when one is given.
  explicit CDib(HBITMAP bitmap = nullptr, HPALETTE palette = nullptr);
  virtual ~CDib() = default;
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;

  // A new bitmap of that size and bit count (1, 4, 8 or 24), zeroed, with 2^bits
  // colours up to 8 bits. FALSE when the size is not positive, the bit count is none of
  // those, or the memory cannot be had; the bitmap is then empty.
  BOOL Create(int width, int height, int bitCount);
  // A copy of an uncompressed packed DIB of 1, 4, 8 or 24 bits. FALSE (and empty)
  // otherwise, or when the block is smaller than its header says.
  BOOL CreateFromPacked(HGLOBAL packedDib);

  // Fills the colour table from red, green, blue byte triples, one for each entry; with
  // an index map set, entry i takes triple map[i].
  void SetColorTable(const BYTE* rgbTriples);
  // Entry i of the colour table takes the triple the map names (null: no map).
  void SetIndexMap(const BYTE* map);

  // Copies the source rectangle (its y counted from the bottom row) to the device.
  int SetToDevice(CDC* dc, int x, int y, int width, int height, int srcX, int srcY) const;
  // Row y, 0 being the top row; null outside the bitmap.
  BYTE* GetLine(int y) const;

  bool IsEmpty() const { return m_block.empty(); }
  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  int GetBitCount() const { return m_bitCount; }
  int GetBytesPerRow() const { return m_bytesPerRow; }
  int GetColorCount() const { return m_bitCount <= 8 && m_bitCount > 0 ? 1 << m_bitCount : 0; }
  const BITMAPINFO* GetInfo() const { return reinterpret_cast<const BITMAPINFO*>(m_pInfoHeader); }

 private:
  void Free();

  BYTE* m_pBits = nullptr;
  BITMAPINFOHEADER* m_pInfoHeader = nullptr;
  RGBQUAD* m_pColorTable = nullptr;
  std::vector<BYTE> m_block;
  std::vector<BYTE*> m_rows;
  int m_height = 0;
  int m_bytesPerRow = 0;
  int m_width = 0;
  int m_bitCount = 0;
  BOOL m_useIndexMap = FALSE;
  BYTE m_indexMap[256] = {};
};
