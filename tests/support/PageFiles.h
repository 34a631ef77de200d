// Page files made in memory for the tests of the programs that read them: a page of a
// size and background with whatever a test adds, stored as the editor stores it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "tests/behaviour/PlaybackProbe.h"

namespace pagefiles {

inline std::string PageBytes(int width, int height, COLORREF background,
                             const std::function<void(CDrawDoc&)>& fill = {}) {
  CDrawDoc doc;
  doc.SetPageSize(width, height);
  doc.m_backColour = background;
  if (fill) fill(doc);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    ar.Close();
  }
  const std::vector<BYTE>& bytes = file.Bytes();
  return std::string(bytes.begin(), bytes.end());
}

// A page whose last object is the player's document object, a class the other programs
// do not know: the base record as the model stores it, then the kind and the name. The
// object must be the page's only plain CDrawObj, whose class tag is renamed.
inline std::string DocumentPageBytes(int width, int height, COLORREF background, const CRect& position, DWORD kind,
                                     const char* name, const std::function<void(CDrawDoc&)>& fill = {}) {
  std::string bytes = PageBytes(width, height, background, [&](CDrawDoc& doc) {
    if (fill) fill(doc);
    auto* base = new CDrawObj(position);
    base->m_name = "document";
    base->m_baseRect = position;
    doc.m_objects.AddTail(base);
  });
  const std::string from("\x08\x00" "CDrawObj", 10), to("\x0C\x00" "CDrawDocfile", 14);
  const size_t at = bytes.find(from);
  if (at == std::string::npos) return std::string();
  bytes.replace(at, from.size(), to);
  CMemFile tail;
  {
    CArchive ar(&tail, CArchive::store);
    ar << kind << CString(name);
    ar.Close();
  }
  bytes.append(tail.Bytes().begin(), tail.Bytes().end());
  return bytes;
}

// A filled, unoutlined rectangle of that colour over (left, top)..(right, bottom), y up.
inline CDrawRect* FilledRect(const char* name, const CRect& position, COLORREF colour) {
  auto* rect = new CDrawRect(position);
  rect->m_name = name;
  rect->m_brush.lbColor = colour;
  rect->m_outlined = 0;
  rect->m_baseRect = rect->GetDrawBounds();
  return rect;
}

// Makes object switch to the page named when it is clicked (left button up).
inline void JumpOnClick(CDrawObj& object, const char* page) {
  CMethod jump = MakeAction(CMethod::typePageSwitch, "jump", 0, 0, -1);
  jump.m_nByEvent = 1;
  jump.m_strTarget = page;
  AddAction(object, jump);
  AddEvent(object, 0x2, object.m_name.GetString(), "jump");
}

}  // namespace pagefiles
