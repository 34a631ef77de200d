// What drawing on the page's y-up mapping does, checked before the shapes rely on it:
// GDI+ graphics made on the page DC take over its mapping, and a calculating DrawText
// gives a negative height when y grows upwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "tests/support/PageBitmap.h"

namespace {

TEST(PageMapping, GdiplusOnThePageDcDrawsInPageUnitsWithYUp) {
  PageBitmap page(200, 200);
  {
    Gdiplus::Graphics g(page.dc());
    Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
    g.FillRectangle(&red, 10, 20, 30, 30);  // page x 10..40, y 20..50: above the centre
  }
  EXPECT_EQ(RGB(255, 0, 0), page.At(25, 35));
  EXPECT_EQ(RGB(255, 255, 255), page.At(25, -35));  // where y-down would have put it
  EXPECT_EQ(RGB(255, 255, 255), page.At(5, 35));
  EXPECT_EQ(RGB(255, 255, 255), page.At(45, 35));
}

TEST(PageMapping, CalculatingDrawTextGivesNegativeHeightWithYUp) {
  PageBitmap page(200, 200);
  RECT r = {0, 0, 1, 1};
  ::DrawTextW(page.dc(), L"\x4E2D", 1, &r, DT_CALCRECT);
  EXPECT_LT(r.bottom - r.top, 0);
}

}  // namespace
