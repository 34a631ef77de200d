// Input on the playing page: which mouse messages become which triggers for which
// objects, the pointer entering and leaving objects, buttons, the focus object, and
// dragging an object onto another.
#include <gtest/gtest.h>

#include "model/ColorEditWnd.h"
#include "model/DrawText.h"
#include "tests/player/PlayerFixture.h"
#include "tests/support/ModalCapture.h"

using namespace playertest;

namespace {

class PlayerInputTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    Open({{"home.rvx", PageBytes(RGB(255, 255, 255))}});
  }

  void Send(UINT message, CPoint page, WPARAM flags = 0) {
    const CPoint p = view->PageToClient(page);
    view->SendMessage(message, flags, MAKELPARAM(p.x, p.y));
  }
  // A drag with the left button from one page point to another.
  void Drag(CPoint from, CPoint to) {
    Send(WM_LBUTTONDOWN, from, MK_LBUTTON);
    Send(WM_MOUSEMOVE, to, MK_LBUTTON);
    Send(WM_LBUTTONUP, to);
  }
};

TEST_F(PlayerInputTest, MouseMessagesBecomeTriggersOfTheObjectUnderThePointer) {
  ModalCapture menus([](ModalCall&) { return static_cast<INT_PTR>(0); });  // right button up
  CPlayerProbe* probe = AddProbe("P", CRect(-50, 50, 50, -50));
  const struct {
    const char* what;
    UINT message;
    CPoint point;
    DWORD mask;
    int expected;  // trigger index, or -1 for none
  } rows[] = {
      {"right down reaches any object", WM_RBUTTONDOWN, {10, 20}, 0, 4},
      {"right up reaches any object", WM_RBUTTONUP, {10, 20}, 0, 5},
      {"left down without a left-down event", WM_LBUTTONDOWN, {10, 20}, 0x2, -1},
      {"left down with one", WM_LBUTTONDOWN, {10, 20}, 0x1, 0},
      {"left up without a left-up event", WM_LBUTTONUP, {10, 20}, 0x1, -1},
      {"left up with one", WM_LBUTTONUP, {10, 20}, 0x2, 1},
      {"double click with a double-click event", WM_LBUTTONDBLCLK, {10, 20}, 0x4, 2},
      {"double click without one", WM_LBUTTONDBLCLK, {10, 20}, 0x1, -1},
      {"right down beside the object", WM_RBUTTONDOWN, {60, 0}, 0x1FFF, -1},
      {"left down beside the object", WM_LBUTTONDOWN, {-60, 0}, 0x1FFF, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    probe->m_triggerMask = row.mask;
    probe->drives.clear();
    Send(row.message, row.point);
    if (row.expected < 0) {
      EXPECT_TRUE(probe->drives.empty());
    } else {
      ASSERT_EQ(1u, probe->drives.size());
      EXPECT_EQ(row.expected, probe->drives[0].index);
      EXPECT_EQ(row.point.x, probe->drives[0].x);
      EXPECT_EQ(row.point.y, probe->drives[0].y);
      EXPECT_EQ(nullptr, probe->drives[0].second);
    }
  }
}

TEST_F(PlayerInputTest, TheRightButtonOffersExitAndPause) {
  ModalCapture menus([](ModalCall& call) {
    HMENU menu = reinterpret_cast<HMENU>(call.data);
    EXPECT_EQ(2, ::GetMenuItemCount(menu));
    EXPECT_EQ(UINT(ID_EXIT_RUN), ::GetMenuItemID(menu, 0));
    EXPECT_EQ(UINT(ID_PAUSE_RUN), ::GetMenuItemID(menu, 1));
    return static_cast<INT_PTR>(ID_PAUSE_RUN);
  });
  Send(WM_RBUTTONUP, {0, 0});
  ASSERT_EQ(1u, menus.calls().size());
  EXPECT_EQ(ModalCall::popupMenu, menus.calls()[0].kind);
  // The choice arrives as a command of the frame, which the view answers.
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, frame->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  ::DispatchMessageA(&msg);
  EXPECT_TRUE(view->IsPaused());
}

TEST_F(PlayerInputTest, MovingLeavesOneObjectBeforeEnteringTheNext) {
  CPlayerProbe* a = AddProbe("A", CRect(-100, 20, -60, -20));
  CPlayerProbe* b = AddProbe("B", CRect(60, 20, 100, -20));
  for (CPlayerProbe* p : {a, b}) {
    AddEvent(*p, 0x80, "X", "x");  // an event, so moves over it drive it
    p->m_triggerMask |= 0x100;
  }
  Send(WM_MOUSEMOVE, {-80, 0});
  Send(WM_MOUSEMOVE, {-80, 0});  // the same point again: nothing
  Send(WM_MOUSEMOVE, {-79, 0});
  Send(WM_MOUSEMOVE, {80, 0});
  Send(WM_MOUSEMOVE, {0, 0});
  EXPECT_EQ((std::vector<std::string>{"A drive 7", "A drive 3", "A drive 3", "A drive 8", "B drive 7", "B drive 3",
                                      "B drive 8"}),
            log);
}

TEST_F(PlayerInputTest, ButtonsShowPressedWhileHeldAndTheClickedObjectTakesTheFocus) {
  CPlayerProbe* button = AddProbe("B", CRect(-20, 20, 20, -20));
  button->m_buttonised = 1;
  Send(WM_LBUTTONDOWN, {0, 0}, MK_LBUTTON);
  EXPECT_EQ(1, button->GetButtonState());
  EXPECT_EQ(button, doc->m_focusObject);
  Send(WM_LBUTTONUP, {0, 0});
  EXPECT_EQ(0, button->GetButtonState());
  Send(WM_LBUTTONDOWN, {100, 100}, MK_LBUTTON);
  EXPECT_EQ(nullptr, doc->m_focusObject);
}

TEST_F(PlayerInputTest, ATypedAnswerReachesTheTextsEventsOnEnter) {
  auto* answer = new CDrawText(CRect(-100, 50, 100, 0));
  answer->m_name = "answer";
  answer->m_textInput = 1;
  AddEvent(*answer, 1u << 9, "B", "show");  // Enter down arms B's ability
  doc->m_objects.AddTail(answer);
  CPlayerProbe* b = AddProbe("B", CRect(150, 10, 170, -10));
  AddAction(*b, MakeAction(CMethod::typeShowHide, "show", 0, 10, -1));
  ASSERT_TRUE(view->StartObjects());

  Send(WM_LBUTTONDOWN, {0, 20}, MK_LBUTTON);
  Send(WM_LBUTTONUP, {0, 20});
  ASSERT_TRUE(answer->GetInputBox()) << "a click opens the input box";
  answer->GetInputBox()->SetWindowText("42");
  // The box hands Enter to the view, as a key typed into it does.
  answer->GetInputBox()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_GE(b->m_actions[0].m_nActivation, 0) << "the event driven by Enter armed the ability";

  Send(WM_LBUTTONDOWN, {0, -100}, MK_LBUTTON);  // elsewhere
  EXPECT_FALSE(answer->GetInputBox()) << "a click elsewhere closes the box";
  EXPECT_STREQ("42", answer->m_displayText);
}

TEST_F(PlayerInputTest, ADraggedObjectLandsWhereItsDropIsAccepted) {
  const struct {
    const char* what;
    CPoint to;
    int answer;  // the target's answer to the drop
    CRect expected;
    bool dropped;
  } rows[] = {
      {"released over nothing: back to its start", {0, 100}, 1, CRect(-110, 10, -90, -10), false},
      {"over a target that declines: stays there", {95, 5}, 0, CRect(85, 15, 105, -5), true},
      {"over a target that accepts: onto its centre", {95, 5}, 1, CRect(90, 10, 110, -10), true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    doc->DeleteContents();
    view->ClearDragState();
    Send(WM_MOUSEMOVE, {0, -140});  // from elsewhere, as a user's drag starts
    CPlayerProbe* target = AddProbe("T", CRect(80, 20, 120, -20));
    // The dragged object lies above the target, under the pointer at the release.
    CPlayerProbe* dragged = AddProbe("D", CRect(-110, 10, -90, -10));
    dragged->m_triggerMask = 0x1000;
    target->answer = row.answer;
    ASSERT_TRUE(view->StartObjects());
    Drag({-100, 0}, row.to);
    EXPECT_EQ(row.expected, dragged->m_position);
    if (row.dropped) {
      ASSERT_EQ(1u, target->drives.size());
      EXPECT_EQ(12, target->drives[0].index);
      EXPECT_EQ(dragged, target->drives[0].second);
      EXPECT_EQ(target, target->drives[0].third);  // the drop names its target
    } else {
      EXPECT_TRUE(target->drives.empty());
    }
  }
}

TEST_F(PlayerInputTest, AClickOnAPageSwitchButtonShowsTheOtherPage) {
  Open({{"home.rvx", PageBytes(RGB(255, 255, 255), [](CDrawDoc& page) {
           CDrawRect* button = FilledRect("button", CRect(-60, 40, 60, -40), RGB(200, 0, 0));
           JumpOnClick(*button, "Page1");
           page.m_objects.AddTail(button);
         })},
        {"page1.rvx", PageBytes(RGB(0, 200, 0), [](CDrawDoc& page) {
           page.m_objects.AddTail(FilledRect("mark", CRect(-10, 10, 10, -10), RGB(0, 0, 200)));
         })}});
  Tick(4);
  Send(WM_LBUTTONDOWN, {0, 0}, MK_LBUTTON);
  Send(WM_LBUTTONUP, {0, 0});
  Tick(2);
  EXPECT_EQ(std::vector<CString>{"mark"}, PageObjectNames());
  EXPECT_EQ(CString("page1.rvx"), doc->m_pageName);
  EXPECT_EQ(CDrawView::kResumePeriod, view->GetTimerPeriod());
}

}  // namespace
