// EffectFrame: one frame of an appearance effect — what it reads of its object (kind,
// direction, step, raster operation, progress, visibility) and what it changes.
//
// Kinds and their directions:
//   0 scan: 0 down, 1 up, 2 right, 3 left, 4 top and bottom to the middle, 5 left and
//     right to the middle
//   1 move in, the page's own background moving with the object: the six of the scan,
//     6 halves crossing vertically, 7 halves crossing horizontally
//   2 blinds of 8-unit strips: 0 vertical, 1 horizontal
//   3 bars 8 units wide sliding from opposite edges: 0 vertical, 1 horizontal
//   4 shape spreading: 0 diamond out, 1 diamond in, 2 circle out, 3 circle in,
//     4 ellipse out, 5 ellipse in, 6 cross out, 7 cross in
//   5 stretch from an edge or the middle: the six of the scan, 6 from the centre
//   6 fade: 0 in, 1 out
// The progress counts units of the page (kinds 0 to 4), bands of 8 units (kind 5) or
// opacity (kind 6); after a frame it moves on by the step. When it passes the kind's
// limit the frame shows nothing and the effect has ended (the inward shapes count down
// instead, and end on the frame that falls below the step, which still shows). Any
// other kind, or a direction its kind does not list, shows nothing and keeps the
// progress.
#pragma once

#include <windows.h>

#include <functional>

#include "behaviour/EffectCanvas.h"
#include "behaviour/EffectGeometry.h"

struct EffectFrame {
  int kind = 0;
  int direction = 0;
  int step = 1;  // above 0
  DWORD rop = SRCCOPY;
  long long progress = 0;
  int visible = 1;
  bool ended = false;
};

// Whether the kind composes its frames in the canvas's work image.
bool EffectNeedsWorkImage(int kind);

// Fills the object image from the page, has drawObject draw the object into it (given
// the image's context, mapped as the page), and shows on the page what the kind shows
// at the frame's progress; then updates the frame.
void DrawEffectFrame(CEffectCanvas& canvas, const EffectGeometry& area, EffectFrame& frame,
                     const std::function<void(HDC)>& drawObject);
