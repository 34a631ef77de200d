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
inline CString LoadLabel(UINT id) { return RowLabel(id); }

// Each row starts from an entry of its own, so no choice list, filter or read-only flag
// of an earlier row reaches it. Returns the row's number.
inline int AddRow(CPropGrid* grid, UINT label, int kind, const std::function<void(PropertyEntry&)>& fill = {}) {
  PropertyEntry entry;
  entry.name = RowLabel(label);
  entry.kind = kind;
  if (fill) fill(entry);
  return grid->AddItem(&entry);
}

// Repaints a grid that has a window (rows are also kept and read without one).
inline void RepaintGrid(CPropGrid* grid) {
  if (grid->GetSafeHwnd()) grid->Invalidate(TRUE);
}

// Reads a row's value into the field; a row the grid does not hold leaves it unchanged.
inline void ReadNumberRow(CPropGrid* grid, UINT label, int& field) { grid->GetNumber(RowLabel(label), &field); }
inline void ReadFlagRow(CPropGrid* grid, UINT label, int& field) { grid->GetFlag(RowLabel(label), &field); }
inline void ReadTextRow(CPropGrid* grid, UINT label, CString& field) { grid->GetText(RowLabel(label), &field); }
inline void ReadRealRow(CPropGrid* grid, UINT label, double& field) { grid->GetReal(RowLabel(label), &field); }

inline int AddTextRow(CPropGrid* grid, UINT label, const CString& text) {
  return AddRow(grid, label, kPropText, [&](PropertyEntry& e) { e.text = text; });
}
inline int AddNumberRow(CPropGrid* grid, UINT label, int value, BOOL readOnly = FALSE) {
  return AddRow(grid, label, kPropNumber, [&](PropertyEntry& e) {
    e.number = value;
    e.readOnly = readOnly;
  });
}
inline int AddRealRow(CPropGrid* grid, UINT label, double value) {
  return AddRow(grid, label, kPropReal, [&](PropertyEntry& e) { e.real = value; });
}
inline int AddFlagRow(CPropGrid* grid, UINT label, int value) {
  return AddRow(grid, label, kPropFlag, [&](PropertyEntry& e) { e.flag = value; });
}

// A drop-down whose text can only be one of the choices (string ids).
int AddDropListRow(CPropGrid* grid, UINT label, const UINT* choices, int count, const CString& value);
// The position of the row's text among the choices (string ids), or -1.
int ReadChoiceRow(CPropGrid* grid, UINT label, const UINT* choices, int count);

// The general rows apply nothing when the name row (row 1) was emptied: the base puts
// the old name back, so the kinds ask before it runs.
BOOL NameRowEmpty(CPropGrid* grid);

class CDrawObj;
// "渐变风格": a cleared box makes the fill plain, a set box over a plain fill makes it
// the linear gradient and keeps any other gradient.
void ApplyGradientRow(CDrawObj& object, CPropGrid* grid);
// "使用背景图", "拉伸背景图" and "文件名", shared by the shapes and the text.
void ListPictureRows(CDrawObj& object, CPropGrid* grid);
// Reads the flags; with a picture fill a new file name is stored and loaded, and the
// same name is loaded again when the object is filled.
void ApplyPictureRows(CDrawObj& object, CPropGrid* grid);
