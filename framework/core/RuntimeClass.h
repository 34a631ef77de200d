// CRuntimeClass: what the archive needs to know of a serialisable class — its name,
// schema, base and how to make an empty one. Every record registers itself by name.
#pragma once

#include <vector>

#include "framework/core/AfxTypes.h"

class CObject;

// A schema with this bit accepts any schema on reading and lets the object ask which.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;

class CRuntimeClass {
 public:
  CRuntimeClass(const char* className, UINT schema, CObject* (*create)(),
                const CRuntimeClass* (*base)());

  CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;
  const CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }

  // The registered class of that exact name, or null.
  static const CRuntimeClass* FromName(const char* className);
  // Every registered class, in the order of their names.
  static std::vector<const CRuntimeClass*> AllClasses();

  const char* m_lpszClassName;
  UINT m_wSchema;  // 0xFFFF for a class that cannot be archived
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* (*m_pfnGetBaseClass)();
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

// In the class body: the class's record and the virtual that reports it.
#define DECLARE_DYNAMIC(class_name)                          \
 public:                                                     \
  static const CRuntimeClass* GetThisClass();                \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNAMIC(class_name)      \
  static CObject* CreateObject();

// A class the framework creates by its record (documents, frames and views made by a
// document template), without being archivable.
#define DECLARE_DYNCREATE(class_name) DECLARE_SERIAL(class_name)

// In one source file. The base named is the one the record reports, which need not
// be the C++ base.
#define IMPLEMENT_RUNTIMECLASS_(class_name, base_name, schema, create)                    \
  const CRuntimeClass* class_name::GetThisClass() {                                        \
    static const CRuntimeClass record(#class_name, schema, create,                         \
                                      [] { return RUNTIME_CLASS(base_name); });            \
    return &record;                                                                        \
  }                                                                                        \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return GetThisClass(); }      \
  static const CRuntimeClass* const class_name##_registered = class_name::GetThisClass();

#define IMPLEMENT_DYNAMIC(class_name, base_name) \
  IMPLEMENT_RUNTIMECLASS_(class_name, base_name, 0xFFFF, nullptr)

#define IMPLEMENT_SERIAL(class_name, base_name, schema)                         \
  CObject* class_name::CreateObject() { return new class_name; }                \
  IMPLEMENT_RUNTIMECLASS_(class_name, base_name, schema, &class_name::CreateObject)

#define IMPLEMENT_DYNCREATE(class_name, base_name)                              \
  CObject* class_name::CreateObject() { return new class_name; }                \
  IMPLEMENT_RUNTIMECLASS_(class_name, base_name, 0xFFFF, &class_name::CreateObject)
