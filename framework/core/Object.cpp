#include "framework/core/Object.h"

const CRuntimeClass* CObject::GetThisClass() {
  static const CRuntimeClass record("CObject", 0xFFFF, nullptr, nullptr);
  return &record;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return GetThisClass(); }

void CObject::Serialize(CArchive&) {}
