#include "model/PropertyRows.h"

#include "model/DrawObj.h"
#include "propgrid/PropGrid.h"
#include "resources/ModelStrings.h"

namespace PropertyRows {

namespace {
// m_fillKind values the gradient box switches between.
constexpr int kFillPlain = 0;
constexpr int kFillLinearGradient = 4;
}  // namespace

CString Label(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

int Add(CPropGrid* grid, UINT label, int kind, const std::function<void(PropertyEntry&)>& fill) {
  PropertyEntry entry;
  entry.name = Label(label);
  entry.kind = kind;
  fill(entry);
  return grid->AddItem(&entry);
}

int AddText(CPropGrid* grid, UINT label, const CString& text) {
  return Add(grid, label, kPropText, [&](PropertyEntry& e) { e.text = text; });
}

int AddNumber(CPropGrid* grid, UINT label, int value, BOOL readOnly) {
  return Add(grid, label, kPropNumber, [&](PropertyEntry& e) {
    e.number = value;
    e.readOnly = readOnly;
  });
}

int AddReal(CPropGrid* grid, UINT label, double value) {
  return Add(grid, label, kPropReal, [&](PropertyEntry& e) { e.real = value; });
}

int AddFlag(CPropGrid* grid, UINT label, int value) {
  return Add(grid, label, kPropFlag, [&](PropertyEntry& e) { e.flag = value; });
}

int AddDropList(CPropGrid* grid, UINT label, const UINT* choices, int count, const CString& value) {
  return Add(grid, label, kPropDropList, [&](PropertyEntry& e) {
    for (int i = 0; i < count; ++i) e.choices.AddTail(Label(choices[i]));
    e.text = value;
  });
}

void ReadText(CPropGrid* grid, UINT label, CString& text) { grid->GetText(Label(label), &text); }
void ReadNumber(CPropGrid* grid, UINT label, int& value) { grid->GetNumber(Label(label), &value); }
void ReadReal(CPropGrid* grid, UINT label, double& value) { grid->GetReal(Label(label), &value); }
void ReadFlag(CPropGrid* grid, UINT label, int& flag) { grid->GetFlag(Label(label), &flag); }

int ReadChoice(CPropGrid* grid, UINT label, const UINT* choices, int count) {
  CString text;
  if (!grid->GetText(Label(label), &text)) return -1;
  for (int i = 0; i < count; ++i)
    if (Label(choices[i]) == text) return i;
  return -1;
}

BOOL NameRowEmpty(CPropGrid* grid) {
  CString name;
  grid->GetText(1, &name);
  return name.IsEmpty();
}

void ApplyGradientRow(CDrawObj& object, CPropGrid* grid) {
  ReadFlag(grid, IDS_ROW_GRADIENT_STYLE, object.m_gradientStyle);
  if (!object.m_gradientStyle)
    object.m_fillKind = kFillPlain;
  else if (object.m_fillKind == kFillPlain)
    object.m_fillKind = kFillLinearGradient;
}

void ListPictureRows(CDrawObj& object, CPropGrid* grid) {
  AddFlag(grid, IDS_ROW_PICTURE_FILL, object.m_pictureFill);
  AddFlag(grid, IDS_ROW_PICTURE_STRETCH, object.m_picturePlacement);
  Add(grid, IDS_ROW_PICTURE_FILE, kPropFile, [&](PropertyEntry& e) {
    e.text = object.m_pictureFile;
    e.extra = Label(IDS_PICTURE_FILTER);
    e.openFile = TRUE;
  });
}

void ApplyPictureRows(CDrawObj& object, CPropGrid* grid) {
  ReadFlag(grid, IDS_ROW_PICTURE_FILL, object.m_pictureFill);
  ReadFlag(grid, IDS_ROW_PICTURE_STRETCH, object.m_picturePlacement);
  if (!object.m_pictureFill) return;
  CString file = object.m_pictureFile;
  ReadText(grid, IDS_ROW_PICTURE_FILE, file);
  if (file != object.m_pictureFile) {
    // The old picture goes with its name: a file that cannot be read leaves the
    // object without a picture rather than showing the one it no longer names.
    object.SetPictureFile(file);
    object.LoadPicture(file);
  } else if (object.m_filled) {
    object.LoadPicture(file);
  }
  object.Invalidate();
}

}  // namespace PropertyRows
