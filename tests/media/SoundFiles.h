// Small sound files written by the tests: a WAV of 16-bit stereo samples that are never
// silent (so leading and trailing silence of a capture can be told from the sound), and
// a MIDI file of one note.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace soundtest {

// The data chunk of a WAV of `frames` stereo frames at 44100 Hz: a saw tooth whose
// samples are never 0, different in every file for a different seed.
inline std::vector<BYTE> WaveData(int frames, int seed = 1) {
  std::vector<BYTE> data;
  for (int i = 0; i < frames * 2; ++i) {
    const int16_t v = static_cast<int16_t>(((i * 37 + seed * 911) % 20000) + 100);
    data.push_back(static_cast<BYTE>(v & 0xFF));
    data.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
  }
  return data;
}

inline void PutU32(std::vector<BYTE>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(v >> (8 * i)));
}
inline void PutU16(std::vector<BYTE>& out, uint16_t v) {
  out.push_back(static_cast<BYTE>(v));
  out.push_back(static_cast<BYTE>(v >> 8));
}

// A whole WAV file around the data.
inline std::vector<BYTE> WaveFile(const std::vector<BYTE>& data) {
  std::vector<BYTE> f = {'R', 'I', 'F', 'F'};
  PutU32(f, static_cast<uint32_t>(36 + data.size()));
  for (char c : std::string("WAVEfmt ")) f.push_back(static_cast<BYTE>(c));
  PutU32(f, 16);
  PutU16(f, 1);            // PCM
  PutU16(f, 2);            // stereo
  PutU32(f, 44100);        // frames a second
  PutU32(f, 44100 * 4);    // bytes a second
  PutU16(f, 4);            // bytes a frame
  PutU16(f, 16);           // bits a sample
  for (char c : std::string("data")) f.push_back(static_cast<BYTE>(c));
  PutU32(f, static_cast<uint32_t>(data.size()));
  f.insert(f.end(), data.begin(), data.end());
  return f;
}

// A format-0 MIDI file: one note of half a second at 120 beats a minute.
inline std::vector<BYTE> MidiFile() {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
          'M', 'T', 'r', 'k', 0, 0, 0, 12,
          0x00, 0x90, 60, 100,   // note on
          0x30, 0x80, 60, 0,     // note off after 48 ticks (half a beat at 96 a beat: 0.25 s)
          0x30, 0xFF, 0x2F, 0};  // end of track 0.25 s later
}

}  // namespace soundtest
