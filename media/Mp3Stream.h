// CMp3Stream: reads an MPEG audio Layer III stream frame by frame. It finds each frame
// by its header, checks it, and hands out the frame's bytes after the 4-byte header
// together with the header fields the decoder needs.
//
// A first frame (at the start, after a rewind, or after bytes that had to be skipped) is
// only accepted when the next frame's header follows it where its length says, so that a
// chance 0xFFF inside a tag or inside damaged data does not lock the stream onto garbage.
// A leading ID3v2 tag is skipped whole.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/ByteSource.h"

class CMp3Stream {
 public:
  // The frame buffer holds the largest Layer III frame after its header, with room
  // behind it for the bit readers' look-ahead.
  static constexpr int kFrameBufferSize = 2048;

  CMp3Stream();
  ~CMp3Stream();
  CMp3Stream(const CMp3Stream&) = delete;
  CMp3Stream& operator=(const CMp3Stream&) = delete;

  // Opens a file (code-page-936 name), or takes over any byte source. Reads the first
  // frame to learn the header, then rewinds. False when the file cannot be opened or
  // holds no frame.
  bool Open(const char* path);
  bool Open(std::unique_ptr<CByteSource> source);
  bool IsOpen() const { return m_source != nullptr; }
  void Close();

  // Reads the next frame. Returns the frame's bytes after the header, or null at the end
  // of the stream. Every out parameter may be null.
  const uint8_t* ReadFrame(int* mainDataSize, int* id, int* mode, int* modeExtension,
                           int* rateIndex);

  // Fields of the most recent frame's header.
  int GetSampleRate() const;
  int GetMode() const { return static_cast<int>(m_header >> 6 & 3); }
  int GetModeExtension() const { return static_cast<int>(m_header >> 4 & 3); }
  int GetRateIndex() const { return static_cast<int>(m_header >> 10 & 3); }
  int GetVersion() const { return static_cast<int>(m_header >> 19 & 1); }
  bool HasCrc() const { return (m_header >> 16 & 1) == 0; }
  int GetFrameBytes() const { return m_frameBytes; }
  int GetMainDataSize() const { return m_mainDataSize; }
  int GetMsPerFrame() const;

  // Repositions the stream near a byte offset; returns the offset moved to, or -1 when
  // the offset lies beyond the end. Offset 0 rewinds to the first frame.
  int64_t Seek(int64_t offset);

  // Duration in milliseconds, fixed when the stream was opened.
  int GetDuration() const { return m_durationMs; }

 private:
  bool Fill(size_t bytes);
  uint32_t HeaderAt(size_t offset) const;
  bool IsLayer3Header(uint32_t h) const;
  bool Continues(uint32_t pattern, bool singleChannel, uint32_t next) const;
  bool ConfirmFirst(uint32_t h, int frameLength);
  void SkipId3v2();
  void Rewind(uint64_t offset);
  int ComputeDuration();

  std::unique_ptr<CByteSource> m_source;
  // Bytes read ahead from the source: m_in[m_inPos, m_inEnd) starts at source offset
  // m_inOffset + m_inPos.
  std::vector<uint8_t> m_in;
  size_t m_inPos = 0;
  size_t m_inEnd = 0;
  uint64_t m_inOffset = 0;
  bool m_sourceEnded = false;

  std::vector<uint8_t> m_frame;  // the current frame after its header, zero-padded
  uint32_t m_header = 0;
  uint32_t m_syncPattern = 0;
  bool m_singleChannel = false;
  int m_frameBytes = 0;
  int m_mainDataSize = 0;
  int m_framesRead = 0;
  bool m_needConfirm = true;  // the next frame found starts a run of frames
  uint64_t m_tagBytes = 0;     // size of a leading ID3v2 tag
  int m_durationMs = 0;
};
