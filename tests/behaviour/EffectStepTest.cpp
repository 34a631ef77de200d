// Appearance effects on the playback clock (start, pacing and end), the area they work
// in, their length for the property page, the snapshot of visibility and layer, and the
// frame period they share with animated pictures.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/TestHost.h"

namespace {

bool Running(const CDrawObj& object) { return (object.m_flags & kFlagEffectRunning) != 0; }

CMethod EffectAction(int start, int duration, int speed, BOOL byEvent = 0) {
  CMethod action = MakeAction(CMethod::typeEffect, "effect", start, duration);
  action.m_nSpeed = speed;
  action.m_nByEvent = byEvent;
  action.m_nEffect = 4;
  action.m_nDirection = 3;
  action.m_nStep = 6;
  return action;
}

// Per frame: '+' the effect starts or runs, '.' it does not, '*' it runs and asks for a
// frame (the object is repainted with the action's parameters).
std::string Trace(CDrawObj& object, TestHost& host, int frames) {
  std::string trace;
  for (int t = 0; t < frames; ++t) {
    host.invalidated.clear();
    object.StepEffect(t, nullptr);
    const bool asked = !host.invalidated.empty() && Running(object);
    trace += asked ? '*' : Running(object) ? '+' : '.';
  }
  return trace;
}

}  // namespace

TEST(EffectStep, StartsAtItsBeginAsksForAFrameEveryDelayAndEndsAfterItsDuration) {
  // Begin 2, duration 9, a frame every 3 ticks.
  TestHost host;
  CProbe object("o");
  AddAction(object, EffectAction(2, 9, 3));
  EXPECT_EQ("..*++*++*++......", Trace(object, host, 17));
  EXPECT_EQ(4, object.m_effectKind);
  EXPECT_EQ(3, object.m_effectDirection);
  EXPECT_EQ(6, object.m_effectStep);
  EXPECT_EQ(static_cast<int>(SRCCOPY), object.m_effectRop);
  EXPECT_EQ(3, object.m_framePeriod);
  EXPECT_EQ(0, object.m_effectProgress);
}

TEST(EffectStep, StartRules) {
  const struct {
    const char* what;
    CMethod action;
    int activation;
    const char* trace;
  } rows[] = {
      // Called by an event, it starts a tick late and its first frame waits for the delay.
      {"event-driven", EffectAction(2, 9, 3, 1), 0, "...++*++*++......"},
      {"event-driven, delay 1", EffectAction(2, 9, 1, 1), 0, "...********......"},
      {"no delay: never starts", EffectAction(2, 9, 0), 0, "................."},
      {"waiting for its event", EffectAction(2, 9, 3), -1, "................."},
      {"activated at 4", EffectAction(2, 9, 3), 4, "......*++*++*++.."},
      {"duration 0", EffectAction(2, 0, 3), 0, "................."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TestHost host;
    CProbe object("o");
    CMethod action = row.action;
    action.m_nActivation = row.activation;
    AddAction(object, action);
    EXPECT_EQ(row.trace, Trace(object, host, 17));
  }
}

TEST(EffectStep, AStartResetsTheProgressAndTheEndRepaintsTheObject) {
  TestHost host;
  CProbe object("o");
  AddAction(object, EffectAction(0, 5, 10));
  object.m_effectProgress = 40;
  object.StepEffect(0, nullptr);
  EXPECT_EQ(0, object.m_effectProgress);
  object.m_effectProgress = 25;  // frames drawn meanwhile
  host.invalidated.clear();
  object.StepEffect(5, nullptr);
  EXPECT_FALSE(Running(object));
  EXPECT_EQ(0, object.m_effectProgress);
  // Cut short by its duration, the object must not keep its last frame.
  EXPECT_EQ(std::vector<CDrawObj*>{&object}, host.invalidated);
}

TEST(EffectStep, ARunPutsBackTheFramePeriodOfAnAnimatedPicture) {
  TestHost host;
  host.mode = kModeRunning;
  CProbe object("picture");
  object.m_framePeriod = 7;  // the picture's own delay between frames
  AddAction(object, EffectAction(0, 20, 3));
  host.objects = {&object};
  ASSERT_TRUE(host.StartObjects());
  for (int tick = 1; tick <= 8; ++tick) host.Tick();
  EXPECT_TRUE(Running(object));
  EXPECT_EQ(3, object.m_framePeriod);
  host.StopObjects();
  EXPECT_EQ(7, object.m_framePeriod);
  EXPECT_FALSE(Running(object));
}

TEST(EffectRect, IsTheBoxOfTheCornersTurnedAsTheObjectIsDrawnWidenedByThePen) {
  const double kPi = 3.14159265358979323846;
  const struct {
    const char* what;
    CRect position;
    double angle;
    CDoublePoint centre;
    int pen;
    CRect expected;
  } rows[] = {
      {"plain", CRect(-50, 25, 50, -25), 0.0, {0, 0}, 2, CRect(-52, -27, 52, 27)},
      {"45 degrees about its centre", CRect(-50, 25, 50, -25), kPi / 4, {0, 0}, 2, CRect(-55, -55, 55, 55)},
      // Turned by minus the angle, as the shapes draw: the quarter turn takes the
      // rectangle below the centre, not to its left.
      {"a quarter turn about a corner", CRect(0, 10, 20, 0), kPi / 2, {0, 0}, 0, CRect(0, -20, 10, 0)},
      {"mirrored", CRect(30, -10, -30, 10), 0.0, {0, 0}, 1, CRect(-31, -11, 31, 11)},
      {"an angle that is no number", CRect(-5, 5, 5, -5), std::nan(""), {0, 0}, 0, CRect(-5, -5, 5, 5)},
      {"a pen narrower than nothing", CRect(-5, 5, 5, -5), 0.0, {0, 0}, -4, CRect(-5, -5, 5, 5)},
      {"as wide as coordinates go", CRect(INT_MIN, INT_MAX, INT_MAX, INT_MIN), 0.0, {0, 0}, 9,
       CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CDrawObj object(row.position);
    object.m_angle = row.angle;
    object.m_rotationCentre = row.centre;
    object.m_pen.lopnWidth.x = row.pen;
    object.m_pen.lopnWidth.y = 99;  // only the x width counts
    const CRect r = object.GetEffectRect();
    EXPECT_EQ(row.expected.left, r.left);
    EXPECT_EQ(row.expected.top, r.top);
    EXPECT_EQ(row.expected.right, r.right);
    EXPECT_EQ(row.expected.bottom, r.bottom);
  }
}

TEST(EffectLength, FramesTimesDelayForEveryKindAndDirection) {
  // A 120 x 100 area: w2 = 60, h2 = 50, m = 100, R div 2 = 78.
  CDrawObj object(CRect(-60, 50, 60, -50));
  object.m_pen.lopnWidth.x = 0;
  const struct { int kind, direction, delay, step, ticks; } rows[] = {
      {0, 0, 3, 10, 33}, {0, 1, 1, 10, 11}, {0, 2, 3, 10, 39}, {0, 3, 1, 10, 13},
      {0, 4, 1, 10, 6},  {0, 5, 1, 10, 7},  {0, 6, 1, 10, 0},  {0, 7, 1, 10, 0},
      {1, 0, 1, 10, 11}, {1, 3, 1, 10, 13}, {1, 4, 1, 10, 6},  {1, 5, 1, 10, 7},
      {1, 6, 1, 10, 11}, {1, 7, 1, 10, 13}, {1, 8, 1, 10, 0},
      {2, 0, 2, 1, 18},  {2, 1, 1, 3, 3},   {2, 2, 1, 1, 0},
      {3, 0, 1, 10, 11}, {3, 1, 1, 10, 13}, {3, 2, 1, 10, 0},
      {4, 0, 1, 10, 11}, {4, 1, 1, 10, 11}, {4, 2, 1, 10, 8},  {4, 5, 1, 10, 8},
      {4, 6, 1, 10, 6},  {4, 7, 1, 10, 6},  {4, 8, 1, 10, 0},
      // Stretches add no frame of their own.
      {5, 0, 1, 1, 12},  {5, 4, 1, 1, 12},  {5, 2, 1, 1, 15},  {5, 5, 1, 1, 15},  {5, 6, 1, 2, 7},
      {5, 0, 1, 20, 0},  {5, 7, 1, 1, 0},
      // Fades whatever the direction.
      {6, 0, 1, 10, 25}, {6, 1, 2, 10, 50}, {6, 9, 1, 10, 25}, {6, 0, 1, 300, 0},
      {7, 0, 1, 1, 0},   {-1, 0, 1, 1, 0},
      // Steps below 1 give nothing; a negative delay a negative length.
      {0, 0, 5, 0, 0},   {0, 0, 5, -2, 0},  {0, 0, -2, 10, -22}, {0, 0, 0, 10, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "kind " << row.kind << " direction " << row.direction << " delay "
                                      << row.delay << " step " << row.step);
    EXPECT_EQ(row.ticks, object.GetEffectLength(row.kind, row.direction, row.delay, row.step));
  }
}

TEST(EffectLength, MiddleDirectionsOfANarrowAreaTakeOneFrame) {
  CDrawObj narrow(CRect(0, 50, 1, -50));
  narrow.m_pen.lopnWidth.x = 0;
  EXPECT_EQ(4, narrow.GetEffectLength(0, 5, 4, 10));
  EXPECT_EQ(6 * 4, narrow.GetEffectLength(0, 4, 4, 10));
  CDrawObj flat(CRect(-50, 1, 50, 0));
  flat.m_pen.lopnWidth.x = 0;
  EXPECT_EQ(4, flat.GetEffectLength(1, 4, 4, 10));
}

TEST(EffectLength, SaturatesWhereTheDurationCannotHoldIt) {
  CDrawObj huge(CRect(INT_MIN, INT_MAX, INT_MAX, INT_MIN));
  EXPECT_EQ(INT_MAX, huge.GetEffectLength(0, 2, 1000, 1));
  EXPECT_EQ(-INT_MAX, huge.GetEffectLength(0, 2, INT_MIN, 1));
  // The area spans 2^32 - 1 units: no overflow in its measures nor in 2 or 8 times the step.
  EXPECT_EQ(3, huge.GetEffectLength(4, 0, 1, INT_MAX));
  EXPECT_EQ(2, huge.GetEffectLength(4, 6, 1, INT_MAX));
  EXPECT_EQ(0, huge.GetEffectLength(5, 6, 1, INT_MAX));
}

TEST(VisibilityLayer, SnapshotRevertAndRestore) {
  TestHost host;
  CProbe object("o");
  object.m_visible = 1;
  object.m_layer = 3;
  object.SaveVisibilityLayer();
  object.m_visible = 0;
  object.m_layer = 9;
  host.invalidated.clear();
  object.RevertVisibilityLayer();
  EXPECT_EQ(1, object.m_visible);
  EXPECT_EQ(3, object.m_layer);
  EXPECT_EQ(std::vector<CDrawObj*>{&object}, host.invalidated);

  object.m_visible = 0;
  object.m_layer = 5;
  host.invalidated.clear();
  object.RestoreVisibilityLayer();  // the composites' way: no repaint of its own
  EXPECT_EQ(1, object.m_visible);
  EXPECT_EQ(3, object.m_layer);
  EXPECT_TRUE(host.invalidated.empty());
}
