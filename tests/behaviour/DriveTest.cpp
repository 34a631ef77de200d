// Triggers: which events a trigger index serves, arming at tick - 2 so that the ability
// starts on the next timer tick, the messages for missing targets and abilities, name
// lookups, dynamic page switches and drops.
#include <gtest/gtest.h>

#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

constexpr int kTick = 20;

// A page of two objects: the source of the events and a target with two abilities.
struct TwoObjects {
  CProbe source{"source"};
  CProbe target{"target"};
  explicit TwoObjects(TestHost& host) {
    AddAction(target, MakeAction(CMethod::typeShowHide, "show", 0, 0, -1));
    AddAction(target, MakeAction(CMethod::typeShowHide, "hide", 0, 0, -1));
    host.objects = {&source, &target};
  }
  int Drive(int index, int key = 13, const CString& text = "") {
    return source.Drive(index, kTick, 0, 0, key, text, nullptr, nullptr);
  }
};

TEST(Drive, EachIndexServesItsTriggerAndKey) {
  struct Row {
    DWORD trigger;
    int eventKey;
    int index;
    int key;
    bool armed;
  };
  const Row rows[] = {
      {0x1, 13, 0, 13, true},      {0x1, 13, 1, 13, false},     {0x2, 13, 1, 13, true},
      {0x4, 13, 2, 13, true},      {0x8, 13, 3, 13, true},      {0x10, 13, 4, 13, true},
      {0x20, 13, 5, 13, true},     {0x40, 13, 6, 13, true},     {0x80, 13, 7, 13, true},
      {0x100, 13, 8, 13, true},    {0x80, 13, 8, 13, false},    {0x200, 13, 9, 13, true},
      {0x200, 65, 9, 13, false},   {0x400, 13, 10, 13, true},   {0x400, 13, 9, 13, false},
      {0x200, 65, 9, 65, true},    {0x1, 65, 0, 13, true},  // only key triggers compare keys
      {0x800, 13, 11, 13, false},  {0x1, 13, 13, 13, false},    {0x1, 13, -1, 13, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "trigger " << row.trigger << " index " << row.index);
    TestHost host;
    TwoObjects page(host);
    AddEvent(page.source, row.trigger, "target", "hide", row.eventKey);
    const int result = page.Drive(row.index, row.key);
    EXPECT_EQ(row.armed ? kTick - 2 : -1, page.target.m_actions[1].m_nActivation);
    EXPECT_EQ(-1, page.target.m_actions[0].m_nActivation);
    if (row.index == 11 || row.index < 0 || row.index > 12) {
      EXPECT_EQ(0, result);
    }
  }
}

TEST(Drive, AnArmedAbilityStartsOnTheNextTimerTick) {
  TestHost host;
  CProbe track("track", CRect(0, 0, 50, 50));
  track.m_trajectory = 1;
  track.trajectory = {CPoint(10, 10), CPoint(20, 20)};
  CProbe button("button");
  CProbe mover("mover");
  CMethod slide = MakeAction(CMethod::typeTranslate, "slide", 0, 5, -1);
  slide.m_strPath = "track";
  slide.m_nByEvent = 1;
  AddAction(mover, slide);
  AddEvent(button, 0x1, "mover", "slide");
  host.objects = {&track, &button, &mover};
  ASSERT_TRUE(host.StartObjects());

  for (int i = 0; i < 7; ++i) host.Tick();
  const CPoint rest = CentreOf(mover);
  ASSERT_EQ(1, button.Drive(0, host.clock.GetTick(), 0, 0, 13, "", nullptr, nullptr));
  EXPECT_EQ(host.clock.GetTick() - 2, mover.m_actions[0].m_nActivation);
  EXPECT_EQ(rest, CentreOf(mover));  // nothing moves before the next tick
  host.Tick();
  EXPECT_EQ(CPoint(10, 10), CentreOf(mover));
  host.Tick();
  EXPECT_EQ(CPoint(20, 20), CentreOf(mover));
}

TEST(Drive, AnInputBeforeTheFirstWalkStartsItsAbilityWithTheWalk) {
  TestHost host;
  CProbe track("track", CRect(0, 0, 50, 50));
  track.m_trajectory = 1;
  track.trajectory = {CPoint(10, 10), CPoint(20, 20)};
  CProbe button("button");
  CProbe mover("mover");
  CMethod slide = MakeAction(CMethod::typeTranslate, "slide", 0, 5, -1);
  slide.m_strPath = "track";
  slide.m_nByEvent = 1;
  AddAction(mover, slide);
  AddEvent(button, 0x1, "mover", "slide");
  host.objects = {&track, &button, &mover};
  ASSERT_TRUE(host.StartObjects());
  host.Tick();  // tick 1: a click now came before any walk
  ASSERT_EQ(1, button.Drive(0, host.clock.GetTick(), 0, 0, 13, "", nullptr, nullptr));
  EXPECT_EQ(0, mover.m_actions[0].m_nActivation);  // not "waiting for an event"
  host.Tick();
  host.Tick();  // tick 3: the first walk, frame 0
  EXPECT_EQ(CPoint(10, 10), CentreOf(mover));
}

TEST(Drive, EveryMoveReArmsItsAbility) {
  TestHost host;
  TwoObjects page(host);
  AddEvent(page.source, 0x8, "target", "show");
  page.source.Drive(3, 10, 0, 0, 13, "", nullptr, nullptr);
  EXPECT_EQ(8, page.target.m_actions[0].m_nActivation);
  page.source.Drive(3, 15, 0, 0, 13, "", nullptr, nullptr);
  EXPECT_EQ(13, page.target.m_actions[0].m_nActivation);
}

TEST(Drive, ServingStopsAtTheFirstMissingTargetOrAbility) {
  struct Row {
    const char* name;
    const char* missingObject;
    const char* missingAbility;
    const char* text;
  };
  const Row rows[] = {
      {"object", "nobody", "show", "没找到由事件驱动的对象 \\\"nobody\\\""},
      {"ability", "target", "Show", "由事件驱动的对象 \\\"target\\\" 的能力 \\\"Show\\\" 不存在!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestHost host;
    TwoObjects page(host);
    CProbe third("third");
    AddAction(third, MakeAction(CMethod::typeShowHide, "show", 0, 0, -1));
    host.objects.push_back(&third);
    AddEvent(page.source, 0x1, "target", "hide");
    AddEvent(page.source, 0x1, row.missingObject, row.missingAbility);
    AddEvent(page.source, 0x1, "third", "show");
    MessageBoxCapture boxes;
    EXPECT_EQ(0, page.Drive(0));
    EXPECT_EQ(kTick - 2, page.target.m_actions[1].m_nActivation);  // before the failure: armed
    EXPECT_EQ(-1, third.m_actions[0].m_nActivation);                // after it: not served
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(CString(row.text), boxes.boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.boxes()[0].flags & MB_ICONMASK);
  }
}

TEST(Drive, NamesAreFoundByteForByteFirstInPageOrder) {
  TestHost host;
  CProbe source("source");
  CProbe first("A"), second("A"), lower("a");
  for (CProbe* o : {&source, &first, &second, &lower}) AddAction(*o, MakeAction(CMethod::typeShowHide, "go", 0, 0, -1));
  AddAction(first, MakeAction(CMethod::typeShowHide, "GO", 0, 0, -1));
  host.objects = {&source, &first, &second, &lower};
  AddEvent(source, 0x1, "A", "GO");
  AddEvent(source, 0x1, "source", "go");  // an object may drive itself
  source.m_events[0].m_strName = "e1";
  source.m_events[1].m_strName = "e2";
  EXPECT_EQ(1, source.Drive(0, kTick, 0, 0, 13, "", nullptr, nullptr));
  EXPECT_EQ(-1, first.m_actions[0].m_nActivation);
  EXPECT_EQ(kTick - 2, first.m_actions[1].m_nActivation);
  EXPECT_EQ(-1, second.m_actions[0].m_nActivation);
  EXPECT_EQ(-1, lower.m_actions[0].m_nActivation);
  EXPECT_EQ(kTick - 2, source.m_actions[0].m_nActivation);

  EXPECT_EQ(1, first.FindActionByName("GO"));
  EXPECT_EQ(-1, first.FindActionByName("Go"));
  EXPECT_EQ(1, source.FindEventByName("e2"));
  EXPECT_EQ(-1, source.FindEventByName("E2"));
}

TEST(Drive, AMemberWithoutAnOwnerFindsItsTargetOnThePage) {
  TestHost host;
  TwoObjects page(host);
  page.source.m_flags = kFlagCompositeMember;
  AddEvent(page.source, 0x1, "target", "show");
  EXPECT_EQ(1, page.Drive(0));
  EXPECT_EQ(kTick - 2, page.target.m_actions[0].m_nActivation);
}

TEST(Drive, AKeyEventGivesADynamicPageSwitchTheTypedPage) {
  struct Row {
    const char* name;
    DWORD trigger;
    int index;
    int mode;
    const char* want;
  };
  const Row rows[] = {
      {"dynamic, key down", 0x200, 9, 1, "第二页"},
      {"dynamic, key up", 0x400, 10, 1, "第二页"},
      {"fixed page", 0x200, 9, 0, "before"},
      {"dynamic, mouse", 0x1, 0, 1, "before"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestHost host;
    TwoObjects page(host);
    CMethod jump = MakeAction(CMethod::typePageSwitch, "jump", 0, 0, -1);
    jump.m_nMode = row.mode;
    jump.m_strSource = "before";
    AddAction(page.target, jump);
    AddEvent(page.source, row.trigger, "target", "jump");
    EXPECT_EQ(1, page.Drive(row.index, 13, "第二页"));
    EXPECT_EQ(CString(row.want), page.target.m_actions[2].m_strSource);
    EXPECT_EQ(kTick - 2, page.target.m_actions[2].m_nActivation);
  }
}

TEST(Drive, ADropServesTheDraggedObjectsEventsForItsTarget) {
  TestHost host;
  CProbe dragged("dragged"), box1("box1"), box2("box2"), other("other");
  AddAction(box1, MakeAction(CMethod::typeShowHide, "tick", 0, 0, -1));
  AddAction(box2, MakeAction(CMethod::typeShowHide, "tick", 0, 0, -1));
  AddAction(other, MakeAction(CMethod::typeShowHide, "tick", 0, 0, -1));
  AddEvent(dragged, 0x1000, "box1", "tick");
  AddEvent(dragged, 0x1000, "box2", "tick");
  AddEvent(other, 0x1000, "other", "tick");  // the receiver's own events play no part
  host.objects = {&dragged, &box1, &box2, &other};

  EXPECT_EQ(1, box2.Drive(12, kTick, 0, 0, 13, "", &dragged, &box2));
  EXPECT_EQ(-1, box1.m_actions[0].m_nActivation);
  EXPECT_EQ(kTick - 2, box2.m_actions[0].m_nActivation);

  // Without a third object (the player's view) the receiver is the drop target.
  EXPECT_EQ(1, box1.Drive(12, kTick + 1, 0, 0, 13, "", &dragged, nullptr));
  EXPECT_EQ(kTick - 1, box1.m_actions[0].m_nActivation);

  // Dropped where no drop event points: not accepted, so the view does not snap it.
  EXPECT_EQ(0, other.Drive(12, kTick, 0, 0, 13, "", &dragged, &other));
  EXPECT_EQ(-1, other.m_actions[0].m_nActivation);
  EXPECT_EQ(0, other.Drive(12, kTick, 0, 0, 13, "", nullptr, &other));
}

TEST(Drive, ADropWithAMissingTargetIsReported) {
  TestHost host;
  CProbe dragged("dragged"), box("box");
  AddEvent(dragged, 0x1000, "gone", "tick");
  host.objects = {&dragged, &box};
  MessageBoxCapture boxes;
  EXPECT_EQ(0, box.Drive(12, kTick, 0, 0, 13, "", &dragged, &box));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(CString("没找到由事件驱动的对象 \\\"gone\\\""), boxes.boxes()[0].text);
}

TEST(Drive, EventDrivenActionsAreFound) {
  CDrawObj object;
  EXPECT_FALSE(object.HasEventDrivenAction());
  AddAction(object, MakeAction(CMethod::typeShowHide, "a"));
  EXPECT_FALSE(object.HasEventDrivenAction());
  CMethod byEvent = MakeAction(CMethod::typeShowHide, "b", 0, 0, -1);
  byEvent.m_nByEvent = 1;
  AddAction(object, byEvent);
  EXPECT_TRUE(object.HasEventDrivenAction());
}

}  // namespace
