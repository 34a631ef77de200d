// Helpers of the page's and the objects' rows in the property panel: a row's label from
// the string table, a row added from a fresh entry, values read back by label, and the
// repaint after a change.
#pragma once

#include <functional>

#include "propgrid/PropGrid.h"

// The text of a string-table entry (a row's label or a message).
inline CString LoadLabel(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// Adds a row labelled by the string `label`: every row starts from an empty entry, so
// nothing of one row (choices, filters, the read-only flag) carries into the next.
inline int AddRow(CPropGrid* grid, UINT label, int kind, const std::function<void(PropertyEntry&)>& fill = {}) {
  PropertyEntry entry;
  entry.name = LoadLabel(label);
  entry.kind = kind;
  if (fill) fill(entry);
  return grid->AddItem(&entry);
}

// Reads a row's value into the field; a row the grid does not hold leaves it unchanged.
inline void ReadNumberRow(CPropGrid* grid, UINT label, int& field) { grid->GetNumber(LoadLabel(label), &field); }
inline void ReadFlagRow(CPropGrid* grid, UINT label, int& field) { grid->GetFlag(LoadLabel(label), &field); }
inline void ReadTextRow(CPropGrid* grid, UINT label, CString& field) { grid->GetText(LoadLabel(label), &field); }

// Repaints a grid that has a window (rows are also kept and read without one).
inline void RepaintGrid(CPropGrid* grid) {
  if (grid->GetSafeHwnd()) grid->Invalidate(TRUE);
}
