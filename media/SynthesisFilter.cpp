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

// DCT-II of 32 points, out[m] = sum over k of in[k] cos((2k + 1) m pi / 64), by halving:
// the even outputs of an N-point DCT are the N/2-point DCT of the folded sums
// in[k] + in[N - 1 - k], and the odd ones come from the N/2-point DCT H of the folded
// differences, each weighted by 1 / (2 cos((2k + 1) pi / 2N)), as out[2m + 1] =
// H[m] + H[m + 1]. `f` holds the weights of the 32-, 16-, 8-, 4- and 2-point stages in
// turn. The recursion is written out in full (it was generated from exactly this rule),
// which lets the compiler keep every intermediate in registers.
__attribute__((always_inline)) inline void Dct32(const double* in, double* out, const double* f) {
  const double t1 = in[0] + in[31];
  const double t2 = (in[0] - in[31]) * f[0];
  const double t3 = in[1] + in[30];
  const double t4 = (in[1] - in[30]) * f[1];
  const double t5 = in[2] + in[29];
  const double t6 = (in[2] - in[29]) * f[2];
  const double t7 = in[3] + in[28];
  const double t8 = (in[3] - in[28]) * f[3];
  const double t9 = in[4] + in[27];
  const double t10 = (in[4] - in[27]) * f[4];
  const double t11 = in[5] + in[26];
  const double t12 = (in[5] - in[26]) * f[5];
  const double t13 = in[6] + in[25];
  const double t14 = (in[6] - in[25]) * f[6];
  const double t15 = in[7] + in[24];
  const double t16 = (in[7] - in[24]) * f[7];
  const double t17 = in[8] + in[23];
  const double t18 = (in[8] - in[23]) * f[8];
  const double t19 = in[9] + in[22];
  const double t20 = (in[9] - in[22]) * f[9];
  const double t21 = in[10] + in[21];
  const double t22 = (in[10] - in[21]) * f[10];
  const double t23 = in[11] + in[20];
  const double t24 = (in[11] - in[20]) * f[11];
  const double t25 = in[12] + in[19];
  const double t26 = (in[12] - in[19]) * f[12];
  const double t27 = in[13] + in[18];
  const double t28 = (in[13] - in[18]) * f[13];
  const double t29 = in[14] + in[17];
  const double t30 = (in[14] - in[17]) * f[14];
  const double t31 = in[15] + in[16];
  const double t32 = (in[15] - in[16]) * f[15];
  const double t33 = t1 + t31;
  const double t34 = (t1 - t31) * f[16];
  const double t35 = t3 + t29;
  const double t36 = (t3 - t29) * f[17];
  const double t37 = t5 + t27;
  const double t38 = (t5 - t27) * f[18];
  const double t39 = t7 + t25;
  const double t40 = (t7 - t25) * f[19];
  const double t41 = t9 + t23;
  const double t42 = (t9 - t23) * f[20];
  const double t43 = t11 + t21;
  const double t44 = (t11 - t21) * f[21];
  const double t45 = t13 + t19;
  const double t46 = (t13 - t19) * f[22];
  const double t47 = t15 + t17;
  const double t48 = (t15 - t17) * f[23];
  const double t49 = t33 + t47;
  const double t50 = (t33 - t47) * f[24];
  const double t51 = t35 + t45;
  const double t52 = (t35 - t45) * f[25];
  const double t53 = t37 + t43;
  const double t54 = (t37 - t43) * f[26];
  const double t55 = t39 + t41;
  const double t56 = (t39 - t41) * f[27];
  const double t57 = t49 + t55;
  const double t58 = (t49 - t55) * f[28];
  const double t59 = t51 + t53;
  const double t60 = (t51 - t53) * f[29];
  const double t61 = t57 + t59;
  const double t62 = (t57 - t59) * f[30];
  const double t63 = t58 + t60;
  const double t64 = (t58 - t60) * f[30];
  const double t65 = t63 + t64;
  const double t66 = t50 + t56;
  const double t67 = (t50 - t56) * f[28];
  const double t68 = t52 + t54;
  const double t69 = (t52 - t54) * f[29];
  const double t70 = t66 + t68;
  const double t71 = (t66 - t68) * f[30];
  const double t72 = t67 + t69;
  const double t73 = (t67 - t69) * f[30];
  const double t74 = t72 + t73;
  const double t75 = t70 + t74;
  const double t76 = t74 + t71;
  const double t77 = t71 + t73;
  const double t78 = t34 + t48;
  const double t79 = (t34 - t48) * f[24];
  const double t80 = t36 + t46;
  const double t81 = (t36 - t46) * f[25];
  const double t82 = t38 + t44;
  const double t83 = (t38 - t44) * f[26];
  const double t84 = t40 + t42;
  const double t85 = (t40 - t42) * f[27];
  const double t86 = t78 + t84;
  const double t87 = (t78 - t84) * f[28];
  const double t88 = t80 + t82;
  const double t89 = (t80 - t82) * f[29];
  const double t90 = t86 + t88;
  const double t91 = (t86 - t88) * f[30];
  const double t92 = t87 + t89;
  const double t93 = (t87 - t89) * f[30];
  const double t94 = t92 + t93;
  const double t95 = t79 + t85;
  const double t96 = (t79 - t85) * f[28];
  const double t97 = t81 + t83;
  const double t98 = (t81 - t83) * f[29];
  const double t99 = t95 + t97;
  const double t100 = (t95 - t97) * f[30];
  const double t101 = t96 + t98;
  const double t102 = (t96 - t98) * f[30];
  const double t103 = t101 + t102;
  const double t104 = t99 + t103;
  const double t105 = t103 + t100;
  const double t106 = t100 + t102;
  const double t107 = t90 + t104;
  const double t108 = t104 + t94;
  const double t109 = t94 + t105;
  const double t110 = t105 + t91;
  const double t111 = t91 + t106;
  const double t112 = t106 + t93;
  const double t113 = t93 + t102;
  const double t114 = t2 + t32;
  const double t115 = (t2 - t32) * f[16];
  const double t116 = t4 + t30;
  const double t117 = (t4 - t30) * f[17];
  const double t118 = t6 + t28;
  const double t119 = (t6 - t28) * f[18];
  const double t120 = t8 + t26;
  const double t121 = (t8 - t26) * f[19];
  const double t122 = t10 + t24;
  const double t123 = (t10 - t24) * f[20];
  const double t124 = t12 + t22;
  const double t125 = (t12 - t22) * f[21];
  const double t126 = t14 + t20;
  const double t127 = (t14 - t20) * f[22];
  const double t128 = t16 + t18;
  const double t129 = (t16 - t18) * f[23];
  const double t130 = t114 + t128;
  const double t131 = (t114 - t128) * f[24];
  const double t132 = t116 + t126;
  const double t133 = (t116 - t126) * f[25];
  const double t134 = t118 + t124;
  const double t135 = (t118 - t124) * f[26];
  const double t136 = t120 + t122;
  const double t137 = (t120 - t122) * f[27];
  const double t138 = t130 + t136;
  const double t139 = (t130 - t136) * f[28];
  const double t140 = t132 + t134;
  const double t141 = (t132 - t134) * f[29];
  const double t142 = t138 + t140;
  const double t143 = (t138 - t140) * f[30];
  const double t144 = t139 + t141;
  const double t145 = (t139 - t141) * f[30];
  const double t146 = t144 + t145;
  const double t147 = t131 + t137;
  const double t148 = (t131 - t137) * f[28];
  const double t149 = t133 + t135;
  const double t150 = (t133 - t135) * f[29];
  const double t151 = t147 + t149;
  const double t152 = (t147 - t149) * f[30];
  const double t153 = t148 + t150;
  const double t154 = (t148 - t150) * f[30];
  const double t155 = t153 + t154;
  const double t156 = t151 + t155;
  const double t157 = t155 + t152;
  const double t158 = t152 + t154;
  const double t159 = t115 + t129;
  const double t160 = (t115 - t129) * f[24];
  const double t161 = t117 + t127;
  const double t162 = (t117 - t127) * f[25];
  const double t163 = t119 + t125;
  const double t164 = (t119 - t125) * f[26];
  const double t165 = t121 + t123;
  const double t166 = (t121 - t123) * f[27];
  const double t167 = t159 + t165;
  const double t168 = (t159 - t165) * f[28];
  const double t169 = t161 + t163;
  const double t170 = (t161 - t163) * f[29];
  const double t171 = t167 + t169;
  const double t172 = (t167 - t169) * f[30];
  const double t173 = t168 + t170;
  const double t174 = (t168 - t170) * f[30];
  const double t175 = t173 + t174;
  const double t176 = t160 + t166;
  const double t177 = (t160 - t166) * f[28];
  const double t178 = t162 + t164;
  const double t179 = (t162 - t164) * f[29];
  const double t180 = t176 + t178;
  const double t181 = (t176 - t178) * f[30];
  const double t182 = t177 + t179;
  const double t183 = (t177 - t179) * f[30];
  const double t184 = t182 + t183;
  const double t185 = t180 + t184;
  const double t186 = t184 + t181;
  const double t187 = t181 + t183;
  const double t188 = t171 + t185;
  const double t189 = t185 + t175;
  const double t190 = t175 + t186;
  const double t191 = t186 + t172;
  const double t192 = t172 + t187;
  const double t193 = t187 + t174;
  const double t194 = t174 + t183;
  const double t195 = t142 + t188;
  const double t196 = t188 + t156;
  const double t197 = t156 + t189;
  const double t198 = t189 + t146;
  const double t199 = t146 + t190;
  const double t200 = t190 + t157;
  const double t201 = t157 + t191;
  const double t202 = t191 + t143;
  const double t203 = t143 + t192;
  const double t204 = t192 + t158;
  const double t205 = t158 + t193;
  const double t206 = t193 + t145;
  const double t207 = t145 + t194;
  const double t208 = t194 + t154;
  const double t209 = t154 + t183;
  out[0] = t61;
  out[1] = t195;
  out[2] = t107;
  out[3] = t196;
  out[4] = t75;
  out[5] = t197;
  out[6] = t108;
  out[7] = t198;
  out[8] = t65;
  out[9] = t199;
  out[10] = t109;
  out[11] = t200;
  out[12] = t76;
  out[13] = t201;
  out[14] = t110;
  out[15] = t202;
  out[16] = t62;
  out[17] = t203;
  out[18] = t111;
  out[19] = t204;
  out[20] = t77;
  out[21] = t205;
  out[22] = t112;
  out[23] = t206;
  out[24] = t64;
  out[25] = t207;
  out[26] = t113;
  out[27] = t208;
  out[28] = t73;
  out[29] = t209;
  out[30] = t102;
  out[31] = t183;
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
  Dct32(subbands, y, c.dct);

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

  // Sixteen samples at a time: their sums stay in registers across the 16 ages, as
  // independent chains.
  const double (*rows)[32] = v[current];
  for (int j0 = 0; j0 < 32; j0 += 16) {
    double sum[16] = {};
    for (int a = 0; a < 16; ++a) {
      const double* row = rows[position + 16 - a] + j0;
      const double* w = c.window[a] + j0;
      for (int j = 0; j < 16; ++j) sum[j] += w[j] * row[j];
    }
    for (int j = 0; j < 16; ++j) out[j0 + j] = sum[j];
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
