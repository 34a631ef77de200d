// The page view's clipboard and drops: copy and paste of objects with their media, data
// from other programs (foreign, hostile), and the drag data of components and objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "editor/ComponentSource.h"
#include "framework/core/FrameworkStrings.h"
#include "framework/ui/CmdUI.h"
#include "framework/core/SharedFile.h"
#include "framework/ui/OleDataObject.h"
#include "framework/ui/OleDataSource.h"
#include "model/DrawCompObj.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/PageClipFormats.h"
#include "model/Value.h"
#include "resources/KordelIds.h"
#include "resources/ModelStrings.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ProgramProcess.h"

// A variable value that counts its live instances: objects read from the clipboard that
// nobody owns any more would keep theirs alive.
class CCountedValue : public CValue {
  DECLARE_SERIAL(CCountedValue)
 public:
  CCountedValue() { ++s_live; }
  ~CCountedValue() override { --s_live; }
  static int s_live;
};
int CCountedValue::s_live = 0;
IMPLEMENT_SERIAL(CCountedValue, CValue, 1)

namespace {

HGLOBAL BlockOf(const Bytes& bytes) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
  if (void* to = ::GlobalLock(block)) {
    if (!bytes.empty()) memcpy(to, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
  }
  return block;
}

void PutOnClipboard(CLIPFORMAT format, const Bytes& bytes) {
  auto* source = new COleDataSource;
  source->CacheGlobalData(format, BlockOf(bytes));
  source->SetClipboard();
}

Bytes RecordOf(CDrawObj* object) {
  return StoreToBytes([&](CArchive& ar) { ar.WriteObject(object); });
}

// The record with the name and the layer (the place in the page) left out.
Bytes RecordWithoutNameAndLayer(CDrawObj* object) {
  const CString kept = object->m_name;
  const int layer = object->m_layer;
  object->m_name = "x";
  object->m_layer = 0;
  Bytes bytes = RecordOf(object);
  object->m_name = kept;
  object->m_layer = layer;
  return bytes;
}

std::vector<CDrawObj*> Objects(const CObList& list) {
  std::vector<CDrawObj*> out;
  for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
  return out;
}

CString Named(UINT kindWord, int counter) {
  CString word, name;
  word.LoadString(kindWord);
  name.Format("%s%d", word.GetString(), counter);
  return name;
}

}  // namespace

class ClipboardTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    NewPage();
  }
  void Command(UINT id) { View()->SendMessage(WM_COMMAND, id); }
  template <class T>
  T* Add(T* object) {
    object->m_baseRect = object->m_position;
    Doc()->Add(object);
    return object;
  }
};

TEST_F(ClipboardTest, CopiedObjectsPasteTwiceWithNewNamesByKindOnTheirPlaces) {
  CDrawDoc* doc = Doc();
  doc->m_nameCounters[9] = 4;  // rectangles
  auto* rect = Add(new CDrawRect(CRect(-200, 100, -100, 0)));
  rect->m_name = "矩形3";
  auto* poly = Add(new CDrawPoly(CRect(0, 50, 80, -30)));
  for (CPoint p : {CPoint(0, 0), CPoint(80, 50), CPoint(40, -30)}) poly->AddPoint(p, nullptr);
  poly->m_name = "多边形0";
  auto* text = Add(new CDrawText(CRect(100, 100, 220, 60)));
  text->m_name = "文本0";
  text->m_displayText = "甲乙";
  const std::vector<CDrawObj*> sources = {rect, poly, text};
  for (CDrawObj* o : sources) View()->Select(o, TRUE);

  Command(ID_EDIT_COPY);
  doc->SetModifiedFlag(FALSE);
  Command(ID_EDIT_PASTE);
  Command(ID_EDIT_PASTE);

  const std::vector<CDrawObj*> page = Objects(doc->m_objects);
  ASSERT_EQ(9u, page.size());
  const std::vector<CString> names = {Named(IDS_KIND_RECTANGLE, 4), Named(IDS_KIND_POLYGON, 0), Named(IDS_KIND_TEXT, 0),
                                      Named(IDS_KIND_RECTANGLE, 5), Named(IDS_KIND_POLYGON, 1), Named(IDS_KIND_TEXT, 1)};
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    CDrawObj* pasted = page[3 + i];
    CDrawObj* source = sources[i % 3];
    EXPECT_EQ(names[i], pasted->m_name);
    EXPECT_EQ(source->m_position, pasted->m_position);
    EXPECT_EQ(RecordWithoutNameAndLayer(source), RecordWithoutNameAndLayer(pasted));
  }
  EXPECT_EQ(6, doc->m_nameCounters[9]);
  // The second paste's objects are the selection; the sources are unchanged.
  EXPECT_EQ(std::vector<CDrawObj*>(page.begin() + 6, page.end()), Objects(View()->m_selection));
  EXPECT_EQ(CRect(-200, 100, -100, 0), rect->m_position);
  EXPECT_STREQ("矩形3", rect->m_name);
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(ClipboardTest, AnEmbeddedPictureFillPastesWithItsPixels) {
  const CString path = WriteTestPicture("粘贴填充.bmp", 8, 8, [](int x, int) {
    return x < 4 ? RGB(250, 0, 0) : RGB(0, 0, 250);
  });
  Doc()->m_embedMode = 2;
  auto* rect = Add(new CDrawRect(CRect(0, 80, 80, 0)));
  rect->m_pictureFill = 1;
  rect->m_pictureFile = path;
  ASSERT_TRUE(rect->LoadPicture(path));
  View()->Select(rect);
  Command(ID_EDIT_COPY);
  // The file goes: only the clipboard's bytes can give the picture back.
  CFile::Remove(path);
  Command(ID_EDIT_PASTE);

  ASSERT_EQ(2, Doc()->m_objects.GetCount());
  auto* pasted = static_cast<CDrawObj*>(Doc()->m_objects.GetTail());
  ASSERT_NE(nullptr, pasted->m_picture);
  Gdiplus::Bitmap* bitmap = pasted->m_picture->GetBitmap();
  ASSERT_NE(nullptr, bitmap);
  Gdiplus::Color left, right;
  bitmap->GetPixel(1, 4, &left);
  bitmap->GetPixel(6, 4, &right);
  EXPECT_GT(left.GetR(), 200);
  EXPECT_GT(right.GetB(), 200);
}

TEST_F(ClipboardTest, ForeignDataAddsNothingButMarksThePage) {
  PutOnClipboard(CF_TEXT, Bytes{'a', 'b', 0});
  Doc()->SetModifiedFlag(FALSE);
  EXPECT_EQ(FALSE, [&] {
    CTestCmdUI paste(ID_EDIT_PASTE);
    View()->OnCmdMsg(ID_EDIT_PASTE, CN_UPDATE_COMMAND_UI, &paste, nullptr);
    return paste.m_bEnabled;
  }());
  View()->OnEditPaste();  // as the command would, were it offered
  EXPECT_EQ(0, Doc()->m_objects.GetCount());
  EXPECT_TRUE(View()->m_selection.IsEmpty());
  EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(ClipboardTest, HostileKordelDataIsOneReportAnEmptySelectionAndNothingLeft) {
  // Two rectangles, each holding a counted variable.
  CObList written;
  for (int i = 0; i < 2; ++i) {
    auto* rect = new CDrawRect(CRect(0, 10, 10, 0));
    rect->m_variables->SetAt(i ? "b" : "a", new CCountedValue);
    written.AddTail(rect);
  }
  const Bytes valid = StoreToBytes([&](CArchive& ar) {
    ar.WriteCount(2);
    for (POSITION pos = written.GetHeadPosition(); pos;) ar.WriteObject(written.GetNext(pos));
  });
  const Bytes first = StoreToBytes([&](CArchive& ar) {
    ar.WriteCount(2);
    ar.WriteObject(written.GetHead());
  });
  while (!written.IsEmpty()) delete static_cast<CDrawObj*>(written.RemoveHead());
  ASSERT_EQ(0, CCountedValue::s_live);

  Bytes truncated(valid.begin(), valid.end() - 30);
  Bytes unknown = valid;
  const std::string cls = "CDrawRect";
  auto at = std::search(unknown.begin(), unknown.end(), cls.begin(), cls.end());
  ASSERT_NE(unknown.end(), at);
  at[5] = 'X';  // "CDrawXect": no such class
  Bytes backReference = first;
  AppendWord(backReference, 2);  // the first object again
  Bytes random(300);
  std::mt19937 generator(26);
  for (BYTE& b : random) b = static_cast<BYTE>(generator());
  random[0] = 3;
  random[1] = 0;
  const struct {
    const char* name;
    Bytes bytes;
  } kCases[] = {{"truncated", truncated}, {"unknown class", unknown}, {"back reference", backReference},
                {"random", random}};

  AddObject(CRect(-10, 10, 10, -10), "kept");
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    PutOnClipboard(GetPageClipFormats().kordel, c.bytes);
    MessageBoxCapture boxes;
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(1u, boxes.boxes().size());
    EXPECT_TRUE(View()->m_selection.IsEmpty());
    EXPECT_EQ(1, Doc()->m_objects.GetCount());
    EXPECT_EQ(0, CCountedValue::s_live);
  }
}

TEST_F(ClipboardTest, AClipboardHeldByAnotherProgramIsReportedAndDisablesPaste) {
  auto* rect = Add(new CDrawRect(CRect(0, 10, 10, 0)));
  View()->Select(rect);
  Command(ID_EDIT_COPY);  // something to paste while the clipboard is free

  // Another process holds the clipboard open until it is told to let go.
  CString heldName, releaseName;
  heldName.Format("KordelTestsClipboardHeld%lu", ::GetCurrentProcessId());
  releaseName.Format("KordelTestsClipboardRelease%lu", ::GetCurrentProcessId());
  HANDLE held = ::CreateEventA(nullptr, TRUE, FALSE, heldName);
  HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, releaseName);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  char command[1024];
  snprintf(command, sizeof command, "\"%s\" --hold-clipboard %s %s", programtest::BuiltProgramPath(EDITOR_TESTS_EXE).GetString(),
           heldName.GetString(), releaseName.GetString());
  ASSERT_TRUE(::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(held, 20000));

  CTestCmdUI paste(ID_EDIT_PASTE);
  View()->OnCmdMsg(ID_EDIT_PASTE, CN_UPDATE_COMMAND_UI, &paste, nullptr);
  EXPECT_FALSE(paste.m_bEnabled);
  {
    MessageBoxCapture boxes;
    const DWORD before = ::GetTickCount();
    Command(ID_EDIT_COPY);
    EXPECT_LT(::GetTickCount() - before, 5000u);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(FrameworkText(AFX_IDS_CLIPBOARD_BUSY), boxes.boxes()[0].text);
  }
  ::SetEvent(release);
  ::WaitForSingleObject(process.hProcess, 20000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(held);
  ::CloseHandle(release);
}

// ---------------------------------------------------------------------------------
// Drops

namespace {

// The component window's list, as a test holds it.
class StandInComponents : public CComponentSource {
 public:
  StandInComponents() { m_previous = Set(this); }
  ~StandInComponents() override {
    Set(m_previous);
    for (CDrawObj* o : objects) delete o;
  }
  int GetComponentCount() const override { return static_cast<int>(objects.size()); }
  CDrawObj* GetComponent(int index) const override { return objects[static_cast<size_t>(index)]; }
  std::vector<CDrawObj*> objects;

 private:
  CComponentSource* m_previous;
};

// A data object holding the blocks given, by format.
struct DragData {
  explicit DragData(const std::vector<std::pair<CLIPFORMAT, Bytes>>& blocks) {
    auto* source = new COleDataSource;
    for (const auto& b : blocks) source->CacheGlobalData(b.first, BlockOf(b.second));
    data.Attach(source->GetInterface(), TRUE);  // the maker's reference goes with it
  }
  COleDataObject data;
};

Bytes Block(size_t size, size_t offset, std::vector<INT32> values) {
  Bytes b(size);
  for (size_t i = 0; i < values.size() && offset + 4 * i + 4 <= size; ++i) memcpy(&b[offset + 4 * i], &values[i], 4);
  return b;
}

}  // namespace

TEST_F(ClipboardTest, DragDataIsReadOnlyWhereItsBlockHoldsIt) {
  StandInComponents components;
  components.objects = {new CDrawRect(CRect(0, 10, 10, 0)), new CDrawRect(CRect(0, 10, 10, 0))};
  const CLIPFORMAT kordelObject = GetPageClipFormats().objectKordel, draw = GetPageClipFormats().objectDraw;
  const struct {
    const char* name;
    std::vector<std::pair<CLIPFORMAT, Bytes>> blocks;
    int info;
    CPoint point;
    int index;
  } kRows[] = {
      {"none", {}, 0, CPoint(0, 0), 99},
      {"object 40", {{kordelObject, Block(40, 32, {7, -8})}}, 1, CPoint(7, -8), 99},
      {"object 16", {{kordelObject, Block(16, 8, {7, -8})}}, 0, CPoint(0, 0), 99},
      {"component 52", {{draw, Block(52, 48, {1})}}, 2, CPoint(55, 55), 1},
      {"component 8", {{draw, Block(8, 4, {1})}}, 0, CPoint(0, 0), 99},
      {"component -5", {{draw, Block(52, 48, {-5})}}, 2, CPoint(55, 55), -5},
      {"component = count", {{draw, Block(52, 48, {2})}}, 2, CPoint(55, 55), 2},
      {"both", {{draw, Block(52, 48, {1})}, {kordelObject, Block(40, 32, {3, 4})}}, 1, CPoint(3, 4), 99},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    DragData drag(row.blocks);
    CPoint point(55, 55);
    int index = 99;
    EXPECT_EQ(row.info, View()->GetDragInfo(&drag.data, &point, &index));
    EXPECT_EQ(row.point, point);
    EXPECT_EQ(row.index, index);
    EXPECT_EQ(row.info ? DROPEFFECT_COPY : DROPEFFECT_NONE, View()->OnDragEnter(&drag.data, 0, CPoint(5, 5)));
    EXPECT_EQ(View()->OnDragEnter(&drag.data, 0, CPoint(5, 5)), View()->OnDragOver(&drag.data, 0, CPoint(6, 6)));
    // The components at hand are plain shapes, and the other rows name none: nothing lands.
    EXPECT_TRUE(View()->OnDrop(&drag.data, DROPEFFECT_COPY, CPoint(5, 5)));
    EXPECT_EQ(0, Doc()->m_objects.GetCount());
  }
}

TEST_F(ClipboardTest, ACompositeComponentLandsCentredOnTheDropPoint) {
  StandInComponents components;
  auto* composite = new CDrawCompObj;
  for (CRect r : {CRect(10, 60, 50, 20), CRect(60, 60, 110, 20)}) {
    auto* member = new CDrawRect(r);
    member->m_name = "成员";
    composite->m_members.AddTail(member);
    composite->m_memberRects.Add(r);
  }
  composite->m_position = composite->m_baseRect = CRect(10, 60, 110, 20);
  composite->m_name = "库里的";
  components.objects = {new CDrawRect(CRect(0, 10, 10, 0)), composite};
  Doc()->m_nameCounters[16] = 2;

  CRect origin(0, 0, 0, 0);
  View()->LPtoDPRect(origin);
  DragData drag({{GetPageClipFormats().objectDraw, Block(52, 48, {1})}});
  EXPECT_TRUE(View()->OnDrop(&drag.data, DROPEFFECT_COPY, origin.TopLeft()));

  ASSERT_EQ(1, Doc()->m_objects.GetCount());
  auto* landed = dynamic_cast<CDrawCompObj*>(static_cast<CObject*>(Doc()->m_objects.GetHead()));
  ASSERT_NE(nullptr, landed);
  EXPECT_NE(composite, landed);
  EXPECT_EQ(Named(IDS_KIND_COMPOSITE, 2), landed->m_name);
  EXPECT_EQ(3, Doc()->m_nameCounters[16]);
  EXPECT_EQ(CRect(-50, 20, 50, -20), landed->m_position);
  EXPECT_EQ(landed, View()->GetLastSelected());
  EXPECT_EQ(CRect(10, 60, 110, 20), composite->m_position);  // the library's own stays
}
