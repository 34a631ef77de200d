// The rich edit control: its class comes from the library loaded once, and text streams
// in and out through a callback whole, past the control's default limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/ui/RichEditCtrl.h"

namespace {

struct Transfer {
  std::string data;
  size_t at = 0;
};

DWORD CALLBACK FromString(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* t = reinterpret_cast<Transfer*>(cookie);
  const size_t n = std::min(static_cast<size_t>(count), t->data.size() - t->at);
  t->data.copy(reinterpret_cast<char*>(buffer), n, t->at);
  t->at += n;
  *done = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK ToString(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  reinterpret_cast<Transfer*>(cookie)->data.append(reinterpret_cast<char*>(buffer), static_cast<size_t>(count));
  *done = count;
  return 0;
}

DWORD CALLBACK Failing(DWORD_PTR, LPBYTE, LONG, LONG* done) {
  *done = 0;
  return ERROR_HANDLE_EOF;
}

class RichEditCtrlTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AfxInitRichEdit2());
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 300, 200), &parent, 7));
  }
  std::string StreamedOut() {
    Transfer out;
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&out), 0, ToString};
    edit.StreamOut(SF_TEXT, es);
    EXPECT_EQ(0u, es.dwError);
    return out.data;
  }

  CWnd parent;
  CRichEditCtrl edit;
};

TEST_F(RichEditCtrlTest, TextStreamsInAndOutWholePastTheDefaultLimit) {
  char className[32] = {};
  ::GetClassNameA(edit.m_hWnd, className, sizeof className);
  EXPECT_STREQ("RichEdit20A", className);
  EXPECT_EQ(7, edit.GetDlgCtrlID());
  EXPECT_TRUE(edit.SetTargetDevice(nullptr, 0));

  std::string text;
  for (int line = 0; text.size() < 100000; ++line) text += "line " + std::to_string(line) + " 课件\r\n";
  // Windows cuts a stream at the default limit of 32,767 characters (Wine does not):
  // the limit is raised first.
  edit.LimitText(0x7FFFFFFE);
  EXPECT_EQ(0x7FFFFFFE, edit.GetLimitText());
  Transfer in{text, 0};
  EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&in), 0, FromString};
  edit.StreamIn(SF_TEXT, es);
  EXPECT_EQ(0u, es.dwError);
  EXPECT_TRUE(text == StreamedOut());
}

TEST_F(RichEditCtrlTest, ACallbackErrorEndsTheTransferWithItsCode) {
  EDITSTREAM es = {0, 0, Failing};
  edit.StreamIn(SF_TEXT, es);
  EXPECT_EQ(DWORD(ERROR_HANDLE_EOF), es.dwError);
  EXPECT_EQ(0, edit.GetWindowTextLength());
}

}  // namespace
