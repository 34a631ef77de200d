// ActionWindow: the frames on which the step of an action's kind serves it. Every
// window is counted from the begin b = m_nStart + m_nActivation; the sums are made in
// 64 bits because starts and durations come from files.
#pragma once

class CMethod;

class ActionWindow {
 public:
  // b = m_nStart + m_nActivation.
  static long long Begin(const CMethod& action);
  // e = b + m_nDuration + m_nExtraTime, the last frame of continuous motions.
  static long long End(const CMethod& action);
  // Whether the step of the action's kind acts on it at frame t: never while the action
  // is dormant (negative activation), and never for a kind without a step.
  static bool Contains(const CMethod& action, int t);
};
