// Triggers: input on the running page reaches an object as a trigger index; the object's
// events with that trigger arm the named ability of the named target object, which then
// starts on the next timer tick.
#include "behaviour/StandardBehaviour.h"
#include "framework/core/MessageBox.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "resources/ModelStrings.h"

namespace {

// The flags of the triggers served apart: the key triggers compare the key, a drop
// brings the dropped object's events.
constexpr DWORD kKeyDown = 1u << CHPEvent::triggerKeyDown;
constexpr DWORD kKeyUp = 1u << CHPEvent::triggerKeyUp;
constexpr DWORD kDragDrop = 1u << CHPEvent::triggerDragDrop;

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

// The object dropped (second) brings the events: those with the drop trigger that name
// the object it was dropped on arm their abilities. The drop target is the third object,
// or, when the host passes none, the object the call was made on. The view snaps the
// dropped object onto the target only on a non-zero result, so only a served event gives
// one: a drop on an object that no drop event names is no accepted drop.
int ServeDrop(CDrawObj& object, int tick, CDrawObj* second, CDrawObj* third) {
  CDrawObj* dragged = second;
  CDrawObj* dropTarget = third ? third : &object;
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

}  // namespace

void CStandardBehaviour::Install() {
  static CStandardBehaviour instance;
  SetObjectBehaviour(&instance);
}

int CStandardBehaviour::Drive(CDrawObj& object, int index, int tick, int key, const CString& text, CDrawObj* second,
                              CDrawObj* third) {
  if (index < 0 || index >= CHPEvent::triggerCount) return 0;
  const DWORD flag = 1u << index;
  switch (flag) {
    case kKeyDown:
    case kKeyUp:
      return ServeEvents(object, flag, tick, key, &text);
    case kDragDrop:
      return ServeDrop(object, tick, second, third);
    default:
      // A pointer trigger (every move over the object re-arms, so restarts, the
      // abilities it drives) or the timer, which no host raises.
      return ServeEvents(object, flag, tick, 0, nullptr);
  }
}
