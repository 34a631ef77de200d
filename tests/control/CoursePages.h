// The small course of the control's loading tests: pages of one filled rectangle, told
// apart by the page's and the rectangle's colours and the rectangle's name.
#pragma once

#include <windows.h>

#include <string>

#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "tests/support/PageFiles.h"

namespace coursepages {

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 160);

inline std::string OneRect(COLORREF background, const char* name, COLORREF colour) {
  return pagefiles::PageBytes(200, 100, background, [&](CDrawDoc& page) {
    page.m_objects.AddTail(pagefiles::FilledRect(name, CRect(-20, 20, 20, -20), colour));
  });
}

inline CString FirstName(const CDrawDoc& doc) {
  return doc.m_objects.IsEmpty() ? CString() : static_cast<CDrawObj*>(doc.m_objects.GetHead())->m_name;
}

}  // namespace coursepages
