#include "framework/core/RuntimeClass.h"

#include <cstring>
#include <map>
#include <string>

namespace {

std::map<std::string, const CRuntimeClass*>& Registry() {
  static std::map<std::string, const CRuntimeClass*> registry;
  return registry;
}

}  // namespace

CRuntimeClass::CRuntimeClass(const char* className, UINT schema, CObject* (*create)(),
                             const CRuntimeClass* (*base)())
    : m_lpszClassName(className), m_wSchema(schema), m_pfnCreateObject(create), m_pfnGetBaseClass(base) {
  Registry()[className] = this;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->GetBaseClass())
    if (c == base) return TRUE;
  return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className) {
  auto it = Registry().find(className);
  return it == Registry().end() ? nullptr : it->second;
}

std::vector<const CRuntimeClass*> CRuntimeClass::AllClasses() {
  std::vector<const CRuntimeClass*> classes;
  for (const auto& entry : Registry()) classes.push_back(entry.second);
  return classes;
}
