// The rows each kind of object adds to the property panel and what applying them does:
// shapes, lines, polygons, text, composite objects and points, on the real grid.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "model/DrawCompObj.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/Method.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/GridRows.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TestHost.h"

namespace {

using Names = std::vector<CString>;

const Names kBaseRows = {"对象名称", "可见", "透明", "对象层", "按钮化"};
const Names kPictureRows = {"使用背景图", "拉伸背景图", "文件名"};

Names Join(std::initializer_list<Names> parts) {
  Names all;
  for (const Names& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::unique_ptr<CDrawObj> Shape(int shape, int trajectory) {
  auto o = std::make_unique<CDrawRect>(CRect(10, 10, 110, 60));
  o->m_name = "形状";
  o->m_shape = shape;
  o->m_trajectory = trajectory;
  return o;
}

template <typename T>
std::unique_ptr<CDrawObj> Make(int trajectory) {
  auto o = std::make_unique<T>(CRect(10, 10, 110, 60));
  o->m_name = "对象";
  o->m_trajectory = trajectory;
  return o;
}

// Which rows are read-only, by label.
Names ReadOnlyRows(const CPropGrid& grid) {
  Names names;
  for (POSITION pos = grid.GetHeadPosition(); pos;) {
    CPropGridItem* item = grid.GetNext(pos);
    if (item->IsReadOnly()) names.push_back(item->GetName());
  }
  return names;
}

}  // namespace

TEST(KindGeneralRows, EachKindListsItsRowsAfterTheBase) {
  const struct {
    const char* kind;
    std::function<std::unique_ptr<CDrawObj>()> make;
    Names rows;
    Names readOnly;
  } cases[] = {
      {"rectangle", [] { return Shape(kShapeRectangle, 0); },
       Join({kBaseRows, {"是否轨迹", "标题", "有边界", "渐变风格"}, kPictureRows}), {"对象层"}},
      {"rounded rectangle", [] { return Shape(kShapeRoundRectangle, 0); },
       Join({kBaseRows, {"是否轨迹", "标题", "有边界", "渐变风格"}, kPictureRows}), {"对象层"}},
      {"ellipse", [] { return Shape(kShapeEllipse, 0); },
       Join({kBaseRows, {"是否轨迹", "标题", "有边界", "弓形", "起始扇角", "扇区大小", "渐变风格"}, kPictureRows}),
       {"对象层"}},
      {"rectangle trajectory", [] { return Shape(kShapeEllipse, 1); }, Join({kBaseRows, {"是否轨迹"}}), {"对象层"}},
      {"line", [] { return Make<CDrawLine>(0); }, kBaseRows, {"对象层"}},
      {"line trajectory", [] { return Make<CDrawLine>(1); }, Join({kBaseRows, {"是否轨迹"}}), {"对象层"}},
      {"polygon", [] { return Make<CDrawPoly>(0); }, Join({kBaseRows, {"有边界", "渐变风格"}, kPictureRows}),
       {"对象层"}},
      {"polygon trajectory", [] { return Make<CDrawPoly>(1); }, Join({kBaseRows, {"是否轨迹"}}), {"对象层"}},
      {"text", [] { return Make<CDrawText>(0); }, Join({kBaseRows, {"文字输入", "有边框"}, kPictureRows}),
       {"对象层"}},
      {"composite", [] { return std::unique_ptr<CDrawObj>(new CDrawCompObj); },
       Join({kBaseRows, {"内部运动总时间", "起动内部运动时刻", "循环内部运动", "循环次数"}}),
       {"对象层", "内部运动总时间"}},
      {"point", [] { return Make<CDrawPoint>(0); },
       {"对象名称", "可见", "外型", "半径", "颜色", "类型", "相关对象"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    TestHost host;
    std::unique_ptr<CDrawObj> o = c.make();
    CPropGrid grid;
    o->ListGeneral(&grid);
    EXPECT_EQ(RowNames(grid), c.rows);
    EXPECT_EQ(ReadOnlyRows(grid), c.readOnly);
  }
}

TEST(KindGeneralRows, AnEllipseShowsAndTakesItsFields) {
  TestHost host;
  CDrawRect o(CRect(0, 0, 80, 40));
  o.m_name = "椭圆1";
  o.m_shape = kShapeEllipse;
  o.m_caption = "中心";
  o.m_outlined = 0;
  o.m_shapeVariant = 1;
  o.m_shapeParam3 = 30;
  o.m_shapeParam4 = 120;
  o.m_pictureFill = 0;
  o.m_picturePlacement = 1;
  o.m_pictureFile = "c:\\p.bmp";
  CPropGrid grid;
  o.ListGeneral(&grid);
  EXPECT_EQ(RowFlag(grid, "是否轨迹"), 0);
  EXPECT_EQ(RowText(grid, "标题"), "中心");
  EXPECT_EQ(RowFlag(grid, "有边界"), 0);
  EXPECT_EQ(RowFlag(grid, "弓形"), 1);
  EXPECT_EQ(RowNumber(grid, "起始扇角"), 30);
  EXPECT_EQ(RowNumber(grid, "扇区大小"), 120);
  EXPECT_EQ(RowFlag(grid, "使用背景图"), 0);
  EXPECT_EQ(RowFlag(grid, "拉伸背景图"), 1);
  CPropGridItem* file = grid.FindItem(CString("文件名"));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->GetKind(), kPropFile);
  PropertyEntry entry;
  file->GetEntry(&entry, -2);
  EXPECT_EQ(entry.text, "c:\\p.bmp");
  EXPECT_TRUE(entry.openFile);
  EXPECT_EQ(entry.extra.Left(19), "所有文件 (*.*)|*.*|");
  EXPECT_EQ(entry.extra.Right(2), "||");

  grid.SetText(CString("标题"), "新");
  grid.SetFlag(CString("有边界"), TRUE);
  grid.SetFlag(CString("弓形"), FALSE);
  grid.SetNumber(CString("起始扇角"), 45);
  grid.SetNumber(CString("扇区大小"), 90);
  grid.SetFlag(CString("拉伸背景图"), FALSE);
  grid.SetText(CString("文件名"), "c:\\other.bmp");
  o.ApplyGeneral(&grid);
  EXPECT_EQ(o.m_caption, "新");
  EXPECT_EQ(o.m_outlined, 1);
  EXPECT_EQ(o.m_shapeVariant, 0);
  EXPECT_EQ(o.m_shapeParam3, 45);
  EXPECT_EQ(o.m_shapeParam4, 90);
  EXPECT_EQ(o.m_picturePlacement, 0);
  EXPECT_EQ(o.m_pictureFile, "c:\\p.bmp");  // no picture fill: the file row is not read
}

TEST(KindGeneralRows, TheGradientBoxSetsTheFillKind) {
  const struct {
    int box, kindBefore, kindAfter;
  } cases[] = {{1, 0, 4}, {1, 3, 3}, {1, 1, 1}, {0, 3, 0}, {0, 4, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.box << " over " << c.kindBefore);
    for (int poly = 0; poly < 2; ++poly) {
      TestHost host;
      std::unique_ptr<CDrawObj> o = poly ? Make<CDrawPoly>(0) : Shape(kShapeRectangle, 0);
      o->m_fillKind = c.kindBefore;
      CPropGrid grid;
      o->ListGeneral(&grid);
      grid.SetFlag(CString("渐变风格"), c.box);
      o->ApplyGeneral(&grid);
      EXPECT_EQ(o->m_gradientStyle, c.box);
      EXPECT_EQ(o->m_fillKind, c.kindAfter);
    }
  }
}

TEST(KindGeneralRows, AnEmptyNameDropsTheKindsRowsToo) {
  TestHost host;
  CDrawText text(CRect(0, 0, 50, 20));
  text.m_name = "文本1";
  CDrawRect rect(CRect(0, 0, 50, 20));
  rect.m_name = "矩形1";
  for (CDrawObj* o : {static_cast<CDrawObj*>(&text), static_cast<CDrawObj*>(&rect)}) {
    SCOPED_TRACE(o->m_name.str());
    const CString name = o->m_name;
    CPropGrid grid;
    o->ListGeneral(&grid);
    grid.SetText(1, "");
    grid.SetFlag(CString("有边界"), FALSE);
    grid.SetFlag(CString("有边框"), FALSE);
    grid.SetFlag(CString("是否轨迹"), TRUE);
    o->ApplyGeneral(&grid);
    EXPECT_EQ(o->m_name, name);
    EXPECT_EQ(RowText(grid, "对象名称"), name);
    EXPECT_EQ(o->m_outlined, 1);
    EXPECT_EQ(o->m_trajectory, 0);
  }
}

TEST(KindGeneralRows, ATrajectoryTakesOnlyItsTrajectoryRow) {
  TestHost host;
  for (int kind = 0; kind < 3; ++kind) {
    SCOPED_TRACE(kind);
    std::unique_ptr<CDrawObj> o =
        kind == 0 ? Shape(kShapeRectangle, 1) : kind == 1 ? Make<CDrawLine>(1) : Make<CDrawPoly>(1);
    o->m_caption = "轨";
    CPropGrid grid;
    o->ListGeneral(&grid);
    EXPECT_EQ(RowFlag(grid, "是否轨迹"), 1);
    grid.SetFlag(CString("是否轨迹"), FALSE);
    o->ApplyGeneral(&grid);
    EXPECT_EQ(o->m_trajectory, 0);
    EXPECT_EQ(o->m_caption, "轨");
  }
  // A shape that is no trajectory can be made one.
  std::unique_ptr<CDrawObj> o = Shape(kShapeRectangle, 0);
  CPropGrid grid;
  o->ListGeneral(&grid);
  grid.SetFlag(CString("是否轨迹"), TRUE);
  o->ApplyGeneral(&grid);
  EXPECT_EQ(o->m_trajectory, 1);
}

TEST(KindGeneralRows, AChangedPictureFileIsLoaded) {
  TestHost host;
  const CString first = WriteTestPicture("KindRowsFirst.bmp", 6, 4, [](int, int) { return RGB(255, 0, 0); });
  const CString second = WriteTestPicture("KindRowsSecond.bmp", 3, 2, [](int, int) { return RGB(0, 0, 255); });
  for (int kind = 0; kind < 3; ++kind) {
    SCOPED_TRACE(kind);
    std::unique_ptr<CDrawObj> o =
        kind == 0 ? Shape(kShapeRectangle, 0) : kind == 1 ? Make<CDrawPoly>(0) : Make<CDrawText>(0);
    o->m_pictureFill = 1;
    o->m_pictureFile = first;
    ASSERT_TRUE(o->LoadPicture(first));
    CPropGrid grid;
    o->ListGeneral(&grid);
    grid.SetText(CString("文件名"), second);
    o->ApplyGeneral(&grid);
    EXPECT_EQ(o->m_pictureFile, second);
    EXPECT_EQ(o->GetPictureSize(), CSize(3, 2));

    // A name that cannot be read takes the old picture away with the old name.
    grid.SetText(CString("文件名"), first + ".missing.bmp");
    o->ApplyGeneral(&grid);
    EXPECT_EQ(o->m_pictureFile, first + ".missing.bmp");
    EXPECT_FALSE(o->HasPicture());

    // The same name is read again only for a filled object.
    o->m_pictureFile = first;
    o->m_filled = 0;
    grid.SetText(CString("文件名"), first);
    grid.SetFlag(CString("透明"), TRUE);
    o->ApplyGeneral(&grid);
    EXPECT_FALSE(o->HasPicture());
    grid.SetFlag(CString("透明"), FALSE);
    o->ApplyGeneral(&grid);
    EXPECT_EQ(o->GetPictureSize(), CSize(6, 4));
  }
}

TEST(KindGeneralRows, TextAndCompositeTakeTheirFlagsAndNumbers) {
  TestHost host;
  CDrawText text(CRect(0, 0, 50, 20));
  text.m_name = "文本1";
  CPropGrid textGrid;
  text.ListGeneral(&textGrid);
  textGrid.SetFlag(CString("文字输入"), TRUE);
  textGrid.SetFlag(CString("有边框"), FALSE);
  textGrid.SetFlag(CString("使用背景图"), TRUE);
  text.ApplyGeneral(&textGrid);
  EXPECT_EQ(text.m_textInput, 1);
  EXPECT_EQ(text.m_outlined, 0);
  EXPECT_EQ(text.m_pictureFill, 1);

  CDrawCompObj group;
  group.m_name = "复合1";
  group.m_internalTime = 40;
  group.m_internalStart = 2;
  group.m_loopCount = 1;
  CPropGrid grid;
  group.ListGeneral(&grid);
  EXPECT_EQ(RowNumber(grid, "内部运动总时间"), 40);
  grid.SetNumber(CString("内部运动总时间"), 99);
  grid.SetNumber(CString("起动内部运动时刻"), 7);
  grid.SetFlag(CString("循环内部运动"), TRUE);
  grid.SetNumber(CString("循环次数"), 3);
  group.ApplyGeneral(&grid);
  EXPECT_EQ(group.m_internalTime, 40);
  EXPECT_EQ(group.m_internalStart, 7);
  EXPECT_EQ(group.m_loopInternal, 1);
  EXPECT_EQ(group.m_loopCount, 3);
}

TEST(KindActionRows, LinesAndPointsTraceTheirPaths) {
  TestHost host;
  CDrawLine line(CRect(0, 0, 40, 40));
  CDrawPoint point(CRect(0, 0, 4, 4));
  const struct {
    const char* kind;
    CDrawObj* object;
    bool rotation;
  } cases[] = {{"line", &line, false}, {"point", &point, false}, {"point rotation", &point, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    CMethod shown;
    shown.m_bPathTrace = 1;
    CPropGrid grid;
    if (c.rotation)
      c.object->ListActionRotation(&grid, shown);
    else
      c.object->ListActionTranslation(&grid, shown);
    const Names rows = RowNames(grid);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(), "路径追踪");
    EXPECT_EQ(RowFlag(grid, "路径追踪"), 1);
  }
  // A rectangle's translation has no such row.
  CDrawRect rect(CRect(0, 0, 40, 40));
  CMethod shown;
  CPropGrid grid;
  rect.ListActionTranslation(&grid, shown);
  EXPECT_EQ(RowFlag(grid, "路径追踪"), -1);
}

// ---- points ------------------------------------------------------------------------------------

namespace {

// Remembers the area each repaint asked for.
class AreaHost : public TestHost {
 public:
  BOOL InvalidateObject(CDrawObj* object) override {
    areas.push_back(object->m_position);
    return TestHost::InvalidateObject(object);
  }
  std::vector<CRect> areas;
};

}  // namespace

TEST(PointRows, ListsItsOwnRowsWithTheirValues) {
  TestHost host;
  CDrawPoint point(CRect(8, 8, 12, 12));
  point.m_name = "点1";
  point.m_pointStyle = kPointSquare;
  point.m_pen.lopnWidth = CPoint(6, 6);
  point.m_pen.lopnColor = RGB(1, 2, 3);
  point.m_role = kPointControl;
  point.m_relatedObject = "多边形1";
  CPropGrid grid;
  point.ListGeneral(&grid);
  EXPECT_EQ(RowText(grid, "对象名称"), "点1");
  EXPECT_EQ(RowFlag(grid, "可见"), 1);
  EXPECT_EQ(RowText(grid, "外型"), "方");
  EXPECT_EQ(RowChoices(grid, "外型"), (Names{"圆", "方"}));
  EXPECT_EQ(RowNumber(grid, "半径"), 6);
  int colour = 0;
  grid.GetColour(CString("颜色"), &colour);
  EXPECT_EQ(colour, static_cast<int>(RGB(1, 2, 3)));
  EXPECT_EQ(RowText(grid, "类型"), "控制点");
  EXPECT_EQ(RowChoices(grid, "类型"), (Names{"普通点", "轨迹起点", "轨迹终心", "控制点", "旋转中心"}));
  EXPECT_EQ(RowText(grid, "相关对象"), "多边形1");
}

TEST(PointRows, ApplyTakesKnownTextsAndClampsTheWidth) {
  const struct {
    const char* style;
    const char* role;
    int width;
    int styleAfter, roleAfter, widthAfter;
  } cases[] = {
      {"方", "旋转中心", 6, kPointSquare, kPointRotationCentre, 6},
      {"三角", "未知", 0, kPointRound, kPointTrajectoryEnd, 0},
      {"圆", "普通点", -5, kPointRound, kPointOrdinary, 0},
      {"", "", 40000, kPointRound, kPointTrajectoryEnd, CDrawPoint::kMaxWidth},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    TestHost host;
    CDrawPoint point(CRect(8, 8, 12, 12));
    point.m_name = "点1";
    point.m_role = kPointTrajectoryEnd;
    CPropGrid grid;
    point.ListGeneral(&grid);
    grid.SetText(CString("外型"), c.style);
    grid.SetText(CString("类型"), c.role);
    grid.SetNumber(CString("半径"), c.width);
    grid.SetColour(CString("颜色"), RGB(9, 8, 7));
    grid.SetFlag(CString("可见"), FALSE);
    point.ApplyGeneral(&grid);
    EXPECT_EQ(point.m_pointStyle, c.styleAfter);
    EXPECT_EQ(point.m_role, c.roleAfter);
    EXPECT_EQ(point.m_pen.lopnWidth.x, c.widthAfter);
    EXPECT_EQ(point.m_pen.lopnWidth.y, c.widthAfter);
    EXPECT_EQ(point.m_pen.lopnColor, RGB(9, 8, 7));
    EXPECT_EQ(point.m_visible, 0);
  }
}

TEST(PointRows, AWiderDotRepaintsItsOldAndNewSquares) {
  AreaHost host;
  CDrawPoint point(CRect(18, 18, 22, 22));  // the point (20, 20)
  point.m_name = "点1";
  point.m_pen.lopnWidth = CPoint(2, 2);
  point.MoveHandleTo(1, 20, 20, nullptr);
  CPropGrid grid;
  point.ListGeneral(&grid);
  grid.SetNumber(CString("半径"), 10);
  host.areas.clear();
  point.ApplyGeneral(&grid);
  EXPECT_EQ(point.m_position, CRect(15, 15, 25, 25));
  ASSERT_EQ(host.areas.size(), 2u);
  EXPECT_EQ(host.areas[0], CRect(19, 19, 21, 21));
  EXPECT_EQ(host.areas[1], CRect(15, 15, 25, 25));
}

TEST(PointRows, TheRelatedObjectIsKeptAndSaved) {
  TestHost host;
  CDrawPoint point(CRect(8, 8, 12, 12));
  point.m_name = "点1";
  CPropGrid grid;
  point.ListGeneral(&grid);
  grid.SetText(CString("相关对象"), "轨道");
  point.ApplyGeneral(&grid);
  EXPECT_EQ(point.m_relatedObject, "轨道");
  const Bytes bytes = StoreToBytes([&](CArchive& ar) { point.Serialize(ar); });
  CDrawPoint loaded;
  LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
  EXPECT_EQ(loaded.m_relatedObject, "轨道");
}

TEST(PointRows, AnEmptyNameComesBackAndNothingElseIsTaken) {
  TestHost host;
  CDrawPoint point(CRect(8, 8, 12, 12));
  point.m_name = "点2";
  CPropGrid grid;
  point.ListGeneral(&grid);
  grid.SetText(CString("对象名称"), "");
  grid.SetNumber(CString("半径"), 9);
  point.ApplyGeneral(&grid);
  EXPECT_EQ(point.m_name, "点2");
  EXPECT_EQ(RowText(grid, "对象名称"), "点2");
  EXPECT_EQ(point.m_pen.lopnWidth.x, 1);
}

TEST(PointRows, OnlyAnOrdinaryPointHasActionsAndInteractions) {
  for (int role = kPointOrdinary; role <= kPointRotationCentre; ++role) {
    SCOPED_TRACE(role);
    TestHost host;
    CDrawPoint point(CRect(8, 8, 12, 12));
    point.m_role = role;
    CPropGrid actions, interactions;
    point.ListActions(&actions, -1);
    point.ListInteractions(&interactions, -1);
    EXPECT_EQ(actions.GetItemCount() > 0, role == kPointOrdinary);
    EXPECT_EQ(interactions.GetItemCount() > 0, role == kPointOrdinary);
    if (role == kPointOrdinary) continue;
    point.ApplyActions(&actions, 0);
    EXPECT_EQ(point.m_actions.GetSize(), 0);
    EXPECT_EQ(point.m_actionMask, 0u);
  }
}

TEST(KindActionRows, EachKindOffersItsActionTypesAndTheirRows) {
  const Names base = {"平移运动", "旋转运动", "特技效果", "页面切换", "显示或隐藏", "改变层", "退出", "调用外部程序",
                      "控制点平移运动"};
  TestHost host;
  CDrawRect rect(CRect(0, 0, 40, 40));
  CDrawText text(CRect(0, 0, 40, 40));
  CDrawCompObj group;
  const struct {
    const char* kind;
    CDrawObj* object;
    Names types;
    int extraType;
    DWORD extraKind;
    const char* extraName;
  } cases[] = {
      {"rectangle", &rect, base, 9, 0, ""},
      {"text", &text, Join({base, {"设置数据", "计算结果"}}), 9, CMethod::typeSetData, "设置数据1"},
      {"text calculating", &text, Join({base, {"设置数据", "计算结果"}}), 10, CMethod::typeCalculate, "计算结果1"},
      {"composite", &group, Join({base, {"卡通动画"}}), 9, CMethod::typeCartoon, "卡通动画1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    c.object->m_selectedAction = -1;
    CPropGrid grid;
    c.object->ListActions(&grid, -1);
    EXPECT_EQ(RowChoices(grid, "动作类型"), c.types);
    EXPECT_EQ(RowText(grid, "动作类型"), "平移运动");

    // Picking the extra type lists its rows; confirming adds that kind of action.
    grid.RemoveItemsFrom(5);
    c.object->ListActions(&grid, c.extraType);
    EXPECT_EQ(grid.GetItemCount() > 4, c.extraKind != 0);
    const int before = c.object->m_actions.GetSize();
    c.object->ApplyActions(&grid, c.extraType);
    if (!c.extraKind) {
      EXPECT_EQ(c.object->m_actions.GetSize(), before);
      continue;
    }
    ASSERT_EQ(c.object->m_actions.GetSize(), before + 1);
    EXPECT_EQ(c.object->m_actions[before].m_nType, c.extraKind);
    EXPECT_EQ(c.object->m_actions[before].m_strName, c.extraName);
    EXPECT_NE(c.object->m_actionMask & c.extraKind, 0u);
  }
}
