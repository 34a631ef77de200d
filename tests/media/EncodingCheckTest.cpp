// The picture checks' metafile part: every record GDI writes passes, and records that claim more than
// they hold, use handles outside the table or are of no known kind are refused, in the
// checks themselves and where pictures and metafile objects are loaded.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"
#include "graphics/ImageHelpers.h"
#include "graphics/EncodingCheck.h"
#include "model/MetaFile.h"

namespace {

DWORD Get(const std::vector<BYTE>& b, size_t at) {
  DWORD v;
  std::memcpy(&v, &b[at], 4);
  return v;
}
void Put(std::vector<BYTE>& b, size_t at, DWORD v) { std::memcpy(&b[at], &v, 4); }

// The offset of the first record of the kind; zero when there is none.
size_t FindRecord(const std::vector<BYTE>& b, DWORD type) {
  for (size_t at = Get(b, 4); at + 8 <= b.size(); at += Get(b, at + 4)) {
    if (Get(b, at) == type) return at;
    if (Get(b, at + 4) < 8) break;
  }
  return 0;
}

// A metafile of the records drawings hold: pens, brushes, fonts and a palette made and
// selected, lines, polygons, curves, text with spacing, bitmaps, a region, a gradient.
std::vector<BYTE> RichMetafile() {
  HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HPEN pen = ::CreatePen(PS_DASH, 1, RGB(10, 20, 30));
  LOGBRUSH lb = {BS_SOLID, RGB(200, 0, 0), 0};
  const DWORD style[] = {4, 2, 1, 2};
  HPEN wide = ::ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 3, &lb, 4, style);
  HBRUSH brush = ::CreateHatchBrush(HS_CROSS, RGB(0, 90, 0));
  HFONT font = ::CreateFontW(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[3];
  } palette = {{0x300, 4, {{255, 0, 0, 0}}}, {{0, 255, 0, 0}, {0, 0, 255, 0}, {9, 9, 9, 0}}};
  HPALETTE pal = ::CreatePalette(&palette.head);
  ::SelectPalette(dc, pal, FALSE);
  ::SelectObject(dc, pen);
  ::SelectObject(dc, brush);
  ::SelectObject(dc, font);
  const POINT line[] = {{0, 0}, {40, 10}, {20, 30}, {60, 60}};
  ::Polyline(dc, line, 4);
  const POINT polys[] = {{0, 0}, {10, 0}, {10, 10}, {20, 20}, {30, 20}, {30, 30}, {25, 35}};
  const INT counts[] = {3, 4};
  ::PolyPolygon(dc, polys, counts, 2);
  ::PolyBezier(dc, line, 4);
  const BYTE kinds[] = {PT_MOVETO, PT_LINETO, PT_LINETO, PT_LINETO};
  ::PolyDraw(dc, line, kinds, 4);
  ::SelectObject(dc, wide);
  ::Ellipse(dc, 5, 5, 50, 40);
  const INT dx[] = {8, 8, 8};
  const RECT clip = {0, 0, 90, 90};
  ::ExtTextOutW(dc, 4, 50, ETO_CLIPPED, &clip, L"abc", 3, dx);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const BYTE pixels[2 * 12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 9, 9, 9, 90, 90, 90, 200, 200, 200};
  ::StretchDIBits(dc, 60, 60, 30, 20, 0, 0, 3, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
  ::SetDIBitsToDevice(dc, 70, 10, 3, 2, 0, 0, 0, 2, pixels, &info, DIB_RGB_COLORS);
  // Pattern brushes of a monochrome bitmap and of a device-independent one.
  const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP mono = ::CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH monoBrush = ::CreatePatternBrush(mono);
  struct {
    BITMAPINFOHEADER header;
    BYTE bits[2 * 4 * 2];
  } pattern = {{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 16, 0, 0, 0, 0}, {}};
  HBRUSH dibBrush = ::CreateDIBPatternBrushPt(&pattern, DIB_RGB_COLORS);
  for (HBRUSH b : {monoBrush, dibBrush}) {
    ::SelectObject(dc, b);
    ::Rectangle(dc, 0, 0, 20, 20);
  }
  ::SelectObject(dc, brush);
  HRGN region = ::CreateRectRgn(10, 10, 70, 70);
  HRGN other = ::CreateEllipticRgn(20, 20, 80, 80);
  ::CombineRgn(region, region, other, RGN_OR);
  ::FillRgn(dc, region, brush);
  ::ExtSelectClipRgn(dc, region, RGN_AND);
  TRIVERTEX vertices[2] = {{0, 0, 0xFF00, 0, 0, 0}, {40, 40, 0, 0, 0xFF00, 0}};
  GRADIENT_RECT shape = {0, 1};
  ::GradientFill(dc, vertices, 2, &shape, 1, GRADIENT_FILL_RECT_H);
  ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
  ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(wide), static_cast<HGDIOBJ>(brush),
                    static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(region), static_cast<HGDIOBJ>(other),
                    static_cast<HGDIOBJ>(monoBrush), static_cast<HGDIOBJ>(dibBrush), static_cast<HGDIOBJ>(mono)})
    ::DeleteObject(o);
  HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
  ::DeleteObject(pal);
  std::vector<BYTE> bytes(::GetEnhMetaFileBits(emf, 0, nullptr));
  ::GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
  ::DeleteEnhMetaFile(emf);
  return bytes;
}

// The metafile stored as a metafile object stores it: 24 header bytes, the size, the bits.
std::vector<BYTE> StoredObject(const std::vector<BYTE>& bits) {
  std::vector<BYTE> stored(24, 0);
  const DWORD size = static_cast<DWORD>(bits.size());
  stored.insert(stored.end(), reinterpret_cast<const BYTE*>(&size), reinterpret_cast<const BYTE*>(&size) + 4);
  stored.insert(stored.end(), bits.begin(), bits.end());
  return stored;
}

bool LoadsAsObject(const std::vector<BYTE>& bits) {
  CMemFile file(StoredObject(bits));
  CArchive ar(&file, CArchive::load);
  CMetaFile metafile;
  metafile.Serialize(ar);
  return metafile.m_hEnhMetaFile != nullptr;
}

}  // namespace

TEST(EncodingCheck, EveryRecordGdiWritesPasses) {
  const std::vector<BYTE> bits = RichMetafile();
  for (DWORD type : {EMR_POLYLINE16, EMR_POLYPOLYGON16, EMR_POLYBEZIER16, EMR_POLYDRAW16, EMR_CREATEPEN,
                     EMR_EXTTEXTOUTW, EMR_STRETCHDIBITS, EMR_SETDIBITSTODEVICE, EMR_FILLRGN, EMR_EXTSELECTCLIPRGN,
                     EMR_GRADIENTFILL, EMR_CREATEPALETTE, EMR_EXTCREATEFONTINDIRECTW, EMR_CREATEBRUSHINDIRECT,
                     EMR_CREATEMONOBRUSH, EMR_CREATEDIBPATTERNBRUSHPT})
    EXPECT_NE(0u, FindRecord(bits, type)) << "record " << type << " written";
  DWORD total = 0;
  EXPECT_TRUE(EnhancedMetafileSound(bits.data(), bits.size(), &total));
  EXPECT_EQ(bits.size(), total);
  std::vector<BYTE> trailing = bits;
  trailing.resize(bits.size() + 16, 0xEE);  // bytes after the end record are not the metafile's
  EXPECT_TRUE(EnhancedMetafileSound(trailing.data(), trailing.size(), &total));
  EXPECT_EQ(bits.size(), total);
  EXPECT_TRUE(LoadsAsObject(bits));
  auto picture = LoadImageBytes(bits.data(), bits.size(), FALSE);
  EXPECT_TRUE(picture && picture->IsValid());
}

TEST(EncodingCheck, RecordsThatClaimTooMuchAreRefused) {
  const std::vector<BYTE> good = RichMetafile();
  using Damage = std::function<void(std::vector<BYTE>&)>;
  auto inRecord = [](DWORD type, size_t offset, DWORD value) -> Damage {
    return [=](std::vector<BYTE>& b) {
      const size_t at = FindRecord(b, type);
      ASSERT_NE(0u, at);
      Put(b, at + offset, value);
    };
  };
  struct Row {
    const char* what;
    Damage damage;
  } rows[] = {
      {"a record of no size", inRecord(EMR_POLYLINE16, 4, 0)},
      {"a record past the end", inRecord(EMR_POLYLINE16, 4, 0x1000)},
      {"a record of no known kind", inRecord(EMR_POLYLINE16, 0, 0x10028)},
      {"a second header", inRecord(EMR_POLYLINE16, 0, EMR_HEADER)},
      {"more points than held", inRecord(EMR_POLYLINE16, 24, 0x40000000)},
      {"polygon counts beyond the points", inRecord(EMR_POLYPOLYGON16, 32, 1000)},
      {"text longer than its record", inRecord(EMR_EXTTEXTOUTW, 44, 0xC0000000)},
      {"text outside its record", inRecord(EMR_EXTTEXTOUTW, 48, 0x7FFFFFF0)},
      {"spacing outside its record", inRecord(EMR_EXTTEXTOUTW, 72, 0x10000)},
      {"a pen made outside the handle table", inRecord(EMR_CREATEPEN, 8, 0xFFFF)},
      {"a brush made in the metafile's own slot", inRecord(EMR_CREATEBRUSHINDIRECT, 8, 0)},
      {"a selected slot outside the table", inRecord(EMR_SELECTOBJECT, 8, 0x7FFF)},
      {"a deleted slot outside the table", inRecord(EMR_DELETEOBJECT, 8, 0x10000)},
      {"bitmap bits fewer than its rows", inRecord(EMR_STRETCHDIBITS, 60, 6)},
      {"a bitmap header outside the record", inRecord(EMR_STRETCHDIBITS, 48, 0x7FFFFFF0)},
      {"a bitmap a billion pixels wide", [](std::vector<BYTE>& b) {
         const size_t at = FindRecord(b, EMR_STRETCHDIBITS);
         Put(b, at + Get(b, at + 48) + 4, 0x40000000);
       }},
      {"more palette colours than held", [](std::vector<BYTE>& b) {
         const size_t at = FindRecord(b, EMR_CREATEPALETTE);
         b[at + 14] = 0xFF;
       }},
      {"region rectangles beyond the data", [](std::vector<BYTE>& b) {
         const size_t at = FindRecord(b, EMR_FILLRGN);
         Put(b, at + 32 + 8, 0x1000000);
       }},
      {"a gradient naming a vertex it has not", [](std::vector<BYTE>& b) {
         const size_t at = FindRecord(b, EMR_GRADIENTFILL);
         Put(b, at + 36 + 2 * 16 + 4, 7);
       }},
      {"the header counting bytes past the end", [](std::vector<BYTE>& b) { Put(b, 48, Get(b, 48) + 4); }},
      {"a device of no pixels", [](std::vector<BYTE>& b) { Put(b, 72, 0); }},
      {"no handle table", [](std::vector<BYTE>& b) { b[56] = b[57] = 0; }},
      {"a frame of billions of units", [](std::vector<BYTE>& b) { Put(b, 32, 0x7FFFFFF0); }},
      {"a frame 167 metres tall", [](std::vector<BYTE>& b) { Put(b, 28, static_cast<DWORD>(-16777216)); }},
      {"bounds of 100,000 pixels", [](std::vector<BYTE>& b) { Put(b, 16, 100000); }},
      {"the end record before the end", [](std::vector<BYTE>& b) { Put(b, 48, Get(b, 48) + 8); b.resize(b.size() + 8, 0); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<BYTE> bits = good;
    row.damage(bits);
    EXPECT_FALSE(EnhancedMetafileSound(bits.data(), bits.size()));
    EXPECT_FALSE(LoadsAsObject(bits));
    auto picture = LoadImageBytes(bits.data(), bits.size(), FALSE);
    ASSERT_TRUE(picture);
    EXPECT_FALSE(picture->IsValid());
  }
}

namespace {

// A Windows metafile of the records drawings hold, and its records by function.
std::vector<BYTE> RichWindowsMetafile() {
  HDC dc = ::CreateMetaFileA(nullptr);
  HPEN pen = ::CreatePen(PS_DOT, 1, RGB(10, 20, 30));
  HBRUSH brush = ::CreateSolidBrush(RGB(0, 90, 0));
  HFONT font = ::CreateFontW(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  ::SelectObject(dc, pen);
  ::SelectObject(dc, brush);
  ::SelectObject(dc, font);
  ::SetTextColor(dc, RGB(1, 2, 3));
  ::SetBkMode(dc, TRANSPARENT);
  ::Rectangle(dc, 2, 2, 40, 30);
  ::Ellipse(dc, 5, 5, 50, 40);
  ::Arc(dc, 0, 0, 30, 30, 0, 15, 30, 15);
  const POINT line[] = {{0, 0}, {44, 34}, {10, 30}, {5, 5}};
  ::Polyline(dc, line, 4);
  ::Polygon(dc, line, 3);
  const INT counts[] = {3, 4};
  const POINT polys[] = {{0, 0}, {10, 0}, {10, 10}, {20, 20}, {30, 20}, {30, 30}, {25, 35}};
  ::PolyPolygon(dc, polys, counts, 2);
  ::TextOutA(dc, 4, 10, "wmf", 3);
  const INT dx[] = {8, 8, 8};
  const RECT clip = {0, 0, 90, 90};
  ::ExtTextOutA(dc, 4, 50, ETO_CLIPPED, &clip, "abc", 3, dx);
  BITMAPINFO info = {};
  // The image's size given: this platform's recorder writes as many bytes of bits as it says.
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 24, 0, 0, 0, 0};
  const BYTE pixels[2 * 12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 9, 9, 9, 90, 90, 90, 200, 200, 200};
  ::StretchDIBits(dc, 60, 60, 30, 20, 0, 0, 3, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
  ::SetDIBitsToDevice(dc, 70, 10, 3, 2, 0, 0, 0, 2, pixels, &info, DIB_RGB_COLORS);
  HRGN region = ::CreateRectRgn(10, 10, 70, 70);
  ::FillRgn(dc, region, brush);
  ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(font),
                    static_cast<HGDIOBJ>(region)})
    ::DeleteObject(o);
  HMETAFILE metafile = ::CloseMetaFile(dc);
  std::vector<BYTE> records(::GetMetaFileBitsEx(metafile, 0, nullptr));
  ::GetMetaFileBitsEx(metafile, static_cast<UINT>(records.size()), records.data());
  ::DeleteMetaFile(metafile);
  return records;
}

size_t FindFunction(const std::vector<BYTE>& b, WORD function) {
  for (size_t at = 18; at + 6 <= b.size(); at += 2 * size_t{Get(b, at)}) {
    if ((b[at + 4] | (b[at + 5] << 8)) == function) return at;
    if (Get(b, at) < 3) break;
  }
  return 0;
}

// With the placeable header GDI+ needs before it.
std::vector<BYTE> Placeable(const std::vector<BYTE>& records) {
  WORD head[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 96, 0, 0, 0};
  for (int i = 0; i < 10; ++i) head[10] ^= head[i];
  std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(head), reinterpret_cast<const BYTE*>(head) + sizeof head);
  bytes.insert(bytes.end(), records.begin(), records.end());
  return bytes;
}

}  // namespace

TEST(EncodingCheck, WindowsMetafilesAreCheckedRecordByRecord) {
  const std::vector<BYTE> good = RichWindowsMetafile();
  for (WORD function : {0x02FA, 0x02FC, 0x02FB, 0x012D, 0x041B, 0x0418, 0x0817, 0x0325, 0x0324, 0x0538, 0x0A32, 0x0F43, 0x0D33, 0x06FF, 0x0228, 0x01F0})
    EXPECT_NE(0u, FindFunction(good, function)) << "function " << std::hex << function << " written";
  ASSERT_TRUE(WindowsMetafileSound(good.data(), good.size()));
  const std::vector<BYTE> placeable = Placeable(good);
  auto picture = LoadImageBytes(placeable.data(), placeable.size(), FALSE);
  ASSERT_TRUE(picture);
  EXPECT_TRUE(picture->IsValid()) << picture->GetLastStatus();

  auto word = [](WORD function, size_t param, WORD value) {
    return [=](std::vector<BYTE>& b) {
      const size_t at = FindFunction(b, function);
      ASSERT_NE(0u, at);
      b[at + 6 + 2 * param] = static_cast<BYTE>(value);
      b[at + 7 + 2 * param] = static_cast<BYTE>(value >> 8);
    };
  };
  struct Row {
    const char* what;
    std::function<void(std::vector<BYTE>&)> damage;
  } rows[] = {
      {"a record of no size", [](std::vector<BYTE>& b) { Put(b, FindFunction(b, 0x041B), 0); }},
      {"a record past the end", [](std::vector<BYTE>& b) { Put(b, FindFunction(b, 0x041B), 0x40000000); }},
      {"a function of no known kind", word(0x041B, -3, 0x0922)},
      {"more text than held", word(0x0A32, 2, 0xFF03)},
      {"text with a rectangle it has not", word(0x0A32, 3, ETO_OPAQUE)},
      {"more points than held", word(0x0325, 0, 0x7FFF)},
      {"polygon counts beyond the points", word(0x0538, 1, 900)},
      {"a selected object outside the table", word(0x012D, 0, 0x7FFF)},
      {"a filled region outside the table", word(0x0228, 0, 0x400)},
      {"a bitmap a billion pixels wide", [](std::vector<BYTE>& b) {
         const size_t at = FindFunction(b, 0x0F43);
         Put(b, at + 6 + 22 + 4, 0x40000000);
       }},
      {"bitmap bits fewer than its rows", [](std::vector<BYTE>& b) {
         const size_t at = FindFunction(b, 0x0F43);
         Put(b, at + 6 + 22 + 8, 400);
       }},
      {"a region scan past its record", word(0x06FF, 11, 0x100)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<BYTE> bits = good;
    row.damage(bits);
    if (::testing::Test::HasFatalFailure()) return;
    EXPECT_FALSE(WindowsMetafileSound(bits.data(), bits.size()));
    const std::vector<BYTE> bad = Placeable(bits);
    auto refused = LoadImageBytes(bad.data(), bad.size(), FALSE);
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused->IsValid());
  }
}
