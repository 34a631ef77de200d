// The test run: F5, the playback clock walked tick by tick, page jumps, run-time input
// as triggers, and Esc back to editing with every object as it was.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "framework/core/MessageBox.h"
#include "framework/ui/CmdUI.h"
#include "media/DrawAnimate.h"
#include "model/ColorEditWnd.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/HPEvent.h"
#include "model/Method.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/media/TempFolder.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}
// Probes destroyed so far: nothing may reach them afterwards.
std::set<const void*>& Dead() {
  static std::set<const void*> dead;
  return dead;
}

// Records its steps and triggers; what it does on a trigger or step is up to the test.
class Probe : public CDrawObj {
 public:
  Probe(const CRect& r, const char* name) : CDrawObj(r) { m_name = name; }
  ~Probe() override { Dead().insert(this); }
  void Step(int t, CView* view) override {
    Touch();
    Log().push_back(std::string(m_name) + " step " + std::to_string(t));
    if (onStep) onStep(t);
    CDrawObj::Step(t, view);
  }
  int Drive(int index, int tick, int x, int y, int key, const CString& text, CDrawObj* second,
            CDrawObj* third) override {
    Touch();
    std::string line = std::string(m_name) + " drive " + std::to_string(index);
    if (!text.IsEmpty()) line += " " + std::string(text.GetString());
    if (second) line += " " + std::string(second->m_name.GetString());
    Log().push_back(line);
    (void)tick;
    (void)x;
    (void)y;
    (void)key;
    (void)third;
    if (onDrive) onDrive(index);
    return accept;
  }
  void SavePlayState(CView* view, CDrawObj* owner) override {
    if (failToStart) GetDrawHost()->SetTargetMissing();
    CDrawObj::SavePlayState(view, owner);
  }
  void RestorePlayState(CView* view) override {
    Log().push_back(std::string(m_name) + " restore");
    CDrawObj::RestorePlayState(view);
  }
  void Touch() const { EXPECT_EQ(Dead().count(this), 0u) << "a destroyed object was used"; }

  std::function<void(int)> onStep;
  std::function<void(int)> onDrive;
  int accept = 0;
  bool failToStart = false;
};

// A text that takes typed answers and reports its triggers.
class InputProbe : public CDrawText {
 public:
  explicit InputProbe(const CRect& r) : CDrawText(r) {
    m_name = "answer";
    m_textInput = 1;
  }
  int Drive(int index, int, int, int, int, const CString& text, CDrawObj*, CDrawObj*) override {
    Log().push_back("answer drive " + std::to_string(index) + " " + text.GetString());
    return 0;
  }
};

// A rectangle that walks its whole track once in 10 ticks.
CDrawRect* AddMover(CDrawDoc& doc) {
  auto* track = new CDrawRect(CRect(-200, 100, 200, -100));
  track->m_name = "track";
  track->ToggleTrajectory();
  doc.Add(track);
  auto* ball = new CDrawRect(CRect(-210, 110, -190, 90));
  ball->m_name = "ball";
  CMethod motion;
  motion.m_nType = CMethod::typeTranslate;
  motion.m_strName = "move";
  motion.m_nStart = 0;
  motion.m_nActivation = 0;
  motion.m_nDuration = 1000;
  motion.m_bLoop = TRUE;
  motion.m_nSpeed = 20;
  motion.m_strPath = "track";
  ball->m_actions.Add(motion);
  ball->m_actionMask |= motion.m_nType;
  doc.Add(ball);
  return ball;
}

// A button whose left-button release switches to the page.
CDrawRect* AddJumpButton(CDrawDoc& doc, const CRect& r, const char* target, UINT trigger) {
  auto* button = new CDrawRect(r);
  button->m_name = "jump";
  button->m_buttonised = 1;
  CMethod jump;
  jump.m_nType = CMethod::typePageSwitch;
  jump.m_strName = "switch";
  jump.m_nDuration = 0;
  jump.m_nActivation = trigger == 0 ? 0 : -1;
  jump.m_strTarget = target;
  button->m_actions.Add(jump);
  button->m_actionMask |= jump.m_nType;
  if (trigger) {
    CHPEvent click;
    click.m_nTrigger = trigger;
    click.m_strName = "click";
    click.m_strObject = "jump";
    click.m_strAbility = "switch";
    button->m_events.Add(click);
    button->m_triggerMask |= trigger;
  }
  doc.Add(button);
  return button;
}

std::vector<BYTE> ReadAll(const CString& path) {
  std::vector<BYTE> bytes;
  HANDLE h = ::CreateFileA(path.GetString(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(::GetFileSize(h, nullptr));
  DWORD read = 0;
  ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(h);
  return bytes;
}

}  // namespace

class TestRunTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Log().clear();
    Dead().clear();
    NewPage();
    View()->m_bActive = TRUE;
  }
  void TearDown() override {
    if (app->m_nMode != 2) Frame()->SendMessage(WM_COMMAND, ID_EXIT_RUN);
    EditorTest::TearDown();
  }
  Probe* AddProbe(const CRect& r, const char* name) {
    auto* probe = new Probe(r, name);
    Doc()->Add(probe);
    return probe;
  }
  // F5 on an unmodified page; the real timer is stopped so that the test drives the clock.
  void StartRun() {
    Doc()->SetModifiedFlag(FALSE);
    Frame()->SendMessage(WM_COMMAND, ID_TEST_PAGE);
    ASSERT_EQ(app->m_nMode, 1);
    EXPECT_TRUE(View()->KillTimer(kPlaybackTimerId)) << "timer 3 runs";
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) View()->SendMessage(WM_TIMER, kPlaybackTimerId);
  }
  void Send(UINT message, UINT flags, CPoint logical) {
    View()->LPtoDPPoint(logical);
    View()->SendMessage(message, flags, MAKELPARAM(logical.x, logical.y));
  }
};

TEST_F(TestRunTest, F5RunsThePageAndEscPutsEveryObjectBack) {
  CDrawRect* ball = AddMover(*Doc());
  TempFolder folder;
  const CString before = folder.File(L"before.rvx").c_str(), after = folder.File(L"after.rvx").c_str();
  ASSERT_TRUE(Doc()->OnSaveDocument(before));
  const CRect start = ball->m_position;

  StartRun();
  EXPECT_TRUE(Frame()->IsFullScreen());
  EXPECT_EQ(View()->GetClock().GetTick(), 0);
  EXPECT_EQ(Doc()->m_transitionPending, 1);
  Tick(2);
  EXPECT_EQ(ball->m_position, start) << "ticks 1 and 2 step nothing";
  std::vector<CRect> path;
  for (int i = 0; i < 5; ++i) {
    Tick();
    path.push_back(ball->m_position);
  }
  EXPECT_NE(path.back(), start);
  for (size_t i = 1; i < path.size(); ++i) EXPECT_NE(path[i], path[i - 1]) << "moves on every tick";
  View()->SendMessage(WM_TIMER, 7);  // not the clock's
  EXPECT_EQ(View()->GetClock().GetTick(), 7);

  Frame()->SendMessage(WM_COMMAND, ID_EXIT_RUN);
  EXPECT_EQ(app->m_nMode, 2);
  EXPECT_FALSE(Frame()->IsFullScreen());
  EXPECT_EQ(View()->GetClock().GetTick(), 0);
  EXPECT_EQ(ball->m_position, start);
  ASSERT_TRUE(Doc()->OnSaveDocument(after));
  const std::vector<BYTE> a = ReadAll(after), b = ReadAll(before);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) ADD_FAILURE() << "byte " << i << " is " << int(a[i]) << ", was " << int(b[i]);
}

TEST_F(TestRunTest, TheClockStepsFromTheThirdTickAndABreakEndsTheWalk) {
  Probe* head = AddProbe(CRect(0, 10, 10, 0), "head");
  Probe* tail = AddProbe(CRect(20, 10, 30, 0), "tail");
  StartRun();
  Tick(2);
  EXPECT_TRUE(Log().empty());
  Tick();
  EXPECT_EQ(Log(), (std::vector<std::string>{"head step 0", "tail step 0"}));
  Log().clear();
  Tick(2);
  EXPECT_EQ(Log(), (std::vector<std::string>{"head step 1", "tail step 1", "head step 2", "tail step 2"}));

  // A jump raised by the head: nothing after it is stepped and the tick is one lower.
  Log().clear();
  head->onStep = [](int) { GetDrawHost()->SetPlaybackClock(0); };
  Tick();
  EXPECT_EQ(Log(), std::vector<std::string>{"head step 3"});
  EXPECT_EQ(View()->GetClock().GetTick(), -1);
  EXPECT_FALSE(View()->IsPlaybackBreak());

  // Raised by the tail: the next walk ends before its first object.
  head->onStep = nullptr;
  tail->onStep = [](int) { GetDrawHost()->SetPlaybackClock(5); };
  View()->GetClock().SetTick(9);
  Log().clear();
  Tick();
  tail->onStep = nullptr;
  Tick();
  EXPECT_EQ(Log(), (std::vector<std::string>{"head step 7", "tail step 7"}));
  EXPECT_EQ(View()->GetClock().GetTick(), 5);
}

TEST_F(TestRunTest, PauseStopsTheClockAndNoRunStartsPaused) {
  AddProbe(CRect(0, 10, 10, 0), "a");
  StartRun();
  View()->SetTimer(kPlaybackTimerId, 55);
  Frame()->SendMessage(WM_COMMAND, ID_PAUSE_RUN);
  EXPECT_TRUE(View()->GetRun().IsPaused());
  EXPECT_FALSE(View()->KillTimer(kPlaybackTimerId)) << "paused: no timer";
  CTestCmdUI check(ID_PAUSE_RUN);
  check.DoUpdate(Frame(), TRUE);
  EXPECT_EQ(check.m_nCheck, 1);
  // Esc while paused, then F5: the new run plays.
  Frame()->SendMessage(WM_COMMAND, ID_EXIT_RUN);
  EXPECT_FALSE(View()->GetRun().IsPaused());
  StartRun();
  EXPECT_FALSE(View()->GetRun().IsPaused());
  // Resume restarts the clock where it stood.
  Tick(4);
  Frame()->SendMessage(WM_COMMAND, ID_PAUSE_RUN);
  Frame()->SendMessage(WM_COMMAND, ID_PAUSE_RUN);
  EXPECT_TRUE(View()->KillTimer(kPlaybackTimerId));
  Log().clear();
  Tick();
  EXPECT_EQ(Log(), std::vector<std::string>{"a step 2"});
}

TEST_F(TestRunTest, ARunThatCannotStartPutsBackWhatItPrepared) {
  AddProbe(CRect(0, 10, 10, 0), "a");
  AddProbe(CRect(20, 10, 30, 0), "b")->failToStart = true;
  Doc()->SetModifiedFlag(FALSE);
  Frame()->SendMessage(WM_COMMAND, ID_TEST_PAGE);
  EXPECT_EQ(app->m_nMode, 2);
  EXPECT_FALSE(View()->KillTimer(kPlaybackTimerId));
  EXPECT_EQ(Log(), (std::vector<std::string>{"a restore", "b restore"}));
  EXPECT_TRUE(Frame()->IsFullScreen()) << "until Esc";
  Frame()->SendMessage(WM_COMMAND, ID_EXIT_RUN);
  EXPECT_FALSE(Frame()->IsFullScreen());
}

TEST_F(TestRunTest, CancellingTheSavePromptStartsNothing) {
  AddProbe(CRect(0, 10, 10, 0), "a");
  Doc()->SetModifiedFlag(TRUE);
  MessageBoxCapture boxes(IDCANCEL);
  Frame()->SendMessage(WM_COMMAND, ID_TEST_PAGE);
  EXPECT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(app->m_nMode, 2);
  EXPECT_FALSE(Frame()->IsFullScreen());
  EXPECT_FALSE(View()->KillTimer(kPlaybackTimerId));
}

TEST_F(TestRunTest, APageJumpLoadsTheOtherPageAndRestartsTheClock) {
  TempFolder folder;
  const CString page1 = folder.File(L"page1.rvx").c_str(), page2 = folder.File(L"page2.rvx").c_str();
  {
    CDrawDoc second;
    auto* marker = new CDrawRect(CRect(-10, 10, 10, -10));
    marker->m_name = "第二页";
    second.m_objects.AddTail(marker);
    ASSERT_TRUE(second.OnSaveDocument(page2));
    CDrawDoc first;
    AddJumpButton(first, CRect(-50, 50, 50, -50), "page2", 1u << CHPEvent::triggerLeftButtonUp);
    ASSERT_TRUE(first.OnSaveDocument(page1));
  }
  ASSERT_TRUE(app->OpenDocumentFile(page1));
  View()->m_bActive = TRUE;
  StartRun();
  EXPECT_STREQ(app->m_strPageFolder.GetString(), (folder.File(L"") ).c_str());
  Tick(4);
  // The click on the button: the page changes inside the button's own trigger.
  Send(WM_MOUSEMOVE, 0, CPoint(0, 0));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(0, 0));
  Send(WM_LBUTTONUP, 0, CPoint(0, 0));
  Tick(3);  // the switch was armed by the click and runs at the button's next step
  Send(WM_MOUSEMOVE, 0, CPoint(1, 1));
  CString path = Doc()->GetPathName();
  path.MakeLower();
  CString expected = page2;
  expected.MakeLower();
  EXPECT_STREQ(path.GetString(), expected.GetString());
  ASSERT_TRUE(View()->FindObjectByName("第二页", 0));
  EXPECT_EQ(app->m_nMode, 1);
  EXPECT_LE(View()->GetClock().GetTick(), 2) << "counted again from 0 after the jump";
  EXPECT_TRUE(View()->KillTimer(kPlaybackTimerId)) << "the clock runs again";
  EXPECT_EQ(Doc()->m_focusObject, nullptr);
}

TEST_F(TestRunTest, EnterInAnInputTextDeliversTheTypedAnswer) {
  auto* text = new InputProbe(CRect(-100, 50, 100, 0));
  text->m_triggerMask = (1u << 9) | (1u << 10);
  Doc()->Add(text);
  StartRun();
  // Enter with no focus object: nothing.
  View()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(Log().empty());
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(0, 20));
  ASSERT_TRUE(text->GetInputBox());
  EXPECT_EQ(Doc()->m_focusObject, text);
  text->GetInputBox()->SetWindowText("四十二");
  View()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
  View()->SendMessage(WM_KEYUP, VK_RETURN, 1);
  EXPECT_EQ(Log(), (std::vector<std::string>{"answer drive 9 四十二", "answer drive 10 四十二"}));
}

TEST_F(TestRunTest, ATriggerThatReplacesThePageLeavesNoHandlerOnFreedObjects) {
  TempFolder folder;
  const CString page2 = folder.File(L"page2.rvx").c_str();
  {
    CDrawDoc second;
    second.m_objects.AddTail(new CDrawRect(CRect(-10, 10, 10, -10)));
    ASSERT_TRUE(second.OnSaveDocument(page2));
  }
  Probe* jumper = AddProbe(CRect(-100, 50, 100, -50), "jumper");
  jumper->m_triggerMask = 0x1 | 0x1000;  // pressed and draggable
  jumper->m_events.SetSize(1);
  jumper->onDrive = [&](int index) {
    if (index == 0) GetDrawHost()->GoToPage(page2);
  };
  StartRun();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(0, 0));
  EXPECT_EQ(Dead().count(jumper), 1u) << "the old page is gone once the handler returned";
  EXPECT_EQ(View()->GetRun().GetDragObject(), nullptr);
  EXPECT_EQ(Doc()->m_focusObject, nullptr);
  Send(WM_MOUSEMOVE, MK_LBUTTON, CPoint(5, 5));
  Send(WM_LBUTTONUP, 0, CPoint(5, 5));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(0, 0));
  EXPECT_EQ(app->m_nMode, 1);
}

TEST_F(TestRunTest, TheContextMenuFollowsModeAndObject) {
  CDrawObj object(CRect(0, 10, 10, 0));
  EXPECT_EQ(CDrawView::ChooseContextMenu(TRUE, TRUE, nullptr, TRUE), static_cast<UINT>(IDR_MENU_RUN));
  EXPECT_EQ(CDrawView::ChooseContextMenu(TRUE, FALSE, &object, TRUE), 0u);
  EXPECT_EQ(CDrawView::ChooseContextMenu(FALSE, TRUE, &object, FALSE), static_cast<UINT>(IDR_MENU_OBJECT));
  CDrawAnimate video(CRect(0, 10, 10, 0));
  EXPECT_EQ(CDrawView::ChooseContextMenu(FALSE, TRUE, &video, FALSE), static_cast<UINT>(IDR_MENU_VIDEO));
  EXPECT_EQ(CDrawView::ChooseContextMenu(TRUE, FALSE, &video, TRUE), 0u);
  EXPECT_EQ(CDrawView::ChooseContextMenu(FALSE, TRUE, nullptr, FALSE), static_cast<UINT>(IDR_MENU_PAGE));
  EXPECT_EQ(CDrawView::ChooseContextMenu(FALSE, TRUE, nullptr, TRUE), static_cast<UINT>(IDR_MENU_PAGE_FULL_SCREEN));
}
