#include "graphics/Picture.h"

#include <vector>

CPicture::CPicture(Gdiplus::Image* image, IStream* source) : m_image(image), m_source(source) {
  if (m_source) m_source->AddRef();
  if (m_image) {
    m_bitmap = dynamic_cast<Gdiplus::Bitmap*>(m_image.get());
    m_status = m_image->GetLastStatus();
  }
}

CPicture::CPicture(Gdiplus::Status failure) : m_status(failure) {}

CPicture::~CPicture() {
  m_image.reset();  // before the stream it may still read from
  if (m_source) m_source->Release();
}

Gdiplus::Bitmap* CPicture::GetBitmap() const { return GetType() == Gdiplus::ImageTypeBitmap ? m_bitmap : nullptr; }

UINT CPicture::GetWidth() const { return m_image ? m_image->GetWidth() : 0; }
UINT CPicture::GetHeight() const { return m_image ? m_image->GetHeight() : 0; }

int CPicture::GetType() const {
  if (!m_image) return Gdiplus::ImageTypeUnknown;
  const Gdiplus::ImageType type = m_image->GetType();
  return type == Gdiplus::ImageTypeBitmap || type == Gdiplus::ImageTypeMetafile ? type : Gdiplus::ImageTypeUnknown;
}

Gdiplus::PixelFormat CPicture::GetPixelFormat() const {
  return m_image ? m_image->GetPixelFormat() : PixelFormatUndefined;
}

Gdiplus::Status CPicture::RotateFlip(Gdiplus::RotateFlipType type) {
  if (!m_image) return Track(Gdiplus::InvalidParameter);
  return Track(m_image->RotateFlip(type));
}

UINT CPicture::GetFrameCount() const {
  if (!m_image) return 0;
  const UINT dimensions = m_image->GetFrameDimensionsCount();
  if (dimensions == 0) return 1;
  std::vector<GUID> ids(dimensions);
  if (m_image->GetFrameDimensionsList(ids.data(), dimensions) != Gdiplus::Ok) return 1;
  const UINT frames = m_image->GetFrameCount(&ids[0]);
  return frames ? frames : 1;
}

Gdiplus::Status CPicture::SelectActiveFrame(UINT index) {
  if (!m_image) return Track(Gdiplus::InvalidParameter);
  const UINT dimensions = m_image->GetFrameDimensionsCount();
  if (dimensions == 0) return Track(index == 0 ? Gdiplus::Ok : Gdiplus::InvalidParameter);
  std::vector<GUID> ids(dimensions);
  Gdiplus::Status status = m_image->GetFrameDimensionsList(ids.data(), dimensions);
  if (status == Gdiplus::Ok) status = m_image->SelectActiveFrame(&ids[0], index);
  return Track(status);
}

std::unique_ptr<CPicture> CPicture::Clone(int x, int y, int width, int height, Gdiplus::PixelFormat format) const {
  Gdiplus::Bitmap* bitmap = GetBitmap();
  if (!bitmap) return nullptr;
  Gdiplus::Bitmap* copy = bitmap->Clone(x, y, width, height, format);
  if (!copy) return std::make_unique<CPicture>(bitmap->GetLastStatus());
  return std::make_unique<CPicture>(copy);
}

std::unique_ptr<CPicture> CPicture::Clone() const {
  if (!m_image) return nullptr;
  if (GetBitmap()) {
    return Clone(0, 0, static_cast<int>(GetWidth()), static_cast<int>(GetHeight()), GetPixelFormat());
  }
  Gdiplus::Image* copy = m_image->Clone();
  if (!copy) return std::make_unique<CPicture>(m_image->GetLastStatus());
  // A copied metafile may still read the original's source.
  return std::make_unique<CPicture>(copy, m_source);
}
