// The metafile holder: reading Windows metafiles (placeable or not), refusing damaged
// ones, playing upright, its archive record and class record, and the placeholder.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/core/MemFile.h"
#include "model/MetaFile.h"
#include "tests/media/Canvas.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/Metafiles.h"

namespace {

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  HBRUSH brush = ::CreateSolidBrush(colour);
  HGDIOBJ old = ::SelectObject(dc, brush);
  HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
  ::Rectangle(dc, left, top, right + 1, bottom + 1);
  ::SelectObject(dc, oldPen);
  ::SelectObject(dc, old);
  ::DeleteObject(brush);
}

// A Windows metafile recorded through the framework's metafile DC.
std::vector<BYTE> RecordWmf(void (*draw)(HDC)) {
  CMetaFileDC dc;
  EXPECT_TRUE(dc.Create());
  draw(dc.GetSafeHdc());
  HMETAFILE metafile = dc.Close();
  EXPECT_NE(nullptr, metafile);
  return WindowsMetafileBits(metafile);
}

// A red square: the drawing's bounds are the square, so it fills what it is played into.
std::vector<BYTE> RedSquare() {
  return RecordWmf([](HDC dc) { FillBox(dc, 0, 0, 99, 99, RGB(255, 0, 0)); });
}

std::vector<BYTE> RedOverBlue() {
  return RecordWmf([](HDC dc) {
    FillBox(dc, 0, 0, 99, 49, RGB(255, 0, 0));
    FillBox(dc, 0, 50, 99, 99, RGB(0, 0, 255));
  });
}

BOOL Load(CMetaFile& holder, const std::vector<BYTE>& bytes) {
  CMemFile file(bytes);
  return holder.LoadWindowsMetafile(&file);
}

void SetDword(std::vector<BYTE>& b, size_t at, DWORD v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<BYTE>(v >> (8 * i));
}

}  // namespace

TEST(CMetaFile, ReadsWindowsMetafilesWithAndWithoutThePlaceableHeader) {
  const std::vector<BYTE> plain = RedSquare();
  const std::vector<BYTE> placeable = Placeable(plain);
  for (const std::vector<BYTE>* bytes : {&plain, &placeable}) {
    const bool hasHeader = bytes == &placeable;
    SCOPED_TRACE(hasHeader ? "placeable" : "plain");
    CMetaFile holder;
    CMemFile file(*bytes);
    file.SeekToEnd();  // positioned anywhere
    ASSERT_TRUE(holder.LoadWindowsMetafile(&file));
    ASSERT_NE(nullptr, holder.m_hEnhMetaFile);
    BYTE expected[24] = {};
    if (hasHeader) std::memcpy(expected, bytes->data(), 22);
    EXPECT_EQ(0, std::memcmp(expected, holder.m_placeableHeader, 24));

    DibCanvas canvas(100, 100, RGB(255, 255, 255));
    CDC dc(canvas.dc);
    holder.Play(&dc, CRect(20, 20, 80, 80));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(50, 50));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(25, 75));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(5, 5));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(95, 95));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(10, 50));
  }
}

TEST(CMetaFile, PlaysUprightUnderTheYUpMappingWithTopAndBottomExchanged) {
  CMetaFile holder;
  ASSERT_TRUE(Load(holder, RedOverBlue()));
  DibCanvas canvas(100, 100, RGB(255, 255, 255));
  ::SetMapMode(canvas.dc, MM_ANISOTROPIC);
  ::SetWindowExtEx(canvas.dc, 1, 1, nullptr);
  ::SetViewportExtEx(canvas.dc, 1, -1, nullptr);
  ::SetViewportOrgEx(canvas.dc, 50, 50, nullptr);
  CDC dc(canvas.dc);
  // The page rectangle (-40, -40)-(40, 40) with its top (40, the upper edge) first.
  holder.Play(&dc, CRect(-40, 40, 40, -40));
  EXPECT_EQ(RGB(255, 0, 0), canvas.At(50, 20));
  EXPECT_EQ(RGB(0, 0, 255), canvas.At(50, 80));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(50, 5));
}

TEST(CMetaFile, RefusesDamagedFilesAndKeepsWhatItHeld) {
  const std::vector<BYTE> good = RedSquare();
  auto damaged = [&](void (*damage)(std::vector<BYTE>&)) {
    std::vector<BYTE> b = good;
    damage(b);
    return b;
  };
  struct Row {
    const char* what;
    std::vector<BYTE> bytes;
  } rows[] = {
      {"empty", {}},
      {"three bytes", {0xD7, 0xCD, 0xC6}},
      {"placeable key, short header", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0}},
      {"placeable header only", [&] {
         std::vector<BYTE> b = Placeable(good);
         b.resize(22);
         return b;
       }()},
      {"type 3", damaged([](std::vector<BYTE>& b) { b[0] = 3; })},
      {"placeable, type 3", [&] {
         std::vector<BYTE> b = Placeable(good);
         b[22] = 3;
         return b;
       }()},
      {"header size not 9 words", damaged([](std::vector<BYTE>& b) { b[2] = 8; })},
      {"size 0xFFFFFFFF words", damaged([](std::vector<BYTE>& b) { SetDword(b, 6, 0xFFFFFFFF); })},
      {"size 0x80000000 words", damaged([](std::vector<BYTE>& b) { SetDword(b, 6, 0x80000000); })},
      {"size smaller than the header", damaged([](std::vector<BYTE>& b) { SetDword(b, 6, 4); })},
      {"truncated body", damaged([](std::vector<BYTE>& b) { b.resize(b.size() - 8); })},
      {"record of size 0", damaged([](std::vector<BYTE>& b) { SetDword(b, 18, 0); })},
      {"record past the end", damaged([](std::vector<BYTE>& b) { SetDword(b, 18, 0x10000); })},
      {"no end record", damaged([](std::vector<BYTE>& b) { b[b.size() - 2] = 0x1E; })},  // SaveDC in its place
  };
  CMetaFile holder;
  ASSERT_TRUE(Load(holder, Placeable(good)));
  HENHMETAFILE held = holder.m_hEnhMetaFile;
  BYTE header[24];
  std::memcpy(header, holder.m_placeableHeader, 24);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_FALSE(Load(holder, row.bytes));
    EXPECT_EQ(held, holder.m_hEnhMetaFile);
    EXPECT_EQ(0, std::memcmp(header, holder.m_placeableHeader, 24));
  }
  CMetaFile empty;
  EXPECT_FALSE(empty.LoadWindowsMetafile(nullptr));
  EXPECT_EQ(nullptr, empty.m_hEnhMetaFile);
}

TEST(CMetaFile, ASecondLoadReleasesTheFirstMetafile) {
  CMetaFile holder;
  ASSERT_TRUE(Load(holder, RedSquare()));
  HENHMETAFILE first = holder.m_hEnhMetaFile;
  EXPECT_EQ(static_cast<DWORD>(OBJ_ENHMETAFILE), ::GetObjectType(first));
  ASSERT_TRUE(Load(holder, RedOverBlue()));
  EXPECT_NE(first, holder.m_hEnhMetaFile);
  EXPECT_EQ(0u, ::GetObjectType(first)) << "deleted";
}

TEST(CMetaFile, EmptyRecordIs28ZeroBytes) {
  CMetaFile empty;
  const Bytes bytes = StoreToBytes([&](CArchive& ar) { empty.Serialize(ar); });
  EXPECT_EQ(Bytes(28, 0), bytes);
  CMetaFile loaded;
  ASSERT_TRUE(Load(loaded, RedSquare()));
  HENHMETAFILE before = loaded.m_hEnhMetaFile;
  LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
  EXPECT_EQ(nullptr, loaded.m_hEnhMetaFile);
  EXPECT_EQ(0u, ::GetObjectType(before)) << "the metafile it held is released";
}

TEST(CMetaFile, RecordRoundTripReplaysTheSamePixels) {
  CMetaFile holder;
  ASSERT_TRUE(Load(holder, Placeable(RedOverBlue())));
  const UINT size = ::GetEnhMetaFileBits(holder.m_hEnhMetaFile, 0, nullptr);
  const Bytes bytes = StoreToBytes([&](CArchive& ar) { holder.Serialize(ar); });
  ASSERT_EQ(28u + size, bytes.size());
  EXPECT_EQ(0, std::memcmp(holder.m_placeableHeader, bytes.data(), 24));
  EXPECT_EQ(size, bytes[24] | (bytes[25] << 8) | (bytes[26] << 16) | (static_cast<UINT>(bytes[27]) << 24));

  CMetaFile copy;
  LoadFromBytes(bytes, [&](CArchive& ar) { copy.Serialize(ar); });
  ASSERT_NE(nullptr, copy.m_hEnhMetaFile);
  EXPECT_EQ(0, std::memcmp(holder.m_placeableHeader, copy.m_placeableHeader, 24));
  EXPECT_EQ(bytes, StoreToBytes([&](CArchive& ar) { copy.Serialize(ar); }));

  DibCanvas a(60, 60, RGB(255, 255, 255)), b(60, 60, RGB(255, 255, 255));
  CDC dcA(a.dc), dcB(b.dc);
  holder.Play(&dcA, CRect(5, 5, 55, 55));
  copy.Play(&dcB, CRect(5, 5, 55, 55));
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(a.At(x, y), b.At(x, y)) << x << "," << y;
  EXPECT_EQ(RGB(255, 0, 0), b.At(30, 15));
}

TEST(CMetaFile, ClassRecordIsVersionableSchemaOne) {
  CMetaFile empty;
  const Bytes bytes = StoreToBytes([&](CArchive& ar) { ar << &empty; });
  Bytes expected;
  Append(expected, {0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00});
  AppendText(expected, "CMetaFile");
  expected.resize(expected.size() + 28, 0);
  EXPECT_EQ(Hex(expected), Hex(bytes));
  EXPECT_EQ(VERSIONABLE_SCHEMA | 1, RUNTIME_CLASS(CMetaFile)->m_wSchema);

  // Any schema is accepted on reading.
  for (BYTE schema : {0, 1, 2, 0x7F}) {
    SCOPED_TRACE(static_cast<int>(schema));
    Bytes other = bytes;
    other[2] = schema;
    CMetaFile* read = nullptr;
    LoadFromBytes(other, [&](CArchive& ar) { ar >> read; });
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(nullptr, read->m_hEnhMetaFile);
    delete read;
  }
}

TEST(CMetaFile, HostileRecords) {
  CMetaFile holder;
  ASSERT_TRUE(Load(holder, RedSquare()));
  const Bytes good = StoreToBytes([&](CArchive& ar) { holder.Serialize(ar); });

  // Lengths that the data cannot hold are archive errors, raised before allocating.
  struct Throwing {
    const char* what;
    Bytes bytes;
  } throwing[] = {
      {"short header", Bytes(10, 0)},
      {"no length", Bytes(24, 0)},
      {"huge length", [] {
         Bytes b(24, 0);
         AppendDword(b, 0xFFFFFFF0);
         AppendDword(b, 0);
         return b;
       }()},
      {"truncated bits", Bytes(good.begin(), good.end() - 4)},
  };
  for (const Throwing& row : throwing) {
    SCOPED_TRACE(row.what);
    CMetaFile target;
    EXPECT_THROW(LoadFromBytes(row.bytes, [&](CArchive& ar) { target.Serialize(ar); }), CArchiveException);
  }

  // Bits of the right length but not a metafile: the record is read in step and the
  // holder stays empty.
  auto damaged = [&](void (*damage)(Bytes&)) {
    Bytes b = good;
    damage(b);
    AppendDword(b, 0x600DF00D);
    return b;
  };
  struct Quiet {
    const char* what;
    Bytes bytes;
  } quiet[] = {
      {"garbage", [] {
         Bytes b(24, 0);
         AppendDword(b, 100);
         b.resize(b.size() + 100, 0xAB);
         AppendDword(b, 0x600DF00D);
         return b;
       }()},
      {"not a header record", damaged([](Bytes& b) { b[28] = 2; })},
      {"bad signature", damaged([](Bytes& b) { b[28 + 40] = 'X'; })},
      {"claims more bytes", damaged([](Bytes& b) { SetDword(b, 28 + 48, 0x7FFFFFFF); })},
      {"record past the end", damaged([](Bytes& b) { SetDword(b, 28 + 4, 0x100000); })},
      {"record of size 0", damaged([](Bytes& b) { SetDword(b, 28 + 4, 0); })},
      {"no end record", damaged([](Bytes& b) { SetDword(b, b.size() - 20, EMR_SAVEDC); })},
  };
  for (const Quiet& row : quiet) {
    SCOPED_TRACE(row.what);
    CMetaFile target;
    DWORD marker = 0;
    LoadFromBytes(row.bytes, [&](CArchive& ar) {
      target.Serialize(ar);
      ar >> marker;
    });
    EXPECT_EQ(nullptr, target.m_hEnhMetaFile);
    EXPECT_EQ(0x600DF00Du, marker);
  }
}

TEST(CMetaFile, PlaceholderPictureLoadsFromTheResources) {
  std::unique_ptr<CMetaFile> placeholder = LoadPlaceholderMetafile();
  ASSERT_TRUE(placeholder);
  ASSERT_NE(nullptr, placeholder->m_hEnhMetaFile);
  EXPECT_EQ(0xD7, placeholder->m_placeableHeader[0]);
  EXPECT_EQ(0x9A, placeholder->m_placeableHeader[3]);

  DibCanvas canvas(200, 160, RGB(0, 0, 0));
  CDC dc(canvas.dc);
  placeholder->Play(&dc, CRect(0, 0, 200, 160));
  EXPECT_EQ(RGB(200, 225, 250), canvas.At(40, 30)) << "sky";
  EXPECT_EQ(RGB(255, 210, 0), canvas.At(150, 40)) << "sun";
  EXPECT_EQ(RGB(60, 160, 60), canvas.At(100, 140)) << "hills";
}
