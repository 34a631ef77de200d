#include "media/SynthesisFilter.h"

#include <cmath>
#include <cstring>

#include "media/Mp3Tables.h"

namespace {

struct Constants {
  // 1 / (2 cos(k pi / 64)) for k = 1, 3, ..., 31; 2, 6, ..., 30; 4, 12, 20, 28; 8, 24; 16:
  // the factors of the fast DCT's stages of 32, 16, 8, 4 and 2 points.
  double dct[31];
  // D[32a + j] x 32767 for age a and sample j.
  double window[16][32];

  Constants() {
    const double pi = std::acos(-1.0);
    int n = 0;
    for (int step = 1; step <= 16; step *= 2)
      for (int k = step; k < 32; k += 2 * step) dct[n++] = 1.0 / (2.0 * std::cos(k * pi / 64.0));
    for (int a = 0; a < 16; ++a)
      for (int j = 0; j < 32; ++j) window[a][j] = mp3::kSynthesisWindow[32 * a + j] * 32767.0;
  }
};

const Constants& GetConstants() {
  static const Constants constants;
  return constants;
}

// DCT-II of N points, out[m] = sum over k of in[k] cos((2k + 1) m pi / 2N), by halving:
// the even outputs are the DCT of the folded sums, the odd ones come from the DCT of the
// folded differences, each weighted by 1 / (2 cos((2k + 1) pi / 2N)), as
// out[2m + 1] = H[m] + H[m + 1]. `factors` holds this stage's N/2 weights followed by
// those of the smaller stages.
template <int N>
__attribute__((always_inline)) inline void Dct(const double* in, double* out, const double* factors) {
  constexpr int H = N / 2;
  double sums[H], diffs[H], even[H], odd[H];
  for (int k = 0; k < H; ++k) {
    sums[k] = in[k] + in[N - 1 - k];
    diffs[k] = (in[k] - in[N - 1 - k]) * factors[k];
  }
  Dct<H>(sums, even, factors + H);
  Dct<H>(diffs, odd, factors + H);
  for (int m = 0; m < H; ++m) {
    out[2 * m] = even[m];
    out[2 * m + 1] = m + 1 < H ? odd[m] + odd[m + 1] : odd[m];
  }
}

template <>
__attribute__((always_inline)) inline void Dct<1>(const double* in, double* out, const double*) {
  out[0] = in[0];
}

}  // namespace

CSynthesisFilter::CSynthesisFilter() { Reset(); }

void CSynthesisFilter::Reset() {
  GetConstants();
  std::memset(m_v, 0, sizeof m_v);
  m_position = 15;
  m_current = 0;
}

namespace {

// One step of the filter, written once and compiled twice: for any x86-64, and for
// processors with AVX2 and FMA, where the 16-tap sums run four samples wide.
__attribute__((always_inline)) inline void Step(const Constants& c, double (*v)[32][32],
                                                int& position, int& current,
                                                const double* subbands, double* out) {
  double y[32];
  Dct<32>(subbands, y, c.dct);

  // The 64 V values of this step from the 32 DCT outputs (V[i] = y'[16 + i], where y'
  // extends y by y'[32] = 0, y'[64 - m] = -y[m] and y'[m + 64] = -y'[m]).
  double* first = v[current][position];
  double* second = v[1 - current][position];
  for (int j = 0; j < 16; ++j) first[j] = y[16 + j];
  first[16] = 0.0;
  for (int j = 17; j < 32; ++j) first[j] = -y[48 - j];
  second[0] = -y[16];
  for (int j = 1; j <= 16; ++j) second[j] = -y[16 - j];
  for (int j = 17; j < 32; ++j) second[j] = -y[j - 16];
  std::memcpy(v[current][position + 16], first, 32 * sizeof(double));
  std::memcpy(v[1 - current][position + 16], second, 32 * sizeof(double));

  // Eight samples at a time, so that their sums stay in registers across the 16 ages.
  const double (*rows)[32] = v[current];
  for (int j0 = 0; j0 < 32; j0 += 8) {
    double sum[8] = {};
    for (int a = 0; a < 16; ++a) {
      const double* row = rows[position + 16 - a] + j0;
      const double* w = c.window[a] + j0;
      for (int j = 0; j < 8; ++j) sum[j] += w[j] * row[j];
    }
    for (int j = 0; j < 8; ++j) out[j0 + j] = sum[j];
  }

  position = (position + 1) & 15;
  current = 1 - current;
}

void StepPortable(const Constants& c, double (*v)[32][32], int& position, int& current,
                  const double* subbands, double* out) {
  Step(c, v, position, current, subbands, out);
}

__attribute__((target("avx2,fma"))) void StepAvx2(const Constants& c, double (*v)[32][32],
                                                  int& position, int& current,
                                                  const double* subbands, double* out) {
  Step(c, v, position, current, subbands, out);
}

using StepFunction = void (*)(const Constants&, double (*)[32][32], int&, int&, const double*,
                              double*);

StepFunction ChooseStep() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return &StepAvx2;
  return &StepPortable;
}

}  // namespace

void CSynthesisFilter::Synthesize(const double subbands[32], double out[32]) {
  static const StepFunction step = ChooseStep();
  step(GetConstants(), m_v, m_position, m_current, subbands, out);
}
