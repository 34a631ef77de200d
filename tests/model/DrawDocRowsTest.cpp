// The page's rows in the property panel: what the page lists, and what taking the
// edited rows back does to a real page document.
#include <gtest/gtest.h>

#include "graphics/Picture.h"
#include "model/DrawDoc.h"
#include "propgrid/PropGrid.h"
#include "propgrid/PropGridItem.h"
#include "tests/support/GridRows.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TestHost.h"

namespace {

class PageRowsTest : public testing::Test {
 protected:
  void SetUp() override {
    host.document = &doc;
    doc.SetTitle("Lesson.RVX");
    doc.m_pageSize = CSize(800, 600);
    doc.m_backColour = RGB(1, 2, 3);
    doc.m_curtainColour = RGB(4, 5, 6);
    doc.m_useBackPicture = 1;
    doc.m_backPictureFile = "c:\\back.bmp";
    doc.m_stretchBackPicture = 0;
    doc.ListPage(&grid);
  }
  TestHost host;
  CDrawDoc doc;
  CPropGrid grid;
};

}  // namespace

TEST_F(PageRowsTest, ListPageShowsThePageInOrder) {
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"页名", "宽度", "高度", "背景色", "幕布色", "使用背景图", "文件名",
                                               "拉伸背景图"}));
  CString text;
  int value = 0;
  grid.GetText("页名", &text);
  EXPECT_EQ(text, "lesson");
  EXPECT_EQ(doc.m_pageName, "lesson");
  grid.GetNumber2("宽度", &value);
  EXPECT_EQ(value, 800);
  grid.GetNumber2("高度", &value);
  EXPECT_EQ(value, 600);
  grid.GetColour("背景色", &value);
  EXPECT_EQ(value, static_cast<int>(RGB(1, 2, 3)));
  grid.GetColour("幕布色", &value);
  EXPECT_EQ(value, static_cast<int>(RGB(4, 5, 6)));
  grid.GetFlag("使用背景图", &value);
  EXPECT_EQ(value, 1);
  grid.GetFlag("拉伸背景图", &value);
  EXPECT_EQ(value, 0);
  grid.GetText("文件名", &text);
  EXPECT_EQ(text, "c:\\back.bmp");
  EXPECT_EQ(grid.FindItem(7)->GetKind(), kPropFile);
}

TEST_F(PageRowsTest, AnEmptyNameComesBackAndNothingIsApplied) {
  grid.SetText("页名", "");
  grid.SetNumber2("宽度", 400);
  doc.ApplyPage(&grid);
  CString text;
  grid.GetText("页名", &text);
  EXPECT_EQ(text, "lesson");
  EXPECT_EQ(doc.m_pageSize, CSize(800, 600));
  EXPECT_FALSE(doc.IsPageModified());
}

TEST_F(PageRowsTest, ARenameMovesTheSavePathAndLeavesTheOldFile) {
  const CString folder = TestTempFolder();
  const CString old = folder + "lesson.rvx";
  ::CloseHandle(::CreateFileA(old, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  doc.SetPathName(old, FALSE);
  grid.SetText("页名", "Second.RVX");
  doc.ApplyPage(&grid);
  EXPECT_EQ(doc.GetPathName().Right(11), "\\second.rvx");
  EXPECT_EQ(doc.GetTitle(), "second.rvx");
  EXPECT_NE(::GetFileAttributesA(old), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(doc.IsPageModified());
  ::DeleteFileA(old);
}

TEST_F(PageRowsTest, ASizeBelowTheMinimumIsRefusedAndLaterRowsAreNotApplied) {
  MessageBoxCapture boxes;
  doc.m_screenSize = CSize(1280, 1024);
  grid.SetNumber2("宽度", 79);
  grid.SetColour("背景色", RGB(9, 9, 9));
  doc.ApplyPage(&grid);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_NE(boxes.boxes()[0].text.Find("80 到 1280"), -1);
  EXPECT_NE(boxes.boxes()[0].text.Find("60 到 1024"), -1);
  EXPECT_EQ(doc.m_pageSize, CSize(800, 600));
  EXPECT_EQ(doc.m_backColour, RGB(1, 2, 3));
}

TEST_F(PageRowsTest, ANewBackgroundPictureIsLoaded) {
  const CString file = WriteTestPicture("PageRowsBack.bmp", 8, 6, [](int, int) { return RGB(0, 0, 255); });
  CString upper = file;
  upper.MakeUpper();
  grid.SetText("文件名", upper);
  grid.SetNumber2("宽度", 400);
  doc.ApplyPage(&grid);
  CString lower = file;
  lower.MakeLower();
  EXPECT_EQ(doc.m_backPictureFile, lower);
  ASSERT_TRUE(doc.m_backPicture);
  EXPECT_EQ(doc.m_pageSize, CSize(400, 600));
  EXPECT_TRUE(doc.IsPageModified());
}

TEST(PageTransitionRows, ListingAKindResetsTheDirection) {
  TestHost host;
  CDrawDoc doc;
  doc.m_transitionKind = 6;
  doc.m_transitionDirection = 3;
  doc.m_transitionDelay = 4;
  CPropGrid grid;
  doc.ListTransition(&grid, -1);
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"动作类型", "延时", "方向"}));
  CString text;
  grid.GetText("动作类型", &text);
  EXPECT_EQ(text, "图形渐铺");
  grid.GetText("方向", &text);
  EXPECT_EQ(text, "圆形向内");
  EXPECT_EQ(RowChoices(grid, "动作类型").size(), 9u);

  grid.RemoveItemsFrom(3);
  doc.ListTransition(&grid, 3);
  EXPECT_EQ(doc.m_transitionDirection, 0);
  EXPECT_EQ(RowChoices(grid, "方向"), (std::vector<CString>{"垂直百叶窗", "水平百叶窗"}));
  grid.GetText("方向", &text);
  EXPECT_EQ(text, "垂直百叶窗");
  grid.RemoveItemsFrom(3);
  doc.ListTransition(&grid, 8);
  grid.GetText("方向", &text);
  EXPECT_EQ(text, "");
}

TEST(PageTransitionRows, ApplyTakesKnownTextsAndClampsTheDelay) {
  const struct {
    const char* kind;
    const char* direction;
    int delay;
    int kindAfter, directionAfter, delayAfter, pending;
  } rows[] = {
      {"百叶窗", "水平百叶窗", 3, 3, 1, 3, 1},
      {"没有这种", "水平百叶窗", 3, 2, 1, 3, 0},  // unknown kind: kind 2's list has no such direction
      {"移动显示", "向左", -5, 2, 3, 0, 1},
      {"马赛克显示", "", 2, 5, 0, 2, 1},
      {"常规", "", 7, 0, 1, 7, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.kind);
    TestHost host;
    CDrawDoc doc;
    doc.m_transitionKind = 2;
    doc.m_transitionDirection = 1;
    CPropGrid grid;
    doc.ListTransition(&grid, -1);
    grid.SetText("动作类型", row.kind);
    grid.SetText("方向", row.direction);
    grid.SetNumber("延时", row.delay);
    doc.ApplyTransition(&grid, -1);
    EXPECT_EQ(doc.m_transitionKind, row.kindAfter);
    EXPECT_EQ(doc.m_transitionDirection, row.directionAfter);
    EXPECT_EQ(doc.m_transitionDelay, row.delayAfter);
    EXPECT_EQ(doc.m_transitionPending, row.pending);
    int delay = -1;
    grid.GetNumber("延时", &delay);
    EXPECT_EQ(delay, row.delayAfter);
  }
}

TEST(PageTriggerRows, ABlankPageEventTemplate) {
  TestHost host;
  CDrawDoc doc;
  CPropGrid grid;
  doc.ListTriggers(&grid);
  EXPECT_EQ(RowNames(grid), (std::vector<CString>{"触发条件", "被触发对象", "被触发动作"}));
  EXPECT_EQ(RowChoices(grid, "触发条件"), (std::vector<CString>{"按下鼠标左键", "放开鼠标左键", "双击鼠标左键", "移动鼠标",
                                                            "按下鼠标右键", "放开鼠标右键"}));
  CString text;
  grid.GetText("触发条件", &text);
  EXPECT_EQ(text, "按下鼠标左键");
}
