// The run of a playing page, as every program's view owns it: which input becomes which
// trigger of which object, with the view's points mapped by the host of each program
// (the editor's zoomed and scrolled page, the player's page centred on the screen).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "behaviour/PageRun.h"
#include "framework/ui/View.h"
#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "tests/support/TestHost.h"

namespace {

struct DriveCall {
  std::string who;
  int index, x, y;
  CDrawObj* second;
  CDrawObj* third;
};

class DriveProbe : public CDrawObj {
 public:
  DriveProbe(const char* name, const CRect& position, std::vector<DriveCall>& log) : CDrawObj(position), m_log(log) {
    m_name = name;
  }
  int Drive(int index, int, int x, int y, int, const CString&, CDrawObj* second, CDrawObj* third) override {
    m_log.push_back({m_name.GetString(), index, x, y, second, third});
    if (onDrive) onDrive(index);
    return answer;
  }
  std::vector<DriveCall>& m_log;
  int answer = 1;
  std::function<void(int)> onDrive;
};

class PageView : public CView {
 public:
  void OnDraw(CDC*) override {}
};

// The two programs' mappings of client pixels to page units.
enum class Program { editor, player };

class ProgramHost : public TestHost {
 public:
  explicit ProgramHost(Program program) : m_program(program) { mode = kModeRunning; }
  // The editor: zoomed to 200 % and scrolled; the player: one unit a pixel, the page's
  // centre at the centre of a 640 x 480 view.
  void DPtoLP(CPoint& p) override {
    p = m_program == Program::editor ? CPoint(p.x / 2 - 300, 200 - p.y / 2) : CPoint(p.x - 320, 240 - p.y);
  }
  CPoint ToClient(CPoint page) const {
    return m_program == Program::editor ? CPoint((page.x + 300) * 2, (200 - page.y) * 2)
                                        : CPoint(page.x + 320, 240 - page.y);
  }

 private:
  Program m_program;
};

class PageRunTest : public testing::TestWithParam<Program> {
 protected:
  PageRunTest() : host(GetParam()), run(view, &host) {
    doc.m_bAutoDelete = FALSE;
    doc.AddView(&view);
    host.document = &doc;
  }
  ~PageRunTest() override { doc.DeleteContents(); }

  DriveProbe* Add(const char* name, const CRect& position, DWORD mask) {
    auto* probe = new DriveProbe(name, position, log);
    probe->m_triggerMask = mask;
    doc.m_objects.AddTail(probe);
    return probe;
  }
  CPoint At(int x, int y) const { return host.ToClient(CPoint(x, y)); }
  std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    for (const DriveCall& call : log) calls.push_back(call.who + " " + std::to_string(call.index));
    return calls;
  }

  ProgramHost host;
  CDrawDoc doc;
  PageView view;
  CPageRun run;
  std::vector<DriveCall> log;
};

TEST_P(PageRunTest, InputBecomesTriggersOfTheObjectUnderThePointer) {
  DriveProbe* probe = Add("P", CRect(-50, 50, 50, -50), 0);
  const struct {
    const char* what;
    void (CPageRun::*input)(CPoint);
    CPoint page;
    DWORD mask;
    int expected;  // -1: none
  } rows[] = {
      {"right down reaches any object", &CPageRun::OnRButtonDown, {10, 20}, 0, 4},
      {"right up reaches any object", &CPageRun::OnRButtonUp, {10, 20}, 0, 5},
      {"left down without a left-down event", &CPageRun::OnLButtonDown, {10, 20}, 0x2, -1},
      {"left down with one", &CPageRun::OnLButtonDown, {10, 20}, 0x1, 0},
      {"left up without a left-up event", &CPageRun::OnLButtonUp, {10, 20}, 0x1, -1},
      {"left up with one", &CPageRun::OnLButtonUp, {10, 20}, 0x2, 1},
      {"double click with a double-click event", &CPageRun::OnLButtonDblClk, {-30, -40}, 0x4, 2},
      {"double click without one", &CPageRun::OnLButtonDblClk, {10, 20}, 0x1, -1},
      {"right down beside the object", &CPageRun::OnRButtonDown, {60, 0}, 0x1FFF, -1},
      {"left down beside the object", &CPageRun::OnLButtonDown, {-60, 0}, 0x1FFF, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    probe->m_triggerMask = row.mask;
    log.clear();
    (run.*row.input)(At(row.page.x, row.page.y));
    if (row.expected < 0) {
      EXPECT_TRUE(log.empty());
    } else {
      ASSERT_EQ(1u, log.size());
      EXPECT_EQ(row.expected, log[0].index);
      EXPECT_EQ(row.page.x, log[0].x);
      EXPECT_EQ(row.page.y, log[0].y);
    }
  }
}

TEST_P(PageRunTest, CompositesTakeEveryPointerTriggerWhateverTheirMask) {
  // A group serves its members' events, so it is reached whatever its own mask says.
  struct Group : CDrawCompObj {
    explicit Group(std::vector<DriveCall>& log) : m_log(log) {
      m_position = CRect(-50, 50, 50, -50);
      m_name = "G";
    }
    int Drive(int index, int, int x, int y, int, const CString&, CDrawObj*, CDrawObj*) override {
      m_log.push_back({"G", index, x, y, nullptr, nullptr});
      return 0;
    }
    std::vector<DriveCall>& m_log;
  };
  doc.m_objects.AddTail(new Group(log));
  run.OnLButtonDown(At(0, 0));
  run.OnLButtonUp(At(0, 0));
  run.OnLButtonDblClk(At(0, 0));
  run.OnMouseMove(0, At(1, 1));
  EXPECT_EQ((std::vector<std::string>{"G 0", "G 1", "G 2", "G 3"}), Calls());
  EXPECT_TRUE(run.IsArrowCursor());  // a group without events of its own keeps the cursor
}

TEST_P(PageRunTest, MovingLeavesOneObjectBeforeEnteringTheNext) {
  for (DriveProbe* p : {Add("A", CRect(-100, 20, -60, -20), 0x180), Add("B", CRect(60, 20, 100, -20), 0x180)})
    p->m_events.SetSize(1);  // an event, so moves over it drive it
  run.OnMouseMove(0, At(-80, 0));
  run.OnMouseMove(0, At(-80, 0));  // the same point again: nothing
  EXPECT_FALSE(run.IsArrowCursor());
  run.OnMouseMove(0, At(80, 0));
  run.OnMouseMove(0, At(0, 0));
  EXPECT_EQ((std::vector<std::string>{"A 7", "A 3", "A 8", "B 7", "B 3", "B 8"}), Calls());
  EXPECT_TRUE(run.IsArrowCursor());
  EXPECT_EQ(nullptr, run.GetHoverObject());
}

TEST_P(PageRunTest, ADraggedObjectIsDroppedOntoItsTargetOrGoesBack) {
  const struct {
    const char* what;
    CPoint to;
    int answer;
    CRect expected;
    bool dropped;
  } rows[] = {
      {"released over nothing: back to its start", {0, 100}, 1, CRect(-110, 10, -90, -10), false},
      {"over a target that declines: stays there", {95, 5}, 0, CRect(85, 15, 105, -5), true},
      {"over a target that accepts: onto its centre", {95, 5}, 1, CRect(90, 10, 110, -10), true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    doc.DeleteContents();
    log.clear();
    DriveProbe* target = Add("T", CRect(80, 20, 120, -20), 0);
    DriveProbe* dragged = Add("D", CRect(-110, 10, -90, -10), 0x1000);
    target->answer = row.answer;
    ASSERT_TRUE(run.StartObjects());
    run.OnLButtonDown(At(-100, 0));
    run.OnMouseMove(MK_LBUTTON, At(row.to.x, row.to.y));
    run.OnLButtonUp(At(row.to.x, row.to.y));
    EXPECT_EQ(row.expected, dragged->m_position);
    EXPECT_EQ(nullptr, run.GetDragObject());
    if (row.dropped) {
      ASSERT_EQ(1u, log.size());
      EXPECT_EQ(12, log[0].index);
      EXPECT_EQ(dragged, log[0].second);
      EXPECT_EQ(target, log[0].third);
    } else {
      EXPECT_TRUE(log.empty());
    }
  }
}

TEST_P(PageRunTest, ATriggerThatReplacesThePageStopsTheHandlerThere) {
  int destroyed = 0;
  struct Counted : DriveProbe {
    Counted(std::vector<DriveCall>& log, int& count) : DriveProbe("J", CRect(-50, 50, 50, -50), log), m_count(count) {}
    ~Counted() override { ++m_count; }
    int& m_count;
  };
  auto* jumper = new Counted(log, destroyed);
  jumper->m_triggerMask = 0x1;
  jumper->m_buttonised = 1;
  jumper->onDrive = [this](int) { doc.DeleteContents(); };  // as a page jump does
  doc.m_objects.AddTail(jumper);
  run.OnLButtonDown(At(0, 0));
  // The old page went after the handler returned, and nothing of it became the focus.
  EXPECT_EQ(1, destroyed);
  EXPECT_EQ(nullptr, doc.m_focusObject);
}

TEST_P(PageRunTest, PauseKeepsTheClockAndAStartResumes) {
  run.GetClock().SetTick(7);
  run.TogglePause();
  EXPECT_TRUE(run.IsPaused());
  EXPECT_EQ(0u, run.GetTimerPeriod());
  run.TogglePause();
  EXPECT_FALSE(run.IsPaused());
  EXPECT_EQ(7, run.GetTick());
  run.TogglePause();
  run.SetTimer(CPageRun::kResumePeriod);  // a page jump while paused plays the new page
  EXPECT_FALSE(run.IsPaused());
}

INSTANTIATE_TEST_SUITE_P(Programs, PageRunTest, testing::Values(Program::editor, Program::player),
                         [](const testing::TestParamInfo<Program>& info) {
                           return std::string(info.param == Program::editor ? "Editor" : "Player");
                         });

}  // namespace
