#include "model/CodeTables.h"

#include "model/HPEvent.h"
#include "model/Method.h"
#include "resources/ModelStrings.h"

namespace CodeTables {

namespace {

constexpr int kDataGroups = 4;
constexpr int kDataItems = 3;
const UINT kDataTypes[kDataGroups][kDataItems] = {
    {IDS_DATA_INTEGER, IDS_DATA_DECIMAL, IDS_DATA_TEXT},
    {IDS_DISPLAY_TEXT_NUMBER, IDS_DISPLAY_RIGHT_WRONG, IDS_DISPLAY_VOICE},
    {IDS_CALC_EXPRESSION, IDS_CALC_FORMULA, IDS_CALC_OPERATION},
    {IDS_SET_ASSIGN, IDS_SET_INPUT, IDS_SET_RESET},
};

const CodeName kActionTypes[] = {
    {CMethod::typeTranslate, IDS_ACTION_TRANSLATE},
    {CMethod::typeRotate, IDS_ACTION_ROTATE},
    {CMethod::typeEffect, IDS_ACTION_EFFECT},
    {CMethod::typePageSwitch, IDS_ACTION_PAGE_SWITCH},
    {CMethod::typeShowHide, IDS_ACTION_SHOW_HIDE},
    {CMethod::typeLayer, IDS_ACTION_LAYER},
    {CMethod::typeExit, IDS_ACTION_EXIT},
    {CMethod::typeRunProgram, IDS_ACTION_RUN_PROGRAM},
    {CMethod::typeControlPoint, IDS_ACTION_CONTROL_POINT},
    {CMethod::typeSetData, IDS_ACTION_SET_DATA},
    {CMethod::typeCalculate, IDS_ACTION_CALCULATE},
    {CMethod::typeDisplay, IDS_ACTION_DISPLAY},
};
// Every object has the first nine kinds; objects that take values all twelve.
constexpr int kBaseActionTypeCount = 9;
constexpr int kValueActionTypeCount = sizeof kActionTypes / sizeof kActionTypes[0];

// The flags that have a name, in the order that gives their index: the timer is left
// out, so every trigger after it comes one place early.
const CodeName kNamedTriggers[] = {
    {0x1, IDS_TRIGGER_LEFT_DOWN},    {0x2, IDS_TRIGGER_LEFT_UP},
    {0x4, IDS_TRIGGER_DOUBLE_CLICK}, {0x8, IDS_TRIGGER_MOUSE_MOVE},
    {0x10, IDS_TRIGGER_RIGHT_DOWN},  {0x20, IDS_TRIGGER_RIGHT_UP},
    {0x80, IDS_TRIGGER_MOUSE_ENTER}, {0x100, IDS_TRIGGER_MOUSE_LEAVE},
    {0x200, IDS_TRIGGER_KEY_DOWN},   {0x400, IDS_TRIGGER_KEY_UP},
    {0x800, IDS_TRIGGER_MOTION},     {0x1000, IDS_TRIGGER_DRAG_DROP},
};
constexpr int kNamedTriggerCount = sizeof kNamedTriggers / sizeof kNamedTriggers[0];

CString Load(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// A text that is missing from the string table matches nothing, not the empty name.
bool NameIs(UINT id, const CString& name) {
  CString text;
  return text.LoadString(id) && text == name;
}

}  // namespace

CString NameOf(const CodeName* table, int count, DWORD code, int& index) {
  index = -1;
  for (int i = 0; i < count; ++i) {
    if (table[i].code == code) {
      index = i;
      return Load(table[i].nameId);
    }
  }
  return CString();
}

int IndexOf(const CodeName* table, int count, const CString& name) {
  for (int i = 0; i < count; ++i) {
    if (NameIs(table[i].nameId, name)) return i;
  }
  return -1;
}

DWORD CodeAt(const CodeName* table, int count, int index) {
  return index >= 0 && index < count ? table[index].code : 0;
}

int DataTypeFromName(const CString& name, int group) {
  if (group < 0 || group >= kDataGroups) return -1;
  for (int item = 0; item < kDataItems; ++item) {
    if (NameIs(kDataTypes[group][item], name)) return item;
  }
  return -1;
}

CString DataTypeName(int item, int group) {
  if (group < 0 || group >= kDataGroups || item < 0 || item >= kDataItems) return CString();
  return Load(kDataTypes[group][item]);
}

CString ActionTypeName(DWORD type, int& index) {
  return NameOf(kActionTypes, kBaseActionTypeCount, type, index);
}

int ActionTypeFromName(const CString& name) {
  return IndexOf(kActionTypes, kBaseActionTypeCount, name);
}

DWORD ActionTypeAt(int index) { return CodeAt(kActionTypes, kBaseActionTypeCount, index); }

CString ValueActionTypeName(DWORD type, int& index) {
  return NameOf(kActionTypes, kValueActionTypeCount, type, index);
}

int ValueActionTypeFromName(const CString& name) {
  return IndexOf(kActionTypes, kValueActionTypeCount, name);
}

DWORD ValueActionTypeAt(int index) {
  const DWORD code = CodeAt(kActionTypes, kValueActionTypeCount, index);
  return code == CMethod::typeDisplay ? 0 : code;
}

CString TriggerName(DWORD flag, int& index) {
  return NameOf(kNamedTriggers, kNamedTriggerCount, flag, index);
}

int TriggerFromName(const CString& name) { return CHPEvent::TriggerIndex(name); }

}  // namespace CodeTables
