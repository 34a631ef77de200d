// The package reader: a directory from anywhere is checked before anything of it is
// believed, and page names are found without regard to the case of ASCII letters.
#include <gtest/gtest.h>

#include "package/PackageIndex.h"
#include "tests/package/PackageFixture.h"

using namespace packagetest;

namespace {

const std::string kStub = Patterned(300, 5);

// Fills a table from a valid package, so a failed read must visibly empty it.
void FillTable(PackageIndex& table, const TempFolder& folder) {
  const CString valid = folder / "valid.exe";
  WriteFileBytes(valid, ComposePackage(kStub, {{"a.rvx", "aaaa"}}));
  ASSERT_EQ(kPackageOk, table.Read(valid));
  ASSERT_EQ(1, table.GetCount());
}

struct TrailerRow {
  const char* what;
  std::string bytes;
  int expected;
};

// A directory of one record at the very end: offset, size, name, name length, count.
std::string OneRecord(DWORD offset, DWORD size, const std::string& name, DWORD nameLength, DWORD count = 1) {
  return kStub + U32(offset) + U32(size) + name + U32(nameLength) + U32(count) + "!QOVA_SFX!";
}

TEST(PackageReader, DamagedTrailersGiveTheirCodeAndAnEmptyTable) {
  const std::string good = ComposePackage(kStub, {{"a.rvx", "aaaa"}, {"b.rvx", "bb"}});
  std::string oneByteChanged = good;
  oneByteChanged[oneByteChanged.size() - 4] = 'T';
  std::string lowerCase = good.substr(0, good.size() - 10) + "!qova_sfx!";

  const TrailerRow rows[] = {
      {"a valid package", good, kPackageOk},
      {"an empty file", "", kPackageNoMarker},
      {"13 bytes", std::string("\x01\x00\x00" "!QOVA_SFX!", 13), kPackageNoMarker},
      {"the marker alone", "!QOVA_SFX!", kPackageNoMarker},
      {"a plain program", kStub, kPackageNoMarker},
      {"one byte of the marker changed", oneByteChanged, kPackageNoMarker},
      {"the marker in lower case", lowerCase, kPackageNoMarker},
      {"count 0", kStub + U32(0) + "!QOVA_SFX!", kPackageEmpty},
      {"count 257", kStub + U32(257) + "!QOVA_SFX!", kPackageNoMarker},
      {"count 300 over one record", OneRecord(0, 4, "a.rvx", 5, 300), kPackageNoMarker},
      {"count 0xFFFFFFFF", kStub + U32(0xFFFFFFFF) + "!QOVA_SFX!", kPackageNoMarker},
      {"a directory running past the start of the file",
       U32(0) + U32(0) + "a.rvx" + U32(5) + U32(2) + "!QOVA_SFX!", kPackageNoMarker},
      {"a name length of 5000", OneRecord(0, 4, "a.rvx", 5000), kPackageNoMarker},
      {"a name length of 0xFFFFFFFF", OneRecord(0, 4, "a.rvx", 0xFFFFFFFF), kPackageNoMarker},
      {"a name length longer than the file", U32(0) + U32(0) + "a.rvx" + U32(900) + U32(1) + "!QOVA_SFX!",
       kPackageNoMarker},
      {"a name of 1001 bytes", OneRecord(10, 4, std::string(1001, 'n'), 1001), kPackageNoMarker},
      {"a name of 1000 bytes", OneRecord(10, 4, std::string(1000, 'n'), 1000), kPackageOk},
      {"data beyond the end of the file", OneRecord(0xFFFFFFFF, 0xFFFFFFFF, "a.rvx", 5), kPackageNoMarker},
      {"data running into the directory", OneRecord(296, 5, "a.rvx", 5), kPackageNoMarker},
      {"data ending where the directory starts", OneRecord(296, 4, "a.rvx", 5), kPackageOk},
  };
  TempFolder folder;
  for (const TrailerRow& row : rows) {
    SCOPED_TRACE(row.what);
    PackageIndex table;
    FillTable(table, folder);
    const CString path = folder / "package.exe";
    WriteFileBytes(path, row.bytes);
    EXPECT_EQ(row.expected, table.Read(path));
    if (row.expected != kPackageOk) {
      EXPECT_EQ(0, table.GetCount());
      EXPECT_EQ(0, table.GetTrailerLength());
      EXPECT_EQ(0u, table.GetPage(0, false));
    }
  }

  PackageIndex table;
  FillTable(table, folder);
  EXPECT_EQ(kPackageCannotOpen, table.Read(folder / "missing.exe"));
  EXPECT_EQ(0, table.GetCount());
}

TEST(PackageReader, WalksTheDirectoryFromTheEnd) {
  TempFolder folder;
  const CString path = folder / "package.exe";
  WriteFileBytes(path, ComposePackage(kStub, {{"home.rvx", "12345"}, {"", ""}, {"页2.rvx", "xy"}}));
  PackageIndex table;
  ASSERT_EQ(kPackageOk, table.Read(path));
  ASSERT_EQ(3, table.GetCount());
  EXPECT_EQ(14 + (12 + 8) + 12 + (12 + 7), table.GetTrailerLength());
  const struct {
    const char* name;
    DWORD offset, size;
  } expected[] = {{"home.rvx", 300, 5}, {"", 305, 0}, {"页2.rvx", 305, 2}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(CString(expected[i].name), table.GetEntry(i).GetName());
    EXPECT_EQ(expected[i].offset, table.GetEntry(i).GetOffset());
    EXPECT_EQ(expected[i].size, table.GetEntry(i).GetSize());
  }
}

// "傾" and "僡" are 0x83 0x41 and 0x83 0x61: their trail bytes are 'A' and 'a'.
TEST(PackageReader, FindPageFoldsOnlyWholeAsciiLetters) {
  ASSERT_EQ(std::string("\x83\x41"), std::string("傾"));
  ASSERT_EQ(std::string("\x83\x61"), std::string("僡"));
  TempFolder folder;
  const CString path = folder / "package.exe";
  WriteFileBytes(path, ComposePackage(kStub, {{"page2.rvx", "1"},
                                              {"PAGE2.RVX", "2"},
                                              {"傾.rvx", "3"},
                                              {"僡.rvx", "4"},
                                              {"第一页A.rvx", "5"},
                                              {std::string("nul\0x", 5), "6"}}));
  PackageIndex table;
  ASSERT_EQ(kPackageOk, table.Read(path));

  const struct {
    const char* name;
    int entry;  // -1: no such page
  } rows[] = {
      {"Page2.rvx", 0},    {"PAGE2.RVX", 0},  // the first of two equal names wins
      {"page2.rv", -1},    {"page2.rvx ", -1},  {"傾.rvx", 2},  {"僡.rvx", 3},
      {"傾.RVX", 2},       {"第一页a.rvx", 4}, {"第一页A.RVX", 4}, {"nul", -1}, {"", -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const DWORD expected = row.entry < 0 ? 0 : table.GetEntry(row.entry).GetOffset();
    EXPECT_EQ(expected, table.FindPage(row.name, false));
  }

  EXPECT_EQ(table.GetEntry(5).GetOffset(), table.GetPage(5, false));
  EXPECT_EQ(0u, table.GetPage(-1, false));
  EXPECT_EQ(0u, table.GetPage(table.GetCount(), false));

  // Re-reading takes the running executable, which carries no package.
  EXPECT_EQ(0u, table.FindPage("page2.rvx", true));
  EXPECT_EQ(0, table.GetCount());
  EXPECT_EQ(0u, table.GetPage(0, true));
}

TEST(PackageReader, ModulePathIsTheRunningExecutable) {
  const CString path = GetModulePath();
  EXPECT_EQ(CString("package_tests.exe"), path.Mid(path.ReverseFind('\\') + 1));
  EXPECT_TRUE(Exists(path));
}

}  // namespace
