// Drawing a text object: the frame's fill and border, the background picture, the text
// and the answer mark.
//
// The page DC maps y upwards, so GDI+ would lay text out upside down: the text is laid
// out under a vertical flip of the world and turned in that flipped space. A font that
// GDI+ cannot use (it finds no family for it) is drawn through GDI instead, unturned.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "framework/core/Codepage.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/DC.h"
#include "graphics/GeometryHelpers.h"
#include "graphics/ImageHelpers.h"
#include "model/DrawText.h"
#include "model/PathLimits.h"
#include "model/ShapePainter.h"
#include "resources/AnswerMarks.h"

namespace {

// The normalised rectangle as GDI+'s (x, y, width, height), clamped to 32 bits.
Gdiplus::Rect GdipRectOf(const CRect& r) {
  auto clamp = [](long long v) { return static_cast<INT>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
  Gdiplus::Rect g(r.left, r.top, clamp(static_cast<long long>(r.right) - r.left),
                  clamp(static_cast<long long>(r.bottom) - r.top));
  NormalizeGdipRect(g);
  return g;
}

bool Finite(double a, double b, double c) { return std::isfinite(a) && std::isfinite(b) && std::isfinite(c); }

// Selects a GDI object into a DC for the scope.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
  ~ScopedSelect() { ::SelectObject(m_dc, m_old); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

}  // namespace

int CDrawText::DrawObject(CDC* dc, CView*) {
  if (!m_visible || (m_position.left == m_position.right && m_position.top == m_position.bottom)) return 0;
  CRect layout = m_position;
  layout.NormalizeRect();
  Gdiplus::Font& font = PaintFont(dc->GetSafeHdc(), WideLogFont());
  bool gdiplusText = false;
  {
    CShapePainter::Options options;
    options.hatchFill = false;
    CShapePainter painter(dc, *this, options);
    Gdiplus::Graphics& graphics = painter.Graphics();
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    LoadPictureIfNeeded();

    const Gdiplus::Rect layoutRect = GdipRectOf(layout);
    // The frame turns with the object whatever the font: its bounds and handles do.
    Gdiplus::GraphicsPath frame;
    frame.AddRectangle(layoutRect);
    const double degrees = -m_angle * kDegreesPerRadian;
    if (degrees != 0.0 && Finite(degrees, m_rotationCentre.x, m_rotationCentre.y)) {
      Gdiplus::Matrix turn;
      turn.RotateAt(static_cast<Gdiplus::REAL>(degrees),
                    Gdiplus::PointF(static_cast<Gdiplus::REAL>(m_rotationCentre.x),
                                    static_cast<Gdiplus::REAL>(m_rotationCentre.y)),
                    Gdiplus::MatrixOrderAppend);
      frame.Transform(&turn);
    }
    painter.Prepare(frame, GdipRectOf(m_baseRect));
    // Records of the first version (read from old files and not stored since) had no
    // fill or border.
    if (m_version > 1) {
      if (m_filled) painter.FillPath(frame);
      if (m_outlined) painter.StrokePath(frame);
    }
    if (m_pictureFill && m_picture) DrawPictureFill(graphics, frame);
    Gdiplus::FontFamily family;
    if (font.GetLastStatus() == Gdiplus::Ok && font.GetFamily(&family) == Gdiplus::Ok) {
      gdiplusText = true;
      DrawTextPath(graphics, font, layoutRect);
    }
  }
  if (!gdiplusText) DrawTextGdi(dc, layout);
  DrawMark(dc, layout);
  if (m_buttonised) CShapePainter::DrawButtonFrame(dc, *this);
  return 1;
}

Gdiplus::Font& CDrawText::PaintFont(HDC dc, const LOGFONTW& logFont) {
  FontCache wanted;
  wanted.logFont = logFont;
  wanted.mapMode = ::GetMapMode(dc);
  ::GetWindowExtEx(dc, &wanted.windowExt);
  ::GetViewportExtEx(dc, &wanted.viewportExt);
  wanted.dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
  const FontCache& c = m_fontCache;
  const bool same = c.font && std::memcmp(&c.logFont, &wanted.logFont, sizeof(LOGFONTW)) == 0 &&
                    c.mapMode == wanted.mapMode && c.windowExt.cx == wanted.windowExt.cx &&
                    c.windowExt.cy == wanted.windowExt.cy && c.viewportExt.cx == wanted.viewportExt.cx &&
                    c.viewportExt.cy == wanted.viewportExt.cy && c.dpiY == wanted.dpiY;
  if (!same) {
    m_fontCache.font.reset();
    wanted.font = std::make_unique<Gdiplus::Font>(dc, &logFont);
    m_fontCache = std::move(wanted);
  }
  return *m_fontCache.font;
}

void CDrawText::DrawTextPath(Gdiplus::Graphics& graphics, Gdiplus::Font& font, const Gdiplus::Rect& layout) {
  if (m_displayText.IsEmpty()) return;
  Gdiplus::FontFamily family;
  if (font.GetFamily(&family) != Gdiplus::Ok) return;
  const INT style = font.GetStyle();
  const double size = font.GetSize();
  const double emHeight = family.GetEmHeight(style);
  if (emHeight <= 0 || !std::isfinite(size)) return;
  // One line must fit the box both ways, or the text is not drawn at all.
  const double lineHeight = (static_cast<double>(family.GetCellAscent(style)) + family.GetCellDescent(style)) *
                            size / emHeight;
  if (lineHeight > layout.Width || lineHeight > layout.Height) return;

  Gdiplus::StringFormat format;
  format.SetAlignment(static_cast<Gdiplus::StringAlignment>(m_alignment));
  format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
  const std::wstring text = codepage::ToWide(m_displayText.str());
  // Under the flip (x, y) -> (x, -y) the box's top edge (its larger y) comes first.
  const Gdiplus::RectF flipped(static_cast<Gdiplus::REAL>(layout.X),
                               static_cast<Gdiplus::REAL>(-(static_cast<double>(layout.Y) + layout.Height)),
                               static_cast<Gdiplus::REAL>(layout.Width), static_cast<Gdiplus::REAL>(layout.Height));
  Gdiplus::GraphicsPath path;
  path.AddString(text.c_str(), static_cast<INT>(text.size()), &family, style, static_cast<Gdiplus::REAL>(size),
                 flipped, &format);
  const double degrees = m_angle * kDegreesPerRadian;
  if (degrees != 0.0 && Finite(degrees, m_rotationCentre.x, m_rotationCentre.y)) {
    Gdiplus::Matrix turn;
    turn.RotateAt(static_cast<Gdiplus::REAL>(degrees),
                  Gdiplus::PointF(static_cast<Gdiplus::REAL>(m_rotationCentre.x),
                                  static_cast<Gdiplus::REAL>(-m_rotationCentre.y)),
                  Gdiplus::MatrixOrderAppend);
    path.Transform(&turn);
  }
  const Gdiplus::Matrix flip(1, 0, 0, -1, 0, 0);
  graphics.SetTransform(&flip);
  Gdiplus::SolidBrush brush(CShapePainter::ArgbOf(m_captionColour, 0));
  const std::unique_ptr<Gdiplus::GraphicsPath> safe = PathLimits::SafeCopy(path);
  graphics.FillPath(&brush, safe ? safe.get() : &path);
  graphics.ResetTransform();
}

void CDrawText::DrawTextGdi(CDC* dc, const CRect& layout) {
  HDC hdc = dc->GetSafeHdc();
  const LOGFONTW logFont = WideLogFont();
  CFont font;
  font.Attach(::CreateFontIndirectW(&logFont));
  const COLORREF oldColour = ::SetTextColor(hdc, m_captionColour);
  const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
  if (font.GetSafeHandle() && !m_displayText.IsEmpty()) {
    ScopedSelect select(hdc, font.GetSafeHandle());
    const std::wstring text = codepage::ToWide(m_displayText.str());
    // Top above bottom, as the y-up page has it: DrawText then writes downwards.
    RECT r = {layout.left, layout.bottom, layout.right, layout.top};
    // The flags come from the file: one that lets DrawText write into the text (and
    // past its end) is not passed on.
    const UINT flags = (static_cast<UINT>(m_alignment) | static_cast<UINT>(m_drawTextFlags)) & ~UINT(DT_MODIFYSTRING);
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &r, flags);
  }
  ::SetBkMode(hdc, oldMode);
  ::SetTextColor(hdc, oldColour);
}

void CDrawText::DrawMark(CDC* dc, const CRect& layout) {
  if (m_mark != kMarkTick && m_mark != kMarkCross) return;
  CBitmap bitmap;
  if (!bitmap.LoadBitmap(m_mark == kMarkTick ? IDB_TICK_MARK : IDB_CROSS_MARK)) return;
  BITMAP info = {};
  if (!bitmap.GetBitmap(&info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
  const long long cx = (static_cast<long long>(layout.left) + layout.right) / 2;
  const long long cy = (static_cast<long long>(layout.top) + layout.bottom) / 2;
  const long long w = std::min<long long>(static_cast<long long>(layout.right) - layout.left, info.bmWidth);
  const long long h = std::min<long long>(static_cast<long long>(layout.bottom) - layout.top, info.bmHeight);
  if (w <= 0 || h <= 0) return;
  long long x = cx - w / 2, y = cy - h / 2, dw = w, dh = h;
  // Upright whichever way the page maps: on a y-up page the bitmap's top row goes to the
  // rectangle's upper edge, its larger y.
  HDC hdc = dc->GetSafeHdc();
  POINT probe[2] = {{0, 0}, {10000, 10000}};
  ::LPtoDP(hdc, probe, 2);
  if (probe[1].y < probe[0].y) {
    y += h;
    dh = -h;
  }
  if (probe[1].x < probe[0].x) {
    x += w;
    dw = -w;
  }
  HDC memory = ::CreateCompatibleDC(hdc);
  if (!memory) return;
  {
    ScopedSelect select(memory, bitmap.GetSafeHandle());
    auto clamp = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    ::StretchBlt(hdc, clamp(x), clamp(y), clamp(dw), clamp(dh), memory, 0, 0, info.bmWidth, info.bmHeight, SRCAND);
  }
  ::DeleteDC(memory);
}
