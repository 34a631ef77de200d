// Files on disk under Chinese names, failures naming the file and reported in a box,
// text files, and archives over files.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/StdioFile.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

CString TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return CString(dir) + name;
}

TEST(File, WritesReadsSeeksAndRemovesUnderAChineseName) {
  const CString path = TempPath("课件测试.rvx");
  {
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&f, CArchive::store);
    ar << CString("页") << static_cast<DWORD>(42);
    ar.Close();
  }
  {
    CFile f(path, CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_EQ(7u, f.GetLength());
    EXPECT_EQ(CString("课件测试.rvx"), f.GetFileName());
    CArchive ar(&f, CArchive::load);
    CString s;
    DWORD d;
    ar >> s >> d;
    EXPECT_STREQ("页", s);
    EXPECT_EQ(42u, d);
    f.Seek(1, CFile::begin);
    BYTE b = 0;
    EXPECT_EQ(1u, f.Read(&b, 1));
    EXPECT_EQ(0xD2, b);  // first byte of "页" in code page 936
  }
  CFile::Remove(path);
  CFile gone;
  EXPECT_FALSE(gone.Open(path, CFile::modeRead));
}

TEST(File, FailuresNameTheFileAndTheCause) {
  const CString missing = TempPath("没有这个文件.rvx");
  CFileException error;
  CFile f;
  EXPECT_FALSE(f.Open(missing, CFile::modeRead, &error));
  EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
  EXPECT_EQ(missing, error.m_strFileName);

  try {
    CFile thrown(missing, CFile::modeRead);
    ADD_FAILURE() << "no exception";
  } catch (const CFileException& e) {
    EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    EXPECT_NE(-1, e.m_strFileName.Find("没有这个文件"));
  }
  EXPECT_THROW(CFile::Remove(missing), CFileException);
  EXPECT_FALSE(f.Open(TempPath("no\\such\\dir\\x.rvx"), CFile::modeCreate | CFile::modeWrite, &error));
  EXPECT_EQ(CFileException::badPath, error.m_cause);
}

TEST(File, ArchiveOverATruncatedFileReportsEndOfFile) {
  const CString path = TempPath("short.rvx");
  {
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    const BYTE bytes[] = {0x05, 'a', 'b'};  // a string claiming 5 bytes
    f.Write(bytes, sizeof bytes);
  }
  {
    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    CString s;
    try {
      ar >> s;
      ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(CArchiveException::endOfFile, e.m_cause);
      EXPECT_EQ(path, e.m_strFileName);
    }
  }
  CFile::Remove(path);
}

TEST(StdioFile, TextModeWritesLineFeedsAsCarriageReturnAndLineFeed) {
  const struct {
    UINT mode;
    const char* bytes;
  } cases[] = {
      {CFile::typeText, "a\r\n\r\n页\r\r\nz"},
      {0, "a\r\n\r\n页\r\r\nz"},  // text unless binary is asked for
      {CFile::typeBinary, "a\n\n页\r\nz"},
  };
  const CString path = TempPath("text.htm");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    {
      CStdioFile f(path, CFile::modeCreate | CFile::modeWrite | c.mode);
      f.WriteString("a\n\n页");
      f.WriteString("\r\nz");
    }
    CFile f(path, CFile::modeRead);
    char bytes[32] = {};
    EXPECT_EQ(std::strlen(c.bytes), f.Read(bytes, sizeof bytes));
    EXPECT_STREQ(c.bytes, bytes);
  }
  CFile::Remove(path);
}

TEST(File, AnExceptionReportsItsMessageInABox) {
  CFileException error;
  CFile f;
  ASSERT_FALSE(f.Open(TempPath("no\\such\\folder\\x.htm"), CFile::modeCreate | CFile::modeWrite, &error));
  MessageBoxCapture boxes;
  EXPECT_EQ(IDOK, error.ReportError(MB_ICONEXCLAMATION));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(error.GetErrorMessage(), boxes.boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes()[0].flags & MB_ICONMASK);
}

}  // namespace
