#include "graphics/ReadOnlyStream.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

class CReadOnlyStream final : public IStream {
 public:
  CReadOnlyStream(std::shared_ptr<const std::vector<BYTE>> bytes, ULONGLONG position)
      : m_bytes(std::move(bytes)), m_position(position) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
      *object = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override {
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    const ULONGLONG size = m_bytes->size();
    const ULONG n = m_position >= size ? 0 : static_cast<ULONG>(std::min<ULONGLONG>(count, size - m_position));
    if (n) std::memcpy(buffer, m_bytes->data() + m_position, n);
    m_position += n;
    if (read) *read = n;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* written) override {
    if (written) *written = 0;
    return STG_E_ACCESSDENIED;
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override {
    LONGLONG base;
    switch (origin) {
      case STREAM_SEEK_SET: base = 0; break;
      case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(m_position); break;
      case STREAM_SEEK_END: base = static_cast<LONGLONG>(m_bytes->size()); break;
      default: return STG_E_INVALIDFUNCTION;
    }
    // Positions are kept below 2^62, so neither the sum nor a later read can overflow.
    constexpr LONGLONG kFarthest = LONGLONG(1) << 62;
    if (move.QuadPart < -base || move.QuadPart > kFarthest - base) return STG_E_INVALIDFUNCTION;
    m_position = static_cast<ULONGLONG>(base + move.QuadPart);
    if (position) position->QuadPart = m_position;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override {
    if (!target) return STG_E_INVALIDPOINTER;
    const ULONGLONG size = m_bytes->size();
    const ULONGLONG available = m_position >= size ? 0 : size - m_position;
    ULONGLONG n = std::min<ULONGLONG>(count.QuadPart, available), done = 0;
    HRESULT result = S_OK;
    while (done < n) {
      const ULONG chunk = static_cast<ULONG>(std::min<ULONGLONG>(n - done, 1u << 30));
      ULONG put = 0;
      result = target->Write(m_bytes->data() + m_position + done, chunk, &put);
      done += put;
      if (FAILED(result) || put < chunk) break;
    }
    m_position += done;
    if (read) read->QuadPart = done;
    if (written) written->QuadPart = done;
    return FAILED(result) ? result : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof *stat);
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = m_bytes->size();
    stat->grfMode = STGM_READ;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream** copy) override {
    if (!copy) return STG_E_INVALIDPOINTER;
    *copy = new (std::nothrow) CReadOnlyStream(m_bytes, m_position);
    return *copy ? S_OK : E_OUTOFMEMORY;
  }

 private:
  std::shared_ptr<const std::vector<BYTE>> m_bytes;
  ULONGLONG m_position;
  std::atomic<ULONG> m_references{1};
};

}  // namespace

IStream* NewReadOnlyStream(std::vector<BYTE> bytes) {
  try {
    return new CReadOnlyStream(std::make_shared<const std::vector<BYTE>>(std::move(bytes)), 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
