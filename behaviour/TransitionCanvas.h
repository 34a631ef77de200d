// CTransitionCanvas: the two device contexts of one page transition, seen in page
// pixels. Every copy lands inside the page's rectangle on the destination and reads
// only inside the page's bitmap on the source, whatever the frame's arithmetic says,
// so the transitions' overhanging strips and tiles never paint beside the page. It also
// paces the frames: a pause for the page's delay and the caller's hook after each one.
//
// While it lives, both contexts are in device units (MM_TEXT, origins at 0): the view
// hands over contexts that may still carry its y-up page mapping, and a copy between
// contexts whose y axes point opposite ways would mirror the page. Both are restored
// when it ends.
#pragma once

#include <windows.h>

#include "behaviour/TransitionHooks.h"
#include "framework/core/Rect.h"

class CTransitionCanvas {
 public:
  // The page lies at the rectangle on the destination and at (0, 0) of the source, whose
  // bitmap is as large as the rectangle. The rectangle must not be empty. A delay below
  // 0 counts as 0.
  CTransitionCanvas(HDC destination, HDC source, const RECT& rect, int delay,
                    const TransitionHooks& hooks);
  ~CTransitionCanvas();
  CTransitionCanvas(const CTransitionCanvas&) = delete;
  CTransitionCanvas& operator=(const CTransitionCanvas&) = delete;

  int Width() const { return m_rect.Width(); }
  int Height() const { return m_rect.Height(); }
  const CRect& Rect() const { return m_rect; }
  int Delay() const { return m_delay; }

  // Copies w x h page pixels from (sourceX, sourceY) to (x, y) of the page; the parts
  // outside the page on either side are left out.
  void Copy(int x, int y, int w, int h, int sourceX, int sourceY);
  // Copies the whole page through a clip region given in page pixels. A missing region
  // copies nothing.
  void CopyThrough(HRGN region);
  // Stretches the whole page into (x, y, w, h) of the page.
  void Stretch(int x, int y, int w, int h);
  // Blends the whole page over what the destination shows, with a constant alpha.
  void Blend(int alpha);

  // Ends a frame: the pause for the delay when asked, then the caller's hook.
  void EndFrame(bool pause = false);

 private:
  HDC m_destination;
  HDC m_source;
  CRect m_rect;
  int m_delay;
  const TransitionHooks& m_hooks;
  int m_destinationState = 0;
  int m_sourceState = 0;
  int m_frame = 0;
};
