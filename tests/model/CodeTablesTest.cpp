// The base code tables both ways, with their deliberate asymmetries.
#include <gtest/gtest.h>

#include <string>

#include "model/CodeTables.h"

namespace {

TEST(CodeTables, DataTypes) {
  const char* const names[4][3] = {
      {"整数", "小数", "文字"},
      {"文字数字", "对错符号", "语音提示"},
      {"表达式", "算式", "运算"},
      {"变量赋值", "运算输入", "运算归零"},
  };
  for (int group = 0; group < 4; ++group) {
    for (int item = 0; item < 3; ++item) {
      SCOPED_TRACE(testing::Message() << group << "/" << item);
      EXPECT_EQ(std::string(names[group][item]), CodeTables::DataTypeName(item, group).str());
      EXPECT_EQ(item, CodeTables::DataTypeFromName(names[group][item], group));
    }
  }
  struct Miss {
    int item;
    int group;
  };
  for (const Miss& m : {Miss{3, 0}, Miss{-1, 0}, Miss{0, 4}, Miss{0, -1}})
    EXPECT_EQ("", CodeTables::DataTypeName(m.item, m.group).str()) << m.item << "/" << m.group;

  struct Lookup {
    const char* name;
    int group;
    int item;
  };
  const Lookup lookups[] = {
      {"整数", 1, -1},  // names belong to their group only
      {"文字", 0, 2},   {"文字", 1, -1}, {"整数", 4, -1}, {"整数", -1, -1},
      {"整数 ", 0, -1}, {"", 0, -1},
  };
  for (const Lookup& l : lookups)
    EXPECT_EQ(l.item, CodeTables::DataTypeFromName(l.name, l.group)) << l.name << " in " << l.group;
}

TEST(CodeTables, ActionTypes) {
  struct Case {
    DWORD type;
    int index;
    const char* name;
  };
  const Case cases[] = {
      {0x1, 0, "平移运动"},     {0x2, 1, "旋转运动"}, {0x8, 2, "特技效果"},
      {0x10, 3, "页面切换"},    {0x20, 4, "显示或隐藏"}, {0x40, 5, "改变层"},
      {0x80, 6, "退出"},        {0x100, 7, "调用外部程序"}, {0x1000, 8, "控制点平移运动"},
      // Kinds of other objects, combinations and no kind at all.
      {0x400, -1, ""},  {0x800, -1, ""}, {0x4, -1, ""}, {0x8000, -1, ""}, {0x3, -1, ""},
      {0, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    int index = 99;
    EXPECT_EQ(std::string(c.name), CodeTables::ActionTypeName(c.type, index).str());
    EXPECT_EQ(c.index, index);
    if (c.index >= 0) {
      EXPECT_EQ(c.index, CodeTables::ActionTypeFromName(c.name));
    }
  }
  EXPECT_EQ(-1, CodeTables::ActionTypeFromName("播放"));
  EXPECT_EQ(-1, CodeTables::ActionTypeFromName("退出 "));
  EXPECT_EQ(-1, CodeTables::ActionTypeFromName(""));
}

TEST(CodeTables, Triggers) {
  struct Case {
    DWORD flag;
    int index;  // from the flag: the timer is skipped
    int bit;    // from the name
    const char* name;
  };
  const Case cases[] = {
      {1, 0, 0, "按下鼠标左键"},     {2, 1, 1, "放开鼠标左键"},    {4, 2, 2, "双击鼠标左键"},
      {8, 3, 3, "移动鼠标"},         {16, 4, 4, "按下鼠标右键"},   {32, 5, 5, "放开鼠标右键"},
      {128, 6, 7, "鼠标光标进入"},   {256, 7, 8, "鼠标光标离开"},  {512, 8, 9, "按下键盘键"},
      {1024, 9, 10, "放开键盘键"},   {2048, 10, 11, "运动触发"},   {4096, 11, 12, "拖放所选对象"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flag);
    int index = 99;
    EXPECT_EQ(std::string(c.name), CodeTables::TriggerName(c.flag, index).str());
    EXPECT_EQ(c.index, index);
    EXPECT_EQ(c.bit, CodeTables::TriggerFromName(c.name));
  }
  // The timer has a name to look up but none to show.
  int index = 99;
  EXPECT_EQ("", CodeTables::TriggerName(64, index).str());
  EXPECT_EQ(-1, index);
  EXPECT_EQ(6, CodeTables::TriggerFromName("定时器"));
  for (DWORD flag : {0u, 3u, 0x2000u, 0x4000u}) {
    index = 99;
    EXPECT_EQ("", CodeTables::TriggerName(flag, index).str()) << flag;
    EXPECT_EQ(-1, index) << flag;
  }
  EXPECT_EQ(-1, CodeTables::TriggerFromName("移动鼠标 "));
  EXPECT_EQ(-1, CodeTables::TriggerFromName(""));
}

}  // namespace
