// Extraction as setup does it: every entry into the chosen folder, last entry first,
// never a name that leads out of the folder, and never part of a file.
#include <gtest/gtest.h>

#include "package/PackageIndex.h"
#include "tests/package/PackageFixture.h"

using namespace packagetest;

namespace {

const std::string kStub = Patterned(500, 7);

void RecordName(const PackageEntry& entry, void* user) {
  static_cast<std::vector<CString>*>(user)->push_back(entry.GetName());
}

TEST(PackageExtract, WritesEveryEntryLastFirst) {
  TempFolder folder;
  const CString package = folder / "setup.exe";
  const std::string big = Patterned(700000, 3);  // several transfers
  WriteFileBytes(package, ComposePackage(kStub, {{"课件.exe", big}, {"empty.rvx", ""}, {"b.rvx", "bbb"}}));
  const CString target = folder / "安装";
  CreateDirectoryW(Wide(target).c_str(), nullptr);

  for (const CString& given : {target, target + "\\"}) {
    SCOPED_TRACE(given.GetString());
    PackageIndex table;
    std::vector<CString> names;
    EXPECT_EQ(kPackageOk, table.ExtractPackageFrom(package, given, RecordName, &names));
    EXPECT_EQ((std::vector<CString>{"b.rvx", "empty.rvx", "课件.exe"}), names);
    EXPECT_EQ(big, ReadFileBytes(target + "\\课件.exe"));
    EXPECT_TRUE(Exists(target + "\\empty.rvx"));
    EXPECT_EQ("", ReadFileBytes(target + "\\empty.rvx"));
    EXPECT_EQ("bbb", ReadFileBytes(target + "\\b.rvx"));
  }
}

TEST(PackageExtract, ReadFailuresAreReturnedAsTheyAre) {
  TempFolder folder;
  WriteFileBytes(folder / "plain.exe", kStub);
  WriteFileBytes(folder / "empty.exe", kStub + U32(0) + "!QOVA_SFX!");
  PackageIndex table;
  EXPECT_EQ(kPackageNoMarker, table.ExtractPackageFrom(folder / "plain.exe", folder.Path(), nullptr, nullptr));
  EXPECT_EQ(kPackageEmpty, table.ExtractPackageFrom(folder / "empty.exe", folder.Path(), nullptr, nullptr));
  EXPECT_EQ(kPackageCannotOpen, table.ExtractPackageFrom(folder / "none.exe", folder.Path(), nullptr, nullptr));
  // The running test program has no package.
  EXPECT_EQ(kPackageNoMarker, table.ExtractPackage(folder.Path(), nullptr, nullptr));
}

// A package is a file from anywhere: its names must not reach outside the folder, into
// a stream or onto a device. Such an entry is skipped, the others are written, and the
// whole reports the failure.
TEST(PackageExtract, RefusesNamesThatAreNotPlainFileNames) {
  TempFolder folder;
  const CString target = folder / "inst";
  CreateDirectoryW(Wide(target).c_str(), nullptr);
  const char* hostile[] = {
      "..\\escape.rvx", "../escape.rvx", "sub\\x.rvx", "C:escape.rvx", "\\escape.rvx",
      "a.rvx:stream",   "",              ".",         "..",           "CON",
      "nul.txt",        "com1",          "LPT9.rvx",  "tab\there",    "\x81",  // a lead byte alone
  };
  std::vector<std::pair<std::string, std::string>> files = {{"good.rvx", "good"}};
  for (const char* name : hostile) files.emplace_back(name, "evil");
  files.emplace_back("乗.rvx", "trail byte 0x5C");  // a backslash only as a trail byte is fine
  const CString package = folder / "setup.exe";
  WriteFileBytes(package, ComposePackage(kStub, files));

  PackageIndex table;
  std::vector<CString> names;
  EXPECT_EQ(kPackageOutputFailed, table.ExtractPackageFrom(package, target, RecordName, &names));
  EXPECT_EQ(files.size(), names.size()) << "every entry is reported, written or not";
  EXPECT_EQ("good", ReadFileBytes(target + "\\good.rvx"));
  EXPECT_EQ("trail byte 0x5C", ReadFileBytes(target + "\\乗.rvx"));
  EXPECT_FALSE(Exists(folder / "escape.rvx"));
  EXPECT_FALSE(Exists(target + "\\sub"));
  EXPECT_FALSE(Exists(target + "\\a.rvx"));

  CFile file;
  ASSERT_TRUE(file.Open(package, CFile::modeRead));
  for (int i = 1; i <= static_cast<int>(std::size(hostile)); ++i) {
    SCOPED_TRACE(table.GetEntry(i).GetName().GetString());
    EXPECT_EQ(kPackageOutputFailed, table.ExtractPackageEntry(file, i, target));
  }
  EXPECT_EQ(kPackageOutputFailed, table.ExtractPackageEntry(file, -1, target));
  EXPECT_EQ(kPackageOutputFailed, table.ExtractPackageEntry(file, table.GetCount(), target));
}

TEST(PackageExtract, LeavesNoPartOfAFileBehind) {
  TempFolder folder;
  const CString package = folder / "setup.exe";
  WriteFileBytes(package, ComposePackage(kStub, {{"a.rvx", Patterned(5000, 1)}}));
  PackageIndex table;
  ASSERT_EQ(kPackageOk, table.Read(package));

  // The package became shorter after its directory was read.
  const std::string whole = ReadFileBytes(package);
  WriteFileBytes(folder / "short.exe", whole.substr(0, 2000));
  CFile shortened;
  ASSERT_TRUE(shortened.Open(folder / "short.exe", CFile::modeRead));
  EXPECT_EQ(kPackageOutputFailed, table.ExtractPackageEntry(shortened, 0, folder.Path()));
  EXPECT_FALSE(Exists(folder / "a.rvx"));

  // A folder that does not exist cannot take the file.
  CFile file;
  ASSERT_TRUE(file.Open(package, CFile::modeRead));
  EXPECT_EQ(kPackageOutputFailed, table.ExtractPackageEntry(file, 0, folder / "missing"));
  EXPECT_EQ(kPackageOk, table.ExtractPackageEntry(file, 0, folder.Path()));
  EXPECT_EQ(Patterned(5000, 1), ReadFileBytes(folder / "a.rvx"));
}

TEST(PackageExtract, WithTrailingBackslashChangesTheFolderInPlace) {
  const struct {
    const char* given;
    const char* expected;
  } rows[] = {
      {"c:\\a", "c:\\a\\"},
      {"c:\\a\\", "c:\\a\\"},
      {"c:\\乗", "c:\\乗\\"},  // ends in 0x5C, but as the trail byte of one character
      {"c:\\乗\\", "c:\\乗\\"},
      {"", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.given);
    CString folder(row.given);
    EXPECT_EQ(CString(row.expected), PackageIndex::WithTrailingBackslash(folder));
    EXPECT_EQ(CString(row.expected), folder);
  }
}

}  // namespace
