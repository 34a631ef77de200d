// ScopedGdiObject: the one owner of a GDI object (a region, a bitmap, a brush), deleted
// when the owner ends. Move-only, so no handle is ever deleted twice.
#pragma once

#include <windows.h>

#include <utility>

template <class Handle>
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(Handle handle) : m_handle(handle) {}
  ~ScopedGdiObject() {
    if (m_handle) ::DeleteObject(m_handle);
  }
  ScopedGdiObject(ScopedGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    if (this != &other) {
      if (m_handle) ::DeleteObject(m_handle);
      m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

  Handle get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }

 private:
  Handle m_handle = nullptr;
};

using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
