// ChoosePathPoint: which point of an n-point trajectory a translation uses on its k-th
// active frame, and what it keeps as the index for its next activation.
#pragma once

struct PathPointChoice {
  int point;       // the index used, or -1 when the object stays where it is
  bool keepIndex;  // m_nPathIndex takes keptIndex
  int keptIndex;
};

// loop, twoWay: the action's flags; n > 0 points; j: the index kept from the last
// activation (it may be anything a file held); k >= 0: frames since the begin;
// lastFrame: this is the action's end frame.
//   no loop, one way: point k while k < n; the index follows k on every frame.
//   loop:             point (j + k) mod n; kept on the last frame.
//   two-way:          out and back once from j, then nothing; the index used is kept on
//                     the last frame.
//   loop and two-way: out and back for ever; kept on the last frame.
// Divisions are floored, so an index a file made negative still names a point.
PathPointChoice ChoosePathPoint(bool loop, bool twoWay, int n, int j, long long k, bool lastFrame);
