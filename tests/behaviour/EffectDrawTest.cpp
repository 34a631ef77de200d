// Appearance effects drawn for real into DIB sections, frame by frame as the view's
// repaints would draw them. The page is mapped as the views map it (y up, origin at the
// centre) and carries a background whose every pixel is distinct; the object paints a
// pattern whose every pixel is distinct too, so each check says which part of the
// object, or of the background, shows where.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "behaviour/Method.h"
#include "framework/ui/DC.h"
#include "model/DrawCompObj.h"
#include "model/DrawRect.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/TestHost.h"

namespace {

// The page bitmap and its mapping: page (0, 0) at device (100, 70), y growing upwards.
constexpr int kPageWidth = 200, kPageHeight = 140;
constexpr int kOriginX = 100, kOriginY = 70;
// The object covers page (-50, -40) to (50, 40); its pen widens the effect area by 10
// on every side, to 120 x 100 with its device corner at (40, 20).
constexpr int kPen = 10;
constexpr int kObjectWidth = 100, kObjectHeight = 80;
constexpr int kW = 120, kH = 100;
constexpr int kBoxLeft = 40, kBoxTop = 20;

COLORREF BackgroundPixel(int px, int py) { return RGB(px, py, 0xC0); }
COLORREF ObjectPixel(int i, int j) { return RGB(i, j, 0x40); }

void MapYUp(HDC dc, int unitsPerPixel = 1) {
  ::SetMapMode(dc, MM_ANISOTROPIC);
  ::SetWindowExtEx(dc, 1, 1, nullptr);
  ::SetViewportExtEx(dc, unitsPerPixel, -unitsPerPixel, nullptr);
  ::SetViewportOrgEx(dc, kOriginX, kOriginY, nullptr);
}

// Runs f with the context in device units.
template <class F>
void InDeviceUnits(HDC dc, F f) {
  const int state = ::SaveDC(dc);
  ::SetMapMode(dc, MM_TEXT);
  ::SetWindowOrgEx(dc, 0, 0, nullptr);
  ::SetViewportOrgEx(dc, 0, 0, nullptr);
  f();
  ::RestoreDC(dc, state);
}

// The device box of the object's rectangle on whatever context it is drawn into.
RECT DeviceBox(HDC dc, const CRect& r) {
  POINT c[2] = {{r.left, r.top}, {r.right, r.bottom}};
  ::LPtoDP(dc, c, 2);
  return {std::min(c[0].x, c[1].x), std::min(c[0].y, c[1].y), std::max(c[0].x, c[1].x),
          std::max(c[0].y, c[1].y)};
}

// Paints ObjectPixel(i, j) at pixel (i, j) of its rectangle, counted from the corner that
// shows at the top left.
class CPatternObject : public CDrawObj {
 public:
  CPatternObject() : CDrawObj(CRect(-50, 40, 50, -40)) {
    m_pen.lopnWidth.x = kPen;
    m_rotationCentre = CDoublePoint(0, 0);
  }
  int DrawObject(CDC* dc, CView*) override {
    ++draws;
    if (!m_visible) return 0;
    HDC h = dc->GetSafeHdc();
    const RECT box = DeviceBox(h, m_position);
    const int w = box.right - box.left, height = box.bottom - box.top;
    std::vector<uint32_t> bits(static_cast<size_t>(w) * height);
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < w; ++i) bits[static_cast<size_t>(j) * w + i] = (i << 16) | (j << 8) | 0x40;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    InDeviceUnits(h, [&] {
      ::SetDIBitsToDevice(h, box.left, box.top, w, height, 0, 0, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    });
    return 1;
  }
  int draws = 0;
};

// Fills its rectangle red through GDI+, as the shapes draw.
class CSolidObject : public CDrawObj {
 public:
  explicit CSolidObject(const CRect& r) : CDrawObj(r) { m_pen.lopnWidth.x = 0; }
  int DrawObject(CDC* dc, CView*) override {
    if (!m_visible) return 0;
    Gdiplus::Graphics graphics(dc->GetSafeHdc());
    CRect r = m_position;
    r.NormalizeRect();
    Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
    graphics.FillRectangle(&red, r.left, r.top, r.Width(), r.Height());
    return 1;
  }
};

// Only counts its drawings and remembers the context of the last.
class CCountingObject : public CDrawObj {
 public:
  explicit CCountingObject(const CRect& r) : CDrawObj(r) { m_pen.lopnWidth.x = 0; }
  int DrawObject(CDC* dc, CView*) override {
    ++draws;
    lastContext = dc->GetSafeHdc();
    return 7;
  }
  int draws = 0;
  HDC lastContext = nullptr;
};

// The page as a repaint leaves it before the objects are drawn.
class Page {
 public:
  explicit Page(int unitsPerPixel = 1) : bitmap(kPageWidth, kPageHeight), dc(bitmap.dc()) {
    MapYUp(bitmap.dc(), unitsPerPixel);
    Repaint();
  }
  void Repaint() {
    static MemoryBitmap* background = [] {
      auto* b = new MemoryBitmap(kPageWidth, kPageHeight);
      for (int y = 0; y < kPageHeight; ++y)
        for (int x = 0; x < kPageWidth; ++x) b->SetPixel(x, y, BackgroundPixel(x, y));
      return b;
    }();
    InDeviceUnits(bitmap.dc(), [&] {
      ::BitBlt(bitmap.dc(), 0, 0, kPageWidth, kPageHeight, background->dc(), 0, 0, SRCCOPY);
    });
  }
  MemoryBitmap bitmap;
  CDC dc;
};

// What one page pixel should show, in coordinates of the effect area's box (x to the
// right, y down, (0, 0) at its top-left pixel).
struct Expect {
  enum Kind { keep, show, blend, any } kind = keep;
  int x = 0, y = 0;    // the pixel of the object image shown
  int tolerance = 0;   // how far from it the pixel shown may lie (stretches)
  int alpha = 0;       // blend: the object image's opacity over the page
};
Expect Keep() { return {}; }
Expect Any() { return {Expect::any}; }
Expect Show(int x, int y, int tolerance = 0) { return {Expect::show, x, y, tolerance}; }
Expect Blend(int alpha) { return {Expect::blend, 0, 0, 0, alpha}; }

using Picture = std::function<Expect(int x, int y)>;

bool InArea(int x, int y) { return x >= 0 && x < kW && y >= 0 && y < kH; }
Picture Where(std::function<bool(int, int)> shown) {
  return [shown](int x, int y) { return InArea(x, y) && shown(x, y) ? Show(x, y) : Keep(); };
}
const Picture kNothing = [](int, int) { return Keep(); };
// Shown (or kept) inside the shape whose measure is below 1, the other way outside, and
// either within about two pixels of its edge.
Picture Shape(std::function<double(double, double)> measure, double edge, bool shownInside) {
  return [=](int x, int y) {
    if (!InArea(x, y)) return Keep();
    const double m = measure(x + 0.5, y + 0.5);
    if (std::abs(m - 1) < edge) return Any();
    return (m < 1) == shownInside ? Show(x, y) : Keep();
  };
}
double Diamond(double x, double y, double a, double b) { return std::abs(x - 60) / a + std::abs(y - 50) / b; }
double Ellipse(double x, double y, double a, double b) {
  return std::hypot((x - 60) / a, (y - 50) / b);
}
// The whole area squeezed into (left, top, width, height) of the box.
Picture SqueezedInto(int left, int top, int width, int height) {
  return [=](int x, int y) {
    if (x < left || x >= left + width || y < top || y >= top + height) return Keep();
    return Show((2 * (x - left) + 1) * kW / (2 * width), (2 * (y - top) + 1) * kH / (2 * height), 2);
  };
}

// The object image's pixel at (x, y) of the box: the object, or around it the page's
// background from where the image was filled (the place itself, or for the move kind
// the place the pixel is shown at).
COLORREF ImagePixel(int x, int y, int shownX, int shownY, bool filledFromShown) {
  if (x >= kPen && x < kPen + kObjectWidth && y >= kPen && y < kPen + kObjectHeight)
    return ObjectPixel(x - kPen, y - kPen);
  if (filledFromShown) return BackgroundPixel(kBoxLeft + shownX, kBoxTop + shownY);
  return BackgroundPixel(kBoxLeft + x, kBoxTop + y);
}

std::string Describe(COLORREF c) {
  std::ostringstream s;
  s << (GetBValue(c) == 0x40 ? "object " : GetBValue(c) == 0xC0 ? "background " : "colour ") << int(GetRValue(c))
    << "," << int(GetGValue(c));
  if (GetBValue(c) != 0x40 && GetBValue(c) != 0xC0) s << "," << int(GetBValue(c));
  return s.str();
}

::testing::AssertionResult Matches(const MemoryBitmap& page, const Picture& picture, bool moveKind) {
  const std::vector<COLORREF> pixels = page.Snapshot();
  int wrong = 0;
  std::ostringstream first;
  for (int py = 0; py < kPageHeight; ++py) {
    for (int px = 0; px < kPageWidth; ++px) {
      const int x = px - kBoxLeft, y = py - kBoxTop;
      const COLORREF c = pixels[static_cast<size_t>(py) * kPageWidth + px];
      const Expect e = picture(x, y);
      COLORREF want = BackgroundPixel(px, py);
      bool ok = true;
      switch (e.kind) {
        case Expect::keep: ok = c == want; break;
        case Expect::any: break;
        case Expect::show:
          want = ImagePixel(e.x, e.y, x, y, moveKind);
          ok = false;
          for (int dy = -e.tolerance; dy <= e.tolerance && !ok; ++dy)
            for (int dx = -e.tolerance; dx <= e.tolerance && !ok; ++dx)
              ok = c == ImagePixel(e.x + dx, e.y + dy, x, y, moveKind);
          break;
        case Expect::blend: {
          const COLORREF s = ImagePixel(x, y, x, y, false);
          auto mix = [&](int sc, int dc) { return (sc * e.alpha + dc * (255 - e.alpha)) / 255; };
          want = RGB(mix(GetRValue(s), GetRValue(want)), mix(GetGValue(s), GetGValue(want)),
                     mix(GetBValue(s), GetBValue(want)));
          ok = std::abs(GetRValue(c) - GetRValue(want)) <= 2 && std::abs(GetGValue(c) - GetGValue(want)) <= 2 &&
               std::abs(GetBValue(c) - GetBValue(want)) <= 2;
          break;
        }
      }
      if (!ok && wrong++ == 0)
        first << "box (" << x << ", " << y << ") shows " << Describe(c) << ", expected " << Describe(want);
    }
  }
  if (wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " pixels wrong; first: " << first.str();
}

void StartEffect(CDrawObj& object, int kind, int direction, int step) {
  object.SetEffectParams(kind, direction, step, SRCCOPY, 1);
  object.m_flags |= kFlagEffectRunning;
  object.m_effectProgress = 0;
}

bool Running(const CDrawObj& object) { return (object.m_flags & kFlagEffectRunning) != 0; }

struct Row {
  int kind, direction, step;
  int watched;      // the frame (from 0) whose page is checked
  Picture picture;  // what that frame shows
  int endsAt;       // the frame on which the effect ends
  bool endShows = false;  // the ending frame still shows (the inward shapes)
};

// Steps as the rows give them: scans, moves and bars at 10 a frame (p = 30 on frame
// 3); blinds at 1 (p = 5 on frame 5); shapes at 20; stretches at 4 (p = 8, a band of
// 72, on frame 2); fades at 64 (p = 128 on frame 2). The area is 120 x 100: w2 = 60,
// h2 = 50, m = 100, R = 156.
const Row kRows[] = {
    // Scans: only the growing band of the area shows the object.
    {0, 0, 10, 3, Where([](int, int y) { return y < 30; }), 11},
    {0, 1, 10, 3, Where([](int, int y) { return y >= 70; }), 11},
    {0, 2, 10, 3, Where([](int x, int) { return x < 30; }), 13},
    {0, 3, 10, 3, Where([](int x, int) { return x >= 90; }), 13},
    {0, 4, 10, 3, Where([](int, int y) { return y < 30 || y >= 70; }), 6},
    {0, 5, 10, 3, Where([](int x, int) { return x < 30 || x >= 90; }), 7},
    // Moves: the far end of the object enters first, with the page's own background.
    {1, 0, 10, 3, [](int x, int y) { return InArea(x, y) && y < 30 ? Show(x, y + 70) : Keep(); }, 11},
    {1, 1, 10, 3, [](int x, int y) { return InArea(x, y) && y >= 70 ? Show(x, y - 70) : Keep(); }, 11},
    {1, 2, 10, 3, [](int x, int y) { return InArea(x, y) && x < 30 ? Show(x + 90, y) : Keep(); }, 13},
    {1, 3, 10, 3, [](int x, int y) { return InArea(x, y) && x >= 90 ? Show(x - 90, y) : Keep(); }, 13},
    {1, 4, 10, 3,
     [](int x, int y) {
       if (!InArea(x, y)) return Keep();
       // The two fills overlap on the middle row; its background comes from the second.
       if (y == 29 && (x < kPen || x >= kPen + kObjectWidth)) return Any();
       return y < 30 ? Show(x, y + 20) : y >= 70 ? Show(x, y - 20) : Keep();
     },
     6},
    {1, 5, 10, 3,
     [](int x, int y) {
       if (!InArea(x, y)) return Keep();
       return x < 30 ? Show(x + 30, y) : x >= 90 ? Show(x - 30, y) : Keep();
     },
     7},
    {1, 6, 10, 3,
     [](int x, int y) {
       if (!InArea(x, y)) return Keep();
       if (x < 60) return y >= 70 ? Show(x, y - 70) : Keep();
       return y < 30 ? Show(x, y + 70) : Keep();
     },
     11},
    {1, 7, 10, 3,
     [](int x, int y) {
       if (!InArea(x, y)) return Keep();
       if (y >= 50) return x < 30 ? Show(x + 90, y) : Keep();
       return x >= 90 ? Show(x - 90, y) : Keep();
     },
     13},
    // Blinds: strips of p every 8, starting p into the area, counted from the page's
    // left and bottom; the first never shows.
    {2, 0, 1, 5, Where([](int x, int) { return x >= 5 && (x - 5) % 8 < 5; }), 9},
    {2, 1, 1, 5, Where([](int, int y) { return 99 - y >= 5 && (99 - y - 5) % 8 < 5; }), 9},
    // Bars: the first of each pair slides from one edge, the second from the other.
    {3, 0, 10, 3,
     [](int x, int y) {
       if (!InArea(x, y)) return Keep();
       if (x % 16 < 8) return y >= 70 ? Show(x, y - 70) : Keep();
       return y < 30 ? Show(x, y + 70) : Keep();
     },
     11},
    {3, 1, 10, 3,
     [](int x, int y) {
       if (!InArea(x, y)) return Keep();
       if ((99 - y) % 16 < 8) return x < 30 ? Show(x + 90, y) : Keep();
       return x >= 90 ? Show(x - 90, y) : Keep();
     },
     13},
    // Shapes about the centre (60, 50): out at p = 40 on frame 2; in from the limit.
    {4, 0, 20, 2, Shape([](double x, double y) { return Diamond(x, y, 48, 40); }, 0.05, true), 6},
    {4, 1, 20, 2, Shape([](double x, double y) { return Diamond(x, y, 73, 61); }, 0.04, false), 5, true},
    {4, 2, 20, 2, Shape([](double x, double y) { return Ellipse(x, y, 40, 40); }, 0.05, true), 4},
    {4, 3, 20, 2, Shape([](double x, double y) { return Ellipse(x, y, 38, 38); }, 0.05, false), 3, true},
    {4, 4, 20, 2, Shape([](double x, double y) { return Ellipse(x, y, 48, 40); }, 0.05, true), 4},
    {4, 5, 20, 2, Shape([](double x, double y) { return Ellipse(x, y, 45, 38); }, 0.05, false), 3, true},
    {4, 6, 20, 2, Where([](int x, int y) { return std::abs(y + 0.5 - 50) < 40 || std::abs(x + 0.5 - 60) < 40; }), 3},
    {4, 7, 20, 1, Where([](int x, int y) { return std::abs(y + 0.5 - 50) > 30 && std::abs(x + 0.5 - 60) > 30; }), 2,
     true},
    // Stretches: the whole area squeezed into a band of 8p + 8.
    {5, 0, 4, 2, SqueezedInto(0, 0, kW, 72), 7},
    {5, 0, 4, 4, SqueezedInto(0, 0, kW, 136), 7},  // the band outgrows the area, unclipped
    {5, 1, 4, 2, SqueezedInto(0, 28, kW, 72), 7},
    {5, 2, 4, 2, SqueezedInto(0, 0, 72, kH), 8},
    {5, 3, 4, 2, SqueezedInto(48, 0, 72, kH), 8},
    {5, 4, 4, 2, SqueezedInto(0, 14, kW, 72), 7},
    {5, 5, 4, 2, SqueezedInto(24, 0, 72, kH), 8},
    {5, 6, 4, 2, SqueezedInto(24, 20, 72, 60), 8},
    // Fades: the object image over the page at opacity p, or 255 - p.
    {6, 0, 64, 2, [](int x, int y) { return InArea(x, y) ? Blend(128) : Keep(); }, 4},
    {6, 1, 64, 2, [](int x, int y) { return InArea(x, y) ? Blend(127) : Keep(); }, 4},
};

}  // namespace

TEST(EffectDraw, EachKindAndDirectionShowsItsPartUntilItEnds) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(::testing::Message() << "kind " << row.kind << " direction " << row.direction << " frame "
                                      << row.watched);
    TestHost host;
    Page page;
    CPatternObject object;
    StartEffect(object, row.kind, row.direction, row.step);
    for (int frame = 0; frame <= row.endsAt; ++frame) {
      page.Repaint();
      host.invalidated.clear();
      object.Draw(&page.dc, nullptr);
      if (frame == row.watched) {
        EXPECT_TRUE(Matches(page.bitmap, row.picture, row.kind == 1));
      }
      if (frame < row.endsAt) {
        ASSERT_TRUE(Running(object)) << "ended early, on frame " << frame;
        continue;
      }
      EXPECT_FALSE(Running(object)) << "still running after frame " << frame;
      EXPECT_EQ(std::vector<CDrawObj*>{&object}, host.invalidated);  // the plain object follows
      if (!row.endShows) {
        EXPECT_TRUE(Matches(page.bitmap, kNothing, false));
      }
    }
    EXPECT_EQ(row.endsAt + 1, object.draws);
  }
}

TEST(EffectDraw, ObjectsDrawnThroughGdiplusScanAtAnyZoom) {
  // A 80 x 50 object scanned downwards by 10 units a frame: on frame 3 its top 30 units
  // show, whatever the number of pixels a unit takes.
  for (int zoom : {1, 2}) {
    SCOPED_TRACE(zoom);
    Page page(zoom);
    CSolidObject object(CRect(-40, 25, 40, -25));
    StartEffect(object, 0, 0, 10);
    for (int frame = 0; frame <= 3; ++frame) {
      page.Repaint();
      object.Draw(&page.dc, nullptr);
    }
    const RECT band = {kOriginX - 40 * zoom, kOriginY - 25 * zoom, kOriginX + 40 * zoom, kOriginY - (25 - 30) * zoom};
    const std::vector<COLORREF> pixels = page.bitmap.Snapshot();
    int wrong = 0;
    for (int y = 0; y < kPageHeight; ++y)
      for (int x = 0; x < kPageWidth; ++x) {
        const bool inBand = x >= band.left && x < band.right && y >= band.top && y < band.bottom;
        const COLORREF want = inBand ? RGB(255, 0, 0) : BackgroundPixel(x, y);
        if (pixels[static_cast<size_t>(y) * kPageWidth + x] != want && wrong++ == 0)
          ADD_FAILURE() << "first wrong pixel at (" << x << ", " << y << ")";
      }
    EXPECT_EQ(0, wrong);
  }
}

TEST(EffectDraw, FadeInShowsAnInvisibleObjectAndFadeOutHidesIt) {
  TestHost host;
  Page page;
  CPatternObject object;
  object.m_visible = 0;
  StartEffect(object, 6, 0, 64);
  object.Draw(&page.dc, nullptr);  // opacity 0: nothing shows yet
  EXPECT_EQ(1, object.m_visible);
  EXPECT_TRUE(Matches(page.bitmap, kNothing, false));
  page.Repaint();
  object.Draw(&page.dc, nullptr);
  EXPECT_TRUE(Matches(page.bitmap, [](int x, int y) { return InArea(x, y) ? Blend(64) : Keep(); }, false));

  StartEffect(object, 6, 1, 100);
  for (int frame = 0; frame < 3; ++frame) object.Draw(&page.dc, nullptr);  // 255, 155, 55
  EXPECT_EQ(0, object.m_visible);
  EXPECT_EQ(255, object.m_effectProgress);
  EXPECT_TRUE(Running(object));
  object.Draw(&page.dc, nullptr);
  EXPECT_FALSE(Running(object));
  EXPECT_EQ(0, object.m_visible);
}

TEST(EffectDraw, BlindsWhoseStepJumpsOverNineEndOnlyAtTheActionsEnd) {
  TestHost host;
  Page page;
  CPatternObject object;
  CMethod action;
  action.m_nType = CMethod::typeEffect;
  action.m_nActivation = 0;
  action.m_nDuration = 30;
  action.m_nSpeed = 1;
  action.m_nEffect = 2;
  action.m_nDirection = 0;
  action.m_nStep = 2;
  object.m_actions.Add(action);
  object.m_actionMask = CMethod::typeEffect;
  for (int t = 0; t < 30; ++t) {
    object.StepEffect(t, nullptr);
    object.Draw(&page.dc, nullptr);
    ASSERT_TRUE(Running(object)) << t;
  }
  EXPECT_EQ(60, object.m_effectProgress);
  object.StepEffect(30, nullptr);
  EXPECT_FALSE(Running(object));
  EXPECT_EQ(0, object.m_effectProgress);
}

TEST(EffectDraw, AnEmptyAreaDrawsNothingAndTheEffectRunsOn) {
  TestHost host;
  Page page;
  for (const CRect& r : {CRect(5, 10, 5, -10), CRect(-5, 3, 5, 3)}) {
    CCountingObject object(r);
    StartEffect(object, 0, 0, 10);
    object.m_effectProgress = 20;
    EXPECT_EQ(0, object.Draw(&page.dc, nullptr));
    EXPECT_EQ(0, object.draws);
    EXPECT_TRUE(Running(object));
    EXPECT_EQ(20, object.m_effectProgress);
  }
  EXPECT_TRUE(Matches(page.bitmap, kNothing, false));
}

TEST(EffectDraw, AStepBelowOneOrAnAreaTooLargeDrawsTheObjectPlainlyAndEndsTheEffect) {
  TestHost host;
  Page page;
  struct Case {
    const char* what;
    CRect rect;
    int kind, step;
  };
  const Case cases[] = {
      {"step 0, stretch", CRect(-50, 40, 50, -40), 5, 0},
      {"step 0, blinds", CRect(-50, 40, 50, -40), 2, 0},
      {"negative step", CRect(-50, 40, 50, -40), 4, -3},
      {"area of millions of pixels", CRect(-3000000, 2000000, 3000000, -2000000), 0, 10},
      {"area as wide as coordinates go", CRect(INT_MIN, INT_MAX, INT_MAX, INT_MIN), 6, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CCountingObject object(c.rect);
    StartEffect(object, c.kind, 0, c.step);
    EXPECT_EQ(7, object.Draw(&page.dc, nullptr));
    EXPECT_EQ(1, object.draws);
    EXPECT_EQ(page.bitmap.dc(), object.lastContext);  // on the page itself
    EXPECT_FALSE(Running(object));
  }
}

TEST(EffectDraw, AKindOrDirectionNotListedShowsNothingAndKeepsTheProgress) {
  TestHost host;
  Page page;
  const int cases[][2] = {{7, 0}, {-1, 0}, {0, 6}, {1, 8}, {2, 2}, {3, -1}, {4, 8}, {5, 7}, {6, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << c[0] << " direction " << c[1]);
    CPatternObject object;
    StartEffect(object, c[0], c[1], 10);
    object.m_effectProgress = 30;
    object.Draw(&page.dc, nullptr);
    EXPECT_TRUE(Running(object));
    EXPECT_EQ(30, object.m_effectProgress);
    EXPECT_TRUE(Matches(page.bitmap, kNothing, false));
  }
}

TEST(EffectDraw, LeavesThePageContextAsItFoundIt) {
  TestHost host;
  Page page;
  CPatternObject object;
  StartEffect(object, 4, 0, 10);
  POINT origin;
  SIZE extent;
  object.Draw(&page.dc, nullptr);
  EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(page.bitmap.dc()));
  ::GetViewportOrgEx(page.bitmap.dc(), &origin);
  ::GetViewportExtEx(page.bitmap.dc(), &extent);
  EXPECT_EQ(kOriginX, origin.x);
  EXPECT_EQ(kOriginY, origin.y);
  EXPECT_EQ(-1, extent.cy);
  HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(0, ::GetClipRgn(page.bitmap.dc(), clip));  // none left behind
  ::DeleteObject(clip);
}

TEST(EffectDraw, NoContextDrawsNothing) {
  TestHost host;
  CCountingObject object(CRect(-50, 40, 50, -40));
  StartEffect(object, 0, 0, 10);
  CDC none;
  EXPECT_EQ(0, object.Draw(&none, nullptr));
  EXPECT_EQ(0, object.draws);
  EXPECT_TRUE(Running(object));
}

TEST(EffectDraw, RealRectanglesScanAndFade) {
  TestHost host;
  // A red rectangle without outline over page (-50, -40) to (50, 40); its pen of 1
  // widens the effect area to 102 x 82.
  auto rectangle = [](double angle) {
    auto o = std::make_unique<CDrawRect>(CRect(-50, 40, 50, -40));
    o->m_brush.lbColor = RGB(255, 0, 0);
    o->m_outlined = 0;
    o->m_angle = angle;
    o->m_rotationCentre = CDoublePoint(0, 0);
    o->m_baseRect = o->GetDrawBounds();
    return o;
  };
  auto at = [](Page& page, int x, int y) { return page.bitmap.Pixel(kOriginX + x, kOriginY - y); };
  auto background = [](int x, int y) { return BackgroundPixel(kOriginX + x, kOriginY - y); };

  {
    SCOPED_TRACE("scan down, 30 units shown");
    Page page;
    auto o = rectangle(0.0);
    StartEffect(*o, 0, 0, 10);
    for (int frame = 0; frame <= 3; ++frame) {
      page.Repaint();
      o->Draw(&page.dc, nullptr);
    }
    EXPECT_EQ(RGB(255, 0, 0), at(page, 0, 35));
    EXPECT_EQ(RGB(255, 0, 0), at(page, -45, 12));
    EXPECT_EQ(background(0, 9), at(page, 0, 9));
    EXPECT_EQ(background(-45, -35), at(page, -45, -35));
    EXPECT_EQ(background(60, 35), at(page, 60, 35));
  }
  {
    SCOPED_TRACE("a composite of two halves scanned down, 30 units shown");
    Page page;
    CDrawCompObj group;
    auto left = std::make_unique<CDrawRect>(CRect(-50, 40, 0, -40)), right = std::make_unique<CDrawRect>(CRect(0, 40, 50, -40));
    for (CDrawRect* half : {left.get(), right.get()}) {
      half->m_brush.lbColor = RGB(255, 0, 0);
      half->m_outlined = 0;
    }
    CObList halves;
    halves.AddTail(left.release());
    halves.AddTail(right.release());
    group.Group(nullptr, halves);
    StartEffect(group, 0, 0, 10);
    for (int frame = 0; frame <= 3; ++frame) {
      page.Repaint();
      group.Draw(&page.dc, nullptr);
    }
    EXPECT_EQ(RGB(255, 0, 0), at(page, -25, 35));
    EXPECT_EQ(RGB(255, 0, 0), at(page, 25, 12));
    EXPECT_EQ(background(25, 9), at(page, 25, 9));
    EXPECT_EQ(background(-25, -35), at(page, -25, -35));
  }
  {
    SCOPED_TRACE("fade in of a turned rectangle, half way");
    Page page;
    auto o = rectangle(3.14159265358979323846 / 4);
    StartEffect(*o, 6, 0, 64);
    for (int frame = 0; frame <= 2; ++frame) {
      page.Repaint();
      o->Draw(&page.dc, nullptr);
    }
    const COLORREF behind = background(0, 0);
    const COLORREF c = at(page, 0, 0);
    EXPECT_NEAR((255 * 128 + GetRValue(behind) * 127) / 255, GetRValue(c), 2);
    EXPECT_NEAR(GetGValue(behind) * 127 / 255, GetGValue(c), 2);
    EXPECT_NEAR(GetBValue(behind) * 127 / 255, GetBValue(c), 2);
    // A corner of the unturned rectangle lies outside the turned one.
    EXPECT_EQ(background(47, 37), at(page, 47, 37));
  }
}
