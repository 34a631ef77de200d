#include "editor/panels/SVizColorWell.h"

#include <algorithm>
#include <vector>

#include "editor/panels/ColorSelectDlg.h"
#include "editor/panels/FillEffectsDlg.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Brush.h"
#include "framework/ui/DC.h"
#include "framework/ui/PaintDC.h"
#include "framework/ui/Pen.h"

namespace {

struct NamedColour {
  COLORREF colour;
  const char* name;
};

const NamedColour kTable[CSVizColorWell::kColours] = {
    {RGB(0, 0, 0), "Black"},
    {RGB(165, 42, 0), "Brown"},
    {RGB(0, 64, 64), "Dark Olive Green"},
    {RGB(0, 85, 0), "Dark Green"},
    {RGB(0, 0, 94), "Dark Teal"},
    {RGB(0, 0, 139), "Dark blue"},
    {RGB(75, 0, 130), "Indigo"},
    {RGB(40, 40, 40), "Dark grey"},
    {RGB(139, 0, 0), "Dark red"},
    {RGB(255, 104, 32), "Orange"},
    {RGB(139, 139, 0), "Dark yellow"},
    {RGB(0, 147, 0), "Green"},
    {RGB(56, 142, 142), "Teal"},
    {RGB(0, 0, 255), "Blue"},
    {RGB(123, 123, 192), "Blue-grey"},
    {RGB(102, 102, 102), "Grey - 40"},
    {RGB(255, 0, 0), "Red"},
    {RGB(255, 173, 91), "Light orange"},
    {RGB(50, 205, 50), "Lime"},
    {RGB(60, 179, 113), "Sea green"},
    {RGB(127, 255, 212), "Aqua"},
    {RGB(125, 158, 192), "Light blue"},
    {RGB(128, 0, 128), "Violet"},
    {RGB(127, 127, 127), "Grey - 50"},
    {RGB(255, 192, 203), "Pink"},
    {RGB(255, 215, 0), "Gold"},
    {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 255, 0), "Bright green"},
    {RGB(64, 224, 208), "Turquoise"},
    {RGB(192, 255, 255), "Skyblue"},
    {RGB(72, 0, 72), "Plum"},
    {RGB(192, 192, 192), "Light grey"},
    {RGB(255, 228, 225), "Rose"},
    {RGB(210, 180, 140), "Tan"},
    {RGB(255, 255, 224), "Light yellow"},
    {RGB(152, 251, 152), "Pale green "},
    {RGB(175, 238, 238), "Pale turquoise"},
    {RGB(104, 131, 139), "Pale blue"},
    {RGB(230, 230, 250), "Lavender"},
    {RGB(255, 255, 255), "White"},
};

constexpr COLORREF kAutomaticColour = 0xFF000000;

}  // namespace

CSVizColorWell::CSVizColorWell() { CSVizColorWell::SetDefaults(); }

COLORREF CSVizColorWell::TableColour(int index) {
  return index >= 0 && index < kColours ? kTable[index].colour : 0;
}

const char* CSVizColorWell::TableName(int index) { return index >= 0 && index < kColours ? kTable[index].name : ""; }

void CSVizColorWell::SetDefaults() {
  CSVizWellCtrl::SetDefaults();
  m_count = kColours;
  m_columns = 8;
  m_cellWidth = m_cellHeight = 18;
  m_palette.DeleteObject();
  std::vector<BYTE> block(sizeof(LOGPALETTE) + kColours * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = kColours;
  for (int i = 0; i < kColours; ++i)
    palette->palPalEntry[i] = {GetRValue(kTable[i].colour), GetGValue(kTable[i].colour), GetBValue(kTable[i].colour), 0};
  m_palette.CreatePalette(palette);
}

CString CSVizColorWell::GetCellTip(int index) { return TableName(index); }

BOOL CSVizColorWell::HasEntry(int index) const {
  const CString* text = EntryText(index);
  return text && !text->IsEmpty();
}

const CString* CSVizColorWell::EntryText(int index) const {
  switch (index) {
    case kMoreColours: return &m_moreColoursText;
    case kAutomatic: return &m_automaticText;
    case kFillEffects: return &m_fillEffectsText;
    case kTopEntry: return &m_topText;
    default: return nullptr;
  }
}

const RECT* CSVizColorWell::EntryRect(int index) const {
  switch (index) {
    case kMoreColours: return &m_moreColoursRect;
    case kAutomatic: return &m_automaticRect;
    case kFillEffects: return &m_fillEffectsRect;
    case kTopEntry: return &m_topRect;
    default: return nullptr;
  }
}

void CSVizColorWell::RecalcLayout() {
  m_columns = 8;
  m_rows = m_count / m_columns + (m_count % m_columns ? 1 : 0);
  const int m = m_margin;
  const int gridWidth = m_cellWidth * m_columns;
  const int gridHeight = m_cellHeight * m_rows;
  int entryWidth = 0;
  int entryHeight = 0;
  const bool anyText = HasEntry(kMoreColours) || HasEntry(kAutomatic) || HasEntry(kFillEffects) || HasEntry(kTopEntry);
  if (anyText) {
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, m_font.m_hObject ? m_font.m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
    for (int index = kMoreColours; index >= kTopEntry; --index) {
      if (!HasEntry(index)) continue;
      const CString& text = *EntryText(index);
      SIZE size = {};
      ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
      entryWidth = std::max<int>(entryWidth, size.cx + 2 * m);
      entryHeight = std::max<int>(entryHeight, size.cy + 4 * m);
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
  }
  const int innerWidth = std::max(gridWidth, entryWidth);
  int y = m;
  auto place = [&](int index, RECT& rect, int spaceAbove) {
    rect = {};
    if (!HasEntry(index)) return;
    y += spaceAbove;
    rect = {m, y, m + innerWidth, y + entryHeight};
    y += entryHeight + m;
  };
  place(kTopEntry, m_topRect, 0);
  place(kAutomatic, m_automaticRect, HasEntry(kTopEntry) ? m : 0);
  m_gridTop = y;
  y += gridHeight + m;
  place(kMoreColours, m_moreColoursRect, 0);
  place(kFillEffects, m_fillEffectsRect, 0);
  PlaceWindow(innerWidth + 2 * m, y);
}

BOOL CSVizColorWell::GetCellRect(int index, RECT* rect) {
  if (index < 0) {
    if (!HasEntry(index)) return FALSE;
    *rect = *EntryRect(index);
    return TRUE;
  }
  if (!CSVizWellCtrl::GetCellRect(index, rect)) return FALSE;
  ::OffsetRect(rect, 0, m_gridTop - m_margin);
  return TRUE;
}

int CSVizColorWell::HitTest(POINT point) {
  for (int index : {kTopEntry, kMoreColours, kAutomatic, kFillEffects})
    if (HasEntry(index) && ::PtInRect(EntryRect(index), point)) return index;
  return CSVizWellCtrl::HitTest(point);
}

void CSVizColorWell::SetChosen(int value) {
  const COLORREF colour = static_cast<COLORREF>(value);
  if (colour == kAutomaticColour && HasEntry(kAutomatic)) {
    m_chosen = kAutomatic;
    return;
  }
  for (int i = 0; i < kColours; ++i) {
    if (kTable[i].colour == colour) {
      m_chosen = i;
      return;
    }
  }
  m_chosen = HasEntry(kMoreColours) ? kMoreColours : -1;
}

void CSVizColorWell::SetCurSel(int index) {
  if (index >= m_count) index = kMoreColours;
  if (m_hWnd) {
    CDC dc(::GetDC(m_hWnd));
    const int old = m_current;
    m_current = -1;
    if ((old >= 0 && old < m_count) || HasEntry(old)) DrawCell(&dc, old);
    m_current = index;
    DrawCell(&dc, index);
    ::ReleaseDC(m_hWnd, dc.Detach());
  } else {
    m_current = index;
  }
  m_result = m_current;
  if (!m_owner) return;
  if (index == kMoreColours) {
    Notify(m_initialColour);
  } else if (index == kAutomatic) {
    m_resultColour = kAutomaticColour;
    Notify(m_resultColour);
  } else if (index >= 0) {
    m_resultColour = kTable[index].colour;
    Notify(m_resultColour);
  }
}

void CSVizColorWell::Notify(COLORREF colour) {
  m_owner->SendMessage(WellSelChangeMessage(), colour, ControlId());
}

int CSVizColorWell::KeyTarget(UINT key) {
  const bool more = HasEntry(kMoreColours);
  const bool automatic = HasEntry(kAutomatic);
  const int last = m_count - 1;
  const int current = m_current;
  if (current == -1 || current == kFillEffects || current == kTopEntry || current >= m_count) return 0;
  int row = 0, column = 0;
  if (current >= 0) RowColumnOf(current, row, column);
  switch (key) {
    case VK_DOWN:
      if (current == kMoreColours) return automatic ? kAutomatic : 0;
      if (current == kAutomatic) return 0;
      if (IndexOf(row + 1, column) >= 0) return IndexOf(row + 1, column);
      return more ? kMoreColours : automatic ? kAutomatic : 0;
    case VK_UP:
      if (current == kAutomatic) return more ? kMoreColours : last;
      if (current == kMoreColours) return last;
      if (row == 0) return automatic ? kAutomatic : more ? kMoreColours : last;
      return IndexOf(row - 1, column);
    case VK_RIGHT:
      if (current == kMoreColours) return automatic ? kAutomatic : 0;
      if (current == kAutomatic) return 0;
      if (current == last) return more ? kMoreColours : automatic ? kAutomatic : 0;
      return CSVizWellCtrl::KeyTarget(key);
    default:  // VK_LEFT
      if (current == kAutomatic) return more ? kMoreColours : last;
      if (current == kMoreColours) return last;
      if (current == 0) return automatic ? kAutomatic : more ? kMoreColours : last;
      return CSVizWellCtrl::KeyTarget(key);
  }
}

void CSVizColorWell::EndSelection(UINT message) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (!m_owner) {
    AfxMessageBox("CSVizColorWell::EndSelection");
    return;
  }
  auto* target = dynamic_cast<CColourWellTarget*>(m_owner);
  if (message == WellSelOkMessage()) {
    bool plain = true;
    switch (m_current) {
      case kMoreColours: {
        CColorSelectDlg dialog(m_initialColour, this);
        if (dialog.DoModal() == IDOK)
          m_resultColour = dialog.GetColor();
        else
          message = WellSelCancelMessage();
        break;
      }
      case kFillEffects: {
        plain = false;
        m_resultColour = m_initialColour;
        CFillEffectsDlg dialog(this);
        if (target) target->LoadFillEffect(dialog.m_effect);
        if (dialog.DoModal() != IDOK || !target || !target->TakeFillEffect(dialog.m_effect))
          message = WellSelCancelMessage();
        break;
      }
      case kTopEntry:
        if (target) target->TakeNoFill();
        plain = false;
        break;
      case kAutomatic:
        m_resultColour = m_defaultColour;
        break;
      default:
        if (m_current < 0) message = WellSelCancelMessage();
        break;
    }
    // A choice that became a cancel leaves the owner as it was.
    if (plain && target && message == WellSelOkMessage()) target->TakePlainColour(m_resultColour);
  }
  if (message == WellSelCancelMessage()) m_resultColour = m_initialColour;
  m_owner->SendMessage(message, m_resultColour, ControlId());
  EndWindow();
}

void CSVizColorWell::DrawEntry(CDC* dc, int index) {
  RECT rect = *EntryRect(index);
  const int m = m_margin;
  const bool current = index == m_current;
  const bool chosen = index == m_chosen;
  if (IsFlat()) {
    DrawCellFrame(dc, index, rect, 0);
  } else {
    if (index != kTopEntry) {
      dc->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
      const int left = rect.left + 2 * m;
      const int right = rect.right - 2 * m;
      dc->FillSolidRect(left, rect.top, right - left, 1, ::GetSysColor(COLOR_BTNSHADOW));
      dc->FillSolidRect(left, rect.top + 1, right - left, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
      if (index != kAutomatic) rect.top += 2 * m;
    }
    RECT inside = rect;
    ::InflateRect(&inside, -1, -1);
    const COLORREF chosenFill = index == kTopEntry ? RGB(200, 200, 200) : ::GetSysColor(COLOR_3DLIGHT);
    dc->FillSolidRect(&inside, chosen && !current ? chosenFill : ::GetSysColor(COLOR_BTNFACE));
    if (index == kAutomatic) {
      RECT frame = rect;
      ::InflateRect(&frame, -2 * m, -2 * m);
      CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
      dc->FrameRect(&frame, &shadow);
    }
    if (current) ::DrawEdge(*dc, &rect, BDR_RAISEDINNER, BF_RECT);
    if (chosen) ::DrawEdge(*dc, &rect, BDR_SUNKENOUTER, BF_RECT);
  }
  const int oldMode = ::SetBkMode(*dc, TRANSPARENT);
  HGDIOBJ oldFont = ::SelectObject(*dc, m_font.m_hObject ? m_font.m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
  const CString& text = *EntryText(index);
  ::DrawTextA(*dc, text, text.GetLength(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(*dc, oldFont);
  ::SetBkMode(*dc, oldMode);
}

void CSVizColorWell::DrawCell(CDC* dc, int index) {
  if (index < 0) {
    if (HasEntry(index)) DrawEntry(dc, index);
    return;
  }
  RECT rect;
  if (!GetCellRect(index, &rect)) return;
  DrawCellFrame(dc, index, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  ::InflateRect(&rect, -(m_margin + 1), -(m_margin + 1));
  HPALETTE oldPalette = nullptr;
  if ((::GetDeviceCaps(*dc, RASTERCAPS) & RC_PALETTE) && m_palette.m_hObject) {
    oldPalette = ::SelectPalette(*dc, m_palette, FALSE);
    ::RealizePalette(*dc);
  }
  const COLORREF colour = kTable[index].colour;
  CBrush brush(PALETTERGB(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
  CPen outline(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ oldBrush = ::SelectObject(*dc, brush.m_hObject);
  HGDIOBJ oldPen = ::SelectObject(*dc, outline.m_hObject);
  ::Rectangle(*dc, rect.left, rect.top, rect.right, rect.bottom);
  ::SelectObject(*dc, oldPen);
  ::SelectObject(*dc, oldBrush);
  if (oldPalette) ::SelectPalette(*dc, oldPalette, FALSE);
}

void CSVizColorWell::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  if (IsFlat()) {
    dc.FillSolidRect(&client, RGB(50, 50, 50));
    ::InflateRect(&client, -1, -1);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
  } else {
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    ::DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  }
  for (int index : {kTopEntry, kAutomatic}) DrawCell(&dc, index);
  for (int index = 0; index < m_count; ++index) DrawCell(&dc, index);
  for (int index : {kFillEffects, kMoreColours}) DrawCell(&dc, index);
}

BOOL CSVizColorWell::OnQueryNewPalette() {
  Invalidate();
  return TRUE;
}

void CSVizColorWell::OnPaletteChanged(CWnd* pFocusWnd) {
  if (!pFocusWnd || pFocusWnd->m_hWnd != m_hWnd) Invalidate();
}
