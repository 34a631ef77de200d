// The bracket around a run: what SavePlayState keeps and RestorePlayState puts back (a
// run leaves the stored object byte for byte as it was), trajectories resolved at the
// start and the message of a missing one, the total play time, the property-group reset.
#include <gtest/gtest.h>

#include <climits>

#include "resources/ModelStrings.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/behaviour/RecordBytes.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

Bytes Stored(CDrawObj& object) {
  return StoreToBytes([&](CArchive& ar) { object.Serialize(ar); });
}

// A page with a trajectory, a rotation centre and an object that moves along the one,
// turns about the other and carries a dynamic page switch armed by the Enter key.
struct RunningPage {
  CProbe track{"track", CRect(0, 0, 100, 100)};
  CProbe hub{"hub", CRect(40, 40, 60, 60)};
  CProbe mover{"mover", CRect(-5, 5, 5, -5)};

  explicit RunningPage(TestHost& host) {
    track.m_trajectory = 1;
    track.trajectory = {CPoint(0, 0), CPoint(10, 0), CPoint(20, 10), CPoint(30, -10), CPoint(40, 0)};
    CMethod translate = MakeAction(CMethod::typeTranslate, "slide", 0, 9);
    translate.m_strPath = "track";
    translate.m_bLoop = 1;
    translate.m_nPathIndex = 2;
    translate.m_bPathTrace = 1;
    AddAction(mover, translate);
    CMethod rotate = MakeAction(CMethod::typeRotate, "spin", 1, 12);
    rotate.m_strCentre = "hub";
    rotate.m_nEndAngle = 45;
    rotate.m_ptCentre = CPoint(-7, 7);
    rotate.m_nRotateFrames = 99;
    rotate.m_dRotateCorrection = 0.25;
    AddAction(mover, rotate);
    CMethod jump = MakeAction(CMethod::typePageSwitch, "jump", 0, 0, -1);
    jump.m_nByEvent = 1;
    jump.m_nMode = 1;
    jump.m_strSource = "typed before";
    AddAction(mover, jump);
    AddEvent(mover, 0x200, "mover", "jump");
    // Stored fields a run rewrites on its way.
    mover.m_savedRect = CRect(1, 2, 3, 4);
    mover.m_baseRect = CRect(-6, 6, 6, -6);
    mover.m_rotationCentre = CDoublePoint(0.5, -0.5);
    mover.m_text2 = "two";
    mover.m_dataWord1 = 11;
    host.objects = {&track, &hub, &mover};
  }
};

TEST(RunBracket, ARunLeavesEveryStoredFieldAsItWas) {
  TestHost host;
  host.mode = kModeRunning;
  RunningPage page(host);
  const Bytes before = Stored(page.mover);

  ASSERT_TRUE(host.StartObjects());
  for (int i = 0; i < 9; ++i) host.Tick();
  // What other kinds of action and the user do meanwhile.
  page.mover.Drive(9, host.clock.GetTick(), 0, 0, 13, "typed in the run", nullptr, nullptr);
  page.mover.m_visible = 0;
  page.mover.m_layer = 7;
  page.mover.m_flags |= kFlagEffectRunning;
  page.mover.m_text2 = "changed";
  page.mover.m_text3 = "changed too";
  page.mover.m_dataValue = 3.5;
  page.mover.m_dataWord1 = page.mover.m_dataWord2 = page.mover.m_firstOperand = 42;
  page.mover.m_transformCentre = CDoublePoint(9, 9);
  for (int i = 0; i < 6; ++i) host.Tick();
  ASSERT_NE(CRect(-5, 5, 5, -5), page.mover.m_position);  // it did move and turn
  ASSERT_NE(0.0, page.mover.m_angle);
  EXPECT_EQ("typed in the run", page.mover.m_actions[2].m_strSource);

  host.StopObjects();
  EXPECT_EQ(before, Stored(page.mover));
  EXPECT_EQ(CRect(-5, 5, 5, -5), page.mover.m_position);
  EXPECT_EQ(-1, page.mover.m_actions[2].m_nActivation);
  EXPECT_EQ(0, page.mover.m_actions[0].m_bTracing);
}

TEST(RunBracket, ASecondStopChangesNothing) {
  // A page that cannot be opened stops the objects twice.
  TestHost host;
  RunningPage page(host);
  host.StartObjects();
  for (int i = 0; i < 6; ++i) host.Tick();
  host.StopObjects();
  const Bytes once = Stored(page.mover);
  host.StopObjects();
  EXPECT_EQ(once, Stored(page.mover));
}

TEST(RunBracket, StartResolvesTrajectoriesAndCentres) {
  TestHost host;
  RunningPage page(host);
  page.mover.m_actions[0].m_path.Add(CPoint(999, 999));  // left from an earlier run
  ASSERT_TRUE(host.StartObjects());
  const CMethod& slide = page.mover.m_actions[0];
  ASSERT_EQ(5, slide.m_path.GetSize());
  EXPECT_EQ(CPoint(0, 0), slide.m_path[0]);
  EXPECT_EQ(CPoint(40, 0), slide.m_path[4]);
  EXPECT_EQ(CPoint(50, 50), page.mover.m_actions[1].m_ptCentre);
  EXPECT_EQ(CDoublePoint(50, 50), page.mover.m_rotationCentre);
  EXPECT_EQ(0, page.mover.m_effectProgress);
}

TEST(RunBracket, AMissingRotationCentreIsTheObjectsOwn) {
  TestHost host;
  RunningPage page(host);
  page.mover.m_actions[1].m_strCentre = "elsewhere";
  ASSERT_TRUE(host.StartObjects());
  EXPECT_EQ(CPoint(0, 0), page.mover.m_actions[1].m_ptCentre);
  EXPECT_EQ(0.0, page.mover.m_rotationState.orbitRadius);
}

TEST(RunBracket, AMissingTrajectoryIsReportedAndStopsTheStart) {
  struct Row {
    const char* name;
    bool nameExists;  // a same-named object that is no trajectory
    bool inOwner;
    const char* text;
  };
  const Row rows[] = {
      {"no such object", false, false,
       "没找到对象\\' mover \\'的路径\\' track \\' \n或\\' track \\'没有设置路径属性"},
      {"not a trajectory", true, false,
       "没找到对象\\' mover \\'的路径\\' track \\' \n或\\' track \\'没有设置路径属性"},
      {"among an owner's members", true, true,
       "没找到复合对象\\\" box \\\"中的对象\\\" mover \\\"的路径\\\" track \\\" \n或\\\" track \\\"没有设置路径属性"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestHost host;
    RunningPage page(host);
    page.track.m_trajectory = 0;
    if (!row.nameExists) page.track.m_name = "other";
    MessageBoxCapture boxes;
    if (row.inOwner) {
      CProbe box("box");  // a group without that member
      page.mover.ResolvePaths(nullptr, &page.mover.m_actions[0], &box, TRUE);
      EXPECT_TRUE(host.targetMissing);
    } else {
      EXPECT_FALSE(host.StartObjects());
    }
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(CString(row.text), boxes.boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.boxes()[0].flags & MB_ICONMASK);
  }
}

TEST(RunBracket, TotalTimeIsTheLatestEndOfTheTimelinePlusOne) {
  struct Row {
    const char* name;
    std::vector<CMethod> actions;
    int want;
  };
  CMethod a = MakeAction(CMethod::typeEffect, "a", 5, 10);
  a.m_nExtraTime = 2;
  CMethod b = MakeAction(CMethod::typeShowHide, "b", 0, 30);
  CMethod dormant = MakeAction(CMethod::typeShowHide, "c", 100, 100, -1);
  CMethod armed = MakeAction(CMethod::typeShowHide, "d", 40, 0, 500);  // the activation is not added
  CMethod huge = MakeAction(CMethod::typeEffect, "e", INT_MAX, INT_MAX);
  const Row rows[] = {
      {"no actions", {}, 1},
      {"only dormant actions", {dormant}, 1},
      {"two on the timeline", {a, b, dormant}, 31},
      {"an armed one", {a, armed}, 41},
      {"beyond 32 bits", {huge}, INT_MAX},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CDrawObj object;
    for (const CMethod& action : row.actions) AddAction(object, action);
    EXPECT_EQ(row.want, object.GetTotalTime());
  }
}

TEST(ResetPropertyPage, EachGroupGoesBackToItsDefaults) {
  TestHost host;
  auto dirty = [](CDrawObj& o) {
    o.m_angle = 1.0;
    o.m_captionColour = 5;
    o.m_auxColour = 6;
    o.m_visible = 0;
    o.m_closed = 1;
    o.m_outlined = 0;
    o.m_filled = 0;
    o.m_pen = {PS_DASH, {7, 7}, 0x123456};
    o.m_brush = {BS_HATCHED, 0x654321, HS_CROSS};
    o.m_reservedAfterBrush = 3;
    o.m_trajectory = 1;
    o.m_caption = "caption";
    o.m_buttonState = 1;
    o.m_buttonEnable = 0;
    o.m_buttonised = 1;
    AddAction(o, MakeAction(CMethod::typeRotate, "spin"));
    o.m_flags = kFlagCompositeMember | kFlagGlueMember | kFlagEffectRunning;
    o.m_effectProgress = 9;
    o.m_effectStep = 4;
    o.m_selectedAction = 0;
    AddEvent(o, 0x1, "x", "y");
    o.m_selectedEvent = 0;
  };

  CDrawObj general(CRect(0, 10, 10, 0));
  dirty(general);
  general.ResetPropertyPage(0, nullptr);
  EXPECT_EQ(0.0, general.m_angle);
  EXPECT_EQ(general.m_position, general.m_baseRect);
  EXPECT_EQ(0u, general.m_captionColour);
  EXPECT_EQ(0xFFFFFFu, general.m_auxColour);
  EXPECT_EQ(1, general.m_visible);
  EXPECT_EQ(0, general.m_closed);
  EXPECT_EQ(1, general.m_outlined);
  EXPECT_EQ(0, general.m_filled);  // kept
  EXPECT_EQ(static_cast<UINT>(PS_INSIDEFRAME), general.m_pen.lopnStyle);
  EXPECT_EQ(1, general.m_pen.lopnWidth.x);
  EXPECT_EQ(0u, general.m_pen.lopnColor);
  EXPECT_EQ(static_cast<UINT>(BS_SOLID), general.m_brush.lbStyle);
  EXPECT_EQ(0xC0C0C0u, general.m_brush.lbColor);
  EXPECT_EQ(0u, general.m_brush.lbHatch);
  EXPECT_EQ(0, general.m_trajectory);
  EXPECT_TRUE(general.m_caption.IsEmpty());
  EXPECT_EQ(0, general.m_buttonState);
  EXPECT_EQ(1, general.m_buttonEnable);
  EXPECT_EQ(0, general.m_buttonised);
  EXPECT_EQ(1, general.m_actions.GetSize());  // other groups untouched
  EXPECT_EQ(1, general.m_events.GetSize());

  CDrawObj actions;
  dirty(actions);
  actions.ResetPropertyPage(1, nullptr);
  EXPECT_EQ(0u, actions.m_actionMask);
  EXPECT_EQ(0, actions.m_actions.GetSize());
  // Membership stays: resetting a member's actions must not detach it from its group.
  EXPECT_EQ(kFlagCompositeMember | kFlagGlueMember, actions.m_flags);
  EXPECT_EQ(0, actions.m_effectProgress);
  EXPECT_EQ(1, actions.m_effectStep);
  EXPECT_EQ(-1, actions.m_selectedAction);
  EXPECT_EQ(1, actions.m_events.GetSize());
  EXPECT_EQ(1.0, actions.m_angle);

  CDrawObj interactions;
  dirty(interactions);
  interactions.ResetPropertyPage(2, nullptr);
  EXPECT_EQ(-1, interactions.m_selectedEvent);
  EXPECT_EQ(0u, interactions.m_triggerMask);
  EXPECT_EQ(0, interactions.m_events.GetSize());
  EXPECT_EQ(1, interactions.m_actions.GetSize());
}

TEST(ResetPropertyPage, WithAViewThePageIsRepaintedAndTheObjectSelected) {
  TestHost host;
  CDrawObj object;
  host.objects = {&object};
  int anyView = 0;
  object.ResetPropertyPage(2, reinterpret_cast<CView*>(&anyView));
  EXPECT_EQ(1, host.viewInvalidations);
  EXPECT_EQ(std::vector<CDrawObj*>{&object}, host.selection);
  EXPECT_EQ(1, host.modifiedCount);

  TestHost alone;
  CDrawObj other;
  other.ResetPropertyPage(2, nullptr);
  EXPECT_EQ(0, alone.viewInvalidations);
  EXPECT_EQ(std::vector<CDrawObj*>{&other}, alone.invalidated);
}

}  // namespace
