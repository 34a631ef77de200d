// The drawing tools, driven by mouse messages sent to the real page view while editing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "behaviour/DrawFun.h"
#include "editor/CreateTool.h"
#include "editor/DrawTool.h"
#include "editor/GlueTool.h"
#include "editor/PolyTool.h"
#include "editor/RectTool.h"
#include "editor/RotateTool.h"
#include "editor/SelectTool.h"
#include "editor/ZoomTool.h"
#include "framework/ui/Brush.h"
#include "framework/ui/ClientDC.h"
#include "framework/ui/CmdUI.h"
#include "model/DrawJoinObj.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/media/TempFolder.h"
#include "tests/support/ModalCapture.h"

namespace {

// Holds Shift down in the thread's keyboard state for as long as it lives.
class ShiftHeld {
 public:
  ShiftHeld() { Set(0x80); }
  ~ShiftHeld() { Set(0); }
  ShiftHeld(const ShiftHeld&) = delete;
  ShiftHeld& operator=(const ShiftHeld&) = delete;

 private:
  static void Set(BYTE state) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = state;
    ::SetKeyboardState(keys);
  }
};

}  // namespace

class DrawToolTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    NewPage();
    View()->m_bActive = TRUE;
    CDrawView::s_nCurrentShape = kToolSelect;
  }
  void TearDown() override {
    CDrawView::SetCurrentShape(kToolSelect);
    ::ReleaseCapture();
    EditorTest::TearDown();
  }
  // The device point of a page point.
  CPoint Device(CPoint logical) const {
    View()->LPtoDPPoint(logical);
    return logical;
  }
  void Send(UINT message, UINT flags, CPoint logical) {
    const CPoint p = Device(logical);
    View()->SendMessage(message, flags, MAKELPARAM(p.x, p.y));
  }
  // Press at from, move to to with the button held, release there.
  void Drag(CPoint from, CPoint to, UINT keys = 0) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, from);
    Send(WM_MOUSEMOVE, MK_LBUTTON | keys, to);
    Send(WM_LBUTTONUP, keys, to);
  }
  void Click(CPoint at) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(WM_LBUTTONUP, 0, at);
  }
  CDrawObj* Last() const { return static_cast<CDrawObj*>(Doc()->m_objects.GetTail()); }
  CRect Normal(CRect r) const {
    r.NormalizeRect();
    return r;
  }
};

TEST_F(DrawToolTest, EachShapeFindsTheFirstToolRegisteredForIt) {
  EXPECT_TRUE(dynamic_cast<CSelectTool*>(CDrawTool::FindTool(0)));
  EXPECT_TRUE(dynamic_cast<CCreateTool*>(CDrawTool::FindTool(1)));
  for (int shape : {6, 7, 8, 14, 17, 18, 21}) EXPECT_TRUE(dynamic_cast<CCreateTool*>(CDrawTool::FindTool(shape))) << shape;
  for (int shape : {9, 10, 11}) EXPECT_TRUE(dynamic_cast<CRectTool*>(CDrawTool::FindTool(shape))) << shape;
  for (int shape : {12, 13}) EXPECT_TRUE(dynamic_cast<CPolyTool*>(CDrawTool::FindTool(shape))) << shape;
  EXPECT_TRUE(dynamic_cast<CRotateTool*>(CDrawTool::FindTool(23)));
  EXPECT_TRUE(dynamic_cast<CZoomTool*>(CDrawTool::FindTool(24)));
  EXPECT_TRUE(dynamic_cast<CGlueTool*>(CDrawTool::FindTool(19)));
  // The colour shapes are the view's own; the others make kinds the editor lacks yet.
  for (int shape : {2, 3, 4, 5, 15, 16, 22, 25})
    EXPECT_EQ(CDrawTool::FindTool(shape), nullptr) << shape;
}

TEST_F(DrawToolTest, PointPickingNeedsASelectionAndPicksOneHandle) {
  CDrawObj* object = AddObject(CRect(-100, 80, 100, -80), "r");
  EXPECT_EQ(0, View()->BeginPickPoint()) << "nothing selected";
  EXPECT_EQ(kToolSelect, CDrawView::s_nCurrentShape);
  View()->Select(object);
  ASSERT_EQ(1, View()->BeginPickPoint());
  EXPECT_EQ(kToolPick, CDrawView::s_nCurrentShape);
  // A click on the object's third handle picks it, and the select tool is back.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, object->GetHandle(3));
  Send(WM_LBUTTONUP, 0, object->GetHandle(3));
  EXPECT_EQ(3, object->m_activeHandle);
  EXPECT_EQ(kToolSelect, CDrawView::s_nCurrentShape);
}

TEST_F(DrawToolTest, DraggingCreatesTheToolsObjectNamedByThePagesCounter) {
  const struct {
    const char* what;
    int shape;
    CPoint from, to;
    bool shift;
    CRect expected;  // normalised, in page units (y up: top < bottom after NormalizeRect)
    const char* name;
  } rows[] = {
      {"rectangle", kToolRect, {-100, 100}, {-40, 60}, false, {-100, 60, -40, 100}, "矩形0"},
      {"square with Shift", kToolRect, {-100, 100}, {-40, 80}, true, {-100, 40, -40, 100}, "矩形1"},
      {"at least 10 units", kToolRoundRect, {0, 0}, {3, -2}, false, {0, -10, 10, 0}, "圆角矩形0"},
      {"ellipse", kToolEllipse, {10, 10}, {60, -30}, false, {10, -30, 60, 10}, "椭圆0"},
      {"text", kToolText, {-200, -100}, {-120, -140}, false, {-200, -140, -120, -100}, "文本0"},
      {"line", kToolLine, {0, 0}, {50, 20}, false, {0, 0, 50, 20}, "直线0"},
      {"level line with Shift", kToolLine, {0, 0}, {50, 20}, true, {0, 0, 50, 0}, "直线1"},
      {"function plot", kToolFunction, {-50, 50}, {50, -50}, false, {-50, -50, 50, 50}, "函数0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const int count = Doc()->m_objects.GetCount();
    CDrawView::s_nCurrentShape = row.shape;
    Drag(row.from, row.to, row.shift ? MK_SHIFT : 0);
    ASSERT_EQ(Doc()->m_objects.GetCount(), count + 1);
    CDrawObj* object = Last();
    EXPECT_STREQ(object->m_name.GetString(), row.name);
    EXPECT_EQ(Normal(object->m_position), row.expected);
    EXPECT_EQ(View()->GetLastSelected(), object);
    EXPECT_EQ(CDrawView::s_nCurrentShape, row.shape) << "a drag keeps the tool";
    switch (row.shape) {
      case kToolText: EXPECT_TRUE(dynamic_cast<CDrawText*>(object)); break;
      case kToolLine: EXPECT_TRUE(dynamic_cast<CDrawLine*>(object)); break;
      case kToolFunction: EXPECT_TRUE(dynamic_cast<CDrawFun*>(object)); break;
      default: {
        auto* rect = dynamic_cast<CDrawRect*>(object);
        ASSERT_TRUE(rect);
        EXPECT_EQ(rect->m_shape, row.shape - kToolRect);
        EXPECT_EQ(rect->m_shapeParam1, row.shape == kToolRect ? 1 : 2);
      }
    }
  }
  EXPECT_EQ(Doc()->m_nameCounters[kToolRect], 2);
  EXPECT_EQ(Doc()->m_nameCounters[kToolLine], 2);
}

TEST_F(DrawToolTest, NewObjectsTakeTheFramesCurrentStyle) {
  CMainFrame* frame = Frame();
  frame->m_nDashStyle = 2;  // dot
  frame->m_nDashCap = 2;    // round
  frame->m_lineColour = RGB(10, 20, 30);
  frame->m_fillColour = RGB(40, 50, 60);
  frame->m_nLineWidth = 3;
  frame->m_bClosed = TRUE;
  frame->m_bFilled = FALSE;
  CDrawView::s_nCurrentShape = kToolEllipse;
  Drag(CPoint(0, 0), CPoint(40, 40));
  CDrawObj* ellipse = Last();
  EXPECT_EQ(ellipse->m_pen.lopnStyle, 2u) << "dot stays dot";
  EXPECT_EQ(ellipse->m_dashCap, 2);
  EXPECT_EQ(ellipse->m_pen.lopnColor, RGB(10, 20, 30));
  EXPECT_EQ(ellipse->m_brush.lbColor, RGB(40, 50, 60));
  EXPECT_EQ(ellipse->m_pen.lopnWidth.x, 3);
  EXPECT_EQ(ellipse->m_pen.lopnWidth.y, 3);
  EXPECT_TRUE(ellipse->m_closed);
  EXPECT_FALSE(ellipse->m_filled);

  frame->m_nLineWidth = 0;
  CDrawView::s_nCurrentShape = kToolPoint;
  Drag(CPoint(100, 100), CPoint(100, 100));
  auto* point = dynamic_cast<CDrawPoint*>(Last());
  ASSERT_TRUE(point) << "a point is made by a click";
  EXPECT_EQ(point->m_pen.lopnWidth.x, 1) << "a point is never drawn 0 wide";
  EXPECT_STREQ(point->m_name.GetString(), "点0");
}

TEST_F(DrawToolTest, AClickWithoutADragSelectsInsteadOfCreating) {
  CDrawObj* under = AddObject(CRect(-50, 50, 50, -50), "under");
  for (int shape : {kToolRect, kToolEllipse, kToolText, kToolLine}) {
    SCOPED_TRACE(shape);
    View()->Select(nullptr);
    CDrawView::s_nCurrentShape = shape;
    const int counter = Doc()->m_nameCounters[shape];
    Click(CPoint(10, 10));
    EXPECT_EQ(Doc()->m_objects.GetCount(), 1);
    EXPECT_EQ(View()->GetLastSelected(), under);
    EXPECT_EQ(CDrawView::s_nCurrentShape, kToolSelect);
    EXPECT_EQ(Doc()->m_nameCounters[shape], counter + 1) << "counted at the press";
  }
}

TEST_F(DrawToolTest, PolygonsAreBuiltClickByClickAndEndCleanly) {
  CDrawView::s_nCurrentShape = kToolPolygon;
  const CPoint p1(-100, 0), p2(0, 100), p3(100, 0);
  Click(p1);
  Send(WM_MOUSEMOVE, 0, p2);
  Click(p2);
  Send(WM_MOUSEMOVE, 0, p3);
  Click(p3);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, p3);
  Send(WM_LBUTTONUP, 0, p3);
  auto* poly = dynamic_cast<CDrawPoly*>(Last());
  ASSERT_TRUE(poly);
  ASSERT_EQ(poly->m_pointCount, 3);
  EXPECT_EQ(poly->PointAt(0), p1);
  EXPECT_EQ(poly->PointAt(1), p2);
  EXPECT_EQ(poly->PointAt(2), p3);
  EXPECT_EQ(poly->m_polyKind, kPolyLines);
  EXPECT_STREQ(poly->m_name.GetString(), "多边形0");
  EXPECT_EQ(CDrawView::s_nCurrentShape, kToolSelect);
  EXPECT_NE(::GetCapture(), View()->m_hWnd);

  // Closed on the first vertex: the figure keeps its placed vertices.
  CDrawView::s_nCurrentShape = kToolCurve;
  Click(p1);
  Send(WM_MOUSEMOVE, 0, p2);
  Click(p2);
  Send(WM_MOUSEMOVE, 0, p1);
  Click(p1);
  poly = dynamic_cast<CDrawPoly*>(Last());
  ASSERT_EQ(Doc()->m_objects.GetCount(), 2);
  EXPECT_EQ(poly->m_pointCount, 2);
  EXPECT_EQ(poly->m_polyKind, kPolyCurve);

  // Figures that end with one vertex leave nothing: a second click on the first vertex,
  // a double click there, Esc, or another tool.
  const std::vector<std::function<void()>> endings = {
      [&] { Click(p1); },
      [&] {
        Send(WM_LBUTTONDBLCLK, MK_LBUTTON, p1);
        Send(WM_LBUTTONUP, 0, p1);
      },
      [&] { Frame()->SendMessage(WM_COMMAND, ID_EXIT_RUN); },
      [&] { Frame()->SendMessage(WM_COMMAND, ID_TOOL_RECT); },
  };
  for (size_t i = 0; i < endings.size(); ++i) {
    SCOPED_TRACE(i);
    CDrawView::SetCurrentShape(kToolPolygon);
    Click(p1);
    ASSERT_EQ(Doc()->m_objects.GetCount(), 3);
    endings[i]();
    EXPECT_EQ(Doc()->m_objects.GetCount(), 2);
    EXPECT_FALSE(static_cast<CPolyTool*>(CDrawTool::FindTool(kToolPolygon))->IsBuilding());
    EXPECT_NE(::GetCapture(), View()->m_hWnd);
  }
}

// Two rectangles glued at a corner each; a glue that records only one handle, or that
// Esc or another tool ends, leaves nothing behind.
TEST_F(DrawToolTest, TheGlueToolPinsSelectedObjectsAtTheFirstsHandle) {
  auto* a = new CDrawRect(CRect(-100, 50, -20, 0));
  auto* b = new CDrawRect(CRect(20, 50, 100, 0));
  a->m_name = "a";
  b->m_name = "b";
  Doc()->Add(a);
  Doc()->Add(b);
  auto glueTool = [] { return static_cast<CGlueTool*>(CDrawTool::FindTool(kToolGlue)); };
  struct EnableProbe : CCmdUI {
    void Enable(BOOL on) override {
      CCmdUI::Enable(on);
      enabled = on;
    }
    BOOL enabled = -1;
  };
  auto glueEnabled = [&] {
    EnableProbe ui;
    ui.m_nID = ID_TOOL_GLUE;
    ui.DoUpdate(View(), TRUE);
    return ui.enabled;
  };
  View()->Select(a, FALSE);
  EXPECT_FALSE(glueEnabled());  // gluing needs two
  View()->Select(b, TRUE);
  EXPECT_TRUE(glueEnabled());
  const std::vector<std::function<void()>> endings = {
      [&] {
        Send(WM_LBUTTONDBLCLK, MK_LBUTTON, CPoint(-20, 0));
        Send(WM_LBUTTONUP, 0, CPoint(-20, 0));
      },
      [&] { Frame()->SendMessage(WM_COMMAND, ID_EXIT_RUN); },
      [&] { Frame()->SendMessage(WM_COMMAND, ID_TOOL_RECT); },
  };
  for (size_t i = 0; i < endings.size(); ++i) {
    SCOPED_TRACE(i);
    View()->Select(a, FALSE);
    View()->Select(b, TRUE);
    CDrawView::SetCurrentShape(kToolGlue);
    Click(CPoint(-20, 0));  // a's right bottom corner
    ASSERT_TRUE(glueTool()->IsBuilding());
    ASSERT_EQ(3, Doc()->m_objects.GetCount());
    endings[i]();
    EXPECT_EQ(2, Doc()->m_objects.GetCount());
    EXPECT_FALSE(glueTool()->IsBuilding());
    EXPECT_NE(::GetCapture(), View()->m_hWnd);
  }

  View()->Select(a, FALSE);
  View()->Select(b, TRUE);
  Frame()->SendMessage(WM_COMMAND, ID_TOOL_GLUE);
  ASSERT_EQ(kToolGlue, CDrawView::s_nCurrentShape);
  CString name;
  name.Format("%s%d", CDrawDoc::KindWord(kToolGlue).GetString(), Doc()->m_nameCounters[kToolGlue]);
  Click(CPoint(-20, 0));  // a's handle 5
  Click(CPoint(20, 50));  // b's handle 1, pinned onto a's
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, CPoint(20, 50));
  Send(WM_LBUTTONUP, 0, CPoint(20, 50));
  ASSERT_EQ(1, Doc()->m_objects.GetCount());
  auto* glue = dynamic_cast<CDrawJoinObj*>(Last());
  ASSERT_NE(nullptr, glue);
  EXPECT_EQ(name, glue->m_name);
  EXPECT_EQ(CRect(-100, 50, -20, 0), a->m_position);
  EXPECT_EQ(CRect(-20, 0, 60, -50), b->m_position);
  EXPECT_EQ(CPoint(-20, 0), glue->GetHandle(1));
  EXPECT_EQ(kToolSelect, CDrawView::s_nCurrentShape);
}

TEST_F(DrawToolTest, TheRotateToolTurnsALineAboutItsCentre) {
  auto* line = new CDrawLine(CRect(-50, 0, 50, 0));
  Doc()->Add(line);
  CDrawView::s_nCurrentShape = kToolRotate;
  // On the centre: no angle can be measured, nothing happens.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(0, 0));
  Send(WM_MOUSEMOVE, MK_LBUTTON, CPoint(0, 40));
  Send(WM_LBUTTONUP, 0, CPoint(0, 40));
  EXPECT_EQ(line->m_end2, CPoint(50, 0));

  // A quarter turn: the end under the pointer follows it.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(40, 0));
  Send(WM_MOUSEMOVE, MK_LBUTTON, CPoint(0, 40));
  Send(WM_LBUTTONUP, 0, CPoint(0, 40));
  EXPECT_LE(std::abs(line->m_end2.x), 1);
  EXPECT_LE(std::abs(line->m_end2.y - 50), 1);
  EXPECT_LE(std::abs(line->m_end1.y + 50), 1);
  EXPECT_EQ(line->m_angle, 0.0) << "the turn is in the ends";
}

TEST_F(DrawToolTest, TheSelectToolSelectsMovesAndResizes) {
  CDrawObj* a = AddObject(CRect(-100, 100, -60, 60), "a");
  CDrawObj* b = AddObject(CRect(60, 100, 100, 60), "b");
  AddObject(CRect(60, -60, 100, -100), "c")->SetSuspended(TRUE);
  // Rubber band over a and b (and the deleted c).
  Drag(CPoint(-150, 150), CPoint(150, -150));
  EXPECT_EQ(View()->m_selection.GetCount(), 2);
  // A drag on a selected object moves every selected object.
  Drag(CPoint(-80, 80), CPoint(-70, 60));
  EXPECT_EQ(a->m_position, CRect(-90, 80, -50, 40));
  EXPECT_EQ(b->m_position, CRect(70, 80, 110, 40));
  // With one selected, its corner handle resizes it.
  View()->Select(b);
  ASSERT_EQ(View()->m_selection.GetCount(), 1);
  const CPoint corner = b->GetHandle(5);
  Drag(corner, corner + CPoint(20, -20));
  EXPECT_EQ(b->m_position, CRect(70, 80, 130, 20));
  EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DrawToolTest, ArrowKeysMoveOrResizeTheSelection) {
  CDrawObj* object = AddObject(CRect(-10, 10, 10, 0));
  View()->Select(object);
  const struct {
    UINT key;
    bool shift;
    CRect expected;
  } rows[] = {
      {VK_RIGHT, false, {-9, 10, 11, 0}}, {VK_LEFT, false, {-11, 10, 9, 0}}, {VK_UP, false, {-10, 11, 10, 1}},
      {VK_DOWN, false, {-10, 9, 10, -1}}, {VK_RIGHT, true, {-10, 10, 11, 0}}, {VK_LEFT, true, {-10, 10, 9, 0}},
      {VK_UP, true, {-10, 10, 10, 1}},    {VK_DOWN, true, {-10, 10, 10, -1}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.key << (row.shift ? " shift" : ""));
    object->SetRect(CRect(-10, 10, 10, 0), View());
    std::unique_ptr<ShiftHeld> shift(row.shift ? new ShiftHeld : nullptr);
    View()->SendMessage(WM_KEYDOWN, row.key, 1);
    EXPECT_EQ(object->m_position, row.expected);
  }
}

TEST_F(DrawToolTest, AnInactiveViewIgnoresClicks) {
  View()->m_bActive = FALSE;
  CDrawView::s_nCurrentShape = kToolRect;
  Drag(CPoint(0, 0), CPoint(50, 50));
  EXPECT_TRUE(Doc()->m_objects.IsEmpty());
}

TEST_F(DrawToolTest, ColourShapesColourTheSelectionOrThePage) {
  Frame()->m_lastColour = RGB(200, 10, 10);
  Doc()->SetModifiedFlag(FALSE);
  // Fill colour on the empty page: the paper.
  Frame()->SendMessage(WM_COMMAND, ID_TOOL_FILL_COLOUR);
  EXPECT_EQ(CDrawView::s_nCurrentShape, kToolFillColour);
  Click(CPoint(0, 0));
  EXPECT_EQ(Doc()->m_backColour, RGB(200, 10, 10));
  EXPECT_TRUE(Doc()->IsModified());
  Pump();  // the posted select-tool command
  EXPECT_EQ(CDrawView::s_nCurrentShape, kToolSelect);

  // Pen colour on an object: its line.
  CDrawObj* object = AddObject(CRect(-20, 20, 20, -20));
  CDrawView::s_nCurrentShape = kToolPenColour;
  Click(CPoint(0, 0));
  EXPECT_EQ(View()->GetLastSelected(), object);
  EXPECT_EQ(Frame()->m_lastColour, RGB(200, 10, 10));
  EXPECT_EQ(object->m_pen.lopnColor, RGB(200, 10, 10));
  Pump();
  EXPECT_EQ(CDrawView::s_nCurrentShape, kToolSelect);
}

TEST_F(DrawToolTest, ToolCommandsForMissingKindsAreDisabled) {
  CTestCmdUI rect(ID_TOOL_RECT), ole(ID_TOOL_OLE_OBJECT);
  rect.DoUpdate(Frame(), TRUE);
  ole.DoUpdate(Frame(), TRUE);
  EXPECT_TRUE(rect.m_bEnabled);
  EXPECT_FALSE(ole.m_bEnabled);
}

TEST_F(DrawToolTest, TheCaptureToolWritesTheDraggedRegionAsABitmap) {
  TempFolder folder;
  const CString target = folder.File(L"截图.bmp").c_str();
  // Paint red straight onto the window: the capture copies what is shown.
  View()->UpdateWindow();
  {
    CClientDC dc(View());
    dc.FillSolidRect(CRect(10, 10, 80, 80), RGB(255, 0, 0));
  }
  ModalCapture dialogs([&](ModalCall& call) {
    call.path = target;
    return static_cast<INT_PTR>(IDOK);
  });
  Frame()->SendMessage(WM_COMMAND, ID_TOOL_CROP);
  auto sendDevice = [&](UINT message, UINT flags, int x, int y) {
    View()->SendMessage(message, flags, MAKELPARAM(x, y));
  };
  sendDevice(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  sendDevice(WM_MOUSEMOVE, MK_LBUTTON, 60, 50);
  sendDevice(WM_LBUTTONUP, 0, 60, 50);
  ASSERT_EQ(dialogs.calls().size(), 1u);
  EXPECT_FALSE(dialogs.calls()[0].open);

  const std::vector<BYTE> bytes = folder.Read(L"截图.bmp");
  ASSERT_GE(bytes.size(), 54u);
  BITMAPINFOHEADER info;
  std::memcpy(&info, bytes.data() + sizeof(BITMAPFILEHEADER), sizeof info);
  EXPECT_EQ(info.biWidth, 38);
  EXPECT_EQ(info.biHeight, 28);
  EXPECT_EQ(info.biBitCount, 32);
  ASSERT_EQ(bytes.size(), 54u + 38 * 28 * 4);
  const BYTE* pixel = bytes.data() + 54 + (14 * 38 + 19) * 4;  // the middle: B, G, R
  EXPECT_EQ(pixel[0], 0);
  EXPECT_EQ(pixel[1], 0);
  EXPECT_EQ(pixel[2], 255);
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(::GetFileAttributesA((CString(temp) + "kelvane001.bmp").GetString()), INVALID_FILE_ATTRIBUTES);
}

// The tools' and the test run's cursors are the editor's own, each with its hot spot where
// its drawing points.
TEST(ToolCursors, EachIsTheEditorsOwnWithItsHotSpot) {
  const struct {
    UINT id;
    POINT hot;
  } rows[] = {
      {102, {15, 15}}, {132, {20, 17}}, {133, {0, 29}}, {134, {0, 27}}, {135, {15, 15}}, {136, {0, 27}},
      {189, {15, 15}}, {190, {15, 15}}, {191, {16, 14}}, {192, {15, 15}}, {200, {5, 1}},  {272, {15, 11}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    HCURSOR own = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(row.id));
    ASSERT_TRUE(own);
    EXPECT_EQ(own, LoadToolCursor(row.id));
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(own, &info));
    EXPECT_EQ(row.hot.x, static_cast<LONG>(info.xHotspot));
    EXPECT_EQ(row.hot.y, static_cast<LONG>(info.yHotspot));
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
  }
}
