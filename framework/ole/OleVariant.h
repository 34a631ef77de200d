// COleVariant: owns one VARIANT (cleared with VariantClear). Move-only.
#pragma once

#include <windows.h>
#include <oleauto.h>

class COleVariant {
 public:
  COleVariant() { ::VariantInit(&m_v); }
  ~COleVariant() { ::VariantClear(&m_v); }
  COleVariant(const COleVariant&) = delete;
  COleVariant& operator=(const COleVariant&) = delete;

  VARIANT* operator&() { return &m_v; }
  const VARIANT& Get() const { return m_v; }
  VARTYPE Type() const { return m_v.vt; }
  void Clear() { ::VariantClear(&m_v); }

 private:
  VARIANT m_v;
};
