#include "model/RetiredObjects.h"

#include "model/DrawObj.h"

namespace {
thread_local CRetiredObjects* t_current = nullptr;
}  // namespace

CRetiredObjects::CRetiredObjects() : m_outer(t_current) { t_current = this; }

CRetiredObjects::~CRetiredObjects() {
  t_current = m_outer;
  for (CDrawObj* object : m_objects) object->Delete();
}

void CRetiredObjects::Dispose(CDrawObj* object) {
  if (!object) return;
  if (t_current)
    t_current->m_objects.push_back(object);
  else
    object->Delete();
}
