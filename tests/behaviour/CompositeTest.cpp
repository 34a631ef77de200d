// Composite and glued objects on a page: grouping and taking apart, geometry, the
// internal clock, the cartoon, copies and undo.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <string>
#include <vector>

#include "framework/ui/DC.h"
#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "model/DrawJoinObj.h"
#include "model/DrawRect.h"
#include "tests/behaviour/AllocationCount.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/TestHost.h"

namespace {

// A page document played through the test host.
struct Page {
  Page() { host.document = &doc; }
  CDrawRect* AddRect(const CRect& r, const char* name, COLORREF colour = RGB(255, 0, 0)) {
    auto* o = new CDrawRect(r);
    o->m_name = name;
    o->m_brush.lbColor = colour;
    o->m_outlined = 0;
    doc.Add(o);
    return o;
  }
  std::string Names() const {
    std::string names;
    for (CDrawObj* o : host.Page()) names += std::string(o->m_name.GetString()) + " ";
    return names;
  }
  TestHost host;
  CDrawDoc doc;
};

// A selection for grouping, spelt in place.
struct ListOf {
  ListOf(std::initializer_list<CDrawObj*> objects) {
    for (CDrawObj* o : objects) list.AddTail(o);
  }
  operator const CObList&() const { return list; }
  CObList list;
};

std::string MemberNames(const CMemberGroup& group) {
  std::string names;
  for (CDrawObj* o : group.Members()) names += o->m_name.GetString();
  return names;
}

// Puts a member into a group by hand, as reading a record does.
template <typename Group>
void Join(Group& group, CDrawObj* member) {
  group.m_members.AddTail(member);
  if constexpr (std::is_same<Group, CDrawCompObj>::value) {
    member->m_flags |= kFlagCompositeMember | kFlagCompositeMember2;
    member->m_ownerComposite = &group;
  } else {
    member->m_flags |= kFlagGlueMember;
    member->m_ownerGlue = &group;
  }
}

class CCountedComposite : public CDrawCompObj {
 public:
  ~CCountedComposite() override { ++*destroyed; }
  int* destroyed = nullptr;
};

}  // namespace

// ---- grouping --------------------------------------------------------------------------

TEST(Composite, GroupTakesTheSelectionOffThePageIntoANormalUnion) {
  Page page;
  CDrawRect* a = page.AddRect(CRect(-50, 40, 0, 0), "a");
  CDrawRect* b = page.AddRect(CRect(60, -10, 20, 30), "b");  // mirrored on both axes
  b->m_baseRect = CRect(62, -12, 18, 32);

  CDrawCompObj single;
  EXPECT_EQ(0, single.Group(nullptr, ListOf({a})));
  EXPECT_EQ(2, page.doc.m_objects.GetCount());

  page.host.selection = {b, a};
  auto* group = new CDrawCompObj;
  ASSERT_EQ(1, group->Group(nullptr, ListOf({b, a})));
  EXPECT_EQ(CRect(-50, 40, 60, -10), group->m_position);
  EXPECT_EQ(CRect(-50, 40, 62, -12), group->m_baseRect);
  EXPECT_EQ("ab", MemberNames(*group));  // drawn in their page order
  for (CDrawObj* m : group->Members()) {
    EXPECT_EQ(3u, m->m_flags);
    EXPECT_EQ(group, m->GetOwner());
  }
  ASSERT_EQ(2, group->m_memberRects.GetSize());
  EXPECT_EQ(a->m_baseRect, group->m_memberRects[0]);
  EXPECT_EQ(b->m_baseRect, group->m_memberRects[1]);
  EXPECT_TRUE(page.doc.m_objects.IsEmpty());
  EXPECT_TRUE(page.host.selection.empty());
  EXPECT_EQ(2, group->m_memberCount);
  page.doc.Add(group);
}

TEST(Composite, UngroupRenamesClashingMembersWithAFreeCounterValue) {
  Page page;
  page.AddRect(CRect(0, 10, 10, 0), "矩形5");
  page.AddRect(CRect(0, 10, 10, 0), "矩形6");
  page.doc.m_nameCounters[9] = 6;
  int destroyed = 0;
  auto* group = new CCountedComposite;
  group->destroyed = &destroyed;
  group->m_name = "g";
  CDrawRect* clash = page.AddRect(CRect(20, 10, 30, 0), "矩形5");
  CDrawRect* other = page.AddRect(CRect(40, 10, 50, 0), "x");
  ASSERT_EQ(1, group->Group(nullptr, ListOf({clash, other})));
  page.doc.Add(group);

  group->Ungroup(nullptr);
  EXPECT_EQ(1, destroyed);
  EXPECT_EQ("矩形5 矩形6 矩形7 x ", page.Names());
  EXPECT_EQ(8, page.doc.m_nameCounters[9]);
  for (CDrawObj* m : {static_cast<CDrawObj*>(clash), static_cast<CDrawObj*>(other)}) {
    EXPECT_EQ(0u, m->m_flags);
    EXPECT_EQ(nullptr, m->GetOwner());
  }
}

TEST(Composite, NoUndoEntryOutlivesAGroupTakenApart) {
  Page page;
  CDrawRect* a = page.AddRect(CRect(0, 10, 10, 0), "a");
  CDrawRect* b = page.AddRect(CRect(20, 10, 30, 0), "b");
  auto* group = new CDrawCompObj;
  ASSERT_EQ(1, group->Group(nullptr, ListOf({a, b})));
  page.doc.Add(group);
  // Deleted, brought back, then taken apart: the redo that would delete it again finds
  // nothing.
  group->SetSuspended(TRUE);
  page.doc.m_undo.PushUndo(group);
  EXPECT_EQ(group, page.doc.UndoDelete());
  group->Ungroup(nullptr);
  EXPECT_EQ(nullptr, page.doc.RedoDelete());
  EXPECT_EQ(nullptr, page.doc.UndoDelete());
  EXPECT_EQ("a b ", page.Names());
}

TEST(Composite, EveryWayAnOwnerDiesDestroysItsMembersOnce) {
  struct Row {
    const char* name;
    std::function<void(Page&, CDrawObj*)> end;
  };
  const Row rows[] = {
      {"delete", [](Page& page, CDrawObj* group) {
         page.doc.Remove(group);
         group->Delete();
       }},
      {"purge", [](Page& page, CDrawObj* group) {
         group->SetSuspended(TRUE);
         page.doc.PurgeDeletedObjects();
       }},
      {"reset", [](Page& page, CDrawObj*) { page.doc.DeleteContents(); }},
  };
  for (const Row& row : rows) {
    for (bool glued : {false, true}) {
      SCOPED_TRACE(std::string(row.name) + (glued ? " glued" : " composite"));
      Page page;
      int destroyed = 0;
      CDrawCompObj* composite = glued ? nullptr : new CDrawCompObj;
      CDrawJoinObj* glue = glued ? new CDrawJoinObj : nullptr;
      for (const char* name : {"p", "q"}) {
        auto* member = new CProbe(name);
        member->destroyed = &destroyed;
        if (glued)
          Join(*glue, member);
        else
          Join(*composite, member);
      }
      CDrawObj* group = glued ? static_cast<CDrawObj*>(glue) : composite;
      page.doc.Add(group);
      row.end(page, group);
      EXPECT_EQ(2, destroyed);
      EXPECT_TRUE(page.doc.m_objects.IsEmpty());
    }
  }
}

// ---- geometry --------------------------------------------------------------------------

TEST(Composite, ResizeKeepsTwentyUnitsAndMirrorsOnlyWhenAnEdgeCrosses) {
  struct Row {
    const char* name;
    int handle, x, y;
    CRect group;  // after the drag
    CRect first;  // the first member after it
  };
  const Row rows[] = {
      {"right edge 19 from the left: refused", 4, 19, 0, CRect(0, 40, 100, 0), CRect(0, 40, 50, 0)},
      {"right edge 20 from the left", 4, 20, 0, CRect(0, 40, 20, 0), CRect(0, 40, 10, 0)},
      {"moved further than its width: not mirrored", 9, 250, 20, CRect(200, 40, 300, 0), CRect(200, 40, 250, 0)},
      {"right edge across the left: mirrored", 4, -100, 0, CRect(0, 40, -100, 0), CRect(0, 40, -50, 0)},
      {"top edge to 10 above the bottom: refused", 2, 0, 10, CRect(0, 40, 100, 0), CRect(0, 40, 50, 0)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Page page;
    CDrawRect* a = page.AddRect(CRect(0, 40, 50, 0), "a");
    CDrawRect* b = page.AddRect(CRect(50, 40, 100, 0), "b");
    auto* group = new CDrawCompObj;
    ASSERT_EQ(1, group->Group(nullptr, ListOf({a, b})));
    page.doc.Add(group);
    group->MoveHandleTo(row.handle, row.x, row.y, nullptr);
    EXPECT_EQ(row.group, group->m_position);
    EXPECT_EQ(row.first, a->m_position);
    if (row.handle != 9 && row.group != CRect(0, 40, 100, 0)) {
      EXPECT_EQ(a->m_position, group->m_memberRects[0]);
    }
  }
}

TEST(Composite, CloneWithAFailingMemberIsNullAndFreesEverything) {
  class CUncopyable : public CProbe {
   public:
    CUncopyable() : CProbe("u") {}
    CDrawObj* Clone(CDrawObj*) override { return nullptr; }
  };
  TestHost host;
  CDrawCompObj group;
  Join(group, new CProbe("p"));
  Join(group, new CProbe("q"));
  std::unique_ptr<CDrawObj> copy(group.Clone(nullptr));
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ("pq", MemberNames(static_cast<CDrawCompObj&>(*copy)));
  for (CDrawObj* m : static_cast<CDrawCompObj&>(*copy).Members()) EXPECT_EQ(copy.get(), m->GetOwner());

  Join(group, new CUncopyable);
  const long before = LiveAllocations();
  EXPECT_EQ(nullptr, group.Clone(nullptr));
  EXPECT_EQ(before, LiveAllocations());
}

// ---- the run ----------------------------------------------------------------------------

// Members see the local tick of the internal clock; visibility and layer come back at the
// start of each repetition: a composite's on local tick 0, a glued object's when a new
// repetition begins and on local tick 1 of every run.
TEST(MemberClock, RepeatsTheInternalMotionAndThenFollowsThePage) {
  struct Row {
    const char* name;
    std::function<CMemberGroup*()> make;
    std::vector<int> restoredAt;
  };
  const Row rows[] = {
      {"composite", [] { return new CDrawCompObj; }, {5, 15}},
      {"glued", [] { return new CDrawJoinObj; }, {6, 15, 16}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestHost host;
    std::unique_ptr<CMemberGroup> group(row.make());
    group->m_loopInternal = 1;
    group->m_internalTime = 10;
    group->m_loopCount = 2;
    group->m_internalStart = 5;
    auto* probe = new CProbe("p");
    probe->m_visible = 0;
    probe->m_savedVisible = 1;
    AddAction(*probe, MakeAction(CMethod::typeShowHide, "later", 1000, 1));
    std::vector<int> restoredAt;
    probe->onStep = [&, probe](int) {
      if (probe->m_visible) restoredAt.push_back(static_cast<int>(probe->frames.size()) + 4);
      probe->m_visible = 0;
      probe->m_savedVisible = 1;
    };
    group->m_members.AddTail(probe);
    probe->m_flags = kFlagGlueMember;
    std::vector<int> want;
    for (int t = 5; t <= 14; ++t) want.push_back(t - 5);
    for (int t = 15; t <= 24; ++t) want.push_back(t - 15);
    for (int t = 25; t <= 27; ++t) want.push_back(t);
    for (int t = 0; t <= 27; ++t) group->Step(t, nullptr);
    EXPECT_EQ(want, probe->frames);
    EXPECT_EQ(row.restoredAt, restoredAt);
  }
}

TEST(MemberClock, AMemberWithSeveralActionsStepsOncePerTick) {
  TestHost host;
  CDrawCompObj group;
  for (const char* name : {"a", "b", "c"}) Join(group, new CProbe(name));
  auto* m = new CProbe("m");
  CMethod back = MakeAction(CMethod::typeLayer, "back", 0, 0);
  back.m_nLayerSteps = -1;
  AddAction(*m, back);
  AddAction(*m, MakeAction(CMethod::typeShowHide, "show", 0, 5));
  AddAction(*m, MakeAction(CMethod::typeShowHide, "again", 0, 5));
  Join(group, m);
  const char* orders[] = {"abcm", "abmc", "abmc", "abmc"};  // the layer change falls on frame 1
  for (int t = 0; t < 4; ++t) {
    group.Step(t, nullptr);
    EXPECT_EQ(orders[t], MemberNames(group)) << t;
    EXPECT_EQ(t + 1, static_cast<int>(m->frames.size()));
  }
}

TEST(MemberClock, AMemberTurnsAboutAnotherAsTheSamePairDoesOnThePage) {
  auto pair = [](CDrawRect*& mover, CDrawRect*& centre) {
    mover = new CDrawRect(CRect(40, 10, 60, -10));
    mover->m_name = "mover";
    centre = new CDrawRect(CRect(-5, 5, 5, -5));
    centre->m_name = "centre";
    CMethod spin = MakeAction(CMethod::typeRotate, "spin", 0, 12);
    spin.m_nStartAngle = 0;
    spin.m_nEndAngle = 90;
    spin.m_nStep = 10;
    spin.m_strCentre = "centre";
    AddAction(*mover, spin);
  };
  struct State {
    double angle, orbit, cx, cy;
  };
  // Run one after the other: each page has a host of its own, and one host serves a thread.
  auto run = [&](bool grouped, double& restored) {
    Page page;
    CDrawRect *mover, *centre;
    pair(mover, centre);
    page.doc.Add(mover);
    page.doc.Add(centre);
    if (grouped) {
      auto* group = new CDrawCompObj;
      EXPECT_EQ(1, group->Group(nullptr, ListOf({mover, centre})));
      page.doc.Add(group);
    }
    EXPECT_TRUE(page.host.StartObjects());
    std::vector<State> states;
    for (int tick = 0; tick < 12; ++tick) {
      page.host.Tick();
      states.push_back({mover->m_angle, mover->m_rotationState.orbitAngle, mover->m_rotationCentre.x,
                        mover->m_rotationCentre.y});
    }
    page.host.StopObjects();
    restored = mover->m_angle;
    return states;
  };
  double restoredOnPage, restoredInGroup;
  const std::vector<State> onPage = run(false, restoredOnPage), inGroup = run(true, restoredInGroup);
  ASSERT_EQ(onPage.size(), inGroup.size());
  for (size_t i = 0; i < onPage.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(onPage[i].angle, inGroup[i].angle);
    EXPECT_DOUBLE_EQ(onPage[i].orbit, inGroup[i].orbit);
    EXPECT_DOUBLE_EQ(onPage[i].cx, inGroup[i].cx);
    EXPECT_DOUBLE_EQ(onPage[i].cy, inGroup[i].cy);
  }
  EXPECT_NE(0.0, inGroup.back().angle);
  EXPECT_EQ(0.0, restoredInGroup);
}

// Each frame of the cartoon shows the next member, however often the page is painted
// between ticks; after the action the last one stays.
TEST(Cartoon, ExtraRepaintsSkipNoFrame) {
  Page page;
  CDrawRect* red = page.AddRect(CRect(-10, 10, 10, -10), "r", RGB(255, 0, 0));
  CDrawRect* green = page.AddRect(CRect(-10, 10, 10, -10), "g", RGB(0, 255, 0));
  CDrawRect* blue = page.AddRect(CRect(-10, 10, 10, -10), "b", RGB(0, 0, 255));
  auto* group = new CDrawCompObj;
  ASSERT_EQ(1, group->Group(nullptr, ListOf({red, green, blue})));
  page.doc.Add(group);
  CMethod cartoon = MakeAction(CMethod::typeCartoon, "cartoon", 0, 5);
  cartoon.m_bLoop = 1;
  cartoon.m_bRotateLoop = 1;
  cartoon.m_nInterval = 1;
  AddAction(*group, cartoon);

  ASSERT_TRUE(page.host.StartObjects());
  page.host.Tick();
  page.host.Tick();
  const COLORREF want[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 0, 0),
                           RGB(0, 255, 0), RGB(0, 255, 0), RGB(0, 255, 0)};
  PageBitmap bitmap(64, 64);
  CDC dc(bitmap.dc());
  for (int frame = 0; frame < 7; ++frame) {
    page.host.Tick();
    for (int paint = 0; paint < 3; ++paint) {
      bitmap.Clear(RGB(255, 255, 255));
      page.doc.Draw(&dc, nullptr);
      EXPECT_EQ(want[frame], bitmap.At(0, 0)) << "frame " << frame << ", paint " << paint;
    }
  }
  page.host.StopObjects();
  EXPECT_EQ(0, group->m_cartoonMode);
}

// A trigger reaches the group's own events and then every member under the point.
TEST(Composite, DrivesTheMembersUnderThePoint) {
  TestHost host;
  CDrawCompObj group;
  group.m_position = CRect(0, 20, 40, 0);
  auto* under = new CProbe("under", CRect(0, 20, 20, 0));
  auto* beside = new CProbe("beside", CRect(20, 20, 40, 0));
  for (CProbe* member : {under, beside}) {
    AddAction(*member, MakeAction(CMethod::typeShowHide, "blink", 0, 2, -1));
    AddEvent(*member, 0x1, member->m_name.GetString(), "blink");
    Join(group, member);
  }
  AddAction(group, MakeAction(CMethod::typeShowHide, "own", 0, 2, -1));
  AddEvent(group, 0x1, "own", "own");
  group.m_name = "own";
  host.objects = {&group};
  EXPECT_EQ(1, group.Drive(0, 10, 5, 10, 0, "", nullptr, nullptr));
  EXPECT_EQ(8, group.m_actions[0].m_nActivation);
  EXPECT_EQ(8, under->m_actions[0].m_nActivation);
  EXPECT_EQ(-1, beside->m_actions[0].m_nActivation);
}

TEST(GroupTime, TotalTimeOfTheInternalMotion) {
  struct Row {
    int loop, count, start, time, ownEnd;  // ownEnd < 0: no actions of its own
    int want;
  };
  const Row rows[] = {
      {0, 0, 0, 7, -1, 7},       // no loop: one run
      {1, 2, 5, 10, -1, 25},     // start + count x time
      {1, 2, -50, 10, -1, 0},    // never below 0
      {1, 2, 5, 10, 40, 40},     // its own actions end later
      {0, 0, 0, 7, 3, 7},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.want);
    CDrawCompObj group;
    group.m_loopInternal = row.loop;
    group.m_loopCount = row.count;
    group.m_internalStart = row.start;
    group.m_internalTime = row.time;
    if (row.ownEnd >= 0) AddAction(group, MakeAction(CMethod::typeShowHide, "s", 0, row.ownEnd));
    EXPECT_EQ(row.want, group.GetTotalTime());
  }
}

// The browser control repaints a group by the base rule: each side out by the pen's
// margin, never less than 4.
TEST(GroupBounds, TheControlsReaderWidensByThePensMargin) {
  TestHost host;
  CDrawDoc control(CDrawDoc::Reader::control);
  host.document = &control;
  std::unique_ptr<CMemberGroup> groups[] = {std::make_unique<CDrawCompObj>(), std::make_unique<CDrawJoinObj>()};
  for (auto& group : groups) {
    group->m_position = CRect(0, 40, 100, 0);
    EXPECT_EQ(CRect(-4, 44, 104, -4), group->GetDrawBounds());
  }
}

// ---- glued objects ---------------------------------------------------------------------

namespace {

// Two 40 x 20 rectangles glued at a corner: a's handle 5 (its right bottom) and b's
// handle 1 (its left top).
struct GluedPair : Page {
  GluedPair() {
    a = AddRect(CRect(0, 20, 40, 0), "a");
    b = AddRect(CRect(100, 100, 140, 80), "b");
    glue = new CDrawJoinObj;
    glue->m_name = "glue";
    doc.Add(glue);
    GlueGroup context;
    context.objects = {a, b};
    context.handles = {5, 1};
    glue->Glue(nullptr, context);
  }
  CDrawRect *a, *b;
  CDrawJoinObj* glue;
};

}  // namespace

TEST(Glue, PinsTheHandlesAtTheFirstObjectsHandle) {
  GluedPair page;
  EXPECT_EQ(CRect(0, 20, 40, 0), page.a->m_position);
  EXPECT_EQ(CRect(40, 0, 80, -20), page.b->m_position);
  EXPECT_EQ("glue ", page.Names());
  EXPECT_EQ(CRect(0, 20, 80, -20), page.glue->m_position);
  EXPECT_EQ(1 + 9 + 9 + 1, page.glue->GetHandleCount());
  EXPECT_EQ(CPoint(40, 0), page.glue->GetHandle(1));
  EXPECT_EQ(page.a->GetHandle(4), page.glue->GetHandle(1 + 4));
  EXPECT_EQ(page.b->GetHandle(3), page.glue->GetHandle(1 + 9 + 3));
  EXPECT_EQ(kFlagGlueMember, page.a->m_flags);
  EXPECT_EQ(page.glue, page.b->GetOwner());
  EXPECT_TRUE(page.glue->IsPlainShape());
}

TEST(Glue, DragsMoveThePinnedHandlesOrOneMember) {
  {
    SCOPED_TRACE("glue point");
    GluedPair page;
    page.glue->MoveHandleTo(1, 50, -10, nullptr);
    EXPECT_EQ(CRect(0, 20, 50, -10), page.a->m_position);
    EXPECT_EQ(CRect(50, -10, 80, -20), page.b->m_position);
    EXPECT_EQ(CPoint(50, -10), page.glue->GetHandle(1));
    EXPECT_EQ(CRect(0, 20, 80, -20), page.glue->m_position);
  }
  {
    SCOPED_TRACE("the first member's right edge");
    GluedPair page;
    page.glue->MoveHandleTo(1 + 4, 30, 10, nullptr);
    EXPECT_EQ(CRect(0, 20, 30, 0), page.a->m_position);
    EXPECT_EQ(CRect(40, 0, 80, -20), page.b->m_position);
  }
  {
    SCOPED_TRACE("scaling changes nothing");
    GluedPair page;
    page.glue->ScaleAbout(2.0, 0, 0, nullptr);
    EXPECT_EQ(CRect(0, 20, 40, 0), page.a->m_position);
    EXPECT_EQ(CRect(0, 20, 80, -20), page.glue->m_position);
  }
}

TEST(Glue, AMoveShiftsEveryMemberAndPointOnceEvenInTwoGroups) {
  GluedPair page;
  // A second point pinning the same two objects, as a file may hold.
  GlueGroup second;
  second.objects = {page.a, page.b};
  second.handles = {1, 5};
  second.x = 0;
  second.y = 20;
  page.glue->m_glueGroups.push_back(second);
  page.glue->SetRect(CRect(10, 25, 90, -15), nullptr);
  EXPECT_EQ(CRect(10, 25, 50, 5), page.a->m_position);
  EXPECT_EQ(CRect(50, 5, 90, -15), page.b->m_position);
  EXPECT_EQ(CPoint(50, 5), page.glue->GetHandle(1));
  EXPECT_EQ(CPoint(10, 25), page.glue->GetHandle(2));
}

TEST(Glue, UngluesOnlyASinglePoint) {
  GluedPair page;
  page.AddRect(CRect(0, 5, 5, 0), "a");
  GlueGroup second = page.glue->m_glueGroups.front();
  page.glue->m_glueGroups.push_back(second);
  page.glue->Unglue(nullptr);
  EXPECT_EQ("glue a ", page.Names());  // two points: nothing happens
  page.glue->m_glueGroups.pop_back();
  page.doc.m_nameCounters[9] = 2;
  page.glue->Unglue(nullptr);
  EXPECT_EQ("a 矩形2 b ", page.Names());
  EXPECT_EQ(3, page.doc.m_nameCounters[9]);
  EXPECT_EQ(0u, page.b->m_flags);
  EXPECT_EQ(nullptr, page.b->GetOwner());
}

TEST(Glue, CloneRebuildsThePointsFromTheCopies) {
  GluedPair page;
  std::unique_ptr<CDrawObj> copy(page.glue->Clone(nullptr));
  auto& clone = static_cast<CDrawJoinObj&>(*copy);
  ASSERT_EQ(1u, clone.m_glueGroups.size());
  const std::vector<CDrawObj*> members = clone.Members();
  EXPECT_EQ(members, clone.m_glueGroups[0].objects);
  EXPECT_NE(page.a, members[0]);
  EXPECT_EQ(kFlagGlueMember, members[0]->m_flags);
  EXPECT_EQ(&clone, members[1]->GetOwner());
}
