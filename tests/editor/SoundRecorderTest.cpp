// Kordel's sound recorder: the names it chooses, its failures, and whole recordings in
// the capture home of tests/media/run-with-wave-capture, where Wine has one wave input
// device whose blocks come back full of silence, quickly. There a recording is started
// and stopped in every order, through the recorder, the page view's command and the
// built Kordel.exe, and a recording is played back by a sound object.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "editor/SoundRecorder.h"
#include "framework/core/Codepage.h"
#include "framework/ui/AfxRes.h"
#include "media/DrawMedia.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/editor/KordelProgram.h"
#include "tests/media/RecordedWave.h"
#include "tests/media/TempFolder.h"
#include "tests/media/WaveCapture.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

constexpr DWORD kBlock = 32768;

bool InCaptureHome() { return !WaveCaptureFile::Path().empty(); }

// The names of a folder's files that match the pattern, in the order found.
std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern = L"*") {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  return names;
}

// The size of a file another may hold open; 0 when it is not there.
DWORD FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

std::wstring Wide(const CString& path) { return codepage::ToWide(path.str()); }
CString Narrow(const std::wstring& path) { return codepage::FromWide(path).c_str(); }

// Waits (polling, at most `timeout` ms) until the condition holds.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout = 15000) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeout) return false;
    ::Sleep(5);
  }
  return true;
}

int ThreadsOfThisProcess() {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
  ::CloseHandle(snapshot);
  return count;
}

// ---------------------------------------------------------------------------------
// The name chooser, with temporary names from a list.

std::vector<UINT> g_numbers;

UINT WINAPI NextTempFileName(LPCSTR folder, LPCSTR prefix, UINT, LPSTR name) {
  if (g_numbers.empty()) return 0;
  const UINT number = g_numbers.front();
  g_numbers.erase(g_numbers.begin());
  std::snprintf(name, MAX_PATH, "%s\\%s%04X.tmp", folder, prefix, number);
  HANDLE file = ::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  ::CloseHandle(file);
  return number;
}

TEST(SoundRecorderName, EarlierRecordingsArePassedOverAndNoTemporaryNameRemains) {
  struct Row {
    std::vector<UINT> numbers;
    std::vector<std::wstring> existing;
    std::wstring chosen;  // empty: none
  };
  const Row rows[] = {
      {{0x1A2B}, {}, L"snd1A2B.wav"},
      {{0x1A2B, 0x1A2C, 0x1A2D}, {L"snd1A2B.wav", L"snd1A2C.wav"}, L"snd1A2D.wav"},
      {{0x0001}, {L"snd0001.wav"}, L""},  // the names run out
      {{}, {}, L""},                      // the folder gives none
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.numbers.size() << " names, " << row.existing.size() << " taken");
    TempFolder folder;
    for (const std::wstring& name : row.existing) folder.Write(name, {1, 2, 3});
    g_numbers = row.numbers;
    const CString chosen = CSoundRecorder::ChooseFileName(Narrow(folder.Path()), &NextTempFileName);
    std::vector<std::wstring> expected = row.existing;
    if (row.chosen.empty()) {
      EXPECT_TRUE(chosen.IsEmpty()) << chosen.GetString();
    } else {
      EXPECT_EQ(folder.File(row.chosen), chosen.GetString());
      EXPECT_TRUE(folder.Read(row.chosen).empty());  // reserved, not yet written
      expected.push_back(row.chosen);
    }
    EXPECT_EQ(expected, FilesIn(folder.Path()));
    for (const std::wstring& name : row.existing) EXPECT_EQ(std::vector<BYTE>({1, 2, 3}), folder.Read(name));
  }
}

TEST(SoundRecorderName, TheSystemGivesSndNamesInAFolderThatExists) {
  TempFolder folder;
  const CString first = CSoundRecorder::ChooseFileName(Narrow(folder.Path()));
  const CString second = CSoundRecorder::ChooseFileName(Narrow(folder.Path()));
  EXPECT_NE(first, second);
  for (const CString& name : {first, second}) {
    const CString bare = name.Mid(name.ReverseFind('\\') + 1);
    EXPECT_EQ(0, bare.Find("snd")) << bare.GetString();
    EXPECT_EQ(bare.GetLength() - 4, bare.Find(".wav")) << bare.GetString();
  }
  EXPECT_EQ(2u, FilesIn(folder.Path()).size());
  EXPECT_TRUE(CSoundRecorder::ChooseFileName(Narrow(folder.Path() + L"\\missing")).IsEmpty());
}

// ---------------------------------------------------------------------------------
// The recorder and the record command in the editor.

class SoundRecorderTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    NewPage();
  }
  // Records beside a page of this folder (as after opening one there), into its "res".
  void UseFolder(bool withRes) {
    app->m_strWorkingFolder = Narrow(m_folder.Path());
    if (withRes) ::CreateDirectoryW(Res().c_str(), nullptr);
  }
  std::wstring Res() const { return m_folder.Path() + L"\\res"; }
  std::vector<std::wstring> Recordings() const { return FilesIn(Res(), L"snd*.wav"); }
  // A file of "res", by its path or its name.
  std::vector<uint8_t> ReadRes(const CString& path) const {
    return m_folder.Read(L"res\\" + Wide(path.Mid(path.ReverseFind('\\') + 1)));
  }

  // The record item's mark, as the menu shows it when it drops down.
  bool RecordItemMarked() {
    HMENU bar = ::GetMenu(Frame()->m_hWnd);
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
      HMENU popup = ::GetSubMenu(bar, i);
      if (popup && ::GetMenuState(popup, ID_RECORD_SOUND, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), i);
        return (::GetMenuState(popup, ID_RECORD_SOUND, MF_BYCOMMAND) & MF_CHECKED) != 0;
      }
    }
    ADD_FAILURE() << "no record item in the menu";
    return false;
  }
  void RecordCommand() { Frame()->SendMessage(WM_COMMAND, ID_RECORD_SOUND); }

  TempFolder m_folder;
};

TEST_F(SoundRecorderTest, WithoutAResourceFolderNothingIsCreated) {
  struct Row {
    const char* name;
    bool pageFolder;
  };
  for (const Row& row : {Row{"no res folder", true}, Row{"no page folder", false}}) {
    SCOPED_TRACE(row.name);
    app->m_strWorkingFolder.Empty();
    if (row.pageFolder) UseFolder(false);
    MessageBoxCapture boxes;
    CSoundRecorder recorder;
    EXPECT_FALSE(recorder.StartRecording());
    EXPECT_FALSE(recorder.IsRecording());
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_STREQ("生成文件失败", boxes.boxes()[0].text);
    EXPECT_TRUE(FilesIn(m_folder.Path(), L"*").empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(Res().c_str()));
  }
}

TEST_F(SoundRecorderTest, WithoutAnInputDeviceNoFileIsLeftAndTheCommandStaysUnmarked) {
  if (waveInGetNumDevs() > 0) GTEST_SKIP() << "this machine has a wave input device";
  UseFolder(true);
  MessageBoxCapture boxes;
  RecordCommand();
  ASSERT_EQ(1u, boxes.boxes().size());
  const CString& text = boxes.boxes()[0].text;
  EXPECT_EQ(0, text.Find("WAVEIN:2:")) << text.GetString();
  EXPECT_EQ(text.GetLength() - 11, text.Find(" in Start()")) << text.GetString();
  EXPECT_TRUE(FilesIn(Res()).empty());
  EXPECT_FALSE(RecordItemMarked());
}

// ---------------------------------------------------------------------------------
// Recordings, with the capturing device.

// A recorder whose file counts the bytes the input hands it, and fails from a given
// write on (writing nothing then).
class CountingRecorder : public CSoundRecorder {
 public:
  std::atomic<DWORD> m_written{0};
  int m_failFrom = INT_MAX;

 protected:
  std::unique_ptr<CWaveFile> CreateWaveFile(const CString& name, const CWaveFormat& format) override {
    return std::make_unique<CountingFile>(name, format, *this);
  }

 private:
  class CountingFile : public CWaveFile {
   public:
    CountingFile(const CString& name, const CWaveFormat& format, CountingRecorder& recorder)
        : CWaveFile(name, format), m_recorder(recorder) {}
    BOOL Write(const CDataBuffer& buffer) override {
      if (m_writes++ >= m_recorder.m_failFrom) return FALSE;
      const BOOL written = CWaveFile::Write(buffer);
      if (written) m_recorder.m_written += buffer.m_nSize;
      return written;
    }

   private:
    CountingRecorder& m_recorder;
    int m_writes = 0;
  };
};

class RecordingTest : public SoundRecorderTest {
 protected:
  void SetUp() override {
    if (!InCaptureHome()) GTEST_SKIP() << "no capturing wave device (see tests/media/run-with-wave-capture)";
    SoundRecorderTest::SetUp();
    m_editorStarted = true;
    ASSERT_GT(waveInGetNumDevs(), 0u);
    UseFolder(true);
  }
  void TearDown() override {
    if (m_editorStarted) SoundRecorderTest::TearDown();
  }
  // The recording's bytes when it is a whole file whose data are what was counted.
  testing::AssertionResult IsComplete(const CountingRecorder& recorder) {
    std::vector<uint8_t> data;
    testing::AssertionResult whole = recordedwave::IsRecording(ReadRes(recorder.GetFileName()), &data);
    if (!whole) return whole;
    if (data.size() != recorder.m_written)
      return testing::AssertionFailure() << data.size() << " bytes of data, " << recorder.m_written << " handed on";
    return testing::AssertionSuccess();
  }

  bool m_editorStarted = false;
};

TEST_F(RecordingTest, StartsAndStopsInEveryOrderAndEachFileIsWhole) {
  struct Row {
    const char* name;
    int cycles;
    DWORD blocks;  // waited for before each stop
  };
  // A first recording of some blocks warms the device up, so that the system's threads
  // for it count as there already.
  {
    CountingRecorder warmUp;
    ASSERT_TRUE(warmUp.StartRecording());
    EXPECT_TRUE(WaitUntil([&] { return warmUp.m_written >= kBlock; }));
    warmUp.StopRecording();
  }
  for (const Row& row : {Row{"start and stop", 1, 2}, Row{"stop at once", 1, 0}, Row{"start, stop, start", 2, 1},
                         Row{"50 quick cycles", 50, 0}}) {
    SCOPED_TRACE(row.name);
    const size_t before = Recordings().size();
    const int threads = ThreadsOfThisProcess();  // looking at the folder may add one of the system's
    std::vector<std::pair<CString, std::vector<uint8_t>>> files;
    MessageBoxCapture boxes;
    std::unique_ptr<CountingRecorder> recorder;
    for (int cycle = 0; cycle < row.cycles; ++cycle) {
      recorder = std::make_unique<CountingRecorder>();  // the last one goes, as the command does
      ASSERT_TRUE(recorder->StartRecording()) << "cycle " << cycle;
      EXPECT_TRUE(recorder->IsRecording());
      EXPECT_TRUE(WaitUntil([&] { return recorder->m_written >= row.blocks * kBlock; }));
      recorder->StopRecording();
      EXPECT_FALSE(recorder->IsRecording());
      ASSERT_TRUE(IsComplete(*recorder)) << "cycle " << cycle;
      files.emplace_back(recorder->GetFileName(), ReadRes(recorder->GetFileName()));
    }
    recorder.reset();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(before + row.cycles, Recordings().size());
    for (const auto& [name, bytes] : files) EXPECT_EQ(bytes, ReadRes(name)) << name.GetString();
    EXPECT_TRUE(FilesIn(Res(), L"*.tmp").empty());
    // Wine's own audio threads may take a moment to end; the recorder's must all go.
    EXPECT_TRUE(WaitUntil([&] { return ThreadsOfThisProcess() <= threads; }, 5000))
        << ThreadsOfThisProcess() << " threads, " << threads << " before";
  }
}

TEST_F(RecordingTest, AWriteThatFailsStopsTheInputAndTheFileStaysWhole) {
  MessageBoxCapture boxes;
  CountingRecorder recorder;
  recorder.m_failFrom = 1;
  ASSERT_TRUE(recorder.StartRecording());
  EXPECT_TRUE(WaitUntil([&] { return !recorder.IsRecording(); })) << "the input went on";
  recorder.StopRecording();
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("Unable to write to file", boxes.boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes()[0].flags);
  EXPECT_EQ(kBlock, recorder.m_written.load());
  EXPECT_TRUE(IsComplete(recorder));
}

TEST_F(RecordingTest, TheCommandMarksItsItemWhileRecordingAndThePlayedFileGivesItsData) {
  // A page saved in a folder with "res", opened as an author would.
  const CString page = Narrow(m_folder.Path() + L"\\页.rvx");
  {
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  app->m_strWorkingFolder.Empty();
  ASSERT_TRUE(app->OpenDocumentFile(page));
  MessageBoxCapture boxes;
  EXPECT_FALSE(RecordItemMarked());
  RecordCommand();
  EXPECT_TRUE(RecordItemMarked());
  ASSERT_EQ(1u, Recordings().size());
  const std::wstring file = Res() + L"\\" + Recordings()[0];
  // Some blocks: the file grows past its header while the device delivers.
  EXPECT_TRUE(WaitUntil([&] { return FileSize(file) > 2 * kBlock; }));
  RecordCommand();
  EXPECT_FALSE(RecordItemMarked());
  EXPECT_TRUE(boxes.boxes().empty());
  std::vector<uint8_t> data;
  ASSERT_TRUE(recordedwave::IsRecording(ReadRes(Narrow(file)), &data));
  EXPECT_GT(data.size(), 2 * kBlock);

  WaveCaptureFile capture;
  capture.Truncate();
  CDrawMedia sound;
  sound.SetMediaFile(Narrow(file));
  sound.Play(FALSE);
  EXPECT_TRUE(sound.GetMciSound().IsOpen());
  EXPECT_TRUE(WaveCaptureFile::Holds(data, capture.Captured(data.size())));
  sound.Stop();
  capture.Settle(40);
}

TEST_F(RecordingTest, AViewDestroyedWhileRecordingLeavesTheFileWhole) {
  RecordCommand();
  ASSERT_EQ(1u, Recordings().size());
  const std::wstring file = Res() + L"\\" + Recordings()[0];
  EXPECT_TRUE(WaitUntil([&] { return FileSize(file) > kBlock; }));
  Frame()->DestroyWindow();
  EXPECT_TRUE(recordedwave::IsRecording(ReadRes(Narrow(file))));
}

// The built Kordel.exe, driven by window messages: the record command twice.
TEST(KordelRecording, TheRecordCommandLeavesOneWholeRecordingInThePagesResFolder) {
  if (!InCaptureHome()) GTEST_SKIP() << "no capturing wave device (see tests/media/run-with-wave-capture)";
  TempFolder folder;
  const std::wstring res = folder.Path() + L"\\res";
  ASSERT_TRUE(::CreateDirectoryW(res.c_str(), nullptr));
  const CString page = folder.File(L"录音页.rvx").c_str();
  {
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  KordelProgram kordel("\"" + page + "\"");
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main);
  kordel.WaitForSplashToClose();
  ::PostMessageA(main, WM_COMMAND, ID_RECORD_SOUND, 0);
  std::wstring name;
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<std::wstring> names = FilesIn(res, L"snd*.wav");
    if (names.size() != 1) return false;
    name = names[0];
    return FileSize(res + L"\\" + name) > 2 * kBlock;
  })) << "no recording grew";
  ::PostMessageA(main, WM_COMMAND, ID_RECORD_SOUND, 0);
  // Closed by the recorder: whole, with its sizes written.
  EXPECT_TRUE(WaitUntil([&] { return recordedwave::IsRecording(folder.Read(L"res\\" + name)); }));
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
  EXPECT_EQ(1u, FilesIn(res).size());
  std::vector<uint8_t> data;
  EXPECT_TRUE(recordedwave::IsRecording(folder.Read(L"res\\" + name), &data));
  EXPECT_GT(data.size(), 2 * kBlock);
}

}  // namespace
