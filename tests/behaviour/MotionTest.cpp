// Motion along trajectories and rotation: the point a translation takes on each frame,
// the centre following the points, the rotation tables of every mode against rows worked
// out by hand, and rotations of objects with their centres, messages and recorded tracks.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "behaviour/ChoosePathPoint.h"
#include "behaviour/RotationTables.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

TEST(ChoosePathPoint, LoopAndTwoWayTable) {
  struct Row {
    bool loop, twoWay;
    int n, j;
    long long k;
    bool last;
    int point;
    bool keep;
    int kept;
  };
  const Row rows[] = {
      // One way: point k while there is one; the index follows k on every frame.
      {false, false, 5, 0, 0, false, 0, true, 0},
      {false, false, 5, 3, 4, false, 4, true, 4},
      {false, false, 5, 0, 5, false, -1, true, 5},
      {false, false, 5, 0, 7, true, -1, true, 7},
      // Loop: from the kept index round and round; kept on the last frame only.
      {true, false, 5, 0, 7, false, 2, false, 0},
      {true, false, 5, 3, 4, true, 2, true, 2},
      {true, false, 5, -1, 0, false, 4, false, 0},         // a file's negative index
      {true, false, 5, INT_MAX, 1, false, 3, false, 0},    // 2^31 mod 5, no overflow
      // Two-way: out and back once, then the object stays.
      {false, true, 5, 0, 4, false, 4, false, 0},
      {false, true, 5, 0, 5, false, 4, false, 0},
      {false, true, 5, 0, 6, true, 3, true, 3},
      {false, true, 5, 0, 9, false, 0, false, 0},
      {false, true, 5, 0, 10, true, -1, false, 0},
      {false, true, 5, 3, 3, false, 3, false, 0},
      {false, true, 5, -3, 0, true, -1, false, 0},
      // Loop and two-way: back and forth for ever.
      {true, true, 5, 0, 10, false, 0, false, 0},
      {true, true, 5, 0, 14, false, 4, false, 0},
      {true, true, 5, 0, 15, false, 4, false, 0},
      {true, true, 5, 0, 19, true, 0, true, 0},
      {true, true, 5, 2, 4, true, 3, true, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.loop << row.twoWay << " j=" << row.j << " k=" << row.k);
    const PathPointChoice got = ChoosePathPoint(row.loop, row.twoWay, row.n, row.j, row.k, row.last);
    EXPECT_EQ(row.point, got.point);
    EXPECT_EQ(row.keep, got.keepIndex);
    if (row.keep) {
      EXPECT_EQ(row.kept, got.keptIndex);
    }
  }
}

const std::vector<CPoint> kTrack = {CPoint(0, 0), CPoint(10, 0), CPoint(20, 10), CPoint(30, -10), CPoint(40, 0)};

// A translation along kTrack (copies of actions leave their points behind, so the
// points go into the object's own record).
void AddSlide(CDrawObj& mover, int duration, bool loop = false, bool twoWay = false) {
  CMethod slide = MakeAction(CMethod::typeTranslate, "slide", 0, duration);
  slide.m_bLoop = loop;
  slide.m_bTwoWay = twoWay;
  CMethod& added = mover.m_actions[AddAction(mover, slide)];
  for (const CPoint& p : kTrack) added.m_path.Add(p);
}

TEST(Translate, TheCentreFollowsThePointsAndStaysAtTheEnd) {
  TestHost host;
  CProbe mover("mover");
  AddSlide(mover, 7);
  for (int t = 0; t <= 7; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(1, mover.StepTranslate(t, nullptr));  // also past the last point
    EXPECT_EQ(kTrack[std::min(t, 4)], CentreOf(mover));
    EXPECT_EQ(t, mover.m_actions[0].m_nPathIndex);
  }
  EXPECT_EQ(0, mover.StepTranslate(8, nullptr));
  EXPECT_EQ(CRect(39, 1, 41, -1), mover.m_position);
}

TEST(Translate, TwoWayGoesOutAndBackOnceThenStays) {
  TestHost host;
  CProbe mover("mover");
  AddSlide(mover, 12, false, true);
  std::vector<CPoint> centres;
  for (int t = 0; t <= 12; ++t) {
    mover.StepTranslate(t, nullptr);
    centres.push_back(CentreOf(mover));
  }
  const std::vector<CPoint> want = {kTrack[0], kTrack[1], kTrack[2], kTrack[3], kTrack[4], kTrack[4], kTrack[3],
                                    kTrack[2], kTrack[1], kTrack[0], kTrack[0], kTrack[0], kTrack[0]};
  EXPECT_EQ(want, centres);
}

TEST(Translate, ALoopResumesWhereItsLastActivationEnded) {
  TestHost host;
  CProbe mover("mover");
  AddSlide(mover, 3, true);
  for (int t = 0; t <= 3; ++t) mover.StepTranslate(t, nullptr);
  EXPECT_EQ(kTrack[3], CentreOf(mover));
  EXPECT_EQ(3, mover.m_actions[0].m_nPathIndex);
  mover.m_actions[0].m_nActivation = 10;  // armed again by an event
  mover.StepTranslate(10, nullptr);
  EXPECT_EQ(kTrack[3], CentreOf(mover));
  mover.StepTranslate(11, nullptr);
  EXPECT_EQ(kTrack[4], CentreOf(mover));
}

TEST(Translate, OfTwoActionsOnOneFrameTheLaterPlacesTheCentre) {
  TestHost host;
  CProbe mover("mover");
  AddSlide(mover, 5);
  mover.m_actions[AddAction(mover, MakeAction(CMethod::typeTranslate, "other", 0, 5))].m_path.Add(CPoint(100, 100));
  mover.StepTranslate(0, nullptr);
  EXPECT_EQ(CPoint(100, 100), CentreOf(mover));
}

TEST(Translate, WithoutPointsNothingMoves) {
  TestHost host;
  CProbe mover("mover");
  CMethod empty = MakeAction(CMethod::typeTranslate, "empty", 0, 5);
  empty.m_bPathTrace = 1;
  AddAction(mover, empty);
  EXPECT_EQ(0, mover.StepTranslate(0, nullptr));
  EXPECT_EQ(1, mover.m_actions[0].m_bTracing);
}

TEST(Translate, RotationCentresFollowTheMovingObject) {
  TestHost host;
  CProbe mover("mover");
  AddSlide(mover, 5);
  CMethod spin = MakeAction(CMethod::typeRotate, "spin", 100, 5);  // not yet due
  AddAction(mover, spin);
  host.objects = {&mover};
  mover.Step(2, nullptr);
  EXPECT_EQ(kTrack[2], mover.m_actions[1].m_ptCentre);
}

TEST(Rotation, SweepFramesAndCorrection) {
  EXPECT_EQ(60, RotationTables::Sweep(30, 90, 10));
  EXPECT_EQ(11, RotationTables::FrameCount(60, 10));
  EXPECT_EQ(300, RotationTables::Sweep(90, 30, 10));
  EXPECT_EQ(60, RotationTables::Sweep(90, 30, -10));
  EXPECT_EQ(300, RotationTables::Sweep(30, 90, -10));
  EXPECT_EQ(360, RotationTables::Sweep(0, 360, -5));
  EXPECT_EQ(0, RotationTables::Sweep(10, 10, -5));
  EXPECT_EQ(90, RotationTables::Sweep(-1, 90, -5));
  EXPECT_EQ(3, RotationTables::FrameCount(15, 10));
  EXPECT_EQ(3, RotationTables::FrameCount(15, -10));
  EXPECT_EQ(0, RotationTables::FrameCount(360, 0));  // no speed: the action does nothing
  EXPECT_EQ(INT_MAX, RotationTables::FrameCount(INT_MAX, 1));
  // D brings F - 1 steps of 0.1 rad to the end of 15 degrees.
  EXPECT_NEAR(0.2 - 15 * kRadiansPerDegree, RotationTables::Correction(15, 10, 3), 1e-15);
}

// One letter per frame k = 0, 1, ...: F forward step, B backward step, S and E absolute
// start and end angle, P and M relative +P and -P, Q relative P - step, R relative end -
// step, N nothing, '-' an inactive frame.
RotationChange Expected(char c, const RotationInput& in) {
  const double delta = in.speed * 0.01;
  switch (c) {
    case 'F': return {RotationChange::relative, -delta, 0.0};
    case 'B': return {RotationChange::relative, delta, 0.0};
    case 'S': return {RotationChange::absolute, kPi - in.start * kRadiansPerDegree, 0.0};
    case 'E': return {RotationChange::absolute, kPi - in.end * kRadiansPerDegree, 0.0};
    case 'P': return {RotationChange::relative, 0.0, 1.0};
    case 'M': return {RotationChange::relative, 0.0, -1.0};
    case 'Q': return {RotationChange::relative, -delta, 1.0};
    case 'R': return {RotationChange::relative, in.end * kRadiansPerDegree - delta, 0.0};
    default: return {};
  }
}

TEST(Rotation, EachModeChangesTheAngleAsItsTableSays) {
  struct Row {
    const char* name;
    bool loop, twoWay, polygon;
    int start, frames;
    const char* frames_;
  };
  const Row rows[] = {
      {"one pass, start", false, false, false, 30, 3, "SFFE-"},
      {"one pass, start, polygon", false, false, true, 30, 3, "SFFP-"},
      {"one pass", false, false, false, -1, 3, "FFFP-"},
      {"one pass, polygon", false, false, true, -1, 3, "FFFP-"},
      {"loop, start", true, false, false, 30, 3, "SFFESFES"},
      {"loop, start, polygon", true, false, true, 30, 3, "SFFQSFQS"},
      {"loop", true, false, false, -1, 3, "FFFPRFPR"},
      {"loop two-way, start", true, true, false, 30, 3, "SFFEBBSFFE"},
      {"loop two-way, start, polygon", true, true, true, 30, 3, "NFFPBBMFFP"},
      {"loop two-way", true, true, false, -1, 3, "FFFPBBMFFP"},
      {"loop two-way, start, one frame", true, true, false, 30, 1, "ESE"},
      {"two-way, start", false, true, false, 30, 3, "SFFEBBSSSNN"},
      {"two-way, start, polygon", false, true, true, 30, 3, "NFFPBBMMMNN"},
      {"two-way", false, true, false, -1, 3, "FFFPBBMMMNN"},
      {"two-way, start, one frame", false, true, false, 30, 1, "SSSNN"},
      {"no frames", false, false, false, 30, 0, "---"},
      {"no frames, loop", true, true, false, -1, -14, "---"},
  };
  for (const Row& row : rows) {
    RotationInput in;
    in.loop = row.loop;
    in.twoWay = row.twoWay;
    in.polygon = row.polygon;
    in.start = row.start;
    in.end = 45;
    in.speed = 10;
    in.frames = row.frames;
    const std::string want = row.frames_;
    for (size_t k = 0; k < want.size(); ++k) {
      SCOPED_TRACE(testing::Message() << row.name << ", k=" << k);
      const bool active = RotationTables::IsActive(in, static_cast<long long>(k));
      ASSERT_EQ(want[k] != '-', active);
      if (!active) continue;
      const RotationChange got = RotationTables::Change(in, static_cast<long long>(k));
      const RotationChange expected = Expected(want[k], in);
      EXPECT_EQ(expected.kind, got.kind);
      EXPECT_DOUBLE_EQ(expected.value, got.value);
      EXPECT_EQ(expected.correctionSign, got.correctionSign);
    }
  }
}

CMethod Spin(int start, int end, int speed, int duration, const char* centre = "") {
  CMethod spin = MakeAction(CMethod::typeRotate, "spin", 0, duration);
  spin.m_nStartAngle = start;
  spin.m_nEndAngle = end;
  spin.m_nStep = speed;
  spin.m_strCentre = centre;
  return spin;
}

TEST(Rotation, OnePassAboutItsOwnCentre) {
  TestHost host;
  CProbe mover("mover");
  AddAction(mover, Spin(30, 45, 10, 6));
  for (int t = 0; t <= 6; ++t) mover.StepRotate(t, nullptr);
  ASSERT_EQ(4u, mover.angles.size());
  const double want[] = {kPi - 30 * kRadiansPerDegree, -0.1, -0.1, kPi - 45 * kRadiansPerDegree};
  const BOOL relative[] = {FALSE, TRUE, TRUE, FALSE};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(want[i], mover.angles[i].angle);
    EXPECT_EQ(relative[i], mover.angles[i].relative);
    EXPECT_FALSE(mover.angles[i].aboutPoint);
  }
  const CMethod& spin = mover.m_actions[0];
  EXPECT_EQ(3, spin.m_nRotateFrames);
  EXPECT_EQ(4, spin.m_path.GetSize());  // one centre per frame that turned
  EXPECT_EQ(3, spin.m_nPathIndex);
  EXPECT_EQ(CDoublePoint(0, 0), mover.m_rotationCentre);
}

TEST(Rotation, AboutACentreObjectTheLastStepIsCorrected) {
  for (int speed : {10, -10}) {
    SCOPED_TRACE(speed);
    TestHost host;
    CProbe hub("hub", CRect(40, 60, 60, 40));
    CProbe mover("mover");
    AddAction(mover, Spin(-1, 15, speed, 5, "hub"));
    host.objects = {&hub, &mover};
    for (int t = 0; t <= 5; ++t) mover.StepRotate(t, nullptr);
    ASSERT_EQ(4u, mover.angles.size());
    const double d = 0.2 - 15 * kRadiansPerDegree;  // D
    const double step = -speed * 0.01;
    const double want[] = {step, step, step, speed > 0 ? d : -d};
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(i);
      EXPECT_NEAR(want[i], mover.angles[i].angle, 1e-12);
      EXPECT_EQ(TRUE, mover.angles[i].relative);
      EXPECT_TRUE(mover.angles[i].aboutPoint);
      EXPECT_EQ(50.0, mover.angles[i].x);
      EXPECT_EQ(50.0, mover.angles[i].y);
    }
    EXPECT_NEAR(d, mover.m_actions[0].m_dRotateCorrection, 1e-15);
    EXPECT_NEAR(std::sqrt(5000.0), mover.m_rotationState.orbitRadius, 1e-12);
    EXPECT_NEAR(-kPi / 4, mover.m_rotationState.orbitAngle, 1e-12);
    EXPECT_EQ(CDoublePoint(50, 50), mover.m_rotationCentre);
  }
}

TEST(Rotation, WithoutFramesNothingTurnsOrIsRecorded) {
  TestHost host;
  for (CMethod spin : {Spin(30, 45, 0, 5), Spin(-1, -90, 10, 5)}) {
    CProbe mover("mover");
    AddAction(mover, spin);
    for (int t = 0; t <= 5; ++t) mover.StepRotate(t, nullptr);
    EXPECT_TRUE(mover.angles.empty());
    EXPECT_EQ(0, mover.m_actions[0].m_path.GetSize());
  }
}

TEST(Rotation, AMissingCentreEndsTheRunAtTheFirstFrame) {
  TestHost host;
  CProbe mover("mover");
  host.objects = {&mover};
  AddAction(mover, Spin(-1, 90, 10, 5, "nowhere"));
  AddAction(mover, Spin(-1, 90, 10, 5));
  MessageBoxCapture boxes;
  mover.StepRotate(0, nullptr);
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(CString("没找到对象\\' mover \\'的旋转中心\\' nowhere \\'"), boxes.boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.boxes()[0].flags & MB_ICONMASK);
  EXPECT_EQ(1, host.exitCommands);
  EXPECT_TRUE(mover.angles.empty());  // the later rotation was not served on that frame
}

TEST(Rotation, ACentreThatGoesAwayLaterIsNotReported) {
  TestHost host;
  CProbe hub("hub", CRect(40, 60, 60, 40));
  CProbe mover("mover", CRect(8, 12, 12, 8));
  host.objects = {&hub, &mover};
  AddAction(mover, Spin(-1, 90, 10, 5, "hub"));
  mover.StepRotate(0, nullptr);
  hub.m_name = "renamed";
  mover.StepRotate(1, nullptr);  // turns about its own centre
  ASSERT_EQ(2u, mover.angles.size());
  EXPECT_EQ(50.0, mover.angles[0].x);
  EXPECT_EQ(10.0, mover.angles[1].x);
  EXPECT_EQ(10.0, mover.angles[1].y);
}

TEST(Rotation, TheRecordedTrackStopsAtTenThousandPointsAndRestartsPerActivation) {
  TestHost host;
  CProbe mover("mover");
  CMethod spin = Spin(-1, 360, 10, 10005);
  spin.m_bRotateLoop = 1;
  AddAction(mover, spin);
  for (int t = 0; t <= 10005; ++t) mover.StepRotate(t, nullptr);
  EXPECT_EQ(10006u, mover.angles.size());  // it goes on turning
  EXPECT_EQ(10000, mover.m_actions[0].m_path.GetSize());
  EXPECT_EQ(9999, mover.m_actions[0].m_nPathIndex);
  mover.m_actions[0].m_nActivation = 20000;
  mover.StepRotate(20000, nullptr);
  EXPECT_EQ(1, mover.m_actions[0].m_path.GetSize());
  EXPECT_EQ(0, mover.m_actions[0].m_nPathIndex);
}

}  // namespace
