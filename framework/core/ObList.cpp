#include "framework/core/ObList.h"

#include "framework/core/Archive.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)

void CObList::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(GetCount()));
    for (POSITION pos = GetHeadPosition(); pos;) ar.WriteObject(GetNext(pos));
  } else {
    // Every element takes at least its 2-byte tag.
    for (DWORD n = ar.ReadCount(2); n > 0; --n) AddTail(ar.ReadObject(RUNTIME_CLASS(CObject)));
  }
}
