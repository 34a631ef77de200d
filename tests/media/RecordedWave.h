// Reads a recording back as a RIFF "WAVE" file of the recorder's layout: RIFF size =
// file size - 8; an 18-byte "fmt " chunk (PCM, 1 channel, 22050 Hz, 44100 bytes per
// second, block align 2, 16 bits, no extra bytes); then "data", whose bytes end the file.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace recordedwave {

inline uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
inline uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
inline bool Tag(const std::vector<uint8_t>& b, size_t at, const char* tag) {
  return std::equal(tag, tag + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

constexpr size_t kHeaderBytes = 12 + 8 + 18 + 8;

// Whether the bytes are such a file; with its data chunk's bytes in *data.
inline testing::AssertionResult IsRecording(const std::vector<uint8_t>& b, std::vector<uint8_t>* data = nullptr) {
  if (b.size() < kHeaderBytes) return testing::AssertionFailure() << "only " << b.size() << " bytes";
  if (!Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE")) return testing::AssertionFailure() << "no RIFF WAVE";
  if (U32(b, 4) != b.size() - 8)
    return testing::AssertionFailure() << "RIFF size " << U32(b, 4) << " in a file of " << b.size() << " bytes";
  if (!Tag(b, 12, "fmt ") || U32(b, 16) != 18) return testing::AssertionFailure() << "no 18-byte fmt chunk";
  const std::vector<uint32_t> format = {U16(b, 20), U16(b, 22), U32(b, 24), U32(b, 28),
                                        U16(b, 32), U16(b, 34), U16(b, 36)};
  if (format != std::vector<uint32_t>{1, 1, 22050, 44100, 2, 16, 0})
    return testing::AssertionFailure() << "format " << testing::PrintToString(format);
  if (!Tag(b, 38, "data")) return testing::AssertionFailure() << "no data chunk after the format";
  const uint32_t size = U32(b, 42);
  if (size != b.size() - kHeaderBytes)
    return testing::AssertionFailure() << "data size " << size << " with " << b.size() - kHeaderBytes
                                       << " bytes after its header";
  if (size % 2) return testing::AssertionFailure() << "odd data size " << size;
  if (data) data->assign(b.begin() + kHeaderBytes, b.end());
  return testing::AssertionSuccess();
}

}  // namespace recordedwave
