// CComponentSource: where the page view takes a component dropped from the component
// window ("Object Draw" data names it by index): that window's current list of objects.
// The component window installs itself while it shows a library; without one a drop of
// a component inserts nothing.
#pragma once

class CDrawObj;

class CComponentSource {
 public:
  virtual ~CComponentSource() = default;
  virtual int GetComponentCount() const = 0;
  // The object at the index (0 to count - 1), or null for an empty entry.
  virtual CDrawObj* GetComponent(int index) const = 0;

  // The source the view asks now, and the one it replaces (null for none).
  static CComponentSource* Get();
  static CComponentSource* Set(CComponentSource* source);
};
