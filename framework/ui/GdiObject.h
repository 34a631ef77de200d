// CGdiObject: owner of one GDI object (pen, brush, font, bitmap, region), deleted by
// the destructor. Move-only. FromHandle wraps an object the program does not own
// (such as the one a SelectObject call gives back) without taking it over.
#pragma once

#include <memory>
#include <typeinfo>

#include "framework/core/Object.h"
#include "framework/ui/UiDefs.h"

class CGdiObject : public CObject {
 public:
  CGdiObject() = default;
  ~CGdiObject() override { DeleteObject(); }
  CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.m_hObject) { other.m_hObject = nullptr; }
  CGdiObject& operator=(CGdiObject&& other) noexcept {
    if (this != &other) {
      DeleteObject();
      m_hObject = other.m_hObject;
      other.m_hObject = nullptr;
    }
    return *this;
  }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;
  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  // Deletes the object now; FALSE when there was none or it is still selected.
  BOOL DeleteObject();
  BOOL CreateStockObject(int nIndex);
  int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectA(m_hObject, nCount, lpObject); }
  UINT GetObjectType() const { return static_cast<UINT>(::GetObjectType(m_hObject)); }

  static CGdiObject* FromHandle(HGDIOBJ hObject) { return TempObject<CGdiObject>(hObject); }
  static void DeleteTempMap();
  void ForgetTemporaryHandle() { m_hObject = nullptr; }

 protected:
  template <class T>
  static T* TempObject(HGDIOBJ hObject) {
    if (!hObject) return nullptr;
    if (CGdiObject* found = FindTemp(hObject, typeid(T))) return static_cast<T*>(found);
    return static_cast<T*>(AddTemp(hObject, typeid(T), std::unique_ptr<CGdiObject>(new T)));
  }

 private:
  static CGdiObject* FindTemp(HGDIOBJ hObject, const std::type_info& type);
  static CGdiObject* AddTemp(HGDIOBJ hObject, const std::type_info& type, std::unique_ptr<CGdiObject> object);
};
