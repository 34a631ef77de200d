#include "behaviour/EffectImage.h"

#include <utility>

CEffectImage::CEffectImage(HDC page, int width, int height) {
  if (!page || width <= 0 || height <= 0) return;
  m_dc = ::CreateCompatibleDC(page);
  if (!m_dc) return;
  m_bitmap = ScopedBitmap(::CreateCompatibleBitmap(page, width, height));
  m_oldBitmap = m_bitmap ? ::SelectObject(m_dc, m_bitmap.get()) : nullptr;
  if (!m_oldBitmap) {
    Release();
    return;
  }
  m_width = width;
  m_height = height;
}

CEffectImage::~CEffectImage() { Release(); }

CEffectImage::CEffectImage(CEffectImage&& other) noexcept
    : m_dc(std::exchange(other.m_dc, nullptr)),
      m_bitmap(std::move(other.m_bitmap)),
      m_oldBitmap(std::exchange(other.m_oldBitmap, nullptr)),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0)) {}

CEffectImage& CEffectImage::operator=(CEffectImage&& other) noexcept {
  if (this != &other) {
    Release();
    m_dc = std::exchange(other.m_dc, nullptr);
    m_bitmap = std::move(other.m_bitmap);
    m_oldBitmap = std::exchange(other.m_oldBitmap, nullptr);
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
  }
  return *this;
}

void CEffectImage::Release() {
  if (m_dc) {
    // The bitmap leaves the context before either is deleted.
    if (m_oldBitmap) ::SelectObject(m_dc, m_oldBitmap);
    ::DeleteDC(m_dc);
  }
  m_dc = nullptr;
  m_oldBitmap = nullptr;
  m_bitmap = ScopedBitmap();
  m_width = m_height = 0;
}
