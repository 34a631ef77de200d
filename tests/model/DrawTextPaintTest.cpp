// Text objects drawn on a page bitmap with the page's y-up mapping: where the text lands
// (alignment, turning, the line that does not fit), the frame of old and current
// records, the GDI path of a font GDI+ cannot use, and the answer marks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/core/Codepage.h"
#include "framework/ui/DC.h"
#include "model/DrawText.h"
#include "tests/model/RasterFont.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/TestHost.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
const double kQuarterTurn = std::acos(0.0);

// The extent of the pixels near a colour in a part of the page.
struct Extent {
  int count = 0;
  int minX = 0, maxX = 0, minY = 0, maxY = 0;
};

Extent Find(const PageBitmap& page, COLORREF colour, int x0, int y0, int x1, int y1, int tolerance = 80) {
  Extent e;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      if (!PageBitmap::Near(page.At(x, y), colour, tolerance)) continue;
      if (e.count == 0) {
        e.minX = e.maxX = x;
        e.minY = e.maxY = y;
      }
      ++e.count;
      e.minX = std::min(e.minX, x);
      e.maxX = std::max(e.maxX, x);
      e.minY = std::min(e.minY, y);
      e.maxY = std::max(e.maxY, y);
    }
  return e;
}

// Every pixel of a page bitmap of that size (its rows run from y = h/2 down to 1 - h/2).
Extent FindAll(const PageBitmap& page, COLORREF colour, int w, int h, int tolerance = 80) {
  return Find(page, colour, -w / 2, 1 - h / 2, w / 2 - 1, h / 2, tolerance);
}

// A transparent, borderless text object with black text.
std::unique_ptr<CDrawText> Text(const CRect& position, const char* text) {
  auto o = std::make_unique<CDrawText>(position);
  o->m_displayText = text;
  o->m_outlined = 0;
  o->m_baseRect = o->GetDrawBounds();
  return o;
}

int Draw(CDrawText& o, PageBitmap& page) {
  CDC dc(page.dc());
  return o.Draw(&dc, nullptr);
}

void UseRasterFont(CDrawText& o) {
  const std::string face = codepage::FromWide(RasterFont::kFace);
  std::memset(o.m_logFont.lfFaceName, 0, sizeof o.m_logFont.lfFaceName);
  std::memcpy(o.m_logFont.lfFaceName, face.data(), face.size());
  o.m_logFont.lfCharSet = ANSI_CHARSET;
  o.m_logFont.lfHeight = RasterFont::kHeight;
}

TEST(DrawTextPaint, ChineseTextLandsInsideTheBoxAsAligned) {
  TestHost host;
  const struct {
    int alignment;
    const char* what;
  } rows[] = {{kTextAlignLeft, "left"}, {kTextAlignCentre, "centre"}, {kTextAlignRight, "right"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    PageBitmap page(400, 200);
    auto o = Text(CRect(-150, 30, 150, -30), "中文答案");
    o->m_alignment = row.alignment;
    EXPECT_EQ(1, Draw(*o, page));
    const Extent inside = Find(page, kBlack, -150, -30, 150, 30);
    ASSERT_GT(inside.count, 40);
    EXPECT_EQ(inside.count, FindAll(page, kBlack, 400, 200).count) << "nothing outside the box";
    // Four characters of about 20 units take under half the box's width.
    switch (row.alignment) {
      case kTextAlignLeft: EXPECT_LT(inside.minX, -140); EXPECT_LT(inside.maxX, 0); break;
      case kTextAlignCentre: EXPECT_NEAR(inside.minX + inside.maxX, 0, 8); break;
      default: EXPECT_GT(inside.maxX, 140); EXPECT_GT(inside.minX, 0); break;
    }
    // The first line hangs from the top of the box (its larger y), upright.
    EXPECT_GT(inside.maxY, 15);
  }
}

TEST(DrawTextPaint, TextStandsUpright) {
  TestHost host;
  PageBitmap page(200, 100);
  auto o = Text(CRect(-90, 20, 90, -20), "TTTT");
  Draw(*o, page);
  const Extent all = FindAll(page, kBlack, 200, 100);
  ASSERT_GT(all.count, 20);
  // The row holding the bars of the T's is their top row, the one nearest the box's top.
  int barRow = 0, widest = 0;
  for (int y = all.minY; y <= all.maxY; ++y) {
    const int n = Find(page, kBlack, -100, y, 99, y).count;
    if (n > widest) {
      widest = n;
      barRow = y;
    }
  }
  EXPECT_GE(barRow, all.maxY - 2);
}

TEST(DrawTextPaint, TextIsHiddenWhenOneLineDoesNotFit) {
  TestHost host;
  const struct {
    const char* what;
    CRect box;
    bool shown;
  } rows[] = {
      {"fits", CRect(-100, 20, 100, -20), true},
      {"lower than a line", CRect(-100, 6, 100, -6), false},
      {"narrower than a line is high", CRect(-7, 40, 7, -40), false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    PageBitmap page(300, 200);
    auto o = Text(row.box, "ABC");
    Draw(*o, page);
    EXPECT_EQ(row.shown, FindAll(page, kBlack, 300, 200).count > 0);
  }
}

TEST(DrawTextPaint, EmptyAndInvisibleObjectsDrawNothing) {
  TestHost host;
  PageBitmap page(200, 200);
  auto empty = Text(CRect(10, 10, 10, 10), "A");
  EXPECT_EQ(0, Draw(*empty, page));
  auto thin = Text(CRect(10, 40, 10, -40), "A");  // no width, but a height: still drawn
  EXPECT_EQ(1, Draw(*thin, page));
  auto hidden = Text(CRect(-50, 20, 50, -20), "ABC");
  hidden->m_visible = 0;
  EXPECT_EQ(0, Draw(*hidden, page));
  EXPECT_EQ(0, FindAll(page, kBlack, 200, 200).count);
}

TEST(DrawTextPaint, OnlyCurrentRecordsDrawTheirFillAndBorder) {
  TestHost host;
  for (WORD version : {WORD(0x0001), kDrawObjVersion}) {
    SCOPED_TRACE(version);
    PageBitmap page(200, 200);
    auto o = Text(CRect(-50, 30, 50, -30), "");
    o->m_version = version;
    o->m_filled = 1;
    o->m_brush.lbColor = kRed;
    o->m_outlined = 1;
    o->m_pen.lopnColor = RGB(0, 0, 255);
    o->m_pen.lopnWidth = {3, 3};
    Draw(*o, page);
    const bool current = version == kDrawObjVersion;
    EXPECT_EQ(current ? kRed : kWhite, page.At(0, 0));
    EXPECT_EQ(current ? RGB(0, 0, 255) : kWhite, page.At(50, 0));
  }
}

TEST(DrawTextPaint, TextAndFrameTurnTogether) {
  TestHost host;
  PageBitmap page(300, 300);
  auto o = Text(CRect(-100, 12, 100, -12), "IIIIIIIIII");
  o->m_alignment = kTextAlignCentre;
  o->m_filled = 1;
  o->m_brush.lbColor = RGB(255, 255, 0);
  o->m_captionColour = kRed;
  o->SetAngle(kQuarterTurn, FALSE, nullptr);
  Draw(*o, page);
  // The wide box now stands upright: yellow above and below the centre, not beside it.
  EXPECT_EQ(RGB(255, 255, 0), page.At(0, 90));
  EXPECT_EQ(kWhite, page.At(90, 0));
  const Extent text = FindAll(page, kRed, 300, 300);
  ASSERT_GT(text.count, 20);
  EXPECT_GT(text.maxY - text.minY, 3 * (text.maxX - text.minX)) << "the line runs up the page";
  EXPECT_LE(text.maxX - text.minX, 26);
}

TEST(DrawTextPaint, FrameTurnsEvenWhenTheTextCannot) {
  TestHost host;
  RasterFont font;
  ASSERT_TRUE(font.Installed());
  PageBitmap page(300, 300);
  auto o = Text(CRect(-100, 12, 100, -12), "A");
  UseRasterFont(*o);
  o->m_filled = 1;
  o->m_brush.lbColor = RGB(255, 255, 0);
  o->SetAngle(kQuarterTurn, FALSE, nullptr);
  Draw(*o, page);
  // The frame stands as its bounds and handles do; GDI's text stays unturned.
  EXPECT_EQ(RGB(255, 255, 0), page.At(0, 90));
  EXPECT_EQ(kWhite, page.At(90, 0));
}

TEST(DrawTextPaint, FontGdiplusCannotUseIsDrawnThroughGdi) {
  TestHost host;
  RasterFont font;
  ASSERT_TRUE(font.Installed());
  const struct {
    const char* what;
    int flags;
    int alignment;
  } rows[] = {
      {"top line, left", 0, kTextAlignLeft},
      {"centred on one line", DT_SINGLELINE | DT_VCENTER, kTextAlignCentre},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    PageBitmap page(300, 200);
    auto o = Text(CRect(-100, 40, 100, -40), "AB");
    UseRasterFont(*o);
    o->m_drawTextFlags = row.flags;
    o->m_alignment = row.alignment;
    o->m_captionColour = RGB(0, 128, 0);
    Draw(*o, page);
    // Two solid 8 x 16 glyphs.
    const Extent e = FindAll(page, RGB(0, 128, 0), 300, 200, 10);
    EXPECT_EQ(2 * 8 * RasterFont::kHeight, e.count);
    EXPECT_EQ(15, e.maxX - e.minX);
    if (row.flags == 0) {
      EXPECT_EQ(-100, e.minX);
      EXPECT_EQ(40, e.maxY);  // from the top edge downwards
    } else {
      EXPECT_NEAR(0, e.minX + e.maxX, 1);
      // Windows centres the line; Wine's DrawText centres it as on a y-down page, which
      // here puts it half a line low. Either way it stays inside the box.
      EXPECT_TRUE(std::abs(e.minY + e.maxY) <= 1 || e.maxY == -8) << e.minY << ".." << e.maxY;
    }
  }
}

TEST(DrawTextPaint, AnswerMarksStandUprightOverTheText) {
  TestHost host;
  PageBitmap page(200, 200);
  auto tick = Text(CRect(-50, 50, 50, -50), "");
  tick->m_mark = kMarkTick;
  Draw(*tick, page);
  // The tick's long stroke rises to the upper right; its short one starts at the left.
  const Extent upperRight = Find(page, kRed, 1, 1, 16, 16, 40);
  const Extent lowerRight = Find(page, kRed, 1, -16, 16, -1, 40);
  EXPECT_GT(upperRight.count, 20);
  EXPECT_LT(lowerRight.count, upperRight.count / 2);
  EXPECT_LE(FindAll(page, kRed, 200, 200, 40).maxY, 16);

  PageBitmap crossPage(200, 200);
  auto cross = Text(CRect(-10, 10, 10, -10), "");  // smaller than the mark: squeezed into it
  cross->m_mark = kMarkCross;
  Draw(*cross, crossPage);
  EXPECT_TRUE(PageBitmap::Near(crossPage.At(0, 0), kRed, 40));
  const Extent all = FindAll(crossPage, kRed, 200, 200, 40);
  EXPECT_GE(all.minX, -10);
  EXPECT_LE(all.maxX, 10);

  PageBitmap nonePage(200, 200);
  auto other = Text(CRect(-50, 50, 50, -50), "");
  other->m_mark = 3;  // only 1 and 2 draw a mark
  Draw(*other, nonePage);
  EXPECT_EQ(0, FindAll(nonePage, kRed, 200, 200, 40).count);
}

TEST(DrawTextPaint, MarkKeepsTheTextBeneath) {
  TestHost host;
  RasterFont font;
  ASSERT_TRUE(font.Installed());
  PageBitmap page(200, 200);
  auto o = Text(CRect(-40, 8, 40, -8), "MMMMMMMMMM");  // one line filling the box
  UseRasterFont(*o);
  o->m_mark = kMarkCross;
  Draw(*o, page);
  // ANDed over black text the red mark leaves black; off the mark the text stays.
  EXPECT_EQ(kBlack, page.At(0, 0));
  EXPECT_EQ(kBlack, page.At(-30, 0));
}

}  // namespace
