// The rows of each action type on an object's actions page: what they show for a record,
// and what confirming them makes of a new or an edited record, on a real grid and page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "model/DrawPoint.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/PropGridChildItem.h"
#include "propgrid/PropGrid.h"
#include "propgrid/PropGridItem.h"
#include "tests/support/GridRows.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TestHost.h"

namespace {

using ListSlot = int (CDrawObj::*)(CPropGrid*, CMethod&);
using ApplySlot = BOOL (CDrawObj::*)(CPropGrid*, CMethod&);

struct Slots {
  const char* type;
  ListSlot list;
  ApplySlot apply;
};

const Slots kTranslation{"translation", &CDrawObj::ListActionTranslation, &CDrawObj::ApplyActionTranslation};
const Slots kRotation{"rotation", &CDrawObj::ListActionRotation, &CDrawObj::ApplyActionRotation};
const Slots kEffect{"effect", &CDrawObj::ListActionEffect, &CDrawObj::ApplyActionEffect};
const Slots kPageSwitch{"page switch", &CDrawObj::ListActionPageSwitch, &CDrawObj::ApplyActionPageSwitch};
const Slots kShowHide{"show or hide", &CDrawObj::ListActionShowHide, &CDrawObj::ApplyActionShowHide};
const Slots kLayer{"layer", &CDrawObj::ListActionLayer, &CDrawObj::ApplyActionLayer};
const Slots kExit{"exit", &CDrawObj::ListActionExit, &CDrawObj::ApplyActionExit};
const Slots kProgram{"program", &CDrawObj::ListActionProgram, &CDrawObj::ApplyActionProgram};
const Slots kControlPoint{"control point", &CDrawObj::ListActionControlPoint, &CDrawObj::ApplyActionControlPoint};
const Slots kSetData{"set data", &CDrawObj::ListActionSetData, &CDrawObj::ApplyActionSetData};
const Slots kCalculate{"calculate", &CDrawObj::ListActionCalculate, &CDrawObj::ApplyActionCalculate};
const Slots kCartoon{"cartoon", &CDrawObj::ListActionCartoon, &CDrawObj::ApplyActionCartoon};

Bytes RecordBytes(CMethod& action) {
  return StoreToBytes([&](CArchive& ar) { action.Serialize(ar); });
}

int Number(CPropGrid& grid, int row) {
  int value = -12345;
  grid.GetNumber(row, &value);
  return value;
}

// A trajectory whose point walk yields a fixed count and remembers the step it was asked for.
class StubTrajectory : public CDrawObj {
 public:
  explicit StubTrajectory(int points) : m_points(points) { m_trajectory = 1; }
  int GetPathPoints(int step, CMethod* action, int) override {
    askedStep = step;
    if (action) action->m_path.Add(CPoint(1, 1));
    return m_points;
  }
  int askedStep = 0;

 private:
  int m_points;
};

class ActionTypeRowsTest : public testing::Test {
 protected:
  void SetUp() override { host.document = &doc; }

  template <class T>
  T* Add(T* object, const char* name) {
    object->m_name = name;
    doc.m_objects.AddTail(object);
    return object;
  }

  // The page's four header rows stand before the type's rows, as on the panel.
  void List(CDrawObj& object, const Slots& slots, CMethod& action) {
    grid.RemoveAll();
    for (const char* header : {"已有动作", "动作类型", "交互", "起始时刻"}) grid.AddSimpleItem(header, kPropText, 0);
    EXPECT_EQ((object.*slots.list)(&grid, action), 1);
  }

  // Lists a new action of the type, lets the test edit the rows, and confirms them.
  BOOL ConfirmNew(CDrawObj& object, const Slots& slots, CMethod& result,
                  const std::function<void()>& edit = {}) {
    object.m_selectedAction = -1;
    CMethod shown;
    List(object, slots, shown);
    if (edit) edit();
    return (object.*slots.apply)(&grid, result);
  }

  // Lists the object's action at `index`, lets the test edit the rows, and confirms them
  // onto a copy of the record, as editing an action does.
  BOOL ConfirmEdit(CDrawObj& object, int index, const Slots& slots, CMethod& result,
                   const std::function<void()>& edit = {}) {
    object.m_selectedAction = index;
    List(object, slots, object.m_actions[index]);
    if (edit) edit();
    result = object.m_actions[index];
    return (object.*slots.apply)(&grid, result);
  }

  TestHost host;
  CDrawDoc doc;
  CPropGrid grid;
  CDrawRect* shape = Add(new CDrawRect(CRect(-10, 10, 10, -10)), "方块");
};

CMethod Action(DWORD type, const char* name) {
  CMethod action;
  action.m_nType = type;
  action.m_strName = name;
  return action;
}

}  // namespace

TEST_F(ActionTypeRowsTest, NewActionsTakeTheFirstFreeNumberAndEditsKeepTheirName) {
  Add(new StubTrajectory(3), "轨道");
  struct Case {
    std::vector<CMethod> existing;
    const Slots* slots;
    const char* name;
  } cases[] = {
      {{}, &kTranslation, "平移运动1"},
      {{Action(CMethod::typeTranslate, "平移运动1")}, &kTranslation, "平移运动2"},
      {{Action(CMethod::typeExit, "退出1")}, &kExit, "退出2"},
      {{Action(CMethod::typeLayer, "改变层1")}, &kExit, "退出1"},
      // The only one of its type left after a deletion is the second: 2 is taken, 3 is free.
      {{Action(CMethod::typeTranslate, "平移运动2")}, &kTranslation, "平移运动3"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    shape->m_actions.RemoveAll();
    for (CMethod& a : c.existing) shape->m_actions.Add(a);
    CMethod result;
    ASSERT_TRUE(ConfirmNew(*shape, *c.slots, result));
    EXPECT_EQ(result.m_strName, c.name);
  }

  CMethod renamed = Action(CMethod::typeLayer, "上移");
  shape->m_actions.RemoveAll();
  shape->m_actions.Add(renamed);
  CMethod result;
  ASSERT_TRUE(ConfirmEdit(*shape, 0, kExit, result));
  EXPECT_EQ(result.m_strName, "上移");
  EXPECT_EQ(result.m_nType, CMethod::typeExit);
}

TEST_F(ActionTypeRowsTest, AnUnchangedConfirmKeepsEveryByteOfTheRecord) {
  Add(new StubTrajectory(7), "轨道");
  Add(new CDrawPoint(CRect(0, 0, 2, -2)), "中心");
  Add(new CDrawText(CRect(0, 0, 40, -20)), "文本");
  struct Case {
    const Slots* slots;
    DWORD type;
    std::function<void(CMethod&)> fill;
  } cases[] = {
      {&kTranslation, CMethod::typeTranslate,
       [](CMethod& a) { a.m_nDuration = 30; a.m_bLoop = 1; a.m_strPath = "轨道"; a.m_nSpeed = 4; }},
      {&kRotation, CMethod::typeRotate,
       [](CMethod& a) {
         a.m_nDuration = 50; a.m_nStartAngle = 45; a.m_nEndAngle = 360; a.m_bRotateTwoWay = 1;
         a.m_strCentre = "中心"; a.m_nReserved12 = -1; a.m_nStep = -3;
       }},
      {&kEffect, CMethod::typeEffect,
       [this](CMethod& a) {
         a.m_nEffect = 3; a.m_nDirection = 1; a.m_nSpeed = 2; a.m_nStep = 5;
         a.m_nDuration = std::abs(shape->GetEffectLength(3, 1, 2, 5));
       }},
      {&kPageSwitch, CMethod::typePageSwitch, [](CMethod& a) { a.m_strTarget = "pages\\p2.rvx"; a.m_nMode = 1; }},
      {&kShowHide, CMethod::typeShowHide, [](CMethod& a) { a.m_nValue = 0; a.m_nDuration = 12; }},
      {&kLayer, CMethod::typeLayer, [](CMethod& a) { a.m_nLayerSteps = -2; }},
      {&kExit, CMethod::typeExit, [](CMethod&) {}},
      {&kProgram, CMethod::typeRunProgram, [](CMethod& a) { a.m_strTarget = "C:\\tools\\calc.exe"; }},
      {&kControlPoint, CMethod::typeControlPoint,
       [](CMethod& a) { a.m_nDuration = 9; a.m_strPath = "轨道"; a.m_nControlPoint = 2; }},
      {&kSetData, CMethod::typeSetData,
       [](CMethod& a) { a.m_nSetType = 2; a.m_nIndex = 3; a.m_strExpression = "x+1"; a.m_strSource = "文本"; }},
      {&kCalculate, CMethod::typeCalculate,
       [](CMethod& a) {
         a.m_nIndex = 1; a.m_strExpression = "1+2"; a.m_strSource = "3"; a.m_nMode = 2; a.m_nValue = 0;
       }},
      {&kCartoon, CMethod::typeCartoon,
       [](CMethod& a) { a.m_nDuration = 8; a.m_bRotateLoop = 1; a.m_nInterval = 2; a.m_bLoop = 1; }},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.slots->type);
    // Fields no row shows survive too.
    CMethod stored = Action(c.type, "动作");
    stored.m_nExtraTime = 7;
    stored.m_nPathIndex = 3;
    stored.m_strPicture = "a.gif";
    stored.m_strReserved53 = "kept";
    c.fill(stored);
    shape->m_actions.RemoveAll();
    shape->m_actions.Add(stored);
    const Bytes before = RecordBytes(stored);
    CMethod result;
    ASSERT_TRUE(ConfirmEdit(*shape, 0, *c.slots, result));
    EXPECT_EQ(Hex(RecordBytes(result), 4096), Hex(before, 4096));
  }
}

TEST_F(ActionTypeRowsTest, AnEditedRowChangesOnlyItsField) {
  CMethod stored = Action(CMethod::typeRotate, "旋转");
  stored.m_nDuration = 20;
  stored.m_nStartAngle = 10;
  stored.m_nEndAngle = 100;
  shape->m_actions.Add(stored);
  CMethod result;
  ASSERT_TRUE(ConfirmEdit(*shape, 0, kRotation, result, [&] { grid.SetNumber("旋转速度", 3); }));
  CMethod expected = stored;
  expected.m_nStep = 3;
  EXPECT_EQ(Hex(RecordBytes(result), 4096), Hex(RecordBytes(expected), 4096));
}

TEST_F(ActionTypeRowsTest, RotationNormalisesItsAnglesAndDerivesItsDuration) {
  struct Case {
    int start, end, speed;
    int duration, storedStart, storedEnd;
  } cases[] = {
      {30, 10, 5, 118, 30, 10},     // span 340
      {30, 10, -5, 6, 30, 10},      // span 20
      {400, 720, 5, 111, 40, 0},    // span 320
      {-30, 360, 5, 10, 330, 360},  // span 30
      {360, 360, 5, 0, 360, 360},
      {-1, 90, 10, 15, -1, 90},     // from where it stands: the end angle
      {30, 10, 0, 0, 30, 10},       // no speed: no turn
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << " -> " << c.end << " at " << c.speed);
    CMethod result;
    ASSERT_TRUE(ConfirmNew(*shape, kRotation, result, [&] {
      grid.SetNumber("起始角度", c.start);
      grid.SetNumber("终止角度", c.end);
      grid.SetNumber("旋转速度", c.speed);
    }));
    EXPECT_EQ(result.m_nDuration, c.duration);
    EXPECT_EQ(result.m_nRotateFrames, c.duration);
    EXPECT_EQ(result.m_nStartAngle, c.storedStart);
    EXPECT_EQ(result.m_nEndAngle, c.storedEnd);
    EXPECT_EQ(result.m_nReserved12, 0);
    EXPECT_EQ(Number(grid, 5), c.duration);
    EXPECT_EQ(Number(grid, 6), c.storedStart);
    EXPECT_EQ(Number(grid, 7), c.storedEnd);
  }

  CMethod given;
  ASSERT_TRUE(ConfirmNew(*shape, kRotation, given, [&] { grid.SetNumber("持续时间", 40); }));
  EXPECT_EQ(given.m_nDuration, 40);
  EXPECT_EQ(given.m_nRotateFrames, 0);
}

TEST_F(ActionTypeRowsTest, RotationAboutACentreKeepsTheAngleTheObjectStandsAt) {
  Add(new CDrawRect(CRect(0, 0, 4, -4)), "不是点");
  Add(new CDrawPoint(CRect(9, 11, 11, 9)), "中心");
  CMethod shown;
  List(*shape, kRotation, shown);
  EXPECT_EQ(RowNames(grid)[9], "旋转中心");
  EXPECT_EQ(RowChoices(grid, 10), std::vector<CString>{"中心"});
  EXPECT_EQ(RowText(grid, 10), "");

  CMethod result;
  grid.SetText("旋转中心", "中心");
  ASSERT_TRUE(shape->ApplyActionRotation(&grid, result));
  EXPECT_EQ(result.m_nReserved12, -1);
  EXPECT_EQ(result.m_nDuration, 62);  // 360 degrees at speed 10
  // The object's centre (0, 0) seen from the point (10, 10): atan2(-10, 10).
  EXPECT_EQ(shape->m_rotationState.orbitAngle, -45.0);

  shape->m_rotationState.orbitAngle = 7.0;
  CMethod orphan;
  ASSERT_TRUE(ConfirmNew(*shape, kRotation, orphan, [&] { grid.SetText("旋转中心", "已删除"); }));
  EXPECT_EQ(orphan.m_nDuration, 62);
  EXPECT_EQ(shape->m_rotationState.orbitAngle, 7.0);
}

TEST_F(ActionTypeRowsTest, TranslationWalksTheTrajectoryItNames) {
  auto* first = Add(new StubTrajectory(4), "轨道1");
  auto* gone = Add(new StubTrajectory(5), "轨道2");
  gone->m_deleted = 1;
  auto* last = Add(new StubTrajectory(7), "轨道3");
  CMethod shown;
  List(*shape, kTranslation, shown);
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"已有动作", "动作类型", "交互", "起始时刻", "持续时间", "循环平移",
                                               "双向平移", "轨迹名", "平移速度"}));
  EXPECT_EQ(RowChoices(grid, 8), (std::vector<CString>{"轨道1", "轨道3"}));
  EXPECT_EQ(RowText(grid, 8), "轨道3");
  EXPECT_EQ(Number(grid, 5), -1);
  EXPECT_EQ(Number(grid, 9), 10);

  CMethod result;
  grid.SetNumber("平移速度", 6);
  ASSERT_TRUE(shape->ApplyActionTranslation(&grid, result));
  EXPECT_EQ(result.m_nType, CMethod::typeTranslate);
  EXPECT_EQ(result.m_strPath, "轨道3");
  EXPECT_EQ(result.m_nDuration, 7);
  EXPECT_EQ(last->askedStep, 6);
  EXPECT_EQ(result.m_path.GetSize(), 0);  // the walk's points belong to a run
  EXPECT_EQ(Number(grid, 5), 7);
  EXPECT_EQ(first->askedStep, 0);

  CMethod missing;
  ASSERT_TRUE(ConfirmNew(*shape, kTranslation, missing, [&] { grid.SetText("轨迹名", "没有"); }));
  EXPECT_EQ(missing.m_nDuration, -1);

  MessageBoxCapture boxes;
  CMethod refused;
  EXPECT_FALSE(ConfirmNew(*shape, kTranslation, refused, [&] { grid.SetText("轨迹名", ""); }));
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, "轨迹名未设置!");
  EXPECT_EQ(boxes.boxes()[0].flags, UINT(MB_ICONERROR | MB_OK));
}

TEST_F(ActionTypeRowsTest, ControlPointMarksItsPointAndTakesTheMarkedOne) {
  Add(new StubTrajectory(7), "轨道");
  CMethod stored = Action(CMethod::typeControlPoint, "控制点平移运动1");
  stored.m_nControlPoint = 2;
  stored.m_strPath = "轨道";
  shape->m_actions.Add(stored);
  shape->m_selectedAction = 0;
  List(*shape, kControlPoint, shape->m_actions[0]);
  CPropGridItem* row = grid.FindItem(10);
  ASSERT_NE(row, nullptr);
  EXPECT_TRUE(row->IsKindOf(RUNTIME_CLASS(CPropGridChildItem)));
  EXPECT_EQ(row->GetKind(), kPropPoint);
  EXPECT_EQ(row->GetName(), "控制点");
  EXPECT_EQ(RowText(grid, 10), "控制点2");
  EXPECT_EQ(shape->m_activeHandle, 2);
  EXPECT_EQ(shape->m_showActiveHandle, 1);
  EXPECT_EQ(host.invalidated, std::vector<CDrawObj*>{shape});

  shape->m_activeHandle = 3;  // the author marks another point
  CMethod result = stored;
  ASSERT_TRUE(shape->ApplyActionControlPoint(&grid, result));
  EXPECT_EQ(result.m_nDuration, 6);  // one step fewer than the points
  EXPECT_EQ(result.m_nControlPoint, 3);
  EXPECT_EQ(RowText(grid, 10), "控制点3");
  EXPECT_EQ(result.m_strName, "控制点平移运动1");
}

TEST_F(ActionTypeRowsTest, EffectRowsFollowTheKindAndRefuseAZeroStep) {
  CMethod shown;
  List(*shape, kEffect, shown);
  EXPECT_EQ(RowChoices(grid, 5), (std::vector<CString>{"扫描显示", "移动显示", "百叶窗", "栅条显示", "图形渐铺",
                                                     "拉伸显示", "渐消渐隐"}));
  EXPECT_EQ(RowText(grid, 5), "扫描显示");
  EXPECT_EQ(RowChoices(grid, 6),
            (std::vector<CString>{"向下", "向上", "向右", "向左", "上下向中", "左右向中"}));
  EXPECT_EQ(RowText(grid, 6), "向下");
  EXPECT_EQ(Number(grid, 7), 1);
  EXPECT_EQ(Number(grid, 9), 1);

  CMethod stored = Action(CMethod::typeEffect, "特技效果1");
  stored.m_nEffect = 2;
  stored.m_nDirection = 1;
  shape->m_actions.Add(stored);
  shape->m_selectedAction = 0;
  List(*shape, kEffect, shape->m_actions[0]);
  EXPECT_EQ(RowText(grid, 5), "百叶窗");
  EXPECT_EQ(RowChoices(grid, 6), (std::vector<CString>{"垂直百叶窗", "水平百叶窗"}));
  EXPECT_EQ(RowText(grid, 6), "水平百叶窗");

  struct Case {
    const char* kind;
    const char* direction;
    int step;
    int effect, storedDirection;
    bool lasts;
  } cases[] = {
      {"百叶窗", "水平百叶窗", 3, 2, 1, true},
      {"闪烁", "向下", 3, 1, 8, false},    // no such kind: the new record's kind and direction
      {"百叶窗", "向上", 3, 2, 8, false},  // not a direction of the kind
      {"百叶窗", "垂直百叶窗", -2, 2, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    CMethod result;
    ASSERT_TRUE(ConfirmNew(*shape, kEffect, result, [&] {
      shape->ListEffectDirections(&grid, 2, 0);
      grid.SetText("特技类型", c.kind);
      grid.SetText("方向", c.direction);
      grid.SetNumber("步长", c.step);
      grid.SetNumber("延时", 2);
    }));
    EXPECT_EQ(result.m_nEffect, c.effect);
    EXPECT_EQ(result.m_nDirection, c.storedDirection);
    const int length = std::abs(shape->GetEffectLength(c.effect, c.storedDirection, 2, c.step));
    EXPECT_EQ(result.m_nDuration, length);
    EXPECT_EQ(Number(grid, 8), length);
    EXPECT_EQ(result.m_nDuration > 0, c.lasts);
  }

  MessageBoxCapture boxes;
  CMethod refused;
  EXPECT_FALSE(ConfirmNew(*shape, kEffect, refused, [&] { grid.SetNumber("步长", 0); }));
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, "步长不能为0");
  EXPECT_EQ(boxes.boxes()[0].flags, UINT(MB_ICONERROR | MB_OK));
}

TEST_F(ActionTypeRowsTest, PageSwitchKeepsTheFileNameOfAFullPath) {
  struct Case {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"C:\\a\\b\\p2.rvx", "p2.rvx"},
      {"pages\\p2.rvx", "pages\\p2.rvx"},
      {"p2.rvx", "p2.rvx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    CMethod result;
    ASSERT_TRUE(ConfirmNew(*shape, kPageSwitch, result, [&] {
      grid.SetText("页名", c.typed);
      grid.SetFlag("动态切换", TRUE);
    }));
    EXPECT_EQ(result.m_strTarget, c.stored);
    EXPECT_EQ(result.m_nMode, 1);
  }
  CPropGridItem* file = grid.FindItem(5);
  PropertyEntry entry;
  file->GetEntry(&entry, -2);
  EXPECT_EQ(entry.kind, kPropFile);
  EXPECT_TRUE(entry.openFile);
  EXPECT_EQ(entry.extra, "页面文件(*.rvx)|*.rvx|所有文件 (*.*)|*.*||");

  MessageBoxCapture boxes;
  CMethod refused;
  EXPECT_FALSE(ConfirmNew(*shape, kPageSwitch, refused));
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, "页面文件名不能为空");
  EXPECT_EQ(boxes.boxes()[0].flags, UINT(MB_OK));
}

TEST_F(ActionTypeRowsTest, SetDataKeepsTheVariableIndexAtLeastTheFirst) {
  auto* text = Add(new CDrawText(CRect(0, 0, 40, -20)), "文本");
  Add(new CDrawRect(CRect(0, 0, 4, -4)), "无标题");
  CMethod stored = Action(CMethod::typeSetData, "设置数据1");
  stored.m_nIndex = -3;
  stored.m_nSetType = 7;
  text->m_actions.Add(stored);
  text->m_selectedAction = 0;
  List(*text, kSetData, text->m_actions[0]);
  EXPECT_EQ(RowNames(grid)[6], "变量索引");
  EXPECT_EQ(Number(grid, 7), 1);
  EXPECT_EQ(text->m_actions[0].m_nIndex, 0);
  EXPECT_EQ(RowChoices(grid, 6), (std::vector<CString>{"变量赋值", "运算输入", "运算归零"}));
  EXPECT_EQ(RowText(grid, 6), "");
  EXPECT_EQ(RowChoices(grid, 9), std::vector<CString>{"文本"});

  struct Case {
    int shown;
    int index;
  } cases[] = {{1, 0}, {5, 4}, {0, 0}, {-7, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    CMethod result;
    ASSERT_TRUE(ConfirmEdit(*text, 0, kSetData, result, [&] { grid.SetNumber("变量索引", c.shown); }));
    EXPECT_EQ(result.m_nIndex, c.index);
    EXPECT_EQ(result.m_nSetType, -1);  // the empty type names none
  }

  Add(new CDrawRect(CRect(0, 0, 4, -4)), "有标题")->m_caption = "按钮";
  CMethod fresh;
  List(*text, kSetData, fresh);
  EXPECT_EQ(RowChoices(grid, 9), (std::vector<CString>{"文本", "有标题"}));
  EXPECT_EQ(RowText(grid, 9), "有标题");
  EXPECT_EQ(RowText(grid, 6), "变量赋值");
}

TEST_F(ActionTypeRowsTest, CartoonLastsOneIntervalPerMember) {
  auto* group = Add(new CDrawCompObj, "组");
  for (int i = 0; i < 5; ++i) group->m_members.AddTail(new CDrawRect(CRect(i, 0, i + 1, -1)));
  for (CDrawObj* object : {static_cast<CDrawObj*>(group), static_cast<CDrawObj*>(shape)}) {
    SCOPED_TRACE(object->m_name.GetString());
    CMethod result;
    ASSERT_TRUE(ConfirmNew(*object, kCartoon, result, [&] { grid.SetNumber("显示间隔", 4); }));
    EXPECT_EQ(result.m_nType, CMethod::typeCartoon);
    EXPECT_EQ(result.m_bLoop, 1);
    EXPECT_EQ(result.m_nInterval, 4);
    EXPECT_EQ(result.m_nDuration, object == group ? 20 : -1);
    EXPECT_EQ(Number(grid, 5), result.m_nDuration);
  }
}

TEST_F(ActionTypeRowsTest, DisplayResultHasNoRowsAndTakesNoRecord) {
  CMethod action;
  List(*shape, {"display", &CDrawObj::ListActionDisplay, &CDrawObj::ApplyActionDisplay}, action);
  EXPECT_EQ(grid.GetItemCount(), 4);
  EXPECT_FALSE(shape->ApplyActionDisplay(&grid, action));
}
