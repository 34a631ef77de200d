#include "model/PageClipFormats.h"

#include <cstring>

#include "framework/ui/OleDataObject.h"

const PageClipFormats& GetPageClipFormats() {
  static const PageClipFormats formats = {
      static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Kordel")),
      static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Object Kordel")),
      static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Object Draw")),
  };
  return formats;
}

namespace {

// Copies count bytes at offset out of the format's block when the block holds at least
// minSize bytes; the copy the data object made is freed whatever happens.
BOOL ReadBlock(const COleDataObject& data, CLIPFORMAT format, SIZE_T minSize, SIZE_T offset, void* out,
               SIZE_T count) {
  HGLOBAL block = data.GetGlobalData(format);
  if (!block) return FALSE;
  BOOL read = FALSE;
  if (::GlobalSize(block) >= minSize) {
    if (const BYTE* bytes = static_cast<const BYTE*>(::GlobalLock(block))) {
      memcpy(out, bytes + offset, count);
      ::GlobalUnlock(block);
      read = TRUE;
    }
  }
  ::GlobalFree(block);
  return read;
}

HGLOBAL MakeBlock(SIZE_T size, SIZE_T offset, const void* value, SIZE_T count, bool sizeFirst) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, size);
  if (!block) return nullptr;
  BYTE* bytes = static_cast<BYTE*>(::GlobalLock(block));
  if (!bytes) {
    ::GlobalFree(block);
    return nullptr;
  }
  if (sizeFirst) {
    const INT32 length = static_cast<INT32>(size);
    memcpy(bytes, &length, sizeof length);
  }
  memcpy(bytes + offset, value, count);
  ::GlobalUnlock(block);
  return block;
}

}  // namespace

BOOL ReadObjectKordelPoint(const COleDataObject& data, CPoint* point) {
  INT32 xy[2];
  if (!ReadBlock(data, GetPageClipFormats().objectKordel, kObjectKordelMinSize, 32, xy, sizeof xy)) return FALSE;
  if (point) *point = CPoint(xy[0], xy[1]);
  return TRUE;
}

BOOL ReadObjectDrawIndex(const COleDataObject& data, int* index) {
  INT32 value;
  if (!ReadBlock(data, GetPageClipFormats().objectDraw, kObjectDrawSize, 48, &value, sizeof value)) return FALSE;
  if (index) *index = value;
  return TRUE;
}

HGLOBAL MakeObjectKordelBlock(CPoint start) {
  const INT32 xy[2] = {static_cast<INT32>(start.x), static_cast<INT32>(start.y)};
  return MakeBlock(kObjectKordelMinSize, 32, xy, sizeof xy, false);
}

HGLOBAL MakeObjectDrawBlock(int index) {
  const INT32 value = index;
  return MakeBlock(kObjectDrawSize, 48, &value, sizeof value, true);
}
