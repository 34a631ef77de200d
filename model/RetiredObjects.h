// CRetiredObjects: objects that leave the page while code of the page may still be on
// the stack. A page jump runs inside the step of an object of the old page (and perhaps
// inside its composite owner's loop over members); the old objects must outlive that
// step. While a CRetiredObjects is open on the thread, Dispose hands objects to it, and
// they are destroyed when it closes.
#pragma once

#include <vector>

class CDrawObj;

class CRetiredObjects {
 public:
  CRetiredObjects();
  // Destroys every object handed in (through CDrawObj::Delete, so that owners take their
  // members along).
  ~CRetiredObjects();
  CRetiredObjects(const CRetiredObjects&) = delete;
  CRetiredObjects& operator=(const CRetiredObjects&) = delete;

  // Destroys the object now, or when the innermost open CRetiredObjects of the calling
  // thread closes.
  static void Dispose(CDrawObj* object);

 private:
  std::vector<CDrawObj*> m_objects;
  CRetiredObjects* m_outer;
};
