// ComPtr: owns one reference to a COM interface and releases it when it goes out of
// scope. Move-only; out() hands its slot to a function that fills it.
#pragma once

#include <utility>

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (m_p) m_p->Release();
  }
  ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    std::swap(m_p, other.m_p);
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T** out() { return &m_p; }
  // For functions that take the slot as void**.
  void** outVoid() { return reinterpret_cast<void**>(&m_p); }
  T* operator->() const { return m_p; }
  T* get() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }

 private:
  T* m_p = nullptr;
};
