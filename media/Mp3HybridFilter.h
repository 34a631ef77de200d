// CMp3HybridFilter: the second half of Layer III's hybrid filter bank for one channel:
// the inverse MDCT of each subband's 18 lines with the window of its block type,
// overlap-add with the previous granule, and the frequency inversion that prepares the
// subband samples for the polyphase synthesis.
#pragma once

class CMp3HybridFilter {
 public:
  CMp3HybridFilter();

  void Reset();
  // xr: the granule's 576 lines, subband after subband (short blocks reordered so that
  // line 18 sb + 3 k + w is window w, frequency k). Subbands from `activeSubbands` on are
  // all zero. blockType 0..3; in a mixed block the first two subbands are long blocks
  // with the normal window. out[t][sb]: subband sample of time slot t.
  void Process(const double* xr, int blockType, bool mixed, int activeSubbands,
               double out[18][32]);

 private:
  double m_overlap[32][18];
};
