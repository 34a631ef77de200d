// CStringList: an ordered list of strings.
#pragma once

#include "framework/core/NodeList.h"
#include "framework/core/String.h"

class CStringList : public NodeList<CString> {
 public:
  explicit CStringList(int blockSize = 10) {}
};
