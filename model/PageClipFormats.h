// The private formats page objects travel in between the programs: "Kordel" (copied
// objects as an archive), "Object Kordel" (a dragged page object: the point at which the
// drag began, page units, at bytes 32 to 39 of its block) and "Object Draw" (a component
// dragged from the editor's component window: its index at bytes 48 to 51 of a 52-byte
// block). The blocks come from other processes too, so their readers check their sizes.
#pragma once

#include <windows.h>

#include "framework/core/Point.h"

class COleDataObject;

struct PageClipFormats {
  CLIPFORMAT kordel;
  CLIPFORMAT objectKordel;
  CLIPFORMAT objectDraw;
};

// Registered with the system on the first call, once for the process; the programs call
// it before their application object starts.
const PageClipFormats& GetPageClipFormats();

constexpr SIZE_T kObjectKordelMinSize = 40;
constexpr SIZE_T kObjectDrawSize = 52;

// The drag's start point of "Object Kordel" data; FALSE (the point untouched) without
// the format or with a block too short to hold it.
BOOL ReadObjectKordelPoint(const COleDataObject& data, CPoint* point);
// The component index of "Object Draw" data; FALSE (the index untouched) without the
// format or with a block shorter than 52 bytes.
BOOL ReadObjectDrawIndex(const COleDataObject& data, int* index);

// The blocks as their sources make them: zero-filled, moveable and shareable; null when
// out of memory.
HGLOBAL MakeObjectKordelBlock(CPoint start);
HGLOBAL MakeObjectDrawBlock(int index);
