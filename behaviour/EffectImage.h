// CEffectImage: an off-screen image for an appearance effect, compatible with the page
// it will be copied onto, addressed in pixels (no mapping).
#pragma once

#include <windows.h>

#include "behaviour/ScopedGdiObject.h"

class CEffectImage {
 public:
  CEffectImage() = default;
  // width x height pixels, their content undefined; IsValid() tells whether it could be
  // made.
  CEffectImage(HDC page, int width, int height);
  ~CEffectImage();
  CEffectImage(CEffectImage&& other) noexcept;
  CEffectImage& operator=(CEffectImage&& other) noexcept;
  CEffectImage(const CEffectImage&) = delete;
  CEffectImage& operator=(const CEffectImage&) = delete;

  bool IsValid() const { return m_dc != nullptr; }
  HDC GetDC() const { return m_dc; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

 private:
  void Release();

  HDC m_dc = nullptr;
  ScopedBitmap m_bitmap;
  HGDIOBJ m_oldBitmap = nullptr;
  int m_width = 0;
  int m_height = 0;
};
