// PathLimits: what a path must keep to on its way to GDI+. Pages from files may hold any
// coordinate, and the platform's GDI+ is not built for all of them: it keeps single-
// precision geometry, takes time and memory in proportion to a figure's extent (a figure
// 2^31 units wide takes seconds to stroke; 2^24 has crashed), and Wine's flattening of
// curves decides flatness from products of absolute coordinates, which in single
// precision stop converging once coordinates pass a few thousand units: it recurses until
// the stack is gone. So coordinates are bounded far outside any page, and curves lying
// beyond the exact range are flattened here, by a bounded count of segments.
#pragma once

#include <memory>

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

namespace PathLimits {

// Farther than this from the page's origin a coordinate is drawn at this distance: twice
// as far as the widest page (32767 units) reaches. GDI+ makes a region of a filled or
// widened figure over its whole extent: a polygon stroked to 2^20 units took 10 s.
constexpr Gdiplus::REAL kFarCoordinate = 1 << 16;
// Curves wholly within this distance of the origin are left to GDI+.
constexpr Gdiplus::REAL kExactCoordinate = 1 << 11;
// Deviation allowed between a curve and the segments that stand for it, in page units.
constexpr Gdiplus::REAL kFlatness = 0.25f;

// The coordinate within kFarCoordinate; NaN gives 0.
Gdiplus::REAL Bounded(double coordinate);
// A copy of the path with every point bounded and, where any point lies beyond
// kExactCoordinate, its curves made segments; null when the path keeps to both already.
std::unique_ptr<Gdiplus::GraphicsPath> SafeCopy(const Gdiplus::GraphicsPath& path);
// The path's curves made segments, whatever its coordinates, in place of
// GraphicsPath::Flatten.
void Flatten(Gdiplus::GraphicsPath& path);

}  // namespace PathLimits
