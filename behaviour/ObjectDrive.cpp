// Triggers: input on the running page reaches an object as a trigger index; the object's
// events with that trigger arm the named ability of the named target object, which then
// starts on the next timer tick.
#include <climits>

#include "framework/core/MessageBox.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "resources/ModelStrings.h"

namespace {

// The trigger flags the handlers serve.
constexpr DWORD kLeftButtonDown = 0x1;
constexpr DWORD kLeftButtonUp = 0x2;
constexpr DWORD kDoubleClick = 0x4;
constexpr DWORD kMouseMove = 0x8;
constexpr DWORD kRightButtonDown = 0x10;
constexpr DWORD kRightButtonUp = 0x20;
constexpr DWORD kTimer = 0x40;
constexpr DWORD kMouseEnter = 0x80;
constexpr DWORD kMouseLeave = 0x100;
constexpr DWORD kKeyDown = 0x200;
constexpr DWORD kKeyUp = 0x400;
constexpr DWORD kDragDrop = 0x1000;

// Every failure message is the last thing a handler does: the box pumps messages, and
// nothing of the page is touched after it.
int Report(UINT id, const CString& a) {
  CString text;
  text.Format(id, a.GetString());
  AfxMessageBox(text, MB_ICONERROR);
  return 0;
}

int Report(UINT id, const CString& a, const CString& b) {
  CString text;
  text.Format(id, a.GetString(), b.GetString());
  AfxMessageBox(text, MB_ICONERROR);
  return 0;
}

// Arms the ability of the target: it starts on the next tick (the step of that tick gets
// frame tick + 1 - 3 = tick - 2). Re-arming a running ability restarts it.
void Arm(CMethod& ability, int tick) {
  // An input before the first walk (ticks 0 to 2) would give a negative activation,
  // which means "waiting for an event": the ability would never start. It starts with
  // the first walk instead.
  ability.m_nActivation = tick < 2 ? 0 : tick - 2;
}

// The generic handler: the object's events with this trigger (and, for the key triggers,
// this key), in array order. keyText is null for the other triggers.
int ServeEvents(CDrawObj& object, DWORD flag, int tick, int key, const CString* keyText) {
  CDrawHost* host = GetDrawHost();
  for (int i = 0; i < object.m_events.GetSize(); ++i) {
    const CHPEvent& event = object.m_events[i];
    if (event.m_nTrigger != flag) continue;
    if (keyText && event.m_nKey != key) continue;
    CDrawObj* owner = object.GetMemberOwner();
    CDrawObj* target = owner ? owner->FindMember(event.m_strObject, 0)
                             : host ? host->FindObjectByName(event.m_strObject, 0) : nullptr;
    if (!target) {
      if (!owner) return Report(IDS_DRIVEN_OBJECT_MISSING, event.m_strObject);
      return Report(object.m_ownerComposite ? IDS_DRIVEN_MEMBER_MISSING : IDS_DRIVEN_GLUE_MEMBER_MISSING,
                    owner->m_name, event.m_strObject);
    }
    const int index = target->FindActionByName(event.m_strAbility);
    if (index < 0) return Report(IDS_DRIVEN_ABILITY_MISSING, target->m_name, event.m_strAbility);
    CMethod& ability = target->m_actions[index];
    // A dynamic page switch goes to the page the user typed.
    if (keyText && ability.m_nType == CMethod::typePageSwitch && ability.m_nMode != 0) ability.m_strSource = *keyText;
    Arm(ability, tick);
  }
  return 1;
}

}  // namespace

int CDrawObj::Drive(int index, int tick, int x, int y, int key, const CString& text, CDrawObj* second,
                    CDrawObj* third) {
  using Handler = int (CDrawObj::*)(int, int, int, int, const CString&, CDrawObj*, CDrawObj*);
  static const Handler kHandlers[] = {
      &CDrawObj::DriveLeftButtonDown, &CDrawObj::DriveLeftButtonUp,   &CDrawObj::DriveDoubleClick,
      &CDrawObj::DriveMouseMove,      &CDrawObj::DriveRightButtonDown, &CDrawObj::DriveRightButtonUp,
      &CDrawObj::DriveTimer,          &CDrawObj::DriveMouseEnter,     &CDrawObj::DriveMouseLeave,
      &CDrawObj::DriveKeyDown,        &CDrawObj::DriveKeyUp,          nullptr,
      &CDrawObj::DriveDragDrop,
  };
  if (index < 0 || index >= static_cast<int>(sizeof kHandlers / sizeof kHandlers[0]) || !kHandlers[index]) return 0;
  return (this->*kHandlers[index])(tick, x, y, key, text, second, third);
}

int CDrawObj::DriveLeftButtonDown(int tick, int, int, int, const CString&, CDrawObj*, CDrawObj*) {
  return ServeEvents(*this, kLeftButtonDown, tick, 0, nullptr);
}
int CDrawObj::DriveLeftButtonUp(int tick, int, int, int, const CString&, CDrawObj*, CDrawObj*) {
  return ServeEvents(*this, kLeftButtonUp, tick, 0, nullptr);
}
int CDrawObj::DriveDoubleClick(int tick, int, int, int, const CString&, CDrawObj*, CDrawObj*) {
  return ServeEvents(*this, kDoubleClick, tick, 0, nullptr);
}
int CDrawObj::DriveMouseMove(int tick, int, int, int, const CString&, CDrawObj*, CDrawObj*) {
  // Every move over the object re-arms (restarts) the abilities it drives.
  return ServeEvents(*this, kMouseMove, tick, 0, nullptr);
}
int CDrawObj::DriveRightButtonDown(int tick, int, int, int, const CString&, CDrawObj*, CDrawObj*) {
  return ServeEvents(*this, kRightButtonDown, tick, 0, nullptr);
}
int CDrawObj::DriveRightButtonUp(int tick, int, int, int, const CString&, CDrawObj*, CDrawObj*) {
  return ServeEvents(*this, kRightButtonUp, tick, 0, nullptr);
}
int CDrawObj::DriveTimer(int tick, int, int, int, const CString&, CDrawObj*, CDrawObj*) {
  // No host raises the timer trigger; served like the pointer triggers should one do so.
  return ServeEvents(*this, kTimer, tick, 0, nullptr);
}
int CDrawObj::DriveMouseEnter(int tick, int, int, int, const CString&, CDrawObj*, CDrawObj*) {
  return ServeEvents(*this, kMouseEnter, tick, 0, nullptr);
}
int CDrawObj::DriveMouseLeave(int tick, int, int, int, const CString&, CDrawObj*, CDrawObj*) {
  return ServeEvents(*this, kMouseLeave, tick, 0, nullptr);
}
int CDrawObj::DriveKeyDown(int tick, int, int, int key, const CString& text, CDrawObj*, CDrawObj*) {
  return ServeEvents(*this, kKeyDown, tick, key, &text);
}
int CDrawObj::DriveKeyUp(int tick, int, int, int key, const CString& text, CDrawObj*, CDrawObj*) {
  return ServeEvents(*this, kKeyUp, tick, key, &text);
}

// The object dropped (second) brings the events: those with the drop trigger that name
// the object it was dropped on arm their abilities. The drop target is the third object,
// or, when the host passes none, the object the call was made on. The view snaps the
// dropped object onto the target only on a non-zero result, so only a served event gives
// one: a drop on an object that no drop event names is no accepted drop.
int CDrawObj::DriveDragDrop(int tick, int, int, int, const CString&, CDrawObj* second, CDrawObj* third) {
  CDrawObj* dragged = second;
  CDrawObj* dropTarget = third ? third : this;
  if (!dragged) return 0;
  CDrawHost* host = GetDrawHost();
  int served = 0;
  for (int i = 0; i < dragged->m_events.GetSize(); ++i) {
    const CHPEvent& event = dragged->m_events[i];
    if (event.m_nTrigger != kDragDrop) continue;
    CDrawObj* target = host ? host->FindObjectByName(event.m_strObject, 0) : nullptr;
    if (!target) return Report(IDS_DRIVEN_OBJECT_MISSING, event.m_strObject);
    if (target->m_name != dropTarget->m_name) continue;
    const int index = target->FindActionByName(event.m_strAbility);
    if (index < 0) return Report(IDS_DRIVEN_ABILITY_MISSING, target->m_name, event.m_strAbility);
    Arm(target->m_actions[index], tick);
    served = 1;
  }
  return served;
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
