// Owners of Win32 and GDI handles: each closes its handle with the function of its kind
// when it goes out of scope, so no path out of a function leaks one. A null handle (and
// for files INVALID_HANDLE_VALUE) owns nothing.
#pragma once

#include <windows.h>

#include <utility>

template <class Traits>
class CScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  CScopedHandle() = default;
  explicit CScopedHandle(Handle handle) : m_handle(handle) {}
  ~CScopedHandle() { reset(); }
  CScopedHandle(const CScopedHandle&) = delete;
  CScopedHandle& operator=(const CScopedHandle&) = delete;
  CScopedHandle(CScopedHandle&& other) noexcept : m_handle(other.release()) {}
  CScopedHandle& operator=(CScopedHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return m_handle; }
  explicit operator bool() const { return m_handle != Traits::Invalid(); }
  // Gives the handle up without closing it.
  Handle release() { return std::exchange(m_handle, Traits::Invalid()); }
  // Closes what it owns and takes the handle given.
  void reset(Handle handle = Traits::Invalid()) {
    const Handle old = std::exchange(m_handle, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For functions that hand a new handle out through a pointer: what was owned is closed.
  Handle* out() {
    reset();
    return &m_handle;
  }

 private:
  Handle m_handle = Traits::Invalid();
};

// Processes, threads, events and other kernel objects (null when there is none).
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::CloseHandle(handle); }
};
// Files opened with CreateFile (INVALID_HANDLE_VALUE when there is none).
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { ::CloseHandle(handle); }
};
struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::RegCloseKey(handle); }
};
template <class Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::DeleteObject(handle); }
};

using CScopedKernelHandle = CScopedHandle<KernelHandleTraits>;
using CScopedFileHandle = CScopedHandle<FileHandleTraits>;
using CScopedRegistryKey = CScopedHandle<RegistryKeyTraits>;
using CScopedRegion = CScopedHandle<GdiObjectTraits<HRGN>>;
template <class Object>
using CScopedGdiObject = CScopedHandle<GdiObjectTraits<Object>>;

// A critical section that lives as long as its owner.
class CScopedCriticalSection {
 public:
  CScopedCriticalSection() { ::InitializeCriticalSection(&m_section); }
  ~CScopedCriticalSection() { ::DeleteCriticalSection(&m_section); }
  CScopedCriticalSection(const CScopedCriticalSection&) = delete;
  CScopedCriticalSection& operator=(const CScopedCriticalSection&) = delete;
  CRITICAL_SECTION* get() { return &m_section; }

 private:
  CRITICAL_SECTION m_section;
};
