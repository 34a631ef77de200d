// What every kind's Duplicate does: the copy joins the page and becomes the selection;
// when the copy cannot be made (memory gone) one "内存不足" box with the stop icon, and
// the page and the selection stay as they were.
#pragma once

#include <gtest/gtest.h>

#include "model/DrawDoc.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TestHost.h"

template <class Kind>
void ExpectDuplicateAddsAndSelectsOrReportsMemory(const CRect& position) {
  // The kind whose copy cannot be made.
  class Uncopyable : public Kind {
   public:
    using Kind::Kind;
    CDrawObj* Clone(CDrawObj*) override { return nullptr; }
  };
  TestHost host;
  CDrawDoc document;
  Kind original(position);
  CDrawObj* copy = original.Duplicate(&document);
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(1, document.m_objects.GetCount());
  ASSERT_EQ(1u, host.selection.size());
  EXPECT_EQ(copy, host.selection[0]);

  MessageBoxCapture boxes;
  Uncopyable failing(position);
  EXPECT_EQ(nullptr, failing.Duplicate(&document));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(CString("内存不足"), boxes.boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes()[0].flags & MB_ICONMASK);
  EXPECT_EQ(1, document.m_objects.GetCount());
  EXPECT_EQ(copy, host.selection[0]);
}
