// Uncompressed AVI clips for the video tests: one 24-bit "DIB " stream of frames of one
// colour, no sound.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace videotest {

using Bytes = std::vector<BYTE>;

inline void Put32(Bytes& b, DWORD v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<BYTE>(v >> (8 * i)));
}
inline void Put16(Bytes& b, WORD v) {
  b.push_back(static_cast<BYTE>(v));
  b.push_back(static_cast<BYTE>(v >> 8));
}
inline void PutTag(Bytes& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

inline Bytes Chunk(const char* tag, const Bytes& data) {
  Bytes b;
  PutTag(b, tag);
  Put32(b, static_cast<DWORD>(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  if (data.size() % 2) b.push_back(0);
  return b;
}

inline Bytes List(const char* type, const Bytes& data) {
  Bytes inner;
  PutTag(inner, type);
  inner.insert(inner.end(), data.begin(), data.end());
  return Chunk("LIST", inner);
}

// frames frames of side x side pixels of that colour at fps frames a second.
inline Bytes AviFile(COLORREF colour, DWORD frames, DWORD fps, LONG side = 16) {
  const DWORD frameSize = static_cast<DWORD>(side * side * 3);  // rows of 48 bytes need no padding
  Bytes avih;
  Put32(avih, 1000000 / fps);
  Put32(avih, frameSize * fps);
  Put32(avih, 0);
  Put32(avih, 0x10);  // has an index
  Put32(avih, frames);
  Put32(avih, 0);
  Put32(avih, 1);
  Put32(avih, frameSize);
  Put32(avih, static_cast<DWORD>(side));
  Put32(avih, static_cast<DWORD>(side));
  for (int i = 0; i < 4; ++i) Put32(avih, 0);

  Bytes strh;
  PutTag(strh, "vids");
  PutTag(strh, "DIB ");
  Put32(strh, 0);
  Put32(strh, 0);
  Put32(strh, 0);
  Put32(strh, 1);    // scale
  Put32(strh, fps);  // rate
  Put32(strh, 0);
  Put32(strh, frames);
  Put32(strh, frameSize);
  Put32(strh, 0xFFFFFFFF);
  Put32(strh, 0);
  Put16(strh, 0);
  Put16(strh, 0);
  Put16(strh, static_cast<WORD>(side));
  Put16(strh, static_cast<WORD>(side));

  Bytes strf;
  Put32(strf, 40);
  Put32(strf, static_cast<DWORD>(side));
  Put32(strf, static_cast<DWORD>(side));
  Put16(strf, 1);
  Put16(strf, 24);
  Put32(strf, BI_RGB);
  Put32(strf, frameSize);
  for (int i = 0; i < 4; ++i) Put32(strf, 0);

  Bytes strl = Chunk("strh", strh);
  const Bytes strfChunk = Chunk("strf", strf);
  strl.insert(strl.end(), strfChunk.begin(), strfChunk.end());
  Bytes hdrl = Chunk("avih", avih);
  const Bytes strlList = List("strl", strl);
  hdrl.insert(hdrl.end(), strlList.begin(), strlList.end());

  Bytes frame;
  for (DWORD i = 0; i < frameSize / 3; ++i) {
    frame.push_back(GetBValue(colour));
    frame.push_back(GetGValue(colour));
    frame.push_back(GetRValue(colour));
  }
  Bytes movi, idx1;
  for (DWORD i = 0; i < frames; ++i) {
    PutTag(idx1, "00db");
    Put32(idx1, 0x10);  // key frame
    Put32(idx1, static_cast<DWORD>(movi.size() + 4));
    Put32(idx1, frameSize);
    const Bytes chunk = Chunk("00db", frame);
    movi.insert(movi.end(), chunk.begin(), chunk.end());
  }

  Bytes body;
  PutTag(body, "AVI ");
  const Bytes parts[] = {List("hdrl", hdrl), List("movi", movi), Chunk("idx1", idx1)};
  for (const Bytes& part : parts) body.insert(body.end(), part.begin(), part.end());
  Bytes file;
  PutTag(file, "RIFF");
  Put32(file, static_cast<DWORD>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

}  // namespace videotest
