// What the campaign feeds damaged bytes to: page files (read by the editor and by the
// player, painted, played, stored), packages (the directory read, each page played,
// each entry extracted), component libraries (read from their file, each component
// drawn, written back) and MP3 streams (opened and decoded to the end).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/String.h"

struct Target {
  std::string name;
  std::string extension;  // of the files findings are kept in
  int weight;             // share of the cases when every target is campaigned
  std::vector<std::vector<uint8_t>> seeds;
  // True when the input was accepted, false when it was refused cleanly. Anything else
  // (an exception of another kind, a crash, a hang) is a finding.
  bool (*run)(const std::vector<uint8_t>& bytes, const CString& workFolder);
};

// The targets, with their seeds. MP3 seeds are the files of mp3Folder, when given.
std::vector<Target> MakeTargets(const std::string& mp3Folder);
