// The FTP dialogs' addresses and remote paths, without windows or a server.
#include <gtest/gtest.h>

#include "publish/FtpPaths.h"

namespace {

TEST(FtpPaths, AnAddressSplitsIntoServerAndFolder) {
  const struct {
    const char* address;
    const char* server;
    const char* folder;
  } cases[] = {
      {"ftp://h/", "h", "/"},
      {"h", "h", "/"},
      {"h/", "h", "/"},
      {"FTP://h", "h", "/"},
      {"Ftp://h/pub", "h", "pub"},
      {"ftp://h/pub/course", "h", "pub/course"},
      {"ftp://h/pub/course/", "h", "pub/course"},
      {"127.0.0.1/a/b", "127.0.0.1", "a/b"},
      {"ftp://h//", "h", "/"},
      {"ftp://", "", "/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    const FtpAddress split = SplitFtpAddress(c.address);
    EXPECT_EQ(c.server, split.server);
    EXPECT_EQ(c.folder, split.folder);
  }
}

// What the browse dialog gives back splits into the server and the folder it chose.
TEST(FtpPaths, ABrowseResultSplitsBack) {
  for (const char* path : {"/", "/a", "/a/b"}) {
    SCOPED_TRACE(path);
    const FtpAddress split = SplitFtpAddress(FtpFolderAddress("127.0.0.1", path));
    EXPECT_EQ("127.0.0.1", split.server);
    EXPECT_EQ(CString(path) == "/" ? CString("/") : CString(path).Mid(1), split.folder);
  }
  EXPECT_EQ("ftp://h", FtpFolderAddress("h", "/"));
  EXPECT_EQ("ftp://h/a/b", FtpFolderAddress("h", "/a/b"));
}

TEST(FtpPaths, UpAndIntoFolders) {
  const struct {
    const char* path;
    const char* parent;  // null: no way up
  } ups[] = {{"/a/b", "/a"}, {"/a", "/"}, {"/", nullptr}, {"/a/b/c", "/a/b"}};
  for (const auto& c : ups) {
    SCOPED_TRACE(c.path);
    CString parent = "unchanged";
    EXPECT_EQ(c.parent != nullptr, FtpParentPath(c.path, parent) != FALSE);
    EXPECT_EQ(c.parent ? c.parent : "unchanged", parent);
  }
  EXPECT_EQ("/a", FtpChildPath("/", "a"));
  EXPECT_EQ("/a/b", FtpChildPath("/a", "b"));
  EXPECT_EQ("/a/b", FtpChildPath("/a/", "b"));
}

}  // namespace
