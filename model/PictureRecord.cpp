#include "model/PictureRecord.h"

#include <memory>
#include <vector>

#include "framework/core/Archive.h"
#include "media/ImageHelpers.h"
#include "media/Picture.h"

namespace PictureRecord {

void WriteFrames(CArchive& ar, const CString& name, CPicture* const* frames, int count, const WCHAR* mimeType) {
  // Encoded in memory: no temporary file to run out of, nothing left behind.
  std::vector<BYTE> bytes;
  bool valid = frames && count > 0;
  for (int i = 0; valid && i < count; ++i) valid = frames[i] && frames[i]->IsValid();
  if (valid && EncodeImageFrames(frames, count, count == 1 ? L"image/jpeg" : mimeType, TRUE, bytes) != Gdiplus::Ok)
    bytes.clear();
  const DWORD kind = bytes.empty() ? 0 : static_cast<DWORD>(frames[0]->GetType());
  ar << name << static_cast<DWORD>(bytes.size()) << kind;
  ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

void Write(CArchive& ar, const CString& name, CPicture* picture) { WriteFrames(ar, name, &picture, 1, L"image/jpeg"); }

std::vector<BYTE> ReadBytes(CArchive& ar) {
  CString ignoredName;
  DWORD length, kind;
  ar >> ignoredName >> length >> kind;
  ar.CheckAvailable(length);
  std::vector<BYTE> bytes(length);
  if (length && ar.Read(bytes.data(), length) != length) throw CArchiveException(CArchiveException::endOfFile);
  return bytes;
}

CPicture* Read(CArchive& ar) {
  const std::vector<BYTE> bytes = ReadBytes(ar);
  if (bytes.empty()) return nullptr;
  std::unique_ptr<CPicture> picture = LoadImageBytes(bytes.data(), bytes.size(), TRUE);
  return picture && picture->IsValid() ? picture.release() : nullptr;
}

}  // namespace PictureRecord
