#include "graphics/ImageHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <new>
#include <utility>

#include "framework/core/File.h"
#include "graphics/DoubleToCoord.h"
#include "graphics/GeometryHelpers.h"
#include "graphics/EncodingCheck.h"
#include "graphics/ReadOnlyStream.h"

namespace {

struct ReleaseUnknown {
  void operator()(IUnknown* p) const {
    if (p) p->Release();
  }
};
using StreamPtr = std::unique_ptr<IStream, ReleaseUnknown>;

// A metafile is played into at most this many device pixels a side (see DrawImageEx).
constexpr double kLargestPlayedMetafile = 16384;

// Beyond this many tiles in view, one texture fill replaces the calls per tile.

int ClampToInt(int64_t v) { return static_cast<int>(std::min<int64_t>(std::max<int64_t>(v, INT_MIN), INT_MAX)); }

std::unique_ptr<CPicture> Failed(Gdiplus::Status status) { return std::make_unique<CPicture>(status); }

// Raster decoders first; what they refuse may be a metafile.
std::unique_ptr<CPicture> DecodeStream(IStream* stream, BOOL flip, UINT* frameCount) {
  std::unique_ptr<CPicture> picture;
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream, FALSE);
  const Gdiplus::Status bitmapStatus = bitmap->GetLastStatus();
  if (bitmapStatus == Gdiplus::Ok) {
    picture = std::make_unique<CPicture>(bitmap.release(), stream);
  } else {
    bitmap.reset();
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    auto metafile = std::make_unique<Gdiplus::Metafile>(stream);
    if (metafile->GetLastStatus() != Gdiplus::Ok) return Failed(bitmapStatus);
    picture = std::make_unique<CPicture>(metafile.release(), stream);
  }
  if (frameCount) *frameCount = picture->GetFrameCount();
  if (flip && picture->GetType() == Gdiplus::ImageTypeBitmap) picture->RotateFlip(Gdiplus::Rotate180FlipX);
  return picture;
}

// Nearest colour through the graphics, remembering the last answer: pictures come in
// runs of one colour and the call is not cheap.
class NearestColour {
 public:
  explicit NearestColour(Gdiplus::Graphics* graphics) : m_graphics(graphics) {}
  Gdiplus::ARGB operator()(Gdiplus::ARGB colour) {
    if (!m_graphics) return colour;
    if (m_valid && colour == m_lastIn) return m_lastOut;
    Gdiplus::Color c(colour);
    m_graphics->GetNearestColor(&c);
    m_lastIn = colour;
    m_lastOut = c.GetValue();
    m_valid = true;
    return m_lastOut;
  }

 private:
  Gdiplus::Graphics* m_graphics;
  bool m_valid = false;
  Gdiplus::ARGB m_lastIn = 0, m_lastOut = 0;
};

// A 32-bit ARGB bitmap of the picture's active frame; a metafile is drawn into it
// upside down, so that it is held like a decoded raster picture.
std::unique_ptr<CPicture> ArgbCopy(CPicture& picture, int width, int height) {
  if (picture.GetBitmap()) return picture.Clone(0, 0, width, height, PixelFormat32bppARGB);
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  {
    Gdiplus::Graphics g(bitmap.get());
    g.Clear(Gdiplus::Color(0, 0, 0, 0));
    g.ScaleTransform(1.0f, -1.0f);
    g.TranslateTransform(0.0f, static_cast<Gdiplus::REAL>(-height));
    if (g.DrawImage(picture.GetImage(), 0, 0, width, height) != Gdiplus::Ok) return nullptr;
  }
  return std::make_unique<CPicture>(bitmap.release());
}

// The image an encoder is given: the picture itself, turned upright for the time of
// the encoding when it is held upside down, or an upright bitmap drawn from a metafile.
class UprightImage {
 public:
  UprightImage(CPicture& picture, BOOL heldFlipped) : m_picture(picture) {
    if (picture.GetType() == Gdiplus::ImageTypeMetafile) {
      const INT w = static_cast<INT>(picture.GetWidth()), h = static_cast<INT>(picture.GetHeight());
      m_drawn = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat32bppARGB);
      if (m_drawn->GetLastStatus() == Gdiplus::Ok) {
        Gdiplus::Graphics g(m_drawn.get());
        g.Clear(Gdiplus::Color(255, 255, 255, 255));
        m_status = g.DrawImage(picture.GetImage(), 0, 0, w, h);
      } else {
        m_status = Gdiplus::OutOfMemory;
      }
      return;
    }
    if (heldFlipped && picture.GetBitmap()) {
      m_status = picture.RotateFlip(Gdiplus::Rotate180FlipX);
      m_flipped = m_status == Gdiplus::Ok;
    }
  }
  ~UprightImage() {
    if (m_flipped) m_picture.RotateFlip(Gdiplus::Rotate180FlipX);
  }
  UprightImage(const UprightImage&) = delete;
  UprightImage& operator=(const UprightImage&) = delete;

  Gdiplus::Image* Get() const { return m_drawn ? m_drawn.get() : m_picture.GetImage(); }
  Gdiplus::Status GetStatus() const { return m_status; }

 private:
  CPicture& m_picture;
  std::unique_ptr<Gdiplus::Bitmap> m_drawn;
  bool m_flipped = false;
  Gdiplus::Status m_status = Gdiplus::Ok;
};

bool CopyStreamBytes(IStream* stream, std::vector<BYTE>& bytes) {
  STATSTG stat = {};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return false;
  if (stat.cbSize.QuadPart > SIZE_MAX) return false;
  HGLOBAL memory = nullptr;
  if (FAILED(::GetHGlobalFromStream(stream, &memory))) return false;
  const SIZE_T size = static_cast<SIZE_T>(stat.cbSize.QuadPart);
  if (size == 0) return false;
  const void* data = ::GlobalLock(memory);
  if (!data) return false;
  bytes.assign(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
  ::GlobalUnlock(memory);
  return true;
}

// What DrawImage takes from an image: all of it. A metafile's bounds need not start at
// the origin, so they are asked for rather than assumed.
struct ImageSource {
  explicit ImageSource(Gdiplus::Image* i) : image(i) {
    if (image->GetBounds(&bounds, &unit) != Gdiplus::Ok) {
      bounds = Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(image->GetWidth()),
                              static_cast<Gdiplus::REAL>(image->GetHeight()));
      unit = Gdiplus::UnitPixel;
    }
  }
  void Draw(Gdiplus::Graphics* graphics, const Gdiplus::Rect& dest, Gdiplus::ImageAttributes* attributes) const {
    const Gdiplus::RectF to(static_cast<Gdiplus::REAL>(dest.X), static_cast<Gdiplus::REAL>(dest.Y),
                            static_cast<Gdiplus::REAL>(dest.Width), static_cast<Gdiplus::REAL>(dest.Height));
    graphics->DrawImage(image, to, bounds.X, bounds.Y, bounds.Width, bounds.Height, unit, attributes);
  }

  Gdiplus::Image* image;
  Gdiplus::RectF bounds;
  Gdiplus::Unit unit = Gdiplus::UnitPixel;
};

// Tiles the image at its own size from the rectangle's corner, over the part of the
// rectangle the clip lets through (a small picture over a large page would otherwise
// cost a call per tile off screen). Raster pictures are tiled by one texture fill: tiles
// drawn one by one leave a pixel of background between them under the page's mirrored
// y mapping. Metafiles, which a texture cannot hold, are drawn tile by tile.
void DrawTiles(Gdiplus::Graphics* graphics, const ImageSource& source, const Gdiplus::Rect& dest, INT imageWidth,
               INT imageHeight, Gdiplus::ImageAttributes* attributes) {
  const int64_t columns = (static_cast<int64_t>(dest.Width) + imageWidth - 1) / imageWidth;
  const int64_t rows = (static_cast<int64_t>(dest.Height) + imageHeight - 1) / imageHeight;
  int64_t firstColumn = 0, lastColumn = columns - 1, firstRow = 0, lastRow = rows - 1;
  if (graphics->IsVisibleClipEmpty()) return;
  Gdiplus::RectF visible;
  if (graphics->GetVisibleClipBounds(&visible) == Gdiplus::Ok) {
    auto tileOf = [](double at, double origin, INT size) {
      return static_cast<int64_t>(DoubleToCoord(std::floor((at - origin) / size)));
    };
    firstColumn = std::max(firstColumn, tileOf(visible.X, dest.X, imageWidth));
    lastColumn = std::min(lastColumn, tileOf(static_cast<double>(visible.X) + visible.Width, dest.X, imageWidth));
    firstRow = std::max(firstRow, tileOf(visible.Y, dest.Y, imageHeight));
    lastRow = std::min(lastRow, tileOf(static_cast<double>(visible.Y) + visible.Height, dest.Y, imageHeight));
  }
  if (lastColumn < firstColumn || lastRow < firstRow) return;

  if (source.unit == Gdiplus::UnitPixel) {
    Gdiplus::TextureBrush brush(source.image, source.bounds, attributes);
    if (brush.GetLastStatus() == Gdiplus::Ok) {
      brush.SetWrapMode(Gdiplus::WrapModeTile);
      brush.TranslateTransform(static_cast<Gdiplus::REAL>(dest.X), static_cast<Gdiplus::REAL>(dest.Y));
      if (graphics->FillRectangle(&brush, dest) == Gdiplus::Ok) return;
    }
  }
  for (int64_t row = firstRow; row <= lastRow; ++row) {
    for (int64_t column = firstColumn; column <= lastColumn; ++column) {
      const Gdiplus::Rect tile(ClampToInt(dest.X + column * imageWidth), ClampToInt(dest.Y + row * imageHeight),
                               imageWidth, imageHeight);
      source.Draw(graphics, tile, attributes);
    }
  }
}

}  // namespace

void NormalizeGdipRect(Gdiplus::Rect& rect) {
  if (rect.Width < 0) {
    rect.X = ClampToInt(static_cast<int64_t>(rect.X) + rect.Width);
    rect.Width = ClampToInt(-static_cast<int64_t>(rect.Width));
  }
  if (rect.Height < 0) {
    rect.Y = ClampToInt(static_cast<int64_t>(rect.Y) + rect.Height);
    rect.Height = ClampToInt(-static_cast<int64_t>(rect.Height));
  }
}

std::unique_ptr<CPicture> CopyWithColourKey(CPicture& picture, Gdiplus::Graphics* graphics, COLORREF key) {
  const INT width = static_cast<INT>(picture.GetWidth()), height = static_cast<INT>(picture.GetHeight());
  if (!picture.HasImage() || width <= 0 || height <= 0) return nullptr;
  std::unique_ptr<CPicture> copy = ArgbCopy(picture, width, height);
  if (!copy || !copy->IsValid() || !copy->GetBitmap()) return nullptr;

  NearestColour nearest(graphics);
  const Gdiplus::ARGB opaque = 0xFF000000u;
  const Gdiplus::ARGB mappedKey =
      nearest(opaque | (GetRValue(key) << 16) | (GetGValue(key) << 8) | static_cast<Gdiplus::ARGB>(GetBValue(key)));
  Gdiplus::Rect all(0, 0, width, height);
  Gdiplus::BitmapData data = {};
  if (copy->GetBitmap()->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                                  PixelFormat32bppARGB, &data) != Gdiplus::Ok)
    return nullptr;
  for (INT y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<Gdiplus::ARGB*>(static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
    for (INT x = 0; x < width; ++x) {
      // Compared as opaque colours, so a pixel keyed before stays keyed.
      if (nearest(row[x] | opaque) == mappedKey) row[x] &= 0x00FFFFFFu;
    }
  }
  copy->GetBitmap()->UnlockBits(&data);
  copy->SetKeyedWith(key);
  return copy;
}

void DrawImageEx(CPicture* picture, Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* clipPath, int left,
                 int top, int right, int bottom, BOOL stretch, BOOL transparent, int transparency,
                 COLORREF colourKey) {
  if (!picture || !graphics || !picture->HasImage()) return;
  const INT imageWidth = static_cast<INT>(picture->GetWidth()), imageHeight = static_cast<INT>(picture->GetHeight());
  if (imageWidth <= 0 || imageHeight <= 0) return;
  transparency = std::min(std::max(transparency, 0), 255);
  if (transparency == 255) return;

  Gdiplus::Rect dest(left, top, ClampToInt(static_cast<int64_t>(right) - left),
                     ClampToInt(static_cast<int64_t>(bottom) - top));
  NormalizeGdipRect(dest);

  std::unique_ptr<CPicture> keyed;
  CPicture* source = picture;
  if (transparent && !picture->IsKeyedWith(colourKey)) {
    keyed = CopyWithColourKey(*picture, graphics, colourKey);
    if (keyed) source = keyed.get();
  }
  // A metafile stretched far beyond any screen is not played: at that size its text
  // asks for glyphs tens of thousands of pixels high, which take gigabytes to render.
  if (stretch && source->GetType() == Gdiplus::ImageTypeMetafile) {
    Gdiplus::Matrix transform;
    graphics->GetTransform(&transform);
    Gdiplus::PointF sides[2] = {Gdiplus::PointF(static_cast<Gdiplus::REAL>(dest.Width), 0),
                                Gdiplus::PointF(0, static_cast<Gdiplus::REAL>(dest.Height))};
    transform.TransformVectors(sides, 2);
    if (std::hypot(sides[0].X, sides[0].Y) > kLargestPlayedMetafile ||
        std::hypot(sides[1].X, sides[1].Y) > kLargestPlayedMetafile)
      return;
  }

  Gdiplus::Region savedClip;
  graphics->GetClip(&savedClip);
  if (clipPath) graphics->SetClip(clipPath, Gdiplus::CombineModeIntersect);
  // Tiles stop at the rectangle's edges even when the path reaches further.
  if (!stretch) graphics->SetClip(dest, Gdiplus::CombineModeIntersect);

  Gdiplus::Matrix savedTransform;
  const bool metafile = source->GetType() == Gdiplus::ImageTypeMetafile;
  if (metafile) {
    graphics->GetTransform(&savedTransform);
    graphics->ScaleTransform(1.0f, -1.0f);
    dest.Y = ClampToInt(-static_cast<int64_t>(dest.Y));
    dest.Height = -dest.Height;
    NormalizeGdipRect(dest);
  }

  // Tiles are drawn at the picture's size; mirroring the edge pixels outwards keeps the
  // resampler from blending a tile's border with nothing.
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  if (transparency > 0) {
    Gdiplus::ColorMatrix matrix = {};
    for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
    matrix.m[3][3] = static_cast<Gdiplus::REAL>(255 - transparency) / 255.0f;
    attributes.SetColorMatrix(&matrix);
  }

  const ImageSource image(source->GetImage());
  if (stretch) {
    image.Draw(graphics, dest, &attributes);
  } else {
    DrawTiles(graphics, image, dest, imageWidth, imageHeight, &attributes);
  }

  if (metafile) graphics->SetTransform(&savedTransform);
  graphics->SetClip(&savedClip, Gdiplus::CombineModeReplace);
}

void RotatePointsAbout(double angle, double centreX, double centreY, POINT* points, int count) {
  if (!points || count <= 0) return;
  // The matrix GDI+ builds for a rotation about the centre, computed in double: single
  // precision would move points on large pages.
  const double c = std::cos(angle), s = std::sin(angle);
  for (int i = 0; i < count; ++i) {
    const double dx = points[i].x - centreX, dy = points[i].y - centreY;
    points[i].x = RoundHalfAway(centreX + dx * c - dy * s);
    points[i].y = RoundHalfAway(centreY + dx * s + dy * c);
  }
}

double LineAngleD(double x1, double y1, double x2, double y2) {
  const double pi = 3.14159265358979323846;
  if (y1 == y2 && x1 < x2) return 0.0;
  if (y1 == y2 && x1 > x2) return pi;
  if (x1 == x2) return y1 < y2 ? 3.0 * pi / 2.0 : pi / 2.0;
  return std::atan2(y1 - y2, x2 - x1);
}

double LineAngle(POINT from, POINT to) { return LineAngleD(from.x, from.y, to.x, to.y); }

namespace {

// Bytes that passed the checks, decoded from a stream that holds them.
std::unique_ptr<CPicture> DecodeCheckedBytes(std::vector<BYTE> bytes, BOOL flip, UINT* frameCount) {
  StreamPtr stream(NewReadOnlyStream(std::move(bytes)));
  if (!stream) return Failed(Gdiplus::OutOfMemory);
  return DecodeStream(stream.get(), flip, frameCount);
}

}  // namespace

std::unique_ptr<CPicture> LoadImageBytes(const void* data, size_t size, BOOL flip, UINT* frameCount) {
  if (!data || size == 0) return Failed(Gdiplus::UnknownImageFormat);
  if (!EncodingFits(static_cast<const BYTE*>(data), size)) return Failed(Gdiplus::InvalidParameter);
  const BYTE* bytes = static_cast<const BYTE*>(data);
  std::vector<BYTE> copy;
  try {
    copy = WithoutPlusRecords(bytes, size);
    if (copy.empty()) copy.assign(bytes, bytes + size);
  } catch (const std::bad_alloc&) {
    return Failed(Gdiplus::OutOfMemory);
  }
  return DecodeCheckedBytes(std::move(copy), flip, frameCount);
}

std::unique_ptr<CPicture> LoadImageFile(const char* path, BOOL flip, UINT* frameCount) {
  if (!path || !*path) return Failed(Gdiplus::InvalidParameter);
  CFile file;
  CFileException error;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone, &error)) {
    const bool missing = error.m_cause == CFileException::fileNotFound || error.m_cause == CFileException::badPath;
    return Failed(missing ? Gdiplus::FileNotFound : Gdiplus::Win32Error);
  }
  std::vector<BYTE> bytes;
  try {
    const ULONGLONG length = file.GetLength();
    if (length == 0) return Failed(Gdiplus::UnknownImageFormat);
    if (length > static_cast<ULONGLONG>(SIZE_MAX / 2)) return Failed(Gdiplus::OutOfMemory);
    const SIZE_T size = static_cast<SIZE_T>(length);
    bytes.resize(size);
    SIZE_T done = 0;
    while (done < size) {
      const UINT chunk = static_cast<UINT>(std::min<SIZE_T>(size - done, 1u << 24));
      const UINT got = file.Read(bytes.data() + done, chunk);
      if (got == 0) break;
      done += got;
    }
    if (done != size) return Failed(Gdiplus::Win32Error);
  } catch (const CFileException&) {
    return Failed(Gdiplus::Win32Error);
  } catch (const std::bad_alloc&) {
    return Failed(Gdiplus::OutOfMemory);
  }
  file.Abort();  // closed before decoding: nothing keeps the file open
  if (!EncodingFits(bytes.data(), bytes.size())) return Failed(Gdiplus::InvalidParameter);
  std::vector<BYTE> plain = WithoutPlusRecords(bytes.data(), bytes.size());
  return DecodeCheckedBytes(plain.empty() ? std::move(bytes) : std::move(plain), flip, frameCount);
}

int GetEncoderClsid(const WCHAR* mimeType, CLSID* clsid) {
  if (!mimeType) return -1;
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || count == 0 || size == 0) return -1;
  std::vector<BYTE> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return -1;
  for (UINT i = 0; i < count; ++i) {
    if (encoders[i].MimeType && std::wcscmp(encoders[i].MimeType, mimeType) == 0) {
      if (clsid) *clsid = encoders[i].Clsid;
      return static_cast<int>(i);
    }
  }
  return -1;
}

Gdiplus::Status EncodeImageFrames(CPicture* const* frames, int count, const WCHAR* mimeType, BOOL heldFlipped,
                                  std::vector<BYTE>& bytes) {
  bytes.clear();
  if (!frames || count <= 0) return Gdiplus::InvalidParameter;
  for (int i = 0; i < count; ++i)
    if (!frames[i] || !frames[i]->HasImage()) return Gdiplus::InvalidParameter;
  CLSID encoder;
  if (GetEncoderClsid(mimeType, &encoder) < 0) return Gdiplus::UnknownImageFormat;

  IStream* raw = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &raw)) || !raw) return Gdiplus::OutOfMemory;
  StreamPtr stream(raw);

  Gdiplus::Status status;
  UprightImage first(*frames[0], heldFlipped);
  if ((status = first.GetStatus()) != Gdiplus::Ok) return status;
  if (count == 1) {
    status = first.Get()->Save(stream.get(), &encoder, nullptr);
  } else {
    ULONG flag = Gdiplus::EncoderValueMultiFrame;
    Gdiplus::EncoderParameters parameters;
    parameters.Count = 1;
    parameters.Parameter[0].Guid = Gdiplus::EncoderSaveFlag;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Value = &flag;
    status = first.Get()->Save(stream.get(), &encoder, &parameters);
    flag = Gdiplus::EncoderValueFrameDimensionPage;
    for (int i = 1; i < count && status == Gdiplus::Ok; ++i) {
      UprightImage next(*frames[i], heldFlipped);
      status = next.GetStatus();
      if (status == Gdiplus::Ok) status = first.Get()->SaveAdd(next.Get(), &parameters);
    }
    flag = Gdiplus::EncoderValueFlush;
    const Gdiplus::Status flushed = first.Get()->SaveAdd(&parameters);
    if (status == Gdiplus::Ok) status = flushed;
  }
  if (status != Gdiplus::Ok) return status;
  if (!CopyStreamBytes(stream.get(), bytes)) return Gdiplus::Win32Error;
  return Gdiplus::Ok;
}

Gdiplus::Status EncodeImage(CPicture& picture, const WCHAR* mimeType, BOOL heldFlipped, std::vector<BYTE>& bytes) {
  CPicture* frames[1] = {&picture};
  return EncodeImageFrames(frames, 1, mimeType, heldFlipped, bytes);
}
