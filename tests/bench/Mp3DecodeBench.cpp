// Decodes an MP3 file N times in one process, the way the player does (frames read from
// the reader, decoded to 16-bit stereo through ScaleMp3Sample), and prints how many
// seconds of sound were decoded per second of time: over all runs, and in the fastest
// run (the one least disturbed by other work on the machine).
// Usage: Mp3DecodeBench FILE [N]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "media/MemoryByteSource.h"
#include "media/Mp3Decoder.h"
#include "media/Mp3Player.h"
#include "media/Mp3Stream.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: Mp3DecodeBench FILE [N]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  CMp3Stream stream;
  // The file is read once into memory, so that the disk does not count.
  if (!stream.Open(std::make_unique<CMemoryByteSource>(bytes))) {
    std::fprintf(stderr, "Mp3DecodeBench: %s holds no MP3 frames\n", argv[1]);
    return 1;
  }
  std::vector<short> buffer(4608);
  long long samples = 0;
  int rate = 0;
  double total = 0.0;
  double fastest = 1e30;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int run = 0; run < runs; ++run) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    stream.Seek(0);
    CMp3Decoder decoder;
    bool started = false;
    long long runSamples = 0;
    int mainData, id, mode, modeExtension, rateIndex;
    while (const uint8_t* frame = stream.ReadFrame(&mainData, &id, &mode, &modeExtension, &rateIndex)) {
      if (!started) {
        started = decoder.Init(id, mode, modeExtension, rateIndex, &ScaleMp3Sample) != 0;
        rate = stream.GetSampleRate();
      }
      int count = 0;
      decoder.DecodeFrame(frame, stream.HasCrc(), mainData, buffer.data(), static_cast<int>(buffer.size()),
                          count, id, mode, modeExtension, rateIndex);
      runSamples += count / 2;
    }
    QueryPerformanceCounter(&end);
    const double seconds =
        static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    total += seconds;
    if (seconds < fastest) fastest = seconds;
    samples += runSamples;
  }
  const double sound = static_cast<double>(samples) / rate;
  std::printf("decoded %.1f s of sound in %.3f s: %.1f seconds per second; fastest run %.1f\n",
              sound, total, sound / total, sound / runs / fastest);
  return 0;
}
