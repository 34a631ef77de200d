// The package writer: the bytes it appends behind the stub, its result codes, and an
// output that is either a whole package or nothing.
#include <gtest/gtest.h>

#include <functional>

#include "package/PackageIndex.h"
#include "package/ShellFileOp.h"
#include "tests/package/PackageFixture.h"

using namespace packagetest;

namespace {

struct Progress {
  CString output;
  std::vector<std::pair<CString, ULONGLONG>> calls;  // entry name, output length then
};

void RecordProgress(const PackageEntry& entry, void* user) {
  auto* progress = static_cast<Progress*>(user);
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExW(Wide(progress->output).c_str(), GetFileExInfoStandard, &data);
  progress->calls.emplace_back(entry.GetName(),
                               (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

// A failing disk, which real files cannot provoke once the stub copy has worked.
class FullDiskFile : public CFile {
 public:
  explicit FullDiskFile(ULONGLONG room) : m_room(room) {}
  void Write(const void* buffer, UINT count) override {
    if (count > m_room) throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
    m_room -= count;
    CFile::Write(buffer, count);
  }

 private:
  ULONGLONG m_room;
};

// The table with its output open replaced: refused, or on a disk with little room.
class SeamedIndex : public PackageIndex {
 public:
  bool refuseOpen = false;
  ULONGLONG room = ~0ull;

 protected:
  std::unique_ptr<CFile> OpenOutput(const char* outputPath) override {
    if (refuseOpen) return nullptr;
    auto file = std::make_unique<FullDiskFile>(room);
    if (!file->Open(outputPath, CFile::modeWrite)) return nullptr;
    return file;
  }
};

// The worked example: a 1000-byte stub, a.rvx (100 bytes, the home page), b.rvx (50).
struct Example {
  Example() {
    WriteFileBytes(stub, Patterned(1000, 1));
    WriteFileBytes(a, Patterned(100, 2));
    WriteFileBytes(b, Patterned(50, 3));
    EXPECT_EQ(1, index.AddFile(a));
    EXPECT_EQ(1, index.AddFile(b));
  }

  // Written by hand from the format, not by the code under test.
  static std::string Expected() {
    return Patterned(1000, 1) + Patterned(100, 2) + Patterned(50, 3) +
           std::string("\xE8\x03\x00\x00" "\x64\x00\x00\x00" "a.rvx" "\x05\x00\x00\x00"
                       "\x4C\x04\x00\x00" "\x32\x00\x00\x00" "b.rvx" "\x05\x00\x00\x00"
                       "\x02\x00\x00\x00" "!QOVA_SFX!", 48);
  }

  TempFolder folder;
  CString stub = folder / "mirabo.exe";
  CString a = folder / "a.rvx";
  CString b = folder / "b.rvx";
  CString output = folder / "out.exe";
  SeamedIndex index;
};

class WorkedExample : public testing::Test, protected Example {};

TEST_F(WorkedExample, WritesStubDataDirectoryCountAndMarker) {
  Progress progress{output, {}};
  ASSERT_EQ(kPackageOk, index.WritePackage(stub, output, RecordProgress, &progress));
  EXPECT_EQ(Expected(), ReadFileBytes(output));
  EXPECT_EQ(1000u, index.GetEntry(0).GetOffset());
  EXPECT_EQ(1100u, index.GetEntry(1).GetOffset());

  // Once per entry, in table order, after that entry's bytes are in the output.
  const std::vector<std::pair<CString, ULONGLONG>> expected = {{"a.rvx", 1100}, {"b.rvx", 1150}};
  EXPECT_EQ(expected, progress.calls);

  PackageIndex read;
  ASSERT_EQ(kPackageOk, read.Read(output));
  EXPECT_EQ(48, read.GetTrailerLength());
  ASSERT_EQ(2, read.GetCount());
  EXPECT_EQ(CString("b.rvx"), read.GetEntry(1).GetName());
  EXPECT_EQ(50u, read.GetEntry(1).GetSize());
  EXPECT_EQ(1100u, read.GetEntry(1).GetOffset());
  EXPECT_TRUE(read.GetEntry(1).GetFullPath().IsEmpty());
}

// An older, longer file under the output's name must not leave its tail behind.
TEST_F(WorkedExample, ReplacesALongerOlderOutputWhole) {
  WriteFileBytes(output, Patterned(5000, 9));
  ASSERT_EQ(kPackageOk, index.WritePackage(stub, output, nullptr, nullptr));
  EXPECT_EQ(Expected(), ReadFileBytes(output));
}

// A source cut short after it was measured ends its copy at its end; the directory
// records what was copied, so the next entry's offset is still true.
TEST_F(WorkedExample, RecordsTheBytesOfASourceThatShrank) {
  WriteFileBytes(a, Patterned(40, 2));
  ASSERT_EQ(kPackageOk, index.WritePackage(stub, output, nullptr, nullptr));
  EXPECT_EQ(Patterned(1000, 1) + Patterned(40, 2) + Patterned(50, 3), ReadFileBytes(output).substr(0, 1090));

  PackageIndex read;
  ASSERT_EQ(kPackageOk, read.Read(output));
  EXPECT_EQ(40u, read.GetEntry(0).GetSize());
  EXPECT_EQ(1040u, read.GetEntry(1).GetOffset());
  EXPECT_EQ(1090u + 48u, ReadFileBytes(output).size());
}

TEST_F(WorkedExample, AnEmptyEntrySharesItsOffsetWithTheNextEntrysData) {
  const CString empty = folder / "empty.rvx";
  WriteFileBytes(empty, "");
  PackageIndex table;
  ASSERT_EQ(1, table.AddFile(a));
  ASSERT_EQ(1, table.AddFile(empty));
  ASSERT_EQ(1, table.AddFile(b));
  ASSERT_EQ(kPackageOk, table.WritePackage(stub, output, nullptr, nullptr));
  PackageIndex read;
  ASSERT_EQ(kPackageOk, read.Read(output));
  EXPECT_EQ(0u, read.GetEntry(1).GetSize());
  EXPECT_EQ(1100u, read.GetEntry(1).GetOffset());
  EXPECT_EQ(1100u, read.GetEntry(2).GetOffset());
}

// Sources are read ahead in blocks while earlier blocks are written: every byte must
// still land in table order, across block boundaries and empty files.
TEST_F(WorkedExample, LargeAndEmptySourcesLandInTableOrder) {
  const size_t sizes[] = {2500000, 0, 3, 0, 1 << 20, (1 << 20) + 1};
  PackageIndex table;
  std::vector<std::string> contents;
  for (size_t i = 0; i < std::size(sizes); ++i) {
    CString name;
    name.Format("p%d.rvx", static_cast<int>(i));
    contents.push_back(Patterned(sizes[i], static_cast<unsigned>(i + 10)));
    WriteFileBytes(folder / name, contents.back());
    ASSERT_EQ(1, table.AddFile(folder / name));
  }
  Progress progress{output, {}};
  ASSERT_EQ(kPackageOk, table.WritePackage(stub, output, RecordProgress, &progress));

  const std::string bytes = ReadFileBytes(output);
  PackageIndex read;
  ASSERT_EQ(kPackageOk, read.Read(output));
  ASSERT_EQ(static_cast<int>(std::size(sizes)), read.GetCount());
  ULONGLONG end = 1000;
  for (int i = 0; i < read.GetCount(); ++i) {
    SCOPED_TRACE(i);
    const PackageEntry& entry = read.GetEntry(i);
    EXPECT_EQ(end, entry.GetOffset());
    EXPECT_TRUE(contents[static_cast<size_t>(i)] == bytes.substr(entry.GetOffset(), entry.GetSize()));
    end += entry.GetSize();
    ASSERT_LT(static_cast<size_t>(i), progress.calls.size());
    EXPECT_EQ(entry.GetName(), progress.calls[static_cast<size_t>(i)].first);
    EXPECT_EQ(end, progress.calls[static_cast<size_t>(i)].second);
  }
  EXPECT_EQ(std::size(sizes), progress.calls.size());
}

struct FailureRow {
  const char* what;
  // Turns the worked example into the case; may change the table and the paths.
  std::function<void(Example& example)> arrange;
  int expected;
};

TEST(PackageWriter, FailuresGiveTheirCodeAndLeaveNoOutput) {
  const FailureRow rows[] = {
      {"empty table", [](Example& ex) { ex.index.Clear(); }, kPackageEmpty},
      {"missing stub", [](Example& ex) { ex.stub += ".gone"; }, kPackageStubFailed},
      {"source deleted after it was added", [](Example& ex) { DeleteFileW(Wide(ex.b).c_str()); },
       kPackageSourceFailed},
      {"output names a folder", [](Example& ex) { CreateDirectoryW(Wide(ex.output).c_str(), nullptr); },
       kPackageOutputFailed},
      {"output cannot be opened after the stub copy", [](Example& ex) { ex.index.refuseOpen = true; },
       kPackageOutputFailed},
      {"disk full in the first entry's data", [](Example& ex) { ex.index.room = 50; }, kPackageOutputFailed},
      {"disk full in the second entry's data", [](Example& ex) { ex.index.room = 120; }, kPackageOutputFailed},
      {"disk full in the directory", [](Example& ex) { ex.index.room = 150; }, kPackageOutputFailed},
      // Offsets are 32-bit: 1000 + 2 x 3 GiB would wrap. The files are sparse.
      {"total beyond 32-bit offsets",
       [](Example& ex) {
         SetFileLength(ex.folder / "big1.rvx", 3ull << 30);
         SetFileLength(ex.folder / "big2.rvx", 3ull << 30);
         ex.index.Clear();
         EXPECT_EQ(1, ex.index.AddFile(ex.folder / "big1.rvx"));
         EXPECT_EQ(1, ex.index.AddFile(ex.folder / "big2.rvx"));
       },
       kPackageOutputFailed},
  };
  for (const FailureRow& row : rows) {
    SCOPED_TRACE(row.what);
    Example ex;
    row.arrange(ex);
    const bool folderBefore = Exists(ex.output);
    EXPECT_EQ(row.expected, ex.index.WritePackage(ex.stub, ex.output, nullptr, nullptr));
    if (folderBefore) {
      EXPECT_FALSE(Exists(ex.output + "\\mirabo.exe")) << "stub copied into the folder";
    } else {
      EXPECT_FALSE(Exists(ex.output)) << "a half package was left behind";
    }
  }
}

TEST_F(WorkedExample, AddFileRefusalsLeaveTheTableUnchanged) {
  // A file of 4 GiB cannot be described by a 32-bit size (sparse, so it costs nothing).
  const CString huge = folder / "huge.rvx";
  SetFileLength(huge, 4ull << 30);
  EXPECT_EQ(0, index.AddFile(huge));
  EXPECT_EQ(0, index.AddFile(folder / "missing.rvx"));
  EXPECT_EQ(2, index.GetCount());

  PackageIndex full;
  for (int i = 0; i < PackageIndex::kMaxEntries; ++i) ASSERT_EQ(1, full.AddFile(a));
  EXPECT_EQ(0, full.AddFile(b));
  EXPECT_EQ(PackageIndex::kMaxEntries, full.GetCount());
  EXPECT_EQ(CString("a.rvx"), full.GetEntry(PackageIndex::kMaxEntries - 1).GetName());
}

TEST_F(WorkedExample, APathWithoutBackslashIsItsOwnName) {
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(Wide(folder.Path()).c_str());
  PackageIndex table;
  EXPECT_EQ(1, table.AddFile("a.rvx"));
  SetCurrentDirectoryW(previous);
  ASSERT_EQ(1, table.GetCount());
  EXPECT_EQ(CString("a.rvx"), table.GetEntry(0).GetName());
  EXPECT_EQ(100u, table.GetEntry(0).GetSize());
}

// Names go into the directory as their code-page-936 bytes, and come back the same,
// even one whose second byte is a backslash.
TEST_F(WorkedExample, ChineseNamesComeBackByteForByte) {
  const char* names[] = {"第一页.rvx", "乗.rvx", "傾僡.rvx"};
  ASSERT_EQ(std::string("\x81\x5C.rvx"), std::string(names[1]));
  PackageIndex table;
  for (const char* name : names) {
    WriteFileBytes(folder / name, name);
    ASSERT_EQ(1, table.AddFile(folder / name));
  }
  const CString chineseOutput = folder / "课件.exe";
  ASSERT_EQ(kPackageOk, table.WritePackage(stub, chineseOutput, nullptr, nullptr));
  PackageIndex read;
  ASSERT_EQ(kPackageOk, read.Read(chineseOutput));
  ASSERT_EQ(3, read.GetCount());
  const std::string bytes = ReadFileBytes(chineseOutput);
  for (int i = 0; i < 3; ++i) {
    const PackageEntry& entry = read.GetEntry(i);
    EXPECT_EQ(std::string(names[i]), entry.GetName().str());
    EXPECT_EQ(std::string(names[i]), bytes.substr(entry.GetOffset(), entry.GetSize()));
    EXPECT_EQ(entry.GetOffset(), read.FindPage(names[i], false));
  }
}

TEST(ShellFileOp, ListsAreDoubleNulTerminatedAndCopyReplaces) {
  TempFolder folder;
  CShellFileOp op;
  EXPECT_EQ(std::vector<char>(2, '\0'), op.GetList(CShellFileOp::source));
  op.AddPath(CShellFileOp::source, folder / "源.bin");
  op.AddPath(CShellFileOp::destination, folder / "目标.bin");
  const std::string from = (folder / "源.bin").str();
  std::string expected = from + std::string(2, '\0');
  EXPECT_EQ(std::vector<char>(expected.begin(), expected.end()), op.GetList(CShellFileOp::source));

  op.SetFlags(FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY);
  EXPECT_NE(0, op.Copy()) << "a missing source copies nothing";
  WriteFileBytes(folder / "源.bin", "new");
  WriteFileBytes(folder / "目标.bin", "older and longer");
  EXPECT_EQ(0, op.Copy());
  EXPECT_EQ("new", ReadFileBytes(folder / "目标.bin"));
}

}  // namespace
