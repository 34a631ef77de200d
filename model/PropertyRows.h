// Building and reading the rows of a property grid: the drawing objects fill the
// panel's pages with them and read the edited rows back by their labels.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/core/String.h"
#include "propgrid/PropertyEntry.h"

class CDrawObj;
class CPropGrid;

namespace PropertyRows {

CString Label(UINT id);

// Each row starts from an entry of its own, so no choice, filter or read-only flag of
// one row leaks into the next. Returns the row's id.
int Add(CPropGrid* grid, UINT label, int kind, const std::function<void(PropertyEntry&)>& fill);
int AddText(CPropGrid* grid, UINT label, const CString& text);
int AddNumber(CPropGrid* grid, UINT label, int value, BOOL readOnly = FALSE);
int AddReal(CPropGrid* grid, UINT label, double value);
int AddFlag(CPropGrid* grid, UINT label, int value);
// A drop-down whose text can only be one of the choices (string ids).
int AddDropList(CPropGrid* grid, UINT label, const UINT* choices, int count, const CString& value);

// Each of these leaves the destination as it is when the grid has no row so labelled.
void ReadText(CPropGrid* grid, UINT label, CString& text);
void ReadNumber(CPropGrid* grid, UINT label, int& value);
void ReadReal(CPropGrid* grid, UINT label, double& value);
void ReadFlag(CPropGrid* grid, UINT label, int& flag);
// The position of the row's text among the string ids, or -1.
int ReadChoice(CPropGrid* grid, UINT label, const UINT* choices, int count);

// The general rows apply nothing when the name row was emptied: the base apply puts the
// old name back, so the kinds ask before it runs.
BOOL NameRowEmpty(CPropGrid* grid);

// "渐变风格": a cleared box drops the fill kind to plain, a set box over a plain fill
// makes it the linear gradient and keeps any other gradient.
void ApplyGradientRow(CDrawObj& object, CPropGrid* grid);

// "使用背景图", "拉伸背景图" and "文件名", shared by the shapes and the text.
void ListPictureRows(CDrawObj& object, CPropGrid* grid);
// Reads the flags; with a picture fill a new file name is stored and loaded, and the
// same name is loaded again when the object is filled.
void ApplyPictureRows(CDrawObj& object, CPropGrid* grid);

}  // namespace PropertyRows
