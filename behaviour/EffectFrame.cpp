#include "behaviour/EffectFrame.h"

#include <algorithm>
#include <climits>

namespace {

// a·b / c truncated toward zero, the product formed first; c > 0. Exact while the
// factors fit in 32 bits, as every area a display can show does.
long long MulDiv(long long a, long long b, long long c) {
  if (a >= -INT_MAX && a <= INT_MAX && b >= -INT_MAX && b <= INT_MAX) return a * b / c;
  return static_cast<long long>(static_cast<long double>(a) * b / c);
}

void Advance(EffectFrame& f) { f.progress = std::min<long long>(f.progress + f.step, INT_MAX); }
void End(EffectFrame& f) { f.ended = true; }

// The geometry every kind reads, with the names the kinds are described in.
struct Area {
  explicit Area(const EffectGeometry& g)
      : L(g.left), T(g.top), W(g.width), H(g.height), w2(g.halfWidth), h2(g.halfHeight), m(g.shorter),
        R(g.diagonal) {}
  long long L, T, W, H, w2, h2, m, R;
};

void Scan(CEffectCanvas& c, const Area& a, EffectFrame& f) {
  const long long p = f.progress;
  const long long L = a.L, T = a.T, W = a.W, H = a.H;
  auto show = [&](long long x, long long y, long long w, long long h) { c.Show(x, y, w, h, x, y, f.rop); };
  const long long limits[6] = {H, H, W, W, a.h2, a.w2};
  if (f.direction < 0 || f.direction > 5) return;
  if (p > limits[f.direction]) return End(f);
  switch (f.direction) {
    case 0: show(L, T + H - p, W, p); break;
    case 1: show(L, T, W, p); break;
    case 2: show(L, T, p, H); break;
    case 3: show(L + W - p, T, p, H); break;
    case 4: show(L, T, W, p); show(L, T + H - p, W, p); break;
    case 5: show(L, T, p, H); show(L + W - p, T, p, H); break;
  }
  Advance(f);
}

// Moving in: while it runs, the object image is filled with the page's background
// from where each of its parts will be shown, so that background moves in with it.
bool MoveRuns(const Area& a, const EffectFrame& f) {
  const long long limits[8] = {a.H, a.H, a.W, a.W, a.h2, a.w2, a.H, a.W};
  return f.direction >= 0 && f.direction <= 7 && f.progress <= limits[f.direction];
}

void FillForMove(CEffectCanvas& c, const Area& a, const EffectFrame& f) {
  const long long p = f.progress;
  const long long L = a.L, T = a.T, W = a.W, H = a.H, w2 = a.w2, h2 = a.h2;
  if (!MoveRuns(a, f)) return c.FillFromPage(L, T, W, H, L, T);
  switch (f.direction) {
    case 0: c.FillFromPage(L, T, W, H, L, T + H - p); break;
    case 1: c.FillFromPage(L, T, W, H, L, T + p - H); break;
    case 2: c.FillFromPage(L, T, W, H, L + p - W, T); break;
    case 3: c.FillFromPage(L, T, W, H, L + W - p, T); break;
    case 4:
      c.FillFromPage(L, T + h2, W, h2, L, T + H - p);
      c.FillFromPage(L, T, W, h2 + 1, L, T + h2 + p - H);
      break;
    case 5:
      c.FillFromPage(L, T, w2, H, L + w2 + p - W, T);
      c.FillFromPage(L + w2, T, w2, H, L + W - p, T);
      break;
    case 6:
      c.FillFromPage(L, T, w2, H, L, T + p - H);
      c.FillFromPage(L + w2, T, w2, H, L + w2, T + H - p);
      break;
    case 7:
      c.FillFromPage(L, T + h2, W, h2, L + W - p, T + h2);
      c.FillFromPage(L, T, W, h2, L + p - W, T);
      break;
  }
}

void Move(CEffectCanvas& c, const Area& a, EffectFrame& f) {
  if (f.direction < 0 || f.direction > 7) return;
  if (!MoveRuns(a, f)) return End(f);
  const long long p = f.progress;
  const long long L = a.L, T = a.T, W = a.W, H = a.H, w2 = a.w2, h2 = a.h2;
  auto show = [&](long long x, long long y, long long w, long long h, long long fromX, long long fromY) {
    c.Show(x, y, w, h, fromX, fromY, f.rop);
  };
  switch (f.direction) {
    case 0: show(L, T + H - p, W, p, L, T); break;
    case 1: show(L, T, W, p, L, T + H - p); break;
    case 2: show(L, T, p, H, L + W - p, T); break;
    case 3: show(L + W - p, T, p, H, L, T); break;
    case 4:
      show(L, T, W, p, L, T + h2 - p);
      show(L, T + H - p, W, p, L, T + h2);
      break;
    case 5:
      show(L, T, p, H, L + w2 - p, T);
      show(L + W - p, T, p, H, L + w2, T);
      break;
    case 6:
      show(L, T, w2, p, L, T + H - p);
      show(L + w2, T + H - p, w2, p, L + w2, T);
      break;
    case 7:
      show(L, T, p, h2, L + W - p, T);
      show(L + W - p, T + h2, p, h2, L, T + h2);
      break;
  }
  Advance(f);
}

// Strips of width p every 8 units, starting p into the area. It ends only when the
// progress lands on 9; a step that jumps over 9 leaves the ending to the action's end.
void Blinds(CEffectCanvas& c, const Area& a, EffectFrame& f) {
  if (f.direction != 0 && f.direction != 1) return;
  if (f.progress == 9) return End(f);
  const long long p = f.progress;
  const long long across = f.direction == 0 ? a.W : a.H;
  if (p < across) {
    const long long n = (across - p + 7) / 8;
    for (long long i = 0; i < n; ++i) {
      const long long at = p + 8 * i;
      if (f.direction == 0)
        c.Show(a.L + at, a.T, p, a.H, a.L + at, a.T, f.rop);
      else
        c.Show(a.L, a.T + at, a.W, p, a.L, a.T + at, f.rop);
    }
  }
  Advance(f);
}

// Pairs of 8-unit bars, 16 units a pair, the first of each pair entering from one edge
// and the second from the opposite one.
void Bars(CEffectCanvas& c, const Area& a, EffectFrame& f) {
  if (f.direction != 0 && f.direction != 1) return;
  const long long p = f.progress;
  const long long L = a.L, T = a.T, W = a.W, H = a.H;
  if (p > (f.direction == 0 ? H : W)) return End(f);
  if (f.direction == 0) {
    for (long long i = 0, n = (W + 15) / 16; i < n; ++i) {
      const long long x = L + 16 * i;
      c.Show(x, T, 8, p, x, T + H - p, f.rop);
      c.Show(x + 8, T + H - p, 8, p, x + 8, T, f.rop);
    }
  } else {
    for (long long i = 0, n = (H + 15) / 16; i < n; ++i) {
      const long long y = T + 16 * i;
      c.Show(L, y, p, 8, L + W - p, y, f.rop);
      c.Show(L + W - p, y + 8, p, 8, L, y + 8, f.rop);
    }
  }
  Advance(f);
}

// The shape of a spreading frame at progress p, relative to the area's corner; the
// cross is the union of its two bands.
CRgn Shape(const CEffectCanvas& c, const Area& a, int direction, long long p) {
  const long long W = a.W, H = a.H, w2 = a.w2, h2 = a.h2;
  switch (direction / 2) {
    case 0: {
      if (W < H) {
        const long long d = MulDiv(p, H, W);
        return c.DiamondRegion({{w2, h2 - d}, {w2 + p, h2}, {w2, h2 + d}, {w2 - p, h2}});
      }
      const long long d = MulDiv(p, W, H);
      return c.DiamondRegion({{w2, h2 - p}, {w2 + d, h2}, {w2, h2 + p}, {w2 - d, h2}});
    }
    case 1:
      return c.EllipseRegion(w2 - p, h2 - p, w2 + p, h2 + p);
    case 2:
      if (W < H) {
        const long long d = MulDiv(p, H, W);
        return c.EllipseRegion(w2 - p, h2 - d, w2 + p, h2 + d);
      } else {
        const long long d = MulDiv(p, W, H);
        return c.EllipseRegion(w2 - d, h2 - p, w2 + d, h2 + p);
      }
    default:
      return CEffectCanvas::Combine(c.RectRegion(0, h2 - p, W, h2 + p), c.RectRegion(w2 - p, 0, w2 + p, H), RGN_OR);
  }
}

void Spread(CEffectCanvas& c, const Area& a, EffectFrame& f) {
  if (f.direction < 0 || f.direction > 7) return;
  const int shape = f.direction / 2;  // diamond, circle, ellipse, cross
  const CRgn whole = c.RectRegion(0, 0, a.W, a.H);
  if (f.direction % 2 == 0) {
    const long long p = f.progress;
    const bool past = shape == 0 ? p > a.m + 1 : shape == 3 ? 2 * p > a.m + 1 : p > a.R / 2;
    if (past) return End(f);
    c.ShowThrough(CEffectCanvas::Combine(whole, Shape(c, a, f.direction, p), RGN_AND), f.rop);
    Advance(f);
    return;
  }
  // Inward: from the limit down by the step; the frame below the step is the last.
  if (f.progress == 0)
    f.progress = shape == 0 ? a.m + 1 : shape == 3 ? (a.m + 1) / 2 : a.R / 2;
  else
    f.progress -= f.step;
  c.ShowThrough(CEffectCanvas::Combine(whole, Shape(c, a, f.direction, f.progress), RGN_DIFF), f.rop);
  if (f.progress < f.step) End(f);
}

// The whole object squeezed into a band of 8p + 8 units growing from an edge, the
// middle or the centre. The band may outgrow the area; it is not clipped to it.
void Stretch(CEffectCanvas& c, const Area& a, EffectFrame& f) {
  if (f.direction < 0 || f.direction > 6) return;
  const long long p = f.progress;
  const long long L = a.L, T = a.T, W = a.W, H = a.H, w2 = a.w2, h2 = a.h2;
  const bool rows = f.direction == 0 || f.direction == 1 || f.direction == 4;
  if (p > (rows ? H : W) / f.step) return End(f);
  const long long d = 8 * p + 8;
  switch (f.direction) {
    case 0: c.Stretch(L, T + H - d, W, d); break;
    case 1: c.Stretch(L, T, W, d); break;
    case 2: c.Stretch(L, T, d, H); break;
    case 3: c.Stretch(L + W - d, T, d, H); break;
    case 4: c.Stretch(L, T + h2 - d / 2, W, d); break;
    case 5: c.Stretch(L + w2 - d / 2, T, d, H); break;
    case 6:
      if (H < W)
        c.Stretch(L + w2 - d / 2, T + h2 - MulDiv(d, H, 2 * W), d, MulDiv(d, H, W));
      else
        c.Stretch(L + w2 - MulDiv(d, W, 2 * H), T + h2 - d / 2, MulDiv(d, W, H), d);
      break;
  }
  Advance(f);
}

void Fade(CEffectCanvas& c, EffectFrame& f) {
  const long long p = f.progress;
  if (f.direction == 0) {
    if (p > 255) return End(f);
    if (p == 0) f.visible = 1;
    c.ShowBlended(static_cast<int>(p & 0xFF), f.rop);
    Advance(f);
  } else if (f.direction == 1) {
    if (p >= 255) return End(f);
    c.ShowBlended(static_cast<int>((255 - p) & 0xFF), f.rop);
    Advance(f);
    if (f.progress >= 255) {
      f.visible = 0;
      f.progress = 255;
    }
  }
}

}  // namespace

bool EffectNeedsWorkImage(int kind) { return kind == 4 || kind == 6; }

void DrawEffectFrame(CEffectCanvas& canvas, const EffectGeometry& geometry, EffectFrame& frame,
                     const std::function<void(HDC)>& drawObject) {
  if (frame.step <= 0) return End(frame);  // the stretch divides by it, the others would never end
  const Area a(geometry);
  if (frame.kind == 1)
    FillForMove(canvas, a, frame);
  else
    canvas.FillFromPage(a.L, a.T, a.W, a.H, a.L, a.T);
  canvas.DrawIntoObjectImage(drawObject);
  switch (frame.kind) {
    case 0: Scan(canvas, a, frame); break;
    case 1: Move(canvas, a, frame); break;
    case 2: Blinds(canvas, a, frame); break;
    case 3: Bars(canvas, a, frame); break;
    case 4: Spread(canvas, a, frame); break;
    case 5: Stretch(canvas, a, frame); break;
    case 6: Fade(canvas, frame); break;
    default: break;
  }
}
