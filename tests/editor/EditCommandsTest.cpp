// The editing commands of the page view on a real view: their enable rules, delete with
// undo and redo, arranging, compose and decompose, trajectories, text formatting, the
// format bar's character format, unlocking and help.
#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "framework/ui/CmdUI.h"
#include "graphics/Picture.h"
#include "model/DrawCompObj.h"
#include "model/DrawJoinObj.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "resources/KordelIds.h"
#include "resources/ModelStrings.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/ModalCapture.h"
#include "tests/support/Printers.h"

namespace {

std::vector<CDrawObj*> Objects(const CObList& list) {
  std::vector<CDrawObj*> out;
  for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
  return out;
}

CPoint Centre(const CDrawObj* o) {
  const CRect& r = o->m_position;
  return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

}  // namespace

class EditCommandsTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    NewPage();
  }
  void Command(UINT id) { View()->SendMessage(WM_COMMAND, id); }
  CTestCmdUI Update(UINT id) {
    CTestCmdUI ui(id);
    ui.m_bEnabled = 2;  // neither: the handler must say
    View()->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    return ui;
  }
  template <class T>
  T* Add(T* object, const char* name = "") {
    object->m_baseRect = object->m_position;
    object->m_name = name;
    Doc()->Add(object);
    return object;
  }
  CDrawRect* Rect(const CRect& r, const char* name = "") { return Add(new CDrawRect(r), name); }
  void SelectOnly(std::initializer_list<CDrawObj*> objects) {
    View()->Select(nullptr, FALSE);
    for (CDrawObj* o : objects) View()->Select(o, TRUE);
  }
};

TEST_F(EditCommandsTest, CommandsAreEnabledByTheSelection) {
  CDrawRect* a = Rect(CRect(-300, 200, -200, 100));
  CDrawRect* b = Rect(CRect(-100, 200, 0, 100));
  CDrawRect* c = Rect(CRect(100, 200, 200, 100));
  auto* composite = Add(new CDrawCompObj);
  composite->m_position = CRect(0, -100, 50, -150);
  auto* glued = Add(new CDrawJoinObj);
  glued->m_position = CRect(100, -100, 150, -150);
  auto* text = Add(new CDrawText(CRect(-300, -100, -200, -150)));
  auto* poly = Add(new CDrawPoly(CRect(-100, -100, -50, -150)));
  auto* point = Add(new CDrawPoint(CRect(200, 0, 204, -4)));
  CDrawRect* pictured = Rect(CRect(250, 0, 300, -50));
  pictured->m_picture = new CPicture(new Gdiplus::Bitmap(4, 3, PixelFormat24bppRGB));

  const UINT kIds[] = {ID_EDIT_CLEAR,  ID_OBJECT_COMPOSE, ID_OBJECT_DECOMPOSE,   ID_OBJECT_UNGLUE, ID_ALIGN_LEFT,
                       ID_CENTRE_VERTICALLY, ID_SPACE_HORIZONTALLY, ID_SAME_WIDTH, ID_MATCH_PICTURE_SIZE,
                       ID_TEXT_BOLD,   ID_TEXT_ALIGN_LEFT, ID_TOGGLE_TRAJECTORY, ID_ROTATE_LEFT};
  const struct {
    const char* name;
    std::vector<CDrawObj*> selection;
    const char* enabled;  // one digit per id above
  } kRows[] = {
      {"none", {}, "0000000000000"},
      {"a rectangle", {a}, "1000010000011"},
      {"two rectangles", {a, b}, "1100110100000"},
      {"three rectangles", {a, b, c}, "1100111100000"},
      {"a composite", {composite}, "1010010000010"},
      {"a glued object", {glued}, "1001010000010"},
      {"a rectangle and a glued object", {a, glued}, "1000110000000"},
      {"a text", {text}, "1000010001110"},
      {"a polygon and a rectangle", {poly, a}, "1100110000000"},
      {"a point and a rectangle", {point, a}, "1100110000000"},
      {"a rectangle with a picture", {pictured}, "1000010010011"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    View()->Select(nullptr, FALSE);
    for (CDrawObj* o : row.selection) View()->Select(o, TRUE);
    std::string got;
    for (UINT id : kIds) got += Update(id).m_bEnabled == TRUE ? '1' : '0';
    EXPECT_EQ(row.enabled, got);
  }
  // Always there: grid and axes (checked while shown), adjust, unlock, help, page settings.
  View()->Select(nullptr, FALSE);
  for (UINT id : {ID_VIEW_GRID, ID_VIEW_AXES, ID_ADJUST_SHAPE, ID_UNLOCK_ALL, ID_HELP_CONTENTS, ID_PAGE_SETTINGS}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(TRUE, Update(id).m_bEnabled);
  }
  EXPECT_EQ(0, Update(ID_VIEW_GRID).m_nCheck);
  Command(ID_VIEW_GRID);
  EXPECT_EQ(1, Update(ID_VIEW_GRID).m_nCheck);
  EXPECT_EQ(0, Update(ID_VIEW_AXES).m_nCheck);
  EXPECT_EQ(TRUE, Update(ID_EDIT_SELECT_ALL).m_bEnabled);
}

TEST_F(EditCommandsTest, DeleteUndoAndRedoKeepTheObjectAtItsPlaceInTheList) {
  CDrawRect* a = Rect(CRect(-300, 200, -200, 100), "a");
  CDrawRect* b = Rect(CRect(-100, 200, 0, 100), "b");
  CDrawRect* c = Rect(CRect(100, 200, 200, 100), "c");
  auto enabled = [&](UINT id) { return Update(id).m_bEnabled == TRUE; };
  EXPECT_FALSE(enabled(ID_EDIT_UNDO));
  EXPECT_FALSE(enabled(ID_EDIT_REDO));

  SelectOnly({b});
  Doc()->SetModifiedFlag(FALSE);
  Command(ID_EDIT_CLEAR);
  EXPECT_TRUE(b->IsSuspended());
  EXPECT_TRUE(View()->m_selection.IsEmpty());
  EXPECT_EQ((std::vector<CDrawObj*>{a, b, c}), Objects(Doc()->m_objects));
  EXPECT_TRUE(Doc()->IsModified());
  EXPECT_TRUE(enabled(ID_EDIT_UNDO));
  EXPECT_FALSE(enabled(ID_EDIT_REDO));

  // Select all passes over the deleted object.
  Command(ID_EDIT_SELECT_ALL);
  EXPECT_EQ((std::vector<CDrawObj*>{a, c}), Objects(View()->m_selection));

  Command(ID_EDIT_UNDO);
  EXPECT_FALSE(b->IsSuspended());
  EXPECT_EQ((std::vector<CDrawObj*>{a, b, c}), Objects(Doc()->m_objects));
  EXPECT_FALSE(enabled(ID_EDIT_UNDO));
  EXPECT_TRUE(enabled(ID_EDIT_REDO));
  Command(ID_EDIT_UNDO);  // nothing left to undo: the entry went to the redo stack
  EXPECT_FALSE(b->IsSuspended());

  SelectOnly({b});
  Command(ID_EDIT_REDO);
  EXPECT_TRUE(b->IsSuspended());
  EXPECT_FALSE(View()->IsSelected(b));
  EXPECT_TRUE(enabled(ID_EDIT_UNDO));
  EXPECT_FALSE(enabled(ID_EDIT_REDO));
}

TEST_F(EditCommandsTest, AlignmentLinesUpOnTheLastSelectedObject) {
  const CRect kFirst(-300, 200, -250, 150), kSecond(-100, 40, 0, -60), kReference(100, 300, 300, 100);
  const struct {
    UINT id;
    CRect first, second;
  } kRows[] = {
      {ID_ALIGN_LEFT, CRect(100, 200, 150, 150), CRect(100, 40, 200, -60)},
      {ID_ALIGN_RIGHT, CRect(250, 200, 300, 150), CRect(200, 40, 300, -60)},
      {ID_ALIGN_TOP, CRect(-300, 300, -250, 250), CRect(-100, 300, 0, 200)},
      {ID_ALIGN_BOTTOM, CRect(-300, 150, -250, 100), CRect(-100, 200, 0, 100)},
      {ID_ALIGN_CENTRE, CRect(175, 225, 225, 175), CRect(150, 250, 250, 150)},
      {ID_CENTRE_VERTICALLY, CRect(-300, 25, -250, -25), CRect(-100, 50, 0, -50)},
      {ID_CENTRE_HORIZONTALLY, CRect(-25, 200, 25, 150), CRect(-50, 40, 50, -60)},
  };
  CDrawRect* first = Rect(kFirst);
  CDrawRect* second = Rect(kSecond);
  CDrawRect* reference = Rect(kReference);
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.id);
    first->SetRect(kFirst, View());
    second->SetRect(kSecond, View());
    reference->SetRect(kReference, View());
    SelectOnly({first, second, reference});
    Command(row.id);
    EXPECT_EQ(row.first, first->m_position);
    EXPECT_EQ(row.second, second->m_position);
    if (row.id != ID_CENTRE_VERTICALLY && row.id != ID_CENTRE_HORIZONTALLY) {
      EXPECT_EQ(kReference, reference->m_position);
    }
  }
}

TEST_F(EditCommandsTest, EqualSpacingSpreadsTheCentresEvenly) {
  // Centres 100, 0 and 10, in selection order; equal centres keep the sort's order.
  CDrawRect* distant = Rect(CRect(90, 10, 110, -10));
  CDrawRect* zero = Rect(CRect(-10, 10, 10, -10));
  CDrawRect* ten = Rect(CRect(0, 10, 20, -10));
  SelectOnly({distant, zero, ten});
  Command(ID_SPACE_HORIZONTALLY);
  EXPECT_EQ(CPoint(0, 0), Centre(zero));
  EXPECT_EQ(CPoint(50, 0), Centre(ten));
  EXPECT_EQ(CPoint(100, 0), Centre(distant));

  // Vertically from the top down: centres 0, 10 and 100 become 100, 50 and 0 by height.
  zero->SetRect(CRect(0, 10, 20, -10), View());
  ten->SetRect(CRect(0, 20, 20, 0), View());
  distant->SetRect(CRect(0, 110, 20, 90), View());
  SelectOnly({zero, ten, distant});
  Command(ID_SPACE_VERTICALLY);
  EXPECT_EQ(CPoint(10, 100), Centre(distant));
  EXPECT_EQ(CPoint(10, 50), Centre(ten));
  EXPECT_EQ(CPoint(10, 0), Centre(zero));
}

TEST_F(EditCommandsTest, EqualSizesTakeTheLastObjectsWidthAndHeight) {
  const struct {
    UINT id;
    CRect expected;
  } kRows[] = {
      {ID_SAME_WIDTH, CRect(-300, 200, -100, 150)},
      {ID_SAME_HEIGHT, CRect(-300, 200, -250, 120)},
      {ID_SAME_SIZE, CRect(-300, 200, -100, 120)},
  };
  CDrawRect* other = Rect(CRect(-300, 200, -250, 150));
  CDrawRect* reference = Rect(CRect(0, 0, 200, -80));
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.id);
    other->SetRect(CRect(-300, 200, -250, 150), View());
    SelectOnly({other, reference});
    Command(row.id);
    const CRect& got = other->m_position;
    EXPECT_EQ(row.expected, got) << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    EXPECT_EQ(CRect(0, 0, 200, -80), reference->m_position);
  }
}

TEST_F(EditCommandsTest, ComposeDecomposeAndUnglue) {
  CDrawRect* a = Rect(CRect(-300, 200, -200, 100), "a");
  CDrawRect* b = Rect(CRect(-100, 200, 0, 100), "b");
  Doc()->m_nameCounters[16] = 1;
  SelectOnly({a, b});
  Command(ID_OBJECT_COMPOSE);
  ASSERT_EQ(1, Doc()->m_objects.GetCount());
  auto* composite = dynamic_cast<CDrawCompObj*>(View()->GetLastSelected());
  ASSERT_NE(nullptr, composite);
  EXPECT_EQ(1, View()->m_selection.GetCount());
  CString word, name;
  word.LoadString(IDS_KIND_COMPOSITE);
  name.Format("%s1", word.GetString());
  EXPECT_EQ(name, composite->m_name);
  EXPECT_EQ((std::vector<CDrawObj*>{a, b}), composite->Members());

  Command(ID_OBJECT_DECOMPOSE);
  EXPECT_TRUE(View()->m_selection.IsEmpty());
  EXPECT_EQ((std::vector<CDrawObj*>{a, b}), Objects(Doc()->m_objects));

  // A glued object of the two at one point comes apart the same way.
  auto* glued = new CDrawJoinObj;
  GlueGroup point;
  point.objects = {a, b};
  point.handles = {5, 1};
  SelectOnly({a, b});
  ASSERT_EQ(1, glued->Glue(View(), point));
  Doc()->Add(glued);
  SelectOnly({glued});
  Command(ID_OBJECT_UNGLUE);
  EXPECT_TRUE(View()->m_selection.IsEmpty());
  EXPECT_EQ((std::vector<CDrawObj*>{a, b}), Objects(Doc()->m_objects));
}

TEST_F(EditCommandsTest, TrajectoryToggleMarksTheCommand) {
  auto* line = Add(new CDrawLine(CRect(0, 0, 100, 100)));
  SelectOnly({line});
  Doc()->SetModifiedFlag(FALSE);
  Command(ID_TOGGLE_TRAJECTORY);
  EXPECT_EQ(1, line->m_trajectory);
  EXPECT_EQ(1, Update(ID_TOGGLE_TRAJECTORY).m_nCheck);
  EXPECT_TRUE(Doc()->IsModified());
  Command(ID_TOGGLE_TRAJECTORY);
  EXPECT_EQ(0, line->m_trajectory);
  EXPECT_EQ(0, Update(ID_TOGGLE_TRAJECTORY).m_nCheck);
  // A point is no trajectory: nothing changes.
  auto* point = Add(new CDrawPoint(CRect(0, 0, 4, -4)));
  SelectOnly({point});
  Command(ID_TOGGLE_TRAJECTORY);
  EXPECT_EQ(0, point->m_trajectory);
}

TEST_F(EditCommandsTest, TextFormattingActsOnTheLastSelectedText) {
  auto* text = Add(new CDrawText(CRect(0, 50, 200, 0)));
  text->m_logFont.lfWeight = FW_NORMAL;
  SelectOnly({text});
  Command(ID_TEXT_BOLD);
  EXPECT_EQ(FW_BOLD, text->m_logFont.lfWeight);
  EXPECT_EQ(1, Update(ID_TEXT_BOLD).m_nCheck);
  Command(ID_TEXT_BOLD);
  EXPECT_EQ(FW_NORMAL, text->m_logFont.lfWeight);  // not thinner than before
  EXPECT_EQ(0, Update(ID_TEXT_BOLD).m_nCheck);
  for (UINT id : {ID_TEXT_ITALIC, ID_TEXT_UNDERLINE}) {
    Command(id);
    EXPECT_EQ(1, Update(id).m_nCheck);
  }
  EXPECT_TRUE(text->m_logFont.lfItalic);
  EXPECT_TRUE(text->m_logFont.lfUnderline);
  Command(ID_TEXT_ITALIC);
  EXPECT_FALSE(text->m_logFont.lfItalic);
  const struct {
    UINT id;
    int alignment;
  } kAlign[] = {{ID_TEXT_ALIGN_RIGHT, 2}, {ID_TEXT_ALIGN_CENTRE, 1}, {ID_TEXT_ALIGN_LEFT, 0}};
  for (const auto& a : kAlign) {
    Command(a.id);
    EXPECT_EQ(a.alignment, text->m_alignment);
  }
}

TEST_F(EditCommandsTest, TheFormatBarReadsAndSetsTheCharacterFormat) {
  auto* text = Add(new CDrawText(CRect(0, 50, 200, 0)));
  text->m_logFont.lfHeight = 24;
  text->m_logFont.lfCharSet = GB2312_CHARSET;
  strcpy(text->m_logFont.lfFaceName, "宋体");
  SelectOnly({text});
  struct {
    NMHDR header;
    CHARFORMATA format;
  } message = {};
  message.header.idFrom = ID_VIEW_FORMAT_BAR;
  message.header.code = 0x1001;
  message.format.cbSize = sizeof message.format;
  LRESULT result = Frame()->SendMessage(WM_NOTIFY, ID_VIEW_FORMAT_BAR, reinterpret_cast<LPARAM>(&message));
  EXPECT_EQ(1, result);
  EXPECT_EQ(static_cast<DWORD>(CFM_SIZE | CFM_FACE | CFM_CHARSET), message.format.dwMask);
  EXPECT_EQ(240, message.format.yHeight);
  EXPECT_EQ(GB2312_CHARSET, message.format.bCharSet);
  EXPECT_STREQ("宋体", message.format.szFaceName);

  message.header.code = 0x1000;
  message.format.dwMask = CFM_SIZE | CFM_FACE;
  message.format.yHeight = 365;
  memset(message.format.szFaceName, 'W', sizeof message.format.szFaceName);  // no end within the field
  result = Frame()->SendMessage(WM_NOTIFY, ID_VIEW_FORMAT_BAR, reinterpret_cast<LPARAM>(&message));
  EXPECT_EQ(1, result);
  EXPECT_EQ(36, text->m_logFont.lfHeight);
  EXPECT_EQ(GB2312_CHARSET, text->m_logFont.lfCharSet);  // not in the mask
  EXPECT_EQ(std::string(LF_FACESIZE - 1, 'W'), std::string(text->m_logFont.lfFaceName));
}

TEST_F(EditCommandsTest, UnlockAllAddsTheUnlockedObjectsToTheSelection) {
  CDrawRect* free = Rect(CRect(0, 10, 10, 0), "free");
  CDrawRect* locked1 = Rect(CRect(20, 10, 30, 0), "locked1");
  CDrawRect* locked2 = Rect(CRect(40, 10, 50, 0), "locked2");
  locked1->m_locked = locked2->m_locked = 1;
  SelectOnly({free});
  Command(ID_UNLOCK_ALL);
  EXPECT_EQ((std::vector<CDrawObj*>{free, locked1, locked2}), Objects(View()->m_selection));
  EXPECT_EQ(0, locked1->m_locked);
  EXPECT_EQ(0, locked2->m_locked);
}

TEST_F(EditCommandsTest, HelpShowsTheHelpFileOrFallsBackToTheContents) {
  ModalCapture modal([](ModalCall&) -> INT_PTR { return 0; });  // no help window comes
  Command(ID_HELP_CONTENTS);
  ASSERT_EQ(2u, modal.calls().size());
  EXPECT_EQ(ModalCall::htmlHelp, modal.calls()[0].kind);
  EXPECT_TRUE(modal.calls()[0].text.Right(11) == "\\ravelo.chm") << modal.calls()[0].text.GetString();
  EXPECT_EQ(ModalCall::winHelp, modal.calls()[1].kind);
  EXPECT_EQ(static_cast<UINT>(HELP_CONTENTS), modal.calls()[1].id);
}

TEST_F(EditCommandsTest, TheEditingKeysReachTheirCommands) {
  HACCEL table = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_NE(nullptr, table);
  std::vector<ACCEL> entries(static_cast<size_t>(::CopyAcceleratorTableA(table, nullptr, 0)));
  ::CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
  auto commandOf = [&](BYTE modifiers, WORD key) -> int {
    for (const ACCEL& a : entries)
      if (a.key == key && (a.fVirt & (FSHIFT | FCONTROL | FALT)) == modifiers) return a.cmd;
    return -1;
  };
  const struct {
    BYTE modifiers;
    WORD key;
    UINT command;
  } kKeys[] = {{0, VK_DELETE, ID_EDIT_CLEAR},         {FSHIFT, VK_DELETE, ID_EDIT_CUT},
               {FCONTROL, VK_INSERT, ID_EDIT_COPY},   {FSHIFT, VK_INSERT, ID_EDIT_PASTE},
               {FCONTROL, 'X', ID_EDIT_CUT},          {FCONTROL, 'C', ID_EDIT_COPY},
               {FCONTROL, 'V', ID_EDIT_PASTE},        {FCONTROL, 'Z', ID_EDIT_UNDO},
               {FCONTROL, 'A', ID_EDIT_SELECT_ALL}};
  for (const auto& k : kKeys) {
    SCOPED_TRACE(k.key);
    EXPECT_EQ(static_cast<int>(k.command), commandOf(k.modifiers, k.key));
  }
  // The Delete key itself deletes once: the view does not take it as a key of its own.
  CDrawRect* a = Rect(CRect(0, 10, 10, 0));
  Rect(CRect(20, 10, 30, 0));
  SelectOnly({a});
  View()->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_TRUE(Doc()->m_undo.IsUndoEmpty());
  Command(ID_EDIT_CLEAR);
  Doc()->UndoDelete();
  EXPECT_TRUE(Doc()->m_undo.IsUndoEmpty());
}
