// The pictures of drawing objects: loading, the colour key, the records a page embeds,
// the programme's resource folder and animated frames.
#include <memory>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/Codepage.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/PictureCodec.h"
#include "model/PictureRecord.h"

namespace {

bool FileExists(const CString& path) {
  if (CDrawHost* host = GetDrawHost()) return host->FileExists(path) != FALSE;
  return ::GetFileAttributesW(codepage::ToWide(path.str()).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The whole file, or nothing when it cannot be read.
std::vector<BYTE> ReadWholeFile(const CString& path) {
  std::vector<BYTE> bytes;
  HANDLE file = ::CreateFileW(codepage::ToWide(path.str()).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size;
  DWORD got = 0;
  if (::GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 0x7FFFFFFF) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size())
      bytes.clear();
  }
  ::CloseHandle(file);
  return bytes;
}

// The folder whose "\res" receives copied files: the programme's, or before any run
// has set one, the page's own.
CString ProgrammeFolder() {
  CDrawHost* host = GetDrawHost();
  CString folder = host ? host->GetProgrammeFolder() : CString();
  if (folder.IsEmpty() && host && host->GetDocument()) {
    const CString page = host->GetDocument()->GetPathName();
    const int slash = page.ReverseFind('\\');
    if (slash > 0) folder = page.Left(slash);
  }
  return folder;
}

}  // namespace

int CDrawObj::SetPictureFile(const CString& file) {
  m_pictureFile = file;
  delete m_picture;
  m_picture = nullptr;
  Invalidate();
  return 1;
}

BOOL CDrawObj::LoadPicture(const CString& path) {
  if (path.Find('\\') < 0 || !FileExists(path)) return FALSE;
  // Decoded from memory, so that no file stays open behind the picture.
  const std::vector<BYTE> bytes = ReadWholeFile(path);
  Gdiplus::Image* picture = PictureCodec::Decode(bytes.data(), bytes.size());
  if (!picture) return FALSE;
  delete m_picture;
  m_picture = picture;
  m_colourKeyApplied = 0;
  return TRUE;
}

BOOL CDrawObj::HasPicture() { return m_picture != nullptr; }

CSize CDrawObj::GetPictureSize() {
  if (!m_picture) return CSize();
  return CSize(static_cast<int>(m_picture->GetWidth()), static_cast<int>(m_picture->GetHeight()));
}

void CDrawObj::ApplyColourKey(Gdiplus::Graphics* graphics) {
  if (!m_picture || m_filled || m_colourKeyApplied) return;
  const UINT w = m_picture->GetWidth(), h = m_picture->GetHeight();
  if (w == 0 || h == 0) return;
  auto keyed = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(w), static_cast<INT>(h), PixelFormat32bppARGB);
  {
    Gdiplus::Graphics copy(keyed.get());
    copy.DrawImage(m_picture, 0, 0, static_cast<INT>(w), static_cast<INT>(h));
  }
  Gdiplus::Color key(255, GetRValue(m_colourKey), GetGValue(m_colourKey), GetBValue(m_colourKey));
  const Gdiplus::ARGB wanted = key.GetValue() & 0xFFFFFF;
  if (graphics) graphics->GetNearestColor(&key);
  // On a true-colour device the nearest colour is the colour itself: compare directly
  // and map pixels only when the device maps colours.
  const bool mapped = (key.GetValue() & 0xFFFFFF) != wanted;
  Gdiplus::BitmapData data;
  Gdiplus::Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
  if (keyed->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB,
                      &data) != Gdiplus::Ok)
    return;
  for (UINT y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<Gdiplus::ARGB*>(static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
    for (UINT x = 0; x < w; ++x) {
      Gdiplus::Color pixel(row[x] | 0xFF000000);
      if (mapped && graphics) graphics->GetNearestColor(&pixel);
      // Only the alpha goes: the colour stays, so that an encoded copy still carries
      // the key colour and the key applies again when the page is read back.
      if ((pixel.GetValue() & 0xFFFFFF) == (key.GetValue() & 0xFFFFFF)) row[x] &= 0x00FFFFFF;
    }
  }
  keyed->UnlockBits(&data);
  delete m_picture;
  m_picture = keyed.release();
  m_colourKeyApplied = 1;
}

void CDrawObj::SerializeEmbedded(CArchive& ar, int mode) {
  if (mode != 2 || m_pictureFile.IsEmpty() || !m_pictureFill) return;
  if (ar.IsStoring()) {
    PictureRecord::Write(ar, m_pictureFile, m_picture);
    return;
  }
  m_pictureFile.MakeLower();
  delete m_picture;
  m_picture = nullptr;
  m_picture = PictureRecord::Read(ar);
  m_colourKeyApplied = 0;
}

int CDrawObj::CollectResources(int mode) {
  if (mode == 1 || m_pictureFile.IsEmpty()) return 1;
  // A picture named by its path and not drawn yet is decoded now, before its path is
  // cut to a bare name it could not be found by again.
  if (!m_picture && m_pictureFill) LoadPicture(m_pictureFile);
  const CString name = m_pictureFile.Mid(m_pictureFile.ReverseFind('\\') + 1);
  if (mode == 0) {
    const CString res = ProgrammeFolder() + "\\res";
    ::CreateDirectoryW(codepage::ToWide(res.str()).c_str(), nullptr);
    const CString destination = res + "\\" + name;
    if (!FileExists(destination) &&
        !::CopyFileW(codepage::ToWide(m_pictureFile.str()).c_str(), codepage::ToWide(destination.str()).c_str(),
                     TRUE))
      return 0;
  }
  m_pictureFile = name;
  m_pictureFile.MakeLower();
  return 1;
}

void CDrawObj::StepGifFrame() {
  if (!m_picture || m_frameCount <= 1) return;
  m_frameIndex = (m_frameIndex + 1) % m_frameCount;
  Invalidate();
}

int CDrawObj::ListExtraActionRows(CPropGrid*, int) { return 1; }
int CDrawObj::ApplyExtraActionRows(CPropGrid*, int) { return 1; }
