// The page view as the object model's host: selection, repainting an object, finding
// objects by name, the stacking order, starting and stopping a page; and the commands
// that reach it first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ui/CmdUI.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/Printers.h"

namespace {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

// An object that reports what the view tells it.
class ProbeObject : public CDrawObj {
 public:
  ProbeObject(const CRect& r, const char* name) : CDrawObj(r) { m_name = name; }
  void OnSelect(CView* view) override {
    Log().push_back("select " + std::string(m_name));
    CDrawObj::OnSelect(view);
  }
  void OnDeselect(CView* view) override {
    Log().push_back("deselect " + std::string(m_name));
    CDrawObj::OnDeselect(view);
  }
  void SavePlayState(CView* view, CDrawObj* owner) override {
    Log().push_back("save " + std::string(m_name));
    if (m_failToStart) GetDrawHost()->SetTargetMissing();
    CDrawObj::SavePlayState(view, owner);
  }
  void RestorePlayState(CView* view) override {
    Log().push_back("restore " + std::string(m_name));
    CDrawObj::RestorePlayState(view);
  }
  bool m_failToStart = false;
};

std::vector<std::string> Names(const CObList& list) {
  std::vector<std::string> names;
  for (POSITION pos = list.GetHeadPosition(); pos;) names.push_back(static_cast<CDrawObj*>(list.GetNext(pos))->m_name.str());
  return names;
}

}  // namespace

class DrawViewTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Log().clear();
    NewPage();
  }
  ProbeObject* Probe(const CRect& r, const char* name) {
    auto* object = new ProbeObject(r, name);
    Doc()->Add(object);
    return object;
  }
};

TEST_F(DrawViewTest, SelectionFollowsTheRulesOfTheObjectModel) {
  ProbeObject* a = Probe(CRect(-100, 50, -50, 0), "a");
  ProbeObject* b = Probe(CRect(0, 50, 50, 0), "b");
  ProbeObject* locked = Probe(CRect(60, 50, 90, 0), "locked");
  locked->m_locked = 1;
  locked->m_closed = 1;
  CDrawView* view = View();

  view->Select(a);
  view->Select(b, TRUE);
  EXPECT_EQ(Names(view->m_selection), (std::vector<std::string>{"a", "b"}));
  // A locked object is told it is selected (the frame's toggles follow it) but stays out.
  view->Select(locked, TRUE);
  EXPECT_EQ(Names(view->m_selection), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(Frame()->m_bClosed);

  // Selecting an already selected object alone: everything is deselected first.
  Log().clear();
  view->Select(b, FALSE);
  EXPECT_EQ(Log(), (std::vector<std::string>{"deselect a", "deselect b", "select b"}));
  EXPECT_EQ(Names(view->m_selection), std::vector<std::string>{"b"});

  Log().clear();
  GetDrawHost()->SelectObject(nullptr, FALSE);
  EXPECT_EQ(Log(), std::vector<std::string>{"deselect b"});
  EXPECT_TRUE(view->m_selection.IsEmpty());

  view->Select(a);
  view->Select(b, TRUE);
  GetDrawHost()->DeselectObject(a);  // no repaint, no notice
  EXPECT_EQ(Names(view->m_selection), std::vector<std::string>{"b"});
  EXPECT_TRUE(GetDrawHost()->IsSelected(b));
}

TEST_F(DrawViewTest, AnObjectRemovedFromThePageLeavesTheSelection) {
  ProbeObject* a = Probe(CRect(-100, 50, -50, 0), "a");
  View()->Select(a);
  Doc()->Remove(a);
  EXPECT_TRUE(View()->m_selection.IsEmpty());
  delete a;
}

TEST_F(DrawViewTest, RepaintAreaGrowsByTheHandlesOfASelectedObjectInAnActiveView) {
  // The whole object must lie in the view: the programme bar, the format bar, the effect
  // bar and the tool box give their room back.
  Frame()->ShowControlBar(&Frame()->m_wndProgrammeBar, FALSE, FALSE);
  Frame()->ShowControlBar(&Frame()->m_wndFormatBar, FALSE, FALSE);
  Frame()->ShowControlBar(&Frame()->m_wndEffectBar, FALSE, FALSE);
  Frame()->ShowControlBar(&Frame()->m_wndToolBox, FALSE, FALSE);
  CDrawView* view = View();
  CDrawObj* object = AddObject(CRect(-100, 80, 60, -40));
  object->m_baseRect = CRect(-102, 82, 62, -42);
  CRect device = object->m_baseRect;
  view->LPtoDPRect(device);

  const struct {
    const char* what;
    bool selected;
    BOOL active;
    CRect grow;  // left, top, right, bottom outward
  } rows[] = {
      {"selected, active", true, TRUE, CRect(10, 11, 11, 10)},
      {"selected, inactive", true, FALSE, CRect(1, 1, 1, 1)},
      {"not selected", false, TRUE, CRect(1, 1, 1, 1)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    view->Select(row.selected ? object : nullptr);
    view->m_bActive = row.active;
    view->ValidateRect(nullptr);
    EXPECT_TRUE(GetDrawHost()->InvalidateObject(object));
    CRect update;
    view->GetUpdateRect(&update);
    EXPECT_EQ(update, CRect(device.left - row.grow.left, device.top - row.grow.top, device.right + row.grow.right,
                            device.bottom + row.grow.bottom));
  }
}

TEST_F(DrawViewTest, ObjectsAreFoundByTheirExactNames) {
  CDrawObj* first = AddObject(CRect(0, 10, 10, 0), "小球");
  CDrawObj* second = AddObject(CRect(0, 10, 10, 0), "小球");
  CDrawObj* path = AddObject(CRect(0, 10, 10, 0), "path");
  CDrawObj* deleted = AddObject(CRect(0, 10, 10, 0), "gone");
  second->m_trajectory = 1;
  path->m_trajectory = 1;
  deleted->SetSuspended(TRUE);
  CDrawHost* drawHost = GetDrawHost();
  const struct {
    const char* name;
    int trajectory;
    CDrawObj* found;
  } rows[] = {
      {"小球", 0, first},  {"小球", 1, second}, {"PATH", 0, nullptr}, {"path", 1, path},
      {"path", 0, path},   {"gone", 0, deleted}, {"", 0, nullptr},    {"小", 0, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.name << " " << row.trajectory);
    EXPECT_EQ(drawHost->FindObjectByName(row.name, row.trajectory), row.found);
  }
}

TEST_F(DrawViewTest, StackingCommandsMoveTheFirstSelectedObject) {
  for (const char* name : {"a", "b", "c", "d"}) AddObject(CRect(0, 10, 10, 0), name);
  CDrawView* view = View();
  auto select = [&](const char* name) { view->Select(view->FindObjectByName(name, 0)); };
  const struct {
    const char* object;
    UINT command;
    std::vector<std::string> order;
  } rows[] = {
      {"b", ID_OBJECT_FORWARD, {"a", "c", "b", "d"}},
      {"b", ID_OBJECT_BACKWARD, {"a", "b", "c", "d"}},
      {"b", ID_OBJECT_TO_FRONT, {"a", "c", "d", "b"}},
      {"b", ID_OBJECT_TO_BACK, {"b", "a", "c", "d"}},
      {"b", ID_OBJECT_BACKWARD, {"b", "a", "c", "d"}},  // already at the back
      {"d", ID_OBJECT_FORWARD, {"b", "a", "c", "d"}},   // already in front
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.object << " " << row.command);
    select(row.object);
    Frame()->SendMessage(WM_COMMAND, row.command);
    EXPECT_EQ(Names(Doc()->m_objects), row.order);
    int layer = 1;
    for (POSITION pos = Doc()->m_objects.GetHeadPosition(); pos;)
      EXPECT_EQ(static_cast<CDrawObj*>(Doc()->m_objects.GetNext(pos))->m_layer, layer++);
  }
  // The host's moves are the same commands.
  select("a");
  GetDrawHost()->MoveSelectedBackward();
  EXPECT_EQ(Names(Doc()->m_objects), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST_F(DrawViewTest, StackingCommandsNeedExactlyOneSelectedObject) {
  CDrawObj* a = AddObject(CRect(0, 10, 10, 0), "a");
  AddObject(CRect(0, 10, 10, 0), "b");
  CDrawView* view = View();
  // From the accelerator ("+" on the keypad): refused while it is disabled.
  auto pressPlus = [&] {
    MSG msg = {};
    msg.hwnd = view->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_ADD;
    msg.lParam = 1;
    return Frame()->PreTranslateMessage(&msg);
  };
  CTestCmdUI probe(ID_OBJECT_FORWARD);
  probe.DoUpdate(Frame(), TRUE);
  EXPECT_FALSE(probe.m_bEnabled);
  EXPECT_TRUE(pressPlus());
  EXPECT_EQ(Names(Doc()->m_objects), (std::vector<std::string>{"a", "b"}));

  view->Select(a);
  CTestCmdUI enabled(ID_OBJECT_FORWARD);
  enabled.DoUpdate(Frame(), TRUE);
  EXPECT_TRUE(enabled.m_bEnabled);
  EXPECT_TRUE(pressPlus());
  EXPECT_EQ(Names(Doc()->m_objects), (std::vector<std::string>{"b", "a"}));
}

TEST_F(DrawViewTest, StyleGettersPassTheFramesChoicesOn) {
  CMainFrame* frame = Frame();
  CDrawView* view = View();
  const struct {
    int dashStyle, penStyle;
  } styles[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 0}, {-1, 0}};
  for (const auto& row : styles) {
    frame->m_nDashStyle = row.dashStyle;
    EXPECT_EQ(view->GetPenStyle(), row.penStyle) << row.dashStyle;
  }
  const struct {
    int frameCap, cap;
  } caps[] = {{0, 0}, {2, 2}, {3, 3}, {1, 0}, {17, 0}};
  for (const auto& row : caps) {
    frame->m_nDashCap = row.frameCap;
    EXPECT_EQ(view->GetDashCap(), row.cap) << row.frameCap;
  }
  frame->m_bClosed = TRUE;
  frame->m_bFilled = FALSE;
  frame->m_lineColour = RGB(1, 2, 3);
  frame->m_fillColour = RGB(4, 5, 6);
  frame->m_nLineWidth = 7;
  EXPECT_TRUE(view->GetClosed());
  EXPECT_FALSE(view->GetFilled());
  EXPECT_EQ(view->GetLineColour(), RGB(1, 2, 3));
  EXPECT_EQ(view->GetFillColour(), RGB(4, 5, 6));
  EXPECT_EQ(view->GetLineWidth(), 7);
}

TEST_F(DrawViewTest, StartingAndStoppingThePageGoesOverEveryObject) {
  ProbeObject* a = Probe(CRect(0, 10, 10, 0), "a");
  ProbeObject* b = Probe(CRect(0, 10, 10, 0), "b");
  View()->Select(a);
  CDrawHost* drawHost = GetDrawHost();
  EXPECT_TRUE(drawHost->StartObjects());
  EXPECT_EQ(Log(), (std::vector<std::string>{"select a", "save a", "save b"}));
  EXPECT_TRUE(View()->m_selection.IsEmpty());
  EXPECT_EQ(Doc()->m_transitionPending, 1);

  // A run that changed the stacking order (a layer action) leaves it as it found it.
  Doc()->m_objects.RemoveTail();
  Doc()->m_objects.AddHead(b);
  View()->GetClock().SetTick(9);
  Log().clear();
  drawHost->StopObjects();
  EXPECT_EQ(Log(), (std::vector<std::string>{"restore b", "restore a"}));  // in page order
  EXPECT_EQ(Names(Doc()->m_objects), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(View()->GetClock().GetTick(), 0);

  b->m_failToStart = true;
  EXPECT_FALSE(drawHost->StartObjects());
  EXPECT_TRUE(app->m_bError);
}

TEST_F(DrawViewTest, EscapeReachesTheViewBeforeTheFrame) {
  CMainFrame* frame = Frame();
  // While editing the view takes the exit command: no full screen comes of it.
  frame->SendMessage(WM_COMMAND, ID_EXIT_RUN);
  EXPECT_FALSE(frame->IsFullScreen());
  // A run ends: the objects come back, the window leaves full screen, editing resumes.
  Probe(CRect(0, 10, 10, 0), "a");
  frame->SendMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN);
  app->m_nMode = 1;
  CDrawView::s_nCurrentShape = 9;
  Log().clear();
  frame->SendMessage(WM_COMMAND, ID_EXIT_RUN);
  EXPECT_FALSE(frame->IsFullScreen());
  EXPECT_EQ(app->m_nMode, 2);
  EXPECT_EQ(CDrawView::s_nCurrentShape, 0);
  EXPECT_EQ(Log(), std::vector<std::string>{"restore a"});
}

TEST_F(DrawViewTest, ThePlaybackClockStepsThePageFromItsThirdTick) {
  Probe(CRect(0, 10, 10, 0), "a");
  CDrawView* view = View();
  for (int i = 0; i < 4; ++i) view->SendMessage(WM_TIMER, kPlaybackTimerId);
  EXPECT_EQ(view->GetClock().GetTick(), 4);
  GetDrawHost()->SetPlaybackClock(0);
  EXPECT_TRUE(GetDrawHost()->IsPlaybackBreak());
}

TEST_F(DrawViewTest, TheViewIsADropTarget) {
  // Registered when the view was made: a second registration is refused.
  EXPECT_EQ(::RegisterDragDrop(View()->m_hWnd, View()->m_dropTarget.GetInterface()),
            DRAGDROP_E_ALREADYREGISTERED);
  EXPECT_EQ(View()->m_dropTarget.GetWindow(), View()->m_hWnd);
}
