// CObList: an ordered list of object pointers; it does not own them.
#pragma once

#include "framework/core/NodeList.h"
#include "framework/core/Object.h"

class CObList : public CObject, public NodeList<CObject*> {
  DECLARE_SERIAL(CObList)
 public:
  explicit CObList(int blockSize = 10) {}
  // A count, then one object reference per element; loading appends.
  void Serialize(CArchive& ar) override;
};
