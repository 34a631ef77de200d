// CObject: the root of every class that has a runtime class record or is archived.
#pragma once

#include "framework/core/RuntimeClass.h"

class CArchive;

class CObject {
 public:
  virtual ~CObject() = default;

  static const CRuntimeClass* GetThisClass();
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}

  BOOL IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
  BOOL IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};
