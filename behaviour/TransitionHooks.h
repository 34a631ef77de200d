// TransitionHooks: what a caller may put in place of a page transition's pacing and
// chance. The view passes none; tests watch every frame, record the pauses instead of
// waiting them, and fix the mosaic's order.
#pragma once

#include <functional>

struct TransitionHooks {
  // Called after each frame has been drawn (and its pause, if any, taken), with the
  // frame's index from 0.
  std::function<void(int frame)> afterFrame;
  // Takes the pause in place of the busy wait; receives the delay, never below 0.
  std::function<void(int milliseconds)> pause;
  // Gives the mosaic's random numbers (0 to 32767) in place of the runtime library's
  // generator seeded with the time.
  std::function<int()> random;
};
