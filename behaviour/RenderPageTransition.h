// RenderPageTransition: plays a page's entry transition. The view paints the finished
// page into a memory context (the page's top-left pixel at its (0, 0), the bitmap as
// large as the page) and calls this once from its paint; every frame goes straight into
// the destination inside this one call, paced by busy waits, with no message processed.
// Afterwards the view repaints its whole window, which completes what the last frame of
// a kind leaves undrawn.
//
// The rectangle is in device units of the destination. Both contexts may carry any
// mapping: the copies are made in device units and the mappings are left as they were.
// Nothing is drawn outside the rectangle.
//
// Kinds and their directions:
//   0 plain (one copy)
//   1 scan line by line: 0 down, 1 up, 2 right, 3 left, 4 top and bottom to the middle,
//     5 left and right to the middle
//   2 slide in: 0 down, 1 up, 2 right, 3 left, 4 top and bottom, 5 left and right,
//     6 halves crossing vertically, 7 halves crossing horizontally
//   3 blinds of 16-pixel bands: 0 vertical, 1 horizontal
//   4 bars of 16 pixels sliding from opposite edges: 0 vertical, 1 horizontal
//   5 mosaic of 12 x 12 tiles in random order
//   6 shape spreading 16 pixels a frame: 0 diamond out, 1 diamond in, 2 circle out,
//     3 circle in, 4 ellipse out, 5 ellipse in, 6 cross out, 7 cross in
//   7 stretch: 0 down, 1 up, 2 right, 3 left, 4 from the middle row, 5 from the middle
//     column, 6 from the centre
//   8 fade in
// Any other kind, or a direction its kind does not list, draws nothing.
//
// The delay (milliseconds, below 0 counts as 0) sets the pause of the scans, blinds and
// mosaic, the step of the slides and bars (15 - delay pixels, at least 1) and the alpha
// step of the fade. An empty rectangle, a missing destination, or a page wider or taller
// than 32767 pixels (more than any display holds) draws nothing.
#pragma once

#include <windows.h>

#include "behaviour/TransitionHooks.h"

void RenderPageTransition(HDC destination, HDC source, const RECT& rect, int kind, int direction,
                          int delay);

// The same with the pacing and the mosaic's chance replaced by the hooks given.
void RenderPageTransition(HDC destination, HDC source, const RECT& rect, int kind, int direction,
                          int delay, const TransitionHooks& hooks);
