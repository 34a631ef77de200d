// The tick walk every host runs from its timer, and page jumps during it: the old page's
// objects outlive the step that replaced them, a page that cannot be read leaves the
// current one as it was, and a nested timer message does not start a second walk.
#include <gtest/gtest.h>

#include <memory>

#include "behaviour/GoToPage.h"
#include "resources/ModelStrings.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TestHost.h"

namespace {

CString TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return CString(dir) + name;
}

class CCountingDoc : public CDrawDoc {
 public:
  BOOL OnOpenDocument(const char* path) override {
    ++opens;
    return CDrawDoc::OnOpenDocument(path);
  }
  int opens = 0;
};

// Writes a page file of the given objects (the file takes them over).
CString WritePage(const char* name, std::initializer_list<CDrawObj*> objects) {
  const CString path = TempPath(name);
  CDrawDoc doc;
  for (CDrawObj* o : objects) doc.m_objects.AddTail(o);
  EXPECT_TRUE(doc.OnSaveDocument(path));
  return path;
}

CDrawObj* Named(const char* name) {
  auto* o = new CDrawObj(CRect(0, 10, 10, 0));
  o->m_name = name;
  return o;
}

std::vector<CString> Names(CDrawDoc& doc) {
  std::vector<CString> names;
  for (POSITION pos = doc.m_objects.GetHeadPosition(); pos;)
    names.push_back(static_cast<CDrawObj*>(doc.m_objects.GetNext(pos))->m_name);
  return names;
}

TEST(TickWalk, TicksOneAndTwoIdleThreeRepaintsAndStepsFrameZero) {
  TestHost host;
  CProbe a("a"), b("b");
  host.objects = {&a, &b};
  host.Tick();
  host.Tick();
  EXPECT_TRUE(a.frames.empty());
  EXPECT_EQ(0, host.viewInvalidations);
  host.Tick();
  EXPECT_EQ(1, host.viewInvalidations);
  host.Tick();
  host.Tick();
  EXPECT_EQ(1, host.viewInvalidations);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), a.frames);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), b.frames);
}

TEST(TickWalk, ABreakByTheFirstObjectEndsTheWalkOneTickLower) {
  TestHost host;
  CProbe a("a"), b("b");
  host.objects = {&a, &b};
  bool jump = true;
  a.onStep = [&](int) {
    if (jump) host.SetPlaybackClock(0);
    jump = false;
  };
  for (int i = 0; i < 3; ++i) host.Tick();
  EXPECT_TRUE(b.frames.empty());
  EXPECT_EQ(-1, host.clock.GetTick());
  EXPECT_FALSE(host.clock.IsPlaybackBreak());
  for (int i = 0; i < 4; ++i) host.Tick();  // ticks 0, 1, 2 idle, then frame 0 again
  EXPECT_EQ((std::vector<int>{0, 0}), a.frames);
  EXPECT_EQ(std::vector<int>{0}, b.frames);
}

TEST(TickWalk, ABreakByTheLastObjectEndsTheNextWalkBeforeAnyStep) {
  TestHost host;
  CProbe a("a"), b("b");
  host.objects = {&a, &b};
  bool jump = true;
  b.onStep = [&](int) {
    if (jump) host.SetPlaybackClock(0);
    jump = false;
  };
  for (int i = 0; i < 3; ++i) host.Tick();
  EXPECT_TRUE(host.clock.IsPlaybackBreak());
  for (int i = 0; i < 3; ++i) host.Tick();  // 1, 2, then 3 meets the break: back to 2
  EXPECT_EQ(std::vector<int>{0}, a.frames);
  EXPECT_EQ(2, host.clock.GetTick());
  host.Tick();
  EXPECT_EQ((std::vector<int>{0, 0}), a.frames);
}

TEST(TickWalk, ATimerMessageInsideAStepIsDropped) {
  // A message box or a wait inside a step dispatches timer messages.
  TestHost host;
  CProbe a("a"), b("b");
  host.objects = {&a, &b};
  a.onStep = [&](int) { host.Tick(); };
  for (int i = 0; i < 5; ++i) host.Tick();
  EXPECT_EQ(5, host.clock.GetTick());
  EXPECT_EQ((std::vector<int>{0, 1, 2}), a.frames);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), b.frames);
}

struct JumpFixture {
  int destroyed = 0;  // outlives the document, whose objects count into it
  TestHost host;
  CCountingDoc doc;
  CProbe* jumper = new CProbe("jumper");
  CProbe* after = new CProbe("after");
  BOOL result = -1;
  int destroyedInsideTheStep = -1;

  explicit JumpFixture(const CString& target) {
    host.mode = kModeRunning;
    host.document = &doc;
    doc.SetPathName("C:\\Pages\\Home.rvx");
    jumper->destroyed = after->destroyed = &destroyed;
    doc.m_objects.AddTail(jumper);
    doc.m_objects.AddTail(after);
    // The stand-in of a page-switch action: jump, then touch nothing of this object.
    jumper->onStep = [this, target](int) {
      result = GoToPage(target);
      destroyedInsideTheStep = destroyed;
    };
  }
  void RunToFirstStep() {
    for (int i = 0; i < 3; ++i) host.Tick();
  }
};

TEST(PageJump, AnotherPageIsReadAndTheOldObjectsDieAfterTheWalk) {
  const CString target = WritePage("play-jump-target.rvx", {Named("n1"), Named("n2")});
  JumpFixture f(target);
  f.RunToFirstStep();
  EXPECT_EQ(TRUE, f.result);
  EXPECT_EQ(0, f.destroyedInsideTheStep);  // the jumper's step was still running
  EXPECT_EQ(2, f.destroyed);               // gone once the walk was over
  EXPECT_EQ(1, f.doc.opens);
  EXPECT_EQ((std::vector<CString>{"n1", "n2"}), Names(f.doc));
  EXPECT_EQ(target, f.doc.GetPathName());
  EXPECT_EQ(1, f.host.stops);
  EXPECT_EQ(1, f.host.starts);
  EXPECT_EQ(55u, f.host.timerPeriod);
  // Clock 0 with the break raised; the walk took its tick back.
  EXPECT_EQ(-1, f.host.clock.GetTick());
  EXPECT_FALSE(f.host.clock.IsPlaybackBreak());
  // The new page has its own ticks 1 and 2, and repaints at its tick 3.
  const int repaints = f.host.viewInvalidations;
  for (int i = 0; i < 3; ++i) f.host.Tick();
  EXPECT_EQ(repaints, f.host.viewInvalidations);
  f.host.Tick();
  EXPECT_EQ(repaints + 1, f.host.viewInvalidations);
  ::DeleteFileA(target);
}

TEST(PageJump, TheSamePageRestartsWithoutReading) {
  JumpFixture f("c:\\pages\\home.rvx");
  f.RunToFirstStep();
  EXPECT_EQ(TRUE, f.result);
  EXPECT_EQ(0, f.doc.opens);
  EXPECT_EQ(0, f.destroyed);
  EXPECT_EQ(2, f.doc.m_objects.GetCount());
  EXPECT_EQ(1, f.host.stops);
  EXPECT_EQ(1, f.host.starts);
  EXPECT_EQ(55u, f.host.timerPeriod);
  EXPECT_EQ(-1, f.host.clock.GetTick());
  EXPECT_TRUE(f.after->frames.empty());
}

TEST(PageJump, APageThatCannotBeReadLeavesTheCurrentPageAndEndsTheRun) {
  const CString missing = TempPath("play-no-such-page.rvx");
  ::DeleteFileA(missing);
  JumpFixture f(missing);
  f.doc.SetModifiedFlag(FALSE);
  MessageBoxCapture boxes;
  f.RunToFirstStep();
  EXPECT_EQ(FALSE, f.result);
  ASSERT_EQ(1u, boxes.boxes().size());
  CString opened;
  opened.LoadString(IDS_PAGE_OPEN_FAILED);
  EXPECT_EQ(opened, boxes.boxes()[0].text);
  EXPECT_EQ(0, f.destroyed);
  EXPECT_EQ((std::vector<CString>{"jumper", "after"}), Names(f.doc));
  EXPECT_EQ(CString("C:\\Pages\\Home.rvx"), f.doc.GetPathName());
  EXPECT_FALSE(f.doc.IsModified());  // a later save cannot write an emptied page
  EXPECT_EQ(1, f.host.stopRequests);
  EXPECT_EQ(0u, f.host.timerPeriod);
}

TEST(PageJump, APageWhoseObjectsCannotStartHaltsTheRunThere) {
  CDrawObj* lost = Named("lost");
  CMethod slide;
  slide.m_nType = CMethod::typeTranslate;
  slide.m_nActivation = 0;
  slide.m_strPath = "nowhere";
  lost->m_actionMask = CMethod::typeTranslate;
  lost->m_actions.Add(slide);
  const CString target = WritePage("play-jump-lost.rvx", {lost});
  JumpFixture f(target);
  MessageBoxCapture boxes;
  f.RunToFirstStep();
  EXPECT_EQ(FALSE, f.result);
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(CString("没找到对象\\' lost \\'的路径\\' nowhere \\' \n或\\' nowhere \\'没有设置路径属性"),
            boxes.boxes()[0].text);
  EXPECT_EQ((std::vector<CString>{"lost"}), Names(f.doc));
  EXPECT_EQ(0u, f.host.timerPeriod);
  EXPECT_EQ(2, f.destroyed);
  ::DeleteFileA(target);
}

TEST(PageJump, WithoutAHostNothingHappens) { EXPECT_EQ(FALSE, GoToPage("page.rvx")); }

}  // namespace
