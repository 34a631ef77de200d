// The per-tick step: which step operations run, in which order, and when the rotation
// centres follow a translation; the activation windows of every kind.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "behaviour/ActionWindow.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/TestHost.h"

namespace {

class CStepLogger : public CDrawObj {
 public:
  std::vector<std::string> log;
  int translateResult = 0;

#define LOGGED_STEP(name) \
  void name(int, CView*) override { log.push_back(#name); }
  LOGGED_STEP(StepGif)
  LOGGED_STEP(StepRotate)
  LOGGED_STEP(StepLayer)
  LOGGED_STEP(StepExit)
  LOGGED_STEP(StepEffect)
  LOGGED_STEP(StepStopMedia)
  LOGGED_STEP(StepPlayMedia)
  LOGGED_STEP(StepUnused)
  LOGGED_STEP(StepShowHide)
  LOGGED_STEP(StepRunProgram)
  LOGGED_STEP(StepPageSwitch)
  LOGGED_STEP(StepChangePicture)
  LOGGED_STEP(StepControlPoint)
  LOGGED_STEP(StepSetData)
  LOGGED_STEP(StepDisplay)
  LOGGED_STEP(StepCartoon)
#undef LOGGED_STEP
  int StepTranslate(int, CView*) override {
    log.push_back("StepTranslate");
    return translateResult;
  }
  void ResolveRotationCentres(CView*, CDrawObj* owner) override {
    log.push_back(owner ? "Centres(owner)" : "Centres(page)");
  }
};

constexpr DWORD kAllKinds = 0x80 | 0x100 | 0x40 | 0x1 | 0x2 | 0x20 | 0x80000 | 0x800 | 0x400 | 0x8 | 0x1000 |
                            0x2000 | 0x4000 | 0x100000 | 0x20000 | 0x8000 | 0x10000 | 0x40000 | 0x10;

const std::vector<std::string> kOrder = {
    "StepExit",         "StepRunProgram", "StepLayer",  "StepTranslate", "StepRotate",
    "StepShowHide",     "StepUnused",     "StepStopMedia", "StepPlayMedia", "StepEffect",
    "StepControlPoint", "StepUnused",     "StepChangePicture", "StepGif", "StepDisplay",
    "StepSetData",      "StepUnused",     "StepCartoon", "StepPageSwitch",
};

TEST(StepDispatch, AllKindsRunInTheFixedOrderExitFirstPageSwitchLast) {
  TestHost host;
  CStepLogger object;
  object.m_actionMask = kAllKinds;
  object.Step(0, nullptr);
  EXPECT_EQ(kOrder, object.log);
}

TEST(StepDispatch, NoKindsOrADeletedObjectRunsNothing) {
  TestHost host;
  CStepLogger idle;
  idle.Step(0, nullptr);
  EXPECT_TRUE(idle.log.empty());

  CStepLogger deleted;
  deleted.m_actionMask = kAllKinds;
  deleted.m_deleted = 1;
  deleted.Step(0, nullptr);
  EXPECT_TRUE(deleted.log.empty());
}

TEST(StepDispatch, RotationCentresFollowOnlyAMovedObject) {
  TestHost host;
  struct Row {
    int moved;
    DWORD flags;
    std::vector<std::string> want;
  };
  const Row rows[] = {
      {0, 0, {"StepTranslate"}},
      {1, 0, {"StepTranslate", "Centres(page)"}},
      // A member without an owner pointer brings nothing along.
      {1, kFlagCompositeMember, {"StepTranslate"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.moved * 10 + static_cast<int>(row.flags));
    CStepLogger object;
    object.m_actionMask = CMethod::typeTranslate;
    object.m_flags = row.flags;
    object.translateResult = row.moved;
    object.Step(0, nullptr);
    EXPECT_EQ(row.want, object.log);
  }
}

// (kind, start, activation, duration, extra) -> the frames of 0..40 on which its step acts.
struct WindowRow {
  const char* name;
  DWORD kind;
  int start, activation, duration, extra;
  std::vector<int> frames;
};

std::vector<int> Frames(int from, int to) {
  std::vector<int> v;
  for (int t = from; t <= to; ++t) v.push_back(t);
  return v;
}

TEST(ActionWindow, EachKindActsOnItsFrames) {
  const WindowRow rows[] = {
      {"exit", CMethod::typeExit, 2, 0, 0, 0, {5}},
      {"run program", CMethod::typeRunProgram, 2, 0, 0, 0, {3}},
      {"layer", CMethod::typeLayer, 2, 0, 0, 0, {3}},
      {"stop media", CMethod::typeStopMedia, 2, 0, 0, 0, {3}},
      {"page switch", CMethod::typePageSwitch, 2, 0, 0, 0, {3}},
      {"play media", CMethod::typePlayMedia, 2, 0, 5, 0, {3, 4, 5, 6, 7}},
      {"play media, no duration", CMethod::typePlayMedia, 2, 0, 0, 0, {3}},
      {"show or hide", CMethod::typeShowHide, 2, 0, 0, 0, {2, 3}},
      {"change picture", CMethod::typeChangePicture, 2, 0, 0, 0, {2}},
      {"set data", CMethod::typeSetData, 2, 0, 0, 0, {2}},
      {"calculate", CMethod::typeCalculate, 2, 0, 0, 0, {2}},
      {"display has no step", CMethod::typeDisplay, 2, 0, 5, 0, {}},
      {"cartoon", CMethod::typeCartoon, 2, 0, 3, 0, {2, 3, 4}},
      {"control point", CMethod::typeControlPoint, 2, 0, 3, 1, {2, 3, 4, 5, 6}},
      {"effect", CMethod::typeEffect, 2, 0, 3, 1, {2, 3, 4, 5, 6}},
      {"translate", CMethod::typeTranslate, 1, 0, 2, 1, {1, 2, 3, 4}},
      {"rotate", CMethod::typeRotate, 1, 0, 2, 1, {1, 2, 3, 4}},
      {"gif", CMethod::typeGif, 38, 0, 0, 0, {38, 39, 40}},
      {"armed by an event at tick 12", CMethod::typeShowHide, 2, 10, 0, 0, {12, 13}},
      {"dormant", CMethod::typeShowHide, 2, -1, 0, 0, {}},
      // Sums that wrap in 32 bits: 2^31 - 1 + 2^31 - 1 + 3 would be frame 1.
      {"exit far away", CMethod::typeExit, INT_MAX, INT_MAX, 0, 0, {}},
      {"endless effect", CMethod::typeEffect, 0, 0, INT_MAX, INT_MAX, Frames(0, 40)},
  };
  for (const WindowRow& row : rows) {
    SCOPED_TRACE(row.name);
    CMethod action;
    action.m_nType = row.kind;
    action.m_nStart = row.start;
    action.m_nActivation = row.activation;
    action.m_nDuration = row.duration;
    action.m_nExtraTime = row.extra;
    std::vector<int> got;
    for (int t = 0; t <= 40; ++t)
      if (ActionWindow::Contains(action, t)) got.push_back(t);
    EXPECT_EQ(row.frames, got);
  }
}

}  // namespace
