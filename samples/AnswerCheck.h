// A text that takes a typed answer and, on Enter, compares it with the expected one and
// marks it right or wrong: the calculate action that checks and the key event that
// drives it.
#pragma once

#include <windows.h>

#include "model/DrawText.h"
#include "model/HPEvent.h"
#include "model/Method.h"

inline void AddAnswerCheck(CDrawText* answer, const char* action, const char* expected, const char* event = "") {
  answer->m_textInput = 1;
  CMethod check;
  check.m_nType = CMethod::typeCalculate;
  check.m_strName = action;
  check.m_nDuration = 0;
  check.m_nActivation = -1;  // waits for Enter
  check.m_strSource = expected;
  check.m_nMode = 2;  // compares and marks
  check.m_nValue = 0;
  answer->m_actions.Add(check);
  answer->m_actionMask |= check.m_nType;
  CHPEvent enter;
  enter.m_nTrigger = 1u << CHPEvent::triggerKeyDown;
  enter.m_nKey = VK_RETURN;
  enter.m_strName = event;
  enter.m_strObject = answer->m_name;
  enter.m_strAbility = check.m_strName;
  answer->m_events.Add(enter);
  answer->m_triggerMask |= enter.m_nTrigger;
}
