// Code page 936 strings: searches and case changes step over double-byte characters
// whose trail byte looks like ASCII; formats and string-table texts.
#include <gtest/gtest.h>

#include "framework/core/String.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

// "乗" is 81 5C (trail byte '\'), "丄" is 81 41 (trail 'A'), "乤" is 81 61 (trail 'a').
const char kSeparatorTrail[] = "\x81\x5C";
const char kUpperTrail[] = "\x81\x41";
const char kLowerTrail[] = "\x81\x61";

TEST(String, SeparatorSearchesSkipTrailBytes) {
  const CString path = CString("C:\\课件\\") + kSeparatorTrail + ".rvx";
  ASSERT_EQ(14, path.GetLength());
  EXPECT_EQ(7, path.ReverseFind('\\'));
  EXPECT_EQ(2, path.Find('\\'));
  EXPECT_EQ(7, path.Find('\\', 3));
  EXPECT_EQ(10, path.Find('.'));
  EXPECT_EQ(CString(kSeparatorTrail) + ".rvx", path.Mid(path.ReverseFind('\\') + 1));
  EXPECT_EQ(CString("C:\\课件"), path.Left(path.ReverseFind('\\')));

  const CString onlyTrail = CString("ab") + kSeparatorTrail;
  EXPECT_EQ(-1, onlyTrail.Find('\\'));
  EXPECT_EQ(-1, onlyTrail.ReverseFind('\\'));
  EXPECT_EQ(-1, onlyTrail.Find("\\"));
  EXPECT_EQ(-1, (CString(kUpperTrail) + "x").Find("Ax"));  // 'A' there is a trail byte
  EXPECT_EQ(2, (CString(kUpperTrail) + "Ax").Find("Ax"));
}

struct CaseRow {
  const char* in;
  const char* lower;
  const char* upper;
};

TEST(String, CaseChangesLeaveDoubleByteCharactersIntact) {
  const CaseRow rows[] = {
      {"ABC", "abc", "ABC"},
      {"\x81\x41Z", "\x81\x41z", "\x81\x41Z"},
      {"\x81\x61z", "\x81\x61z", "\x81\x61Z"},
      {"A\x81\x5C\x81\x41q", "a\x81\x5C\x81\x41q", "A\x81\x5C\x81\x41Q"},
      {"课件Page", "课件page", "课件PAGE"},
      {"\x81", "\x81", "\x81"},  // a lone lead byte at the end is left alone
  };
  for (const CaseRow& r : rows) {
    SCOPED_TRACE(r.in);
    CString lower(r.in), upper(r.in);
    lower.MakeLower();
    upper.MakeUpper();
    EXPECT_STREQ(r.lower, lower);
    EXPECT_STREQ(r.upper, upper);
  }
  EXPECT_EQ(0, CString(CString(kUpperTrail) + "X").CompareNoCase(CString(kUpperTrail) + "x"));
  EXPECT_NE(0, CString(kUpperTrail).CompareNoCase(kLowerTrail));
}

TEST(String, CompareIsByteWiseUnsigned) {
  EXPECT_EQ(0, CString("课件").Compare("课件"));
  EXPECT_LT(CString("abc").Compare("abd"), 0);
  EXPECT_GT(CString("课").Compare("abc"), 0);  // 0xBF sorts after ASCII
  EXPECT_LT(CString("ab").Compare("abc"), 0);
  EXPECT_TRUE(CString("a") == "a");
  EXPECT_TRUE(CString("a") != CString("A"));
}

TEST(String, MidLeftRightClampTheirArguments) {
  const CString s("hello");
  EXPECT_STREQ("llo", s.Mid(2));
  EXPECT_STREQ("el", s.Mid(1, 2));
  EXPECT_STREQ("", s.Mid(9));
  EXPECT_STREQ("hello", s.Mid(-3, 99));
  EXPECT_STREQ("he", s.Left(2));
  EXPECT_STREQ("hello", s.Left(50));
  EXPECT_STREQ("lo", s.Right(2));
  EXPECT_STREQ("", s.Right(-1));
}

TEST(String, FormatBuffersReplaceAndTrim) {
  CString s;
  s.Format("%s%d", "矩形", 12);
  EXPECT_STREQ("矩形12", s);
  s.Format(102, 3);
  EXPECT_STREQ("第3页", s);

  char* buf = s.GetBuffer(10);
  strcpy(buf, "abc");
  s.ReleaseBuffer();
  EXPECT_EQ(3, s.GetLength());

  CString path = CString("a") + kSeparatorTrail + "\\b\\";
  EXPECT_EQ(2, path.Replace("\\", "/"));
  EXPECT_EQ(CString("a") + kSeparatorTrail + "/b/", path);

  CString padded("  x y \t");
  padded.TrimLeft();
  padded.TrimRight();
  EXPECT_STREQ("x y", padded);
}

TEST(String, LoadStringReadsTheStringTableAsCodePage936) {
  CString s;
  EXPECT_TRUE(s.LoadString(101));
  EXPECT_STREQ("请先安装GDI+再运行", s);
  EXPECT_FALSE(s.LoadString(9999));
  EXPECT_TRUE(s.IsEmpty());
}

TEST(MessageBoxes, AreCapturedWithTheirTextAndAnswered) {
  MessageBoxCapture capture(IDYES);
  EXPECT_EQ(IDYES, AfxMessageBox("内存不足", MB_ICONSTOP));
  EXPECT_EQ(IDYES, AfxMessageBox(101, MB_YESNO));
  ASSERT_EQ(2u, capture.boxes().size());
  EXPECT_STREQ("内存不足", capture.boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), capture.boxes()[0].flags);
  EXPECT_STREQ("请先安装GDI+再运行", capture.boxes()[1].text);
}

}  // namespace
