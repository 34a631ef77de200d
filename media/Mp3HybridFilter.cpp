#include "media/Mp3HybridFilter.h"

#include <cmath>
#include <cstring>

namespace {

struct Constants {
  // The 36-point IMDCT follows by symmetry from an 18-point DCT-IV, computed as a DCT-II
  // of the lines weighted by 2 cos(pi (2k + 1) / 72) (then y[n] = U[n] - y[n - 1]); the
  // DCT-II splits into two of 9 points over the folded sums and weighted differences.
  double preWeight[18];   // 2 cos(pi (2k + 1) / 72)
  double foldWeight[9];   // 1 / (2 cos(pi (2k + 1) / 36))
  double dct9[9][12];     // cos(pi (2k + 1) m / 18), [k][m], rows padded for vectors
  // cos(pi/24 (2i + 7)(2k + 1)): the 12-point IMDCT of a short window.
  double imdct12[6][12];  // [k][i]
  // The windows of block types 0 (normal), 1 (start), 3 (stop), and 2 (short, 12 points).
  double window[4][36];

  Constants() {
    const double pi = std::acos(-1.0);
    for (int k = 0; k < 18; ++k) preWeight[k] = 2.0 * std::cos(pi * (2 * k + 1) / 72.0);
    for (int k = 0; k < 9; ++k) foldWeight[k] = 1.0 / (2.0 * std::cos(pi * (2 * k + 1) / 36.0));
    for (int k = 0; k < 9; ++k)
      for (int m = 0; m < 12; ++m) dct9[k][m] = m < 9 ? std::cos(pi * (2 * k + 1) * m / 18.0) : 0.0;
    for (int k = 0; k < 6; ++k)
      for (int i = 0; i < 12; ++i) imdct12[k][i] = std::cos(pi / 24.0 * (2 * i + 7) * (2 * k + 1));
    for (int i = 0; i < 36; ++i) window[0][i] = std::sin(pi / 36.0 * (i + 0.5));
    for (int i = 0; i < 18; ++i) window[1][i] = window[0][i];
    for (int i = 18; i < 24; ++i) window[1][i] = 1.0;
    for (int i = 24; i < 30; ++i) window[1][i] = std::sin(pi / 12.0 * (i - 18 + 0.5));
    for (int i = 30; i < 36; ++i) window[1][i] = 0.0;
    for (int i = 0; i < 6; ++i) window[3][i] = 0.0;
    for (int i = 6; i < 12; ++i) window[3][i] = std::sin(pi / 12.0 * (i - 6 + 0.5));
    for (int i = 12; i < 18; ++i) window[3][i] = 1.0;
    for (int i = 18; i < 36; ++i) window[3][i] = window[0][i];
    for (int i = 0; i < 12; ++i) window[2][i] = std::sin(pi / 12.0 * (i + 0.5));
    for (int i = 12; i < 36; ++i) window[2][i] = 0.0;
  }
};

const Constants& GetConstants() {
  static const Constants constants;
  return constants;
}

// The 36 windowed outputs of one long block: x[i] = y[i + 9] for i < 9, -y[26 - i] for
// i < 27 and -y[i - 27] above, where y is the DCT-IV of the 18 lines.
__attribute__((always_inline)) inline void LongBlock(const Constants& c, const double* lines, const double* window, double* x) {
  double u[18];
  for (int k = 0; k < 18; ++k) u[k] = lines[k] * c.preWeight[k];
  double sums[9], diffs[9];
  for (int k = 0; k < 9; ++k) {
    sums[k] = u[k] + u[17 - k];
    diffs[k] = (u[k] - u[17 - k]) * c.foldWeight[k];
  }
  double even[12] = {}, odd[12] = {};
  for (int k = 0; k < 9; ++k) {
    const double* row = c.dct9[k];
    const double a = sums[k];
    const double b = diffs[k];
    for (int m = 0; m < 12; ++m) {
      even[m] += a * row[m];
      odd[m] += b * row[m];
    }
  }
  odd[9] = 0.0;
  double y[18];
  y[0] = even[0] * 0.5;
  for (int m = 0; m < 9; ++m) {
    if (m > 0) y[2 * m] = even[m] - y[2 * m - 1];
    y[2 * m + 1] = odd[m] + odd[m + 1] - y[2 * m];
  }
  for (int i = 0; i < 9; ++i) x[i] = y[i + 9] * window[i];
  for (int i = 9; i < 27; ++i) x[i] = -y[26 - i] * window[i];
  for (int i = 27; i < 36; ++i) x[i] = -y[i - 27] * window[i];
}

// Three overlapping 12-point transforms, window w placed at 6 + 6w.
__attribute__((always_inline)) inline void ShortBlock(const Constants& c, const double* lines, double* x) {
  std::memset(x, 0, 36 * sizeof(double));
  for (int w = 0; w < 3; ++w) {
    double y[12] = {};
    for (int k = 0; k < 6; ++k) {
      const double v = lines[3 * k + w];
      if (v == 0.0) continue;
      for (int i = 0; i < 12; ++i) y[i] += v * c.imdct12[k][i];
    }
    for (int i = 0; i < 12; ++i) x[6 + 6 * w + i] += y[i] * c.window[2][i];
  }
}

}  // namespace

CMp3HybridFilter::CMp3HybridFilter() { Reset(); }

void CMp3HybridFilter::Reset() {
  GetConstants();
  std::memset(m_overlap, 0, sizeof m_overlap);
}

namespace {

// Written once and compiled twice: for any x86-64, and for processors with AVX2 and FMA.
__attribute__((always_inline)) inline void Transform(const Constants& c, double (*overlaps)[18],
                                                     const double* xr, int blockType, bool mixed,
                                                     int activeSubbands, double (*out)[32]) {
  for (int sb = 0; sb < 32; ++sb) {
    double* overlap = overlaps[sb];
    double x[36];
    if (sb >= activeSubbands) {
      for (int t = 0; t < 18; ++t) out[t][sb] = overlap[t];
      std::memset(overlap, 0, 18 * sizeof(double));
    } else {
      const int type = mixed && sb < 2 ? 0 : blockType;
      if (type == 2)
        ShortBlock(c, xr + 18 * sb, x);
      else
        LongBlock(c, xr + 18 * sb, c.window[type], x);
      for (int t = 0; t < 18; ++t) {
        out[t][sb] = x[t] + overlap[t];
        overlap[t] = x[18 + t];
      }
    }
    if (sb & 1)
      for (int t = 1; t < 18; t += 2) out[t][sb] = -out[t][sb];
  }
}

void TransformPortable(const Constants& c, double (*overlaps)[18], const double* xr, int blockType,
                       bool mixed, int activeSubbands, double (*out)[32]) {
  Transform(c, overlaps, xr, blockType, mixed, activeSubbands, out);
}

__attribute__((target("avx2,fma"))) void TransformAvx2(const Constants& c, double (*overlaps)[18],
                                                       const double* xr, int blockType, bool mixed,
                                                       int activeSubbands, double (*out)[32]) {
  Transform(c, overlaps, xr, blockType, mixed, activeSubbands, out);
}

using TransformFunction = void (*)(const Constants&, double (*)[18], const double*, int, bool, int,
                                   double (*)[32]);

TransformFunction ChooseTransform() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return &TransformAvx2;
  return &TransformPortable;
}

}  // namespace

void CMp3HybridFilter::Process(const double* xr, int blockType, bool mixed, int activeSubbands,
                               double out[18][32]) {
  static const TransformFunction transform = ChooseTransform();
  if (activeSubbands > 32) activeSubbands = 32;
  transform(GetConstants(), m_overlap, xr, blockType, mixed, activeSubbands, out);
}
