// A function plot's general rows: what it lists for each kind of plot, and a definition
// edited in the rows taken whole or refused whole.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "behaviour/DrawFun.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/Method.h"
#include "tests/support/GridRows.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TestHost.h"

namespace {

using Names = std::vector<CString>;

const Names kBaseRows = {"对象名称", "可见", "透明", "对象层", "按钮化"};

Names Join(std::initializer_list<Names> parts) {
  Names all;
  for (const Names& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// y = x * 3 on [0, 2] with step 0.5, in a 100 x 100 rectangle, unit 10.
std::unique_ptr<CDrawFun> Plot(int kind = kFunctionCartesian) {
  auto plot = std::make_unique<CDrawFun>(CRect(-50, 50, 50, -50));
  plot->m_name = "函数1";
  CFunction::Definition d;
  d.kind = kind;
  d.independentName = "x";
  d.dependentName = "y";
  d.parameterName = "t";
  d.firstFormula = kind == kFunctionParametric ? "t" : "";
  d.secondFormula = kind == kFunctionParametric ? "t" : "x*3";
  EXPECT_EQ(0, plot->m_function.Define(d, 0.0));
  plot->m_function.m_domain.RemoveAll();
  plot->m_function.m_domain.Add(CInterval{0.0, 2.0, 0.5, kEndClosedClosed});
  plot->RebuildPoints();
  return plot;
}

struct Listed {
  std::unique_ptr<CDrawFun> plot = Plot();
  CPropGrid grid;
  Listed() { plot->ListGeneral(&grid); }
};

}  // namespace

TEST(DrawFunRows, EachKindOfPlotListsItsRows) {
  const Names head = Join({kBaseRows, {"有边框", "单位点像素", "显示坐标系"}});
  const Names names = {"函数式", "自变量", "因变量"};
  const Names domain = {"定义域类型", "区间左端", "区间右端", "区间分割"};
  const struct {
    const char* kind;
    int functionKind, trajectory, intervals;
    Names rows;
  } cases[] = {
      {"one interval", kFunctionCartesian, 0, 1, Join({head, names, domain})},
      {"no interval", kFunctionPolar, 0, 0, Join({head, names, domain})},
      {"two intervals", kFunctionCartesian, 0, 2, Join({head, names})},
      {"parametric", kFunctionParametric, 0, 1, head},
      {"trajectory", kFunctionCartesian, 1, 1, Join({kBaseRows, {"显示曲线", "单位点像素", "显示坐标系"}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    TestHost host;
    auto plot = Plot(c.functionKind);
    plot->m_trajectory = c.trajectory;
    plot->m_function.m_domain.RemoveAll();
    for (int i = 0; i < c.intervals; ++i) plot->m_function.m_domain.Add(CInterval{0.0, 2.0, 0.5, kEndOpenClosed});
    CPropGrid grid;
    plot->ListGeneral(&grid);
    EXPECT_EQ(RowNames(grid), c.rows);
  }

  TestHost host;
  Listed listed;
  CPropGrid& grid = listed.grid;
  EXPECT_EQ(RowText(grid, "函数式"), "x*3");
  EXPECT_EQ(RowText(grid, "自变量"), "x");
  EXPECT_EQ(RowText(grid, "因变量"), "y");
  EXPECT_EQ(RowText(grid, "定义域类型"), "左闭右闭");
  EXPECT_EQ(RowChoices(grid, "定义域类型"), (Names{"左闭右闭", "左开右闭", "左闭右开", "左开右开"}));
  EXPECT_EQ(RowReal(grid, "区间左端"), 0.0);
  EXPECT_EQ(RowReal(grid, "区间右端"), 2.0);
  EXPECT_EQ(RowReal(grid, "区间分割"), 0.5);
  EXPECT_EQ(RowNumber(grid, "单位点像素"), 10);
  // Without a domain the rows offer the default interval.
  listed.plot->m_function.m_domain.RemoveAll();
  CPropGrid empty;
  listed.plot->ListGeneral(&empty);
  EXPECT_EQ(RowReal(empty, "区间左端"), -1.0);
  EXPECT_EQ(RowReal(empty, "区间右端"), 1.0);
  EXPECT_EQ(RowReal(empty, "区间分割"), 0.1);
}

TEST(DrawFunRows, ASmallUnitAndStepAreRaised) {
  TestHost host;
  Listed listed;
  listed.grid.SetNumber(CString("单位点像素"), 5);
  listed.grid.SetReal(CString("区间分割"), 0.05);
  listed.plot->ApplyGeneral(&listed.grid);
  EXPECT_EQ(listed.plot->m_unit, 10);
  EXPECT_EQ(RowNumber(listed.grid, "单位点像素"), 10);
  EXPECT_EQ(listed.plot->m_function.m_domain[0].step, 0.1);
  EXPECT_EQ(RowReal(listed.grid, "区间分割"), 0.1);
}

TEST(DrawFunRows, AGoodDefinitionIsTakenWhole) {
  TestHost host;
  Listed listed;
  CPropGrid& grid = listed.grid;
  CDrawFun& plot = *listed.plot;
  grid.SetText(CString("自变量"), "u");
  grid.SetText(CString("因变量"), "v");
  grid.SetText(CString("函数式"), "u*2");
  grid.SetText(CString("定义域类型"), "左开右闭");
  grid.SetReal(CString("区间左端"), 1.0);
  grid.SetReal(CString("区间右端"), 2.0);
  grid.SetReal(CString("区间分割"), 0.5);
  grid.SetFlag(CString("有边框"), TRUE);
  plot.ApplyGeneral(&grid);
  EXPECT_EQ(plot.m_function.m_independentName, "u");
  EXPECT_EQ(plot.m_function.m_dependentName, "v");
  EXPECT_EQ(plot.m_function.m_secondFormula, "u*2");
  ASSERT_EQ(plot.m_function.m_domain.GetSize(), 1);
  EXPECT_TRUE(plot.m_function.m_domain[0] == (CInterval{1.0, 2.0, 0.5, kEndOpenClosed}));
  EXPECT_TRUE(plot.IsBordered());
  // The points follow: the last sample is u = 2, v = 4.
  ASSERT_GT(plot.m_points.GetSize(), 0);
  EXPECT_EQ(plot.m_points[plot.m_points.GetSize() - 1].x, 20);
  EXPECT_EQ(plot.m_points[plot.m_points.GetSize() - 1].y, 40);

  // An emptied formula is kept and draws nothing.
  grid.SetText(CString("函数式"), "");
  plot.ApplyGeneral(&grid);
  EXPECT_EQ(plot.m_function.m_secondFormula, "");
  EXPECT_EQ(plot.m_points.GetSize(), 0);
}

TEST(DrawFunRows, ABadRowRefusesTheWholeDefinition) {
  const struct {
    const char* row;
    const char* value;
    const char* message;
    const char* restored;  // the row's text afterwards
  } cases[] = {
      {"函数式", "x*", "函数表达式语法有误", "x*3"},
      {"函数式", "z*2", "函数表达式语法有误", "x*3"},
      {"自变量", "1x", "自变量必需为字母", "x"},
      {"自变量", "", "自变量必需为字母", "x"},
      {"因变量", "_y", "因变量必需为字母", "y"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    TestHost host;
    Listed listed;
    CPropGrid& grid = listed.grid;
    CDrawFun& plot = *listed.plot;
    const CInterval before = plot.m_function.m_domain[0];
    grid.SetText(CString(c.row), c.value);
    grid.SetReal(CString("区间左端"), -1.0);
    grid.SetReal(CString("区间分割"), 0.25);
    grid.SetNumber(CString("单位点像素"), 30);
    MessageBoxCapture boxes;
    plot.ApplyGeneral(&grid);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, c.message);
    EXPECT_EQ(RowText(grid, c.row), c.restored);
    EXPECT_EQ(plot.m_function.m_secondFormula, "x*3");
    EXPECT_EQ(plot.m_function.m_independentName, "x");
    EXPECT_EQ(plot.m_function.m_dependentName, "y");
    EXPECT_TRUE(plot.m_function.m_domain[0] == before);
    EXPECT_EQ(plot.m_unit, 30);  // the rows before the definition still count
  }
}

TEST(DrawFunRows, TheRightEndMustLieAboveTheLeft) {
  TestHost host;
  Listed listed;
  listed.grid.SetReal(CString("区间左端"), 2.0);
  listed.grid.SetReal(CString("区间右端"), 2.0);
  listed.grid.SetText(CString("函数式"), "x*4");
  MessageBoxCapture boxes;
  listed.plot->ApplyGeneral(&listed.grid);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, "区间右端值必须大于左端值");
  EXPECT_EQ(RowReal(listed.grid, "区间左端"), 0.0);
  EXPECT_EQ(RowReal(listed.grid, "区间右端"), 2.0);
  EXPECT_EQ(listed.plot->m_function.m_secondFormula, "x*3");
}

TEST(DrawFunRows, APlotOffersNoRotationAndSetsItsFormulaOrInterval) {
  TestHost host;
  CDrawDoc page;
  host.document = &page;
  auto* source = new CDrawText(CRect(0, 0, 40, 20));
  source->m_name = "区间文字";
  auto* other = new CDrawText(CRect(0, 0, 40, 20));
  other->m_name = "公式文字";
  auto* rect = new CDrawRect(CRect(0, 0, 40, 20));
  rect->m_name = "矩形1";
  rect->m_caption = "[1,2]";
  for (CDrawObj* o : {static_cast<CDrawObj*>(source), static_cast<CDrawObj*>(other), static_cast<CDrawObj*>(rect)})
    page.m_objects.AddTail(o);
  auto plot = Plot();
  CPropGrid grid;
  plot->ListActions(&grid, -1);
  EXPECT_EQ(RowChoices(grid, "动作类型"), (Names{"平移运动", "特技效果", "页面切换", "显示或隐藏", "改变层", "退出",
                                                 "调用外部程序", "控制点平移运动", "设置数据"}));
  grid.RemoveItemsFrom(5);
  plot->ListActions(&grid, 8);
  EXPECT_EQ(RowNames(grid), (Names{"已有动作", "动作类型", "交互", "起始时刻", "持续时间", "数据类别", "数据来源"}));
  EXPECT_EQ(RowChoices(grid, "数据类别"), (Names{"函数式", "区间"}));
  EXPECT_EQ(RowChoices(grid, "数据来源"), (Names{"区间文字", "公式文字"}));
  EXPECT_EQ(RowText(grid, "数据来源"), "公式文字");
  EXPECT_EQ(RowText(grid, "数据类别"), "函数式");

  grid.SetText(CString("数据类别"), "区间");
  grid.SetText(CString("数据来源"), "区间文字");
  grid.SetNumber(CString("持续时间"), 3);
  plot->ApplyActions(&grid, 8);
  ASSERT_EQ(plot->m_actions.GetSize(), 1);
  const CMethod& action = plot->m_actions[0];
  EXPECT_EQ(action.m_nType, CMethod::typeSetData);
  EXPECT_EQ(action.m_strName, "设置数据1");
  EXPECT_EQ(action.m_nIndex, 1);
  EXPECT_EQ(action.m_strSource, "区间文字");
  EXPECT_EQ(action.m_nDuration, 3);

  // Shown again, the action's own datum and source come back.
  CPropGrid again;
  plot->m_selectedAction = 0;
  plot->ListActions(&again, -1);
  plot->ShowExistingAction(&again, 0);
  EXPECT_EQ(RowText(again, "数据类别"), "区间");
  EXPECT_EQ(RowText(again, "数据来源"), "区间文字");
  page.m_objects.RemoveAll();
  delete source;
  delete other;
  delete rect;
}
