#include "behaviour/RenderPageTransition.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <vector>

#include "behaviour/TransitionCanvas.h"
#include "framework/core/ScopedHandle.h"

namespace {

// No display holds a larger page, and every kind's frame count grows with the page.
constexpr long long kLargestSide = 32767;

using Region = CScopedRegion;

Region RectRegion(int left, int top, int right, int bottom) {
  return Region(::CreateRectRgn(left, top, right, bottom));
}

Region Combined(const Region& a, const Region& b, int mode) {
  if (!a || !b) return {};
  Region out = RectRegion(0, 0, 0, 0);
  if (!out || ::CombineRgn(out.get(), a.get(), b.get(), mode) == ERROR) return {};
  return out;
}

// The slides' and bars' step: a larger delay means more, thinner frames.
int StepFromDelay(int delay, bool halved) {
  const int step = halved ? (15 - delay) / 2 : 15 - delay;
  return std::max(step, 1);
}

void Scan(CTransitionCanvas& c, int direction) {
  const int w = c.Width();
  const int h = c.Height();
  switch (direction) {
    case 0:
      for (int n = 0; n < h; ++n) {
        c.Copy(0, n, w, 1, 0, n);
        c.EndFrame(n % 23 == 22);
      }
      break;
    case 1:
      for (int n = 0; n < h; ++n) {
        c.Copy(0, h - 1 - n, w, 1, 0, h - 1 - n);
        c.EndFrame(n % 23 == 22);
      }
      break;
    case 2:
      for (int n = 0; n < w; ++n) {
        c.Copy(n, 0, 1, h, n, 0);
        c.EndFrame(n % 23 == 22);
      }
      break;
    case 3:
      for (int n = 0; n < w; ++n) {
        c.Copy(w - 1 - n, 0, 1, h, w - 1 - n, 0);
        c.EndFrame(n % 23 == 22);
      }
      break;
    case 4:
      for (int n = 0; n <= h / 2; ++n) {
        c.Copy(0, n, w, 1, 0, n);
        c.Copy(0, h - 1 - n, w, 1, 0, h - 1 - n);
        c.EndFrame(n % 11 == 10);
      }
      break;
    case 5:
      for (int n = 0; n <= w / 2; ++n) {
        c.Copy(n, 0, 1, h, n, 0);
        c.Copy(w - 1 - n, 0, 1, h, w - 1 - n, 0);
        c.EndFrame(n % 11 == 10);
      }
      break;
  }
}

void Slide(CTransitionCanvas& c, int direction) {
  if (direction < 0 || direction > 7) return;
  const int w = c.Width();
  const int h = c.Height();
  const int cw = w / 2 + w % 2;  // the larger halves
  const int ch = h / 2 + h % 2;
  const int step = StepFromDelay(c.Delay(), direction == 4 || direction == 5);
  const int extents[8] = {h, h, w, w, ch, cw, h, w};
  for (int i = 0; i < extents[direction]; i += step) {
    switch (direction) {
      case 0:  // the page's foot first, coming down from the top edge
        c.Copy(0, 0, w, i + 1, 0, h - i - 1);
        break;
      case 1:
        c.Copy(0, h - i, w, i, 0, 0);
        break;
      case 2:
        c.Copy(0, 0, i + 1, h, w - i - 1, 0);
        break;
      case 3:
        c.Copy(w - i - 1, 0, i + 1, h, 0, 0);
        break;
      case 4:  // the page's middle first, from both edges
        c.Copy(0, 0, w, i + 2, 0, ch - i);
        c.Copy(0, h - i, w, i, 0, ch);
        break;
      case 5:
        c.Copy(0, 0, i + 2, h, cw - i, 0);
        c.Copy(w - i, 0, i, h, cw, 0);
        break;
      case 6:  // left half down from the top, right half up from the bottom
        c.Copy(0, 0, cw, i + 2, 0, h - i - 2);
        c.Copy(cw, h - i, w - cw, i, cw, 0);
        break;
      case 7:  // top half in from the left, bottom half from the right
        c.Copy(0, 0, i + 2, ch, w - i - 2, 0);
        c.Copy(w - i, ch, i, ch, 0, ch);
        break;
    }
    c.EndFrame();
  }
}

void Blinds(CTransitionCanvas& c, int direction) {
  if (direction != 0 && direction != 1) return;
  const int w = c.Width();
  const int h = c.Height();
  for (int pass = 0; pass < 16; ++pass) {
    if (direction == 0)
      for (int x = pass; x < w; x += 16) c.Copy(x, 0, 1, h, x, 0);
    else
      for (int y = pass; y < h; y += 16) c.Copy(0, y, w, 1, 0, y);
    c.EndFrame(true);
  }
}

void Bars(CTransitionCanvas& c, int direction) {
  if (direction != 0 && direction != 1) return;
  const int w = c.Width();
  const int h = c.Height();
  const int step = StepFromDelay(c.Delay(), false);
  for (int i = 0; i < (direction == 0 ? h : w); i += step) {
    if (direction == 0) {
      for (int x = 0; x < w; x += 32) {
        c.Copy(x, 0, 16, i + 1, x, h - i - 1);
        c.Copy(x + 16, h - i, 16, i, x + 16, 0);
      }
    } else {
      for (int y = 0; y < h; y += 32) {
        c.Copy(0, y, i + 1, 16, w - i - 1, y);
        c.Copy(w - i, y + 16, i, 16, 0, y + 16);
      }
    }
    c.EndFrame();
  }
}

void Mosaic(CTransitionCanvas& c, const TransitionHooks& hooks) {
  const int columns = c.Width() / 12 + (c.Width() % 12 != 0);
  const int rows = c.Height() / 12 + (c.Height() % 12 != 0);
  std::vector<int> tiles(static_cast<size_t>(columns) * rows);  // in row order
  std::iota(tiles.begin(), tiles.end(), 0);
  if (!hooks.random) std::srand(static_cast<unsigned>(std::time(nullptr)));
  // Each tile is drawn once: the one drawn is replaced by the last not yet drawn.
  for (int i = static_cast<int>(tiles.size()) - 1; i >= 0; --i) {
    const int r = std::clamp(hooks.random ? hooks.random() : std::rand(), 0, 32767);
    const int j = static_cast<int>(static_cast<long long>(r) * i / 32767);
    const int x = tiles[j] % columns * 12;
    const int y = tiles[j] / columns * 12;
    c.Copy(x, y, 12, 12, x, y);
    tiles[j] = tiles[i];
    c.EndFrame(i % 12 == 11);
  }
}

// Regions are in page pixels; the centre is the rectangle's, in device units, moved
// onto the page.
void Shape(CTransitionCanvas& c, int direction) {
  if (direction < 0 || direction > 7) return;
  const int w = c.Width();
  const int h = c.Height();
  const CRect& rect = c.Rect();
  const int cx = static_cast<int>((static_cast<long long>(rect.left) + rect.right) / 2 - rect.left);
  const int cy = static_cast<int>((static_cast<long long>(rect.top) + rect.bottom) / 2 - rect.top);
  const long long wide = w;
  const long long high = h;
  const int radius = static_cast<int>(std::sqrt(static_cast<double>(wide * wide + high * high))) / 2;
  // The "in" circles and ellipses shrink by 16 from the radius while it stays above 16.
  const int inwardFrames = radius >= 1 ? (radius - 1) >> 4 : 0;
  const Region page = RectRegion(0, 0, w, h);

  auto diamond = [&](int i, int across) {
    const POINT corners[4] = {{cx, cy - i}, {cx + across, cy}, {cx, cy + i}, {cx - across, cy}};
    return Region(::CreatePolygonRgn(corners, 4, WINDING));
  };
  auto ellipse = [&](int across, int i) {
    return Region(::CreateEllipticRgn(cx - across, cy - i, cx + across, cy + i));
  };
  auto cross = [&](int i) {
    return Combined(RectRegion(0, cy - i, w, cy + i), RectRegion(cx - i, 0, cx + i, h), RGN_OR);
  };
  auto frame = [&](const Region& region) {
    c.CopyThrough(region.get());
    c.EndFrame();
  };
  // The widths i * W / H come from a running sum, so no frame multiplies large values.
  const long long widthStep = 16 * wide;
  switch (direction) {
    case 0: {
      long long sum = 0;
      for (int i = 0; i < h; i += 16, sum += widthStep) frame(diamond(i, static_cast<int>(sum / h)));
      break;
    }
    case 1: {
      long long sum = high * wide;
      for (int i = h; i >= 17; i -= 16, sum -= widthStep)
        frame(Combined(page, diamond(i, static_cast<int>(sum / h)), RGN_DIFF));
      break;
    }
    case 2:
      for (int r = 0; r < radius; r += 16) frame(Combined(page, ellipse(r, r), RGN_AND));
      break;
    case 3:
      for (int f = 0; f < inwardFrames; ++f) {
        const int r = radius - 16 * f;
        frame(Combined(page, ellipse(r, r), RGN_DIFF));
      }
      break;
    case 4: {
      long long sum = 0;
      for (int i = 0; i < radius; i += 16, sum += widthStep)
        frame(Combined(page, ellipse(static_cast<int>(sum / h), i), RGN_AND));
      break;
    }
    case 5: {
      long long sum = radius * wide;
      for (int f = 0; f < inwardFrames; ++f, sum -= widthStep)
        frame(Combined(page, ellipse(static_cast<int>(sum / h), radius - 16 * f), RGN_DIFF));
      break;
    }
    case 6:
      for (int i = 0; i < h / 2; i += 16) frame(cross(i));
      break;
    case 7:
      for (int i = h / 2; i >= 17; i -= 16) frame(Combined(page, cross(i), RGN_DIFF));
      break;
  }
}

void Stretch(CTransitionCanvas& c, int direction) {
  if (direction < 0 || direction > 6) return;
  const int w = c.Width();
  const int h = c.Height();
  const bool rows = direction == 0 || direction == 1 || direction == 4;
  const int frames = (rows ? h : w) / 16 + 1;
  for (int k = 1; k <= frames; ++k) {
    const int band = 16 * k;
    switch (direction) {
      case 0:
        c.Stretch(0, 0, w, band);
        break;
      case 1:
        c.Stretch(0, h - band, w, band);
        break;
      case 2:
        c.Stretch(0, 0, band, h);
        break;
      case 3:
        c.Stretch(w - band, 0, band, h);
        break;
      case 4:
        c.Stretch(0, h / 2 - 8 * k, w, band);
        break;
      case 5:
        c.Stretch(w / 2 - 8 * k, 0, band, h);
        break;
      case 6: {  // keeps the page's proportions
        const long long scaled = static_cast<long long>(band) * h;
        c.Stretch(w / 2 - 8 * k, h / 2 - static_cast<int>(scaled / (2LL * w)), band,
                  static_cast<int>(scaled / w));
        break;
      }
    }
    c.EndFrame();
  }
}

void Fade(CTransitionCanvas& c) {
  // A delay of 0 fades as fast as a delay of 1; 12 and more fade as a delay of 2.
  const int delay = c.Delay();
  const int divisor = delay >= 12 ? 2 : std::max(delay, 1);
  const int step = 25 / divisor;
  for (int alpha = 0; alpha < 255; alpha += step) {
    c.Blend(alpha);
    c.EndFrame();
  }
}

}  // namespace

void RenderPageTransition(HDC destination, HDC source, const RECT& rect, int kind, int direction,
                          int delay) {
  RenderPageTransition(destination, source, rect, kind, direction, delay, TransitionHooks());
}

void RenderPageTransition(HDC destination, HDC source, const RECT& rect, int kind, int direction,
                          int delay, const TransitionHooks& hooks) {
  const long long width = static_cast<long long>(rect.right) - rect.left;
  const long long height = static_cast<long long>(rect.bottom) - rect.top;
  if (!destination || width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
    return;
  CTransitionCanvas canvas(destination, source, rect, delay, hooks);
  switch (kind) {
    case 0:
      canvas.Copy(0, 0, canvas.Width(), canvas.Height(), 0, 0);
      canvas.EndFrame();
      break;
    case 1:
      Scan(canvas, direction);
      break;
    case 2:
      Slide(canvas, direction);
      break;
    case 3:
      Blinds(canvas, direction);
      break;
    case 4:
      Bars(canvas, direction);
      break;
    case 5:
      Mosaic(canvas, hooks);
      break;
    case 6:
      Shape(canvas, direction);
      break;
    case 7:
      Stretch(canvas, direction);
      break;
    case 8:
      Fade(canvas);
      break;
  }
}
