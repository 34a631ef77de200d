// CComPtr: owns one reference to a COM interface. Move-only, so a reference is never
// released twice or leaked by a copy.
#pragma once

#include <objbase.h>

#include <utility>

template <class T>
class CComPtr {
 public:
  CComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit CComPtr(T* owned) : m_p(owned) {}
  ~CComPtr() { Release(); }
  CComPtr(const CComPtr&) = delete;
  CComPtr& operator=(const CComPtr&) = delete;
  CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  CComPtr& operator=(CComPtr&& other) noexcept {
    if (this != &other) {
      Release();
      m_p = std::exchange(other.m_p, nullptr);
    }
    return *this;
  }

  // Adds a reference of its own to an interface the caller keeps.
  static CComPtr Share(T* borrowed) {
    if (borrowed) borrowed->AddRef();
    return CComPtr(borrowed);
  }

  T* Get() const { return m_p; }
  T* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  // The slot an out-parameter fills; what was held is released first.
  T** Put() {
    Release();
    return &m_p;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  T* Detach() { return std::exchange(m_p, nullptr); }
  void Release() {
    if (T* p = std::exchange(m_p, nullptr)) p->Release();
  }

  template <class U>
  CComPtr<U> As(REFIID iid) const {
    CComPtr<U> other;
    if (m_p) m_p->QueryInterface(iid, other.PutVoid());
    return other;
  }

 private:
  T* m_p = nullptr;
};
