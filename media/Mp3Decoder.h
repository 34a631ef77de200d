// CMp3Decoder: decodes MPEG audio Layer III frames (MPEG-1, and the lower sampling
// frequencies of MPEG-2) into interleaved 16-bit stereo samples, one frame at a time.
// It keeps the state that runs from frame to frame: the bit reservoir, the overlap of
// the hybrid filter and the synthesis filters' history. The state is a few tens of
// kilobytes and lives in the object itself, so a decoder can be built on a thread's
// stack.
#pragma once

#include <cstdint>

#include "media/Mp3BitReader.h"
#include "media/Mp3HybridFilter.h"
#include "media/SynthesisFilter.h"

// Turns one sample, already scaled to the 16-bit range, into the 16-bit output value.
// It receives the sample's address and may write a changed value back.
typedef short (*Mp3SampleCallback)(double* sample);

class CMp3Decoder {
 public:
  CMp3Decoder();
  CMp3Decoder(const CMp3Decoder&) = delete;
  CMp3Decoder& operator=(const CMp3Decoder&) = delete;

  // Prepares a run over one stream: id 1 MPEG-1, 0 MPEG-2; mode 3 single channel; the
  // sampling index 0..2. Empties the reservoir and the filters. Returns 0 for fields
  // outside their ranges. Without a callback, samples are clipped and truncated.
  int Init(int id, int mode, int modeExtension, int rateIndex, Mp3SampleCallback callback);

  // Decodes one frame (the bytes after its header, as the frame reader gives them).
  // Its samples go to out[2 (count / 2 + j) + c] for sample j of channel c; a single
  // channel is written to both. count rises by the number of values written. Returns 0,
  // writing nothing, when the frame cannot be decoded: its main data begins before the
  // data the reservoir holds, its side information is invalid, or out (of `capacity`
  // values) has no room for it.
  int DecodeFrame(const uint8_t* frame, bool crc, int mainDataSize, short* out, int capacity,
                  int& count, int id, int mode, int modeExtension, int rateIndex);

 private:
  struct Granule {
    int part2_3_length;
    int big_values;
    int global_gain;
    int scalefac_compress;
    int window_switching;
    int block_type;
    int mixed_block;
    int table_select[3];
    int subblock_gain[3];
    int region0_count;
    int region1_count;
    int preflag;
    int scalefac_scale;
    int count1table_select;
  };
  struct ScaleFactors {
    int l[22];
    int s[13][3];
    // Largest value each band's length allows: the illegal intensity position of the
    // lower sampling frequencies.
    int lMax[22];
    int sMax[13][3];
  };

  bool ReadSideInfo(CMp3BitReader& reader, bool lsf, int channels);
  bool FillReservoir(const uint8_t* mainData, int size, CMp3BitReader& reader);
  void ReadScaleFactors(CMp3BitReader& reader, int gr, int ch);
  void ReadScaleFactorsLsf(CMp3BitReader& reader, int ch, bool intensityStereo);
  bool DecodeHuffman(CMp3BitReader& reader, int gr, int ch, size_t part2Start);
  void Requantize(int gr, int ch);
  void Stereo(int gr, int modeExtension, bool lsf);
  void IntensityLong(int gr, int fromBand, int toBand, bool lsf, bool ms);
  void IntensityLines(int gr, int start, int end, int isPos, int isMax, bool lsf, bool ms);
  void MidSide(int start, int end);
  void Reorder(int ch, const Granule& g);
  void AliasReduce(int ch, const Granule& g);
  void Output(int ch, short* out, int start, bool mono);

  Mp3SampleCallback m_callback = nullptr;
  int m_id = 1;
  int m_row = 3;
  int m_channels = 2;
  int m_granules = 2;

  // Bit reservoir: a ring of main-data bytes, the count written and the count consumed.
  uint8_t m_ring[4096];
  int m_written = 0;
  int m_consumed = 0;
  // This frame's main data, laid out in one piece for the bit reader, with zero padding.
  uint8_t m_mainData[512 + 2048 + CMp3BitReader::kPadding];

  int m_mainDataBegin = 0;
  int m_scfsi[2][4];
  Granule m_granule[2][2];
  ScaleFactors m_scale[2];
  double m_xr[2][576];
  int m_nonzero[2];  // lines of each channel that may be non-zero
  double m_slots[18][32];
  double m_pcm[2][576];

  CMp3HybridFilter m_hybrid[2];
  CSynthesisFilter m_synthesis[2];
};
