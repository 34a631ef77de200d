// CDrawDoc's rows in the property panel: the page's appearance, its entry transition
// and a blank page trigger, and taking the edited rows back.
#include "model/DrawDoc.h"

#include <iterator>

#include "framework/core/MessageBox.h"
#include "graphics/ImageHelpers.h"
#include "graphics/Picture.h"
#include "model/DrawHost.h"
#include "model/PropertyRows.h"
#include "propgrid/PropGrid.h"
#include "resources/ModelStrings.h"

namespace {

constexpr const char* kTransitionNames[] = {"常规",     "扫描显示", "移动显示", "百叶窗",  "栅条显示",
                                            "马赛克显示", "图形渐铺", "拉伸显示", "渐消渐隐"};
constexpr int kTransitionKinds = static_cast<int>(std::size(kTransitionNames));

constexpr const char* kSweepDirections[] = {"向下",     "向上",     "向右",         "向左",
                                            "上下向中", "左右向中", "垂直交叉移动", "水平交叉移动"};
constexpr const char* kBlindDirections[] = {"垂直百叶窗", "水平百叶窗"};
constexpr const char* kBarDirections[] = {"垂直栅条", "水平栅条"};
constexpr const char* kShapeDirections[] = {"菱形向外", "菱形向内", "圆形向外", "圆形向内",
                                            "椭圆向外", "椭圆向内", "十字向外", "十字向内"};
constexpr const char* kStretchDirections[] = {"向下", "向上", "向右", "向左", "上下拉伸", "左右拉伸", "放大拉伸"};

struct DirectionList {
  const char* const* names;
  int count;
};

template <size_t N>
constexpr DirectionList Directions(const char* const (&names)[N]) {
  return {names, static_cast<int>(N)};
}

// The direction list of a transition kind (empty for kinds without directions).
DirectionList DirectionsOf(int kind) {
  switch (kind) {
    case 1:
    case 2: return Directions(kSweepDirections);
    case 3: return Directions(kBlindDirections);
    case 4: return Directions(kBarDirections);
    case 6: return Directions(kShapeDirections);
    case 7: return Directions(kStretchDirections);
    default: return {nullptr, 0};
  }
}

// The page name a title or a typed name stands for: lower-cased, without ".rvx".
CString PageNameOf(CString name) {
  name.MakeLower();
  if (name.GetLength() >= 4 && name.Right(4) == ".rvx") name = name.Left(name.GetLength() - 4);
  return name;
}

int FlagOf(CPropGrid* grid, UINT label, int current) {
  int flag = current;
  grid->GetFlag(LoadLabel(label), &flag);
  return flag;
}

}  // namespace

void CDrawDoc::ListPage(CPropGrid* grid) {
  m_pageName = PageNameOf(GetTitle());
  AddRow(grid, IDS_ROW_PAGE_NAME, kPropText, [this](PropertyEntry& e) { e.text = m_pageName; });
  AddRow(grid, IDS_ROW_WIDTH, kPropNumber2, [this](PropertyEntry& e) { e.number2 = m_pageSize.cx; });
  AddRow(grid, IDS_ROW_HEIGHT, kPropNumber2, [this](PropertyEntry& e) { e.number2 = m_pageSize.cy; });
  AddRow(grid, IDS_ROW_BACK_COLOUR, kPropColour, [this](PropertyEntry& e) { e.colour = m_backColour; });
  AddRow(grid, IDS_ROW_CURTAIN_COLOUR, kPropColour, [this](PropertyEntry& e) { e.colour = m_curtainColour; });
  AddRow(grid, IDS_ROW_USE_BACK_PICTURE, kPropFlag, [this](PropertyEntry& e) { e.flag = m_useBackPicture; });
  AddRow(grid, IDS_ROW_FILE_NAME, kPropFile, [this](PropertyEntry& e) {
    e.text = m_backPictureFile;
    e.extra = LoadLabel(IDS_PICTURE_FILTER);
    e.openFile = TRUE;
  });
  AddRow(grid, IDS_ROW_STRETCH_BACK_PICTURE, kPropFlag, [this](PropertyEntry& e) { e.flag = m_stretchBackPicture; });
}

void CDrawDoc::ListTransition(CPropGrid* grid, int kind) {
  int directionKind = kind;
  if (kind < 0) {
    AddRow(grid, IDS_ROW_ACTION_TYPE, kPropDropList, [this](PropertyEntry& e) {
      for (const char* name : kTransitionNames) e.choices.AddTail(name);
      if (m_transitionKind >= 0 && m_transitionKind < kTransitionKinds) e.text = kTransitionNames[m_transitionKind];
    });
    AddRow(grid, IDS_ROW_DELAY, kPropNumber, [this](PropertyEntry& e) { e.number = m_transitionDelay; });
    directionKind = m_transitionKind;
  } else {
    m_transitionDirection = 0;
  }
  const DirectionList directions = DirectionsOf(directionKind);
  AddRow(grid, IDS_ROW_DIRECTION, kPropDropList, [this, &directions](PropertyEntry& e) {
    for (int i = 0; i < directions.count; ++i) e.choices.AddTail(directions.names[i]);
    if (m_transitionDirection >= 0 && m_transitionDirection < directions.count)
      e.text = directions.names[m_transitionDirection];
  });
}

void CDrawDoc::ListTriggers(CPropGrid* grid) {
  AddRow(grid, IDS_ROW_TRIGGER, kPropDropList, [](PropertyEntry& e) {
    for (UINT id = IDS_TRIGGER_LEFT_DOWN; id <= IDS_TRIGGER_RIGHT_UP; ++id) e.choices.AddTail(LoadLabel(id));
    e.text = LoadLabel(IDS_TRIGGER_LEFT_DOWN);
  });
  AddRow(grid, IDS_ROW_TRIGGERED_OBJECT, kPropText, [](PropertyEntry&) {});
  AddRow(grid, IDS_ROW_TRIGGERED_ACTION, kPropText, [](PropertyEntry&) {});
}

void CDrawDoc::ApplyPage(CPropGrid* grid) {
  CString typed;
  grid->GetText(LoadLabel(IDS_ROW_PAGE_NAME), &typed);
  if (typed.IsEmpty()) {
    grid->SetText(LoadLabel(IDS_ROW_PAGE_NAME), m_pageName);
    return;
  }
  const CString name = PageNameOf(typed);
  const CString path = GetPathName();
  if (path.IsEmpty()) {
    SetTitle(name);
  } else {
    // The next save writes the new file; the old one stays where it is.
    const int slash = path.ReverseFind('\\');
    SetPathName(path.Left(slash + 1) + name + ".rvx", TRUE);
  }

  int width = m_pageSize.cx;
  int height = m_pageSize.cy;
  grid->GetNumber2(LoadLabel(IDS_ROW_WIDTH), &width);
  grid->GetNumber2(LoadLabel(IDS_ROW_HEIGHT), &height);
  if (!SetPageSize(width, height)) {
    CString message;
    message.Format(IDS_PAGE_SIZE_RANGE, kMinPageWidth, m_screenSize.cx, kMinPageHeight, m_screenSize.cy);
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    return;
  }

  int colour = static_cast<int>(m_backColour);
  grid->GetColour(LoadLabel(IDS_ROW_BACK_COLOUR), &colour);
  m_backColour = static_cast<COLORREF>(colour);
  colour = static_cast<int>(m_curtainColour);
  grid->GetColour(LoadLabel(IDS_ROW_CURTAIN_COLOUR), &colour);
  m_curtainColour = static_cast<COLORREF>(colour);
  m_useBackPicture = FlagOf(grid, IDS_ROW_USE_BACK_PICTURE, m_useBackPicture);

  CString file = m_backPictureFile;
  grid->GetText(LoadLabel(IDS_ROW_FILE_NAME), &file);
  file.MakeLower();
  CString current = m_backPictureFile;
  current.MakeLower();
  if (file != current) {
    m_backPictureFile = file;
    delete m_backPicture;
    m_backPicture = LoadImageFile(file, TRUE).release();
  }
  m_stretchBackPicture = FlagOf(grid, IDS_ROW_STRETCH_BACK_PICTURE, m_stretchBackPicture);

  SetPageModified(TRUE);
  UpdateAllViews(nullptr);
  if (CDrawHost* host = GetDrawHost()) host->SelectObject(nullptr, FALSE);
}

void CDrawDoc::ApplyTransition(CPropGrid* grid, int) {
  CString text;
  if (grid->GetText(LoadLabel(IDS_ROW_ACTION_TYPE), &text)) {
    for (int k = 0; k < kTransitionKinds; ++k) {
      if (text != kTransitionNames[k]) continue;
      m_transitionKind = k;
      m_transitionPending = k != 0;
      break;
    }
  }
  if (grid->GetText(LoadLabel(IDS_ROW_DIRECTION), &text)) {
    const DirectionList directions = DirectionsOf(m_transitionKind);
    if (m_transitionKind == 5 || m_transitionKind == 8) m_transitionDirection = 0;
    for (int d = 0; d < directions.count; ++d)
      if (text == directions.names[d]) m_transitionDirection = d;
  }
  int delay = m_transitionDelay;
  if (grid->GetNumber(LoadLabel(IDS_ROW_DELAY), &delay)) {
    if (delay < 0) {
      delay = 0;
      grid->SetNumber(LoadLabel(IDS_ROW_DELAY), 0);
    }
    m_transitionDelay = delay;
  }
}
