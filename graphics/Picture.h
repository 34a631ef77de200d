// CPicture: a decoded picture. It owns the GDI+ image and the stream the image was
// decoded from (GDI+ may read its source again, for another frame or a lazy decode, so
// the bytes live as long as the image), and it remembers the status of the last GDI+
// call made through it, so that a failed decode is a holder that says why rather than
// a missing object.
#pragma once

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include <memory>

class CPicture {
 public:
  // Takes the image (which may be null); keeps a reference to its source stream.
  explicit CPicture(Gdiplus::Image* image, IStream* source = nullptr);
  // A holder without an image, reporting why there is none.
  explicit CPicture(Gdiplus::Status failure);
  ~CPicture();
  CPicture(const CPicture&) = delete;
  CPicture& operator=(const CPicture&) = delete;

  // Null when no image is held.
  Gdiplus::Image* GetImage() const { return m_image.get(); }
  // The image as a raster bitmap (for locking bits or cloning areas), or null.
  Gdiplus::Bitmap* GetBitmap() const;
  bool HasImage() const { return m_image != nullptr; }
  // Ok, or the status of the last GDI+ call through this holder that failed.
  Gdiplus::Status GetLastStatus() const { return m_status; }
  // An image is held and nothing has failed: what a caller may draw and keep.
  bool IsValid() const { return m_image && m_status == Gdiplus::Ok; }

  // 0 without an image.
  UINT GetWidth() const;
  UINT GetHeight() const;
  // The GDI+ image type: 1 raster bitmap, 2 metafile, 0 none or unknown.
  int GetType() const;
  Gdiplus::PixelFormat GetPixelFormat() const;

  Gdiplus::Status RotateFlip(Gdiplus::RotateFlipType type);
  // Frames of the first frame dimension (frames of a GIF, pages of a TIFF); 1 when the
  // image names none, 0 without an image.
  UINT GetFrameCount() const;
  // Makes a frame of the first frame dimension the one drawn, cloned and encoded.
  Gdiplus::Status SelectActiveFrame(UINT index);

  // A new bitmap, independent of this picture, holding that area of the active frame in
  // that pixel format. Null when this is not a raster picture; otherwise a holder that
  // carries the status of the copy.
  std::unique_ptr<CPicture> Clone(int x, int y, int width, int height, Gdiplus::PixelFormat format) const;
  // A copy of the whole picture: its active frame at its size and pixel format, or a
  // copy of a metafile. Null without an image.
  std::unique_ptr<CPicture> Clone() const;

  // Set on a copy whose key colour has been made transparent (CopyWithColourKey), so
  // that drawing it with the same key does not key it again.
  bool IsKeyedWith(COLORREF key) const { return m_keyed && m_key == key; }
  void SetKeyedWith(COLORREF key) {
    m_keyed = true;
    m_key = key;
  }

 private:
  Gdiplus::Status Track(Gdiplus::Status status) {
    m_status = status;
    return status;
  }

  std::unique_ptr<Gdiplus::Image> m_image;
  Gdiplus::Bitmap* m_bitmap = nullptr;  // m_image when it was made as a bitmap
  IStream* m_source = nullptr;
  Gdiplus::Status m_status = Gdiplus::Ok;
  bool m_keyed = false;
  COLORREF m_key = 0;
};
