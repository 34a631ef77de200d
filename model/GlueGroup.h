// GlueGroup: one glue point of a glued object — where it lies on the page, the members
// pinned there (not owned), and for each of them, in the same order, the number of its
// handle that sits on the point. The glue tool fills one and hands it to the glued
// object, which keeps a copy.
#pragma once

#include <vector>

#include "framework/core/AfxTypes.h"

class CDrawObj;

struct GlueGroup {
  LONG x = 0;
  LONG y = 0;
  std::vector<CDrawObj*> objects;
  std::vector<DWORD> handles;
};
