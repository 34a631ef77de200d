// Page transitions drawn for real into DIB sections: a page whose every pixel is
// distinct (red from x, green from y) goes onto a blue window, frame by frame, with no
// pauses waited. Each kind and direction is checked after a chosen frame and after its
// last, pixel by pixel: which page pixel shows where, what keeps the window's colour, and
// that nothing outside the page is touched.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <vector>

#include "behaviour/RenderPageTransition.h"
#include "tests/support/MemoryBitmap.h"

namespace {

constexpr COLORREF kWindow = RGB(0, 0, 0xFF);
constexpr int kLeft = 5;  // the page's place in the window, which is larger by kMargin
constexpr int kTop = 3;
constexpr int kMargin = 7;

COLORREF PagePixel(int x, int y) { return RGB(x, y, 0x40); }

// What one window pixel over the page should show.
struct Expect {
  enum Kind { keep, show, revealed, any } kind;
  int x = 0, y = 0;  // the page pixel shown
  int tolerance = 0;
};
Expect Keep() { return {Expect::keep}; }
Expect Show(int x, int y, int tolerance = 0) { return {Expect::show, x, y, tolerance}; }
Expect Any() { return {Expect::any}; }

using Picture = std::function<Expect(int x, int y)>;

const Picture kWholePage = [](int x, int y) { return Show(x, y); };
const Picture kNothing = [](int, int) { return Keep(); };
Picture ShownWhere(std::function<bool(int, int)> shown) {
  return [shown](int x, int y) { return shown(x, y) ? Show(x, y) : Keep(); };
}
// Shown inside a shape, kept outside it, either way within a pixel or two of its edge:
// measure is below 1 inside.
Picture ShapeEdge(std::function<double(double, double)> measure, bool shownInside, double band = 0.2) {
  return [=](int x, int y) {
    const double m = measure(x + 0.5, y + 0.5);
    if (m > 1 - band && m < 1 + band) return Any();
    return (m < 1) == shownInside ? Show(x, y) : Keep();
  };
}
// The whole page stretched into (left, top, width, height) of the page.
Picture StretchedInto(int left, int top, int width, int height, int pageWidth, int pageHeight) {
  return [=](int x, int y) {
    if (x < left || x >= left + width || y < top || y >= top + height) return Keep();
    return Show((2 * (x - left) + 1) * pageWidth / (2 * width),
                (2 * (y - top) + 1) * pageHeight / (2 * height), 2);
  };
}

::testing::AssertionResult Matches(const std::vector<COLORREF>& image, int windowWidth,
                                   int width, int height, const Picture& picture) {
  int wrong = 0;
  std::ostringstream first;
  for (size_t i = 0; i < image.size(); ++i) {
    const int wx = static_cast<int>(i) % windowWidth;
    const int wy = static_cast<int>(i) / windowWidth;
    const int x = wx - kLeft;
    const int y = wy - kTop;
    const bool onPage = x >= 0 && x < width && y >= 0 && y < height;
    const Expect e = onPage ? picture(x, y) : Keep();
    const COLORREF c = image[i];
    bool ok = true;
    switch (e.kind) {
      case Expect::keep: ok = c == kWindow; break;
      case Expect::show:
        ok = GetBValue(c) == 0x40 && std::abs(GetRValue(c) - e.x) <= e.tolerance &&
             std::abs(GetGValue(c) - e.y) <= e.tolerance;
        break;
      case Expect::revealed: ok = GetBValue(c) == 0x40; break;
      case Expect::any: break;
    }
    if (!ok && wrong++ == 0) {
      first << "page (" << x << ", " << y << ") shows ";
      if (c == kWindow)
        first << "the window";
      else
        first << "page (" << int(GetRValue(c)) << ", " << int(GetGValue(c)) << ")";
      if (e.kind == Expect::keep) first << ", expected the window";
      if (e.kind == Expect::show) first << ", expected page (" << e.x << ", " << e.y << ")";
    }
  }
  if (wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " pixels wrong; first: " << first.str();
}

// One page and its window, and what a transition did to the window.
struct Stage {
  Stage(int w, int h) : width(w), height(h), page(w, h), window(w + kLeft + kMargin, h + kTop + kMargin) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) page.SetPixel(x, y, PagePixel(x, y));
    window.Fill(kWindow);
  }
  RECT Rect() const { return {kLeft, kTop, kLeft + width, kTop + height}; }

  // Plays the transition with the delay given, recording the pauses instead of taking
  // them and the window after the frame asked for.
  void Play(int kind, int direction, int delay, int watchedFrame = -1, int random = 0) {
    TransitionHooks hooks;
    hooks.afterFrame = [&](int frame) {
      EXPECT_EQ(frames, frame);
      ++frames;
      if (frame == watchedFrame) watched = window.Snapshot();
    };
    hooks.pause = [&](int milliseconds) { pauses.push_back({frames, milliseconds}); };
    hooks.random = [random] { return random; };
    RenderPageTransition(window.dc(), page.dc(), Rect(), kind, direction, delay, hooks);
  }

  int width, height;
  MemoryBitmap page, window;
  int frames = 0;
  struct Pause { int afterFrames, milliseconds; };
  std::vector<Pause> pauses;
  std::vector<COLORREF> watched;
};

struct Case {
  int kind, direction;
  int frames;
  int watchedFrame;  // -1: only the last frame is checked
  Picture watched;
  Picture last;
  int width = 50, height = 40;
  int random = 0;  // what the mosaic's random numbers are
};

// The page is 50 x 40 unless a row says otherwise; with delay 0 slides and bars step
// 15 pixels (7 for the halved directions). Centres: (25, 20) on 50 x 40, (50, 20) on
// 100 x 40, (50, 40) on 100 x 80.
const Case kCases[] = {
    {0, 0, 1, -1, nullptr, kWholePage},
    // Scans: one line a frame, the band grows from the edge named.
    {1, 0, 40, 9, ShownWhere([](int, int y) { return y < 10; }), kWholePage},
    {1, 1, 40, 9, ShownWhere([](int, int y) { return y >= 30; }), kWholePage},
    {1, 2, 50, 9, ShownWhere([](int x, int) { return x < 10; }), kWholePage},
    {1, 3, 50, 9, ShownWhere([](int x, int) { return x >= 40; }), kWholePage},
    {1, 4, 21, 4, ShownWhere([](int, int y) { return y < 5 || y >= 35; }), kWholePage},
    {1, 5, 26, 4, ShownWhere([](int x, int) { return x < 5 || x >= 45; }), kWholePage},
    // Slides: the page's far end enters first; the last frame stops short of the edge.
    {2, 0, 3, 1, [](int x, int y) { return y <= 15 ? Show(x, y + 24) : Keep(); },
     [](int x, int y) { return y <= 30 ? Show(x, y + 9) : Keep(); }},
    {2, 1, 3, 1, [](int x, int y) { return y >= 25 ? Show(x, y - 25) : Keep(); },
     [](int x, int y) { return y >= 10 ? Show(x, y - 10) : Keep(); }},
    {2, 2, 4, 1, [](int x, int y) { return x <= 15 ? Show(x + 34, y) : Keep(); },
     [](int x, int y) { return x <= 45 ? Show(x + 4, y) : Keep(); }},
    {2, 3, 4, 1, [](int x, int y) { return x >= 34 ? Show(x - 34, y) : Keep(); },
     [](int x, int y) { return x >= 4 ? Show(x - 4, y) : Keep(); }},
    {2, 4, 3, 1,
     [](int x, int y) { return y <= 8 ? Show(x, y + 13) : y >= 33 ? Show(x, y - 13) : Keep(); },
     [](int x, int y) { return y <= 15 ? Show(x, y + 6) : y >= 26 ? Show(x, y - 6) : Keep(); }},
    {2, 5, 4, -1, nullptr,
     [](int x, int y) { return x <= 22 ? Show(x + 4, y) : x >= 29 ? Show(x - 4, y) : Keep(); }},
    {2, 6, 3, -1, nullptr,
     [](int x, int y) {
       if (x < 25) return y <= 31 ? Show(x, y + 8) : Keep();
       return y >= 10 ? Show(x, y - 10) : Keep();
     }},
    {2, 7, 4, -1, nullptr,
     [](int x, int y) {
       if (y < 20) return x <= 46 ? Show(x + 3, y) : Keep();
       return x >= 5 ? Show(x - 5, y) : Keep();
     }},
    // Blinds: line k of every 16-pixel band in pass k.
    {3, 0, 16, 3, ShownWhere([](int x, int) { return x % 16 <= 3; }), kWholePage},
    {3, 1, 16, 3, ShownWhere([](int, int y) { return y % 16 <= 3; }), kWholePage},
    // Bars: even bars come from one edge, odd bars from the other.
    {4, 0, 3, -1, nullptr,
     [](int x, int y) {
       if (x / 16 % 2 == 0) return y <= 30 ? Show(x, y + 9) : Keep();
       return y >= 10 ? Show(x, y - 10) : Keep();
     }},
    {4, 1, 4, -1, nullptr,
     [](int x, int y) {
       if (y / 16 % 2 == 0) return x <= 45 ? Show(x + 4, y) : Keep();
       return x >= 5 ? Show(x - 5, y) : Keep();
     }},
    // Mosaic, 5 x 4 tiles: chance 32767 takes the last tile left each time, chance 0
    // the first, after which the last left moves into its slot.
    {5, 0, 20, 0, ShownWhere([](int x, int y) { return x >= 48 && y >= 36; }), kWholePage, 50, 40,
     32767},
    {5, 0, 20, 1,
     ShownWhere([](int x, int y) { return (x < 12 && y < 12) || (x >= 48 && y >= 36); }),
     kWholePage, 50, 40, 0},
    // Shapes: 16 pixels a frame; the in-directions and the last frames out leave the
    // rest to the repaint that follows.
    {6, 0, 3, 1,
     ShapeEdge([](double x, double y) { return std::abs(x - 25) / 20 + std::abs(y - 20) / 16; }, true),
     ShapeEdge([](double x, double y) { return std::abs(x - 25) / 40 + std::abs(y - 20) / 32; }, true)},
    {6, 1, 4, -1, nullptr,
     ShapeEdge([](double x, double y) { return std::abs(x - 50) / 40 + std::abs(y - 40) / 32; }, false),
     100, 80},
    {6, 2, 2, -1, nullptr,
     ShapeEdge([](double x, double y) { return std::hypot(x - 25, y - 20) / 16; }, true, 0.1)},
    {6, 3, 3, -1, nullptr,
     ShapeEdge([](double x, double y) { return std::hypot(x - 50, y - 40) / 32; }, false, 0.06),
     100, 80},
    {6, 4, 2, -1, nullptr,
     ShapeEdge([](double x, double y) { return std::hypot((x - 25) / 20, (y - 20) / 16); }, true, 0.1)},
    {6, 5, 3, -1, nullptr,
     ShapeEdge([](double x, double y) { return std::hypot((x - 50) / 40, (y - 40) / 32); }, false, 0.06),
     100, 80},
    {6, 6, 2, -1, nullptr,  // a wide page: the bands stop by the height
     ShownWhere([](int x, int y) { return (y >= 4 && y < 36) || (x >= 34 && x < 66); }), 100, 40},
    {6, 7, 2, -1, nullptr,
     ShownWhere([](int x, int y) { return (y < 16 || y >= 64) && (x < 26 || x >= 74); }), 100, 80},
    // Stretches: bands of 16 pixels; the last frame overshoots the page, which is clipped.
    {7, 0, 3, 0, StretchedInto(0, 0, 50, 16, 50, 40), StretchedInto(0, 0, 50, 48, 50, 40)},
    {7, 1, 3, 0, StretchedInto(0, 24, 50, 16, 50, 40), StretchedInto(0, -8, 50, 48, 50, 40)},
    {7, 2, 4, 0, StretchedInto(0, 0, 16, 40, 50, 40), StretchedInto(0, 0, 64, 40, 50, 40)},
    {7, 3, 4, 0, StretchedInto(34, 0, 16, 40, 50, 40), StretchedInto(-14, 0, 64, 40, 50, 40)},
    {7, 4, 3, 0, StretchedInto(0, 12, 50, 16, 50, 40), StretchedInto(0, -4, 50, 48, 50, 40)},
    {7, 5, 4, 0, StretchedInto(17, 0, 16, 40, 50, 40), StretchedInto(-7, 0, 64, 40, 50, 40)},
    {7, 6, 4, 0, StretchedInto(17, 14, 16, 12, 50, 40), StretchedInto(-7, -5, 64, 51, 50, 40)},
};

}  // namespace

TEST(RenderPageTransition, EachKindAndDirectionRevealsThePageAsItShould) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " direction " << c.direction
                                      << " page " << c.width << " x " << c.height);
    Stage stage(c.width, c.height);
    stage.Play(c.kind, c.direction, 0, c.watchedFrame, c.random);
    EXPECT_EQ(c.frames, stage.frames);
    EXPECT_TRUE(stage.pauses.empty() || c.kind == 1 || c.kind == 3 || c.kind == 5);
    if (c.watchedFrame >= 0) {
      ASSERT_FALSE(stage.watched.empty());
      EXPECT_TRUE(Matches(stage.watched, stage.window.width(), c.width, c.height, c.watched))
          << "after frame " << c.watchedFrame;
    }
    EXPECT_TRUE(Matches(stage.window.Snapshot(), stage.window.width(), c.width, c.height, c.last))
        << "after the last frame";
  }
}

TEST(RenderPageTransition, MosaicDrawsEveryTileOnceWhateverTheChance) {
  // Numbers outside the generator's range, then the runtime library's own generator.
  for (int random : {-1, 40000}) {
    SCOPED_TRACE(random);
    Stage stage(50, 40);
    stage.Play(5, 0, 0, -1, random);
    EXPECT_EQ(20, stage.frames);
    EXPECT_TRUE(Matches(stage.window.Snapshot(), stage.window.width(), 50, 40, kWholePage));
  }
  Stage stage(50, 40);
  int frames = 0;
  TransitionHooks hooks;
  hooks.afterFrame = [&](int) { ++frames; };
  RenderPageTransition(stage.window.dc(), stage.page.dc(), stage.Rect(), 5, 3, 0, hooks);
  EXPECT_EQ(20, frames);  // the mosaic has no directions: whatever the page holds is ignored
  EXPECT_TRUE(Matches(stage.window.Snapshot(), stage.window.width(), 50, 40, kWholePage));
}

TEST(RenderPageTransition, FadeComposesEachFrameOverTheLast) {
  // One colour over another: after frame f the window is the page blended f + 1 times
  // with alphas 0, 25, 50, ... (delay 0 steps as delay 1 does).
  const double page[3] = {200, 40, 0};
  const double window[3] = {0, 0, 255};
  for (int watched : {0, 5, 10}) {
    SCOPED_TRACE(watched);
    MemoryBitmap source(50, 40), destination(60, 50);
    source.Fill(RGB(200, 40, 0));
    destination.Fill(RGB(0, 0, 255));
    std::vector<COLORREF> seen;
    int frames = 0;
    TransitionHooks hooks;
    hooks.afterFrame = [&](int frame) {
      ++frames;
      if (frame == watched) seen = destination.Snapshot();
    };
    const RECT rect = {kLeft, kTop, kLeft + 50, kTop + 40};
    RenderPageTransition(destination.dc(), source.dc(), rect, 8, 6, 0, hooks);
    EXPECT_EQ(11, frames);
    ASSERT_FALSE(seen.empty());
    double want[3] = {window[0], window[1], window[2]};
    for (int f = 0; f <= watched; ++f)
      for (int k = 0; k < 3; ++k) want[k] = (page[k] * 25 * f + want[k] * (255 - 25 * f)) / 255;
    const COLORREF inside = seen[(kTop + 20) * 60 + kLeft + 25];
    EXPECT_NEAR(want[0], GetRValue(inside), 3);
    EXPECT_NEAR(want[1], GetGValue(inside), 3);
    EXPECT_NEAR(want[2], GetBValue(inside), 3);
    EXPECT_EQ(inside, seen[kTop * 60 + kLeft]);  // the page's corner blends the same
    EXPECT_EQ(RGB(0, 0, 255), seen[(kTop - 1) * 60 + kLeft]);
    EXPECT_EQ(RGB(0, 0, 255), seen[(kTop + 40) * 60 + kLeft + 49]);
  }
}

TEST(RenderPageTransition, DelaySetsStepsPausesAndFadeFrames) {
  const struct {
    int kind, direction, delay;
    int frames;
    std::vector<int> pausesAfterFrames;
  } rows[] = {
      // Scans pause every 23 lines, or every 11 pairs.
      {1, 0, 5, 40, {23}},
      {1, 1, 5, 40, {23}},
      {1, 3, 5, 50, {23, 46}},
      {1, 4, 5, 21, {11}},
      {1, 5, 5, 26, {11, 22}},
      {1, 0, -5, 40, {23}},  // pauses of 0, never negative
      // Blinds pause after every pass; the mosaic after every twelfth tile (i = 11).
      {3, 1, 7, 16, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
      {5, 0, 3, 20, {9}},
      // Slides and bars step 15 - delay, at least 1; the halved slides half that.
      {2, 0, 0, 3, {}},
      {2, 0, 13, 20, {}},
      {2, 0, 14, 40, {}},
      {2, 0, 20, 40, {}},
      {2, 0, -3, 3, {}},
      {2, 4, 0, 3, {}},
      {2, 4, 11, 10, {}},
      {2, 4, 12, 20, {}},
      {2, 4, 30, 20, {}},
      {4, 0, 0, 3, {}},
      {4, 1, 14, 50, {}},
      // The fade's alpha step is 25 / delay, with 0 as 1 and 12 or more as 2.
      {8, 0, 0, 11, {}},
      {8, 0, 1, 11, {}},
      {8, 0, 2, 22, {}},
      {8, 0, 5, 51, {}},
      {8, 0, 9, 128, {}},
      {8, 0, 11, 128, {}},
      {8, 0, 12, 22, {}},
      {8, 0, 20, 22, {}},
      {8, 0, -7, 11, {}},
      // Shapes and stretches never pause and ignore the delay.
      {6, 6, 20, 2, {}},
      {7, 0, 20, 3, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "kind " << row.kind << " direction " << row.direction
                                      << " delay " << row.delay);
    Stage stage(50, 40);
    stage.Play(row.kind, row.direction, row.delay);
    EXPECT_EQ(row.frames, stage.frames);
    std::vector<int> after;
    for (const auto& pause : stage.pauses) {
      after.push_back(pause.afterFrames + 1);  // the pause belongs to the frame in progress
      EXPECT_EQ(std::max(row.delay, 0), pause.milliseconds);
    }
    EXPECT_EQ(row.pausesAfterFrames, after);
  }
}

TEST(RenderPageTransition, UnknownKindsAndDirectionsDrawNothing) {
  const struct { int kind, direction; } rows[] = {
      {1, 6}, {1, 7}, {1, 8}, {1, -1}, {2, 8}, {3, 2}, {4, 2}, {6, 8}, {7, 7}, {9, 0}, {-1, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "kind " << row.kind << " direction " << row.direction);
    Stage stage(50, 40);
    stage.Play(row.kind, row.direction, 3);
    EXPECT_EQ(0, stage.frames);
    EXPECT_TRUE(stage.pauses.empty());
    EXPECT_TRUE(Matches(stage.window.Snapshot(), stage.window.width(), 50, 40, kNothing));
  }
}

TEST(RenderPageTransition, DegenerateRectanglesAndContextsDrawNothingAndReturn) {
  // Empty, reversed and absurdly large pages, with every kind and direction and a
  // negative delay: nothing divides by zero, nothing loops.
  const RECT rects[] = {
      {5, 3, 5, 43}, {5, 3, 55, 3}, {5, 3, 5, 3}, {55, 3, 5, 43}, {5, 43, 55, 3},
      {0, 0, 40000, 40}, {-2000000000, 0, 2000000000, 40},
  };
  MemoryBitmap page(50, 40), window(64, 54);
  window.Fill(kWindow);
  const std::vector<COLORREF> before = window.Snapshot();
  int frames = 0;
  TransitionHooks hooks;
  hooks.afterFrame = [&](int) { ++frames; };
  hooks.pause = [&](int) { ++frames; };
  for (const RECT& rect : rects)
    for (int kind = 0; kind <= 8; ++kind)
      for (int direction = 0; direction <= 7; ++direction)
        RenderPageTransition(window.dc(), page.dc(), rect, kind, direction, -1, hooks);
  for (int kind = 0; kind <= 8; ++kind)
    RenderPageTransition(nullptr, page.dc(), RECT{5, 3, 55, 43}, kind, 0, 0, hooks);
  EXPECT_EQ(0, frames);
  EXPECT_EQ(before, window.Snapshot());
}

TEST(RenderPageTransition, MissingSourceDrawsNothingButRunsToTheEnd) {
  for (int kind = 0; kind <= 8; ++kind) {
    SCOPED_TRACE(kind);
    MemoryBitmap window(64, 54);
    window.Fill(kWindow);
    int frames = 0;
    TransitionHooks hooks;
    hooks.afterFrame = [&](int) { ++frames; };
    hooks.pause = [](int) {};
    RenderPageTransition(window.dc(), nullptr, RECT{5, 3, 55, 43}, kind, 0, 0, hooks);
    EXPECT_GT(frames, 0);
    EXPECT_TRUE(Matches(window.Snapshot(), window.width(), 50, 40, kNothing));
  }
}

TEST(RenderPageTransition, CopiesInDeviceUnitsWhateverTheMappingsAndRestoresThem) {
  // The view hands over its contexts still in its y-up page mapping.
  Stage stage(50, 40);
  for (HDC dc : {stage.page.dc(), stage.window.dc()}) {
    ::SetMapMode(dc, MM_ANISOTROPIC);
    ::SetWindowExtEx(dc, 1, 1, nullptr);
    ::SetViewportExtEx(dc, 1, -1, nullptr);
    ::SetViewportOrgEx(dc, 25, 20, nullptr);
  }
  stage.Play(1, 0, 0, 9);
  EXPECT_TRUE(Matches(stage.watched, stage.window.width(), 50, 40,
                      ShownWhere([](int, int y) { return y < 10; })));
  EXPECT_TRUE(Matches(stage.window.Snapshot(), stage.window.width(), 50, 40, kWholePage));
  for (HDC dc : {stage.page.dc(), stage.window.dc()}) {
    EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(dc));
    SIZE extent;
    POINT origin;
    ::GetViewportExtEx(dc, &extent);
    ::GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(-1, extent.cy);
    EXPECT_EQ(25, origin.x);
    EXPECT_EQ(20, origin.y);
  }
  // The clip to the page is the transition's own: the window has none afterwards.
  HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(0, ::GetClipRgn(stage.window.dc(), clip));
  ::DeleteObject(clip);
}
