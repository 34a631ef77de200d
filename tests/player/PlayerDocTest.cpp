// The player's page document: pages read from a package by index and by name, failures
// that leave the current page as it was, damaged pages reported with their cause, older
// page versions read, and nothing ever stored.
#include <gtest/gtest.h>

#include "framework/core/ArchiveException.h"
#include "framework/core/FileException.h"
#include "framework/core/UserException.h"
#include "resources/ModelStrings.h"
#include "tests/player/PlayerFixture.h"
#include "tests/support/MessageBoxCapture.h"

using namespace playertest;

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 160);

std::string OneRect(COLORREF background, const char* name) {
  return PageBytes(background, [&](CDrawDoc& page) { page.m_objects.AddTail(FilledRect(name, CRect(-20, 20, 20, -20), kBlue)); });
}

std::vector<CString> Names(CDrawDoc& doc) {
  std::vector<CString> names;
  for (POSITION pos = doc.m_objects.GetHeadPosition(); pos;)
    names.push_back(static_cast<CDrawObj*>(doc.m_objects.GetNext(pos))->m_name);
  return names;
}

class PlayerDocTest : public testing::Test {
 protected:
  void SetUp() override {
    path = folder / "player.exe";
    WriteFileBytes(path, ComposePackage(Patterned(700, 1), {{"home.rvx", OneRect(kRed, "a")},
                                                             {"Page2.rvx", OneRect(kGreen, "b")},
                                                             {"第三页.rvx", OneRect(kBlue, "c")}}));
    doc.SetPackagePath(path);
  }

  TempFolder folder;
  CString path;
  CPlayerDoc doc;
};

TEST_F(PlayerDocTest, ReadsPagesByIndexAndByName) {
  ASSERT_EQ(1, doc.LoadPackagePageByIndex(0, true));
  EXPECT_TRUE(doc.HasPage());
  EXPECT_EQ(kRed, doc.m_backColour);
  EXPECT_EQ(std::vector<CString>{"a"}, Names(doc));
  EXPECT_EQ(CSize(kPageWidth, kPageHeight), doc.m_pageSize);
  EXPECT_TRUE(doc.m_pageName.IsEmpty());

  // Names are looked up without regard to the case of ASCII letters; the page keeps the
  // name it was asked for.
  ASSERT_TRUE(doc.LoadPackagePageByName("PAGE2.rvx", false));
  EXPECT_EQ(kGreen, doc.m_backColour);
  EXPECT_EQ(std::vector<CString>{"b"}, Names(doc));
  EXPECT_EQ(CString("PAGE2.rvx"), doc.m_pageName);

  ASSERT_TRUE(doc.OnOpenDocument("第三页.rvx"));
  EXPECT_EQ(std::vector<CString>{"c"}, Names(doc));

  ASSERT_EQ(1, doc.LoadPackagePageByIndex(1, false));
  EXPECT_EQ(std::vector<CString>{"b"}, Names(doc));
  EXPECT_TRUE(doc.m_pageName.IsEmpty());
}

TEST_F(PlayerDocTest, WhatCannotBeReadLeavesThePageAsItWas) {
  ASSERT_EQ(1, doc.LoadPackagePageByIndex(1, true));
  const struct {
    const char* what;
    std::function<int(CPlayerDoc&)> load;
    int expected;
  } rows[] = {
      {"index -1", [](CPlayerDoc& d) { return d.LoadPackagePageByIndex(-1, false); }, 0},
      {"index = count", [](CPlayerDoc& d) { return d.LoadPackagePageByIndex(3, false); }, 0},
      {"a name not in the package", [](CPlayerDoc& d) { return int(d.LoadPackagePageByName("nope.rvx", false)); }, 0},
      // Dropped files and the open command: nothing is emptied for a name the package lacks.
      {"open of a name not in the package", [](CPlayerDoc& d) { return int(d.OnOpenDocument("nope.rvx")); }, 0},
      {"a name with a folder", [](CPlayerDoc& d) { return int(d.OnOpenDocument("C:\\x\\home.rvx")); }, 0},
      {"an empty name", [](CPlayerDoc& d) { return int(d.OnOpenDocument("")); }, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.expected, row.load(doc));
    EXPECT_EQ(kGreen, doc.m_backColour);
    EXPECT_EQ(std::vector<CString>{"b"}, Names(doc));
  }

  // The package gone: a re-read finds no page; a read through the old table cannot open it.
  ::DeleteFileW(Wide(path).c_str());
  EXPECT_EQ(kPackageSourceFailed, doc.LoadPackagePageByIndex(0, false));
  EXPECT_EQ(0, doc.LoadPackagePageByIndex(0, true));
  EXPECT_FALSE(doc.LoadPackagePageByName("home.rvx", true));
  EXPECT_EQ(std::vector<CString>{"b"}, Names(doc));
}

TEST_F(PlayerDocTest, ReadsTheOlderPageVersionsTheEditorRefuses) {
  std::string page = OneRect(kBlue, "old");
  const size_t version = page.find("1.2");
  ASSERT_NE(std::string::npos, version);
  page.replace(version, 3, "1.1");
  WriteFileBytes(path, ComposePackage(Patterned(100, 2), {{"old.rvx", page}}));
  ASSERT_EQ(1, doc.LoadPackagePageByIndex(0, true));
  EXPECT_EQ(std::vector<CString>{"old"}, Names(doc));

  // The editor's reading of the same page refuses the version.
  MessageBoxCapture boxes;
  CDrawDoc editor;
  const CString file = folder / "old.rvx";
  WriteFileBytes(file, page);
  EXPECT_FALSE(editor.OnOpenDocument(file));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(CString("文件版本不正确"), boxes.boxes()[0].text);
}

TEST_F(PlayerDocTest, ADamagedPageIsReportedAndTheCurrentPageStays) {
  const std::string good = OneRect(kBlue, "x");
  std::string badSignature = good;
  badSignature[1] = 'z';
  std::string badClass = good;
  const size_t className = badClass.find("CDrawRect");
  ASSERT_NE(std::string::npos, className);
  badClass.replace(className, 9, "CDrawXxxx");
  const struct {
    const char* what;
    std::string page;
    const char* firstBox;
    size_t boxes;
  } rows[] = {
      // The entry ends before the page does; the next entry's bytes must not be read as
      // the rest of it.
      {"a page cut short", good.substr(0, good.size() - 40), "非预期文件格式-endOfFile", 2},
      {"an unknown object class", badClass, "非预期文件格式-badClass", 2},
      {"not a page", badSignature, "文件格式不正确", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    WriteFileBytes(path, ComposePackage(Patterned(300, 4), {{"home.rvx", OneRect(kRed, "a")},
                                                            {"bad.rvx", row.page},
                                                            {"next.rvx", good}}));
    ASSERT_EQ(1, doc.LoadPackagePageByIndex(0, true));
    MessageBoxCapture boxes;
    EXPECT_FALSE(doc.LoadPackagePageByName("bad.rvx", false));
    EXPECT_EQ(0, doc.LoadPackagePageByIndex(1, false));
    ASSERT_EQ(2 * row.boxes, boxes.boxes().size());
    EXPECT_EQ(CString(row.firstBox), boxes.boxes()[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), boxes.boxes()[0].flags & MB_ICONMASK);
    if (row.boxes == 2) {
      EXPECT_EQ(0, boxes.boxes()[1].text.Find("无法打开文件 bad.rvx"));
    }
    EXPECT_EQ(std::vector<CString>{"a"}, Names(doc));
    EXPECT_EQ(kRed, doc.m_backColour);
    EXPECT_TRUE(doc.m_pageName.IsEmpty());
  }
}

TEST(PlayerDocReport, ArchiveCausesNameTheirKind) {
  const struct {
    CArchiveException::Cause cause;
    const char* text;
  } rows[] = {
      {CArchiveException::endOfFile, "非预期文件格式-endOfFile"},
      {CArchiveException::badIndex, "非预期文件格式-badIndex"},
      {CArchiveException::badClass, "非预期文件格式-badClass"},
      {CArchiveException::badSchema, "非预期文件格式-badSchema"},
      {CArchiveException::genericException, "非预期文件格式-Others"},
  };
  CPlayerDoc doc;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    MessageBoxCapture boxes;
    const CArchiveException error(row.cause);
    doc.ReportSaveLoadException("p.rvx", &error, FALSE);
    ASSERT_EQ(2u, boxes.boxes().size());
    EXPECT_EQ(CString(row.text), boxes.boxes()[0].text);
  }

  MessageBoxCapture boxes;
  const CUserException told;
  doc.ReportSaveLoadException("p.rvx", &told, FALSE);
  EXPECT_TRUE(boxes.boxes().empty());
  // A file error without a name is told with the page's.
  const CFileException unnamed(CFileException::hardIO, ERROR_READ_FAULT);
  doc.ReportSaveLoadException("p.rvx", &unnamed, FALSE);
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(0, boxes.boxes()[0].text.Find("无法打开文件 p.rvx"));
}

TEST_F(PlayerDocTest, NothingIsStored) {
  ASSERT_EQ(1, doc.LoadPackagePageByIndex(0, true));
  doc.Add(FilledRect("added", CRect(0, 10, 10, 0), kRed));
  doc.SetModifiedFlag(TRUE);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(doc.SaveModified());
  const CString target = folder / "saved.rvx";
  EXPECT_FALSE(doc.OnSaveDocument(target));
  EXPECT_FALSE(Exists(target));
}

}  // namespace
