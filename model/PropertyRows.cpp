#include "model/PropertyRows.h"

#include "model/DrawObj.h"
#include "resources/ModelStrings.h"

namespace {
// m_fillKind values the gradient box switches between.
constexpr int kFillPlain = 0;
constexpr int kFillLinearGradient = 4;
}  // namespace

int AddDropListRow(CPropGrid* grid, UINT label, const UINT* choices, int count, const CString& value) {
  return AddRow(grid, label, kPropDropList, [&](PropertyEntry& e) {
    for (int i = 0; i < count; ++i) e.choices.AddTail(LoadLabel(choices[i]));
    e.text = value;
  });
}

int ReadChoiceRow(CPropGrid* grid, UINT label, const UINT* choices, int count) {
  CString text;
  if (!grid->GetText(LoadLabel(label), &text)) return -1;
  for (int i = 0; i < count; ++i)
    if (LoadLabel(choices[i]) == text) return i;
  return -1;
}

BOOL NameRowEmpty(CPropGrid* grid) {
  CString name;
  grid->GetText(1, &name);
  return name.IsEmpty();
}

void ApplyGradientRow(CDrawObj& object, CPropGrid* grid) {
  ReadFlagRow(grid, IDS_ROW_GRADIENT_STYLE, object.m_gradientStyle);
  if (!object.m_gradientStyle)
    object.m_fillKind = kFillPlain;
  else if (object.m_fillKind == kFillPlain)
    object.m_fillKind = kFillLinearGradient;
}

void ListPictureRows(CDrawObj& object, CPropGrid* grid) {
  AddFlagRow(grid, IDS_ROW_PICTURE_FILL, object.m_pictureFill);
  AddFlagRow(grid, IDS_ROW_PICTURE_STRETCH, object.m_picturePlacement);
  AddRow(grid, IDS_ROW_PICTURE_FILE, kPropFile, [&](PropertyEntry& e) {
    e.text = object.m_pictureFile;
    e.extra = LoadLabel(IDS_PICTURE_FILTER);
    e.openFile = TRUE;
  });
}

void ApplyPictureRows(CDrawObj& object, CPropGrid* grid) {
  ReadFlagRow(grid, IDS_ROW_PICTURE_FILL, object.m_pictureFill);
  ReadFlagRow(grid, IDS_ROW_PICTURE_STRETCH, object.m_picturePlacement);
  if (!object.m_pictureFill) return;
  CString file = object.m_pictureFile;
  ReadTextRow(grid, IDS_ROW_PICTURE_FILE, file);
  if (file != object.m_pictureFile) {
    // The old picture goes with its name: a file that cannot be read leaves the
    // object without a picture rather than showing one it no longer names.
    object.SetPictureFile(file);
    object.LoadPicture(file);
  } else if (object.m_filled) {
    object.LoadPicture(file);
  }
  object.Invalidate();
}
