#include "media/Mp3Stream.h"

#include <cstring>

#include "media/FileByteSource.h"
#include "media/Mp3Tables.h"

namespace {

constexpr size_t kReadAhead = 16384;
// Sync (12 bits), ID and the sampling-frequency bits: what every frame of one stream
// repeats.
constexpr uint32_t kSyncMask = 0xFFF80C00u;

int FrameLength(uint32_t h) {
  const int id = static_cast<int>(h >> 19 & 1);
  const int bitRate = mp3::kBitRateKbps[id][h >> 12 & 15] * 1000;
  const int sampleRate = mp3::kSampleRate[id][h >> 10 & 3];
  int n = 144 * bitRate / sampleRate;
  if (id == 0) n /= 2;
  return n + static_cast<int>(h >> 9 & 1);
}

int SideInfoSize(uint32_t h) {
  const bool single = (h >> 6 & 3) == 3;
  if (h >> 19 & 1) return single ? 17 : 32;
  return single ? 9 : 17;
}

}  // namespace

CMp3Stream::CMp3Stream() : m_in(kReadAhead), m_frame(kFrameBufferSize + 8, 0) {}

CMp3Stream::~CMp3Stream() = default;

bool CMp3Stream::Open(const char* path) {
  auto file = std::make_unique<CFileByteSource>();
  if (!file->Open(path)) {
    Close();
    return false;
  }
  return Open(std::move(file));
}

bool CMp3Stream::Open(std::unique_ptr<CByteSource> source) {
  Close();
  m_source = std::move(source);
  Rewind(0);
  if (!ReadFrame(nullptr, nullptr, nullptr, nullptr, nullptr)) {
    Close();
    return false;
  }
  m_durationMs = ComputeDuration();
  Rewind(0);
  return true;
}

void CMp3Stream::Close() {
  m_source.reset();
  m_inPos = m_inEnd = 0;
  m_framesRead = 0;
}

void CMp3Stream::Rewind(uint64_t offset) {
  m_inPos = m_inEnd = 0;
  m_inOffset = offset;
  m_sourceEnded = !m_source || !m_source->Seek(offset);
  m_needConfirm = true;
  if (offset == 0) {
    m_framesRead = 0;
    SkipId3v2();
  }
}

// Makes at least `bytes` bytes available from m_inPos; false when the source ends first.
bool CMp3Stream::Fill(size_t bytes) {
  if (m_inEnd - m_inPos >= bytes) return true;
  if (m_inPos > 0) {
    std::memmove(m_in.data(), m_in.data() + m_inPos, m_inEnd - m_inPos);
    m_inOffset += m_inPos;
    m_inEnd -= m_inPos;
    m_inPos = 0;
  }
  while (!m_sourceEnded && m_inEnd < bytes) {
    size_t got = m_source->Read(m_in.data() + m_inEnd, m_in.size() - m_inEnd);
    if (got == 0) m_sourceEnded = true;
    m_inEnd += got;
  }
  return m_inEnd - m_inPos >= bytes;
}

uint32_t CMp3Stream::HeaderAt(size_t offset) const {
  const uint8_t* p = m_in.data() + m_inPos + offset;
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// Layer III with a bit rate of the table (not free format) and a defined sampling index.
bool CMp3Stream::IsLayer3Header(uint32_t h) const {
  if ((h & 0xFFF00000u) != 0xFFF00000u) return false;
  if ((h >> 17 & 3) != 1) return false;
  const uint32_t bitRateIndex = h >> 12 & 15;
  return bitRateIndex != 0 && bitRateIndex != 15 && (h >> 10 & 3) != 3;
}

// Whether `next` can follow a frame of the given sync pattern and channel count.
bool CMp3Stream::Continues(uint32_t pattern, bool singleChannel, uint32_t next) const {
  return IsLayer3Header(next) && (next & kSyncMask) == (pattern & kSyncMask) &&
         ((next >> 6 & 3) == 3) == singleChannel;
}

// A candidate that starts a run of frames stands when the next header follows it, or
// when the data ends with it (a stream of one frame, or one followed by an ID3v1 tag).
bool CMp3Stream::ConfirmFirst(uint32_t h, int frameLength) {
  const size_t n = static_cast<size_t>(frameLength);
  if (Fill(n + 4)) {
    if (Continues(h, (h >> 6 & 3) == 3, HeaderAt(n))) return true;
    const uint8_t* p = m_in.data() + m_inPos + n;
    return p[0] == 'T' && p[1] == 'A' && p[2] == 'G';
  }
  return m_inEnd - m_inPos == n || (m_inEnd - m_inPos == n + 3 &&
                                    std::memcmp(m_in.data() + m_inPos + n, "TAG", 3) == 0);
}

void CMp3Stream::SkipId3v2() {
  m_tagBytes = 0;
  if (!Fill(10)) return;
  const uint8_t* p = m_in.data() + m_inPos;
  if (p[0] != 'I' || p[1] != 'D' || p[2] != '3' || p[3] == 0xFF || p[4] == 0xFF) return;
  if ((p[6] | p[7] | p[8] | p[9]) & 0x80) return;
  uint64_t size = uint64_t{p[6]} << 21 | uint64_t{p[7]} << 14 | uint64_t{p[8]} << 7 | p[9];
  size += 10;
  if (p[5] & 0x10) size += 10;  // footer
  m_tagBytes = size;
  const size_t here = m_inEnd - m_inPos;
  if (size <= here) {
    m_inPos += static_cast<size_t>(size);
  } else {
    const uint64_t to = m_inOffset + m_inPos + size;
    m_inPos = m_inEnd = 0;
    m_inOffset = to;
    m_sourceEnded = !m_source->Seek(to);
  }
}

const uint8_t* CMp3Stream::ReadFrame(int* mainDataSize, int* id, int* mode, int* modeExtension,
                                     int* rateIndex) {
  if (!m_source) return nullptr;
  for (;;) {
    if (!Fill(4)) return nullptr;
    const uint32_t h = HeaderAt(0);
    const bool first = m_framesRead == 0;
    const bool fits = first ? IsLayer3Header(h) : Continues(m_syncPattern, m_singleChannel, h);
    if (fits) {
      const int length = FrameLength(h);
      if (length - 4 <= kFrameBufferSize && (!m_needConfirm || ConfirmFirst(h, length))) {
        if (!Fill(static_cast<size_t>(length))) {
          // A frame cut short by the end of the data: nothing more to play.
          m_inPos = m_inEnd;
          return nullptr;
        }
        if (first) {
          m_syncPattern = h & kSyncMask;
          m_singleChannel = (h >> 6 & 3) == 3;
        }
        m_header = h;
        m_frameBytes = length - 4;
        std::memcpy(m_frame.data(), m_in.data() + m_inPos + 4, static_cast<size_t>(m_frameBytes));
        std::memset(m_frame.data() + m_frameBytes, 0, m_frame.size() - m_frameBytes);
        m_inPos += static_cast<size_t>(length);
        m_mainDataSize = m_frameBytes - (HasCrc() ? 2 : 0) - SideInfoSize(h);
        if (m_mainDataSize < 0) m_mainDataSize = 0;
        m_needConfirm = false;
        ++m_framesRead;
        if (mainDataSize) *mainDataSize = m_mainDataSize;
        if (id) *id = GetVersion();
        if (mode) *mode = GetMode();
        if (modeExtension) *modeExtension = GetModeExtension();
        if (rateIndex) *rateIndex = GetRateIndex();
        return m_frame.data();
      }
    }
    // Not a frame here: search on from the next byte, and confirm what is found.
    ++m_inPos;
    m_needConfirm = true;
  }
}

int CMp3Stream::GetSampleRate() const {
  return mp3::kSampleRate[m_header >> 19 & 1][m_header >> 10 & 3];
}

int CMp3Stream::GetMsPerFrame() const {
  static const int kMs[4] = {26, 24, 36, 0};  // 26.1224, 24.0, 36.0 truncated
  return kMs[m_header >> 10 & 3];
}

int64_t CMp3Stream::Seek(int64_t offset) {
  if (!m_source || offset < 0 || static_cast<uint64_t>(offset) > m_source->GetSize()) return -1;
  int64_t start = offset - 2048;
  if (start <= 0) {
    Rewind(0);
    return 0;
  }
  if (m_frameBytes > 0) {
    const int64_t rest = start % m_frameBytes;
    if (rest != 0) start = start - rest - 8;
    if (start < 0) start = 0;
  }
  Rewind(static_cast<uint64_t>(start));
  return start;
}

// The file's length in frames times the truncated milliseconds per frame. The frame count
// comes from a Xing or Info frame when the first frame is one (variable bit rates),
// otherwise from the size of the first frame.
int CMp3Stream::ComputeDuration() {
  const int side = SideInfoSize(m_header) + (HasCrc() ? 2 : 0);
  const uint8_t* tag = m_frame.data() + side;
  if (side + 12 <= m_frameBytes &&
      (std::memcmp(tag, "Xing", 4) == 0 || std::memcmp(tag, "Info", 4) == 0) && (tag[7] & 1)) {
    const uint32_t frames =
        uint32_t{tag[8]} << 24 | uint32_t{tag[9]} << 16 | uint32_t{tag[10]} << 8 | tag[11];
    const uint64_t ms = uint64_t{frames} * static_cast<uint64_t>(GetMsPerFrame());
    return ms > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(ms);
  }
  const uint64_t size = m_source->GetSize();
  const uint64_t audio = size > m_tagBytes ? size - m_tagBytes : 0;
  const int frameSize = m_frameBytes - static_cast<int>(m_header >> 9 & 1) + 4;
  const uint64_t ms = audio / static_cast<uint64_t>(frameSize) * static_cast<uint64_t>(GetMsPerFrame());
  return ms > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(ms);
}
