// ComPtr: owns one reference to a COM interface and releases it when it goes out of
// scope. Move-only; out() hands its slot (emptied first) to a function that fills it.
#pragma once

#include <utility>

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(T* owned) : m_p(owned) {}
  ~ComPtr() { reset(); }
  ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    std::swap(m_p, other.m_p);
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  // Adds a reference of its own to an interface the caller keeps.
  static ComPtr share(T* borrowed) {
    if (borrowed) borrowed->AddRef();
    return ComPtr(borrowed);
  }

  T** out() {
    reset();
    return &m_p;
  }
  // For functions that take the slot as void**.
  void** outVoid() { return reinterpret_cast<void**>(out()); }
  T* operator->() const { return m_p; }
  T* get() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  T* detach() { return std::exchange(m_p, nullptr); }
  void reset() {
    if (T* p = std::exchange(m_p, nullptr)) p->Release();
  }
  // Another interface of the same object (empty when it has none).
  template <class U, class Iid>
  ComPtr<U> as(const Iid& iid) const {
    ComPtr<U> other;
    if (m_p) m_p->QueryInterface(iid, other.outVoid());
    return other;
  }

 private:
  T* m_p = nullptr;
};
