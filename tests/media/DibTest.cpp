// Device-independent bitmaps: CDib's block and row table, CDibImage's packed DIB made
// from a bitmap, painted and saved as a ".bmp" file, and the packed-DIB functions.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/ui/DC.h"
#include "graphics/Dib.h"
#include "graphics/DibImage.h"
#include "tests/media/Canvas.h"
#include "tests/media/TempFolder.h"
#include "tests/support/ArchiveHelpers.h"

namespace {

// A 10 x 10 bitmap, red over its top half and blue below, as a GDI bitmap handle owned
// by the canvas.
struct RedOverBlueBitmap {
  RedOverBlueBitmap() : canvas(10, 10, RGB(0, 0, 255)) {
    RECT top = {0, 0, 10, 5};
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    ::FillRect(canvas.dc, &top, red);
    ::DeleteObject(red);
    handle = canvas.Unselect();
  }
  DibCanvas canvas;
  HBITMAP handle;
};

Bytes InfoHeader(int bits, DWORD used, LONG width = 7, LONG height = 3) {
  Bytes b;
  AppendDword(b, 40);
  AppendDword(b, static_cast<DWORD>(width));
  AppendDword(b, static_cast<DWORD>(height));
  AppendWord(b, 1);
  AppendWord(b, static_cast<unsigned>(bits));
  for (int i = 0; i < 4; ++i) AppendDword(b, 0);
  AppendDword(b, used);
  AppendDword(b, 0);
  return b;
}

Bytes CoreHeader(int bits, WORD width = 7, WORD height = 3) {
  Bytes b;
  AppendDword(b, 12);
  AppendWord(b, width);
  AppendWord(b, height);
  AppendWord(b, 1);
  AppendWord(b, static_cast<unsigned>(bits));
  return b;
}

HGLOBAL ToGlobal(const Bytes& bytes) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
  ::GlobalUnlock(block);
  return block;
}

}  // namespace

TEST(CDib, CreateLaysOutOneBlockWithTheTopRowLast) {
  CDib dib;
  ASSERT_TRUE(dib.Create(5, 3, 8));
  EXPECT_EQ(8, dib.GetBytesPerRow());
  EXPECT_EQ(256, dib.GetColorCount());
  const BITMAPINFOHEADER& header = dib.GetInfo()->bmiHeader;
  EXPECT_EQ(40u, header.biSize);
  EXPECT_EQ(5, header.biWidth);
  EXPECT_EQ(3, header.biHeight);
  EXPECT_EQ(1, header.biPlanes);
  EXPECT_EQ(8, header.biBitCount);
  EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
  // The bits follow the colour table; row 0 (the top) is the last in memory.
  const BYTE* bits = reinterpret_cast<const BYTE*>(dib.GetInfo()) + 40 + 256 * 4;
  EXPECT_EQ(bits + 2 * 8, dib.GetLine(0));
  EXPECT_EQ(bits, dib.GetLine(2));
  EXPECT_EQ(nullptr, dib.GetLine(3));
  EXPECT_EQ(nullptr, dib.GetLine(-1));

  ASSERT_TRUE(dib.Create(5, 3, 24));
  EXPECT_EQ(16, dib.GetBytesPerRow());
  EXPECT_EQ(0, dib.GetColorCount());
  ASSERT_TRUE(dib.Create(33, 1, 1));
  EXPECT_EQ(8, dib.GetBytesPerRow());

  struct Row {
    int width, height, bits;
  } refused[] = {{0, 3, 8}, {5, -1, 8}, {5, 3, 32}, {5, 3, 3}, {100000, 100000, 24}};
  for (const Row& row : refused) {
    SCOPED_TRACE(testing::Message() << row.width << "x" << row.height << "x" << row.bits);
    EXPECT_FALSE(dib.Create(row.width, row.height, row.bits));
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(nullptr, dib.GetLine(0));
  }
}

TEST(CDib, ColourTableAndPaintingRowsFromTheTop) {
  CDib dib;
  ASSERT_TRUE(dib.Create(4, 2, 8));
  std::vector<BYTE> triples(256 * 3, 0);
  triples[1 * 3 + 0] = 255;  // entry 1 red
  triples[2 * 3 + 2] = 255;  // entry 2 blue
  dib.SetColorTable(triples.data());
  const RGBQUAD* table = dib.GetInfo()->bmiColors;
  EXPECT_EQ(255, table[1].rgbRed);
  EXPECT_EQ(0, table[1].rgbBlue);
  EXPECT_EQ(255, table[2].rgbBlue);
  std::memset(dib.GetLine(0), 1, 4);
  std::memset(dib.GetLine(1), 2, 4);

  DibCanvas canvas(6, 4, RGB(255, 255, 255));
  CDC dc(canvas.dc);
  EXPECT_EQ(2, dib.SetToDevice(&dc, 1, 1, 4, 2, 0, 0));
  EXPECT_EQ(RGB(255, 0, 0), canvas.At(1, 1));
  EXPECT_EQ(RGB(255, 0, 0), canvas.At(4, 1));
  EXPECT_EQ(RGB(0, 0, 255), canvas.At(1, 2));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(0, 0));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(5, 3));

  // Through an index map, entry i takes triple map[i].
  BYTE map[256];
  for (int i = 0; i < 256; ++i) map[i] = static_cast<BYTE>(255 - i);
  dib.SetIndexMap(map);
  dib.SetColorTable(triples.data());
  EXPECT_EQ(255, table[254].rgbRed);
  EXPECT_EQ(255, table[253].rgbBlue);
  EXPECT_EQ(0, table[1].rgbRed);
}

TEST(CDib, FromABitmapAndFromAPackedDib) {
  RedOverBlueBitmap bitmap;
  CDib dib(bitmap.handle);
  ASSERT_FALSE(dib.IsEmpty());
  EXPECT_EQ(24, dib.GetBitCount());
  EXPECT_EQ(10, dib.GetWidth());
  EXPECT_EQ(255, dib.GetLine(0)[2]) << "blue, green, red: the top row is red";
  EXPECT_EQ(255, dib.GetLine(9)[0]);

  CDibImage image;
  ASSERT_TRUE(image.CreateFromBitmap(bitmap.handle, 8));
  CDib packed;
  ASSERT_TRUE(packed.CreateFromPacked(image.GetHandle()));
  EXPECT_EQ(8, packed.GetBitCount());
  const RGBQUAD& top = packed.GetInfo()->bmiColors[packed.GetLine(0)[0]];
  const RGBQUAD& bottom = packed.GetInfo()->bmiColors[packed.GetLine(9)[0]];
  EXPECT_EQ(255, top.rgbRed);
  EXPECT_EQ(0, top.rgbBlue);
  EXPECT_EQ(255, bottom.rgbBlue);

  struct Row {
    const char* what;
    Bytes bytes;
  } refused[] = {
      {"32 bits", [] {
         Bytes b = InfoHeader(32, 0, 1, 1);
         AppendDword(b, 0);
         return b;
       }()},
      {"compressed", [] {
         Bytes b = InfoHeader(8, 0, 1, 1);
         b[16] = BI_RLE8;
         b.resize(b.size() + 1024 + 4, 0);
         return b;
       }()},
      {"shorter than its header says", [] {
         Bytes b = InfoHeader(24, 0, 100, 100);
         b.resize(b.size() + 64, 0);
         return b;
       }()},
      {"more colours than bits", [] {
         Bytes b = InfoHeader(1, 300, 1, 1);
         b.resize(b.size() + 300 * 4 + 4, 0);
         return b;
       }()},
      {"header only", Bytes(20, 0)},
  };
  for (const Row& row : refused) {
    SCOPED_TRACE(row.what);
    HGLOBAL block = ToGlobal(row.bytes);
    CDib other;
    EXPECT_FALSE(other.CreateFromPacked(block));
    EXPECT_TRUE(other.IsEmpty());
    ::GlobalFree(block);
  }
}

TEST(CDibImage, CreateFromBitmapColourTablesAndPalettes) {
  RedOverBlueBitmap bitmap;
  struct Row {
    int bits;
    UINT colours;
    bool palette;
  } rows[] = {{1, 2, true}, {4, 16, true}, {8, 256, true}, {16, 0, false}, {24, 0, false}, {32, 0, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bits);
    CDibImage image;
    ASSERT_TRUE(image.CreateFromBitmap(bitmap.handle, row.bits));
    EXPECT_EQ(row.bits, image.GetBitCount());
    EXPECT_EQ(10, image.GetWidth());
    BYTE* dib = static_cast<BYTE*>(::GlobalLock(image.GetHandle()));
    EXPECT_EQ(row.colours, DibNumColors(dib));
    EXPECT_EQ(row.colours * 4, DibPaletteSize(dib));
    EXPECT_EQ(dib + 40 + row.colours * 4, FindDibBits(dib));
    ::GlobalUnlock(image.GetHandle());
    EXPECT_EQ(row.palette, image.GetPalette() != nullptr);
    if (row.palette) {
      WORD entries = 0;
      ::GetObjectW(image.GetPalette(), sizeof entries, &entries);
      EXPECT_EQ(row.colours, entries);
    }
  }
  CDibImage image;
  EXPECT_FALSE(image.CreateFromBitmap(bitmap.handle, 7));
  EXPECT_EQ(0, image.GetBitCount());
  EXPECT_FALSE(image.CreateFromBitmap(nullptr, 24));
}

TEST(CDibImage, PaintsWholeStretchedAndInPart) {
  RedOverBlueBitmap bitmap;
  CDibImage image;
  ASSERT_TRUE(image.CreateFromBitmap(bitmap.handle, 24));
  {
    DibCanvas canvas(12, 12, RGB(255, 255, 255));
    CDC dc(canvas.dc);
    ASSERT_TRUE(image.Paint(&dc));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(5, 2));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(5, 8));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(11, 5));
  }
  {
    DibCanvas canvas(24, 24, RGB(255, 255, 255));
    CDC dc(canvas.dc);
    const CRect dest(0, 0, 20, 20);
    ASSERT_TRUE(image.Paint(&dc, &dest));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(10, 4));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(10, 16));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(22, 10));
  }
  {
    // The source's rows are counted from the top: (0, 0)-(10, 5) is the red half.
    DibCanvas canvas(10, 10, RGB(255, 255, 255));
    CDC dc(canvas.dc);
    const CRect dest(0, 0, 10, 5), top(0, 0, 10, 5), bottom(0, 5, 10, 10), lower(0, 5, 10, 10);
    ASSERT_TRUE(image.Paint(&dc, &dest, &bottom));
    ASSERT_TRUE(image.Paint(&dc, &lower, &top));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(5, 2));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(5, 7));
  }
  CDibImage empty;
  DibCanvas canvas(2, 2, 0);
  CDC dc(canvas.dc);
  EXPECT_FALSE(empty.Paint(&dc));
}

TEST(CDibImage, SaveFileWritesABitmapFileThatReloads) {
  TempFolder folder;
  RedOverBlueBitmap bitmap;
  for (int bits : {24, 8, 32}) {
    SCOPED_TRACE(bits);
    CDibImage image;
    ASSERT_TRUE(image.CreateFromBitmap(bitmap.handle, bits));
    const std::wstring name = L"剪切乗" + std::to_wstring(bits) + L".bmp";
    ASSERT_TRUE(image.SaveFile(folder.File(name).c_str()));
    const std::vector<BYTE> file = folder.Read(name);
    const DWORD palette = bits <= 8 ? (1u << bits) * 4 : 0;
    const DWORD rowBytes = ((bits * 10 + 31) / 32) * 4;
    ASSERT_EQ(14 + 40 + palette + rowBytes * 10, file.size());
    Bytes header;
    AppendWord(header, 0x4D42);
    AppendDword(header, static_cast<DWORD>(file.size()));
    AppendDword(header, 0);
    AppendDword(header, 14 + 40 + palette);
    EXPECT_EQ(Hex(header), Hex(Bytes(file.begin(), file.begin() + 14)));
    EXPECT_EQ(rowBytes * 10, file[14 + 20] | (file[14 + 21] << 8)) << "image size recomputed";

    HBITMAP loaded = static_cast<HBITMAP>(::LoadImageW(nullptr, (folder.Path() + L"\\" + name).c_str(), IMAGE_BITMAP, 0,
                                                       0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, loaded);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, loaded);
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc, 3, 1));
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(dc, 3, 8));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(loaded);
  }
  CDibImage empty;
  EXPECT_FALSE(empty.SaveFile(folder.File(L"empty.bmp").c_str()));
  CDibImage image;
  ASSERT_TRUE(image.CreateFromBitmap(bitmap.handle, 24));
  EXPECT_FALSE(image.SaveFile(folder.File(L"missing\\a.bmp").c_str()));
}

TEST(PackedDib, ColourCountsPaletteSizesAndSizesOfBothHeaderForms) {
  struct Row {
    const char* what;
    Bytes header;
    UINT colours, paletteBytes;
  } rows[] = {
      {"info 1 bit", InfoHeader(1, 0), 2, 8},
      {"info 4 bits", InfoHeader(4, 0), 16, 64},
      {"info 8 bits", InfoHeader(8, 0), 256, 1024},
      {"info 8 bits, 100 used", InfoHeader(8, 100), 100, 400},
      {"info 24 bits", InfoHeader(24, 0), 0, 0},
      {"info 32 bits", InfoHeader(32, 0), 0, 0},
      {"core 1 bit", CoreHeader(1), 2, 6},
      {"core 4 bits", CoreHeader(4), 16, 48},
      {"core 8 bits", CoreHeader(8), 256, 768},
      {"core 24 bits", CoreHeader(24), 0, 0},
  };
  for (Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.colours, DibNumColors(row.header.data()));
    EXPECT_EQ(row.paletteBytes, DibPaletteSize(row.header.data()));
    EXPECT_EQ(7, DibWidth(row.header.data()));
    EXPECT_EQ(3, DibHeight(row.header.data()));
    EXPECT_EQ(row.header.data() + row.header.size() + row.paletteBytes, FindDibBits(row.header.data()));
  }

  // A palette from a core header's triples.
  Bytes core = CoreHeader(1, 1, 1);
  Append(core, {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0, 0, 0});
  HGLOBAL block = ToGlobal(core);
  HPALETTE palette = CreateDibPalette(block);
  ASSERT_NE(nullptr, palette);
  PALETTEENTRY entries[2] = {};
  ASSERT_EQ(2u, ::GetPaletteEntries(palette, 0, 2, entries));
  EXPECT_EQ(255, entries[0].peRed);
  EXPECT_EQ(0, entries[0].peBlue);
  EXPECT_EQ(255, entries[1].peBlue);
  ::DeleteObject(palette);
  ::GlobalFree(block);
  HGLOBAL trueColour = ToGlobal(InfoHeader(24, 0, 1, 1));
  EXPECT_EQ(nullptr, CreateDibPalette(trueColour));
  ::GlobalFree(trueColour);
}
