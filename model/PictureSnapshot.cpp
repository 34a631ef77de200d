#include "model/PictureSnapshot.h"

#include "model/DrawObj.h"

namespace {

// A copy of the picture as a picture of its own (same size and pixel format).
Gdiplus::Image* CopyOf(Gdiplus::Image* picture) {
  if (picture->GetType() == Gdiplus::ImageTypeBitmap) {
    auto* bitmap = static_cast<Gdiplus::Bitmap*>(picture);
    return bitmap->Clone(0, 0, static_cast<INT>(bitmap->GetWidth()), static_cast<INT>(bitmap->GetHeight()),
                         bitmap->GetPixelFormat());
  }
  return picture->Clone();
}

}  // namespace

CPictureSnapshot::~CPictureSnapshot() { Clear(); }

void CPictureSnapshot::Clear() {
  delete m_picture;
  m_picture = nullptr;
  m_file.Empty();
  m_keyApplied = 0;
  m_taken = false;
}

void CPictureSnapshot::Take(CDrawObj& object) {
  Clear();
  m_taken = true;
  m_file = object.m_pictureFile;
  if (!object.m_picture) return;
  Gdiplus::Image* copy = CopyOf(object.m_picture);
  if (!copy || copy->GetLastStatus() != Gdiplus::Ok) {
    // Without a copy the object keeps drawing its own picture, and the snapshot holds
    // only the name, as when there is no picture.
    delete copy;
    return;
  }
  m_picture = object.m_picture;
  m_keyApplied = object.m_colourKeyApplied;
  object.m_picture = copy;
}

bool CPictureSnapshot::GiveBack(CDrawObj& object) {
  if (!m_taken) return false;
  bool changed = false;
  if (m_picture) {
    delete object.m_picture;
    object.m_picture = m_picture;
    object.m_colourKeyApplied = m_keyApplied;
    m_picture = nullptr;
    changed = true;
  } else if (object.m_pictureFile != m_file) {
    delete object.m_picture;
    object.m_picture = nullptr;
    changed = true;
  }
  if (object.m_pictureFile != m_file) {
    object.m_pictureFile = m_file;
    changed = true;
  }
  Clear();
  return changed;
}
