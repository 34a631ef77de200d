#include "model/PointArray.h"

void CPointArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(GetSize()));
    for (int i = 0; i < GetSize(); ++i) ar << GetAt(i).x << GetAt(i).y;
  } else {
    const DWORD count = ar.ReadCount(8);
    SetSize(static_cast<int>(count));
    for (int i = 0; i < GetSize(); ++i) ar >> ElementAt(i).x >> ElementAt(i).y;
  }
}
