// The property panel: its notices (0x7E9) and row changes (0x7F5), the name combo, the
// tabs and the four buttons, with objects that record what the panel asks of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/panels/PropertyPanel.h"
#include "media/DrawMedia.h"
#include "propgrid/PropGridItem.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"

namespace {

// An object whose rows are a name, the existing actions, the action type and a speed
// (rows 1 to 3 of the actions grid, then one more up to row 5), and which records the
// panel's calls.
class RecordingObj : public CDrawObj {
 public:
  RecordingObj(const char* name, std::vector<std::string>* log) : CDrawObj(CRect(-20, 20, 20, -20)), m_log(log) {
    m_name = name;
  }
  void AddAction(const char* name, int speed) {
    CMethod action;
    action.m_strName = name;
    action.m_nSpeed = speed;
    m_actions.Add(action);
  }

  void ListGeneral(CPropGrid* grid) override {
    Record("ListGeneral");
    Row(grid, "名称", kPropText, m_name);
  }
  void ListActions(CPropGrid* grid, int index) override {
    Record("ListActions " + std::to_string(index));
    if (index >= 0) return;
    PropertyEntry existing;
    existing.name = "已有动作";
    existing.kind = kPropDropList;
    for (int i = 0; i < m_actions.GetSize(); ++i) existing.choices.AddTail(m_actions[i].m_strName);
    if (m_selectedAction >= 0) existing.text = m_actions[m_selectedAction].m_strName;
    grid->AddItem(&existing);
    Row(grid, "动作类型", kPropDropList, "平移运动");
    Row(grid, "速度", kPropNumber, "");
    grid->SetNumber("速度", m_selectedAction >= 0 ? m_actions[m_selectedAction].m_nSpeed : 10);
    Row(grid, "目标", kPropText, "");
    Row(grid, "其他", kPropText, "");
  }
  void ListInteractions(CPropGrid* grid, int index) override { Record("ListInteractions " + std::to_string(index)); }
  void ApplyGeneral(CPropGrid* grid) override {
    Record("ApplyGeneral");
    grid->GetText("名称", &m_name);
  }
  void ApplyActions(CPropGrid* grid, int type) override {
    Record("ApplyActions " + std::to_string(type));
    int speed = 0;
    grid->GetNumber("速度", &speed);
    if (m_selectedAction < 0) {
      AddAction("new", speed);
    } else {
      m_actions[m_selectedAction].m_nSpeed = speed;
    }
  }
  void ApplyInteractions(CPropGrid*) override { Record("ApplyInteractions"); }
  void ShowExistingAction(CPropGrid* grid, int index) override {
    Record("ShowExistingAction " + std::to_string(index));
    m_selectedAction = index;
    grid->SetNumber("速度", m_actions[index].m_nSpeed);
  }
  void ShowExistingInteraction(CPropGrid*, int index) override {
    Record("ShowExistingInteraction " + std::to_string(index));
  }
  void ListEffectDirections(CPropGrid*, int kind, int direction) override {
    Record("ListEffectDirections " + std::to_string(kind) + " " + std::to_string(direction));
  }
  void ResetPropertyPage(int group, CView*) override { Record("ResetPropertyPage " + std::to_string(group)); }

 private:
  void Record(const std::string& call) { m_log->push_back(call); }
  static void Row(CPropGrid* grid, const char* name, int kind, const CString& text) {
    PropertyEntry entry;
    entry.name = name;
    entry.kind = kind;
    entry.text = text;
    grid->AddItem(&entry);
  }
  std::vector<std::string>* m_log;
};

class PropertyPanelTest : public EditorTest {
 protected:
  CPropertyPanel& Panel() { return Frame()->m_wndPropertyPanel; }
  void ShowBar() {
    Frame()->ShowControlBar(&Frame()->m_wndPropertyBar, TRUE, FALSE);
    Pump();
  }
  RecordingObj* Add(const char* name) {
    auto* object = new RecordingObj(name, &log);
    Doc()->Add(object);
    return object;
  }
  LRESULT Notify(WPARAM what, CDrawObj* object = nullptr) {
    return Panel().SendMessage(kPanelNotifyMessage, what, reinterpret_cast<LPARAM>(object));
  }
  LRESULT RowChanged(WPARAM id, LPARAM index) { return Panel().SendMessage(kRowChangedMessage, id, index); }
  static void ChooseTab(CPropertyPanel& panel, int tab) {
    panel.m_tab.SetCurSel(tab);
    NMHDR header = {panel.m_tab.m_hWnd, IDC_PROPERTY_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    panel.SendMessage(WM_NOTIFY, IDC_PROPERTY_TABS, reinterpret_cast<LPARAM>(&header));
  }
  std::vector<CString> Names() {
    std::vector<CString> names;
    for (int i = 0; i < Panel().m_names.GetCount(); ++i) {
      CString name;
      Panel().m_names.GetLBText(i, name);
      names.push_back(name);
    }
    return names;
  }
  CString ComboText() {
    CString text;
    Panel().m_names.GetWindowText(text);
    return text;
  }
  CString RowText(int tab, const char* name) {
    CString text;
    Panel().Grid(tab).GetText(name, &text);
    return text;
  }
  std::vector<CString> RowChoices(int tab, int id) {
    PropertyEntry entry;
    Panel().Grid(tab).GetEntry(id, &entry, -2);
    std::vector<CString> out;
    for (POSITION pos = entry.choices.GetHeadPosition(); pos;) out.push_back(entry.choices.GetNext(pos));
    return out;
  }
  // An object with actions a1, a2, a3 (speeds 1, 2, 3), action 1 current, on the
  // actions tab.
  RecordingObj* ObjectWithThreeActions() {
    NewPage();
    RecordingObj* object = Add("X");
    for (int i = 1; i <= 3; ++i) object->AddAction(("a" + std::to_string(i)).c_str(), i);
    View()->Select(object);
    object->m_selectedAction = 1;
    Notify(kPanelObjectSelected, object);
    ChooseTab(Panel(), CPropertyPanel::kActionsTab);
    return object;
  }
  void SelectName(int index) {
    Panel().m_names.SetCurSel(index);
    Panel().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PROPERTY_NAMES, CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(Panel().m_names.m_hWnd));
  }

  std::vector<std::string> log;
};

}  // namespace

TEST_F(PropertyPanelTest, FreshPanelIsEmptyAndAnswersOneWithoutAView) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP, CRect(0, 0, 300, 500), nullptr, 0));
  CPropertyPanel panel;
  ASSERT_TRUE(panel.Create(IDD_PROPERTY_PANEL, &parent));
  for (int tab = 0; tab < 3; ++tab) EXPECT_EQ(panel.Grid(tab).GetItemCount(), 0);
  EXPECT_FALSE(panel.m_btnAdd.IsWindowEnabled());
  EXPECT_FALSE(panel.m_btnDelete.IsWindowEnabled());
  EXPECT_TRUE(panel.Grid(0).IsWindowVisible() || !parent.IsWindowVisible());
  ChooseTab(panel, CPropertyPanel::kInteractionsTab);
  EXPECT_TRUE(panel.m_btnAdd.IsWindowEnabled());
  EXPECT_TRUE(panel.m_btnDelete.IsWindowEnabled());
  ChooseTab(panel, CPropertyPanel::kAppearanceTab);
  EXPECT_FALSE(panel.m_btnDelete.IsWindowEnabled());
  // No page is shown: nothing to act on.
  EXPECT_EQ(panel.SendMessage(kPanelNotifyMessage, kPanelSelectionChanged, 0), 1);
  EXPECT_EQ(panel.SendMessage(kRowChangedMessage, 0, 0), 1);
  panel.DestroyWindow();
  parent.DestroyWindow();
}

TEST(PropertyPanelLayout, GridsFillTheTabBelowItsHeaders) {
  EXPECT_EQ(CPropertyPanel::GridRect(CRect(0, 0, 200, 300), CRect(2, 2, 40, 22), 16), CRect(0, 22, 170, 254));
}

TEST_F(PropertyPanelTest, NoticesKeepTheNameComboInStep) {
  NewPage();
  const CString title = Doc()->GetTitle();
  Add("A");
  Add("B")->SetSuspended(TRUE);
  RecordingObj* c = Add("C");
  Add("A");
  EXPECT_EQ(Notify(kPanelSelectionChanged), 0);
  EXPECT_EQ(Names(), (std::vector<CString>{title, "A", "C", "A"}));
  EXPECT_EQ(ComboText(), title);
  EXPECT_EQ(Panel().Grid(0).GetItemCount(), 8);  // the page's rows

  Add("D");  // the page tells the panel
  EXPECT_EQ(Names(), (std::vector<CString>{title, "A", "C", "A", "D"}));
  EXPECT_EQ(Notify(kPanelObjectRemoved, c), 0);
  EXPECT_EQ(Names(), (std::vector<CString>{title, "A", "A", "D"}));
  EXPECT_EQ(Notify(kPanelObjectRemoved, c), 1);  // no longer listed
  EXPECT_EQ(Notify(7), 0);
  EXPECT_EQ(Names(), (std::vector<CString>{title, "A", "A", "D"}));

  // Names are compared byte for byte, and entry 0 stays the page.
  Add("Ab");
  RecordingObj* upper = Add("AB");
  RecordingObj* pageNamed = Add(title);
  Notify(kPanelObjectRemoved, upper);
  EXPECT_EQ(Names(), (std::vector<CString>{title, "A", "A", "D", "Ab", title}));
  Notify(kPanelObjectRemoved, pageNamed);
  EXPECT_EQ(Names(), (std::vector<CString>{title, "A", "A", "D", "Ab"}));

  EXPECT_EQ(Notify(5), 0);
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(Panel().Grid(0).GetItemCount(), 0);
}

TEST_F(PropertyPanelTest, AnObjectNoticeListsItsRowsAndATabChangeListsNothing) {
  NewPage();
  RecordingObj* object = Add("X");
  log.clear();
  EXPECT_EQ(Notify(kPanelObjectSelected, object), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"ListGeneral", "ListActions -1", "ListInteractions -1"}));
  EXPECT_EQ(ComboText(), "X");
  log.clear();
  ChooseTab(Panel(), CPropertyPanel::kActionsTab);
  ChooseTab(Panel(), CPropertyPanel::kInteractionsTab);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(Panel().Grid(2).IsWindowVisible() || !Panel().IsWindowVisible());
  EXPECT_FALSE(Panel().Grid(1).IsWindowVisible());
}

TEST_F(PropertyPanelTest, APostedNoticeForAnObjectGoneFromThePageIsIgnored) {
  NewPage();
  RecordingObj* object = Add("X");
  Panel().PostMessage(kPanelNotifyMessage, kPanelObjectSelected, reinterpret_cast<LPARAM>(object));
  Doc()->Remove(object);
  log.clear();
  Pump();
  EXPECT_TRUE(log.empty());
  object->Delete();
}

TEST_F(PropertyPanelTest, OkAppliesTheCurrentTabAndMarksThePage) {
  NewPage();
  RecordingObj* object = Add("X");
  View()->Select(object);
  Notify(kPanelSelectionChanged);
  Notify(kPanelObjectSelected, object);
  const struct {
    int tab;
    const char* typeText;
    std::vector<std::string> calls;
  } rows[] = {
      {0, nullptr, {"ApplyGeneral"}},
      {1, "页面切换", {"ApplyActions 3", "ListInteractions -1"}},
      {1, "没有这种", {"ApplyActions -1", "ListInteractions -1"}},
      {2, nullptr, {"ApplyInteractions"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tab);
    ChooseTab(Panel(), row.tab);
    if (row.typeText) Panel().Grid(1).SetText("动作类型", row.typeText);
    Doc()->SetModifiedFlag(FALSE);
    log.clear();
    Panel().OnOK();
    EXPECT_EQ(log, row.calls);
    EXPECT_TRUE(Doc()->IsModified());
  }
  // A rename in the appearance rows follows into the combo, in place.
  ChooseTab(Panel(), 0);
  Panel().Grid(0).SetText("名称", "Y");
  Panel().OnOK();
  EXPECT_EQ(object->m_name, "Y");
  EXPECT_EQ(Names(), (std::vector<CString>{Doc()->GetTitle(), "Y"}));
  EXPECT_EQ(ComboText(), "Y");
}

TEST_F(PropertyPanelTest, DeleteShowsTheRemainingFirstActionSoOkDoesNotOverwriteIt) {
  RecordingObj* object = ObjectWithThreeActions();
  EXPECT_EQ(RowText(1, "已有动作"), "a2");
  log.clear();
  Panel().OnCancel();
  ASSERT_EQ(object->m_actions.GetSize(), 2);
  EXPECT_EQ(object->m_actions[0].m_strName, "a1");
  EXPECT_EQ(object->m_actions[1].m_strName, "a3");
  EXPECT_EQ(object->m_selectedAction, 0);
  EXPECT_EQ(RowChoices(1, 1), (std::vector<CString>{"a1", "a3"}));
  EXPECT_EQ(RowText(1, "已有动作"), "a1");
  EXPECT_EQ(log, (std::vector<std::string>{"ShowExistingAction 0"}));
  Panel().OnOK();
  EXPECT_EQ(object->m_actions[0].m_nSpeed, 1);
  EXPECT_EQ(object->m_actions[1].m_nSpeed, 3);
}

TEST_F(PropertyPanelTest, DeletingTheOnlyActionShowsANewOnesRows) {
  NewPage();
  RecordingObj* object = Add("X");
  object->AddAction("only", 7);
  View()->Select(object);
  object->m_selectedAction = 0;
  Notify(kPanelObjectSelected, object);
  ChooseTab(Panel(), CPropertyPanel::kActionsTab);
  Panel().OnCancel();
  EXPECT_EQ(object->m_actions.GetSize(), 0);
  EXPECT_EQ(object->m_selectedAction, -1);
  EXPECT_EQ(RowText(1, "已有动作"), "");
  Panel().OnOK();
  ASSERT_EQ(object->m_actions.GetSize(), 1);
  EXPECT_EQ(object->m_actions[0].m_nSpeed, 10);  // a new action, not the deleted one back
  // Nothing chosen: Delete does nothing.
  object->m_selectedAction = -1;
  Doc()->SetModifiedFlag(FALSE);
  Panel().OnCancel();
  EXPECT_EQ(object->m_actions.GetSize(), 1);
  EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(PropertyPanelTest, EscapeAndEnterInAGridsEditBoxDeleteAndApply) {
  RecordingObj* object = ObjectWithThreeActions();
  ShowBar();
  CPropGrid& grid = Panel().Grid(1);
  grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto openSpeed = [&] {
    const CRect cell = grid.FindItem(CString("速度"))->GetValueRect();
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 3, cell.top + 3));
    return ::GetDlgItem(grid.m_hWnd, kEditorId);
  };
  auto key = [&](HWND to, UINT vk) {
    ::PostMessageA(to, WM_KEYDOWN, vk, 1);
    Pump();
  };
  HWND edit = openSpeed();
  ASSERT_TRUE(edit);
  key(edit, VK_ESCAPE);
  EXPECT_EQ(object->m_actions.GetSize(), 2);
  EXPECT_EQ(object->m_selectedAction, 0);

  grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  edit = openSpeed();
  ASSERT_TRUE(edit);
  ::SetWindowTextA(edit, "42");
  key(edit, VK_RETURN);
  EXPECT_EQ(object->m_actions[0].m_nSpeed, 42);
}

TEST_F(PropertyPanelTest, ClearResetsTheTabsGroupOrAppliesThePageRows) {
  NewPage();
  RecordingObj* object = Add("X");
  View()->Select(object);
  for (int tab = 0; tab < 3; ++tab) {
    ChooseTab(Panel(), tab);
    log.clear();
    Doc()->SetModifiedFlag(FALSE);
    Panel().OnClear();
    EXPECT_EQ(log, (std::vector<std::string>{"ResetPropertyPage " + std::to_string(tab)}));
    EXPECT_TRUE(Doc()->IsModified());
  }
  View()->Select(nullptr);
  Notify(kPanelSelectionChanged);
  ChooseTab(Panel(), 0);
  Panel().Grid(0).SetNumber2("宽度", 500);
  Panel().OnClear();
  EXPECT_EQ(Doc()->m_pageSize.cx, 500);
}

TEST_F(PropertyPanelTest, RowChangesActByTabAndAlwaysMarkThePage) {
  NewPage();
  RecordingObj* object = Add("X");
  object->AddAction("a1", 1);
  View()->Select(object);
  Notify(kPanelSelectionChanged);
  const struct {
    int tab;
    WPARAM id;
    LPARAM index;
    std::vector<std::string> calls;
  } rows[] = {
      {1, 1, 0, {"ShowExistingAction 0"}},
      {1, 2, 3, {"ListActions 3"}},
      {1, 5, 2, {"ListEffectDirections 2 0"}},
      {1, 4, 0, {}},
      {2, 1, 4, {"ShowExistingInteraction 4"}},
      {2, 2, 0, {}},
      {2, 3, 1, {"ListInteractions 1"}},
      {0, 0, 0, {"ApplyGeneral"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.tab << " " << row.id);
    Notify(kPanelObjectSelected, object);
    ChooseTab(Panel(), row.tab);
    Doc()->SetModifiedFlag(FALSE);
    log.clear();
    EXPECT_EQ(RowChanged(row.id, row.index), 0);
    EXPECT_EQ(log, row.calls);
    EXPECT_TRUE(Doc()->IsModified());
  }
  // A new action type keeps rows 1 to 4 of another object and starts a new action.
  Notify(kPanelObjectSelected, object);
  object->m_selectedAction = 0;
  ChooseTab(Panel(), 1);
  RowChanged(2, 3);
  EXPECT_EQ(Panel().Grid(1).GetItemCount(), 4);
  EXPECT_EQ(object->m_selectedAction, -1);
  EXPECT_EQ(RowText(1, "已有动作"), "");
  // The same in the interactions tab starts a new interaction.
  object->m_selectedEvent = 2;
  ChooseTab(Panel(), 2);
  RowChanged(2, 0);
  EXPECT_EQ(object->m_selectedEvent, -1);
}

TEST_F(PropertyPanelTest, ASoundsNewKindKeepsTwoRowsAndOkAddsIt) {
  NewPage();
  auto* sound = new CDrawMedia(CRect(0, 32, 32, 0));
  sound->m_name = "声音0";
  Doc()->Add(sound);
  View()->Select(sound);
  Notify(kPanelObjectSelected, sound);
  ChooseTab(Panel(), CPropertyPanel::kActionsTab);
  EXPECT_EQ(Panel().Grid(1).GetItemCount(), 6);  // a play action's rows first

  Panel().Grid(1).SetText("动作类型", "停止");
  RowChanged(2, 1);
  std::vector<CString> labels;
  CPropGrid& grid = Panel().Grid(1);
  for (POSITION pos = grid.GetHeadPosition(); pos;) labels.push_back(grid.GetNext(pos)->GetName());
  EXPECT_EQ(labels, (std::vector<CString>{"已有动作", "动作类型", "交互", "起始时刻"}));
  Panel().Grid(1).SetNumber("起始时刻", 20);
  Panel().OnOK();
  ASSERT_EQ(sound->m_actions.GetSize(), 1);
  EXPECT_EQ(sound->m_actions[0].m_nType, CMethod::typeStopMedia);
  EXPECT_EQ(sound->m_actions[0].m_nStart, 20);
  EXPECT_EQ(RowText(1, "已有动作"), "停止1");
}

TEST_F(PropertyPanelTest, PageRowChangesApplyTheRowsAndListAChosenTransition) {
  NewPage();
  Notify(kPanelSelectionChanged);
  ChooseTab(Panel(), 1);
  Panel().Grid(1).SetText("动作类型", "百叶窗");
  RowChanged(1, 3);
  EXPECT_EQ(RowText(1, "方向"), "垂直百叶窗");
  EXPECT_EQ(Panel().Grid(1).GetItemCount(), 3);
  RowChanged(0, 0);
  EXPECT_EQ(Doc()->m_transitionKind, 3);

  ChooseTab(Panel(), 0);
  Panel().Grid(0).SetText("页名", "Renamed");
  RowChanged(0, 0);
  EXPECT_EQ(Doc()->GetTitle(), "renamed");
  EXPECT_EQ(Names().front(), "renamed");
  EXPECT_EQ(ComboText(), "renamed");
}

TEST_F(PropertyPanelTest, ChoosingNamesSelectsTheirObjectsAndEntryZeroThePage) {
  NewPage();
  RecordingObj* first = Add("A");
  Add("B");
  RecordingObj* second = Add("A");
  Notify(kPanelSelectionChanged);
  SelectName(1);
  ASSERT_EQ(View()->m_selection.GetCount(), 1);
  EXPECT_EQ(View()->GetLastSelected(), second);  // each in turn; the last one stays
  EXPECT_NE(View()->GetLastSelected(), first);
  SelectName(0);
  EXPECT_TRUE(View()->m_selection.IsEmpty());
  EXPECT_EQ(RowText(0, "页名"), Doc()->m_pageName);
}

TEST_F(PropertyPanelTest, ANewPageRefillsTheCombo) {
  NewPage();
  Add("Old");
  Notify(kPanelSelectionChanged);
  ASSERT_EQ(Names().size(), 2u);
  Doc()->SetModifiedFlag(FALSE);
  app->OnFileNew();
  Pump();
  EXPECT_EQ(Names(), (std::vector<CString>{Doc()->GetTitle()}));
}
