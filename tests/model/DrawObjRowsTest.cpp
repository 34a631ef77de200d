// An object's own rows in the property panel, on a real grid: the appearance page, the
// head of the actions page with the naming and storing of actions, the effect
// directions and the interactions page.
#include <gtest/gtest.h>

#include <vector>

#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "model/DrawText.h"
#include "propgrid/PropGrid.h"
#include "propgrid/PropGridItem.h"
#include "tests/support/GridRows.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TestHost.h"

namespace {

CMethod Action(DWORD type, const char* name, BOOL byEvent = FALSE) {
  CMethod action;
  action.m_nType = type;
  action.m_strName = name;
  action.m_nByEvent = byEvent;
  return action;
}

// Adds an action to the object; the stored record.
CMethod& AddAction(CDrawObj& object, DWORD type, const char* name, BOOL byEvent = FALSE) {
  CMethod action = Action(type, name, byEvent);
  return object.m_actions[object.m_actions.Add(action)];
}

Bytes BytesOf(CMethod& action) {
  return StoreToBytes([&](CArchive& ar) { action.Serialize(ar); });
}

// An object whose translation, rotation and exit rows are stand-ins: each list slot adds
// one row and notes the record it was given; each apply slot sets its type and accepts,
// the rotation's reading its one row into the speed.
class RowsObject : public CDrawObj {
 public:
  int ListActionTranslation(CPropGrid* grid, CMethod& action) override { return Listed(grid, action, "T"); }
  int ListActionRotation(CPropGrid* grid, CMethod& action) override { return Listed(grid, action, "R"); }
  int ListActionEffect(CPropGrid* grid, CMethod& action) override { return Listed(grid, action, "E"); }
  BOOL ApplyActionTranslation(CPropGrid*, CMethod& action) override {
    ++applied;
    action.m_nType = CMethod::typeTranslate;
    return accept;
  }
  BOOL ApplyActionRotation(CPropGrid* grid, CMethod& action) override {
    ++applied;
    action.m_nType = CMethod::typeRotate;
    grid->GetNumber("R", &action.m_nSpeed);
    return accept;
  }
  BOOL ApplyActionExit(CPropGrid*, CMethod& action) override {
    action.m_nType = CMethod::typeExit;
    return accept;
  }

  std::vector<CString> listedSlots;
  std::vector<CMethod*> listedRecords;
  int listedDuration = 0;  // of the last record listed
  int applied = 0;
  BOOL accept = TRUE;

 private:
  int Listed(CPropGrid* grid, CMethod& action, const char* slot) {
    listedSlots.push_back(slot);
    listedRecords.push_back(&action);
    listedDuration = action.m_nDuration;
    PropertyEntry entry;
    entry.name = slot;
    entry.kind = kPropNumber;
    entry.number = action.m_nSpeed;
    grid->AddItem(&entry);
    return 1;
  }
};

}  // namespace

// ---- appearance ------------------------------------------------------------------------

class GeneralRowsTest : public testing::Test {
 protected:
  void SetUp() override {
    object.m_name = "太阳";
    object.m_visible = 1;
    object.m_filled = 1;
    object.m_layer = 7;
    object.m_buttonised = 0;
    object.ListGeneral(&grid);
  }
  TestHost host;
  RowsObject object;
  CPropGrid grid;
};

TEST_F(GeneralRowsTest, ListsFiveRowsAndOnlyTheLayerIsReadOnly) {
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"对象名称", "可见", "透明", "对象层", "按钮化"}));
  const int kinds[] = {kPropText, kPropFlag, kPropFlag, kPropNumber, kPropFlag};
  for (int row = 1; row <= 5; ++row) {
    EXPECT_EQ(grid.FindItem(row)->GetKind(), kinds[row - 1]) << row;
    EXPECT_EQ(grid.FindItem(row)->IsReadOnly(), row == 4) << row;
  }
  EXPECT_EQ(RowText(grid, 1), "太阳");
  EXPECT_EQ(grid.FindItem(2)->GetFlag(), 1);
  EXPECT_EQ(grid.FindItem(3)->GetFlag(), 0);  // filled: not transparent
  EXPECT_EQ(grid.FindItem(4)->GetNumber(), 7);
  EXPECT_EQ(grid.FindItem(5)->GetFlag(), 0);
}

TEST_F(GeneralRowsTest, TransparentIsTheOppositeOfFilledBothWays) {
  grid.SetText("对象名称", "月亮");
  grid.SetFlag("可见", FALSE);
  grid.SetFlag("透明", TRUE);
  grid.SetFlag("按钮化", TRUE);
  grid.SetNumber("对象层", 99);
  object.ApplyGeneral(&grid);
  EXPECT_EQ(object.m_name, "月亮");
  EXPECT_EQ(object.m_visible, 0);
  EXPECT_EQ(object.m_filled, 0);
  EXPECT_EQ(object.m_buttonised, 1);
  EXPECT_EQ(object.m_layer, 7);

  CPropGrid again;
  object.ListGeneral(&again);
  EXPECT_EQ(again.FindItem(3)->GetFlag(), 1);
  again.SetFlag("透明", FALSE);
  object.ApplyGeneral(&again);
  EXPECT_EQ(object.m_filled, 1);
}

TEST_F(GeneralRowsTest, AnEmptyNameComesBackAndTheOtherEditsAreDropped) {
  grid.SetText("对象名称", "");
  grid.SetFlag("可见", FALSE);
  grid.SetFlag("透明", TRUE);
  grid.SetFlag("按钮化", TRUE);
  object.ApplyGeneral(&grid);
  EXPECT_EQ(RowText(grid, 1), "太阳");
  EXPECT_EQ(object.m_name, "太阳");
  EXPECT_EQ(object.m_visible, 1);
  EXPECT_EQ(object.m_filled, 1);
  EXPECT_EQ(object.m_buttonised, 0);
}

// ---- actions ---------------------------------------------------------------------------

class ActionRowsTest : public testing::Test {
 protected:
  void ListNew() {
    grid.RemoveAll();
    object.m_selectedAction = -1;
    object.ListActions(&grid, -1);
  }
  TestHost host;
  RowsObject object;
  CPropGrid grid;
};

TEST_F(ActionRowsTest, TheHeadRowsThenTheTranslationRowsOfANewAction) {
  AddAction(object, CMethod::typeExit, "退出1");
  ListNew();
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"已有动作", "动作类型", "交互", "起始时刻", "T"}));
  EXPECT_EQ(RowChoices(grid, 1), (std::vector<CString>{"退出1"}));
  EXPECT_EQ(RowText(grid, 1), "");
  EXPECT_EQ(RowChoices(grid, 2), (std::vector<CString>{"平移运动", "旋转运动", "特技效果", "页面切换", "显示或隐藏", "改变层",
                                                    "退出", "调用外部程序", "控制点平移运动"}));
  EXPECT_EQ(RowText(grid, 2), "平移运动");
  EXPECT_EQ(grid.FindItem(3)->GetKind(), kPropFlag);
  EXPECT_EQ(grid.FindItem(3)->GetFlag(), 0);
  EXPECT_EQ(grid.FindItem(4)->GetNumber(), 0);
  // Rows after a drop-down start afresh: none carries the choices of the one before.
  EXPECT_TRUE(RowChoices(grid, 3).empty());
  EXPECT_TRUE(RowChoices(grid, 4).empty());
  // A new action's rows show a default record.
  EXPECT_EQ(object.listedDuration, -1);
}

TEST_F(ActionRowsTest, ASelectedActionIsListedFromItsOwnRecord) {
  AddAction(object, CMethod::typeTranslate, "平移运动1");
  AddAction(object, CMethod::typeRotate, "旋转运动1");
  object.m_selectedAction = 1;
  object.ListActions(&grid, -1);
  EXPECT_EQ(RowText(grid, 1), "旋转运动1");
  ASSERT_EQ(object.listedRecords.size(), 1u);
  EXPECT_EQ(object.listedRecords[0], &object.m_actions[1]);

  // Listing a type's rows alone adds no head rows.
  grid.RemoveItemsFrom(5);
  object.ListActions(&grid, 1);
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"已有动作", "动作类型", "交互", "起始时刻", "R"}));
  object.ListActions(&grid, 9);
  EXPECT_EQ(grid.GetItemCount(), 5);
}

TEST_F(ActionRowsTest, ShowingAnActionReplacesTheTypeRowsAndFillsTheHead) {
  AddAction(object, CMethod::typeTranslate, "平移运动1");
  CMethod& rotation = AddAction(object, CMethod::typeRotate, "旋转运动1", TRUE);
  rotation.m_nStart = 12;
  rotation.m_nSpeed = 3;
  AddAction(object, CMethod::typePlayMedia, "播放1");
  ListNew();

  object.ShowExistingAction(&grid, 1);
  EXPECT_EQ(object.m_selectedAction, 1);
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"已有动作", "动作类型", "交互", "起始时刻", "R"}));
  EXPECT_EQ(RowText(grid, 2), "旋转运动");
  EXPECT_EQ(grid.FindItem(3)->GetFlag(), 1);
  EXPECT_EQ(grid.FindItem(4)->GetNumber(), 12);
  EXPECT_EQ(grid.FindItem(5)->GetNumber(), 3);

  // A kind this object has no rows for: the type rows go and the head stays single.
  object.ShowExistingAction(&grid, 2);
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"已有动作", "动作类型", "交互", "起始时刻"}));
  EXPECT_EQ(RowText(grid, 2), "");

  for (int index : {-1, 3}) {
    object.ShowExistingAction(&grid, index);
    EXPECT_EQ(object.m_selectedAction, 2) << index;
  }
}

TEST_F(ActionRowsTest, ANewActionIsNamedAddedAndSelectedAndConfirmingAgainEditsIt) {
  ListNew();
  grid.SetFlag("交互", TRUE);
  grid.SetNumber("起始时刻", 5);
  object.ApplyActions(&grid, 0);
  ASSERT_EQ(object.m_actions.GetSize(), 1);
  const CMethod& added = object.m_actions[0];
  EXPECT_EQ(added.m_strName, "平移运动1");
  EXPECT_EQ(added.m_nByEvent, 1);
  EXPECT_EQ(added.m_nActivation, -1);
  EXPECT_EQ(added.m_nStart, 5);
  EXPECT_EQ(object.m_selectedAction, 0);
  EXPECT_EQ(object.m_actionMask, CMethod::typeTranslate);
  EXPECT_EQ(RowChoices(grid, 1), (std::vector<CString>{"平移运动1"}));
  EXPECT_EQ(RowText(grid, 1), "平移运动1");

  grid.SetFlag("交互", FALSE);
  object.ApplyActions(&grid, 0);
  ASSERT_EQ(object.m_actions.GetSize(), 1);
  EXPECT_EQ(object.m_actions[0].m_strName, "平移运动1");
  EXPECT_EQ(object.m_actions[0].m_nActivation, 0);
  EXPECT_EQ(RowChoices(grid, 1).size(), 1u);

  ListNew();
  object.ApplyActions(&grid, 1);
  EXPECT_EQ(object.m_actions[1].m_strName, "旋转运动1");
  EXPECT_EQ(object.m_actionMask, CMethod::typeTranslate | CMethod::typeRotate);
}

TEST_F(ActionRowsTest, NewNamesTakeTheFirstFreeNumberAndEditsKeepTheirName) {
  struct Case {
    std::vector<const char*> existing;  // translations, except names starting with 退出
    int selected;
    DWORD type;
    const char* name;
  };
  const Case cases[] = {
      {{}, -1, CMethod::typeTranslate, "平移运动1"},
      {{"平移运动1"}, -1, CMethod::typeTranslate, "平移运动2"},
      {{"平移运动2"}, -1, CMethod::typeTranslate, "平移运动3"},  // the first one was deleted
      {{"平移运动1", "平移运动3"}, -1, CMethod::typeTranslate, "平移运动4"},
      {{"退出1"}, -1, CMethod::typeExit, "退出2"},
      {{"平移运动1", "走"}, 1, CMethod::typeTranslate, "走"},
  };
  for (const Case& c : cases) {
    RowsObject o;
    for (const char* name : c.existing)
      AddAction(o, CString(name).Left(4) == "退出" ? CMethod::typeExit : CMethod::typeTranslate, name);
    o.m_selectedAction = c.selected;
    EXPECT_EQ(o.NameAction(c.type), c.name) << c.name;
  }
}

TEST_F(ActionRowsTest, ANegativeStartTimeOrARefusedTypeChangesNothing) {
  AddAction(object, CMethod::typeTranslate, "平移运动1");
  ListNew();
  MessageBoxCapture boxes;
  grid.SetNumber("起始时刻", -1);
  object.ApplyActions(&grid, 0);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, "起始时刻不能小于0!\n请重新设定起始时刻");
  EXPECT_EQ(boxes.boxes()[0].flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
  EXPECT_EQ(object.applied, 0);

  grid.SetNumber("起始时刻", 0);
  object.accept = FALSE;
  object.ApplyActions(&grid, 0);
  EXPECT_EQ(object.applied, 1);
  for (int type : {-1, 9}) object.ApplyActions(&grid, type);
  EXPECT_EQ(object.m_actions.GetSize(), 1);
  EXPECT_EQ(object.m_selectedAction, -1);
  EXPECT_EQ(RowChoices(grid, 1).size(), 1u);
  EXPECT_EQ(object.m_actionMask, 0u);
}

TEST_F(ActionRowsTest, AnEditChangesOnlyTheEditedFieldsOfTheRecord) {
  CMethod& rotation = AddAction(object, CMethod::typeRotate, "旋转运动1");
  rotation.m_nExtraTime = 9;
  rotation.m_nPathIndex = 3;
  rotation.m_strPicture = "sun.gif";
  rotation.m_strReserved27 = "kept";
  rotation.m_strReserved53 = "carried";
  rotation.m_nSpeed = 4;
  rotation.m_nActivation = 0;
  object.ListActions(&grid, -1);
  object.ShowExistingAction(&grid, 0);
  grid.SetNumber("R", 8);
  object.ApplyActions(&grid, 1);

  CMethod expected = Action(CMethod::typeRotate, "旋转运动1");
  expected.m_nExtraTime = 9;
  expected.m_nPathIndex = 3;
  expected.m_strPicture = "sun.gif";
  expected.m_strReserved27 = "kept";
  expected.m_strReserved53 = "carried";
  expected.m_nSpeed = 8;
  expected.m_nActivation = 0;
  EXPECT_EQ(BytesOf(object.m_actions[0]), BytesOf(expected));
}

TEST(EffectDirectionsTest, RowSixTakesTheDirectionsOfTheKind) {
  TestHost host;
  RowsObject object;
  struct Case {
    int kind;
    int direction;
    size_t count;
    const char* first;
    const char* last;
    const char* value;
  };
  const Case cases[] = {
      {0, 5, 6, "向下", "左右向中", "左右向中"},
      {1, 7, 8, "向下", "水平交叉移动", "水平交叉移动"},
      {2, 1, 2, "垂直百叶窗", "水平百叶窗", "水平百叶窗"},
      {3, 0, 2, "垂直栅条", "水平栅条", "垂直栅条"},
      {4, 2, 8, "菱形向外", "十字向内", "圆形向外"},
      {5, 6, 7, "向下", "放大拉伸", "放大拉伸"},
      {6, 1, 2, "逐渐显示", "逐渐消失", "逐渐消失"},
      {6, 2, 2, "逐渐显示", "逐渐消失", ""},
      {1, -1, 8, "向下", "水平交叉移动", ""},
      {7, 0, 0, nullptr, nullptr, ""},
  };
  for (const Case& c : cases) {
    CPropGrid grid;
    for (int row = 1; row <= 7; ++row) {
      PropertyEntry entry;
      entry.name.Format("%d", row);
      entry.kind = kPropDropList;
      entry.choices.AddTail("old");
      entry.text = "old";
      grid.AddItem(&entry);
    }
    object.ListEffectDirections(&grid, c.kind, c.direction);
    const std::vector<CString> directions = RowChoices(grid, 6);
    ASSERT_EQ(directions.size(), c.count) << c.kind;
    if (c.count) {
      EXPECT_EQ(directions.front(), c.first) << c.kind;
      EXPECT_EQ(directions.back(), c.last) << c.kind;
    }
    EXPECT_EQ(RowText(grid, 6), c.value) << c.kind << " " << c.direction;
    EXPECT_EQ(RowChoices(grid, 5), (std::vector<CString>{"old"}));
  }
}

// ---- interactions ----------------------------------------------------------------------

class InteractionRowsTest : public testing::Test {
 protected:
  void SetUp() override {
    host.document = &doc;
    Add("轨道", {Action(CMethod::typeTranslate, "平移运动1", TRUE)})->m_trajectory = 1;
    Add("已删", {Action(CMethod::typeTranslate, "平移运动1", TRUE)})->m_deleted = 1;
    Add("静止", {Action(CMethod::typeTranslate, "平移运动1")});
    Add("太阳", {Action(CMethod::typeRotate, "旋转运动1"), Action(CMethod::typeTranslate, "平移运动1", TRUE)});
    Add("标题", {Action(CMethod::typeEffect, "特技效果1", TRUE), Action(CMethod::typeExit, "退出1", TRUE)});
    self = Add("按钮", {});
  }
  CDrawObj* Add(const char* name, std::vector<CMethod> actions) {
    auto* object = new RowsObject;
    object->m_name = name;
    for (CMethod& action : actions) object->m_actions.Add(action);
    doc.m_objects.AddTail(object);
    return object;
  }
  void List() {
    grid.RemoveAll();
    self->m_selectedEvent = -1;
    self->ListInteractions(&grid, -1);
  }
  TestHost host;
  CDrawDoc doc;
  CDrawObj* self = nullptr;
  CPropGrid grid;
};

TEST_F(InteractionRowsTest, OffersTheDrivenObjectsAndTheLastOnesAbilities) {
  CHPEvent event;
  event.m_strName = "驱动-退出1";
  self->m_events.Add(event);
  self->m_selectedEvent = 0;
  self->ListInteractions(&grid, -1);
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"已有交互", "触发条件", "被触发对象", "被触发动作"}));
  EXPECT_EQ(RowChoices(grid, 1), (std::vector<CString>{"驱动-退出1"}));
  EXPECT_EQ(RowText(grid, 1), "驱动-退出1");
  const std::vector<CString> triggers = RowChoices(grid, 2);
  EXPECT_EQ(triggers.size(), 9u);
  EXPECT_EQ(triggers.back(), "拖放所选对象");
  EXPECT_EQ(RowText(grid, 2), "按下鼠标左键");
  EXPECT_EQ(RowChoices(grid, 3), (std::vector<CString>{"太阳", "标题"}));
  EXPECT_EQ(RowText(grid, 3), "标题");
  EXPECT_EQ(RowChoices(grid, 4), (std::vector<CString>{"特技效果1", "退出1"}));
  EXPECT_EQ(RowText(grid, 4), "特技效果1");
}

TEST_F(InteractionRowsTest, PickingADrivenObjectRefillsItsAbilities) {
  List();
  self->ListInteractions(&grid, 0);
  EXPECT_EQ(RowChoices(grid, 4), (std::vector<CString>{"平移运动1"}));  // its second action
  EXPECT_EQ(RowText(grid, 4), "平移运动1");
  self->ListInteractions(&grid, 2);
  EXPECT_TRUE(RowChoices(grid, 4).empty());
  EXPECT_EQ(RowText(grid, 4), "");
  self->ListInteractions(&grid, -2);
  EXPECT_EQ(grid.GetItemCount(), 4);
}

TEST_F(InteractionRowsTest, ATextObjectOffersTheKeysToo) {
  CDrawText text;
  text.ListInteractions(&grid, -1);
  const std::vector<CString> triggers = RowChoices(grid, 2);
  ASSERT_EQ(triggers.size(), 11u);
  EXPECT_EQ(triggers[9], "按下键盘键");
  EXPECT_EQ(triggers[10], "放开键盘键");
}

TEST_F(InteractionRowsTest, APageWithoutAbilitiesHasEmptyRowsAndRefusesTheEvent) {
  CDrawDoc empty;
  host.document = &empty;
  List();
  EXPECT_TRUE(RowChoices(grid, 3).empty());
  EXPECT_EQ(RowText(grid, 3), "");
  EXPECT_EQ(RowText(grid, 4), "");
  MessageBoxCapture boxes;
  self->ApplyInteractions(&grid);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, "'被触发对象'不能为空");
  EXPECT_EQ(self->m_events.GetSize(), 0);
}

TEST_F(InteractionRowsTest, ConfirmingAddsANamedEventAndRebuildsTheMask) {
  List();
  grid.SetText(2, "双击鼠标左键");
  grid.SetText(3, "太阳");
  grid.SetText(4, "平移运动1");
  self->ApplyInteractions(&grid);
  ASSERT_EQ(self->m_events.GetSize(), 1);
  const CHPEvent& added = self->m_events[0];
  EXPECT_EQ(added.m_strName, "驱动-平移运动1");
  EXPECT_EQ(added.m_nTrigger, 4u);
  EXPECT_EQ(added.m_strObject, "太阳");
  EXPECT_EQ(added.m_strAbility, "平移运动1");
  EXPECT_EQ(added.m_nReserved3, CMethod::typeTranslate);
  EXPECT_EQ(self->m_selectedEvent, 0);
  EXPECT_EQ(self->m_triggerMask, 4u);
  EXPECT_EQ(RowChoices(grid, 1), (std::vector<CString>{"驱动-平移运动1"}));
  EXPECT_EQ(RowText(grid, 1), "驱动-平移运动1");

  // Confirming again edits the shown event.
  grid.SetText(2, "鼠标光标进入");
  self->ApplyInteractions(&grid);
  ASSERT_EQ(self->m_events.GetSize(), 1);
  EXPECT_EQ(self->m_triggerMask, 0x80u);
}

TEST_F(InteractionRowsTest, AMissingObjectOrAbilityIsRefused) {
  const char* const cases[][2] = {{"月亮", "平移运动1"}, {"太阳", "退出1"}, {"太阳", ""}};
  for (const auto& c : cases) {
    List();
    grid.SetText(3, c[0]);
    grid.SetText(4, c[1]);
    MessageBoxCapture boxes;
    self->ApplyInteractions(&grid);
    ASSERT_EQ(boxes.boxes().size(), 1u) << c[0] << c[1];
    EXPECT_EQ(boxes.boxes()[0].text, "被触发对象不存在");
    EXPECT_EQ(self->m_events.GetSize(), 0);
    EXPECT_EQ(self->m_triggerMask, 0u);
  }
}

TEST_F(InteractionRowsTest, ATimerEventConfirmedUnchangedKeepsItsTrigger) {
  CHPEvent timer;
  timer.m_nTrigger = 0x40;
  timer.m_strObject = "标题";
  timer.m_strAbility = "退出1";
  timer.m_strName = "驱动-退出1";
  timer.m_nKey = 65;
  self->m_events.Add(timer);
  self->m_triggerMask = 0x40;
  List();
  self->ShowExistingInteraction(&grid, 0);
  EXPECT_EQ(self->m_selectedEvent, 0);
  EXPECT_EQ(RowText(grid, 2), "");
  EXPECT_EQ(RowText(grid, 3), "标题");
  EXPECT_EQ(RowText(grid, 4), "退出1");
  self->ApplyInteractions(&grid);
  EXPECT_EQ(self->m_events[0].m_nTrigger, 0x40u);
  EXPECT_EQ(self->m_events[0].m_nKey, 65);
  EXPECT_EQ(self->m_events[0].m_nReserved3, CMethod::typeExit);
  EXPECT_EQ(self->m_triggerMask, 0x40u);

  // As a new event the empty trigger names none: refused.
  self->m_selectedEvent = -1;
  MessageBoxCapture boxes;
  self->ApplyInteractions(&grid);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, "'触发条件'不能为空");
  EXPECT_EQ(self->m_events.GetSize(), 1);

  for (int index : {-1, 1}) {
    self->ShowExistingInteraction(&grid, index);
    EXPECT_EQ(self->m_selectedEvent, -1);
  }
}
