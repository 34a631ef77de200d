// The discrete actions that act on the page, tick by tick through the test host: what
// each kind does at its frames, layer moves of page objects and members, media play
// and stop, control points, data and calculations, cartoons and animated pictures.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "media/Picture.h"
#include "model/DrawCompObj.h"
#include "model/DrawJoinObj.h"
#include "tests/behaviour/ActionRecorder.h"

namespace {

// Ticks the host until the recorder has been stepped with frames 0 to last.
void RunFrames(TestHost& host, int last) {
  for (int i = 0; i < last + CPlaybackClock::kFirstSteppedTick; ++i) host.Tick();
}

// The run's points of the object's action (a copy of an action carries none).
void AddPath(CMethod& action, int n) {
  for (int i = 0; i < n; ++i) action.m_path.Add(CPoint(i * 10, -i));
}

struct KindRow {
  const char* name;
  DWORD kind;
  std::function<void(CMethod&, CActionRecorder&)> setUp;
  ActionLog want;
};

TEST(DiscreteActions, EachKindActsAtItsFrames) {
  const KindRow rows[] = {
      {"hide", CMethod::typeShowHide, [](CMethod& a, CActionRecorder&) { a.m_nValue = 0; },
       {"2:invalidate", "3:invalidate"}},
      {"layer", CMethod::typeLayer, [](CMethod& a, CActionRecorder&) { a.m_nLayerSteps = 1; },
       {"3:invalidate", "3:host move front"}},  // selecting repaints
      {"exit", CMethod::typeExit, nullptr, {"5:host exit"}},
      {"play, looping", CMethod::typePlayMedia,
       [](CMethod& a, CActionRecorder& r) {
         a.m_bLoop = 1;
         a.m_nDuration = 6;
         r.playTicks = 2;
       },
       {"3:play 1", "4:restart", "6:restart", "8:stop 1"}},
      {"stop without release", CMethod::typeStopMedia, [](CMethod& a, CActionRecorder&) { a.m_nValue = 0; },
       {"3:stop 0"}},
      {"change picture", CMethod::typeChangePicture,
       [](CMethod& a, CActionRecorder&) { a.m_strPicture = "c:\\pics\\b.png"; },
       {"2:picture c:\\pics\\b.png", "2:invalidate"}},
      {"control point, looping", CMethod::typeControlPoint,
       [](CMethod& a, CActionRecorder&) {
         a.m_bLoop = 1;
         a.m_nDuration = 3;
         a.m_nControlPoint = 5;
       },
       {"2:handle 5 0,0", "3:handle 5 10,-1", "4:handle 5 20,-2", "5:handle 5 0,0"}},
      {"set data", CMethod::typeSetData,
       [](CMethod& a, CActionRecorder& r) {
         r.dataText = "42";
         a.m_strSource = "r";
         a.m_nIndex = 1;
         a.m_nSetType = 0;
         a.m_strExpression = "x+y";
       },
       {"2:set 1 0 x+y [42]"}},
      {"calculate", CMethod::typeCalculate,
       [](CMethod& a, CActionRecorder&) {
         a.m_strExpression = "+";
         a.m_strSource = "15";
         a.m_nIndex = 2;
         a.m_nMode = 0;
         a.m_nValue = 1;
       },
       {"2:display + [15] 2 0 1"}},
      {"display result has no step", CMethod::typeDisplay, nullptr, {}},
      {"cartoon", CMethod::typeCartoon,
       [](CMethod& a, CActionRecorder& r) {
         a.m_bLoop = 1;
         a.m_nInterval = 2;
         a.m_nDuration = 4;
         r.memberCount = 5;
       },
       {"2:cartoon 1 0 2", "3:cartoon 1 0 -1", "4:cartoon 1 0 2", "5:cartoon 1 0 -1"}},
      {"animated picture", CMethod::typeGif,
       [](CMethod& a, CActionRecorder& r) {
         a.m_bGifPlay = 1;
         r.m_picture = new CPicture(new Gdiplus::Bitmap(2, 2, PixelFormat24bppRGB));
         r.m_frameCount = 2;
         r.m_framePeriod = 3;
       },
       {"3:invalidate", "6:invalidate", "9:invalidate"}},
      {"page switch", CMethod::typePageSwitch, [](CMethod& a, CActionRecorder&) { a.m_strTarget = "P2"; },
       {"3:host go p2.rvx"}},
  };
  for (const KindRow& row : rows) {
    SCOPED_TRACE(row.name);
    ActionLog log;
    CActionHost host(log);
    CActionRecorder recorder("r", log);
    host.objects = {&recorder};
    CMethod action = MakeAction(row.kind, "a", 2, 0);
    if (row.setUp) row.setUp(action, recorder);
    AddPath(recorder.m_actions[AddAction(recorder, action)], 3);
    RunFrames(host, 9);
    EXPECT_EQ(row.want, log);
  }
}

TEST(DiscreteActions, DormantActionsDoNothing) {
  ActionLog log;
  CActionHost host(log);
  CActionRecorder recorder("r", log);
  host.objects = {&recorder};
  for (DWORD kind : {CMethod::typeShowHide, CMethod::typeExit, CMethod::typePlayMedia, CMethod::typePageSwitch})
    AddAction(recorder, MakeAction(kind, "a", 0, 3, -1));
  RunFrames(host, 6);
  EXPECT_EQ(ActionLog{}, log);
}

TEST(ShowHide, TheFlagTakesTheValueOnBothFrames) {
  TestHost host;
  CPlainObject shape("shape");
  CMethod hide = MakeAction(CMethod::typeShowHide, "hide", 1, 0);
  hide.m_nValue = 0;
  AddAction(shape, hide);
  CMethod show = MakeAction(CMethod::typeShowHide, "show", 4, 0);
  show.m_nValue = 1;
  AddAction(shape, show);
  std::vector<int> visible;
  for (int t = 0; t <= 6; ++t) {
    if (t == 2) shape.m_visible = 1;  // shown by something else between the two frames
    shape.Step(t, nullptr);
    visible.push_back(shape.m_visible);
  }
  EXPECT_EQ((std::vector<int>{1, 0, 0, 0, 1, 1, 1}), visible);
  EXPECT_EQ(4u, host.invalidated.size());
}

// ---- change layer ----------------------------------------------------------------------

struct LayerPage {
  ActionLog log;
  CActionHost host{log};
  CDrawDoc doc;
  std::vector<CProbe*> probes;

  explicit LayerPage(int count) {
    host.document = &doc;
    host.mode = kModeRunning;
    for (int i = 1; i <= count; ++i) {
      CProbe* probe = new CProbe(("o" + std::to_string(i)).c_str());
      doc.m_objects.AddTail(probe);
      probes.push_back(probe);
    }
    doc.RenumberObjects(FALSE);
  }
  std::string Order() const {
    std::string order;
    for (POSITION pos = doc.m_objects.GetHeadPosition(); pos;) {
      const CDrawObj* o = static_cast<const CDrawObj*>(doc.m_objects.GetNext(pos));
      order += LogText(o->m_name) + "=" + std::to_string(o->m_layer) + " ";
    }
    return order;
  }
};

TEST(LayerAction, APageObjectMovesByItsAmountInOneFrame) {
  struct Row {
    int mover;  // 1-based position on a page of five
    int steps;
    const char* order;
    size_t moves;  // moves asked of the host
  };
  const Row rows[] = {
      {4, -3, "o4=1 o1=2 o2=3 o3=4 o5=5 ", 3},
      {1, 2, "o2=1 o3=2 o1=3 o4=4 o5=5 ", 2},
      {2, 100, "o1=1 o3=2 o4=3 o5=4 o2=5 ", 5},  // no more moves than the page has places
      {5, INT_MIN, "o5=1 o1=2 o2=3 o3=4 o4=5 ", 5},
      {3, 0, "o1=1 o2=2 o3=3 o4=4 o5=5 ", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.steps);
    LayerPage page(5);
    CMethod layer = MakeAction(CMethod::typeLayer, "layer", 0, 0);
    layer.m_nLayerSteps = row.steps;
    AddAction(*page.probes[row.mover - 1], layer);
    RunFrames(page.host, 1);
    EXPECT_EQ(row.order, page.Order());
    EXPECT_EQ(row.moves, page.log.size());
    EXPECT_TRUE(page.host.selection.empty());
    // The walk went over the page as it was: every object stepped once per frame.
    for (CProbe* probe : page.probes) EXPECT_EQ((std::vector<int>{0, 1}), probe->frames);
  }
}

TEST(LayerAction, AMemberMovesAmongTheMembersOfEachOwner) {
  ActionLog log;
  CActionHost host(log);
  struct Row {
    DWORD flags;
    bool inComposite, inGlue;
    const char* compositeOrder;  // member names, head first
    const char* glueOrder;
  };
  const Row rows[] = {
      {kFlagCompositeMember, true, false, "mab", "cd"},
      {kFlagGlueMember, false, true, "ab", "mcd"},
      {kFlagCompositeMember | kFlagGlueMember, true, true, "mab", "mcd"},
      {kFlagCompositeMember, false, false, "ab", "cd"},  // an owner that went away: nothing moves
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.compositeOrder);
    CDrawCompObj composite;
    CDrawJoinObj glue;
    for (const char* name : {"a", "b"}) composite.m_members.AddTail(new CPlainObject(name));
    for (const char* name : {"c", "d"}) glue.m_members.AddTail(new CPlainObject(name));
    CPlainObject member("m");
    CMethod layer = MakeAction(CMethod::typeLayer, "layer", 0, 0);
    layer.m_nLayerSteps = -5;
    AddAction(member, layer);
    member.m_flags = row.flags;
    if (row.inComposite) {
      composite.m_members.AddTail(&member);
      member.m_ownerComposite = &composite;
    }
    if (row.inGlue) {
      glue.m_members.AddTail(&member);
      member.m_ownerGlue = &glue;
    }
    member.Step(1, nullptr);
    auto order = [](CMemberGroup& group) {
      std::string names;
      for (CDrawObj* o : group.Members()) names += LogText(o->m_name);
      return names;
    };
    EXPECT_EQ(row.compositeOrder, order(composite));
    EXPECT_EQ(row.glueOrder, order(glue));
    EXPECT_TRUE(host.selection.empty());
    for (CMemberGroup* group : {static_cast<CMemberGroup*>(&composite), static_cast<CMemberGroup*>(&glue)})
      if (POSITION pos = group->m_members.Find(&member)) group->m_members.RemoveAt(pos);  // not theirs to free
  }
}

// ---- media ---------------------------------------------------------------------------------

TEST(MediaActions, PlayRestartsOnMultiplesOfItsPassAndStopsAtItsEnd) {
  struct Row {
    const char* name;
    BOOL loop;
    int duration;
    int playTicks;
    ActionLog want;
  };
  const Row rows[] = {
      // b = 1: play at 2, restarts while 1 < t < 1 + duration on multiples of the pass.
      {"loop", 1, 8, 3, {"2:play 1", "3:restart", "6:restart", "9:stop 1"}},
      {"a pass of no ticks never restarts", 1, 8, 0, {"2:play 1", "9:stop 1"}},
      {"no loop", 0, 8, 3, {"2:play 0", "9:stop 1"}},
      {"ends where it starts", 1, 1, 1, {"2:play 1", "2:stop 1"}},
      {"negative pass", 1, 5, -2, {"2:play 1", "2:restart", "4:restart", "6:stop 1"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ActionLog log;
    CActionHost host(log);
    CActionRecorder media("media", log);
    media.playTicks = row.playTicks;
    host.objects = {&media};
    CMethod play = MakeAction(CMethod::typePlayMedia, "play", 1, row.duration);
    play.m_bLoop = row.loop;
    AddAction(media, play);
    RunFrames(host, 12);
    EXPECT_EQ(row.want, log);
  }
}

TEST(MediaActions, StopPassesItsValueAsTheReleaseFlag) {
  ActionLog log;
  CActionHost host(log);
  CActionRecorder media("media", log);
  host.objects = {&media};
  CMethod keep = MakeAction(CMethod::typeStopMedia, "keep", 0, 0);
  keep.m_nValue = 0;
  CMethod release = MakeAction(CMethod::typeStopMedia, "release", 2, 0);
  release.m_nValue = 1;
  AddAction(media, keep);
  AddAction(media, release);
  RunFrames(host, 4);
  EXPECT_EQ((ActionLog{"1:stop 0", "3:stop 1"}), log);
}

TEST(MediaActions, ObjectsThatAreNoMediaIgnoreThem) {
  ActionLog log;
  CActionHost host(log);
  CPlainObject plain("plain");
  host.objects = {&plain};
  AddAction(plain, MakeAction(CMethod::typePlayMedia, "play", 0, 3));
  AddAction(plain, MakeAction(CMethod::typeStopMedia, "stop", 0, 0));
  RunFrames(host, 4);
  EXPECT_EQ(ActionLog{}, log);
}

// ---- exit ------------------------------------------------------------------------------------

TEST(ExitAction, IsPostedAndTheWalkGoesOn) {
  ActionLog log;
  CActionHost host(log);
  host.mode = kModeRunning;
  CActionRecorder leaver("leaver", log);
  CProbe after("after");
  host.objects = {&leaver, &after};
  AddAction(leaver, MakeAction(CMethod::typeExit, "exit", 0, 0));
  RunFrames(host, 4);
  EXPECT_EQ(ActionLog{"3:host exit"}, log);
  EXPECT_EQ(1, host.exitCommands);
  EXPECT_EQ(0, host.stopRequests);
  EXPECT_EQ(0, host.stops);
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), after.frames);
}

// ---- control points --------------------------------------------------------------------------

TEST(ControlPointAction, IndexRulesOverFramesAndTheKeptIndex) {
  // Four points (0,0) (10,-1) (20,-2) (30,-3); the log gives the point index per frame
  // (. for a frame without a move); b = 0, e = duration.
  struct Row {
    const char* name;
    BOOL loop, twoWay;
    int j, duration;
    const char* moves;
    int kept;
  };
  const Row rows[] = {
      {"one way, ends with the window", 0, 0, 0, 2, "012", 2},
      {"one way, fewer points than frames", 0, 0, 3, 6, "0123...", 3},
      {"loop from the kept index", 1, 0, 1, 5, "123012", 2},
      {"two-way, out and back once", 0, 1, 0, 9, "01233210..", 0},
      {"two-way from a kept index", 0, 1, 2, 5, "233210", 0},
      {"two-way holds once past the way back", 0, 1, 2, 7, "233210..", 2},
      {"loop and two-way", 1, 1, 0, 9, "0123321001", 1},
      {"index from a file below zero", 1, 0, -1, 4, "30123", 3},
      {"two-way from an index below zero: one pass of frames", 0, 1, -4, 9, "....0123..", -4},
      {"index from a file past the end", 1, 1, 7, 3, "0012", 2},
      {"most negative index", 1, 1, INT_MIN, 1, "01", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ActionLog log;
    CActionHost host(log);
    CActionRecorder mover("mover", log);
    host.objects = {&mover};
    CMethod action = MakeAction(CMethod::typeControlPoint, "cp", 0, row.duration);
    action.m_bLoop = row.loop;
    action.m_bTwoWay = row.twoWay;
    action.m_nPathIndex = row.j;
    action.m_nControlPoint = 3;
    AddPath(mover.m_actions[AddAction(mover, action)], 4);
    const int frames = static_cast<int>(std::strlen(row.moves));
    std::string moves;
    for (int t = 0; t < frames; ++t) {
      log.clear();
      mover.Step(t, nullptr);
      if (log.empty()) {
        moves += '.';
        continue;
      }
      ASSERT_EQ(1u, log.size());
      const int x = std::atoi(log[0].c_str() + log[0].find(' ', log[0].find(' ') + 1));
      EXPECT_EQ(std::to_string(t) + ":handle 3 " + std::to_string(x) + "," + std::to_string(-x / 10), log[0]);
      moves += static_cast<char>('0' + x / 10);
    }
    EXPECT_EQ(row.moves, moves);
    EXPECT_EQ(row.kept, mover.m_actions[0].m_nPathIndex);
  }
}

TEST(ControlPointAction, WithoutPointsNothingMoves) {
  ActionLog log;
  CActionHost host(log);
  CActionRecorder mover("mover", log);
  AddAction(mover, MakeAction(CMethod::typeControlPoint, "cp", 0, 3));
  for (int t = 0; t <= 3; ++t) mover.Step(t, nullptr);
  EXPECT_EQ(ActionLog{}, log);
  EXPECT_EQ(0, mover.m_actions[0].m_nPathIndex);
}

// ---- data ------------------------------------------------------------------------------------

TEST(SetDataAction, TakesItsTextFromATextSourceOnly) {
  ActionLog log;
  CActionHost host(log);
  CActionRecorder target("target", log), text("answer", log);
  CPlainObject plain("plain");
  plain.m_caption = "not data";
  text.dataText = "第12题";
  host.objects = {&target, &text, &plain};

  struct Row {
    const char* source;
    ActionLog want;
  };
  const Row rows[] = {
      {"answer", {"0:set 2 1 x [第12题]"}},
      {"plain", {}},     // a shape of no data kind gives nothing
      {"missing", {}},   // nor does a name not on the page, and nothing is said
      {"ANSWER", {}},    // names are compared byte for byte
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.source);
    log.clear();
    target.m_actions.RemoveAll();
    CMethod set = MakeAction(CMethod::typeSetData, "set", 0, 0);
    set.m_strSource = row.source;
    set.m_nIndex = 2;
    set.m_nSetType = 1;
    set.m_strExpression = "x";
    AddAction(target, set);
    target.frame = 0;
    target.Step(0, nullptr);
    EXPECT_EQ(row.want, log);
  }
}

// Set data and calculate on an object that keeps a value through its expression: the
// data reaches the formula's variables as their names are written.
class CFormulaTarget : public CDrawObj {
 public:
  void ApplySetDataAction(double index, double, const CString& formula, const CString& source) override {
    m_expression.SetFormula(formula);
    m_expression.SetVariable(index == 0 ? "x" : "y", std::atof(source));
  }
  int ApplyDisplayAction(const CString& formula, const CString&, double, double, double) override {
    m_expression.SetFormula(formula);
    m_expression.Evaluate(m_dataValue);
    return 0;
  }
};

TEST(SetDataAction, DataReachesAFormulaThatACalculationThenEvaluates) {
  ActionLog log;
  CActionHost host(log);
  CActionRecorder first("first", log), second("second", log);
  first.dataText = "6";
  second.dataText = "7";
  CFormulaTarget target;
  host.objects = {&first, &second, &target};
  for (int i = 0; i < 2; ++i) {
    CMethod set = MakeAction(CMethod::typeSetData, "set", i, 0);
    set.m_strSource = i == 0 ? "first" : "second";
    set.m_nIndex = i;
    set.m_strExpression = "x*y";
    AddAction(target, set);
  }
  CMethod calculate = MakeAction(CMethod::typeCalculate, "calc", 2, 0);
  calculate.m_strExpression = "x*y+0.5";
  AddAction(target, calculate);
  RunFrames(host, 2);
  EXPECT_DOUBLE_EQ(42.5, target.m_dataValue);
}

// ---- cartoon ---------------------------------------------------------------------------------

TEST(CartoonAction, FramesQualifyByMembersOrLoopDisplayAndRepaintOnMultiples) {
  struct Row {
    const char* name;
    BOOL loop, loopDisplay;
    int interval, duration;
    ActionLog want;
  };
  // b = 1, three members.
  const Row rows[] = {
      {"each member once", 1, 0, 2, 20,
       {"1:cartoon 1 0 -1", "2:cartoon 1 0 2", "3:cartoon 1 0 -1", "4:cartoon 1 0 2", "5:cartoon 1 0 -1",
        "6:cartoon 1 0 2"}},
      {"loop display to the window's end", 1, 1, 3, 5,
       {"1:cartoon 1 1 -1", "2:cartoon 1 1 -1", "3:cartoon 1 1 3", "4:cartoon 1 1 -1", "5:cartoon 1 1 -1"}},
      {"no loop", 0, 1, 2, 5, {}},
      {"no interval", 1, 1, 0, 5, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ActionLog log;
    CActionHost host(log);
    CActionRecorder group("group", log);
    group.memberCount = 3;
    host.objects = {&group};
    CMethod cartoon = MakeAction(CMethod::typeCartoon, "cartoon", 1, row.duration);
    cartoon.m_bLoop = row.loop;
    cartoon.m_bRotateLoop = row.loopDisplay;
    cartoon.m_nInterval = row.interval;
    AddAction(group, cartoon);
    RunFrames(host, 12);
    EXPECT_EQ(row.want, log);
  }
}

// ---- pictures --------------------------------------------------------------------------------

TEST(GifAction, AdvancesFramesOnMultiplesOfTheDelayWhilePlaying) {
  struct Row {
    const char* name;
    BOOL play;
    int frameCount, delay;
    bool loaded;
    std::vector<int> indexes;  // after frames 0..6
  };
  const Row rows[] = {
      {"delay 2", 1, 3, 2, true, {1, 1, 2, 2, 0, 0, 1}},
      {"negative delay from a file", 1, 3, -3, true, {1, 1, 1, 2, 2, 2, 0}},
      {"not playing", 0, 3, 2, true, {0, 0, 0, 0, 0, 0, 0}},
      {"no delay", 1, 3, 0, true, {0, 0, 0, 0, 0, 0, 0}},
      {"a single frame", 1, 1, 1, true, {0, 0, 0, 0, 0, 0, 0}},
      {"not loaded yet", 1, 3, 1, false, {0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestHost host;
    CPlainObject picture("gif");
    if (row.loaded) picture.m_picture = new CPicture(new Gdiplus::Bitmap(2, 2, PixelFormat24bppRGB));
    picture.m_frameCount = row.frameCount;
    picture.m_framePeriod = row.delay;
    CMethod gif = MakeAction(CMethod::typeGif, "gif", 0, 0);
    gif.m_bGifPlay = row.play;
    AddAction(picture, gif);
    std::vector<int> indexes;
    for (int t = 0; t <= 6; ++t) {
      picture.Step(t, nullptr);
      indexes.push_back(picture.m_frameIndex);
    }
    EXPECT_EQ(row.indexes, indexes);
  }
}

TEST(ChangePictureAction, ReleasesThePictureAndNamesTheNewFile) {
  TestHost host;
  CPlainObject shape("shape");
  shape.m_picture = new CPicture(new Gdiplus::Bitmap(2, 2, PixelFormat24bppRGB));
  shape.m_pictureFile = "c:\\pics\\a.png";
  CMethod change = MakeAction(CMethod::typeChangePicture, "change", 1, 0);
  change.m_strPicture = "c:\\pics\\图片.png";
  AddAction(shape, change);
  shape.Step(0, nullptr);
  EXPECT_EQ(CString("c:\\pics\\a.png"), shape.m_pictureFile);
  shape.Step(1, nullptr);
  EXPECT_EQ(CString("c:\\pics\\图片.png"), shape.m_pictureFile);
  EXPECT_EQ(nullptr, shape.m_picture);  // loaded again at the next paint
  EXPECT_EQ(std::vector<CDrawObj*>{&shape}, host.invalidated);
}

}  // namespace
