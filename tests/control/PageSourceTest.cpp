#include <gtest/gtest.h>

#include "control/PageSource.h"

namespace {

struct Row {
  const char* host;
  const char* src;
  int baseKind;
  const char* base;
  PageSource::Action action;
  const char* target;
};

void Expect(const PageSource& got, const Row& row) {
  EXPECT_EQ(got.baseKind, row.baseKind);
  EXPECT_STREQ(got.base, row.base);
  EXPECT_EQ(got.action, row.action);
  EXPECT_STREQ(got.target, row.target);
}

TEST(PageSourceTest, SrcResolvesAgainstTheHostingPage) {
  const Row rows[] = {
      // Local hosting pages: the page beside it, lower-cased.
      {"file://d:\\web\\course\\index.htm", "Page1.RVX", 4, "d:\\web\\course\\", PageSource::openFile,
       "d:\\web\\course\\page1.rvx"},
      {"file://d:\\My%20Web\\index.htm", "p.rvx", 4, "d:\\my web\\", PageSource::openFile, "d:\\my web\\p.rvx"},
      {"file://d:\\web\\index.htm", "sub/P.rvx", 4, "d:\\web\\", PageSource::openFile, "d:\\web\\sub\\p.rvx"},
      // Web hosting pages: the folder's address and the name as written.
      {"http://h/Course/index.htm", "Page1.rvx", 2, "http://h/Course/", PageSource::download,
       "http://h/Course/Page1.rvx"},
      {"HTTP://h/My%20Dir/index.htm", "a\\B.RVX", 2, "HTTP://h/My%20Dir/", PageSource::download,
       "HTTP://h/My%20Dir/a/B.RVX"},
      {"http://h", "p.rvx", 2, "http://h/", PageSource::download, "http://h/p.rvx"},
      {"http://h/c/index.htm?next=a/b#x/y", "p.rvx", 2, "http://h/c/", PageSource::download, "http://h/c/p.rvx"},
      // Absolute sources.
      {"file://d:\\web\\index.htm", "http://other/X.rvx", 4, "d:\\web\\", PageSource::download, "http://other/X.rvx"},
      {"http://h/index.htm", "http://other/X.rvx", 2, "http://h/", PageSource::download, "http://other/X.rvx"},
      {"file://d:\\web\\index.htm", "E:\\Pages\\P.rvx", 4, "d:\\web\\", PageSource::openFile, "e:\\pages\\p.rvx"},
      {"file://d:\\web\\index.htm", "\\\\Srv\\S\\p.rvx", 4, "d:\\web\\", PageSource::openFile, "\\\\srv\\s\\p.rvx"},
      // A page from the web reaches neither the local disk nor a share.
      {"http://h/index.htm", "c:\\pages\\p.rvx", 2, "http://h/", PageSource::refused, ""},
      {"http://h/index.htm", "\\\\srv\\s\\p.rvx", 2, "http://h/", PageSource::refused, ""},
      {"http://h/index.htm", "//srv/s/p.rvx", 2, "http://h/", PageSource::refused, ""},
      // Not a page, or no base: nothing.
      {"file://d:\\web\\index.htm", "page1.htm", 4, "d:\\web\\", PageSource::nothing, ""},
      {"file://d:\\web\\index.htm", ".rvx", 4, "d:\\web\\", PageSource::nothing, ""},
      {"ftp://h/index.htm", "c:\\p.rvx", 0, "", PageSource::nothing, ""},
      {"https://h/index.htm", "p.rvx", 0, "", PageSource::nothing, ""},
      {"", "http://h/p.rvx", 0, "", PageSource::nothing, ""},
      {"file://d:", "p.rvx", 0, "", PageSource::nothing, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.host) + " + " + row.src);
    Expect(ResolvePageSource(row.host, row.src), row);
  }
}

TEST(PageSourceTest, FileAddressesInEveryFormGiveOneFolder) {
  const struct {
    const char* host;
    int baseKind;
    const char* base;
  } rows[] = {
      {"file://D:\\Web\\index.htm", 4, "d:\\web\\"},
      {"file:///D:/Web/index.htm", 4, "d:\\web\\"},
      {"file:/D:/Web/index.htm", 4, "d:\\web\\"},
      {"FILE://localhost/D:/Web/index.htm", 4, "d:\\web\\"},
      {"file:///d:/Web%20Site/index.htm?x=c:/y#z", 4, "d:\\web site\\"},
      {"file:///d:/%E4%B8%AD/index.htm", 4, "d:\\\xd6\xd0\\"},  // UTF-8 escapes into code page 936
      {"file://\\\\Srv\\Share\\Web\\index.htm", 8, "\\\\srv\\share\\web\\"},
      {"file://srv/share/index.htm", 8, "\\\\srv\\share\\"},
      {"file:////srv/share/index.htm", 8, "\\\\srv\\share\\"},
      {"file://srv/index.htm", 0, ""},
      {"file:///index.htm", 0, ""},
      {"file:///d:/a%00b/index.htm", 0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.host);
    const PageSource got = ResolveHostBase(row.host);
    EXPECT_EQ(got.baseKind, row.baseKind);
    EXPECT_STREQ(got.base, row.base);
  }
}

TEST(PageSourceTest, PageNamesResolveAgainstTheStoredBase) {
  const Row rows[] = {
      {"", "a/B.rvx", 4, "d:\\web\\", PageSource::openFile, "d:\\web\\a\\b.rvx"},
      {"", "Next", 8, "\\\\srv\\s\\", PageSource::openFile, "\\\\srv\\s\\next"},
      {"", "a/B.rvx", 2, "http://h/C/", PageSource::download, "http://h/C/a/B.rvx"},
      {"", "http://o/P.rvx", 4, "d:\\web\\", PageSource::download, "http://o/P.rvx"},
      {"", "c:\\p.rvx", 2, "http://h/", PageSource::refused, ""},
      {"", "c:\\P.rvx", 4, "d:\\web\\", PageSource::openFile, "c:\\p.rvx"},
      {"", "p.rvx", 0, "", PageSource::nothing, ""},
      {"", "p.rvx", 6, "x", PageSource::unknownBase, ""},
      {"", "", 4, "d:\\web\\", PageSource::nothing, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.src) + " on " + row.base);
    Expect(ResolvePageName(row.baseKind, row.base, row.src), row);
  }
}

}  // namespace
