// Helpers of the page's and the objects' property rows: labels from the string table,
// rows added from a fresh entry, and values read back by label.
#pragma once

#include <functional>

#include "framework/core/String.h"
#include "propgrid/PropGrid.h"
#include "propgrid/PropertyEntry.h"

inline CString RowLabel(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// Each row starts from an entry of its own, so no choice list, filter or read-only flag
// of an earlier row reaches it. Returns the row's number.
inline int AddRow(CPropGrid* grid, UINT label, int kind, const std::function<void(PropertyEntry&)>& fill = {}) {
  PropertyEntry entry;
  entry.name = RowLabel(label);
  entry.kind = kind;
  if (fill) fill(entry);
  return grid->AddItem(&entry);
}

// Reads a row's value into the field; a row the grid does not hold leaves it unchanged.
inline void ReadNumberRow(CPropGrid* grid, UINT label, int& field) { grid->GetNumber(RowLabel(label), &field); }
inline void ReadFlagRow(CPropGrid* grid, UINT label, int& field) { grid->GetFlag(RowLabel(label), &field); }
inline void ReadTextRow(CPropGrid* grid, UINT label, CString& field) { grid->GetText(RowLabel(label), &field); }
