#include "model/ShapePainter.h"

#include <algorithm>
#include <climits>
#include <string>
#include <utility>

#include "framework/core/Codepage.h"
#include "framework/ui/DC.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/PathLimits.h"
#include "resources/ModelStrings.h"

CShapePainter::CShapePainter(CDC* dc, CDrawObj& object, const Options& options)
    : m_dc(dc), m_object(object), m_options(options) {
  m_graphics = std::make_unique<Gdiplus::Graphics>(dc->GetSafeHdc());
  if (CDrawHost* host = GetDrawHost())
    m_graphics->SetSmoothingMode(static_cast<Gdiplus::SmoothingMode>(host->GetSmoothingMode()));
}

CShapePainter::~CShapePainter() {
  // Brushes before the pen that may hold one, and everything before the DC is released.
  m_fillBrush.reset();
  m_pen.reset();
  m_penBrush.reset();
  m_graphics.reset();
}

Gdiplus::Color CShapePainter::ArgbOf(COLORREF colour, int transparency) {
  const int alpha = 255 - std::clamp(transparency, 0, 255);
  return Gdiplus::Color(static_cast<BYTE>(alpha), GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

LOGPEN CShapePainter::BoundedLogPen(LOGPEN pen) {
  const LONG widest = static_cast<LONG>(kWidestPen);
  pen.lopnWidth.x = std::clamp(pen.lopnWidth.x, -widest, widest);
  pen.lopnWidth.y = std::clamp(pen.lopnWidth.y, -widest, widest);
  return pen;
}

Gdiplus::DashStyle CShapePainter::DashStyleOf(UINT penStyle) {
  return penStyle <= Gdiplus::DashStyleDashDotDot ? static_cast<Gdiplus::DashStyle>(penStyle)
                                                  : Gdiplus::DashStyleSolid;
}

// Caps outside GDI+'s own set (a custom cap needs an object the file cannot carry) draw
// flat.
Gdiplus::LineCap CShapePainter::LineCapOf(int cap) {
  switch (cap) {
    case Gdiplus::LineCapSquare: case Gdiplus::LineCapRound: case Gdiplus::LineCapTriangle:
    case Gdiplus::LineCapNoAnchor: case Gdiplus::LineCapSquareAnchor: case Gdiplus::LineCapRoundAnchor:
    case Gdiplus::LineCapDiamondAnchor: case Gdiplus::LineCapArrowAnchor:
      return static_cast<Gdiplus::LineCap>(cap);
    default:
      return Gdiplus::LineCapFlat;
  }
}

Gdiplus::DashCap CShapePainter::DashCapOf(int cap) {
  return cap == Gdiplus::DashCapRound || cap == Gdiplus::DashCapTriangle ? static_cast<Gdiplus::DashCap>(cap)
                                                                         : Gdiplus::DashCapFlat;
}

void CShapePainter::Prepare(const Gdiplus::GraphicsPath& unbounded, const Gdiplus::Rect& unboundedRect) {
  const std::unique_ptr<Gdiplus::GraphicsPath> bounded = PathLimits::SafeCopy(unbounded);
  const Gdiplus::GraphicsPath& path = bounded ? *bounded : unbounded;
  auto bound = [](INT v) { return static_cast<INT>(PathLimits::Bounded(v)); };
  const Gdiplus::Rect gradientRect(bound(unboundedRect.X), bound(unboundedRect.Y), bound(unboundedRect.Width),
                                   bound(unboundedRect.Height));
  const CDrawObj& o = m_object;
  const Gdiplus::Color penColour = ArgbOf(o.m_pen.lopnColor, o.m_lineAlpha);
  const Gdiplus::Color penColour2 = ArgbOf(o.m_lineColour2, o.m_lineAlpha2);
  const Gdiplus::Color fillColour = ArgbOf(o.m_brush.lbColor, o.m_fillAlpha);
  const Gdiplus::Color fillColour2 =
      ArgbOf(o.m_fillColour2, m_options.ownSecondFillAlpha ? o.m_fillAlpha2 : o.m_fillAlpha);

  m_fillBrush.reset();
  m_pen.reset();
  m_penBrush.reset();
  const auto penWidth = std::clamp<Gdiplus::REAL>(static_cast<Gdiplus::REAL>(o.m_pen.lopnWidth.x), 0, kWidestPen);
  m_pen = std::make_unique<Gdiplus::Pen>(penColour, penWidth);
  m_pen->SetDashStyle(DashStyleOf(o.m_pen.lopnStyle));
  m_pen->SetStartCap(LineCapOf(o.m_startCap));
  m_pen->SetEndCap(LineCapOf(o.m_endCap));
  m_pen->SetDashCap(DashCapOf(o.m_dashCap));
  if (o.m_lineKind == kStylePathGradient || o.m_lineKind == kStyleLinearGradient) {
    m_penBrush = MakeBrush(o.m_lineKind, o.m_lineGradient, penColour, penColour2, true, path, gradientRect);
    if (m_penBrush && m_penBrush->GetLastStatus() == Gdiplus::Ok) m_pen->SetBrush(m_penBrush.get());
  }
  m_fillBrush = MakeBrush(o.m_fillKind, o.m_fillGradient, fillColour, fillColour2, false, path, gradientRect);
}

std::unique_ptr<Gdiplus::Brush> CShapePainter::MakeBrush(int kind, int gradientMode, const Gdiplus::Color& main,
                                                         const Gdiplus::Color& second, bool forPen,
                                                         const Gdiplus::GraphicsPath& path,
                                                         const Gdiplus::Rect& gradientRect) {
  switch (kind) {
    case kStyleHatch:
      if (forPen || !m_options.hatchFill) break;
      return std::make_unique<Gdiplus::HatchBrush>(static_cast<Gdiplus::HatchStyle>(m_object.m_brush.lbHatch), main,
                                                   second);
    case kStylePathGradient: {
      auto brush = std::make_unique<Gdiplus::PathGradientBrush>(&path);
      if (gradientMode == 4 || gradientMode == 5) {
        Gdiplus::Color centre = second, surround = main;
        if (forPen && m_options.penCentreByMode && gradientMode == 4) std::swap(centre, surround);
        brush->SetCenterColor(centre);
        INT count = 1;
        brush->SetSurroundColors(&surround, &count);
        if (!forPen && gradientMode == 5 && m_options.hasFillCentre)
          brush->SetCenterPoint(Gdiplus::Point(m_options.fillCentre.x, m_options.fillCentre.y));
      }
      brush->SetGammaCorrection(TRUE);
      return brush;
    }
    case kStyleLinearGradient: {
      // Mode 0 runs from the main colour; every other mode from the second colour.
      Gdiplus::LinearGradientMode direction = Gdiplus::LinearGradientModeForwardDiagonal;
      switch (gradientMode) {
        case 0: direction = Gdiplus::LinearGradientModeHorizontal; break;
        case 1: direction = Gdiplus::LinearGradientModeVertical; break;
        case 2: direction = Gdiplus::LinearGradientModeBackwardDiagonal; break;
        default: break;
      }
      const bool fromMain = gradientMode == 0;
      auto brush = std::make_unique<Gdiplus::LinearGradientBrush>(gradientRect, fromMain ? main : second,
                                                                  fromMain ? second : main, direction);
      brush->SetWrapMode(Gdiplus::WrapModeTile);
      brush->SetGammaCorrection(TRUE);
      return brush;
    }
    default:
      break;
  }
  if (forPen) return nullptr;
  return std::make_unique<Gdiplus::SolidBrush>(main);
}

void CShapePainter::FillPath(const Gdiplus::GraphicsPath& path) {
  if (!m_fillBrush) return;
  const std::unique_ptr<Gdiplus::GraphicsPath> bounded = PathLimits::SafeCopy(path);
  m_graphics->FillPath(m_fillBrush.get(), bounded ? bounded.get() : &path);
}

void CShapePainter::StrokePath(const Gdiplus::GraphicsPath& path) {
  if (!m_pen) return;
  const std::unique_ptr<Gdiplus::GraphicsPath> bounded = PathLimits::SafeCopy(path);
  m_graphics->DrawPath(m_pen.get(), bounded ? bounded.get() : &path);
}

void CShapePainter::StrokeLine(const Gdiplus::PointF& from, const Gdiplus::PointF& to) {
  if (m_pen)
    m_graphics->DrawLine(m_pen.get(), Gdiplus::PointF(PathLimits::Bounded(from.X), PathLimits::Bounded(from.Y)),
                         Gdiplus::PointF(PathLimits::Bounded(to.X), PathLimits::Bounded(to.Y)));
}

void CShapePainter::DrawCaption(CDC* dc, const CRect& position, const CString& caption, COLORREF colour) {
  if (caption.IsEmpty()) return;
  HDC hdc = dc->GetSafeHdc();
  const int saved = ::SaveDC(hdc);
  CString measure;
  measure.LoadString(IDS_CAPTION_MEASURE);
  const std::wstring probe = measure.IsEmpty() ? std::wstring(L"\x4E2D") : codepage::ToWide(measure.str());
  RECT calc = {0, 0, 1, 1};
  ::DrawTextW(hdc, probe.c_str(), static_cast<int>(probe.size()), &calc, DT_CALCRECT);
  const long long height = static_cast<long long>(calc.bottom) - calc.top;

  ::SetTextAlign(hdc, TA_CENTER);
  ::SetTextColor(hdc, colour);
  ::SetBkMode(hdc, TRANSPARENT);
  const long long left = position.left, top = position.top;
  const long long x = left + (position.right - left) / 2;
  const long long y = top + (position.bottom - top) / 2 - height / 2;
  // The clip rectangle is ordered in device units, whichever way the mapping turns it.
  POINT corners[2] = {{position.left, position.top}, {position.right, position.bottom}};
  ::LPtoDP(hdc, corners, 2);
  CRect device(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
  device.NormalizeRect();
  POINT back[2] = {{device.left, device.top}, {device.right, device.bottom}};
  ::DPtoLP(hdc, back, 2);
  const RECT clip = {back[0].x, back[0].y, back[1].x, back[1].y};
  const std::wstring text = codepage::ToWide(caption.str());
  ::ExtTextOutW(hdc, static_cast<int>(std::clamp<long long>(x, INT_MIN, INT_MAX)),
                static_cast<int>(std::clamp<long long>(y, INT_MIN, INT_MAX)), ETO_CLIPPED, &clip, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
  ::RestoreDC(hdc, saved);
}

void CShapePainter::DrawButtonFrame(CDC* dc, CDrawObj& object) {
  if (object.GetButtonState() & 1)
    object.DrawRaisedFrame(dc);
  else
    object.DrawSunkenFrame(dc);
}
