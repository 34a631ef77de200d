#include "behaviour/ActionWindow.h"

#include "model/Method.h"

long long ActionWindow::Begin(const CMethod& action) {
  return static_cast<long long>(action.m_nStart) + action.m_nActivation;
}

long long ActionWindow::End(const CMethod& action) {
  return Begin(action) + action.m_nDuration + action.m_nExtraTime;
}

bool ActionWindow::Contains(const CMethod& action, int t) {
  if (action.m_nActivation < 0) return false;
  const long long b = Begin(action);
  const long long frame = t;
  switch (action.m_nType) {
    case CMethod::typeExit:
      return frame == b + 3;
    case CMethod::typeRunProgram:
    case CMethod::typeLayer:
    case CMethod::typeStopMedia:
    case CMethod::typePageSwitch:
      return frame == b + 1;
    case CMethod::typePlayMedia:
      // Starts at b + 1, loops after b and stops at b + duration.
      return frame == b + 1 || (frame > b && frame <= b + action.m_nDuration);
    case CMethod::typeShowHide:
      return frame >= b && frame < b + 2;
    case CMethod::typeChangePicture:
    case CMethod::typeSetData:
    case CMethod::typeCalculate:
      return frame == b;
    case CMethod::typeCartoon:
      return frame >= b && frame < b + action.m_nDuration;
    case CMethod::typeControlPoint:
    case CMethod::typeEffect:
    case CMethod::typeTranslate:
    case CMethod::typeRotate:
      return frame >= b && frame <= End(action);
    case CMethod::typeGif:
      return frame >= b;
    default:
      return false;
  }
}
