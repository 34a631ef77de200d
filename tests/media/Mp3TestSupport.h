// What the MP3 tests share: the fixtures made by make-mp3-fixtures, and decoding a whole
// stream while capturing the synthesis output before it becomes 16-bit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "media/Mp3Stream.h"

namespace mp3test {

// Path of a generated fixture (the folder is fixed when the tests are built).
std::string FixturePath(const std::string& name);
std::vector<uint8_t> ReadFile(const std::string& path);
// A stream over bytes in memory.
std::unique_ptr<CMp3Stream> OpenBytes(const std::vector<uint8_t>& bytes);

struct Decoded {
  // The synthesis output divided by 32767, in output order (interleaved when stereo,
  // one value per sample when single channel).
  std::vector<double> samples;
  // The 16-bit output as the player gets it (single channel written to both sides).
  std::vector<short> pcm;
  int channels = 0;
  int frames = 0;             // frames read
  int undecodable = 0;        // frames the decoder returned 0 for
  int leadingUndecodable = 0; // of those, the ones before the first decoded frame
  std::vector<int> frameValues;  // values of pcm each decoded frame added
};

// Reads and decodes every frame from the stream's current position.
Decoded DecodeAll(CMp3Stream& stream);

}  // namespace mp3test
