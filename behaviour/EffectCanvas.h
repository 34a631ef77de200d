// CEffectCanvas: the page context and the off-screen images of one frame of an
// appearance effect, and the copies between them. Positions are given in page units of
// the page context: the area is the effect's rectangle, and regions are relative to its
// (left, top) corner.
//
// Every copy is made in device pixels, each rectangle converted from page units the way
// the object's own drawing converts it. A copy in page units would not do: under the
// page's y-up mapping each rectangle has a negative device height, and the system
// rounds such a copy a row away from where the same rectangle is drawn.
//
// The object image is where the object is drawn, over a copy of the page. The work image
// (only for the kinds that compose a frame off-screen: shapes and fades) is where a
// frame is put together before it goes onto the page.
#pragma once

#include <windows.h>

#include <functional>

#include "behaviour/EffectImage.h"
#include "framework/core/Rect.h"
#include "framework/ui/DC.h"
#include "framework/ui/Rgn.h"

class CEffectCanvas {
 public:
  // More than any display shows, several times over; a larger area is not attempted.
  static constexpr int kLargestSide = 32767;
  static constexpr long long kLargestArea = 1LL << 26;
  // The system's coordinates have 28 signed bits; beyond them conversions wrap.
  static constexpr long long kLargestCoordinate = (1LL << 27) - 1;

  // The area must be normalised and not empty. While the canvas lives the page context
  // is in device units; it is put back as it was when the canvas ends.
  CEffectCanvas(HDC page, const CRect& area, bool withWorkImage);
  ~CEffectCanvas();
  CEffectCanvas(const CEffectCanvas&) = delete;
  CEffectCanvas& operator=(const CEffectCanvas&) = delete;

  // Every image asked for exists (else the page context was left alone).
  bool IsValid() const { return m_pageState != 0; }

  // Has draw draw the object into the object image, given the image's context mapped as
  // the page is, so that the object lands where it would on the page.
  void DrawIntoObjectImage(const std::function<void(HDC)>& draw);
  // Plain copy of the page's w x h at (fromX, fromY) into the object image at (x, y).
  void FillFromPage(long long x, long long y, long long w, long long h, long long fromX, long long fromY);
  // Copy of the object image's w x h at (fromX, fromY) onto the page at (x, y). What
  // lies outside the area on either side is left out: strips and bars that overhang
  // the area neither paint beside it nor read what the image does not hold.
  void Show(long long x, long long y, long long w, long long h, long long fromX, long long fromY, DWORD rop);
  // The area of the page composed in the work image: the page, then the object image
  // through the clip region; the result onto the page. Every copy with the raster
  // operation. A missing region shows nothing.
  void ShowThrough(const CRgn& clip, DWORD rop);
  // The whole object image stretched onto (x, y, w, h) of the page, plainly copied.
  void Stretch(long long x, long long y, long long w, long long h);
  // The object image blended over the page's area with a constant opacity (0 to 255),
  // composed in the work image and copied onto the page with the raster operation.
  void ShowBlended(int alpha, DWORD rop);

  // Regions for ShowThrough, relative to the area's (left, top). Empty (no handle) when
  // the system cannot make one.
  CRgn RectRegion(long long left, long long top, long long right, long long bottom) const;
  CRgn EllipseRegion(long long left, long long top, long long right, long long bottom) const;
  // A polygon of four corners, filled with the winding rule.
  CRgn DiamondRegion(const long long (&corners)[4][2]) const;
  // The two regions combined (RGN_AND, RGN_OR, RGN_DIFF); empty when either is.
  static CRgn Combine(const CRgn& a, const CRgn& b, int mode);

 private:
  // Page units to a device pixel of the page.
  POINT PagePixel(long long x, long long y) const;
  // A page rectangle as the normalised box of device pixels it covers on the page.
  RECT PageBox(long long x, long long y, long long w, long long h) const;
  // The same box on the images, whose pixel (0, 0) is the area's corner.
  RECT ImageBox(long long x, long long y, long long w, long long h) const;
  // A rectangle relative to the area as a normalised box of image pixels.
  RECT RelativeBox(long long left, long long top, long long right, long long bottom) const;

  HDC m_page;
  CRect m_area;
  // A context carrying the page's mapping, for conversions while the page is in pixels.
  CDC m_mapper;
  POINT m_origin = {0, 0};  // the area's top-left pixel on the page
  CEffectImage m_object;
  CEffectImage m_work;
  int m_pageState = 0;
};
