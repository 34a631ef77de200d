#include "tests/media/Mp3TestSupport.h"

#include <fstream>
#include <iterator>

#include "media/MemoryByteSource.h"
#include "media/Mp3Decoder.h"

#ifndef MP3_FIXTURE_DIR
#error MP3_FIXTURE_DIR must name the folder make-mp3-fixtures writes
#endif

namespace mp3test {

namespace {

std::vector<double>* g_capture = nullptr;

short Capture(double* sample) {
  g_capture->push_back(*sample / 32767.0);
  const double v = *sample;
  if (v > 32767.0) return 32767;
  if (v < -32768.0) return -32768;
  return static_cast<short>(v);
}

}  // namespace

std::string FixturePath(const std::string& name) { return std::string(MP3_FIXTURE_DIR) + "/" + name; }

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::unique_ptr<CMp3Stream> OpenBytes(const std::vector<uint8_t>& bytes) {
  auto stream = std::make_unique<CMp3Stream>();
  stream->Open(std::make_unique<CMemoryByteSource>(bytes));
  return stream;
}

Decoded DecodeAll(CMp3Stream& stream) {
  Decoded result;
  CMp3Decoder decoder;
  std::vector<double> captured;
  g_capture = &captured;
  std::vector<short> buffer(4608);
  bool started = false;
  int mainData, id, mode, modeExtension, rateIndex;
  while (const uint8_t* frame = stream.ReadFrame(&mainData, &id, &mode, &modeExtension, &rateIndex)) {
    if (!started) {
      decoder.Init(id, mode, modeExtension, rateIndex, Capture);
      result.channels = mode == 3 ? 1 : 2;
      started = true;
    }
    ++result.frames;
    captured.clear();
    int count = 0;
    if (!decoder.DecodeFrame(frame, stream.HasCrc(), mainData, buffer.data(),
                             static_cast<int>(buffer.size()), count, id, mode, modeExtension,
                             rateIndex)) {
      ++result.undecodable;
      if (result.frameValues.empty()) ++result.leadingUndecodable;
      continue;
    }
    result.frameValues.push_back(count);
    result.pcm.insert(result.pcm.end(), buffer.begin(), buffer.begin() + count);
    // The decoder hands over each granule channel by channel; interleave like the output.
    if (result.channels == 2) {
      for (size_t g = 0; g + 1152 <= captured.size(); g += 1152)
        for (size_t j = 0; j < 576; ++j) {
          result.samples.push_back(captured[g + j]);
          result.samples.push_back(captured[g + 576 + j]);
        }
    } else {
      result.samples.insert(result.samples.end(), captured.begin(), captured.end());
    }
  }
  g_capture = nullptr;
  return result;
}

}  // namespace mp3test
