// DrawImageEx into an off-screen 32-bit ARGB bitmap: placement, colour key,
// transparency, clipping and the upright metafile. Pixels are read away from edges that
// anti-aliasing may soften.
#include <gtest/gtest.h>

#include "graphics/ImageHelpers.h"
#include "tests/media/Canvas.h"

namespace {

constexpr Gdiplus::ARGB A = kRed, B = kGreen, C = kBlue, D = kYellow;

void Draw(Canvas& canvas, CPicture& picture, Gdiplus::GraphicsPath* path, int left, int top, int right, int bottom,
          BOOL stretch, BOOL transparent = FALSE, int transparency = 0, COLORREF key = 0xFFFFFF) {
  DrawImageEx(&picture, &canvas.graphics, path, left, top, right, bottom, stretch, transparent, transparency, key);
}

}  // namespace

TEST(DrawImageEx, StretchesOverTheRectangle) {
  Canvas canvas(50, 50, kWhite);
  // Quadrants of 2 x 2 pixels, so that block centres are free of interpolation.
  auto picture = MakePicture(4, 4, {A, A, B, B, A, A, B, B, C, C, D, D, C, C, D, D});
  Draw(canvas, *picture, nullptr, 0, 0, 40, 40, TRUE);
  EXPECT_EQ(A, canvas.At(5, 5));
  EXPECT_EQ(B, canvas.At(35, 5));
  EXPECT_EQ(C, canvas.At(5, 35));
  EXPECT_EQ(D, canvas.At(35, 35));
  EXPECT_EQ(kWhite, canvas.At(45, 20));
  EXPECT_EQ(kWhite, canvas.At(20, 45));
}

TEST(DrawImageEx, TilesAtItsOwnSizeFromTheCorner) {
  Canvas canvas(8, 8, kWhite);
  auto picture = MakePicture(2, 2, {A, B, C, D});
  // Given with right < left and bottom < top: the rectangle is normalised first.
  Draw(canvas, *picture, nullptr, 6, 6, 0, 0, FALSE);
  const Gdiplus::ARGB tile[2][2] = {{A, B}, {C, D}};
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      const Gdiplus::ARGB expected = x < 6 && y < 6 ? tile[y % 2][x % 2] : kWhite;
      EXPECT_EQ(Hex32{expected}.v, canvas.At(x, y)) << Hex32{canvas.At(x, y)};
    }
  }
}

TEST(DrawImageEx, LastTilesAreCutAtTheRectangle) {
  // 30 x 20 into 100 x 50: 4 columns and 3 rows, the last ones cut. The picture's last
  // column and row are red, the rest blue.
  std::vector<Gdiplus::ARGB> pixels(30 * 20, kBlue);
  for (int y = 0; y < 20; ++y) pixels[y * 30 + 29] = kRed;
  for (int x = 0; x < 30; ++x) pixels[19 * 30 + x] = kRed;
  auto picture = MakePicture(30, 20, pixels);
  Canvas canvas(120, 70, kWhite);
  Gdiplus::GraphicsPath path;
  path.AddRectangle(Gdiplus::Rect(0, 0, 100, 50));
  Draw(canvas, *picture, &path, 0, 0, 100, 50, FALSE);
  EXPECT_EQ(kRed, canvas.At(29, 5));
  EXPECT_EQ(kBlue, canvas.At(30, 5));
  EXPECT_EQ(kRed, canvas.At(89, 5));
  EXPECT_EQ(kBlue, canvas.At(95, 5)) << "fourth column, cut";
  EXPECT_EQ(kWhite, canvas.At(101, 5));
  EXPECT_EQ(kRed, canvas.At(5, 39));
  EXPECT_EQ(kBlue, canvas.At(5, 45)) << "third row, cut";
  EXPECT_EQ(kWhite, canvas.At(5, 51));
  // Without a path the rectangle still stops the tiles.
  Canvas open(120, 70, kWhite);
  Draw(open, *picture, nullptr, 0, 0, 100, 50, FALSE);
  EXPECT_EQ(kBlue, open.At(95, 5));
  EXPECT_EQ(kWhite, open.At(105, 5));
  EXPECT_EQ(kWhite, open.At(5, 55));
}

TEST(DrawImageEx, ManyTilesInViewGiveTheSamePattern) {
  // 2048 tiles of 4 x 4 (quadrants of 2 x 2) in view: filled in one pass, not a call a
  // tile; the pattern is the same, with or without transparency.
  auto picture = MakePicture(4, 4, {A, A, B, B, A, A, B, B, C, C, D, D, C, C, D, D});
  for (int transparency : {0, 128}) {
    SCOPED_TRACE(transparency);
    Canvas canvas(260, 130, kBlack);
    Draw(canvas, *picture, nullptr, 0, 0, 256, 128, FALSE, FALSE, transparency);
    const int t = 255 - transparency;
    auto faded = [&](Gdiplus::ARGB c) {
      return 0xFF000000u | (((c >> 16 & 0xFF) * t / 255) << 16) | (((c >> 8 & 0xFF) * t / 255) << 8) |
             ((c & 0xFF) * t / 255);
    };
    for (int y : {0, 1, 61, 126, 127}) {
      for (int x : {0, 1, 2, 3, 130, 131, 254, 255}) {
        const Gdiplus::ARGB expected = faded(y % 4 < 2 ? (x % 4 < 2 ? A : B) : (x % 4 < 2 ? C : D));
        EXPECT_TRUE(Near(expected, canvas.At(x, y), 3)) << x << "," << y << " " << Hex32{canvas.At(x, y)};
      }
    }
    EXPECT_EQ(kBlack, canvas.At(257, 5));
    EXPECT_EQ(kBlack, canvas.At(5, 129));
  }
}

TEST(DrawImageEx, HugeRectanglesCostOnlyWhatShows) {
  // A damaged page may give an object a rectangle of billions of units.
  Canvas canvas(10, 10, kWhite);
  auto picture = MakePicture(1, 1, {kRed});
  Draw(canvas, *picture, nullptr, -1000000000, -1000000000, 1000000000, 1000000000, FALSE);
  EXPECT_EQ(kRed, canvas.At(5, 5));
  Draw(canvas, *picture, nullptr, INT_MIN, INT_MIN, INT_MAX, INT_MAX, TRUE);
  EXPECT_EQ(kRed, canvas.At(0, 9));
}

TEST(DrawImageEx, ColourKeyAndTransparency) {
  auto picture = MakePicture(3, 1, {kWhite, kRed, kWhite});
  struct Row {
    const char* what;
    BOOL transparent;
    int transparency;
    COLORREF key;
    Gdiplus::ARGB left, middle;
    int tolerance;
  } rows[] = {
      {"opaque", FALSE, 0, 0xFFFFFF, kWhite, kRed, 0},
      {"keyed white", TRUE, 0, 0xFFFFFF, kGreen, kRed, 0},
      {"keyed red", TRUE, 0, 0x0000FF, kWhite, kGreen, 0},
      {"key absent", TRUE, 0, 0x123456, kWhite, kRed, 0},
      {"fully transparent", FALSE, 255, 0xFFFFFF, kGreen, kGreen, 0},
      {"beyond the range", FALSE, 300, 0xFFFFFF, kGreen, kGreen, 0},
      {"half", FALSE, 128, 0xFFFFFF, 0xFF7FFF7F, 0xFF7F7F00, 3},
      {"half and keyed", TRUE, 128, 0xFFFFFF, kGreen, 0xFF7F7F00, 3},
      {"negative is opaque", FALSE, -5, 0xFFFFFF, kWhite, kRed, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Canvas canvas(5, 3, kGreen);
    Draw(canvas, *picture, nullptr, 0, 0, 3, 1, FALSE, row.transparent, row.transparency, row.key);
    EXPECT_TRUE(Near(row.left, canvas.At(0, 0), row.tolerance)) << Hex32{canvas.At(0, 0)};
    EXPECT_TRUE(Near(row.middle, canvas.At(1, 0), row.tolerance)) << Hex32{canvas.At(1, 0)};
    EXPECT_TRUE(Near(row.left, canvas.At(2, 0), row.tolerance)) << Hex32{canvas.At(2, 0)};
    EXPECT_EQ(kGreen, canvas.At(3, 0));
    EXPECT_EQ(kGreen, canvas.At(1, 1));
  }
  // The picture itself is never changed by drawing it keyed.
  EXPECT_EQ(kWhite, PixelOf(*picture, 0, 0));
}

TEST(DrawImageEx, ClipsToThePathWithinTheClipAndRestoresIt) {
  Canvas canvas(20, 20, kWhite);
  auto picture = MakePicture(1, 1, {kRed});
  canvas.graphics.SetClip(Gdiplus::Rect(0, 0, 15, 20));
  Gdiplus::GraphicsPath path;
  path.AddRectangle(Gdiplus::Rect(5, 0, 15, 20));
  Draw(canvas, *picture, &path, 0, 0, 20, 20, TRUE);
  EXPECT_EQ(kWhite, canvas.At(2, 10)) << "outside the path";
  EXPECT_EQ(kRed, canvas.At(10, 10));
  EXPECT_EQ(kWhite, canvas.At(17, 10)) << "outside the earlier clip";

  Gdiplus::SolidBrush green{Gdiplus::Color(kGreen)};
  canvas.graphics.FillRectangle(&green, 0, 0, 20, 20);
  EXPECT_EQ(kGreen, canvas.At(2, 10)) << "the earlier clip is back";
  EXPECT_EQ(kWhite, canvas.At(17, 10));
}

TEST(DrawImageEx, NothingWithoutAPictureOrPixels) {
  Canvas canvas(4, 4, kWhite);
  CPicture failed(Gdiplus::FileNotFound);
  DrawImageEx(nullptr, &canvas.graphics, nullptr, 0, 0, 4, 4, TRUE, TRUE, 0, 0);
  DrawImageEx(&failed, &canvas.graphics, nullptr, 0, 0, 4, 4, TRUE, TRUE, 0, 0);
  auto picture = MakePicture(1, 1, {kRed});
  DrawImageEx(picture.get(), nullptr, nullptr, 0, 0, 4, 4, TRUE, TRUE, 0, 0);
  Draw(canvas, *picture, nullptr, 1, 1, 1, 3, FALSE);  // no width
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(kWhite, canvas.At(x, y));
}

TEST(DrawImageEx, PicturesStandUprightUnderTheYUpMapping) {
  // An enhanced metafile, red over blue, and the same as a raster picture held upside
  // down as pages hold them.
  const std::vector<BYTE> bits = RedOverBlueEmf();
  auto metafile = LoadImageBytes(bits.data(), bits.size(), TRUE);
  ASSERT_TRUE(metafile && metafile->GetType() == Gdiplus::ImageTypeMetafile);
  auto raster = MakeRedOverBlue(10, 10);
  raster->RotateFlip(Gdiplus::Rotate180FlipX);

  for (CPicture* picture : {metafile.get(), raster.get()}) {
    for (BOOL transparent : {FALSE, TRUE}) {
      SCOPED_TRACE(testing::Message() << "type " << picture->GetType() << " keyed " << transparent);
      Canvas canvas(100, 100, kWhite);
      // Page coordinates: origin at the centre, y growing upwards.
      const Gdiplus::Matrix page(1, 0, 0, -1, 50, 50);
      canvas.graphics.SetTransform(&page);
      Draw(canvas, *picture, nullptr, -40, 40, 40, -40, TRUE, transparent, 0, 0x00FF00);
      EXPECT_TRUE(Near(kRed, canvas.At(50, 20), 8)) << Hex32{canvas.At(50, 20)};
      EXPECT_TRUE(Near(kBlue, canvas.At(50, 80), 8)) << Hex32{canvas.At(50, 80)};
      EXPECT_EQ(kWhite, canvas.At(50, 95));
      EXPECT_EQ(kWhite, canvas.At(50, 5));
      // The page mapping is left as it was.
      Gdiplus::Matrix after;
      canvas.graphics.GetTransform(&after);
      Gdiplus::REAL m[6];
      after.GetElements(m);
      EXPECT_FLOAT_EQ(1, m[0]);
      EXPECT_FLOAT_EQ(-1, m[3]);
      EXPECT_FLOAT_EQ(50, m[5]);
    }
  }
}

TEST(DrawImageEx, AMetafileStretchedFarBeyondAnyScreenIsNotPlayed) {
  // Forty thousand units high (a damaged page's rectangle): played at that size its text
  // would take gigabytes. A colour-keyed copy is a bitmap and is drawn.
  const std::vector<BYTE> bits = RedOverBlueEmf();
  auto metafile = LoadImageBytes(bits.data(), bits.size(), TRUE);
  ASSERT_TRUE(metafile && metafile->GetType() == Gdiplus::ImageTypeMetafile);
  for (BOOL transparent : {FALSE, TRUE}) {
    SCOPED_TRACE(transparent);
    Canvas canvas(100, 100, kWhite);
    const Gdiplus::Matrix page(1, 0, 0, -1, 50, 50);
    canvas.graphics.SetTransform(&page);
    Draw(canvas, *metafile, nullptr, -40, 20040, 40, -19960, TRUE, transparent, 0, 0x00FF00);
    if (transparent) {
      EXPECT_TRUE(Near(kBlue, canvas.At(50, 80), 8)) << Hex32{canvas.At(50, 80)};
    } else {
      EXPECT_EQ(kWhite, canvas.At(50, 80));
    }
  }
}

TEST(DrawImageEx, MetafileBoundsAwayFromTheOrigin) {
  // Drawn only at (50, 50)-(150, 150): the picture is that square, wherever it lies.
  HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  RECT box = {50, 50, 150, 150};
  HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
  ::FillRect(dc, &box, red);
  ::DeleteObject(red);
  std::vector<BYTE> bits = EnhancedMetafileBits(::CloseEnhMetaFile(dc));
  auto picture = LoadImageBytes(bits.data(), bits.size(), TRUE);
  ASSERT_TRUE(picture && picture->GetType() == Gdiplus::ImageTypeMetafile);
  Canvas canvas(50, 50, kWhite);
  Draw(canvas, *picture, nullptr, 5, 5, 45, 45, TRUE);
  EXPECT_EQ(kRed, canvas.At(8, 8));
  EXPECT_EQ(kRed, canvas.At(25, 25));
  EXPECT_EQ(kRed, canvas.At(42, 42));
  EXPECT_EQ(kWhite, canvas.At(2, 2));
  EXPECT_EQ(kWhite, canvas.At(47, 47));
}

TEST(CopyWithColourKey, ClearsOnlyTheAlphaSoTheKeySurvivesEncoding) {
  // Left half white (the key), right half red.
  std::vector<Gdiplus::ARGB> pixels(32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) pixels[y * 32 + x] = x < 16 ? kWhite : kRed;
  auto picture = MakePicture(32, 32, pixels);
  Canvas screen(1, 1, kWhite);
  auto keyed = CopyWithColourKey(*picture, &screen.graphics, 0xFFFFFF);
  ASSERT_TRUE(keyed && keyed->IsValid());
  EXPECT_TRUE(keyed->IsKeyedWith(0xFFFFFF));
  EXPECT_FALSE(keyed->IsKeyedWith(0xFFFFFE));
  EXPECT_EQ(PixelFormat32bppARGB, keyed->GetPixelFormat());
  EXPECT_EQ(0x00FFFFFFu, PixelOf(*keyed, 3, 3)) << "transparent, colour kept";
  EXPECT_EQ(kRed, PixelOf(*keyed, 20, 3));
  EXPECT_EQ(kWhite, PixelOf(*picture, 3, 3)) << "the source is untouched";

  // Embedded as a JPEG, the keyed areas come back in the key colour, not black, so the
  // key applies again after reloading.
  std::vector<BYTE> jpeg;
  ASSERT_EQ(Gdiplus::Ok, EncodeImage(*keyed, L"image/jpeg", TRUE, jpeg));
  auto reloaded = LoadImageBytes(jpeg.data(), jpeg.size(), TRUE);
  ASSERT_TRUE(reloaded && reloaded->IsValid());
  EXPECT_EQ(kWhite, PixelOf(*reloaded, 3, 3)) << Hex32{PixelOf(*reloaded, 3, 3)};
  auto again = CopyWithColourKey(*reloaded, &screen.graphics, 0xFFFFFF);
  ASSERT_TRUE(again);
  for (int y = 0; y < 32; y += 5)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(0u, PixelOf(*again, x, y) >> 24) << x << "," << y;
  // Keying a keyed copy again changes nothing.
  auto twice = CopyWithColourKey(*keyed, &screen.graphics, 0xFFFFFF);
  ASSERT_TRUE(twice);
  EXPECT_EQ(0x00FFFFFFu, PixelOf(*twice, 3, 3));
  EXPECT_EQ(kRed, PixelOf(*twice, 20, 3));
}

TEST(CopyWithColourKey, NothingToCopy) {
  CPicture failed(Gdiplus::OutOfMemory);
  EXPECT_EQ(nullptr, CopyWithColourKey(failed, nullptr, 0));
}
