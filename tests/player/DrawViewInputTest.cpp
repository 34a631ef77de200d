// Input on the playing page, as the player's view passes it to the page's run (whose
// own tests hold the whole input table): the run's menu, buttons and the focus object,
// typed answers, and a click that switches pages.
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
};

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

TEST_F(PlayerInputTest, ATypedAnswerIsCheckedOnEnterAndMarked) {
  auto* answer = new CDrawText(CRect(-100, 50, 100, 0));
  answer->m_name = "answer";
  answer->m_textInput = 1;
  CMethod check = MakeAction(CMethod::typeCalculate, "check", 0, 0, -1);
  check.m_strSource = "42";
  check.m_nMode = 2;  // compare and mark
  check.m_nValue = 0;
  AddAction(*answer, check);
  AddEvent(*answer, 1u << 9, "answer", "check");
  doc->m_objects.AddTail(answer);
  Tick(4);

  Send(WM_LBUTTONDOWN, {0, 20}, MK_LBUTTON);
  Send(WM_LBUTTONUP, {0, 20});
  ASSERT_TRUE(answer->GetInputBox());
  answer->GetInputBox()->SetWindowText("42");
  answer->GetInputBox()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
  Tick(2);
  EXPECT_EQ(kMarkTick, answer->m_mark);
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
