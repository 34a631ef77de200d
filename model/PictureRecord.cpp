#include "model/PictureRecord.h"

#include <memory>
#include <vector>

#include "framework/core/Archive.h"
#include "graphics/ImageHelpers.h"
#include "graphics/Picture.h"

namespace PictureRecord {

void Write(CArchive& ar, const CString& name, CPicture* picture) {
  // Encoded in memory: no temporary file to run out of, nothing left behind.
  std::vector<BYTE> bytes;
  if (picture && picture->IsValid() && EncodeImage(*picture, L"image/jpeg", TRUE, bytes) != Gdiplus::Ok)
    bytes.clear();
  const DWORD kind = bytes.empty() ? 0 : static_cast<DWORD>(picture->GetType());
  ar << name << static_cast<DWORD>(bytes.size()) << kind;
  ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

CPicture* Read(CArchive& ar) {
  CString ignoredName;
  DWORD length, kind;
  ar >> ignoredName >> length >> kind;
  ar.CheckAvailable(length);
  std::vector<BYTE> bytes(length);
  if (length && ar.Read(bytes.data(), length) != length) throw CArchiveException(CArchiveException::endOfFile);
  if (bytes.empty()) return nullptr;
  std::unique_ptr<CPicture> picture = LoadImageBytes(bytes.data(), bytes.size(), TRUE);
  return picture && picture->IsValid() ? picture.release() : nullptr;
}

}  // namespace PictureRecord
