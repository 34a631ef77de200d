// Reads the files of a package being written on a thread of its own, in table order and
// in blocks, while the writer writes the blocks already read: with the files in the
// cache, reading and writing are both memory copies, and this way they overlap.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/core/String.h"

class PackageSourceReader {
 public:
  enum Kind {
    data,        // bytes of the source; give the buffer back with Release
    endOfEntry,  // the source is done; bytes = how many were read in all
    cannotOpen,  // the source cannot be opened; nothing follows
    readFailed,  // reading the source failed; nothing follows
  };
  struct Block {
    Kind kind;
    size_t source;
    std::vector<BYTE>* buffer;
    DWORD bytes;
  };
  struct Source {
    CString path;
    DWORD size;  // read no more than this; less when the file has become shorter
  };

  // Starts reading at once, in blocks of at most blockSize bytes.
  PackageSourceReader(std::vector<Source> sources, UINT blockSize);
  // Stops reading (blocks not yet taken are dropped) and waits for the thread.
  ~PackageSourceReader();
  PackageSourceReader(const PackageSourceReader&) = delete;
  PackageSourceReader& operator=(const PackageSourceReader&) = delete;

  // The next block in order; waits until it has been read.
  Block Next();
  void Release(std::vector<BYTE>* buffer);

 private:
  static constexpr int kBuffers = 4;

  void Run();
  bool ReadSource(size_t index);
  std::vector<BYTE>* TakeFreeBuffer();
  void Post(const Block& block);

  const std::vector<Source> m_sources;
  const UINT m_blockSize;
  std::vector<std::vector<BYTE>> m_buffers;
  std::mutex m_lock;
  std::condition_variable m_changed;
  std::deque<Block> m_ready;
  std::vector<std::vector<BYTE>*> m_free;
  bool m_stop = false;
  std::thread m_thread;  // last: it starts once everything above exists
};
