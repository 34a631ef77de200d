#include "framework/ui/GdiObject.h"

#include <typeindex>
#include <utility>

#include "framework/ui/TempMap.h"

namespace {

// One wrapper per handle and class, so a pen's handle is always wrapped by a CPen.
using Key = std::pair<HGDIOBJ, std::type_index>;

TempMap<Key, CGdiObject>& Temporary() {
  thread_local TempMap<Key, CGdiObject> map;
  return map;
}

}  // namespace

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (!hObject || m_hObject) return FALSE;
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ hObject = m_hObject;
  m_hObject = nullptr;
  return hObject;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
  DeleteObject();
  return Attach(::GetStockObject(nIndex));  // deleting a stock object later does nothing
}

CGdiObject* CGdiObject::FindTemp(HGDIOBJ hObject, const std::type_info& type) {
  return Temporary().Find(Key(hObject, std::type_index(type)));
}

CGdiObject* CGdiObject::AddTemp(HGDIOBJ hObject, const std::type_info& type, std::unique_ptr<CGdiObject> object) {
  object->m_hObject = hObject;
  return Temporary().Add(Key(hObject, std::type_index(type)), std::move(object));
}

void CGdiObject::DeleteTempMap() { Temporary().Clear(); }
