// COleDocument: a document that may hold embedded items. The pages hold none, so it
// adds nothing to CDocument but the answer that no item is active in place.
#pragma once

#include "framework/ui/Document.h"

class COleDocument : public CDocument {
 public:
  void* GetInPlaceActiveItem(CView*) { return nullptr; }
};
