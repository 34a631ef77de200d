#include "behaviour/Value.h"

#include "framework/core/Archive.h"

IMPLEMENT_SERIAL(CValue, CObject, 0)

void CValue::SetStorage(double* storage) {
  if (storage != m_storage.get()) m_storage.reset(storage);
}

CValue* CValue::CreateCopy() const { return new CValue; }

void CValue::CopyVariables(const CMapStringToOb& source, CMapStringToOb& target) {
  if (&source == &target) return;
  for (POSITION pos = source.GetStartPosition(); pos;) {
    CString name;
    CObject* object;
    source.GetNextAssoc(pos, name, object);
    if (!object || !object->IsKindOf(RUNTIME_CLASS(CValue))) continue;
    std::unique_ptr<CValue> copy(static_cast<const CValue*>(object)->CreateCopy());
    CObject*& slot = target[name];
    delete slot;
    slot = copy.release();
  }
}

void CValue::DeleteVariables(CMapStringToOb& map) {
  for (POSITION pos = map.GetStartPosition(); pos;) {
    CString name;
    CObject* object;
    map.GetNextAssoc(pos, name, object);
    delete object;
  }
  map.RemoveAll();
}

void CValue::LoadVariables(CArchive& ar, CMapStringToOb& map) {
  DeleteVariables(map);
  // A name and an object tag take at least three bytes.
  for (DWORD n = ar.ReadCount(3); n > 0; --n) {
    CString key;
    ar >> key;
    std::unique_ptr<CObject> value(ar.ReadNewObject(
        [](const CRuntimeClass* cls) { return cls->IsDerivedFrom(RUNTIME_CLASS(CValue)) != FALSE; }));
    CObject* old = nullptr;
    if (map.Lookup(key, old)) delete old;  // a repeated name replaces the value
    map.SetAt(key, value.release());
  }
}
