// The default geometry of objects: handles, drags, scaling, squaring, mapping into a
// group's new rectangle, hit tests, intersection, the tracker, selection.
#include <gtest/gtest.h>

#include "framework/ui/DC.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

CView* const kView = reinterpret_cast<CView*>(1);  // the base only tests it for null

TEST(DrawObjGeometry, HandlesAndCursorsOfNormalAndMirroredRectangles) {
  CDrawObj normal(CRect(0, 100, 200, 0));  // y-up: top above bottom
  const struct { int handle; CPoint at; LPCTSTR cursor; } rows[] = {
      {1, {0, 100}, IDC_SIZENWSE}, {2, {100, 100}, IDC_SIZENS}, {3, {200, 100}, IDC_SIZENESW},
      {4, {200, 50}, IDC_SIZEWE},  {5, {200, 0}, IDC_SIZENWSE},   {6, {100, 0}, IDC_SIZENS},
      {7, {0, 0}, IDC_SIZENESW},   {8, {0, 50}, IDC_SIZEWE},     {9, {100, 50}, IDC_SIZEALL},
      {0, {0, 100}, IDC_SIZENWSE}, {12, {0, 100}, IDC_SIZENWSE},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.handle);
    EXPECT_EQ(r.at, normal.GetHandle(r.handle));
    EXPECT_EQ(::LoadCursor(nullptr, r.cursor), normal.GetHandleCursor(r.handle));
  }
  EXPECT_EQ(6, normal.TopEdgeHandle());
  EXPECT_EQ(2, normal.BottomEdgeHandle());
  CDrawObj mirrored(CRect(200, 0, 0, 100));
  EXPECT_EQ(CPoint(200, 0), mirrored.GetHandle(1));
  EXPECT_EQ(8, mirrored.RightEdgeHandle());
  EXPECT_EQ(4, mirrored.LeftEdgeHandle());
  CDrawObj odd(CRect(0, 0, 5, -5));  // midpoints round half away from zero
  EXPECT_EQ(CPoint(3, -3), odd.GetHandle(9));
}

TEST(DrawObjGeometry, MoveHandleToEachHandleAndPastTheOppositeEdge) {
  TestHost host;
  const struct { int handle; int x, y; CRect want; } rows[] = {
      {1, -5, 110, CRect(-5, 110, 100, 0)}, {2, 7, 120, CRect(0, 120, 100, 0)},
      {3, 90, 80, CRect(0, 80, 90, 0)},     {4, 130, 7, CRect(0, 100, 130, 0)},
      {5, 150, -10, CRect(0, 100, 150, -10)}, {6, 7, 20, CRect(0, 100, 100, 20)},
      {7, 10, 10, CRect(10, 100, 100, 10)}, {8, 30, 7, CRect(30, 100, 100, 0)},
      {9, 60, 60, CRect(10, 110, 110, 10)}, {5, -50, 150, CRect(0, 100, -50, 150)},  // mirrored
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.handle);
    CDrawObj o(CRect(0, 100, 100, 0));
    o.MoveHandleTo(r.handle, r.x, r.y, kView);
    EXPECT_EQ(r.want, o.m_position);
    EXPECT_EQ(r.want, o.m_baseRect);
  }
}

TEST(DrawObjGeometry, SetRectInvalidatesAndMarksModifiedByMode) {
  const struct { const char* what; int mode; CView* view; int modified; } rows[] = {
      {"editing with a view", kModeEditing, kView, 1},
      {"running", kModeRunning, kView, 0},
      {"editing without a view", kModeEditing, nullptr, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    TestHost host;
    host.mode = r.mode;
    CDrawObj o(CRect(0, 10, 10, 0));
    o.SetRect(CRect(0, 10, 10, 0), r.view);  // unchanged: nothing at all
    EXPECT_TRUE(host.invalidated.empty());
    o.SetRect(CRect(0, 20, 10, 0), r.view);
    EXPECT_EQ(2u, host.invalidated.size());
    EXPECT_EQ(r.modified, host.modifiedCount);
    o.SetAngle(1.0, FALSE, r.view);
    EXPECT_EQ(4u, host.invalidated.size());
    EXPECT_EQ(r.modified * 2, host.modifiedCount);
  }
}

TEST(DrawObjGeometry, ScaleAboutKeepsTheFloorAndTruncates) {
  TestHost host;
  CDrawObj small(CRect(0, 20, 20, 0));
  small.ScaleAbout(0.5, 0, 0, nullptr);
  EXPECT_EQ(CRect(0, 20, 20, 0), small.m_position);
  small.ScaleAbout(2.0, 0, 0, nullptr);
  EXPECT_EQ(CRect(0, 40, 40, 0), small.m_position);
  CDrawObj o(CRect(10, 31, 31, 10));
  o.ScaleAbout(0.5, 1.0, 1.0, nullptr);  // 10*0.5+0.5 = 5.5 -> 5; 31*0.5+0.5 = 16
  EXPECT_EQ(CRect(5, 16, 16, 5), o.m_position);
}

TEST(DrawObjGeometry, MakeSquareLengthensTheShorterSideKeepingOrientation) {
  TestHost host;
  const struct { const char* what; CRect in, want; } rows[] = {
      {"y-up, wide", CRect(0, 10, 30, 0), CRect(0, 30, 30, 0)},
      {"y-up, tall", CRect(0, 30, 10, 0), CRect(0, 30, 30, 0)},
      {"y-down, wide", CRect(0, 0, 30, 10), CRect(0, 0, 30, 30)},
      {"mirrored, tall", CRect(10, 30, 0, 0), CRect(30, 30, 0, 0)},
      {"square", CRect(0, 5, 5, 0), CRect(0, 5, 5, 0)},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    CDrawObj o(r.in);
    o.MakeSquare(nullptr);
    EXPECT_EQ(r.want, o.m_position);
  }
}

TEST(DrawObjGeometry, MapRectStretchesMirrorsAndMovesMembers) {
  TestHost host;
  const struct { const char* what; CRect member, from, to, want; } rows[] = {
      {"stretch", CRect(80, 10, 90, 0), CRect(0, 10, 100, 0), CRect(0, 10, 200, 0), CRect(160, 10, 180, 0)},
      {"edge dragged across", CRect(80, 10, 90, 0), CRect(0, 10, 100, 0), CRect(0, 10, -100, 0),
       CRect(-80, 10, -90, 0)},
      {"moved far, not mirrored", CRect(80, 10, 90, 0), CRect(0, 10, 100, 0), CRect(500, 10, 600, 0),
       CRect(580, 10, 590, 0)},
      {"vertical flip", CRect(0, 30, 10, 20), CRect(0, 100, 10, 0), CRect(0, -100, 10, 0), CRect(0, -30, 10, -20)},
      {"zero-width group", CRect(5, 10, 5, 0), CRect(5, 10, 5, 0), CRect(7, 20, 7, 0), CRect(7, 20, 7, 0)},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    CDrawObj o(r.member);
    o.ResetTransform();
    CRect out;
    o.MapRect(r.from, r.to, out);
    EXPECT_EQ(r.want, out);
    EXPECT_EQ(r.want, o.m_position);
  }
}

TEST(DrawObjGeometry, HitTestEdgesAndHandles) {
  TestHost host;
  const struct { const char* what; CRect rect; CPoint p; int hit; } rows[] = {
      {"left edge", CRect(0, 10, 10, 0), {0, 5}, 1},     {"top edge", CRect(0, 10, 10, 0), {5, 10}, 1},
      {"right edge", CRect(0, 10, 10, 0), {10, 5}, 0},   {"bottom edge", CRect(0, 10, 10, 0), {5, 0}, 0},
      {"mirrored", CRect(10, 0, 0, 10), {5, 5}, 1},      {"outside", CRect(0, 10, 10, 0), {20, 5}, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    CDrawObj o(r.rect);
    EXPECT_EQ(r.hit, o.HitTest(r.p, kView, FALSE));
  }
  CDrawObj o(CRect(0, 100, 100, 0));
  EXPECT_EQ(3, o.HitTest(CPoint(101, 99), kView, TRUE));
  EXPECT_EQ(9, o.HitTest(CPoint(50, 50), kView, TRUE));
  EXPECT_EQ(0, o.HitTest(CPoint(30, 30), kView, TRUE));
  host.zoom = 2;  // handles are 6 device pixels whatever the zoom
  EXPECT_EQ(0, o.HitTest(CPoint(103, 100), kView, TRUE));
  host.zoom = 1;
  CDrawObj tiny(CRect(0, 2, 2, 0));  // overlapping handles: the first in order wins
  EXPECT_EQ(1, tiny.HitTest(CPoint(1, 1), kView, TRUE));
}

TEST(DrawObjGeometry, IntersectsWidensDegenerateRectangles) {
  CDrawObj line(CRect(5, 0, 5, 10));  // zero width
  EXPECT_TRUE(line.Intersects(CRect(0, 0, 6, 5)));
  EXPECT_TRUE(line.Intersects(CRect(6, 5, 6, 5)));  // a point on the widened border
  EXPECT_FALSE(line.Intersects(CRect(7, 0, 9, 5)));
  CDrawObj box(CRect(0, 10, 10, 0));
  EXPECT_TRUE(box.Intersects(CRect(10, 5, 10, 5)));
}

TEST(DrawObjGeometry, TrackerInvertsHandleSquaresAndMarksTheActiveHandle) {
  MemoryBitmap bitmap(60, 60);
  CDC dc(bitmap.dc());
  CDrawObj o(CRect(10, 10, 50, 50));
  o.DrawTracker(&dc, 0);  // state 0 draws nothing
  EXPECT_EQ(0xFFFFFFu, bitmap.Pixel(10, 10));
  o.DrawTracker(&dc, 1);
  EXPECT_EQ(0u, bitmap.Pixel(13, 13));        // inside the inverted 7 x 7 square
  EXPECT_EQ(0xFFFFFFu, bitmap.Pixel(14, 14));  // just outside it
  EXPECT_EQ(0u, bitmap.Pixel(30, 30));        // the centre handle
  o.m_showActiveHandle = 1;
  o.m_activeHandle = 5;
  o.DrawTracker(&dc, 2);
  EXPECT_EQ(0xFF0000u, bitmap.Pixel(50, 50));

  CDrawObj point(CRect(30, 30, 30, 30));
  bitmap.Fill(RGB(255, 255, 255));
  point.DrawTracker(&dc, 1);
  EXPECT_EQ(0xFFFFFFu, bitmap.Pixel(30, 30));
}

TEST(DrawObjGeometry, ButtonFramesSwapTheirShadowAndHighlight) {
  MemoryBitmap bitmap(40, 40);
  CDC dc(bitmap.dc());
  CDrawObj o(CRect(10, 30, 30, 10));
  const COLORREF shadow = ::GetNearestColor(bitmap.dc(), ::GetSysColor(COLOR_BTNSHADOW));
  const COLORREF light = ::GetNearestColor(bitmap.dc(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  o.DrawSunkenFrame(&dc);
  EXPECT_EQ(shadow, bitmap.Pixel(20, 9));   // top bar
  EXPECT_EQ(light, bitmap.Pixel(10, 20));   // left bar
  EXPECT_EQ(shadow, bitmap.Pixel(29, 20));  // right bar
  EXPECT_EQ(light, bitmap.Pixel(20, 29));   // bottom bar
  o.DrawRaisedFrame(&dc);
  EXPECT_EQ(light, bitmap.Pixel(20, 9));
  EXPECT_EQ(shadow, bitmap.Pixel(10, 20));
}

TEST(DrawObjGeometry, SelectionNotifiesThePanelOnlyWhileEditing) {
  TestHost host;
  CDrawObj a(CRect(0, 10, 10, 0)), b(CRect(0, 10, 10, 0));
  a.m_closed = 1;
  a.m_filled = 0;
  a.m_selectedAction = 3;
  host.SelectObject(&a, FALSE);
  EXPECT_EQ(-1, a.m_selectedAction);
  ASSERT_EQ(1u, host.panelNotices.size());
  EXPECT_EQ(2u, host.panelNotices[0].what);
  EXPECT_TRUE(host.closedCheck);
  EXPECT_FALSE(host.filledCheck);
  a.m_showActiveHandle = 1;
  host.mode = kModeRunning;
  host.SelectObject(&b, FALSE);  // a is deselected first
  EXPECT_EQ(0, a.m_showActiveHandle);
  EXPECT_EQ(1u, host.panelNotices.size());
  EXPECT_EQ(3, b.SetButtonState(7) + 2);  // enable mask 1
  EXPECT_EQ(1, b.GetButtonState());
}

TEST(DrawObjGeometry, DrawnBoundsGrowWithThePenAndMoreInTheBrowserControl) {
  const struct {
    const char* what;
    CDrawDoc::Reader reader;
    int pen;
    CRect position, expected;
  } rows[] = {
      // The editor and the player: normalised, widened by the pen.
      {"editor, pen 5", CDrawDoc::Reader::editor, 5, {0, 100, 200, 0}, {-5, -5, 205, 105}},
      {"player, pen 5", CDrawDoc::Reader::player, 5, {0, 100, 200, 0}, {-5, -5, 205, 105}},
      // The control: orientation kept, every side out by at least 4, the side with the
      // smaller coordinate by the margin of the next width.
      {"control, pen 0", CDrawDoc::Reader::control, 0, {0, 0, 200, 100}, {-4, -4, 204, 104}},
      {"control, pen 1", CDrawDoc::Reader::control, 1, {0, 0, 200, 100}, {-4, -4, 204, 104}},
      {"control, pen 5", CDrawDoc::Reader::control, 5, {0, 0, 200, 100}, {-5, -5, 204, 104}},
      {"control, pen 10", CDrawDoc::Reader::control, 10, {0, 0, 200, 100}, {-8, -8, 208, 108}},
      {"control, pen 5, y up", CDrawDoc::Reader::control, 5, {0, 100, 200, 0}, {-5, 104, 204, -5}},
      {"control, pen 5, mirrored", CDrawDoc::Reader::control, 5, {200, 100, 0, 0}, {204, 104, -5, -5}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TestHost host;
    CDrawDoc page(row.reader);
    host.document = &page;
    CDrawObj o(row.position);
    o.m_pen.lopnWidth = {row.pen, row.pen};
    EXPECT_EQ(row.expected, o.GetDrawBounds());
  }
}

}  // namespace
