// CHPEvent: one interaction of a drawing object or of a page — when its trigger
// happens, it drives the named ability (action) of the named target object. Objects
// hold their events by value; the owner's record writes the count and then each
// event's record, in the current form or, for old objects, the short legacy form.
#pragma once

#include "framework/core/Archive.h"

class CHPEvent : public CObject {
  DECLARE_SERIAL(CHPEvent)

 public:
  // Triggers by index: the flag an event stores is 1 << index, and the index is what
  // the view passes to an object's drive operation.
  enum Trigger {
    triggerLeftButtonDown = 0,
    triggerLeftButtonUp = 1,
    triggerDoubleClick = 2,
    triggerMouseMove = 3,
    triggerRightButtonDown = 4,
    triggerRightButtonUp = 5,
    triggerTimer = 6,
    triggerMouseEnter = 7,
    triggerMouseLeave = 8,
    triggerKeyDown = 9,
    triggerKeyUp = 10,
    triggerMotion = 11,
    triggerDragDrop = 12,
  };
  static constexpr int triggerCount = 13;

  struct TriggerEntry {
    DWORD flag;    // 1 << index
    UINT nameId;   // string-table id of the display name
    bool offered;  // the interaction list offers it (the timer and motion are never raised)
  };
  static const TriggerEntry s_triggers[triggerCount];

  // The triggers the interaction list offers, in the order it lists them.
  static constexpr int offeredTriggerCount = 11;
  static const int s_offeredTriggers[offeredTriggerCount];

  // The display name of a trigger index (0 to 12), read from the string table now;
  // empty for any other index.
  static CString TriggerDisplayName(int index);
  // The index (0 to 12) whose display name equals the text byte for byte, or -1.
  static int TriggerIndex(const CString& name);

  CHPEvent();
  // Copies carry every field, the carried ones included.
  CHPEvent(const CHPEvent& other) = default;
  CHPEvent& operator=(const CHPEvent& other) = default;
  CHPEvent(CHPEvent&& other) noexcept = default;
  CHPEvent& operator=(CHPEvent&& other) noexcept = default;
  ~CHPEvent() override = default;

  // The current record (objects of version 0x0101, and every object stored).
  void Serialize(CArchive& ar) override;
  // The old record: trigger, target, ability kind, three words, name and ability; the
  // fields after them keep what they hold.
  virtual void SerializeLegacy(CArchive& ar);

  // The record's fields in record order; the numbers are the items' positions in it.
  DWORD m_nTrigger = 0;                  // 1
  CString m_strObject;                   // 2: target object
  DWORD m_nReserved3 = 0;                // 3: the ability's kind when the event was set
  int m_nReserved4[3] = {0, 0, -1};      // 4
  CString m_strName;                     // 5
  CString m_strAbility;                  // 6: the target's action to drive
  int m_nReserved7 = 1;                  // 7
  int m_nKey = 13;                       // 8: key code the key triggers compare
  int m_nReserved9[2] = {0, 0};          // 9
  CString m_strReserved10[2];            // 10
  int m_nReserved11[3] = {0, 1, 0};      // 11
  CString m_strReserved12;               // 12
  CString m_strReserved13[2];            // 13
  int m_nReserved14[9] = {};             // 14
};
