// CEffectImage: an off-screen image for an appearance effect, compatible with the page
// it will be copied onto, addressed in pixels (no mapping).
#pragma once

#include <windows.h>

#include "framework/ui/Bitmap.h"
#include "framework/ui/DC.h"

class CEffectImage {
 public:
  CEffectImage() = default;
  ~CEffectImage();
  CEffectImage(const CEffectImage&) = delete;
  CEffectImage& operator=(const CEffectImage&) = delete;

  // width x height pixels, their content undefined. FALSE when the system cannot make
  // them; the image stays empty then.
  BOOL Create(HDC page, int width, int height);

  bool IsValid() const { return m_dc.GetSafeHdc() != nullptr; }
  HDC GetDC() const { return m_dc.GetSafeHdc(); }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

 private:
  CBitmap m_bitmap;  // before the context, so that it outlives it
  CDC m_dc;
  HGDIOBJ m_oldBitmap = nullptr;
  int m_width = 0;
  int m_height = 0;
};
