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
inline void ReadRealRow(CPropGrid* grid, UINT label, double& field) { grid->GetReal(LoadLabel(label), &field); }

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
