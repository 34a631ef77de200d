#include "package/PackageSourceReader.h"

#include <algorithm>

#include "framework/core/File.h"

PackageSourceReader::PackageSourceReader(std::vector<Source> sources, UINT blockSize)
    : m_sources(std::move(sources)), m_blockSize(blockSize), m_buffers(kBuffers) {
  for (std::vector<BYTE>& buffer : m_buffers) {
    buffer.resize(blockSize);
    m_free.push_back(&buffer);
  }
  m_thread = std::thread([this] { Run(); });
}

PackageSourceReader::~PackageSourceReader() {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_stop = true;
  }
  m_changed.notify_all();
  m_thread.join();
}

PackageSourceReader::Block PackageSourceReader::Next() {
  std::unique_lock<std::mutex> hold(m_lock);
  m_changed.wait(hold, [this] { return !m_ready.empty(); });
  const Block block = m_ready.front();
  m_ready.pop_front();
  return block;
}

void PackageSourceReader::Release(std::vector<BYTE>* buffer) {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_free.push_back(buffer);
  }
  m_changed.notify_all();
}

void PackageSourceReader::Run() {
  try {
    for (size_t i = 0; i < m_sources.size(); ++i)
      if (!ReadSource(i)) return;
  } catch (const std::exception&) {
    // Out of memory for the queue: end the copy as a read failure rather than the process.
    Post({readFailed, 0, nullptr, 0});
  }
}

// False when reading ends here: a failure was posted, or the reader was stopped.
bool PackageSourceReader::ReadSource(size_t index) {
  const Source& source = m_sources[index];
  CFile file;
  if (!file.Open(source.path, CFile::modeRead | CFile::shareDenyWrite)) {
    Post({cannotOpen, index, nullptr, 0});
    return false;
  }
  DWORD read = 0;
  while (read < source.size) {
    std::vector<BYTE>* buffer = TakeFreeBuffer();
    if (!buffer) return false;
    UINT got = 0;
    try {
      got = file.Read(buffer->data(), std::min<DWORD>(m_blockSize, source.size - read));
    } catch (const CFileException&) {
      Release(buffer);
      Post({readFailed, index, nullptr, 0});
      return false;
    }
    if (got == 0) {  // the file has become shorter since it was measured
      Release(buffer);
      break;
    }
    Post({data, index, buffer, got});
    read += got;
  }
  Post({endOfEntry, index, nullptr, read});
  return true;
}

std::vector<BYTE>* PackageSourceReader::TakeFreeBuffer() {
  std::unique_lock<std::mutex> hold(m_lock);
  m_changed.wait(hold, [this] { return m_stop || !m_free.empty(); });
  if (m_stop) return nullptr;
  std::vector<BYTE>* buffer = m_free.back();
  m_free.pop_back();
  return buffer;
}

void PackageSourceReader::Post(const Block& block) {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_ready.push_back(block);
  }
  m_changed.notify_all();
}
