// Reading a property grid back in tests: its labels in row order, a drop-down's
// choices, and row values by label or by row number (a missing row gives the marker
// values below).
#pragma once

#include <vector>

#include "propgrid/PropGrid.h"
#include "propgrid/PropGridItem.h"

inline std::vector<CString> RowNames(const CPropGrid& grid) {
  std::vector<CString> names;
  for (POSITION pos = grid.GetHeadPosition(); pos;) names.push_back(grid.GetNext(pos)->GetName());
  return names;
}

inline std::vector<CString> RowChoices(CPropGrid& grid, const char* name) {
  PropertyEntry entry;
  std::vector<CString> out;
  if (CPropGridItem* item = grid.FindItem(CString(name))) {
    item->GetEntry(&entry, -2);
    for (POSITION pos = entry.choices.GetHeadPosition(); pos;) out.push_back(entry.choices.GetNext(pos));
  }
  return out;
}

inline std::vector<CString> RowChoices(CPropGrid& grid, int row) {
  PropertyEntry entry;
  std::vector<CString> out;
  if (grid.GetEntry(row, &entry, -2))
    for (POSITION pos = entry.choices.GetHeadPosition(); pos;) out.push_back(entry.choices.GetNext(pos));
  return out;
}

inline CString RowText(CPropGrid& grid, int row) {
  CString text;
  grid.GetText(row, &text);
  return text;
}

inline CString RowText(CPropGrid& grid, const char* name) {
  CString text = "<missing>";
  grid.GetText(CString(name), &text);
  return text;
}

inline int RowNumber(CPropGrid& grid, const char* name) {
  int value = -12345;
  grid.GetNumber(CString(name), &value);
  return value;
}

inline int RowFlag(CPropGrid& grid, const char* name) {
  int value = -1;
  grid.GetFlag(CString(name), &value);
  return value;
}

inline double RowReal(CPropGrid& grid, const char* name) {
  double value = -12345.0;
  grid.GetReal(CString(name), &value);
  return value;
}
