// CShapePainter: draws one shape on the page's device context through GDI+. It turns
// the object's pen, brush, fill and line kinds, gradient modes, transparencies and caps
// into a GDI+ pen and brushes, fills and strokes paths with them, and offers the GDI
// parts every shape shares: the centred caption and the button frame.
//
// The page DC carries a y-up anisotropic mapping; a GDI+ graphics made on it draws in
// page units with that mapping, so paths are built in page coordinates.
#pragma once

#include <memory>

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include "framework/core/Rect.h"
#include "framework/core/String.h"

class CDC;
class CDrawObj;

// Fill kinds and line kinds (m_fillKind, m_lineKind); other values are solid.
constexpr int kStyleSolid = 0;
constexpr int kStyleHatch = 1;
constexpr int kStylePathGradient = 3;
constexpr int kStyleLinearGradient = 4;

class CShapePainter {
 public:
  // The shape classes share the gradient rules but differ in a few places.
  struct Options {
    // The second fill colour takes its own transparency (m_fillAlpha2); polygons give
    // both fill colours m_fillAlpha.
    bool ownSecondFillAlpha = true;
    // Fill kind 1 is a hatch; text objects have none and fill solid.
    bool hatchFill = true;
    // Pen path gradients in modes 4 and 5: false puts the second pen colour in the
    // centre for both (rectangles, text); true puts the pen colour in the centre for
    // mode 4 and the second colour for mode 5, the other one around (polygons, lines).
    bool penCentreByMode = false;
    // The centre of a fill path gradient in mode 5, when the class has one.
    bool hasFillCentre = false;
    POINT fillCentre = {0, 0};
  };

  // Makes a graphics on the DC with the host's smoothing mode. The painter draws through
  // GDI+ only and leaves the DC's state as it found it.
  CShapePainter(CDC* dc, CDrawObj& object, const Options& options);
  // Releases the graphics.
  ~CShapePainter();
  CShapePainter(const CShapePainter&) = delete;
  CShapePainter& operator=(const CShapePainter&) = delete;

  Gdiplus::Graphics& Graphics() { return *m_graphics; }

  // The pen and the brushes the object's kinds choose for this path: path gradients
  // take the path's shape, linear gradients lie in the gradient rectangle.
  void Prepare(const Gdiplus::GraphicsPath& path, const Gdiplus::Rect& gradientRect);
  // Paths and points keep to PathLimits on their way to GDI+.
  void FillPath(const Gdiplus::GraphicsPath& path);
  void StrokePath(const Gdiplus::GraphicsPath& path);
  // A segment with the pen: its start cap sits at from, its end cap at to.
  void StrokeLine(const Gdiplus::PointF& from, const Gdiplus::PointF& to);
  Gdiplus::Pen* Pen() { return m_pen.get(); }
  Gdiplus::Brush* FillBrush() { return m_fillBrush.get(); }

  // The widest pen drawn; wider ones from a file are drawn this wide.
  static constexpr Gdiplus::REAL kWidestPen = 1 << 12;
  // The pen for GDI drawing with a width no wider than the widest pen (either sign):
  // Windows' wide-pen outlines of a width from a file can take minutes to build.
  static LOGPEN BoundedLogPen(LOGPEN pen);

  // An 0x00BBGGRR colour with alpha 255 - transparency (clamped to 0..255).
  static Gdiplus::Color ArgbOf(COLORREF colour, int transparency);
  // GDI+ takes dash styles 0 to 4 only; the default pen style 6 (inside frame) and any
  // other value would be refused on Windows and kept by Wine, so they draw solid here
  // on both.
  static Gdiplus::DashStyle DashStyleOf(UINT penStyle);
  static Gdiplus::LineCap LineCapOf(int cap);
  static Gdiplus::DashCap DashCapOf(int cap);

  // The caption centred in the rectangle, with the DC's current font, clipped to it.
  // On a y-up page a calculating DrawText gives a negative height, and it is that sign
  // that puts the line's top half a line above the middle.
  static void DrawCaption(CDC* dc, const CRect& position, const CString& caption, COLORREF colour);
  // The raised frame when bit 0 of the button state is set, else the sunken one.
  static void DrawButtonFrame(CDC* dc, CDrawObj& object);

 private:
  std::unique_ptr<Gdiplus::Brush> MakeBrush(int kind, int gradientMode, const Gdiplus::Color& main,
                                            const Gdiplus::Color& second, bool forPen,
                                            const Gdiplus::GraphicsPath& path, const Gdiplus::Rect& gradientRect);

  CDC* m_dc;
  CDrawObj& m_object;
  Options m_options;
  std::unique_ptr<Gdiplus::Graphics> m_graphics;
  std::unique_ptr<Gdiplus::Pen> m_pen;
  std::unique_ptr<Gdiplus::Brush> m_penBrush;
  std::unique_ptr<Gdiplus::Brush> m_fillBrush;
};
