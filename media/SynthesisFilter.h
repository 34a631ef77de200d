// CSynthesisFilter: the polyphase synthesis filter bank of MPEG audio for one channel.
// Each call takes the 32 subband samples of one time slot and gives 32 output samples.
//
// The standard's 1024-value V history is kept as what it really depends on: every step
// yields 64 V values, and output sample j reads only V[j] of the even-aged steps and
// V[32 + j] of the odd-aged ones. Two buffers take turns: the current one receives the
// first half and the other the second half, so the current buffer always holds the 16
// values sample j needs, newest first, and the window coefficient of age a is simply
// D[32a + j]. Each buffer keeps its ring of 16 time positions twice over, so the 16
// values sit side by side whatever the write position.
#pragma once

class CSynthesisFilter {
 public:
  CSynthesisFilter();

  // Silence in the history; the write position back at its start.
  void Reset();
  // Filters one time slot. The output is scaled to the 16-bit range (full scale 32767).
  void Synthesize(const double subbands[32], double out[32]);

 private:
  // [buffer][position 0..31, the ring of 16 twice][sample j]
  double m_v[2][32][32];
  int m_position;
  int m_current;
};
