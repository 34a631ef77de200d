// File > Save of a page: a read-only page file is refused with the reason and keeps its
// bytes; a writable one is saved over; a page without a path asks for a name.
#include <gtest/gtest.h>

#include "framework/ui/AfxRes.h"
#include "model/DrawRect.h"
#include "tests/editor/EditorFixture.h"
#include "tests/media/TempFolder.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

namespace {

class SaveTest : public EditorTest {};

TEST_F(SaveTest, AReadOnlyPageIsNotWrittenAndTheAuthorIsToldWhy) {
  TempFolder folder;
  const CString path = folder.File(L"只读.rvx").c_str();
  {
    CDrawDoc page;
    ASSERT_TRUE(page.OnSaveDocument(path));
  }
  const std::vector<BYTE> before = folder.Read(L"只读.rvx");
  ASSERT_TRUE(::SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(app->OpenDocumentFile(path));
  AddObject(CRect(-20, 20, 20, -20), "new");
  Doc()->SetModifiedFlag(TRUE);

  ModalCapture dialogs([](ModalCall&) -> INT_PTR {
    ADD_FAILURE() << "no dialog may ask for another name";
    return IDCANCEL;
  });
  {
    MessageBoxCapture boxes;
    Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_STREQ("文件为只读属性，不能保存!\n请修改文件属性之后再保存。", boxes.boxes()[0].text);
  }
  EXPECT_EQ(before, folder.Read(L"只读.rvx"));
  EXPECT_TRUE(Doc()->IsModified());

  // Writable again: the same command saves over it, without a word.
  ASSERT_TRUE(::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL));
  MessageBoxCapture boxes;
  Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_NE(before, folder.Read(L"只读.rvx"));
  EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(SaveTest, APageWithoutAPathAsksForAName) {
  TempFolder folder;
  const CString path = folder.File(L"new.rvx").c_str();
  NewPage();
  AddObject(CRect(-20, 20, 20, -20), "new");
  ModalCapture dialogs([&](ModalCall& call) -> INT_PTR {
    if (call.kind != ModalCall::fileDialog) return IDCANCEL;
    call.path = path;
    return IDOK;
  });
  Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  ASSERT_EQ(1u, dialogs.calls().size());
  EXPECT_STREQ(path, Doc()->GetPathName());
  EXPECT_FALSE(folder.Read(L"new.rvx").empty());
}

}  // namespace
