// The pictures of drawing objects: loading, the colour key, the records a page embeds,
// the programme's resource folder and animated frames.
#include <memory>

#include "framework/core/Archive.h"
#include "framework/core/Codepage.h"
#include "graphics/ImageHelpers.h"
#include "graphics/Picture.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/PathLimits.h"
#include "model/PictureRecord.h"

namespace {

bool FileExists(const CString& path) {
  if (CDrawHost* host = GetDrawHost()) return host->FileExists(path) != FALSE;
  return ::GetFileAttributesW(codepage::ToWide(path.str()).c_str()) != INVALID_FILE_ATTRIBUTES;
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
  std::unique_ptr<CPicture> picture = LoadImageFile(path, TRUE);
  if (!picture || !picture->IsValid()) return FALSE;
  delete m_picture;
  m_picture = picture.release();
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
  if (m_picture->GetWidth() == 0 || m_picture->GetHeight() == 0) return;
  std::unique_ptr<CPicture> keyed = CopyWithColourKey(*m_picture, graphics, m_colourKey);
  if (!keyed || !keyed->IsValid()) return;
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

void CDrawObj::LoadPictureIfNeeded() {
  if (!m_pictureFill || m_pictureFile.IsEmpty()) return;
  // Decoded once and kept: a new file name releases the picture, and a new colour key
  // has it decoded again where its file can still be read.
  if (!m_picture) {
    LoadPicture(m_pictureFile);
  } else if (m_colourKeyApplied && m_appliedKey != m_colourKey) {
    LoadPicture(m_pictureFile);
    m_appliedKey = m_colourKey;
  }
}

void CDrawObj::DrawPictureFill(Gdiplus::Graphics& graphics, Gdiplus::GraphicsPath& path) {
  const int keyedBefore = m_colourKeyApplied;
  ApplyColourKey(&graphics);
  if (!keyedBefore && m_colourKeyApplied) m_appliedKey = m_colourKey;
  // The picture is clipped to the shape as GDI+ is given it: a clip reaching billions of
  // units takes GDI+ minutes to make a region of.
  const std::unique_ptr<Gdiplus::GraphicsPath> bounded = PathLimits::SafeCopy(path);
  DrawImageEx(m_picture, &graphics, bounded ? bounded.get() : &path, m_baseRect.left, m_baseRect.top, m_baseRect.right, m_baseRect.bottom,
              m_picturePlacement, !m_filled, m_fillAlpha, m_colourKey);
}
