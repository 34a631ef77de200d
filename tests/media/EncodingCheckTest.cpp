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
#include "framework/core/File.h"
#include "graphics/Picture.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Metafiles.h"

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
                     EMR_CREATEMONOBRUSH, EMR_CREATEDIBPATTERNBRUSHPT, EMR_ELLIPSE, EMR_DELETEOBJECT, EMR_SAVEDC,
                     EMR_SETMAPMODE, EMR_SETVIEWPORTEXTEX, EMR_SETWORLDTRANSFORM, EMR_MODIFYWORLDTRANSFORM,
                     EMR_RESTOREDC})
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

// GDI+ records its drawing twice: as records of its own in comments, which it plays when
// there are any, and as plain records for other programs. Pictures are drawn from the
// plain ones, which the checks cover.
TEST(EncodingCheck, MetafilesGdiplusRecordedAreDrawnFromTheirPlainRecords) {
  const std::vector<BYTE> plus = RichPlusMetafile();
  ASSERT_NE(0u, FindRecord(plus, EMR_GDICOMMENT)) << "GDI+ records its drawing in comments";
  HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HBRUSH red = ::CreateSolidBrush(RGB(220, 0, 0));
  const RECT all = {0, 0, 90, 90};
  ::FillRect(dc, &all, red);
  ::DeleteObject(red);
  std::vector<BYTE> plain = EnhancedMetafileBits(::CloseEnhMetaFile(dc));
  const std::vector<BYTE> dual = WithPlusRecordsOf(plain, plus);

  DWORD total = 0;
  for (const std::vector<BYTE>* bits : {&plus, &dual}) {
    EXPECT_TRUE(EnhancedMetafileSound(bits->data(), bits->size(), &total));
    EXPECT_EQ(bits->size(), total);
  }
  EXPECT_EQ(plain, WithoutPlusRecords(dual.data(), dual.size()));
  EXPECT_TRUE(WithoutPlusRecords(plain.data(), plain.size()).empty()) << "nothing to take from a plain metafile";
  const std::vector<BYTE> plusOnly = WithoutPlusRecords(plus.data(), plus.size());
  EXPECT_TRUE(EnhancedMetafileSound(plusOnly.data(), plusOnly.size(), &total));

  // From bytes and from a file, the picture is the plain records' red, not the drawing of
  // the records in comments, which starts by clearing to a pale colour.
  const CString path = TestTempFolder() + "dual.emf";
  {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(dual.data(), static_cast<UINT>(dual.size()));
  }
  std::unique_ptr<CPicture> pictures[] = {LoadImageBytes(dual.data(), dual.size(), FALSE), LoadImageFile(path, FALSE)};
  for (const auto& picture : pictures) {
    ASSERT_TRUE(picture && picture->IsValid());
    Gdiplus::Bitmap drawn(90, 90, PixelFormat32bppARGB);
    {
      Gdiplus::Graphics g(&drawn);
      g.Clear(Gdiplus::Color(255, 0, 0, 255));
      g.DrawImage(picture->GetImage(), Gdiplus::Rect(0, 0, 90, 90));
    }
    Gdiplus::Color c;
    drawn.GetPixel(45, 45, &c);
    EXPECT_EQ(RGB(220, 0, 0), RGB(c.GetR(), c.GetG(), c.GetB()));
  }
  ::DeleteFileA(path);
}

// A font or pen is measured where it draws, under the mapping of that moment: a font of
// 10,000 units selected before a transform that shrinks it a thousand times writes text
// 10 pixels high.
TEST(EncodingCheck, FontsAndPensAreMeasuredWhereTheyDraw) {
  auto record = [](double shrink, bool text) {  // a font and a pen 10,000 units wide
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ::SetGraphicsMode(dc, GM_ADVANCED);
    HFONT font = ::CreateFontW(-10000, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HPEN pen = ::CreatePen(PS_SOLID, 10000, RGB(0, 0, 0));
    ::SelectObject(dc, font);
    ::SelectObject(dc, pen);
    const XFORM small = {static_cast<FLOAT>(shrink), 0, 0, static_cast<FLOAT>(shrink), 0, 0};
    ::SetWorldTransform(dc, &small);
    if (text) ::ExtTextOutW(dc, 0, 0, 0, nullptr, L"x", 1, nullptr);
    else ::LineTo(dc, 40000, 40000);
    ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::DeleteObject(font);
    ::DeleteObject(pen);
    std::vector<BYTE> bits = EnhancedMetafileBits(::CloseEnhMetaFile(dc));
    return bits;
  };
  for (bool text : {true, false}) {
    SCOPED_TRACE(text ? "text" : "line");
    const std::vector<BYTE> shrunk = record(0.001, text);
    std::vector<BYTE> whole = shrunk;  // the same small picture, its transform undone
    const size_t at = FindRecord(whole, EMR_SETWORLDTRANSFORM);
    ASSERT_NE(0u, at);
    const FLOAT one = 1;
    std::memcpy(whole.data() + at + 8, &one, 4);
    std::memcpy(whole.data() + at + 20, &one, 4);
    EXPECT_TRUE(EnhancedMetafileSound(shrunk.data(), shrunk.size()));
    EXPECT_FALSE(EnhancedMetafileSound(whole.data(), whole.size()));
  }
}

// A Windows metafile's units are the bounds' until it sets its own extents: a pen of
// 20,000 units is a fifth of the picture under a window of 30,000 x 30,000 units, and two
// hundred times a picture of 100 units without it.
TEST(EncodingCheck, WindowsMetafilePensAreMeasuredUnderTheirExtents) {
  auto record = [](bool extents) {
    HDC dc = ::CreateMetaFileA(nullptr);
    if (extents) {
      ::SetMapMode(dc, MM_ANISOTROPIC);
      ::SetWindowExtEx(dc, 30000, 30000, nullptr);
    }
    HPEN pen = ::CreatePen(PS_SOLID, 20000, RGB(0, 0, 0));
    ::SelectObject(dc, pen);
    ::LineTo(dc, 20000, 20000);
    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::DeleteObject(pen);
    return WindowsMetafileBits(::CloseMetaFile(dc));
  };
  const std::vector<BYTE> scaled = record(true), unscaled = record(false);
  EXPECT_TRUE(WindowsMetafileSound(scaled.data(), scaled.size(), 100));
  EXPECT_FALSE(WindowsMetafileSound(unscaled.data(), unscaled.size(), 100));
  EXPECT_TRUE(WindowsMetafileSound(unscaled.data(), unscaled.size())) << "a picture of no known size";
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
      // Objects the platform takes from the table without looking for stock ones.
      {"a stock brush filling a region", inRecord(EMR_FILLRGN, 28, 0x80000003)},
      {"a stock object deleted", inRecord(EMR_DELETEOBJECT, 8, 0x80000001)},
      {"the metafile's own slot deleted", inRecord(EMR_DELETEOBJECT, 8, 0)},
      // Sizes far beyond the picture's (90 pixels), which the platform draws whole.
      {"a font 32,526 units high", inRecord(EMR_EXTCREATEFONTINDIRECTW, 12, 0xFFFF80F2)},
      {"a font a million units wide", inRecord(EMR_EXTCREATEFONTINDIRECTW, 16, 1000000)},
      {"a pen a thousand million units wide", inRecord(EMR_CREATEPEN, 16, 0x40000000)},
      {"an ellipse 1.4 thousand million units tall", inRecord(EMR_ELLIPSE, 20, 0x54020000)},
      {"a viewport stretching the font", inRecord(EMR_SETVIEWPORTEXTEX, 8, 1000000)},
      {"a world transform stretching the font", inRecord(EMR_SETWORLDTRANSFORM, 8, 0x49742400)},
      {"a world transform compounding", inRecord(EMR_MODIFYWORLDTRANSFORM, 20, 0x49742400)},
      {"a world transform of no number", inRecord(EMR_SETWORLDTRANSFORM, 8, 0x7FC00000)},
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

size_t FindFunction(const std::vector<BYTE>& b, WORD function) {
  for (size_t at = 18; at + 6 <= b.size(); at += 2 * size_t{Get(b, at)}) {
    if ((b[at + 4] | (b[at + 5] << 8)) == function) return at;
    if (Get(b, at) < 3) break;
  }
  return 0;
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

  // Bounds of 18,200 x 27,901 pixels, and no units an inch.
  for (auto damage : {std::function<void(std::vector<BYTE>&)>([](std::vector<BYTE>& b) {
                        b[6] = 0x18, b[7] = 0xB9, b[8] = 0x27, b[9] = 0x93;
                      }),
                      std::function<void(std::vector<BYTE>&)>([](std::vector<BYTE>& b) { b[14] = b[15] = 0; })}) {
    std::vector<BYTE> bad = placeable;
    damage(bad);
    auto refused = LoadImageBytes(bad.data(), bad.size(), FALSE);
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused->IsValid());
  }

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
      // Against a picture of 100 units a side (the placeable bounds).
      {"a pen 32,768 units wide", word(0x02FA, 1, 0x8000)},
      {"a font 30,000 units high", word(0x02FB, 0, 30000)},
      {"an ellipse 32,000 units wide", word(0x0418, 1, 32000)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<BYTE> bits = good;
    row.damage(bits);
    if (::testing::Test::HasFatalFailure()) return;
    EXPECT_FALSE(WindowsMetafileSound(bits.data(), bits.size(), 100));
    const std::vector<BYTE> bad = Placeable(bits);
    auto refused = LoadImageBytes(bad.data(), bad.size(), FALSE);
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused->IsValid());
  }
}
