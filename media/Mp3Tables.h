// The fixed tables of MPEG audio Layer III (ISO/IEC 11172-3 and, for the lower sampling
// frequencies, ISO/IEC 13818-3), as the standards give them.
#pragma once

#include <cstdint>

namespace mp3 {

// Bit rate in kbit/s of Layer III by the header's ID bit (0 MPEG-2, 1 MPEG-1) and bit-rate
// index; index 0 (free format) and 15 (forbidden) give 0.
extern const int kBitRateKbps[2][16];
// Sampling frequency in Hz by ID and sampling index; the reserved index 3 gives 1.
extern const int kSampleRate[2][4];

// Rows of the band tables: 22.05, 24, 16 kHz (MPEG-2), then 44.1, 48, 32 kHz (MPEG-1), so
// that the row is the sampling index, plus 3 for MPEG-1.
constexpr int kRowCount = 6;
// First line of each long-block scale-factor band 0..21, and 576.
extern const int16_t kLongBandStart[kRowCount][23];
// First line of each short-block scale-factor band 0..12 within one window, and 192.
extern const int16_t kShortBandStart[kRowCount][14];

// MPEG-1 scale-factor lengths by scalefac_compress.
extern const uint8_t kSlen[2][16];
// Pre-emphasis added to the long-block scale factors when preflag is set (band 21: 0).
extern const uint8_t kPretab[22];
// MPEG-2 scale-factor partitions: band counts of the four slen groups, by the table that
// scalefac_compress selects (0-2, or 3-5 for the right channel under intensity stereo)
// and the block kind (0 long, 1 short, 2 mixed); short counts are bands x 3 windows.
extern const uint8_t kLsfPartitions[6][3][4];

// The standard's c[i] from which the alias-reduction butterflies are derived.
extern const double kAliasC[8];
// Coefficients D[i] of the synthesis window.
extern const double kSynthesisWindow[512];

// Huffman code words ("hcod") as strings of 0 and 1, separated by spaces, for every
// (x, y) in row order: x = 0 with y = 0, 1, ...; then x = 1, ... Null for the tables the
// standard does not define (0 codes nothing; 4 and 14 are not used); tables 17-23 use
// the words of 16 and tables 25-31 those of 24, with more linbits.
const char* HuffmanCodes(int table, int* size);
// The two count1 tables (0: A, 1: B), words for v w x y = 0000 to 1111.
const char* QuadrupleCodes(int table);
extern const uint8_t kLinbits[32];

}  // namespace mp3
