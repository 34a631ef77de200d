// The operations through which the playback clock and the views play a drawing object:
// the order of one frame's steps and the dispatch of triggers stay with the object; each
// kind's step, the serving of events and the drawing of effects are its behaviour.
#include "model/DrawObj.h"
#include "model/ObjectBehaviour.h"

namespace {

// Action kinds without behaviour that keep their slots in a frame's order.
constexpr DWORD kUnusedKindA = 0x80000;
constexpr DWORD kUnusedKindB = 0x2000;

}  // namespace

void CDrawObj::Step(int t, CView* view) {
  if (IsSuspended()) return;
  // Exit first, the page switch last: everything else of this frame has run before the
  // page is replaced. The kinds without behaviour keep their slots.
  const DWORD mask = m_actionMask;
  if (mask & CMethod::typeExit) StepExit(t, view);
  if (mask & CMethod::typeRunProgram) StepRunProgram(t, view);
  if (mask & CMethod::typeLayer) StepLayer(t, view);
  if ((mask & CMethod::typeTranslate) && StepTranslate(t, view)) {
    // The rotation centres named by this object's rotations come along with it.
    if (!IsMember())
      ResolveRotationCentres(view, nullptr);
    else if (CDrawObj* owner = GetMemberOwner())
      ResolveRotationCentres(view, owner);
  }
  if (mask & CMethod::typeRotate) StepRotate(t, view);
  if (mask & CMethod::typeShowHide) StepShowHide(t, view);
  if (mask & kUnusedKindA) StepUnused(t, view);
  if (mask & CMethod::typeStopMedia) StepStopMedia(t, view);
  if (mask & CMethod::typePlayMedia) StepPlayMedia(t, view);
  if (mask & CMethod::typeEffect) StepEffect(t, view);
  if (mask & CMethod::typeControlPoint) StepControlPoint(t, view);
  if (mask & kUnusedKindB) StepUnused(t, view);
  if (mask & CMethod::typeChangePicture) StepChangePicture(t, view);
  if (mask & CMethod::typeGif) StepGif(t, view);
  if (mask & CMethod::typeCalculate) StepDisplay(t, view);
  if (mask & CMethod::typeSetData) StepSetData(t, view);
  if (mask & CMethod::typeDisplay) StepUnused(t, view);
  if (mask & CMethod::typeCartoon) StepCartoon(t, view);
  if (mask & CMethod::typePageSwitch) StepPageSwitch(t, view);  // may end this object's page: nothing after it
}

void CDrawObj::StepUnused(int, CView*) {}

void CDrawObj::StepLayer(int t, CView* view) { GetObjectBehaviour().StepLayer(*this, t, view); }
void CDrawObj::StepShowHide(int t, CView* view) { GetObjectBehaviour().StepShowHide(*this, t, view); }
void CDrawObj::StepPlayMedia(int t, CView* view) { GetObjectBehaviour().StepPlayMedia(*this, t, view); }
void CDrawObj::StepStopMedia(int t, CView* view) { GetObjectBehaviour().StepStopMedia(*this, t, view); }
void CDrawObj::StepExit(int t, CView* view) { GetObjectBehaviour().StepExit(*this, t, view); }
void CDrawObj::StepChangePicture(int t, CView* view) { GetObjectBehaviour().StepChangePicture(*this, t, view); }
void CDrawObj::StepControlPoint(int t, CView* view) { GetObjectBehaviour().StepControlPoint(*this, t, view); }
void CDrawObj::StepSetData(int t, CView* view) { GetObjectBehaviour().StepSetData(*this, t, view); }
void CDrawObj::StepDisplay(int t, CView* view) { GetObjectBehaviour().StepDisplay(*this, t, view); }
void CDrawObj::StepCartoon(int t, CView* view) { GetObjectBehaviour().StepCartoon(*this, t, view); }
void CDrawObj::StepGif(int t, CView* view) { GetObjectBehaviour().StepGif(*this, t, view); }
void CDrawObj::StepEffect(int t, CView* view) { GetObjectBehaviour().StepEffect(*this, t, view); }
void CDrawObj::StepRunProgram(int t, CView* view) { GetObjectBehaviour().StepRunProgram(*this, t, view); }
void CDrawObj::StepPageSwitch(int t, CView* view) { GetObjectBehaviour().StepPageSwitch(*this, t, view); }
void CDrawObj::StepRotate(int t, CView* view) { GetObjectBehaviour().StepRotate(*this, t, view); }
int CDrawObj::StepTranslate(int t, CView* view) { return GetObjectBehaviour().StepTranslate(*this, t, view); }
void CDrawObj::AngleHelper(CMethod* action) {
  if (action) GetObjectBehaviour().AngleHelper(*action);
}

int CDrawObj::DrawEffect(CDC* dc, CView* view) { return GetObjectBehaviour().DrawEffect(*this, dc, view); }

int CDrawObj::GetEffectLength(int kind, int direction, int delay, int step) const {
  return GetObjectBehaviour().GetEffectLength(*this, kind, direction, delay, step);
}

// ---- triggers ------------------------------------------------------------------------------

int CDrawObj::Drive(int index, int tick, int x, int y, int key, const CString& text, CDrawObj* second,
                    CDrawObj* third) {
  using Handler = int (CDrawObj::*)(int, int, int, int, const CString&, CDrawObj*, CDrawObj*);
  static const Handler kHandlers[CHPEvent::triggerCount] = {
      &CDrawObj::DriveLeftButtonDown, &CDrawObj::DriveLeftButtonUp,   &CDrawObj::DriveDoubleClick,
      &CDrawObj::DriveMouseMove,      &CDrawObj::DriveRightButtonDown, &CDrawObj::DriveRightButtonUp,
      &CDrawObj::DriveTimer,          &CDrawObj::DriveMouseEnter,     &CDrawObj::DriveMouseLeave,
      &CDrawObj::DriveKeyDown,        &CDrawObj::DriveKeyUp,          nullptr,
      &CDrawObj::DriveDragDrop,
  };
  if (index < 0 || index >= CHPEvent::triggerCount || !kHandlers[index]) return 0;
  return (this->*kHandlers[index])(tick, x, y, key, text, second, third);
}

int CDrawObj::DriveLeftButtonDown(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerLeftButtonDown, tick, key, text, second, third);
}
int CDrawObj::DriveLeftButtonUp(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerLeftButtonUp, tick, key, text, second, third);
}
int CDrawObj::DriveDoubleClick(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerDoubleClick, tick, key, text, second, third);
}
int CDrawObj::DriveMouseMove(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerMouseMove, tick, key, text, second, third);
}
int CDrawObj::DriveRightButtonDown(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerRightButtonDown, tick, key, text, second, third);
}
int CDrawObj::DriveRightButtonUp(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerRightButtonUp, tick, key, text, second, third);
}
int CDrawObj::DriveTimer(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerTimer, tick, key, text, second, third);
}
int CDrawObj::DriveMouseEnter(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerMouseEnter, tick, key, text, second, third);
}
int CDrawObj::DriveMouseLeave(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerMouseLeave, tick, key, text, second, third);
}
int CDrawObj::DriveKeyDown(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerKeyDown, tick, key, text, second, third);
}
int CDrawObj::DriveKeyUp(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerKeyUp, tick, key, text, second, third);
}
int CDrawObj::DriveDragDrop(int tick, int, int, int key, const CString& text, CDrawObj* second, CDrawObj* third) {
  return GetObjectBehaviour().Drive(*this, CHPEvent::triggerDragDrop, tick, key, text, second, third);
}

BOOL CDrawObj::HasEventDrivenAction() {
  for (int i = 0; i < m_actions.GetSize(); ++i)
    if (m_actions[i].m_nByEvent == 1) return TRUE;
  return FALSE;
}

int CDrawObj::FindEventByName(const CString& name) {
  for (int i = 0; i < m_events.GetSize(); ++i)
    if (m_events[i].m_strName == name) return i;
  return -1;
}

int CDrawObj::FindActionByName(const CString& name) {
  for (int i = 0; i < m_actions.GetSize(); ++i)
    if (m_actions[i].m_strName == name) return i;
  return -1;
}
