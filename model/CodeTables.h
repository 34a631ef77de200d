// Translations between the codes stored in action and event records and the display
// names the property panel shows. Names are read from the string table at every call
// (nothing is cached) and compared whole, byte for byte, case-sensitive.
//
// These are the base tables every drawing object answers; the object's virtual
// operations of the same names call them, and kinds with more abilities replace them:
//   int     DataTypeFromName(const CString& name, int group);  // item 0..2, or -1
//   CString DataTypeName(int item, int group);                 // "" outside 0..2 / 0..3
//   CString ActionTypeName(DWORD type, int& index);            // index 0..8, or -1 and ""
//   int     ActionTypeFromName(const CString& name);           // index 0..8, or -1
//   CString TriggerName(DWORD flag, int& index);               // index without the timer
//   int     TriggerFromName(const CString& name);              // bit number 0..12, or -1
// A table of (code, string id) rows, looked up both ways by NameOf and IndexOf, serves
// the larger tables of the other object kinds.
#pragma once

#include "framework/core/String.h"

namespace CodeTables {

struct CodeName {
  DWORD code;
  UINT nameId;  // string-table id of the display name
};

// The name of the row whose code equals `code`, with its position in `index`; for no
// such row, index -1 and an empty name.
CString NameOf(const CodeName* table, int count, DWORD code, int& index);
// The position of the first row whose name equals `name`, or -1.
int IndexOf(const CodeName* table, int count, const CString& name);
// The code of the row at that position, or 0 outside the table.
DWORD CodeAt(const CodeName* table, int count, int index);

// Data types: four groups of three names (0 data or result type, 1 display mode,
// 2 calculation type, 3 set type); records store the item number.
int DataTypeFromName(const CString& name, int group);
CString DataTypeName(int item, int group);

// Action types of the base object: nine kinds, by their position in the action-type
// list. A combination of kinds, 0 or a kind of another object gives -1.
CString ActionTypeName(DWORD type, int& index);
int ActionTypeFromName(const CString& name);
// The kind at a position of that list, or 0.
DWORD ActionTypeAt(int index);
// The same for objects that take values (text objects): those nine, then set data (9),
// calculate (10) and display (11).
CString ValueActionTypeName(DWORD type, int& index);
int ValueActionTypeFromName(const CString& name);
// The kinds a text object's actions page offers: all but display, which no page offers.
DWORD ValueActionTypeAt(int index);

// Triggers. The name of a flag comes with an index that skips the timer (128 gives 6);
// the timer's own flag has no name. The reverse gives the bit number, the timer's name
// included (6), so the two directions are not inverse for the timer.
CString TriggerName(DWORD flag, int& index);
int TriggerFromName(const CString& name);

}  // namespace CodeTables
