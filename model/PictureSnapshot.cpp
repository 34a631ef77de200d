#include "model/PictureSnapshot.h"

#include <memory>

#include "graphics/Picture.h"
#include "model/DrawObj.h"

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
  std::unique_ptr<CPicture> copy = object.m_picture->Clone();
  // Without a copy the object keeps drawing its own picture, and the snapshot holds
  // only the name, as when there is no picture.
  if (!copy || !copy->IsValid()) return;
  // A copy drawn with the key it was already keyed with must not be keyed on every paint.
  if (object.m_picture->IsKeyedWith(object.m_colourKey)) copy->SetKeyedWith(object.m_colourKey);
  m_picture = object.m_picture;
  m_keyApplied = object.m_colourKeyApplied;
  object.m_picture = copy.release();
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
