// The file that the capturing wave device of tests/media/run-with-wave-capture writes
// what is played into (its path in MP3_CAPTURE_FILE): emptied before a test, read back
// once the sound has arrived.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

class WaveCaptureFile {
 public:
  // The capture's path; empty outside the capture home.
  static std::string Path() {
    const char* file = std::getenv("MP3_CAPTURE_FILE");
    return file ? file : "";
  }

  WaveCaptureFile() : m_path(Path()) {}

  // The file stops growing once the pipes behind the device have written everything.
  // Each stream of the device writes through a pipe of its own: a stream of an earlier
  // test may still be draining, so a test starts after a longer quiet.
  void Settle(int quietSteps = 8) const {
    size_t last = static_cast<size_t>(-1);
    for (int still = 0, i = 0; still < quietSteps && i < 400; ++i) {
      const size_t size = Read().size();
      still = size == last ? still + 1 : 0;
      last = size;
      Sleep(25);
    }
  }
  void Truncate() const {
    Settle(40);
    HANDLE h = CreateFileA(m_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           TRUNCATE_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
  }
  // The captured bytes once at least `bytes` have arrived and the pipe is done.
  std::vector<uint8_t> Captured(size_t bytes) const {
    for (int i = 0; i < 400 && Read().size() < bytes; ++i) Sleep(25);
    Settle();
    return Read();
  }
  // Whether the capture holds the data whole and in order. Only where it starts is left
  // open: the device may add silence, and a sound of an earlier test may still arrive.
  static testing::AssertionResult Holds(const std::vector<BYTE>& data, const std::vector<uint8_t>& captured) {
    if (std::search(captured.begin(), captured.end(), data.begin(), data.end()) == captured.end())
      return testing::AssertionFailure() << "the " << data.size() << " bytes are not among the " << captured.size()
                                         << " captured";
    return testing::AssertionSuccess();
  }

 private:
  std::vector<uint8_t> Read() const {
    std::vector<uint8_t> bytes;
    HANDLE h = CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(h, nullptr));
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
  }

  std::string m_path;
};
