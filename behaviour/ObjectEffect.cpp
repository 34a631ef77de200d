// Appearance effects of a drawing object: their start, pacing and end on the playback
// clock, the drawing of each frame through an off-screen image, and their length for the
// property page.
#include <algorithm>
#include <climits>
#include <cmath>

#include "behaviour/ActionWindow.h"
#include "behaviour/EffectCanvas.h"
#include "behaviour/EffectFrame.h"
#include "behaviour/EffectGeometry.h"
#include "behaviour/StandardBehaviour.h"
#include "framework/ui/DC.h"
#include "model/DrawObj.h"

void CStandardBehaviour::StepEffect(CDrawObj& object, int t, CView*) {
  for (int i = 0; i < object.m_actions.GetSize(); ++i) {
    const CMethod& action = object.m_actions[i];
    if (action.m_nType != CMethod::typeEffect || !ActionWindow::Contains(action, t)) continue;
    const long long b = ActionWindow::Begin(action);
    if (action.m_nSpeed != 0) {
      // An effect called by an event starts a tick after its begin.
      if ((action.m_nByEvent == 0 && t == b) || (action.m_nByEvent == 1 && t == b + 1)) {
        object.m_flags |= kFlagEffectRunning;
        object.m_effectProgress = 0;
      }
      // The invalidation makes the page repaint the object, which draws the next frame.
      if ((object.m_flags & kFlagEffectRunning) && (t - b) % action.m_nSpeed == 0)
        object.SetEffectParams(action.m_nEffect, action.m_nDirection, action.m_nStep, SRCCOPY, action.m_nSpeed);
    }
    if (t == b + action.m_nDuration) {
      const bool running = (object.m_flags & kFlagEffectRunning) != 0;
      object.m_flags &= ~kFlagEffectRunning;
      object.m_effectProgress = 0;
      // Cut short, the object would keep its last frame until something else repaints it.
      if (running) object.Invalidate();
    }
  }
}

int CStandardBehaviour::DrawEffect(CDrawObj& object, CDC* dc, CView* view) {
  if (!dc || !dc->GetSafeHdc()) return 0;
  const CRect area = object.GetEffectRect();
  const EffectGeometry geometry(area);
  // Nothing to show yet: the effect goes on until its end tick.
  if (geometry.width == 0 || geometry.height == 0) return 0;
  const auto drawPlainly = [&] {
    object.m_flags &= ~kFlagEffectRunning;
    return object.DrawObject(dc, view);
  };
  // A step below 1 (only a file can hold one) would divide by zero or never end: the
  // object appears at once. So it does when the images cannot be had.
  if (object.m_effectStep <= 0) return drawPlainly();
  CEffectCanvas canvas(dc->GetSafeHdc(), area, EffectNeedsWorkImage(object.m_effectKind));
  if (!canvas.IsValid()) return drawPlainly();

  EffectFrame frame;
  frame.kind = object.m_effectKind;
  frame.direction = object.m_effectDirection;
  frame.step = object.m_effectStep;
  frame.rop = static_cast<DWORD>(object.m_effectRop);
  frame.progress = object.m_effectProgress;
  frame.visible = object.m_visible;
  int result = 0;
  DrawEffectFrame(canvas, geometry, frame, [&](HDC image) {
    CDC imageDC(image);
    result = object.DrawObject(&imageDC, view);
  });
  object.m_effectProgress = static_cast<int>(std::clamp<long long>(frame.progress, INT_MIN, INT_MAX));
  object.m_visible = frame.visible;
  if (frame.ended) {
    object.m_flags &= ~kFlagEffectRunning;
    object.Invalidate();  // the next paint draws the object plainly
  }
  return result;
}

int CStandardBehaviour::GetEffectLength(const CDrawObj& object, int kind, int direction, int delay, int step) {
  if (step < 1) return 0;
  const EffectGeometry g(object.GetEffectRect());
  const long long W = g.width, H = g.height, s = step;
  long long frames = 0;
  switch (kind) {
    case 0:
    case 1:
      switch (direction) {
        case 0: case 1: frames = H / s + 1; break;
        case 2: case 3: frames = W / s + 1; break;
        case 4: frames = H < 2 ? 1 : g.halfHeight / s + 1; break;
        case 5: frames = W < 2 ? 1 : g.halfWidth / s + 1; break;
        case 6: frames = kind == 1 ? H / s + 1 : 0; break;
        case 7: frames = kind == 1 ? W / s + 1 : 0; break;
      }
      break;
    case 2:
      if (direction == 0 || direction == 1) frames = 8 / s + 1;
      break;
    case 3:
      if (direction == 0) frames = H / s + 1;
      if (direction == 1) frames = W / s + 1;
      break;
    case 4:
      if (direction == 0 || direction == 1) frames = g.shorter / s + 1;
      if (direction >= 2 && direction <= 5) frames = g.diagonal / 2 / s + 1;
      if (direction == 6 || direction == 7) frames = g.shorter / (2 * s) + 1;
      break;
    case 5:
      if (direction == 0 || direction == 1 || direction == 4) frames = H / (8 * s);
      if (direction == 2 || direction == 3 || direction == 5) frames = W / (8 * s);
      if (direction == 6) frames = std::max(W, H) / (8 * s);
      break;
    case 6:
      frames = 255 / s;
      break;
  }
  // The page stores the absolute value in a 32-bit duration: saturate so that it exists.
  if (frames == 0 || delay == 0) return 0;
  if (frames > INT_MAX / std::abs(static_cast<long long>(delay))) return delay > 0 ? INT_MAX : -INT_MAX;
  return static_cast<int>(frames * delay);
}

