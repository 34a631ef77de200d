// PropertyEntry: the description of one row of a property grid, built on the stack by
// whoever lists properties (the page, the drawing objects) and copied by the grid.
#pragma once

#include <windows.h>

#include "framework/core/String.h"
#include "framework/core/StringList.h"

// Row kinds: what a row's value is and how it is edited in place.
enum PropertyKind {
  kPropText = 1,       // text: edit box
  kPropNumber2 = 2,    // number2: edit box with digits
  kPropNumber = 3,     // number: edit box with digits
  kPropFont = 4,       // font and colour: font dialog
  kPropColour = 5,     // colour: colour dialog
  kPropFile = 6,       // text, a file path: edit box and file dialog
  kPropChoice = 7,     // text and selected index: drop-down
  kPropReal = 8,       // real: edit box with 17 significant digits
  kPropFlag = 10,      // flag: toggled by a click
  kPropPoint = 11,     // text: read-only edit box and the pick button
  kPropDropList = 12,  // text and selected index: drop-down opened at once
};

struct PropertyEntry {
  CString name;  // the label, and the key for access by name (byte for byte)
  int kind = 0;
  int tag = 0;  // kept with the row and given back unchanged
  CString text;
  int number = 0;
  int number2 = 0;
  double real = 0.0;
  CStringList choices{10};
  BOOL editable = FALSE;  // kinds 7 and 12: the drop-down's text may be typed
  CString extra;          // kind 6: the file dialog's filter ("name|pattern|...||")
  BOOL openFile = FALSE;  // kind 6: an open (not a save) dialog
  BOOL flag = FALSE;
  LOGFONTA font = {};
  COLORREF colour = 0;
  BOOL readOnly = FALSE;  // the in-place edit box is read-only

  PropertyEntry() = default;
  PropertyEntry(const PropertyEntry&) = delete;
  PropertyEntry& operator=(const PropertyEntry&) = delete;
};
