// CPtrList: an ordered list of untyped pointers; it does not own them.
#pragma once

#include "framework/core/NodeList.h"

class CPtrList : public NodeList<void*> {
 public:
  explicit CPtrList(int blockSize = 10) {}
};
