#include "model/PictureRecord.h"

#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/MessageBox.h"
#include "framework/core/UserException.h"
#include "resources/ModelStrings.h"

namespace PictureRecord {

void Write(CArchive& ar, const CString& name, Gdiplus::Image* picture) {
  std::vector<BYTE> bytes;
  if (picture && picture->GetType() != Gdiplus::ImageTypeUnknown &&
      PictureCodec::EncodeJpeg(picture, bytes) == PictureCodec::EncodeResult::noTemporaryFile) {
    AfxMessageBox(IDS_DISK_FULL, MB_ICONSTOP);
    throw CUserException();
  }
  const DWORD kind = bytes.empty() ? 0 : picture->GetType() == Gdiplus::ImageTypeMetafile ? 2 : 1;
  ar << name << static_cast<DWORD>(bytes.size()) << kind;
  ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

Gdiplus::Image* Read(CArchive& ar) {
  CString ignoredName;
  DWORD length, kind;
  ar >> ignoredName >> length >> kind;
  ar.CheckAvailable(length);
  std::vector<BYTE> bytes(length);
  if (length && ar.Read(bytes.data(), length) != length) throw CArchiveException(CArchiveException::endOfFile);
  return PictureCodec::Decode(bytes.data(), bytes.size());
}

}  // namespace PictureRecord
