#include "media/Mp3Decoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "media/Mp3Huffman.h"
#include "media/Mp3Tables.h"

namespace {

constexpr int kMaxMainData = 2048;  // the frame reader's buffer
constexpr int kMaxValue = 8206;  // 15 + 2^13 - 1: the largest a table with linbits gives
constexpr int kQuarterMin = -512;
constexpr int kQuarterCount = 576;
constexpr double kMidSide = 0.70710677;  // 1/sqrt(2) as a single-precision value
constexpr double kInfinity = 99999999000.0;  // stands for tan(pi/2)

struct Tables {
  double pow43[kMaxValue + 1];      // |x|^(4/3)
  double pow2q[kQuarterCount];      // 2^(q/4), q from kQuarterMin
  double cs[8], ca[8];              // alias-reduction butterflies
  double isLeft[16], isRight[16];   // MPEG-1 intensity: r/(1+r) and 1/(1+r), r = tan(p pi/12)
  double lsfRatio[2][32];           // 2^(-n/4) and 2^(-n/2)

  Tables() {
    const double pi = std::acos(-1.0);
    for (int i = 0; i <= kMaxValue; ++i) pow43[i] = std::pow(static_cast<double>(i), 4.0 / 3.0);
    for (int i = 0; i < kQuarterCount; ++i) pow2q[i] = std::exp2((i + kQuarterMin) / 4.0);
    for (int i = 0; i < 8; ++i) {
      const double root = std::sqrt(1.0 + mp3::kAliasC[i] * mp3::kAliasC[i]);
      cs[i] = 1.0 / root;
      ca[i] = mp3::kAliasC[i] / root;
    }
    for (int p = 0; p < 16; ++p) {
      const double r = p == 6 ? kInfinity : std::tan(p * pi / 12.0);
      isLeft[p] = r / (1.0 + r);
      isRight[p] = 1.0 / (1.0 + r);
    }
    for (int n = 0; n < 32; ++n) {
      lsfRatio[0][n] = std::exp2(-n / 4.0);
      lsfRatio[1][n] = std::exp2(-n / 2.0);
    }
  }
};

const Tables& T() {
  static const Tables tables;
  return tables;
}

inline double Gain(int quarters) {
  int i = quarters - kQuarterMin;
  if (i < 0) i = 0;
  if (i >= kQuarterCount) i = kQuarterCount - 1;
  return T().pow2q[i];
}

short ClipSample(double* sample) {
  const double v = *sample;
  if (v > 32767.0) return 32767;
  if (v < -32768.0) return -32768;
  if (v != v) return 0;
  return static_cast<short>(v);
}

bool IsShort(int windowSwitching, int blockType) { return windowSwitching && blockType == 2; }

}  // namespace

CMp3Decoder::CMp3Decoder() {
  std::memset(m_ring, 0, sizeof m_ring);
  std::memset(m_scfsi, 0, sizeof m_scfsi);
  std::memset(m_granule, 0, sizeof m_granule);
  std::memset(m_scale, 0, sizeof m_scale);
  std::memset(m_xr, 0, sizeof m_xr);
  m_nonzero[0] = m_nonzero[1] = 0;
  T();
}

int CMp3Decoder::Init(int id, int mode, int modeExtension, int rateIndex,
                      Mp3SampleCallback callback) {
  if (id < 0 || id > 1 || mode < 0 || mode > 3 || modeExtension < 0 || modeExtension > 3 ||
      rateIndex < 0 || rateIndex > 2)
    return 0;
  m_id = id;
  m_channels = mode == 3 ? 1 : 2;
  m_granules = id == 1 ? 2 : 1;
  m_row = rateIndex + (id == 1 ? 3 : 0);
  m_callback = callback;
  m_written = m_consumed = 0;
  for (int ch = 0; ch < 2; ++ch) {
    m_hybrid[ch].Reset();
    m_synthesis[ch].Reset();
  }
  return 1;
}

int CMp3Decoder::DecodeFrame(const uint8_t* frame, bool crc, int mainDataSize, short* out,
                             int capacity, int& count, int id, int mode, int modeExtension,
                             int rateIndex) {
  if (!frame || !out || id != m_id || rateIndex < 0 || rateIndex > 2 || mode < 0 || mode > 3)
    return 0;
  const bool lsf = id == 0;
  const int channels = mode == 3 ? 1 : 2;
  if (channels != m_channels) return 0;
  const int values = m_granules * 576 * 2;
  if (count < 0 || capacity - count < values) return 0;
  if (mainDataSize < 0) mainDataSize = 0;
  if (mainDataSize > kMaxMainData) return 0;
  m_row = rateIndex + (lsf ? 0 : 3);

  const int sideSize = lsf ? (channels == 1 ? 9 : 17) : (channels == 1 ? 17 : 32);
  const int sideStart = crc ? 2 : 0;
  CMp3BitReader side;
  side.Reset(frame + sideStart, static_cast<size_t>(sideSize));
  const bool valid = ReadSideInfo(side, lsf, channels);

  CMp3BitReader reader;
  const int frameStart = m_written - m_mainDataBegin;
  if (!FillReservoir(frame + sideStart + sideSize, mainDataSize, reader) || !valid) return 0;

  const int start = count / 2;
  const bool intensityStereo = channels == 2 && mode == 1 && (modeExtension & 1);
  for (int gr = 0; gr < m_granules; ++gr) {
    for (int ch = 0; ch < channels; ++ch) {
      const size_t part2Start = reader.GetPosition();
      if (lsf)
        ReadScaleFactorsLsf(reader, ch, intensityStereo);
      else
        ReadScaleFactors(reader, gr, ch);
      if (!DecodeHuffman(reader, gr, ch, part2Start)) {
        // Damaged data: this granule of the channel is silent.
        std::memset(m_xr[ch], 0, sizeof m_xr[ch]);
        m_nonzero[ch] = 0;
      }
      reader.SetPosition(part2Start + static_cast<size_t>(m_granule[gr][ch].part2_3_length));
      Requantize(gr, ch);
    }
    if (channels == 2 && mode == 1 && modeExtension != 0) Stereo(gr, modeExtension, lsf);
    for (int ch = 0; ch < channels; ++ch) {
      const Granule& g = m_granule[gr][ch];
      const bool shortBlock = IsShort(g.window_switching, g.block_type);
      int active;
      if (shortBlock) {
        // Reordering gathers band b's windows below line 3 x (start of band b + 1).
        const int16_t* bands = mp3::kShortBandStart[m_row];
        int band = 0;
        while (band < 12 && 3 * bands[band + 1] < m_nonzero[ch]) ++band;
        int lines = 3 * bands[band + 1];
        if (m_nonzero[ch] == 0) lines = 0;
        if (g.mixed_block && lines < 36 && m_nonzero[ch] > 0) lines = 36;
        active = (lines + 17) / 18;
        Reorder(ch, g);
        if (g.mixed_block) AliasReduce(ch, g);
      } else {
        active = std::min(32, (m_nonzero[ch] + 17) / 18 + 1);
        AliasReduce(ch, g);
      }
      m_hybrid[ch].Process(m_xr[ch], g.window_switching ? g.block_type : 0, g.mixed_block != 0,
                           active, m_slots);
      for (int t = 0; t < 18; ++t) m_synthesis[ch].Synthesize(m_slots[t], &m_pcm[ch][32 * t]);
    }
    Output(0, out, start + 576 * gr, channels == 1);
    if (channels == 2) Output(1, out, start + 576 * gr, false);
  }

  // Everything up to the end of the last granule is used; a partly read byte counts whole.
  m_consumed = frameStart + static_cast<int>((reader.GetPosition() + 7) / 8);
  if (m_consumed > m_written) m_consumed = m_written;
  if (m_consumed > 4096) {
    m_consumed -= 4096;
    m_written -= 4096;
  }
  count += values;
  return 1;
}

bool CMp3Decoder::ReadSideInfo(CMp3BitReader& r, bool lsf, int channels) {
  bool valid = true;
  if (lsf) {
    m_mainDataBegin = static_cast<int>(r.Get(8));
    r.Skip(channels == 1 ? 1 : 2);
  } else {
    m_mainDataBegin = static_cast<int>(r.Get(9));
    r.Skip(channels == 1 ? 5 : 3);
    for (int ch = 0; ch < channels; ++ch)
      for (int k = 0; k < 4; ++k) m_scfsi[ch][k] = static_cast<int>(r.Get1());
  }
  for (int gr = 0; gr < m_granules; ++gr) {
    for (int ch = 0; ch < channels; ++ch) {
      Granule& g = m_granule[gr][ch];
      g.part2_3_length = static_cast<int>(r.Get(12));
      g.big_values = static_cast<int>(r.Get(9));
      g.global_gain = static_cast<int>(r.Get(8));
      g.scalefac_compress = static_cast<int>(r.Get(lsf ? 9 : 4));
      g.window_switching = static_cast<int>(r.Get1());
      if (g.window_switching) {
        g.block_type = static_cast<int>(r.Get(2));
        g.mixed_block = static_cast<int>(r.Get1());
        g.table_select[0] = static_cast<int>(r.Get(5));
        g.table_select[1] = static_cast<int>(r.Get(5));
        g.table_select[2] = 0;
        for (int w = 0; w < 3; ++w) g.subblock_gain[w] = static_cast<int>(r.Get(3));
        // Window switching needs a start, short or stop block.
        if (g.block_type == 0) valid = false;
        if (g.block_type != 2) g.mixed_block = 0;
        g.region0_count = g.block_type == 2 && !g.mixed_block ? 8 : 7;
        g.region1_count = lsf ? 13 : 20 - g.region0_count;
      } else {
        g.block_type = 0;
        g.mixed_block = 0;
        for (int k = 0; k < 3; ++k) g.table_select[k] = static_cast<int>(r.Get(5));
        for (int w = 0; w < 3; ++w) g.subblock_gain[w] = 0;
        g.region0_count = static_cast<int>(r.Get(4));
        g.region1_count = static_cast<int>(r.Get(3));
      }
      g.preflag = lsf ? 0 : static_cast<int>(r.Get1());
      g.scalefac_scale = static_cast<int>(r.Get1());
      g.count1table_select = static_cast<int>(r.Get1());
    }
  }
  return valid;
}

// Adds the frame's main data to the ring and lays out, from where this frame's data
// begins, everything up to the end of it for the bit reader.
bool CMp3Decoder::FillReservoir(const uint8_t* mainData, int size, CMp3BitReader& reader) {
  const int at = m_written & 4095;
  const int first = std::min(size, 4096 - at);
  std::memcpy(m_ring + at, mainData, static_cast<size_t>(first));
  std::memcpy(m_ring, mainData + first, static_cast<size_t>(size - first));
  m_written += size;
  // Bytes older than the ring's length are gone.
  if (m_written - m_consumed > 4096) m_consumed = m_written - 4096;
  const int begin = m_written - size - m_mainDataBegin;
  if (begin < m_consumed) return false;
  const int length = m_written - begin;
  const int from = begin & 4095;
  const int head = std::min(length, 4096 - from);
  std::memcpy(m_mainData, m_ring + from, static_cast<size_t>(head));
  std::memcpy(m_mainData + head, m_ring, static_cast<size_t>(length - head));
  std::memset(m_mainData + length, 0, CMp3BitReader::kPadding);
  reader.Reset(m_mainData, static_cast<size_t>(length));
  return true;
}

void CMp3Decoder::ReadScaleFactors(CMp3BitReader& r, int gr, int ch) {
  const Granule& g = m_granule[gr][ch];
  ScaleFactors& s = m_scale[ch];
  const int slen1 = mp3::kSlen[0][g.scalefac_compress & 15];
  const int slen2 = mp3::kSlen[1][g.scalefac_compress & 15];
  if (IsShort(g.window_switching, g.block_type)) {
    int band = 0;
    if (g.mixed_block) {
      for (; band < 8; ++band) s.l[band] = static_cast<int>(r.Get(slen1));
      band = 3;
    }
    for (; band < 6; ++band)
      for (int w = 0; w < 3; ++w) s.s[band][w] = static_cast<int>(r.Get(slen1));
    for (; band < 12; ++band)
      for (int w = 0; w < 3; ++w) s.s[band][w] = static_cast<int>(r.Get(slen2));
    for (int w = 0; w < 3; ++w) s.s[12][w] = 0;
  } else {
    static const int kGroupStart[5] = {0, 6, 11, 16, 21};
    for (int k = 0; k < 4; ++k) {
      // The second granule may share a group's scale factors with the first.
      if (gr == 1 && m_scfsi[ch][k]) continue;
      const int length = k < 2 ? slen1 : slen2;
      for (int band = kGroupStart[k]; band < kGroupStart[k + 1]; ++band)
        s.l[band] = static_cast<int>(r.Get(length));
    }
    s.l[21] = 0;
  }
}

void CMp3Decoder::ReadScaleFactorsLsf(CMp3BitReader& r, int ch, bool intensityStereo) {
  Granule& g = m_granule[0][ch];
  ScaleFactors& s = m_scale[ch];
  int sfc = g.scalefac_compress;
  int slen[4] = {0, 0, 0, 0};
  int table;
  g.preflag = 0;
  if (intensityStereo && ch == 1) {
    int isc = sfc >> 1;
    if (isc < 180) {
      slen[0] = isc / 36;
      slen[1] = isc % 36 / 6;
      slen[2] = isc % 36 % 6;
      table = 3;
    } else if (isc < 244) {
      isc -= 180;
      slen[0] = (isc & 63) >> 4;
      slen[1] = (isc & 15) >> 2;
      slen[2] = isc & 3;
      table = 4;
    } else {
      isc -= 244;
      slen[0] = isc / 3;
      slen[1] = isc % 3;
      table = 5;
    }
  } else if (sfc < 400) {
    slen[0] = (sfc >> 4) / 5;
    slen[1] = (sfc >> 4) % 5;
    slen[2] = (sfc & 15) >> 2;
    slen[3] = sfc & 3;
    table = 0;
  } else if (sfc < 500) {
    sfc -= 400;
    slen[0] = (sfc >> 2) / 5;
    slen[1] = (sfc >> 2) % 5;
    slen[2] = sfc & 3;
    table = 1;
  } else {
    sfc -= 500;
    slen[0] = sfc / 3;
    slen[1] = sfc % 3;
    g.preflag = 1;
    table = 2;
  }
  const int kind = IsShort(g.window_switching, g.block_type) ? (g.mixed_block ? 2 : 1) : 0;
  int value[40] = {};
  int maximum[40] = {};
  int n = 0;
  for (int p = 0; p < 4; ++p) {
    for (int i = 0; i < mp3::kLsfPartitions[table][kind][p] && n < 40; ++i, ++n) {
      value[n] = static_cast<int>(r.Get(slen[p]));
      maximum[n] = (1 << slen[p]) - 1;
    }
  }
  n = 0;
  if (kind == 0) {
    for (int band = 0; band < 21; ++band, ++n) {
      s.l[band] = value[n];
      s.lMax[band] = maximum[n];
    }
    s.l[21] = 0;
    s.lMax[21] = s.lMax[20];
    return;
  }
  int band = 0;
  if (kind == 2) {
    for (; band < 6; ++band, ++n) {
      s.l[band] = value[n];
      s.lMax[band] = maximum[n];
    }
    band = 3;
  }
  for (; band < 12; ++band) {
    for (int w = 0; w < 3; ++w, ++n) {
      s.s[band][w] = value[n];
      s.sMax[band][w] = maximum[n];
    }
  }
  for (int w = 0; w < 3; ++w) {
    s.s[12][w] = 0;
    s.sMax[12][w] = s.sMax[11][w];
  }
}

// Decodes the granule's quantized lines into m_xr as signed |x|^(4/3); Requantize then
// applies the gains.
bool CMp3Decoder::DecodeHuffman(CMp3BitReader& r, int gr, int ch, size_t part2Start) {
  const Granule& g = m_granule[gr][ch];
  double* xr = m_xr[ch];
  const double* pow43 = T().pow43;
  const size_t end = part2Start + static_cast<size_t>(g.part2_3_length);
  const int16_t* longStart = mp3::kLongBandStart[m_row];
  // big_values counts pairs; the standard limits it to 288 (576 lines).
  const int bigEnd = std::min(g.big_values, 288) * 2;
  int bounds[3];
  if (IsShort(g.window_switching, g.block_type)) {
    bounds[0] = 36;
    bounds[1] = 576;
  } else {
    bounds[0] = longStart[std::min(g.region0_count + 1, 22)];
    bounds[1] = longStart[std::min(g.region0_count + g.region1_count + 2, 22)];
  }
  bounds[0] = std::min(bounds[0], bigEnd);
  bounds[1] = std::max(bounds[0], std::min(bounds[1], bigEnd));
  bounds[2] = bigEnd;

  int i = 0;
  for (int region = 0; region < 3; ++region) {
    const int stop = bounds[region];
    if (i >= stop) continue;
    const CMp3Huffman* table = CMp3Huffman::BigValueTable(g.table_select[region]);
    if (!table) return false;  // tables 4 and 14 do not exist
    if (table->IsEmpty()) {
      for (; i < stop; ++i) xr[i] = 0.0;
      continue;
    }
    const int linbits = mp3::kLinbits[g.table_select[region]];
    for (; i < stop; i += 2) {
      // One look at 32 bits usually holds the word, its escape bits and its signs.
      uint32_t bits = r.Peek32();
      int v;
      int used;
      if (!table->DecodeFrom(bits, &v, &used)) {
        v = table->Decode(r);
        bits = r.Peek32();
        used = 0;
      }
      int x = v >> 4;
      int y = v & 15;
      double a = 0.0;
      double b = 0.0;
      if (v) {
        // Escape bits and signs take at most 2 x (13 + 1) bits.
        if (linbits && 32 - used < 2 * (linbits + 1)) {
          r.Skip(used);
          bits = r.Peek32();
          used = 0;
        }
        if (x) {
          if (x == 15 && linbits) {
            x += static_cast<int>(bits << used >> (32 - linbits));
            used += linbits;
          }
          a = bits << used & 0x80000000u ? -pow43[x] : pow43[x];
          ++used;
        }
        if (y) {
          if (y == 15 && linbits) {
            y += static_cast<int>(bits << used >> (32 - linbits));
            used += linbits;
          }
          b = bits << used & 0x80000000u ? -pow43[y] : pow43[y];
          ++used;
        }
      }
      r.Skip(used);
      xr[i] = a;
      xr[i + 1] = b;
    }
  }
  // The big values took more bits than the granule has: the data is damaged.
  if (r.GetPosition() > end) return false;

  const CMp3Huffman& quad = CMp3Huffman::QuadrupleTable(g.count1table_select);
  while (i <= 572 && r.GetPosition() < end) {
    const int v = quad.Decode(r);
    double q[4] = {0.0, 0.0, 0.0, 0.0};
    for (int k = 0; k < 4; ++k)
      if (v >> (3 - k) & 1) q[k] = r.Get1() ? -1.0 : 1.0;
    // A quadruple that runs past the granule's bits is not part of it.
    if (r.GetPosition() > end) break;
    for (int k = 0; k < 4; ++k) xr[i + k] = q[k];
    i += 4;
  }
  m_nonzero[ch] = i;
  for (; i < 576; ++i) xr[i] = 0.0;
  return true;
}

void CMp3Decoder::Requantize(int gr, int ch) {
  const Granule& g = m_granule[gr][ch];
  const ScaleFactors& s = m_scale[ch];
  double* xr = m_xr[ch];
  const int n = m_nonzero[ch];
  const int gain = g.global_gain - 210;
  const int shift = g.scalefac_scale;
  const bool shortBlock = IsShort(g.window_switching, g.block_type);
  int i = 0;
  if (!shortBlock || g.mixed_block) {
    // Long bands: all of them, or those below line 36 in a mixed block.
    const int16_t* bands = mp3::kLongBandStart[m_row];
    const int longEnd = shortBlock ? 36 : 576;
    for (int band = 0; i < n && i < longEnd && band < 22; ++band) {
      const int e = (s.l[band] + g.preflag * mp3::kPretab[band]) << shift;
      const double factor = Gain(gain - 2 * e);
      const int stop = std::min({static_cast<int>(bands[band + 1]), n, longEnd});
      for (; i < stop; ++i) xr[i] *= factor;
    }
  }
  if (shortBlock) {
    const int16_t* bands = mp3::kShortBandStart[m_row];
    for (int band = g.mixed_block ? 3 : 0; band < 13 && i < n; ++band) {
      const int width = bands[band + 1] - bands[band];
      for (int w = 0; w < 3 && i < n; ++w) {
        const int e = s.s[band][w] << shift;
        const double factor = Gain(gain - 8 * g.subblock_gain[w] - 2 * e);
        const int stop = std::min(i + width, n);
        for (; i < stop; ++i) xr[i] *= factor;
      }
    }
  }
  for (; i < 576; ++i) xr[i] = 0.0;
}

void CMp3Decoder::MidSide(int start, int end) {
  double* left = m_xr[0];
  double* right = m_xr[1];
  for (int i = start; i < end; ++i) {
    const double m = left[i];
    const double s = right[i];
    left[i] = (m + s) * kMidSide;
    right[i] = (m - s) * kMidSide;
  }
}

// Intensity stereo for the lines of one band: the right channel's scale factor is the
// position; a position the standard marks as none leaves the band to mid-side or plain
// stereo.
void CMp3Decoder::IntensityLines(int gr, int start, int end, int isPos, int isMax, bool lsf,
                                 bool ms) {
  double* left = m_xr[0];
  double* right = m_xr[1];
  double kl, kr;
  if (lsf) {
    if (isPos == isMax) {
      if (ms) MidSide(start, end);
      return;
    }
    const double* ratio = T().lsfRatio[m_granule[gr][1].scalefac_compress & 1];
    kl = 1.0;
    kr = 1.0;
    if (isPos & 1)
      kl = ratio[(isPos + 1) / 2 & 31];
    else if (isPos)
      kr = ratio[isPos / 2 & 31];
  } else {
    if (isPos == 7) {
      if (ms) MidSide(start, end);
      return;
    }
    kl = T().isLeft[isPos & 15];
    kr = T().isRight[isPos & 15];
  }
  for (int i = start; i < end; ++i) {
    const double v = left[i];
    left[i] = v * kl;
    right[i] = v * kr;
  }
}

void CMp3Decoder::IntensityLong(int gr, int fromBand, int toBand, bool lsf, bool ms) {
  const ScaleFactors& s = m_scale[1];
  const int16_t* bands = mp3::kLongBandStart[m_row];
  for (int band = fromBand; band < toBand; ++band) {
    // The last band has no scale factor of its own and takes the one below it.
    const int from = band == 21 ? 20 : band;
    IntensityLines(gr, bands[band], bands[band + 1], s.l[from], lsf ? s.lMax[from] : 7, lsf, ms);
  }
}

void CMp3Decoder::Stereo(int gr, int modeExtension, bool lsf) {
  const bool ms = (modeExtension & 2) != 0;
  const bool intensity = (modeExtension & 1) != 0;
  const int nonzero = std::max(m_nonzero[0], m_nonzero[1]);
  m_nonzero[0] = m_nonzero[1] = nonzero;
  if (!intensity) {
    MidSide(0, nonzero);
    return;
  }
  const Granule& g = m_granule[gr][1];
  const double* right = m_xr[1];
  const ScaleFactors& s = m_scale[1];
  if (!IsShort(g.window_switching, g.block_type)) {
    // Intensity above the band that holds the right channel's last non-zero line.
    int last = 575;
    while (last >= 0 && right[last] == 0.0) --last;
    const int16_t* bands = mp3::kLongBandStart[m_row];
    int first = 0;
    if (last >= 0) {
      while (bands[first + 1] <= last) ++first;
      ++first;
    }
    if (ms) MidSide(0, bands[first]);
    IntensityLong(gr, first, 22, lsf, ms);
    return;
  }
  // Short windows: each window has its own boundary.
  const int16_t* bands = mp3::kShortBandStart[m_row];
  const int firstShort = g.mixed_block ? 3 : 0;
  bool shortNonzero = false;
  for (int w = 0; w < 3; ++w) {
    int lastBand = firstShort - 1;
    for (int band = firstShort; band < 13; ++band) {
      const int width = bands[band + 1] - bands[band];
      const int base = 3 * bands[band] + w * width;
      for (int k = 0; k < width; ++k) {
        if (right[base + k] != 0.0) {
          lastBand = band;
          break;
        }
      }
    }
    if (lastBand >= firstShort) shortNonzero = true;
    for (int band = firstShort; band < 13; ++band) {
      const int width = bands[band + 1] - bands[band];
      const int base = 3 * bands[band] + w * width;
      if (band <= lastBand) {
        if (ms) MidSide(base, base + width);
      } else {
        const int from = band == 12 ? 11 : band;
        IntensityLines(gr, base, base + width, s.s[from][w], lsf ? s.sMax[from][w] : 7, lsf, ms);
      }
    }
  }
  if (g.mixed_block) {
    // The long bands below line 36 take part only when every short window is empty.
    const int16_t* longBands = mp3::kLongBandStart[m_row];
    int longCount = 0;
    while (longBands[longCount] < 36) ++longCount;
    if (shortNonzero) {
      if (ms) MidSide(0, 36);
      return;
    }
    int last = 35;
    while (last >= 0 && right[last] == 0.0) --last;
    int first = 0;
    if (last >= 0) {
      while (longBands[first + 1] <= last) ++first;
      ++first;
    }
    if (ms) MidSide(0, longBands[first]);
    IntensityLong(gr, first, longCount, lsf, ms);
  }
}

// Short windows arrive band by band, each band's three windows in turn; the transform
// wants each frequency's three windows side by side.
void CMp3Decoder::Reorder(int ch, const Granule& g) {
  const int16_t* bands = mp3::kShortBandStart[m_row];
  double* xr = m_xr[ch];
  double sorted[576];
  const int firstBand = g.mixed_block ? 3 : 0;
  for (int band = firstBand; band < 13; ++band) {
    const int width = bands[band + 1] - bands[band];
    const int base = 3 * bands[band];
    for (int w = 0; w < 3; ++w)
      for (int k = 0; k < width; ++k) sorted[3 * (bands[band] + k) + w] = xr[base + w * width + k];
  }
  const int from = 3 * bands[firstBand];
  std::memcpy(xr + from, sorted + from, (576 - from) * sizeof(double));
}

void CMp3Decoder::AliasReduce(int ch, const Granule& g) {
  const Tables& t = T();
  double* xr = m_xr[ch];
  int boundaries = g.mixed_block ? 1 : std::min(31, (m_nonzero[ch] + 17) / 18);
  for (int sb = 1; sb <= boundaries; ++sb) {
    double* up = xr + 18 * sb - 1;
    double* down = xr + 18 * sb;
    for (int i = 0; i < 8; ++i) {
      const double bu = up[-i];
      const double bd = down[i];
      up[-i] = bu * t.cs[i] - bd * t.ca[i];
      down[i] = bd * t.cs[i] + bu * t.ca[i];
    }
  }
}

void CMp3Decoder::Output(int ch, short* out, int start, bool mono) {
  double* pcm = m_pcm[ch];
  short* to = out + 2 * start + ch;
  for (int j = 0; j < 576; ++j) {
    const short v = m_callback ? m_callback(&pcm[j]) : ClipSample(&pcm[j]);
    to[2 * j] = v;
    if (mono) to[2 * j + 1] = v;
  }
}
