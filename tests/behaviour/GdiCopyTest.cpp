// What the transitions rely on from the system's copies: a copy in device units is
// pixel for pixel, a copy from a context in the view's y-up mapping into one in device
// units comes out mirrored (why the renderer copies in device units), and a constant
// alpha blend ignores the source's own alpha bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/support/MemoryBitmap.h"

namespace {

constexpr int kW = 20;
constexpr int kH = 10;

// Every pixel of the page distinct: red from x, green from y.
void PaintPattern(MemoryBitmap& s) {
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) s.SetPixel(x, y, RGB(x, y, 0x40));
}

// The view's page mapping: one logical unit a pixel, y growing upwards, logical (0, 0)
// at the bitmap's bottom-left corner.
void SetYUp(HDC dc, int height) {
  ::SetMapMode(dc, MM_ANISOTROPIC);
  ::SetWindowExtEx(dc, 1, 1, nullptr);
  ::SetViewportExtEx(dc, 1, -1, nullptr);
  ::SetViewportOrgEx(dc, 0, height, nullptr);
}

}  // namespace

TEST(GdiCopy, CopyInDeviceUnitsIsPixelForPixel) {
  MemoryBitmap source(kW, kH), destination(kW + 4, kH + 4);
  PaintPattern(source);
  destination.Fill(RGB(0, 0, 0xFF));
  ASSERT_TRUE(::BitBlt(destination.dc(), 2, 3, kW, kH, source.dc(), 0, 0, SRCCOPY));
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) ASSERT_EQ(RGB(x, y, 0x40), destination.Pixel(x + 2, y + 3)) << x << "," << y;
  EXPECT_EQ(RGB(0, 0, 0xFF), destination.Pixel(1, 3));
  EXPECT_EQ(RGB(0, 0, 0xFF), destination.Pixel(2, 2));
}

TEST(GdiCopy, DrawingInTheYUpMappingPutsThePageTopAtRowZero) {
  MemoryBitmap page(kW, kH);
  page.Fill(RGB(0, 0, 0xFF));
  SetYUp(page.dc(), kH);
  RECT top = {0, kH, kW, kH - 2};  // the top two rows, in page units (top above bottom)
  HBRUSH red = ::CreateSolidBrush(RGB(0xFF, 0, 0));
  ::FillRect(page.dc(), &top, red);
  ::DeleteObject(red);
  const std::vector<COLORREF> bitmap = page.Snapshot();  // by bitmap rows, not logical ones
  EXPECT_EQ(RGB(0xFF, 0, 0), bitmap[0 * kW + 5]);
  EXPECT_EQ(RGB(0xFF, 0, 0), bitmap[1 * kW + 5]);
  EXPECT_EQ(RGB(0, 0, 0xFF), bitmap[2 * kW + 5]);
}

TEST(GdiCopy, CopyBetweenOppositeYMappingsMirrors) {
  MemoryBitmap source(kW, kH), destination(kW, kH);
  PaintPattern(source);
  SetYUp(source.dc(), kH);
  ASSERT_TRUE(::BitBlt(destination.dc(), 0, 0, kW, kH, source.dc(), 0, 0, SRCCOPY));
  // The rows arrive bottom first. Which bitmap row pairs with the edge rows depends on how
  // the system rounds the mirrored rectangle (Wine is one row off), so only the order is
  // asserted.
  for (int y = 1; y + 1 < kH; ++y) {
    const COLORREF upper = destination.Pixel(7, y);
    const COLORREF lower = destination.Pixel(7, y + 1);
    EXPECT_EQ(0x40, GetBValue(upper)) << y;
    EXPECT_EQ(GetGValue(upper), GetGValue(lower) + 1) << y;
  }
}

TEST(GdiCopy, ConstantAlphaBlendIgnoresTheSourceAlphaBytes) {
  // A page painted with GDI leaves the alpha bytes 0; with alpha format 0 they must not
  // matter, only the constant alpha.
  const struct { int alpha; int red, blue; } rows[] = {
      {0, 0, 200}, {64, 50, 150}, {128, 100, 100}, {255, 200, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.alpha);
    MemoryBitmap source(kW, kH), destination(kW, kH);
    source.Fill(RGB(200, 0, 0));
    destination.Fill(RGB(0, 0, 200));
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(row.alpha), 0};
    ASSERT_TRUE(::AlphaBlend(destination.dc(), 0, 0, kW, kH, source.dc(), 0, 0, kW, kH, blend));
    const COLORREF c = destination.Pixel(kW / 2, kH / 2);
    EXPECT_LE(std::abs(GetRValue(c) - row.red), 1);
    EXPECT_EQ(0, GetGValue(c));
    EXPECT_LE(std::abs(GetBValue(c) - row.blue), 1);
  }
}
