#include "model/HPEvent.h"

#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CHPEvent, CObject, 0)

const CHPEvent::TriggerEntry CHPEvent::s_triggers[triggerCount] = {
    {0x1, IDS_TRIGGER_LEFT_DOWN, true},
    {0x2, IDS_TRIGGER_LEFT_UP, true},
    {0x4, IDS_TRIGGER_DOUBLE_CLICK, true},
    {0x8, IDS_TRIGGER_MOUSE_MOVE, true},
    {0x10, IDS_TRIGGER_RIGHT_DOWN, true},
    {0x20, IDS_TRIGGER_RIGHT_UP, true},
    {0x40, IDS_TRIGGER_TIMER, false},
    {0x80, IDS_TRIGGER_MOUSE_ENTER, true},
    {0x100, IDS_TRIGGER_MOUSE_LEAVE, true},
    {0x200, IDS_TRIGGER_KEY_DOWN, true},
    {0x400, IDS_TRIGGER_KEY_UP, true},
    {0x800, IDS_TRIGGER_MOTION, false},
    {0x1000, IDS_TRIGGER_DRAG_DROP, true},
};

const int CHPEvent::s_offeredTriggers[offeredTriggerCount] = {
    triggerLeftButtonDown, triggerLeftButtonUp,    triggerDoubleClick, triggerMouseMove,
    triggerRightButtonDown, triggerRightButtonUp,  triggerMouseEnter,  triggerMouseLeave,
    triggerDragDrop,        triggerKeyDown,        triggerKeyUp,
};

CString CHPEvent::TriggerDisplayName(int index) {
  CString name;
  if (index >= 0 && index < triggerCount) name.LoadString(s_triggers[index].nameId);
  return name;
}

int CHPEvent::TriggerIndex(const CString& name) {
  for (int i = 0; i < triggerCount; ++i) {
    // A text missing from the string table matches nothing, not the empty name.
    CString text;
    if (text.LoadString(s_triggers[i].nameId) && text == name) return i;
  }
  return -1;
}

CHPEvent::CHPEvent() = default;

void CHPEvent::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_nTrigger << m_strObject << m_nReserved3;
    for (int word : m_nReserved4) ar << word;
    ar << m_strName << m_strAbility << m_nReserved7 << m_nKey;
    for (int word : m_nReserved9) ar << word;
    for (const CString& text : m_strReserved10) ar << text;
    for (int word : m_nReserved11) ar << word;
    ar << m_strReserved12;
    for (const CString& text : m_strReserved13) ar << text;
    for (int word : m_nReserved14) ar << word;
  } else {
    ar >> m_nTrigger >> m_strObject >> m_nReserved3;
    for (int& word : m_nReserved4) ar >> word;
    ar >> m_strName >> m_strAbility >> m_nReserved7 >> m_nKey;
    for (int& word : m_nReserved9) ar >> word;
    for (CString& text : m_strReserved10) ar >> text;
    for (int& word : m_nReserved11) ar >> word;
    ar >> m_strReserved12;
    for (CString& text : m_strReserved13) ar >> text;
    for (int& word : m_nReserved14) ar >> word;
  }
}

void CHPEvent::SerializeLegacy(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_nTrigger << m_strObject << m_nReserved3;
    for (int word : m_nReserved4) ar << word;
    ar << m_strName << m_strAbility;
  } else {
    ar >> m_nTrigger >> m_strObject >> m_nReserved3;
    for (int& word : m_nReserved4) ar >> word;
    ar >> m_strName >> m_strAbility;
  }
}
