// The property grid: its rows' entry modes and ids, the in-place editors and dialogs
// of each kind, the notices to the panel, scrolling and painting. The grid stands in a
// top-level window that records the notices as the property panel would receive them.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <utility>
#include <vector>

#include "framework/ui/ComboBox.h"
#include "framework/ui/DC.h"
#include "model/PropGridChildItem.h"
#include "propgrid/NotifyCombo.h"
#include "propgrid/PropGrid.h"
#include "propgrid/PropGridItem.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/ModalCapture.h"
#include "tests/support/TestHost.h"

namespace {

using Notice = std::pair<WPARAM, LPARAM>;

// Stands in for the property panel: records every row-changed notice.
class PanelStandIn : public CWnd {
 public:
  PanelStandIn() { MapMessage(kRowChangedMessage, &PanelStandIn::OnRowChanged); }
  LRESULT OnRowChanged(WPARAM wParam, LPARAM lParam) {
    notices.emplace_back(wParam, lParam);
    if (onNotice) onNotice(wParam, lParam);
    return 0;
  }
  std::vector<Notice> notices;
  std::function<void(WPARAM, LPARAM)> onNotice;
};

CString Text(HWND wnd) {
  char text[256] = {};
  ::GetWindowTextA(wnd, text, sizeof text);
  return text;
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

class PropGridTest : public testing::Test {
 protected:
  // A grid of the given client height (rows are 18 pixels from y = 6).
  void MakeGrid(int height = 200) {
    ASSERT_TRUE(panel.CreateEx(0, nullptr, "panel", WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, height + 20), nullptr, 0));
    ASSERT_TRUE(grid.CreateGrid(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, height), &panel, 1001));
    Pump();
  }
  void TearDown() override {
    grid.DestroyWindow();
    panel.DestroyWindow();
    Pump();
  }
  int Add(const char* name, int kind, const std::function<void(PropertyEntry&)>& fill = nullptr) {
    PropertyEntry entry;
    entry.name = name;
    entry.kind = kind;
    if (fill) fill(entry);
    return grid.AddItem(&entry);
  }
  void Paint() {
    grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  // A click in the row's value cell (or its button), after a paint has laid it out.
  void ClickValue(int id) {
    Paint();
    const CRect cell = grid.FindItem(id)->GetValueRect();
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 3, cell.top + 3));
  }
  void ClickButton(int id) {
    Paint();
    const CRect button = grid.FindItem(id)->GetButtonRect();
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.left + 3, button.top + 3));
  }
  HWND Editor() const { return ::GetDlgItem(grid.m_hWnd, kEditorId); }

  PanelStandIn panel;
  CPropGrid grid;
};

std::vector<CString> Strings(const CStringList& list) {
  std::vector<CString> out;
  for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back(list.GetNext(pos));
  return out;
}

}  // namespace

TEST(PropGridItem, EntryModesCopyTheRowAndMoveItsChoices) {
  struct Row {
    const char* what;
    bool set;  // SetEntry, else GetEntry
    int mode;
    std::vector<CString> rowChoices;
    std::vector<CString> entryChoices;
    CString text;  // the row's text after (GetEntry: also the entry's)
  };
  // The row starts with choices a, b, c and text "b"; the entry offers x, y.
  const Row rows[] = {
      {"set -2 replaces", true, -2, {"x", "y"}, {"x", "y"}, "t"},
      {"set -1 appends", true, -1, {"a", "b", "c", "x", "y"}, {"x", "y"}, "t"},
      {"set 1 removes choice 1", true, 1, {"a", "c"}, {"x", "y"}, "t"},
      {"set 7 does nothing more", true, 7, {"a", "b", "c"}, {"x", "y"}, "t"},
      {"get -3 empties the row's", false, -3, {}, {"x", "y"}, "b"},
      {"get -2 appends the row's", false, -2, {"a", "b", "c"}, {"x", "y", "a", "b", "c"}, "b"},
      {"get 0 removes choice 0", false, 0, {"b", "c"}, {"x", "y"}, "b"},
      {"get 1 removes the shown one", false, 1, {"a", "c"}, {"x", "y"}, "a"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CPropGridItem item;
    PropertyEntry start;
    start.name = "n";
    start.kind = kPropChoice;
    for (const char* c : {"a", "b", "c"}) start.choices.AddTail(c);
    start.text = "b";
    start.readOnly = TRUE;
    item.SetEntry(&start, -2);

    PropertyEntry entry;
    entry.kind = kPropText;
    entry.text = "t";
    entry.choices.AddTail("x");
    entry.choices.AddTail("y");
    if (row.set) {
      ASSERT_TRUE(item.SetEntry(&entry, row.mode));
      EXPECT_EQ(item.GetKind(), kPropText);
    } else {
      entry.readOnly = FALSE;
      ASSERT_TRUE(item.GetEntry(&entry, row.mode));
      EXPECT_EQ(entry.name, "n");
      EXPECT_EQ(entry.kind, kPropChoice);
      EXPECT_EQ(entry.text, row.text);
      EXPECT_FALSE(entry.readOnly);  // never copied out
    }
    PropertyEntry rowChoices;
    item.GetEntry(&rowChoices, -2);
    EXPECT_EQ(Strings(rowChoices.choices), row.rowChoices);
    EXPECT_EQ(Strings(entry.choices), row.entryChoices);
    EXPECT_EQ(item.GetText(), row.text);
  }
}

TEST(PropGridItem, RemovingTheLastChoiceLeavesAnEmptyText) {
  CPropGridItem item;
  PropertyEntry entry;
  entry.kind = kPropDropList;
  entry.choices.AddTail("only");
  entry.text = "only";
  item.SetEntry(&entry, -2);
  PropertyEntry out;
  item.GetEntry(&out, 0);
  EXPECT_EQ(out.text, "");
  EXPECT_EQ(item.GetChoiceCount(), 0);
}

TEST_F(PropGridTest, IdsCountUpAndRepeatAfterAMiddleRemoval) {
  MakeGrid();
  EXPECT_EQ(Add("a", kPropText), 1);
  EXPECT_EQ(Add("b", kPropText), 2);
  EXPECT_EQ(Add("c", kPropText), 3);
  EXPECT_TRUE(grid.RemoveItemsFrom(2));
  EXPECT_EQ(grid.GetItemCount(), 1);
  EXPECT_FALSE(grid.RemoveItemsFrom(2));
  EXPECT_EQ(Add("d", kPropText), 2);
  EXPECT_EQ(Add("e", kPropText), 3);
  // A middle row removed: the next row takes the id of the last one.
  EXPECT_TRUE(grid.RemoveItem(2));
  EXPECT_EQ(Add("f", kPropText), 3);
  CString text;
  EXPECT_TRUE(grid.GetText(3, &text));  // the first row with the id
  grid.RemoveAll();
  EXPECT_EQ(grid.GetItemCount(), 0);
  EXPECT_EQ(Add("g", kPropText), 1);
}

TEST_F(PropGridTest, UnknownRowsAnswerZeroAndLeaveTheDestination) {
  MakeGrid();
  Add("宽度", kPropNumber2, [](PropertyEntry& e) { e.number2 = 5; });
  int number = -77;
  EXPECT_FALSE(grid.GetNumber2(9, &number));
  EXPECT_FALSE(grid.GetNumber2("宽", &number));
  EXPECT_FALSE(grid.GetNumber2("宽度 ", &number));
  EXPECT_EQ(number, -77);
  CString text = "marker";
  EXPECT_FALSE(grid.GetText("x", &text));
  EXPECT_EQ(text, "marker");
  EXPECT_FALSE(grid.SetNumber2(9, 1));
  EXPECT_FALSE(grid.HasItem(9));
  EXPECT_EQ(grid.GetTag(9), 0);
  EXPECT_TRUE(grid.GetNumber2("宽度", &number));
  EXPECT_EQ(number, 5);
  // Only kind 7 answers its selected index.
  int index = -5;
  EXPECT_FALSE(grid.GetSelIndex(1, &index));
  EXPECT_EQ(index, -5);
}

TEST_F(PropGridTest, NumberEditorsStoreWhatTheRuntimeReads) {
  MakeGrid();
  const struct {
    int kind;
    const char* typed;
    long long stored;
  } rows[] = {
      {kPropNumber2, "12abc", 12}, {kPropNumber2, "abc", 0},   {kPropNumber, "-40", -40},
      {kPropNumber, "99999999999", INT_MAX}, {kPropNumber2, "-99999999999", INT_MIN},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    grid.RemoveAll();
    const int id = Add("n", row.kind, [](PropertyEntry& e) { e.number = e.number2 = 7; });
    ClickValue(id);
    ASSERT_TRUE(Editor());
    EXPECT_EQ(Text(Editor()), "7");
    ::SetWindowTextA(Editor(), row.typed);
    grid.EndEdit();
    EXPECT_FALSE(Editor());
    int value = 0;
    if (row.kind == kPropNumber2)
      grid.GetNumber2(id, &value);
    else
      grid.GetNumber(id, &value);
    EXPECT_EQ(value, row.stored);
  }
}

TEST_F(PropGridTest, RealEditorShowsSeventeenDigitsAndKeepsAValueThatIsNoNumber) {
  MakeGrid();
  const int id = Add("r", kPropReal, [](PropertyEntry& e) { e.real = 0.1; });
  ClickValue(id);
  ASSERT_TRUE(Editor());
  EXPECT_EQ(Text(Editor()), "0.10000000000000001");
  ::SetWindowTextA(Editor(), "2.5e1x");
  grid.EndEdit();
  double value = 0;
  grid.GetReal(id, &value);
  EXPECT_DOUBLE_EQ(value, 25.0);
  ClickValue(id);
  ::SetWindowTextA(Editor(), "1e999");
  grid.EndEdit();
  grid.GetReal(id, &value);
  EXPECT_DOUBLE_EQ(value, 25.0);
}

TEST_F(PropGridTest, ReadOnlyRowsOpenAReadOnlyEditBox) {
  MakeGrid();
  const int id = Add("p", kPropPoint, [](PropertyEntry& e) {
    e.text = "(1,2)";
    e.readOnly = TRUE;
  });
  ClickValue(id);
  ASSERT_TRUE(Editor());
  EXPECT_TRUE(::GetWindowLongPtrA(Editor(), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(Text(Editor()), "(1,2)");
}

TEST_F(PropGridTest, FlagClicksToggleAndPostANoticePerClick) {
  MakeGrid();
  const int id = Add("f", kPropFlag);
  CPropGridItem* item = grid.FindItem(id);
  EXPECT_EQ(item->ValueText(), "否");
  ClickValue(id);
  EXPECT_TRUE(panel.notices.empty());  // posted, not sent
  EXPECT_EQ(item->ValueText(), "是");
  ClickValue(id);
  EXPECT_EQ(item->ValueText(), "否");
  Pump();
  EXPECT_EQ(panel.notices, (std::vector<Notice>{{0, 0}, {0, 0}}));
}

TEST_F(PropGridTest, DropListOpensDroppedAndSelectsOnlyAMatchingChoice) {
  MakeGrid();
  const struct {
    const char* text;
    int selected;
  } rows[] = {{"none of them", CB_ERR}, {"b", 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    grid.RemoveAll();
    const int id = Add("d", kPropDropList, [&row](PropertyEntry& e) {
      for (const char* c : {"a", "b", "c"}) e.choices.AddTail(c);
      e.text = row.text;
    });
    ClickValue(id);
    ASSERT_TRUE(Editor());
    EXPECT_TRUE(::SendMessageA(Editor(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(::SendMessageA(Editor(), CB_GETCURSEL, 0, 0), row.selected);
    EXPECT_EQ(::SendMessageA(Editor(), CB_GETCOUNT, 0, 0), 3);
    grid.EndEdit();
  }
}

TEST_F(PropGridTest, DropDownSendsItsChangeAndSurvivesThePanelRemovingItsRow) {
  MakeGrid();
  Add("first", kPropText);
  const int id = Add("kind", kPropChoice, [](PropertyEntry& e) {
    for (const char* c : {"a", "b", "c"}) e.choices.AddTail(c);
    e.text = "a";
  });
  ClickValue(id);
  HWND combo = Editor();
  ASSERT_TRUE(combo);
  Pump();
  panel.notices.clear();
  // The panel answers the change by emptying the grid, as a refill does.
  panel.onNotice = [this](WPARAM wParam, LPARAM) {
    if (wParam != 0) grid.RemoveAll();
  };
  ::SendMessageA(combo, CB_SETCURSEL, 2, 0);
  grid.SendMessage(WM_COMMAND, MAKEWPARAM(kEditorId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(panel.notices, (std::vector<Notice>{{static_cast<WPARAM>(id), 2}}));
  EXPECT_EQ(grid.GetItemCount(), 0);
  EXPECT_FALSE(::IsWindowVisible(combo));
  Pump();
  EXPECT_FALSE(::IsWindow(combo));  // gone once its notification returned
}

TEST_F(PropGridTest, ChoiceClosedStoresTextAndSelection) {
  MakeGrid();
  const int id = Add("k", kPropChoice, [](PropertyEntry& e) {
    for (const char* c : {"a", "b", "c"}) e.choices.AddTail(c);
    e.text = "a";
  });
  ClickValue(id);
  ::SendMessageA(Editor(), CB_SETCURSEL, 1, 0);
  grid.EndEdit();
  CString text;
  int index = -1;
  grid.GetText(id, &text);
  grid.GetSelIndex(id, &index);
  EXPECT_EQ(text, "b");
  EXPECT_EQ(index, 1);
}

TEST_F(PropGridTest, DialogRowsStoreOnOkKeepOnCancelAndNotifyEither) {
  MakeGrid();
  struct Row {
    int kind;
    INT_PTR answer;
    ModalCall::Kind expected;
  };
  const Row rows[] = {{kPropColour, IDOK, ModalCall::colourDialog},
                      {kPropColour, IDCANCEL, ModalCall::colourDialog},
                      {kPropFont, IDOK, ModalCall::fontDialog},
                      {kPropFont, IDCANCEL, ModalCall::fontDialog},
                      {kPropFile, IDOK, ModalCall::fileDialog},
                      {kPropFile, IDCANCEL, ModalCall::fileDialog}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.kind << " " << row.answer);
    grid.RemoveAll();
    panel.notices.clear();
    const int id = Add("v", row.kind, [](PropertyEntry& e) {
      e.colour = RGB(1, 2, 3);
      e.text = "C:\\old.bmp";
      e.extra = "Bitmaps|*.bmp||";
      e.openFile = FALSE;
      lstrcpyA(e.font.lfFaceName, "Old");
    });
    ModalCall seen;
    ModalCapture capture([&](ModalCall& call) {
      seen.kind = call.kind;
      seen.open = call.open;
      seen.text = call.text;
      seen.colour = call.colour;
      call.colour = RGB(200, 100, 50);
      lstrcpyA(call.font.lfFaceName, "Arial");
      call.path = "C:\\pictures\\new.bmp";
      return row.answer;
    });
    ClickButton(id);
    ASSERT_EQ(capture.calls().size(), 1u);
    EXPECT_EQ(seen.kind, row.expected);
    EXPECT_EQ(panel.notices, (std::vector<Notice>{{0, 0}}));  // sent before the click returns
    const bool ok = row.answer == IDOK;
    CPropGridItem* item = grid.FindItem(id);
    if (row.kind == kPropColour) {
      EXPECT_EQ(seen.colour, RGB(1, 2, 3));
      EXPECT_EQ(item->GetColour(), ok ? RGB(200, 100, 50) : RGB(1, 2, 3));
    } else if (row.kind == kPropFont) {
      LOGFONTA font;
      item->GetFont(&font);
      EXPECT_STREQ(font.lfFaceName, ok ? "Arial" : "Old");
      EXPECT_EQ(item->GetColour(), ok ? RGB(200, 100, 50) : RGB(1, 2, 3));
    } else {
      EXPECT_FALSE(seen.open);
      EXPECT_EQ(seen.text, "Bitmaps|*.bmp||");
      EXPECT_EQ(item->GetText(), ok ? "C:\\pictures\\new.bmp" : "C:\\old.bmp");
    }
  }
}

TEST_F(PropGridTest, PickButtonAsksTheHostToPick) {
  MakeGrid();
  TestHost host;
  auto* item = new CPropGridChildItem;
  PropertyEntry entry;
  entry.name = "控制点";
  entry.kind = kPropPoint;
  item->SetEntry(&entry, -1);
  const int id = grid.AddItemObject(item);
  ClickButton(id);
  EXPECT_EQ(host.pickPointCount, 1);
  EXPECT_EQ(panel.notices, (std::vector<Notice>{{0, 0}}));
}

TEST_F(PropGridTest, ScrollingStopsAtTheLastRowAndIgnoresTheThumb) {
  // Rows start at y = 6, 18 apart, and are drawn while y + 15 < 100: five fit.
  MakeGrid(100);
  for (int i = 0; i < 5; ++i) Add("r", kPropText);
  Paint();
  EXPECT_EQ(grid.GetDrawnCount(), 5);
  EXPECT_FALSE(grid.GetScrollBar().IsWindowVisible());

  Add("r", kPropText);
  Paint();
  EXPECT_TRUE(grid.GetScrollBar().IsWindowVisible());
  for (int id = 1; id <= 6; ++id) EXPECT_EQ(grid.IsRowVisible(id), id <= 5) << id;
  const LPARAM bar = reinterpret_cast<LPARAM>(grid.GetScrollBar().m_hWnd);
  grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, bar);
  EXPECT_EQ(grid.GetFirstShown(), 2);
  grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, bar);
  EXPECT_EQ(grid.GetFirstShown(), 2);
  EXPECT_FALSE(grid.IsRowVisible(1));
  EXPECT_TRUE(grid.IsRowVisible(6));
  grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1), bar);
  grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1), bar);
  EXPECT_EQ(grid.GetFirstShown(), 2);
  grid.SendMessage(WM_VSCROLL, SB_LINEUP, bar);
  EXPECT_EQ(grid.GetFirstShown(), 1);
}

TEST(PropGridItem, ColourCellIsFilledWithItsColour) {
  MemoryBitmap bitmap(300, 40);
  CPropGridItem item;
  PropertyEntry entry;
  entry.name = "背景色";
  entry.kind = kPropColour;
  entry.colour = RGB(10, 200, 30);
  item.SetEntry(&entry, -1);
  item.SetRowRect(CRect(8, 6, 294, 24));
  CDC dc(bitmap.dc());
  item.Draw(&dc);
  dc.Detach();
  const CRect cell = item.GetValueRect();
  EXPECT_EQ(cell.right, 294 - 30);  // the button stands beside it
  EXPECT_EQ(bitmap.Pixel(cell.left + 20, cell.top + 8), RGB(10, 200, 30));
  EXPECT_NE(bitmap.Pixel(cell.right + 5, cell.top + 8), RGB(10, 200, 30));
}
