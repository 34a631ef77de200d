// Playback speed: pages of N moving shapes (N = 100, 200, 500, 1000 unless given). One
// tick is what the player does for every timer message: the step of every object, then
// the paint of the page as the views paint it (into a bitmap compatible with the window,
// then copied onto it). Beside it, in the same run, the same shapes at the same places
// drawn directly with GDI+ into the same kind of bitmap and copied the same way.
// tools/bench-playback runs it.
// Usage: PlaybackBench [N...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/DC.h"
#include "graphics/GdiplusSession.h"
#include "tests/bench/BenchPages.h"
#include "tests/support/TestHost.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kTicks = 60;

// A bitmap compatible with the window, its DC with the page's mapping (origin at the
// centre, y up), filled with the page's colour: what the view prepares for every paint.
class BackBuffer {
 public:
  explicit BackBuffer(HDC window) {
    m_dc = ::CreateCompatibleDC(window);
    m_bitmap = ::CreateCompatibleBitmap(window, kWidth, kHeight);
    m_old = ::SelectObject(m_dc, m_bitmap);
    const RECT all = {0, 0, kWidth, kHeight};
    HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
    ::FillRect(m_dc, &all, white);
    ::DeleteObject(white);
    ::SetMapMode(m_dc, MM_ANISOTROPIC);
    ::SetWindowExtEx(m_dc, 1, 1, nullptr);
    ::SetViewportExtEx(m_dc, 1, -1, nullptr);
    ::SetViewportOrgEx(m_dc, kWidth / 2, kHeight / 2, nullptr);
  }
  ~BackBuffer() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  HDC dc() const { return m_dc; }
  void CopyTo(HDC window) {
    ::SetMapMode(m_dc, MM_TEXT);
    ::SetViewportOrgEx(m_dc, 0, 0, nullptr);
    ::BitBlt(window, 0, 0, kWidth, kHeight, m_dc, 0, 0, SRCCOPY);
  }

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

// The shapes as a program drawing them itself would: one Graphics, and a pen and a
// brush per shape. Texts are written in the font the page's texts ask for, made once
// (a family named here might not be installed, and a font that is not found draws
// nothing).
void DrawDirect(HDC dc, const CDrawDoc& page) {
  Gdiplus::Graphics graphics(dc);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  std::unique_ptr<Gdiplus::Font> font;
  for (POSITION pos = page.m_objects.GetHeadPosition(); pos;) {
    auto* o = static_cast<CDrawObj*>(page.m_objects.GetNext(pos));
    if (o->m_trajectory || !o->m_visible) continue;
    CRect r = o->m_position;
    r.NormalizeRect();
    const Gdiplus::RectF box(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                             static_cast<Gdiplus::REAL>(r.Width()), static_cast<Gdiplus::REAL>(r.Height()));
    const COLORREF c = o->m_brush.lbColor;
    Gdiplus::SolidBrush brush(Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)));
    Gdiplus::Pen pen(Gdiplus::Color(255, 0, 0, 0), static_cast<Gdiplus::REAL>(o->m_pen.lopnWidth.x));
    if (auto* shape = dynamic_cast<CDrawRect*>(o)) {
      if (shape->m_shape == kShapeEllipse) {
        graphics.FillEllipse(&brush, box);
        graphics.DrawEllipse(&pen, box);
      } else if (shape->m_shape == kShapeRoundRectangle) {
        Gdiplus::GraphicsPath path;
        const Gdiplus::REAL d = 16;
        path.AddArc(box.X, box.Y, d, d, 180, 90);
        path.AddArc(box.X + box.Width - d, box.Y, d, d, 270, 90);
        path.AddArc(box.X + box.Width - d, box.Y + box.Height - d, d, d, 0, 90);
        path.AddArc(box.X, box.Y + box.Height - d, d, d, 90, 90);
        path.CloseFigure();
        graphics.FillPath(&brush, &path);
        graphics.DrawPath(&pen, &path);
      } else {
        graphics.FillRectangle(&brush, box);
        graphics.DrawRectangle(&pen, box);
      }
    } else if (auto* line = dynamic_cast<CDrawLine*>(o)) {
      graphics.DrawLine(&pen, Gdiplus::Point(line->m_end1.x, line->m_end1.y),
                        Gdiplus::Point(line->m_end2.x, line->m_end2.y));
    } else if (auto* poly = dynamic_cast<CDrawPoly*>(o)) {
      std::vector<Gdiplus::Point> points;
      for (int i = 0; i < poly->m_pointCount; ++i) points.emplace_back(poly->PointAt(i).x, poly->PointAt(i).y);
      graphics.FillPolygon(&brush, points.data(), static_cast<INT>(points.size()));
      graphics.DrawPolygon(&pen, points.data(), static_cast<INT>(points.size()));
    } else if (auto* text = dynamic_cast<CDrawText*>(o)) {
      if (!font) {
        const LOGFONTW logFont = text->WideLogFont();
        font = std::make_unique<Gdiplus::Font>(dc, &logFont);
      }
      const std::wstring wide = L"Text";
      Gdiplus::SolidBrush ink(Gdiplus::Color(255, 0, 0, 0));
      graphics.DrawString(wide.c_str(), static_cast<INT>(wide.size()), font.get(), box, nullptr, &ink);
    }
  }
}

struct Timing {
  double tick = 0;    // step and paint, per tick
  double direct = 0;  // direct drawing, per tick
};

Timing Measure(HDC window, int count) {
  TestHost host;
  host.mode = kModeRunning;
  CDrawDoc page(CDrawDoc::Reader::player);
  host.document = &page;
  bench::FillPage(page, count, true);
  host.StartObjects();
  // Ticks 1 to 3 step nothing; a few more settle the caches.
  for (int i = 0; i < 8; ++i) host.Tick();
  Timing best{1e9, 1e9};
  for (int round = 0; round < 3; ++round) {
    LARGE_INTEGER start = bench::Now();
    for (int i = 0; i < kTicks; ++i) {
      host.Tick();
      BackBuffer buffer(window);
      CDC dc(buffer.dc());
      page.Draw(&dc, nullptr);
      buffer.CopyTo(window);
    }
    ::GdiFlush();
    best.tick = std::min(best.tick, bench::Seconds(start, bench::Now()) / kTicks);
    start = bench::Now();
    for (int i = 0; i < kTicks; ++i) {
      BackBuffer buffer(window);
      DrawDirect(buffer.dc(), page);
      buffer.CopyTo(window);
    }
    ::GdiFlush();
    best.direct = std::min(best.direct, bench::Seconds(start, bench::Now()) / kTicks);
  }
  host.StopObjects();
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {100, 200, 500, 1000};
  CGdiplusSession gdiplus;
  HWND window = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight,
                                  nullptr, nullptr, nullptr, nullptr);
  HDC dc = ::GetDC(window);
  std::printf("%6s %14s %14s %7s %16s\n", "shapes", "tick (ms)", "direct (ms)", "ratio", "tick per shape (us)");
  for (int count : counts) {
    const Timing t = Measure(dc, count);
    std::printf("%6d %14.2f %14.2f %7.2f %16.1f\n", count, t.tick * 1e3, t.direct * 1e3, t.tick / t.direct,
                t.tick * 1e6 / count);
    std::fflush(stdout);
  }
  ::ReleaseDC(window, dc);
  ::DestroyWindow(window);
  return 0;
}
