// The page view's paint: paper, surroundings, frame, grid; and the printed size.
#include <gtest/gtest.h>

#include "framework/ui/DC.h"
#include "model/DrawRect.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGridColour = RGB(189, 0, 0);

}  // namespace

class ViewPaintTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    NewPage();
    Frame()->MoveWindow(0, 0, 1200, 900);
    Frame()->RecalcLayout();
    View()->GetClientRect(&client);
  }
  // The view painted into a bitmap of its client's size.
  std::unique_ptr<MemoryBitmap> Paint() {
    auto bitmap = std::make_unique<MemoryBitmap>(client.Width(), client.Height());
    CDC dc(bitmap->dc());
    View()->OnPrepareDC(&dc);
    View()->OnDraw(&dc);
    return bitmap;
  }
  void UsePage(int width, int height) {
    Doc()->SetPageSize(width, height);
    View()->SetPageSizes(CSize(width, height));
  }
  CPoint Device(CPoint p) {
    View()->LPtoDPPoint(p);
    return p;
  }
  CRect client;
};

TEST_F(ViewPaintTest, EditingShowsThePaperFramedOnGrey) {
  UsePage(200, 100);
  Doc()->m_backColour = kBlue;
  auto bitmap = Paint();
  const CPoint centre = Device(CPoint(0, 0));
  EXPECT_EQ(bitmap->Pixel(centre.x, centre.y), kBlue);
  EXPECT_EQ(bitmap->Pixel(5, 5), kGrey);
  const CPoint topLeft = Device(CPoint(-100, 50)), bottomRight = Device(CPoint(100, -50));
  EXPECT_EQ(bottomRight - topLeft, CPoint(200, 100));
  EXPECT_EQ(bitmap->Pixel(bottomRight.x - 1, centre.y), kBlack);  // right edge
  EXPECT_EQ(bitmap->Pixel(centre.x, bottomRight.y - 1), kBlack);  // bottom edge
  EXPECT_EQ(bitmap->Pixel(topLeft.x, centre.y), kGrey);           // left edge
  EXPECT_EQ(bitmap->Pixel(bottomRight.x, centre.y), kGrey);       // outside
  EXPECT_EQ(bitmap->Pixel(topLeft.x + 1, topLeft.y + 1), kBlue);

  Doc()->m_useBackPicture = 1;  // paper under a background picture is white
  EXPECT_EQ(Paint()->Pixel(centre.x, centre.y), RGB(255, 255, 255));
}

TEST_F(ViewPaintTest, FullScreenAndRunsHaveBlackSurroundings) {
  UsePage(200, 100);
  Doc()->m_backColour = kBlue;
  Frame()->m_bFullScreen = TRUE;
  auto full = Paint();
  Frame()->m_bFullScreen = FALSE;
  EXPECT_EQ(full->Pixel(5, 5), kBlack);
  const CPoint centre = Device(CPoint(0, 0));
  EXPECT_EQ(full->Pixel(centre.x, centre.y), kBlue);
  const CPoint right = Device(CPoint(100, 0));
  EXPECT_EQ(full->Pixel(right.x - 1, right.y), kBlue);  // no frame

  app->m_nMode = 1;
  Doc()->m_transitionPending = 0;
  auto run = Paint();
  app->m_nMode = 2;
  EXPECT_EQ(run->Pixel(5, 5), kBlack);
}

TEST_F(ViewPaintTest, TheGridSpansThePageWithABorderAtItsFarEdges) {
  for (const CSize page : {CSize(800, 600), CSize(801, 601)}) {
    SCOPED_TRACE(page.cx);
    UsePage(page.cx, page.cy);
    View()->m_bGrid = TRUE;
    auto bitmap = Paint();
    const int left = -(page.cx / 2), right = page.cx - page.cx / 2, top = page.cy - page.cy / 2;
    EXPECT_EQ(bitmap->Pixel(Device(CPoint(left, 0)).x, Device(CPoint(left, 0)).y), kGridColour);
    EXPECT_EQ(bitmap->Pixel(Device(CPoint(right, 0)).x, Device(CPoint(right, 0)).y), kGridColour);
    EXPECT_EQ(bitmap->Pixel(Device(CPoint(0, top)).x, Device(CPoint(0, top)).y), kGridColour);
    // A dotted line every 20 units: some of its pixels carry the grid's colour.
    int dots = 0;
    const CPoint line = Device(CPoint(left + 20, 0));
    for (int y = line.y - 10; y < line.y + 10; ++y) dots += bitmap->Pixel(line.x, y) == kGridColour;
    EXPECT_GE(dots, 5);
    EXPECT_NE(bitmap->Pixel(line.x + 1, line.y), kGridColour);
  }
}

TEST_F(ViewPaintTest, AxesCrossAtThePagesCentre) {
  UsePage(400, 300);
  View()->m_bAxes = TRUE;
  auto bitmap = Paint();
  const CPoint centre = Device(CPoint(0, 0));
  EXPECT_EQ(bitmap->Pixel(centre.x + 50, centre.y), kBlack);
  EXPECT_EQ(bitmap->Pixel(centre.x, centre.y - 50), kBlack);
  EXPECT_EQ(bitmap->Pixel(centre.x + 50, centre.y - 50), RGB(255, 255, 255));
}

TEST_F(ViewPaintTest, APaintThatFailsTellsTheUserOnceUntilOneSucceeds) {
  MessageBoxCapture boxes;
  View()->ReportPaintFailure();
  View()->ReportPaintFailure();
  EXPECT_EQ(boxes.boxes().size(), 1u);
  EXPECT_STREQ(boxes.boxes()[0].text, "内存不足");
  Paint();
  View()->ReportPaintFailure();
  EXPECT_EQ(boxes.boxes().size(), 2u);
}

TEST(PrintableSizeTest, FillsThePrintersWidthUnlessThePageIsTooTall) {
  const struct {
    int horzRes, vertRes, dpiX, dpiY;
    CSize page, printed;
  } rows[] = {
      {4800, 6600, 600, 600, CSize(800, 600), CSize(4800, 3598)},
      {4800, 6600, 600, 600, CSize(800, 2000), CSize(2638, 6600)},
      {4800, 6600, 600, 300, CSize(800, 600), CSize(4800, 1799)},
      {4800, 6600, 600, 600, CSize(1, 1), CSize(4800, 4800)},  // no division by zero
      {4800, 6600, 600, 600, CSize(1, 600), CSize(11, 6600)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.page.cx << " x " << row.page.cy);
    EXPECT_EQ(CDrawView::PrintableSize(row.horzRes, row.vertRes, row.dpiX, row.dpiY, row.page), row.printed);
  }
}

TEST_F(ViewPaintTest, ARunningPageShowsNothingBeyondItsEdges) {
  UsePage(200, 100);
  Doc()->m_backColour = kBlue;
  auto* square = new CDrawRect(CRect(80, 20, 140, -20));  // half off the page
  square->m_brush.lbColor = RGB(0, 200, 0);
  Doc()->Add(square);
  app->m_nMode = 1;
  Doc()->m_transitionPending = 0;
  auto bitmap = Paint();
  const CPoint on = Device(CPoint(90, 0)), off = Device(CPoint(120, 0));
  app->m_nMode = 2;
  EXPECT_EQ(bitmap->Pixel(on.x, on.y), RGB(0, 200, 0));
  EXPECT_EQ(bitmap->Pixel(off.x, off.y), kBlack);
  // While editing the whole object shows.
  EXPECT_EQ(Paint()->Pixel(Device(CPoint(120, 0)).x, Device(CPoint(120, 0)).y), RGB(0, 200, 0));
}

TEST_F(ViewPaintTest, TheFirstPaintOfARunPlaysTheTransitionOnce) {
  UsePage(200, 100);
  Doc()->m_backColour = kBlue;
  Doc()->m_curtainColour = RGB(0, 255, 0);
  Doc()->m_transitionKind = 0;  // one plain copy
  Doc()->m_transitionPending = 1;
  app->m_nMode = 1;
  ASSERT_TRUE(View()->m_bFillBeforeTransition);
  auto bitmap = Paint();
  const CPoint centre = Device(CPoint(0, 0));
  app->m_nMode = 2;
  EXPECT_EQ(bitmap->Pixel(centre.x, centre.y), kBlue);
  EXPECT_EQ(Doc()->m_transitionPending, 0);
  EXPECT_FALSE(View()->m_bFillBeforeTransition);
}
