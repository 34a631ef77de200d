#include "model/PictureCodec.h"

#include <shlwapi.h>

#include <cwchar>
#include <memory>

#include "framework/core/File.h"

namespace PictureCodec {

namespace {

struct StreamRelease {
  void operator()(IStream* s) const { s->Release(); }
};

bool IsMetafile(Gdiplus::Image* picture) { return picture->GetType() == Gdiplus::ImageTypeMetafile; }

}  // namespace

bool EncoderClsid(const wchar_t* mimeType, CLSID& clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wcscmp(codecs[i].MimeType, mimeType) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

EncodeResult EncodeJpeg(Gdiplus::Image* picture, std::vector<BYTE>& bytes) {
  bytes.clear();
  wchar_t folder[MAX_PATH], name[MAX_PATH];
  if (!::GetTempPathW(MAX_PATH, folder) || !::GetTempFileNameW(folder, L"tmp", 0, name))
    return EncodeResult::noTemporaryFile;

  EncodeResult result = EncodeResult::encoderFailed;
  CLSID jpeg;
  if (picture && EncoderClsid(L"image/jpeg", jpeg)) {
    // Metafiles cannot be flipped; they are held upright already.
    const bool flip = !IsMetafile(picture);
    if (flip) picture->RotateFlip(Gdiplus::RotateNoneFlipY);
    const Gdiplus::Status status = picture->Save(name, &jpeg, nullptr);
    if (flip) picture->RotateFlip(Gdiplus::RotateNoneFlipY);
    if (status == Gdiplus::Ok) {
      HANDLE file = ::CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER size;
        DWORD got = 0;
        if (::GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF) {
          bytes.resize(static_cast<size_t>(size.QuadPart));
          if (bytes.empty() || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                                got == bytes.size()))
            result = EncodeResult::ok;
        }
        ::CloseHandle(file);
      }
    }
  }
  ::DeleteFileW(name);
  if (result != EncodeResult::ok) bytes.clear();
  return result;
}

Gdiplus::Image* Decode(const BYTE* bytes, size_t count) {
  if (!bytes || count == 0 || count > 0x7FFFFFFF) return nullptr;
  std::unique_ptr<IStream, StreamRelease> stream(::SHCreateMemStream(bytes, static_cast<UINT>(count)));
  if (!stream) return nullptr;
  std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream.get()));
  if (!decoded || decoded->GetLastStatus() != Gdiplus::Ok || decoded->GetWidth() == 0) return nullptr;
  // A copy of the pixels, so that nothing keeps the stream (or a file) open.
  Gdiplus::Bitmap* copy = decoded->Clone(0, 0, static_cast<INT>(decoded->GetWidth()),
                                         static_cast<INT>(decoded->GetHeight()), decoded->GetPixelFormat());
  if (!copy || copy->GetLastStatus() != Gdiplus::Ok) {
    delete copy;
    return nullptr;
  }
  copy->RotateFlip(Gdiplus::RotateNoneFlipY);
  return copy;
}

}  // namespace PictureCodec
