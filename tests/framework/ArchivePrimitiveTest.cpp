// Primitive forms of the archive: integers, doubles, rectangles, counts, strings, times.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/ArchiveHelpers.h"

namespace {

TEST(ArchivePrimitive, IntegersDoublesAndRectanglesAreLittleEndianFieldByField) {
  Bytes got = StoreToBytes([](CArchive& ar) {
    ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x0102) << static_cast<DWORD>(0x03040506)
       << static_cast<LONG>(-2) << 7 << 1.0 << CRect(1, -2, 3, -4) << CPoint(5, 6);
  });
  Bytes want;
  Append(want, {0xAB, 0x02, 0x01, 0x06, 0x05, 0x04, 0x03, 0xFE, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0});
  Append(want, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F});  // 1.0 as IEEE 754 binary64
  Append(want, {1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0xFC, 0xFF, 0xFF, 0xFF});
  Append(want, {5, 0, 0, 0, 6, 0, 0, 0});
  EXPECT_EQ(Hex(want), Hex(got));

  LoadFromBytes(got, [](CArchive& ar) {
    BYTE b; WORD w; DWORD d; LONG l; int i; double x; CRect r; CPoint p;
    ar >> b >> w >> d >> l >> i >> x >> r >> p;
    EXPECT_EQ(0xAB, b);
    EXPECT_EQ(0x0102, w);
    EXPECT_EQ(0x03040506u, d);
    EXPECT_EQ(-2, l);
    EXPECT_EQ(7, i);
    EXPECT_EQ(1.0, x);
    EXPECT_EQ(CRect(1, -2, 3, -4), r);  // stays un-normalised
    EXPECT_EQ(CPoint(5, 6), p);
    EXPECT_EQ(0u, ar.BytesLeft());
  });
}

struct StringCase {
  size_t length;
  std::vector<int> prefix;
};

TEST(ArchivePrimitive, StringLengthPrefixesAtEveryBoundary) {
  const StringCase cases[] = {
      {0, {0x00}},
      {1, {0x01}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {0xFFFD, {0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const StringCase& c : cases) {
    SCOPED_TRACE(c.length);
    // Built from whole double-byte characters where the length allows, so the bytes
    // also carry code page 936 text through unchanged.
    std::string text;
    while (text.size() + 2 <= c.length) text += "课";
    if (text.size() < c.length) text += 'x';
    const CString s(text);

    Bytes got = StoreToBytes([&](CArchive& ar) { ar << s; });
    Bytes want;
    for (int b : c.prefix) want.push_back(static_cast<BYTE>(b));
    AppendText(want, text);
    ASSERT_EQ(want.size(), got.size());
    EXPECT_TRUE(want == got) << Hex(got, 16);

    LoadFromBytes(got, [&](CArchive& ar) {
      CString back;
      ar >> back;
      EXPECT_TRUE(back == s);
      EXPECT_EQ(0u, ar.BytesLeft());
    });
  }
}

TEST(ArchivePrimitive, ChineseStringGoldenBytes) {
  Bytes got = StoreToBytes([](CArchive& ar) { ar << CString("课件1"); });
  Bytes want;
  Append(want, {0x05, 0xBF, 0xCE, 0xBC, 0xFE, '1'});
  EXPECT_EQ(Hex(want), Hex(got));
}

TEST(ArchivePrimitive, UnicodeMarkedStringIsReadAsCodePage936) {
  Bytes in;
  Append(in, {0xFF, 0xFE, 0xFF, 0x02});          // UTF-16 marker, then 2 characters
  Append(in, {0xFE, 0x8B, 0xF6, 0x4E});          // U+8BFE U+4EF6 "课件"
  LoadFromBytes(in, [](CArchive& ar) {
    CString s;
    ar >> s;
    EXPECT_TRUE(s == "课件");
  });
}

TEST(ArchivePrimitive, CountsAreSixteenBitsOrEscapedToThirtyTwo) {
  Bytes got = StoreToBytes([](CArchive& ar) {
    ar.WriteCount(0);
    ar.WriteCount(0xFFFE);
    ar.WriteCount(0xFFFF);
    ar.WriteCount(0x12345);
  });
  Bytes want;
  Append(want, {0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00});
  EXPECT_EQ(Hex(want), Hex(got));
  LoadFromBytes(got, [](CArchive& ar) {
    EXPECT_EQ(0u, ar.ReadCount(0));
    EXPECT_EQ(0xFFFEu, ar.ReadCount(0));
    EXPECT_EQ(0xFFFFu, ar.ReadCount(0));
    EXPECT_EQ(0x12345u, ar.ReadCount(0));
  });
}

TEST(ArchivePrimitive, TimeIsThirtyTwoBitSecondsSince1970) {
  Bytes got = StoreToBytes([](CArchive& ar) { ar << CTime(0x5F5E1000); });
  EXPECT_EQ("00 10 5E 5F ", Hex(got));
  LoadFromBytes(got, [](CArchive& ar) {
    CTime t;
    ar >> t;
    EXPECT_EQ(0x5F5E1000, t.GetTime());
  });
  const int64_t now = CTime::GetCurrentTime().GetTime();
  EXPECT_GT(now, 1700000000);  // after 2023: the epoch conversion is right
}

TEST(ArchivePrimitive, LargeRawBlocksPassThroughTheBuffer) {
  Bytes block(10000);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<BYTE>(i * 7);
  Bytes got = StoreToBytes([&](CArchive& ar) {
    ar << static_cast<BYTE>(1);
    ar.Write(block.data(), static_cast<UINT>(block.size()));
    ar << static_cast<BYTE>(2);
  });
  ASSERT_EQ(block.size() + 2, got.size());
  LoadFromBytes(got, [&](CArchive& ar) {
    BYTE first, last;
    Bytes back(block.size());
    ar >> first;
    EXPECT_EQ(block.size(), ar.Read(back.data(), static_cast<UINT>(back.size())));
    ar >> last;
    EXPECT_EQ(1, first);
    EXPECT_EQ(2, last);
    EXPECT_TRUE(back == block);
    EXPECT_EQ(0u, ar.Read(&last, 1));  // a raw read at the end returns short
  });
}

}  // namespace
