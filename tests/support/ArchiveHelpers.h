// Writing an archive into memory and reading one back from bytes.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"

using Bytes = std::vector<BYTE>;

inline Bytes StoreToBytes(const std::function<void(CArchive&)>& write) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  write(ar);
  ar.Close();
  return file.Detach();
}

inline void LoadFromBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
  CMemFile file(bytes);
  CArchive ar(&file, CArchive::load);
  read(ar);
}

// Little helpers to spell golden bytes.
inline void Append(Bytes& out, std::initializer_list<int> bytes) {
  for (int b : bytes) out.push_back(static_cast<BYTE>(b));
}
inline void AppendWord(Bytes& out, unsigned w) { Append(out, {int(w & 0xFF), int(w >> 8)}); }
inline void AppendDword(Bytes& out, unsigned long d) {
  AppendWord(out, static_cast<unsigned>(d & 0xFFFF));
  AppendWord(out, static_cast<unsigned>(d >> 16));
}
inline void AppendText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

inline std::string Hex(const Bytes& b, size_t max = 64) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  for (size_t i = 0; i < b.size() && i < max; ++i) {
    s += digits[b[i] >> 4];
    s += digits[b[i] & 15];
    s += ' ';
  }
  if (b.size() > max) s += "...";
  return s;
}
