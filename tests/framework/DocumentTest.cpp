// Documents read and written through their Serialize: a save that fails part way
// leaves the old file as it was and says why; failed opens are reported; changes are
// offered for saving; the single-document template opens files into its one frame.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <thread>

#include "tests/framework/UiTestClasses.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

namespace {

std::string ReadAll(const CString& path) {
  std::ifstream in(path.GetString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const CString& path, const std::string& bytes) {
  std::ofstream out(path.GetString(), std::ios::binary);
  out << bytes;
}

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* name) {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    m_path = CString(temp) + name;
    Clear();
    ::CreateDirectoryA(m_path, nullptr);
  }
  ~ScratchFolder() {
    Clear();
    ::RemoveDirectoryA(m_path);
  }
  CString File(const char* name) const { return m_path + "\\" + name; }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(m_path + "\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (found.cFileName[0] != '.') names.insert(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
  }

 private:
  void Clear() {
    for (const std::string& name : Names()) {
      const CString file = File(name.c_str());
      ::SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileA(file);
    }
  }
  CString m_path;
};

class DocumentTest : public UiAppTest {
 protected:
  ScratchFolder folder{"课件文档测试"};
};

TEST_F(DocumentTest, SavedDocumentsOpenAgain) {
  ASSERT_NE(nullptr, NewDocumentFrame());
  CTestUiDoc* doc = ActiveDocument();
  doc->m_text = "第一页";
  const CString path = folder.File("页面.tpg");
  ASSERT_TRUE(doc->DoSave(path));
  EXPECT_EQ(std::string("TPG1\x06") + "第一页", ReadAll(path));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_STREQ("页面.tpg", doc->GetTitle());
  EXPECT_EQ((std::set<std::string>{"页面.tpg"}), folder.Names());

  doc->OnNewDocument();
  EXPECT_STREQ("", doc->m_text);
  CWnd* frame = app->m_pMainWnd;
  CDocument* reopened = app->OpenDocumentFile(path);
  ASSERT_EQ(doc, reopened);  // one document, one frame, reused
  EXPECT_EQ(frame, app->m_pMainWnd);
  EXPECT_STREQ("第一页", doc->m_text);
  EXPECT_STREQ(path, doc->GetPathName());
  EXPECT_EQ(2, ActiveView()->m_initialUpdates);  // told about each document it shows
}

TEST_F(DocumentTest, ASaveThatFailsPartWayLeavesTheOldFileAsItWas) {
  ASSERT_NE(nullptr, NewDocumentFrame());
  CTestUiDoc* doc = ActiveDocument();
  const CString path = folder.File("页面.tpg");
  doc->m_text = "旧的内容";
  ASSERT_TRUE(doc->OnSaveDocument(path));
  const std::string before = ReadAll(path);

  // The disk fills after more than a buffer's worth has gone to the disk.
  doc->m_text = "新的内容";
  doc->m_failAfterBytes = 10000;
  doc->SetModifiedFlag();
  MessageBoxCapture box;
  EXPECT_FALSE(doc->OnSaveDocument(path));
  EXPECT_EQ(before, ReadAll(path));
  EXPECT_EQ((std::set<std::string>{"页面.tpg"}), folder.Names());  // no temporary file left
  EXPECT_TRUE(doc->IsModified());
  ASSERT_EQ(1u, box.boxes().size());
  const CString& text = box.boxes()[0].text;
  EXPECT_NE(-1, text.Find("无法保存文件"));
  EXPECT_NE(-1, text.Find(path));
  EXPECT_NE(-1, text.Find("磁盘已满"));
  EXPECT_NE(-1, text.Find("原来的文件没有改动"));
  EXPECT_EQ(-1, text.Find(".tmp"));  // the temporary file means nothing to the user

  // A failed first save leaves nothing behind at all.
  EXPECT_FALSE(doc->OnSaveDocument(folder.File("新.tpg")));
  EXPECT_EQ((std::set<std::string>{"页面.tpg"}), folder.Names());
}

TEST_F(DocumentTest, AReadOnlyFileIsNotReplaced) {
  ASSERT_NE(nullptr, NewDocumentFrame());
  CTestUiDoc* doc = ActiveDocument();
  const CString path = folder.File("只读.tpg");
  WriteAll(path, "TPG1\x02旧");
  ASSERT_TRUE(::SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY));
  doc->m_text = "新";
  MessageBoxCapture box;
  EXPECT_FALSE(doc->OnSaveDocument(path));
  EXPECT_EQ("TPG1\x02旧", ReadAll(path));
  EXPECT_EQ((std::set<std::string>{"只读.tpg"}), folder.Names());
  ASSERT_EQ(1u, box.boxes().size());
  EXPECT_NE(-1, box.boxes()[0].text.Find("拒绝访问"));
}

// Another program reading the old file (a viewer, a scanner) holds it open for a moment:
// the save waits for it; one that keeps it open gets the reason and the old file stays.
TEST_F(DocumentTest, AFileHeldOpenByAnotherProgramIsReplacedOnceReleased) {
  ASSERT_NE(nullptr, NewDocumentFrame());
  CTestUiDoc* doc = ActiveDocument();
  const CString path = folder.File("页面.tpg");
  WriteAll(path, "TPG1\x02旧");
  auto hold = [&] {
    return ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  };

  HANDLE reader = hold();
  ASSERT_NE(INVALID_HANDLE_VALUE, reader);
  std::thread release([reader] {
    ::Sleep(300);
    ::CloseHandle(reader);
  });
  doc->m_text = "新";
  MessageBoxCapture box;
  EXPECT_TRUE(doc->OnSaveDocument(path));
  release.join();
  EXPECT_EQ("TPG1\x02新", ReadAll(path));
  EXPECT_TRUE(box.boxes().empty());

  reader = hold();
  ASSERT_NE(INVALID_HANDLE_VALUE, reader);
  doc->m_text = "再";
  EXPECT_FALSE(doc->OnSaveDocument(path));
  ::CloseHandle(reader);
  EXPECT_EQ("TPG1\x02新", ReadAll(path));
  EXPECT_EQ((std::set<std::string>{"页面.tpg"}), folder.Names());
  EXPECT_EQ(1u, box.boxes().size());
}

TEST_F(DocumentTest, FilesThatCannotBeReadAreReported) {
  ASSERT_NE(nullptr, NewDocumentFrame());
  CTestUiDoc* doc = ActiveDocument();
  const CString damaged = folder.File("坏的.tpg");
  WriteAll(damaged, "XXXX");
  const struct {
    CString path;
    const char* reason;
  } rows[] = {
      {folder.File("没有.tpg"), "找不到文件"},
      {damaged, "文件格式错误"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.reason);
    doc->m_text = "内容";
    MessageBoxCapture box;
    EXPECT_FALSE(doc->OnOpenDocument(row.path));
    ASSERT_EQ(1u, box.boxes().size());
    EXPECT_NE(-1, box.boxes()[0].text.Find("无法打开文件"));
    EXPECT_NE(-1, box.boxes()[0].text.Find(row.reason));
  }
}

TEST_F(DocumentTest, OpeningAMissingFileOnAFreshStartMakesNoMainWindow) {
  MessageBoxCapture box;
  EXPECT_EQ(nullptr, app->OpenDocumentFile(folder.File("没有.tpg")));
  EXPECT_EQ(nullptr, app->m_pMainWnd);
  EXPECT_EQ(1u, box.boxes().size());
}

TEST_F(DocumentTest, ChangesAreOfferedForSaving) {
  ASSERT_NE(nullptr, NewDocumentFrame());
  CTestUiDoc* doc = ActiveDocument();
  const CString path = folder.File("页.tpg");
  const struct {
    int answer;
    BOOL result;
    bool saved;
  } rows[] = {{IDCANCEL, FALSE, false}, {IDNO, TRUE, false}, {IDYES, TRUE, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.answer);
    ::DeleteFileA(path);
    doc->m_strPathName = path;
    doc->m_text = "改过";
    doc->SetModifiedFlag();
    MessageBoxCapture box(row.answer);
    EXPECT_EQ(row.result, doc->SaveModified());
    ASSERT_EQ(1u, box.boxes().size());
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), box.boxes()[0].flags & MB_TYPEMASK);
    EXPECT_NE(-1, box.boxes()[0].text.Find(path));
    EXPECT_EQ(row.saved, ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES);
  }

  // A document without a name asks for one with the save dialog.
  doc->m_strPathName.Empty();
  doc->SetModifiedFlag();
  const CString chosen = folder.File("选定.tpg");
  ModalCapture dialogs([&](ModalCall& call) {
    call.path = chosen;
    return static_cast<INT_PTR>(IDOK);
  });
  MessageBoxCapture box(IDYES);
  EXPECT_TRUE(doc->SaveModified());
  ASSERT_EQ(1u, dialogs.calls().size());
  EXPECT_EQ(ModalCall::fileDialog, dialogs.calls()[0].kind);
  EXPECT_FALSE(dialogs.calls()[0].open);
  EXPECT_STREQ("测试页文件 (*.tpg)|*.tpg|所有文件 (*.*)|*.*||", dialogs.calls()[0].text);
  EXPECT_STREQ(chosen, doc->GetPathName());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(chosen));
}

// A frame that refuses to be made.
class CRefusingFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CRefusingFrame)

 protected:
  int OnCreate(LPCREATESTRUCTA) override { return -1; }
};
IMPLEMENT_DYNCREATE(CRefusingFrame, CFrameWnd)

TEST(DocumentTemplate, AFrameThatCannotBeMadeEndsTheOpeningCleanly) {
  CTestUiApp app;
  app.AddDocTemplate(new CSingleDocTemplate(IDR_TEST_FRAME, RUNTIME_CLASS(CTestUiDoc), RUNTIME_CLASS(CRefusingFrame),
                                            RUNTIME_CLASS(CTestUiView)));
  MessageBoxCapture box;
  app.OnFileNew();
  EXPECT_EQ(nullptr, app.m_pMainWnd);
  ASSERT_EQ(1u, box.boxes().size());
  EXPECT_STREQ("无法创建窗口。", box.boxes()[0].text);
  POSITION pos = app.GetFirstDocTemplatePosition();
  EXPECT_EQ(nullptr, app.GetNextDocTemplate(pos)->GetFirstDocPosition());  // the document is gone too
}

}  // namespace
