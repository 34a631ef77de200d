// A small animated GIF written byte by byte, for the tests that load pictures with frames.
#pragma once

#include "tests/support/ArchiveHelpers.h"

// A GIF of three 2 x 2 frames, red, green and blue, the first with the given delay
// (hundredths of a second), written byte by byte. Every pixel is coded after a clear
// code, so every code is 3 bits wide.
inline Bytes ThreeFrameGif(unsigned firstDelay) {
  Bytes g;
  AppendText(g, "GIF89a");
  AppendWord(g, 2);
  AppendWord(g, 2);
  Append(g, {0x81, 0, 0});                                     // a table of 4 colours
  Append(g, {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});       // black, red, green, blue
  for (int frame = 0; frame < 3; ++frame) {
    Append(g, {0x21, 0xF9, 4, 0x04});                          // graphic control: keep
    AppendWord(g, frame == 0 ? firstDelay : 10);
    Append(g, {0, 0});
    Append(g, {0x2C});
    AppendWord(g, 0);
    AppendWord(g, 0);
    AppendWord(g, 2);
    AppendWord(g, 2);
    Append(g, {0, 2});                                         // no local table; code size 2
    // clear, index, clear, index, ... end: 9 codes of 3 bits, packed from the low bit.
    const unsigned index = static_cast<unsigned>(frame + 1);
    const unsigned codes[] = {4, index, 4, index, 4, index, 4, index, 5};
    unsigned long long bits = 0;
    int count = 0;
    for (unsigned c : codes) {
      bits |= static_cast<unsigned long long>(c) << count;
      count += 3;
    }
    const int bytes = (count + 7) / 8;
    Append(g, {bytes});
    for (int i = 0; i < bytes; ++i) g.push_back(static_cast<BYTE>(bits >> (8 * i)));
    Append(g, {0});
  }
  Append(g, {0x3B});
  return g;
}
