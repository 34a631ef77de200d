// The picture object: loading every kind of picture with its frames and frame step,
// drawing stretched, tiled, keyed or as the placeholder, stepping GIF frames on the
// playback clock, and the record a page embeds it in.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/ui/DC.h"
#include "media/DrawMeta.h"
#include "graphics/ImageHelpers.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "tests/media/Canvas.h"
#include "tests/media/GifFiles.h"
#include "tests/media/TempFolder.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/TestHost.h"

namespace {

const Gdiplus::ARGB kFrameColours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};

Bytes Encode(CPicture& picture, const WCHAR* mime) {
  std::vector<BYTE> bytes;
  EXPECT_EQ(Gdiplus::Ok, EncodeImage(picture, mime, FALSE, bytes));
  return bytes;
}

// Two 4 x 4 pages, red then blue, as uncompressed RGB strips: written by hand, since not
// every GDI+ encodes more than one page.
Bytes TwoPageTiff() {
  Bytes t = {'I', 'I', 42, 0};
  auto word = [&](unsigned v) { AppendWord(t, static_cast<int>(v)); };
  auto dword = [&](unsigned v) {
    word(v & 0xFFFF);
    word(v >> 16);
  };
  const unsigned kEntries = 10, ifdSize = 2 + kEntries * 12 + 4, pixels = 4 * 4 * 3;
  // Layout: header (8), then per page its bits-per-sample triple (6), pixels (48), IFD.
  dword(8 + 6 + pixels);  // the first IFD
  const BYTE colours[2][3] = {{255, 0, 0}, {0, 0, 255}};
  for (unsigned page = 0; page < 2; ++page) {
    const unsigned base = static_cast<unsigned>(t.size());
    const unsigned bits = base, strip = base + 6, ifd = strip + pixels;
    word(8); word(8); word(8);
    for (unsigned i = 0; i < 16; ++i) Append(t, {colours[page][0], colours[page][1], colours[page][2]});
    word(kEntries);
    auto entry = [&](unsigned tag, unsigned type, unsigned count, unsigned value) {
      word(tag); word(type); dword(count); dword(value);
    };
    entry(256, 3, 1, 4);       // width
    entry(257, 3, 1, 4);       // height
    entry(258, 3, 3, bits);    // bits per sample
    entry(259, 3, 1, 1);       // no compression
    entry(262, 3, 1, 2);       // RGB
    entry(273, 4, 1, strip);   // strip offset
    entry(277, 3, 1, 3);       // samples per pixel
    entry(278, 3, 1, 4);       // rows per strip
    entry(279, 4, 1, pixels);  // strip bytes
    entry(284, 3, 1, 1);       // one plane
    dword(page == 0 ? ifd + ifdSize + 6 + pixels : 0);  // the next page's IFD
  }
  return t;
}

// How many pages this system's GDI+ decodes from the TIFF (Wine's decodes only the first).
UINT DecodedTiffPages(const Bytes& tiff) {
  IStream* stream = ::SHCreateMemStream(tiff.data(), static_cast<UINT>(tiff.size()));
  if (!stream) return 0;
  UINT pages = 0;
  {
    Gdiplus::Bitmap bitmap(stream);
    if (bitmap.GetLastStatus() == Gdiplus::Ok) pages = bitmap.GetFrameCount(&Gdiplus::FrameDimensionPage);
  }
  stream->Release();
  return pages;
}

Bytes Metafile() {
  HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HBRUSH brush = ::CreateSolidBrush(RGB(0, 0, 255));
  RECT r = {0, 0, 40, 30};
  ::FillRect(dc, &r, brush);
  ::DeleteObject(brush);
  HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
  Bytes bytes(::GetEnhMetaFileBits(emf, 0, nullptr));
  ::GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
  ::DeleteEnhMetaFile(emf);
  return bytes;
}

Gdiplus::ARGB FramePixel(CDrawMeta& meta, int frame) {
  CPicture* picture = meta.GetFrame(frame);
  return picture ? PixelOf(*picture, 0, 0) : 0;
}

}  // namespace

TEST(DrawMeta, LoadsEveryKindWithItsFramesAndStep) {
  TempFolder files;
  auto solid = MakePicture(4, 4, std::vector<Gdiplus::ARGB>(16, kGreen));
  struct Row {
    const wchar_t* name;
    Bytes bytes;
    int setting;     // the GIF step setting before loading
    int frames;
    int step;
    int settingAfter;
  };
  const Row rows[] = {
      {L"a.bmp", Encode(*solid, L"image/bmp"), 0, 1, 0, 0},
      {L"a.jpg", Encode(*solid, L"image/jpeg"), 0, 1, 0, 0},
      {L"a.png", Encode(*solid, L"image/png"), 0, 1, 0, 0},
      {L"a.emf", Metafile(), 0, 1, 0, 0},
      {L"pages.tif", TwoPageTiff(), 0, 2, 3, 0},
      {L"pages5.tif", TwoPageTiff(), 5, 2, 5, 5},
      // A delay d gives (9d + 25) / 50 ticks, at least 1, and becomes the setting.
      {L"d10.gif", ThreeFrameGif(10), 0, 3, 2, 2},
      {L"d0.gif", ThreeFrameGif(0), 7, 3, 1, 1},
      {L"d1.gif", ThreeFrameGif(1), 0, 3, 1, 1},
      {L"dmax.gif", ThreeFrameGif(0xFFFF), 0, 3, 11796, 11796},
  };
  const UINT tiffPages = DecodedTiffPages(TwoPageTiff());
  for (const Row& row : rows) {
    SCOPED_TRACE(codepage::FromWide(row.name));
    if (std::wstring(row.name).find(L".tif") != std::wstring::npos && tiffPages != 2) {
      std::printf("skipped %ls: this system's GDI+ decodes %u page(s) of a two-page TIFF\n", row.name, tiffPages);
      continue;
    }
    CDrawMeta meta(CRect(0, 0, 10, 10));
    meta.GifStepSetting() = row.setting;
    const std::string path = files.Write(row.name, row.bytes);
    ASSERT_TRUE(meta.LoadPicture(path.c_str()));
    EXPECT_EQ(row.frames, meta.m_frameCount);
    EXPECT_EQ(row.step, meta.m_framePeriod);
    EXPECT_EQ(row.settingAfter, meta.GifStepSetting());
    EXPECT_EQ(0, meta.m_frameIndex);
    // "GIF动画" is offered only to pictures with frames.
    EXPECT_EQ(row.frames > 1 ? 9u : 8u, meta.ActionKindNames().size());
    if (row.frames == 3) {
      for (int i = 0; i < 3; ++i) EXPECT_EQ(Hex32{kFrameColours[i]}.v, FramePixel(meta, i)) << "frame " << i;
    }
  }
  // A file that cannot be read leaves the object as it was.
  CDrawMeta meta;
  EXPECT_FALSE(meta.LoadPicture(files.Write(L"bad.png", Bytes{1, 2, 3}).c_str()));
  EXPECT_FALSE(meta.LoadPicture("nobackslash.png"));
  EXPECT_FALSE(meta.HasPicture());
}

TEST(DrawMeta, DrawsStretchedTiledKeyedOrThePlaceholder) {
  TempFolder files;
  TestHost host;
  // 30 x 20: blue with a red last column.
  std::vector<Gdiplus::ARGB> pixels(30 * 20, kBlue);
  for (int y = 0; y < 20; ++y) pixels[y * 30 + 29] = kRed;
  const std::string striped = files.Write(L"striped.bmp", Encode(*MakePicture(30, 20, pixels), L"image/bmp"));
  CDrawMeta meta(CRect(0, 50, 100, 0));
  meta.m_pictureFile = striped.c_str();
  PageBitmap page(240, 160);
  CDC dc(page.dc());

  meta.m_picturePlacement = 0;  // tiles of 30 x 20 from the corner: 4 columns, 3 rows
  meta.DrawObject(&dc, nullptr);
  for (int x : {29, 59, 89}) EXPECT_EQ(RGB(255, 0, 0), page.At(x, 10)) << x;
  for (int x : {5, 30, 60, 95}) EXPECT_EQ(RGB(0, 0, 255), page.At(x, 10)) << x;
  EXPECT_EQ(RGB(255, 255, 255), page.At(105, 10));  // the last column is cut
  EXPECT_EQ(RGB(255, 255, 255), page.At(50, 55));

  page.Clear(RGB(255, 255, 255));
  meta.m_picturePlacement = 1;  // stretched: the red column is only at the right edge
  meta.DrawObject(&dc, nullptr);
  EXPECT_EQ(RGB(0, 0, 255), page.At(29, 10));
  EXPECT_EQ(RGB(255, 0, 0), page.At(98, 10));

  // Not opaque: the key colour shows what lies behind.
  page.Clear(RGB(0, 255, 0));
  meta.m_filled = 0;
  meta.m_colourKey = RGB(0, 0, 255);
  meta.DrawObject(&dc, nullptr);
  EXPECT_EQ(RGB(0, 255, 0), page.At(40, 25));
  EXPECT_EQ(RGB(255, 0, 0), page.At(98, 25));

  // A file that is gone: the placeholder, and the name stays for the next save.
  CDrawMeta missing(CRect(-100, 80, 100, -80));
  missing.m_pictureFile = "c:\\gone\\away.png";
  page.Clear(RGB(0, 0, 0));
  missing.DrawObject(&dc, nullptr);
  EXPECT_STREQ("c:\\gone\\away.png", missing.m_pictureFile);
  EXPECT_GT(page.Count(-100, -80, 100, 80, RGB(200, 225, 250)), 1000) << "sky";
  EXPECT_GT(page.Count(-100, 0, 100, 80, RGB(255, 210, 0)), 50) << "the sun is in the upper half";
}

TEST(DrawMeta, GifFramesStepOnTheClockAndTheRunPutsEverythingBack) {
  TempFolder files;
  TestHost host;
  auto* meta = new CDrawMeta(CRect(0, 10, 10, 0));
  std::unique_ptr<CDrawMeta> owner(meta);
  meta->m_pictureFile = files.Write(L"anim.gif", ThreeFrameGif(10)).c_str();
  ASSERT_TRUE(meta->LoadPicture(meta->m_pictureFile));
  ASSERT_EQ(2, meta->m_framePeriod);
  CMethod gif;
  meta->MakeGifAction(gif);
  EXPECT_STREQ("GIF动画1", gif.m_strName);
  EXPECT_EQ(CMethod::typeGif, gif.m_nType);
  gif.m_nActivation = 0;  // no event drives it: it plays from the start, as the panel sets it
  meta->m_actions.Add(gif);
  meta->m_actionMask |= CMethod::typeGif;
  CMethod second;
  meta->MakeGifAction(second);
  EXPECT_STREQ("GIF动画2", second.m_strName);

  host.objects = {meta};
  host.mode = kModeRunning;
  ASSERT_TRUE(host.StartObjects());
  const CString file = meta->m_pictureFile;
  std::vector<int> frames;
  for (int tick = 1; tick <= 9; ++tick) {
    host.Tick();
    frames.push_back(meta->m_frameIndex);
  }
  // Ticks 1 and 2 do nothing; from tick 3 on t = tick - 3 steps a frame when even.
  EXPECT_EQ((std::vector<int>{0, 0, 1, 1, 2, 2, 0, 0, 1}), frames);
  meta->m_framePeriod = 7;  // as an effect would
  meta->SetPictureFile("c:\\other.png");
  host.StopObjects();
  EXPECT_EQ(file, meta->m_pictureFile);
  EXPECT_EQ(2, meta->m_framePeriod);
  EXPECT_EQ(0, meta->m_frameIndex);
  EXPECT_EQ(3, meta->m_frameCount);
  EXPECT_EQ(Hex32{kFrameColours[2]}.v, FramePixel(*meta, 2));
}

class PictureRecords : public testing::Test {
 protected:
  Bytes StorePage(CDrawDoc& page) {
    return StoreToBytes([&](CArchive& ar) {
      ar.m_pDocument = &page;
      page.Serialize(ar);
    });
  }
  void LoadPage(const Bytes& bytes, CDrawDoc& page) {
    LoadFromBytes(bytes, [&](CArchive& ar) {
      ar.m_pDocument = &page;
      page.Serialize(ar);
    });
  }
  CDrawMeta* AddPicture(CDrawDoc& page, const std::wstring& name, const Bytes& bytes) {
    auto* meta = new CDrawMeta(CRect(0, 20, 20, 0));
    meta->m_pictureFile = m_files.Write(name, bytes).c_str();
    EXPECT_TRUE(meta->LoadPicture(meta->m_pictureFile));
    page.m_objects.AddTail(meta);
    return meta;
  }
  void AddSentinel(CDrawDoc& page) {
    auto* sentinel = new CDrawRect(CRect(-7, 9, 11, -13));
    sentinel->m_name = "sentinel";
    page.m_objects.AddTail(sentinel);
  }
  static CDrawObj* At(CDrawDoc& page, int i) { return static_cast<CDrawObj*>(page.m_objects.GetAt(page.m_objects.FindIndex(i))); }
  static void ExpectSentinel(CDrawDoc& page) {
    auto* sentinel = dynamic_cast<CDrawRect*>(At(page, page.m_objects.GetCount() - 1));
    ASSERT_NE(nullptr, sentinel);
    EXPECT_STREQ("sentinel", sentinel->m_name);
    EXPECT_EQ(CRect(-7, 9, 11, -13), sentinel->m_position);
  }
  static Bytes EmbeddedBytes(CDrawMeta& meta, CDrawDoc& page) {
    return StoreToBytes([&](CArchive& ar) {
      ar.m_pDocument = &page;
      meta.SerializeEmbedded(ar, 2);
    });
  }

  TempFolder m_files;
};

TEST_F(PictureRecords, OneFrameIsJpegAndFramesAreTiffPages) {
  CDrawDoc page;
  auto solid = MakePicture(4, 4, std::vector<Gdiplus::ARGB>(16, kGreen));
  CDrawMeta* still = AddPicture(page, L"still.png", Encode(*solid, L"image/png"));
  CDrawMeta* anim = AddPicture(page, L"anim.gif", ThreeFrameGif(10));

  // The object's record: the base record, then stretch, reserved word, name, key.
  still->m_reserved = 0x01020304;
  still->m_colourKey = 0x00ABCDEF;
  const Bytes object = StoreToBytes([&](CArchive& ar) { still->Serialize(ar); });
  Bytes tail;
  AppendDword(tail, 1);
  AppendDword(tail, 0x01020304);
  tail.push_back(static_cast<BYTE>(still->m_pictureFile.GetLength()));
  AppendText(tail, still->m_pictureFile.str());
  AppendDword(tail, 0x00ABCDEF);
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), object.end() - static_cast<std::ptrdiff_t>(tail.size())));

  const Bytes jpeg = EmbeddedBytes(*still, page);
  const size_t head = 1 + still->m_pictureFile.GetLength() + 8;
  ASSERT_GT(jpeg.size(), head + 2);
  EXPECT_EQ(0xFF, jpeg[head]);
  EXPECT_EQ(0xD8, jpeg[head + 1]);
  EXPECT_EQ(1, jpeg[head - 4]);  // image type: raster

  const Bytes tiff = EmbeddedBytes(*anim, page);
  const size_t tiffHead = 1 + anim->m_pictureFile.GetLength() + 8;
  ASSERT_GT(tiff.size(), tiffHead + 4);
  EXPECT_EQ(Bytes({'I', 'I', '*', 0}), Bytes(tiff.begin() + tiffHead, tiff.begin() + tiffHead + 4));

  // Read back: the pages become frames again, stepped by the stored setting.
  AddSentinel(page);
  const Bytes bytes = StorePage(page);
  for (CDrawDoc::Reader reader : {CDrawDoc::Reader::editor, CDrawDoc::Reader::player}) {
    CDrawDoc loaded(reader);
    LoadPage(bytes, loaded);
    ExpectSentinel(loaded);
    auto* stillBack = dynamic_cast<CDrawMeta*>(At(loaded, 0));
    auto* animBack = dynamic_cast<CDrawMeta*>(At(loaded, 1));
    ASSERT_TRUE(stillBack && animBack);
    EXPECT_STREQ("still.png", stillBack->m_pictureFile);  // the name is bare now
    EXPECT_TRUE(stillBack->HasPicture());
    EXPECT_EQ(3, animBack->m_frameCount);
    EXPECT_EQ(2, animBack->GifStepSetting());
    EXPECT_EQ(2, animBack->m_framePeriod);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Hex32{kFrameColours[i]}.v, FramePixel(*animBack, i)) << "frame " << i;
  }
}

TEST_F(PictureRecords, DamagedRecordsKeepThePageInStep) {
  CDrawDoc page;
  auto solid = MakePicture(4, 4, std::vector<Gdiplus::ARGB>(16, kGreen));
  AddPicture(page, L"p.png", Encode(*solid, L"image/png"));
  // A name whose file is gone: a record without bytes, read back as such.
  auto* gone = new CDrawMeta(CRect(0, 5, 5, 0));
  gone->m_pictureFile = "c:\\gone\\x.png";
  page.m_objects.AddTail(gone);
  AddSentinel(page);
  const Bytes good = StorePage(page);
  {
    CDrawDoc loaded(CDrawDoc::Reader::player);
    LoadPage(good, loaded);
    ExpectSentinel(loaded);
    EXPECT_TRUE(At(loaded, 0)->HasPicture());
    EXPECT_FALSE(At(loaded, 1)->HasPicture());
    EXPECT_STREQ("x.png", At(loaded, 1)->m_pictureFile);
  }
  // The first record's bytes replaced by bytes that are no picture, of the same length.
  Bytes garbage = good;
  const Bytes jpegStart = {0xFF, 0xD8, 0xFF};
  auto at = std::search(garbage.begin(), garbage.end(), jpegStart.begin(), jpegStart.end());
  ASSERT_NE(garbage.end(), at);
  std::fill(at, at + 64, 0x5A);
  CDrawDoc loaded(CDrawDoc::Reader::player);
  LoadPage(garbage, loaded);
  ExpectSentinel(loaded);
  EXPECT_FALSE(At(loaded, 0)->HasPicture());
  EXPECT_STREQ("p.png", At(loaded, 0)->m_pictureFile);
}

// Pages whose chain of directories loops: a file that claims pages without end.
TEST_F(PictureRecords, ATiffClaimingEndlessPagesStillReads) {
  CDrawDoc page;
  CDrawMeta* anim = AddPicture(page, L"anim.gif", ThreeFrameGif(10));
  ASSERT_EQ(3, anim->m_frameCount);
  AddSentinel(page);
  Bytes bytes = StorePage(page);
  const Bytes signature = {'I', 'I', '*', 0};
  auto start = std::search(bytes.begin(), bytes.end(), signature.begin(), signature.end());
  ASSERT_NE(bytes.end(), start);
  const size_t base = static_cast<size_t>(start - bytes.begin());
  auto u16 = [&](size_t at) { return static_cast<unsigned>(bytes[base + at] | bytes[base + at + 1] << 8); };
  auto u32 = [&](size_t at) { return static_cast<size_t>(u16(at) | u16(at + 2) << 16); };
  // The last directory's next pointer leads back to the first.
  const size_t first = u32(4);
  size_t directory = first;
  for (int guard = 0; guard < 16; ++guard) {
    const size_t next = directory + 2 + 12 * u16(directory);
    if (u32(next) == 0) {
      for (int i = 0; i < 4; ++i) bytes[base + next + i] = static_cast<BYTE>(first >> (8 * i));
      break;
    }
    directory = u32(next);
  }
  CDrawDoc loaded(CDrawDoc::Reader::player);
  LoadPage(bytes, loaded);
  ExpectSentinel(loaded);
  auto* back = dynamic_cast<CDrawMeta*>(At(loaded, 0));
  ASSERT_NE(nullptr, back);
  EXPECT_LE(back->m_frameCount, 1024);
}

