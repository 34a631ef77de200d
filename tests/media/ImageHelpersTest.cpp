// The GDI+ picture helpers under Wine: geometry, encoder lookup, loading from files and
// memory, encoding round trips, and drawing into an off-screen ARGB bitmap.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "graphics/ImageHelpers.h"
#include "tests/media/Canvas.h"
#include "tests/media/TempFolder.h"
#include "tests/support/Icons.h"


namespace {

const double kPi = 3.14159265358979323846;

std::vector<BYTE> Encode(CPicture& picture, const WCHAR* mime, BOOL heldFlipped = FALSE) {
  std::vector<BYTE> bytes;
  EXPECT_EQ(Gdiplus::Ok, EncodeImage(picture, mime, heldFlipped, bytes));
  return bytes;
}

// An animated GIF of 2 x 2 pixels whose frames are all red, then all blue. Every pixel
// code follows a clear code, so the LZW codes stay 3 bits wide.
std::vector<BYTE> TwoFrameGif() {
  std::vector<BYTE> gif = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF};
  for (BYTE index : {0, 1}) {
    const BYTE control[] = {0x21, 0xF9, 4, 0, 10, 0, 0, 0};  // 0.1 s delay
    const BYTE descriptor[] = {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0};
    gif.insert(gif.end(), std::begin(control), std::end(control));
    gif.insert(gif.end(), std::begin(descriptor), std::end(descriptor));
    unsigned bits = 0, count = 0;
    std::vector<BYTE> data;
    auto put = [&](unsigned code) {
      bits |= code << count;
      count += 3;
      while (count >= 8) {
        data.push_back(static_cast<BYTE>(bits));
        bits >>= 8;
        count -= 8;
      }
    };
    for (int i = 0; i < 4; ++i) {
      put(4);
      put(index);
    }
    put(5);
    if (count) data.push_back(static_cast<BYTE>(bits));
    gif.push_back(2);  // minimum code size
    gif.push_back(static_cast<BYTE>(data.size()));
    gif.insert(gif.end(), data.begin(), data.end());
    gif.push_back(0);
  }
  gif.push_back(0x3B);
  return gif;
}

// An icon of one picture whose directory gives the offset of it and its length as given.
std::vector<BYTE> Icon(const std::vector<BYTE>& picture, DWORD offset = 22, DWORD length = 0) {
  std::vector<BYTE> icon = IconFile({picture});
  if (length) std::memcpy(&icon[14], &length, 4);
  std::memcpy(&icon[18], &offset, 4);
  return icon;
}

const BYTE kIconRed[4] = {0, 0, 0xFF, 0xFF};

// A little-endian TIFF whose first directory's entry of the tag, whose values lie apart
// from the directory, gives them at the offset: empty when there is no such entry.
std::vector<BYTE> TiffWithValuesAt(std::vector<BYTE> tiff, WORD tag, DWORD offset) {
  auto word = [&](size_t at) { return static_cast<WORD>(tiff[at] | tiff[at + 1] << 8); };
  if (tiff.size() < 8 || tiff[0] != 'I') return {};
  DWORD directory;
  std::memcpy(&directory, &tiff[4], 4);
  if (directory + 2 > tiff.size()) return {};
  for (size_t i = 0, n = word(directory); i < n && directory + 2 + 12 * (i + 1) <= tiff.size(); ++i) {
    const size_t entry = directory + 2 + 12 * i;
    if (word(entry) != tag) continue;
    std::memcpy(&tiff[entry + 8], &offset, 4);
    return tiff;
  }
  return {};
}

}  // namespace

TEST(NormalizeGdipRect, MovesTheOriginToTheOtherEdge) {
  struct Row {
    Gdiplus::Rect in, out;
  } rows[] = {
      {{1, 2, 3, 4}, {1, 2, 3, 4}},
      {{10, 20, -4, 5}, {6, 20, 4, 5}},
      {{10, 20, 4, -5}, {10, 15, 4, 5}},
      {{-10, -20, -4, -5}, {-14, -25, 4, 5}},
      {{0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    Gdiplus::Rect r = row.in;
    NormalizeGdipRect(r);
    SCOPED_TRACE(testing::Message() << row.in.X << "," << row.in.Y << "," << row.in.Width << "," << row.in.Height);
    EXPECT_EQ(row.out.X, r.X);
    EXPECT_EQ(row.out.Y, r.Y);
    EXPECT_EQ(row.out.Width, r.Width);
    EXPECT_EQ(row.out.Height, r.Height);
  }
}

TEST(LineAngle, AxisCasesAndQuadrants) {
  struct Row {
    POINT from, to;
    double angle;
  } rows[] = {
      {{0, 0}, {10, 0}, 0.0},
      {{0, 0}, {-10, 0}, kPi},
      {{0, 0}, {0, 10}, 3 * kPi / 2},  // the second point has the greater y
      {{0, 0}, {0, -10}, kPi / 2},
      {{5, 5}, {5, 5}, kPi / 2},  // equal points fall into the vertical case
      {{0, 0}, {10, 10}, -kPi / 4},  // atan2(y1 - y2, x2 - x1)
      {{0, 0}, {-10, 10}, -3 * kPi / 4},
      {{0, 0}, {-10, -10}, 3 * kPi / 4},
      {{0, 0}, {10, -10}, kPi / 4},
      {{-3, 7}, {1, 4}, std::atan2(3.0, 4.0)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "(" << row.from.x << "," << row.from.y << ")->(" << row.to.x << "," << row.to.y
                                    << ")");
    EXPECT_NEAR(row.angle, LineAngle(row.from, row.to), 1e-12);
    EXPECT_NEAR(row.angle, LineAngleD(row.from.x, row.from.y, row.to.x, row.to.y), 1e-12);
  }
  EXPECT_NEAR(-kPi / 4, LineAngleD(0.5, 0.5, 1.5, 1.5), 1e-12);
}

TEST(RotatePointsAbout, TurnsAboutTheCentreAndRoundsHalfAwayFromZero) {
  struct Row {
    double angle, cx, cy;
    POINT in, out;
  } rows[] = {
      {kPi / 2, 0, 0, {10, 0}, {0, 10}},
      {kPi / 2, 5, 5, {10, 5}, {5, 10}},
      {kPi, 5, 5, {10, 5}, {0, 5}},
      {-kPi / 2, 0, 0, {10, 0}, {0, -10}},
      {0, 0, 0, {-7, 3}, {-7, 3}},
      // A point landing on x = -2.3 rounds to -2 and on -2.7 to -3 (the truncating rule
      // would give -1 and -2 and drift every rotation by a unit).
      {kPi, -1.15, 0, {0, 0}, {-2, 0}},
      {kPi, -1.35, 0, {0, 0}, {-3, 0}},
      {kPi, 1.35, 0, {0, 0}, {3, 0}},
      {kPi, -1.25, -1.25, {0, 0}, {-3, -3}},  // -2.5 away from zero
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.angle << " about (" << row.cx << "," << row.cy << ") of (" << row.in.x
                                    << "," << row.in.y << ")");
    POINT p = row.in;
    RotatePointsAbout(row.angle, row.cx, row.cy, &p, 1);
    EXPECT_EQ(row.out.x, p.x);
    EXPECT_EQ(row.out.y, p.y);
  }
  POINT many[3] = {{10, 0}, {0, 10}, {-10, 0}};
  RotatePointsAbout(kPi / 2, 0, 0, many, 3);
  EXPECT_EQ(0, many[0].x);
  EXPECT_EQ(10, many[0].y);
  EXPECT_EQ(-10, many[1].x);
  EXPECT_EQ(0, many[1].y);
  EXPECT_EQ(0, many[2].x);
  EXPECT_EQ(-10, many[2].y);
}

TEST(GetEncoderClsid, FindsEncodersByExactMimeType) {
  const CLSID marker = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
  struct Row {
    const WCHAR* mime;
    bool found;
  } rows[] = {{L"image/jpeg", true}, {L"image/png", true}, {L"image/tiff", true}, {L"image/bmp", true},
              {L"image/x-none", false}, {L"image/JPEG", false}, {L"image/jpe", false}, {L"", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(row.found) << " " << std::wcslen(row.mime));
    CLSID clsid = marker;
    const int index = GetEncoderClsid(row.mime, &clsid);
    if (row.found) {
      EXPECT_GE(index, 0);
      EXPECT_FALSE(IsEqualCLSID(marker, clsid));
    } else {
      EXPECT_EQ(-1, index);
      EXPECT_TRUE(IsEqualCLSID(marker, clsid)) << "left alone";
    }
  }
}

TEST(LoadImageFile, DecodesAndFlipsAGoodFile) {
  TempFolder folder;
  auto source = MakePicture(2, 2, {kRed, kGreen, kBlue, kYellow});
  const std::string path = folder.Write(L"a.png", Encode(*source, L"image/png"));

  UINT frames = 99;
  auto flipped = LoadImageFile(path.c_str(), TRUE, &frames);
  ASSERT_TRUE(flipped);
  ASSERT_TRUE(flipped->IsValid()) << flipped->GetLastStatus();
  EXPECT_EQ(1u, frames);
  EXPECT_EQ(Gdiplus::ImageTypeBitmap, flipped->GetType());
  EXPECT_EQ(2u, flipped->GetWidth());
  // Held upside down: the file's top-left red pixel is now at the bottom left.
  EXPECT_EQ(kBlue, PixelOf(*flipped, 0, 0));
  EXPECT_EQ(kYellow, PixelOf(*flipped, 1, 0));
  EXPECT_EQ(kRed, PixelOf(*flipped, 0, 1));
  EXPECT_EQ(kGreen, PixelOf(*flipped, 1, 1));

  auto upright = LoadImageFile(path.c_str(), FALSE);
  ASSERT_TRUE(upright && upright->IsValid());
  EXPECT_EQ(kRed, PixelOf(*upright, 0, 0));
  EXPECT_EQ(kYellow, PixelOf(*upright, 1, 1));

  // The file is read and closed before decoding: nothing holds it open.
  EXPECT_TRUE(folder.Delete(L"a.png"));
  EXPECT_EQ(kRed, PixelOf(*upright, 0, 0));
}

TEST(LoadImageFile, ChineseFileNames) {
  TempFolder folder;
  auto source = MakeRedOverBlue(4, 4);
  // "乗" is 0x81 0x5C in code page 936: its second byte is a backslash.
  const std::string path = folder.Write(L"图片乗.png", Encode(*source, L"image/png"));
  auto picture = LoadImageFile(path.c_str(), FALSE);
  ASSERT_TRUE(picture);
  ASSERT_TRUE(picture->IsValid()) << picture->GetLastStatus();
  EXPECT_EQ(kRed, PixelOf(*picture, 0, 0));
  EXPECT_EQ(kBlue, PixelOf(*picture, 0, 3));
}

TEST(LoadImageFile, FailuresAreCarriedInTheHolder) {
  TempFolder folder;
  auto source = MakeRedOverBlue(8, 8);
  std::vector<BYTE> png = Encode(*source, L"image/png");
  std::vector<BYTE> truncated(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 3));
  std::vector<BYTE> jpegHead = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
  struct Row {
    const char* what;
    std::string path;
  } rows[] = {
      {"missing", folder.File(L"none.png")},
      {"missing folder", folder.File(L"nowhere\\none.png")},
      {"text", folder.Write(L"text.png", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'})},
      {"empty", folder.Write(L"empty.png", {})},
      {"truncated", folder.Write(L"cut.png", truncated)},
      {"jpeg head only", folder.Write(L"head.jpg", jpegHead)},
      {"empty path", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    UINT frames = 77;
    auto picture = LoadImageFile(row.path.c_str(), TRUE, &frames);
    ASSERT_TRUE(picture) << "a holder, not null";
    EXPECT_FALSE(picture->IsValid());
    EXPECT_NE(Gdiplus::Ok, picture->GetLastStatus());
    EXPECT_FALSE(picture->GetBitmap() && picture->GetBitmap()->GetWidth() > 0 && picture->GetLastStatus() == Gdiplus::Ok);
  }
  EXPECT_EQ(Gdiplus::FileNotFound, LoadImageFile(folder.File(L"none.png").c_str(), TRUE)->GetLastStatus());
  // The damaged files can be removed: none is held open.
  for (const wchar_t* name : {L"text.png", L"empty.png", L"cut.png", L"head.jpg"}) EXPECT_TRUE(folder.Delete(name));
}

TEST(LoadImageBytes, AnimatedGifCountsItsFramesAndSelectsThem) {
  const std::vector<BYTE> gif = TwoFrameGif();
  UINT frames = 0;
  auto picture = LoadImageBytes(gif.data(), gif.size(), FALSE, &frames);
  ASSERT_TRUE(picture);
  ASSERT_TRUE(picture->IsValid()) << picture->GetLastStatus();
  EXPECT_EQ(2u, frames);
  EXPECT_EQ(2u, picture->GetFrameCount());
  EXPECT_TRUE(Near(kRed, PixelOf(*picture, 1, 1), 0));
  ASSERT_EQ(Gdiplus::Ok, picture->SelectActiveFrame(1));
  EXPECT_TRUE(Near(kBlue, PixelOf(*picture, 1, 1), 0));
  // Frames cloned after selection are independent bitmaps of that frame.
  auto copy = picture->Clone();
  ASSERT_TRUE(copy && copy->IsValid());
  EXPECT_EQ(kBlue, PixelOf(*copy, 0, 0));
}

TEST(LoadImageBytes, MetafilesAreHeldUpright) {
  const std::vector<BYTE> emf = RedOverBlueEmf();
  auto picture = LoadImageBytes(emf.data(), emf.size(), TRUE);
  ASSERT_TRUE(picture);
  ASSERT_TRUE(picture->IsValid()) << picture->GetLastStatus();
  EXPECT_EQ(Gdiplus::ImageTypeMetafile, picture->GetType());
  EXPECT_EQ(nullptr, picture->GetBitmap());
  EXPECT_GT(picture->GetWidth(), 0u);
}

TEST(EncodeImage, JpegAndTiffRoundTripsKeepTheOrientation) {
  struct Row {
    const WCHAR* mime;
    int tolerance;
  } rows[] = {{L"image/jpeg", 48}, {L"image/tiff", 0}, {L"image/png", 0}, {L"image/bmp", 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << std::wcslen(row.mime));
    // Held as pages hold pictures: upside down.
    auto held = MakeRedOverBlue(16, 8);
    ASSERT_EQ(Gdiplus::Ok, held->RotateFlip(Gdiplus::Rotate180FlipX));
    std::vector<BYTE> bytes;
    ASSERT_EQ(Gdiplus::Ok, EncodeImage(*held, row.mime, TRUE, bytes));
    ASSERT_FALSE(bytes.empty());
    // The held picture is as it was.
    EXPECT_EQ(kBlue, PixelOf(*held, 3, 1));
    EXPECT_EQ(kRed, PixelOf(*held, 3, 6));

    // The file is upright: red on top.
    auto upright = LoadImageBytes(bytes.data(), bytes.size(), FALSE);
    ASSERT_TRUE(upright && upright->IsValid());
    EXPECT_TRUE(Near(kRed, PixelOf(*upright, 8, 1), row.tolerance)) << Hex32{PixelOf(*upright, 8, 1)};
    EXPECT_TRUE(Near(kBlue, PixelOf(*upright, 8, 6), row.tolerance)) << Hex32{PixelOf(*upright, 8, 6)};
    // Decoded the way pages decode, it is held as before.
    auto reloaded = LoadImageBytes(bytes.data(), bytes.size(), TRUE);
    ASSERT_TRUE(reloaded && reloaded->IsValid());
    EXPECT_TRUE(Near(kBlue, PixelOf(*reloaded, 8, 1), row.tolerance));
    EXPECT_TRUE(Near(kRed, PixelOf(*reloaded, 8, 6), row.tolerance));
  }
  // A JPEG starts with its marker.
  auto picture = MakeRedOverBlue(4, 4);
  const std::vector<BYTE> jpeg = Encode(*picture, L"image/jpeg");
  ASSERT_GE(jpeg.size(), 2u);
  EXPECT_EQ(0xFF, jpeg[0]);
  EXPECT_EQ(0xD8, jpeg[1]);
}

TEST(EncodeImage, SeveralFramesMakeOneMultiPageTiff) {
  auto first = MakeRedOverBlue(6, 4);
  auto second = MakePicture(2, 2, {kGreen, kGreen, kYellow, kYellow});
  for (CPicture* held : {first.get(), second.get()}) ASSERT_EQ(Gdiplus::Ok, held->RotateFlip(Gdiplus::Rotate180FlipX));
  CPicture* frames[] = {first.get(), second.get()};
  std::vector<BYTE> bytes;
  const Gdiplus::Status status = EncodeImageFrames(frames, 2, L"image/tiff", TRUE, bytes);
  ASSERT_EQ(Gdiplus::Ok, status);
  // Both frames are held as before.
  EXPECT_EQ(kBlue, PixelOf(*first, 0, 0));
  EXPECT_EQ(kYellow, PixelOf(*second, 0, 0));

  UINT count = 0;
  auto tiff = LoadImageBytes(bytes.data(), bytes.size(), FALSE, &count);
  ASSERT_TRUE(tiff && tiff->IsValid());
  EXPECT_EQ(2u, count);
  EXPECT_EQ(kRed, PixelOf(*tiff, 0, 0));
  EXPECT_EQ(kBlue, PixelOf(*tiff, 0, 3));
  ASSERT_EQ(Gdiplus::Ok, tiff->SelectActiveFrame(1));
  EXPECT_EQ(2u, tiff->GetWidth());
  EXPECT_EQ(kGreen, PixelOf(*tiff, 0, 0));
  EXPECT_EQ(kYellow, PixelOf(*tiff, 1, 1));
}

TEST(EncodeImage, RefusesWhatItCannotEncode) {
  auto picture = MakeRedOverBlue(4, 4);
  std::vector<BYTE> bytes = {1, 2, 3};
  EXPECT_NE(Gdiplus::Ok, EncodeImage(*picture, L"image/x-none", TRUE, bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(kRed, PixelOf(*picture, 0, 0)) << "not left flipped";
  CPicture empty(Gdiplus::FileNotFound);
  EXPECT_NE(Gdiplus::Ok, EncodeImage(empty, L"image/jpeg", TRUE, bytes));
  // A metafile is drawn into a bitmap for a raster encoder.
  const std::vector<BYTE> emf = RedOverBlueEmf();
  auto metafile = LoadImageBytes(emf.data(), emf.size(), TRUE);
  ASSERT_TRUE(metafile && metafile->IsValid());
  ASSERT_EQ(Gdiplus::Ok, EncodeImage(*metafile, L"image/png", TRUE, bytes));
  auto drawn = LoadImageBytes(bytes.data(), bytes.size(), FALSE);
  ASSERT_TRUE(drawn && drawn->IsValid());
  const int w = static_cast<int>(drawn->GetWidth()), h = static_cast<int>(drawn->GetHeight());
  EXPECT_TRUE(Near(kRed, PixelOf(*drawn, w / 2, h / 4), 8)) << Hex32{PixelOf(*drawn, w / 2, h / 4)};
  EXPECT_TRUE(Near(kBlue, PixelOf(*drawn, w / 2, 3 * h / 4), 8)) << Hex32{PixelOf(*drawn, w / 2, 3 * h / 4)};
}

// Encodings whose own lengths claim more bytes than they hold, or whose sides make more
// pixels than the platform's decoders size in 32 bits, never reach those decoders, which
// read and write past their buffers on them; the same pictures that fit still load.
TEST(LoadImageBytes, RefusesEncodingsWhoseLengthsOverrunThem) {
  auto source = MakeRedOverBlue(8, 8);
  const std::vector<BYTE> png = Encode(*source, L"image/png");
  const std::vector<BYTE> jpeg = Encode(*source, L"image/jpeg");
  ASSERT_GT(png.size(), 20u);
  ASSERT_GT(jpeg.size(), 20u);
  auto withComment = [&](BYTE high, BYTE low) {
    std::vector<BYTE> bytes(jpeg.begin(), jpeg.begin() + 2);
    const BYTE comment[] = {0xFF, 0xFE, high, low, 'a', 'b', 'c'};
    bytes.insert(bytes.end(), std::begin(comment), std::end(comment));
    bytes.insert(bytes.end(), jpeg.begin() + 2, jpeg.end());
    return bytes;
  };
  std::vector<BYTE> pngLongEnd = png;
  pngLongEnd[pngLongEnd.size() - 12] = 0x40;  // the end chunk claims a billion bytes
  std::vector<BYTE> jpegCutSegment(jpeg.begin(), jpeg.begin() + 21);
  // Sides that make more pixels than the platform's decoders size in 32 bits.
  std::vector<BYTE> jpegHuge = jpeg, pngHuge = png, gifHuge = TwoFrameGif(), bmpHuge = Encode(*source, L"image/bmp");
  for (size_t at = 2; at + 9 < jpegHuge.size(); ++at) {
    if (jpegHuge[at] == 0xFF && jpegHuge[at + 1] >= 0xC0 && jpegHuge[at + 1] <= 0xC2) {
      const BYTE sides[] = {0x30, 0xDA, 0xC2, 0x92};  // 12506 rows of 49810
      std::copy(std::begin(sides), std::end(sides), jpegHuge.begin() + static_cast<std::ptrdiff_t>(at + 5));
      break;
    }
  }
  pngHuge[16] = pngHuge[20] = 0x01;  // 16 million pixels a side
  gifHuge[6] = gifHuge[7] = gifHuge[8] = gifHuge[9] = 0xFF;
  bmpHuge[20] = bmpHuge[24] = 0x01;
  auto red = MakePicture(8, 8, std::vector<Gdiplus::ARGB>(64, kRed));
  const std::vector<BYTE> redPng = Encode(*red, L"image/png");
  std::vector<BYTE> redPngLongEnd = redPng;
  redPngLongEnd[redPngLongEnd.size() - 12] = 0x40;
  std::vector<BYTE> bmpFarBits = Encode(*source, L"image/bmp");
  bmpFarBits[12] = 0xFF;  // the bits 16 MB past the start
  // Bits per sample (one for each of four samples) 16 MB past the end: the platform's
  // decoder reads them there, and its stream over global memory copies whatever lies
  // past the end of the buffer for a place beyond it.
  const std::vector<BYTE> tiffFarValues = TiffWithValuesAt(Encode(*source, L"image/tiff"), 258, 0x01000000);
  ASSERT_FALSE(tiffFarValues.empty());
  struct Row {
    const char* what;
    std::vector<BYTE> bytes;
    bool loads;
  } rows[] = {
      {"png", png, true},
      {"png whose end chunk claims a billion bytes", pngLongEnd, false},
      {"jpeg", jpeg, true},
      {"jpeg with a comment", withComment(0, 5), true},
      {"jpeg whose comment claims 65 kB", withComment(0xFF, 0xF0), false},
      {"jpeg whose comment claims less than its length", withComment(0, 1), false},
      {"jpeg cut inside a segment", jpegCutSegment, false},
      {"jpeg of 620 million pixels", jpegHuge, false},
      {"png of 16 million pixels a side", pngHuge, false},
      {"gif of 65535 pixels a side", gifHuge, false},
      {"bmp of 65536 pixels a side", bmpHuge, false},
      {"bmp whose bits lie past its end", bmpFarBits, false},
      {"bmp", Encode(*source, L"image/bmp"), true},
      {"tiff", Encode(*source, L"image/tiff"), true},
      {"tiff whose bits per sample lie 16 MB past its end", tiffFarValues, false},
      {"icon", Icon(IconBitmap(8, kIconRed)), true},
      {"icon holding a png", Icon(redPng), true},
      {"icon of a bitmap and a png", IconFile({IconBitmap(8, kIconRed), redPng}), true},
      {"icon whose picture lies 4 GB on, where offset and length wrap round",
       Icon(IconBitmap(8, kIconRed), 0xFFFFFFF0, 0x400), false},
      {"icon whose picture runs past its end", Icon(IconBitmap(8, kIconRed), 22, 0x1000), false},
      {"icon whose bitmap is 65536 pixels wide", Icon(IconBitmap(65536, kIconRed)), false},
      {"icon holding a png whose end chunk claims a billion bytes", Icon(redPngLongEnd), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    auto picture = LoadImageBytes(row.bytes.data(), row.bytes.size(), FALSE);
    ASSERT_TRUE(picture);
    EXPECT_EQ(row.loads, picture->IsValid()) << picture->GetLastStatus();
    if (row.loads && picture->IsValid()) {
      EXPECT_TRUE(Near(kRed, PixelOf(*picture, 1, 1), 24));
    }
  }
}
