#include "propgrid/PropGridItem.h"

#include <climits>
#include <cmath>
#include <cstdlib>

#include "framework/ui/ClientDC.h"
#include "framework/ui/ColorDialog.h"
#include "framework/ui/DC.h"
#include "framework/ui/Edit.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/Font.h"
#include "framework/ui/FontDialog.h"
#include "propgrid/NotifyCombo.h"
#include "propgrid/PropGrid.h"
#include "resources/ModelStrings.h"

IMPLEMENT_DYNAMIC(CPropGridItem, CObject)

namespace {

constexpr COLORREF kSplitColour = RGB(0xC0, 0xC0, 0xC0);

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// Decimal digits as the runtime reads them, clamped to 32 bits; anything else reads 0.
int ParseInt(const CString& text) {
  const long long value = std::strtoll(text, nullptr, 10);
  return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

void FillSolid(CDC* dc, const CRect& rect, COLORREF colour) {
  HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc->m_hDC, &rect, brush);
  ::DeleteObject(brush);
}

void DrawClippedText(CDC* dc, int x, int y, const CRect& clip, const CString& text) {
  ::ExtTextOutA(dc->m_hDC, x, y, ETO_CLIPPED, &clip, text, static_cast<UINT>(text.GetLength()), nullptr);
}

}  // namespace

void AppendStrings(CStringList& to, const CStringList& from) {
  for (POSITION pos = from.GetHeadPosition(); pos;) to.AddTail(from.GetNext(pos));
}

CPropGridItem::FontScope::FontScope(CDC* dc, const LOGFONTA& logFont) : m_dc(dc) {
  m_font.CreatePointFontIndirect(&logFont, dc);
  m_old = ::SelectObject(dc->m_hDC, m_font.GetSafeHandle());
}

CPropGridItem::FontScope::~FontScope() { ::SelectObject(m_dc->m_hDC, m_old); }

CPropGridItem::CPropGridItem() {
  m_displayFont.lfHeight = 90;
  m_displayFont.lfWeight = FW_NORMAL;
  m_displayFont.lfQuality = PROOF_QUALITY;
  lstrcpynA(m_displayFont.lfFaceName, LoadText(IDS_DEFAULT_FONT_FACE), LF_FACESIZE);
}

CPropGridItem::~CPropGridItem() { CloseEditor(); }

void CPropGridItem::OnPickButton() {}

BOOL CPropGridItem::GetEntry(PropertyEntry* entry, int mode) {
  entry->name = m_name;
  entry->kind = m_kind;
  entry->tag = m_tag;
  entry->flag = m_flag;
  entry->colour = m_colour;
  entry->number2 = m_number2;
  entry->number = m_number;
  entry->real = m_real;
  entry->editable = m_editable;
  entry->font = m_font;
  entry->extra = m_extra;
  entry->openFile = m_openFile;
  if (mode == -3) {
    m_choices.RemoveAll();
  } else if (mode == -2) {
    AppendStrings(entry->choices, m_choices);
  } else if (mode >= 0 && mode < m_choices.GetCount()) {
    POSITION pos = m_choices.GetHeadPosition();
    for (int i = 0; i < mode; ++i) m_choices.GetNext(pos);
    m_choices.RemoveAt(pos);
    m_text = m_choices.IsEmpty() ? CString() : m_choices.GetHead();
  }
  entry->text = m_text;
  return TRUE;
}

BOOL CPropGridItem::SetEntry(const PropertyEntry* entry, int mode) {
  m_name = entry->name;
  m_kind = entry->kind;
  m_tag = entry->tag;
  m_readOnly = entry->readOnly;
  m_text = entry->text;
  m_number2 = entry->number2;
  m_number = entry->number;
  m_real = entry->real;
  m_font = entry->font;
  m_colour = entry->colour;
  m_extra = entry->extra;
  m_openFile = entry->openFile;
  m_editable = entry->editable;
  m_flag = entry->flag;
  if (mode == -2) {
    m_choices.RemoveAll();
    AppendStrings(m_choices, entry->choices);
  } else if (mode == -1) {
    AppendStrings(m_choices, entry->choices);
  } else if (mode >= 0 && mode < m_choices.GetCount()) {
    POSITION pos = m_choices.GetHeadPosition();
    for (int i = 0; i < mode; ++i) m_choices.GetNext(pos);
    m_choices.RemoveAt(pos);
  }
  return TRUE;
}

CString CPropGridItem::ValueText() const {
  CString value;
  switch (m_kind) {
    case kPropText:
    case kPropFile:
    case kPropChoice:
    case kPropPoint:
    case kPropDropList:
      return m_text;
    case kPropNumber2:
      value.Format("%d", m_number2);
      return value;
    case kPropNumber:
      value.Format("%d", m_number);
      return value;
    case kPropReal: {
      char digits[64] = {};
      _gcvt(m_real, 17, digits);
      return digits;
    }
    case kPropFlag:
      return LoadText(m_flag ? IDS_GRID_YES : IDS_GRID_NO);
    case kPropFont:
      return m_font.lfFaceName;
    default:
      return value;
  }
}

// ---------------------------------------------------------------------------------
// Drawing

int CPropGridItem::DrawName(CDC* dc, int nameY) {
  const CRect& row = m_rowRect;
  const int split = static_cast<int>((row.left + row.right) * 0.35);
  ::SetBkMode(dc->m_hDC, TRANSPARENT);
  FillSolid(dc, CRect(row.left, row.top + 1, row.right - 15, row.bottom), RGB(255, 255, 255));
  ::SetTextColor(dc->m_hDC, m_textColour);
  ::SetBkColor(dc->m_hDC, m_backColour);
  DrawClippedText(dc, row.left + 2, nameY, CRect(row.left + 2, row.top + 1, split, row.bottom), m_name);
  return split;
}

void CPropGridItem::DrawSplitLine(CDC* dc, int split) {
  HPEN pen = ::CreatePen(PS_SOLID, 1, kSplitColour);
  HGDIOBJ old = ::SelectObject(dc->m_hDC, pen);
  ::MoveToEx(dc->m_hDC, split, m_rowRect.top, nullptr);
  ::LineTo(dc->m_hDC, split, m_rowRect.bottom);
  ::SelectObject(dc->m_hDC, old);
  ::DeleteObject(pen);
}

void CPropGridItem::DrawButton(CDC* dc, const CRect& button, const char* caption, CPoint at, bool pressed) {
  FillSolid(dc, button, ::GetSysColor(COLOR_BTNFACE));
  const COLORREF light = pressed ? RGB(0, 0, 0) : RGB(255, 255, 255);
  const COLORREF dark = pressed ? RGB(255, 255, 255) : RGB(0, 0, 0);
  HPEN lightPen = ::CreatePen(PS_SOLID, 1, light);
  HPEN darkPen = ::CreatePen(PS_SOLID, 1, dark);
  HGDIOBJ old = ::SelectObject(dc->m_hDC, lightPen);
  ::MoveToEx(dc->m_hDC, button.left, button.bottom - 1, nullptr);
  ::LineTo(dc->m_hDC, button.left, button.top);
  ::LineTo(dc->m_hDC, button.right - 1, button.top);
  ::SelectObject(dc->m_hDC, darkPen);
  ::LineTo(dc->m_hDC, button.right - 1, button.bottom - 1);
  ::LineTo(dc->m_hDC, button.left, button.bottom - 1);
  ::SelectObject(dc->m_hDC, old);
  ::DeleteObject(lightPen);
  ::DeleteObject(darkPen);
  LOGFONTA small = {};
  small.lfHeight = 70;
  small.lfWeight = FW_NORMAL;
  lstrcpynA(small.lfFaceName, LoadText(IDS_DEFAULT_FONT_FACE), LF_FACESIZE);
  FontScope font(dc, small);
  ::SetTextColor(dc->m_hDC, RGB(0, 0, 0));
  DrawClippedText(dc, at.x, at.y, button, caption);
}

void CPropGridItem::DrawValueText(CDC* dc, const CRect& clip) {
  ::SetTextColor(dc->m_hDC, m_textColour);
  DrawClippedText(dc, m_valueRect.left + 2, m_valueRect.top + 3, clip, ValueText());
}

void CPropGridItem::Draw(CDC* dc) {
  FontScope font(dc, m_displayFont);
  const CRect& row = m_rowRect;
  const int split = DrawName(dc, row.top + 4);
  const bool button = HasButton(m_kind);
  m_valueRect.SetRect(split, row.top + 1, row.right - (button ? 30 : 15), row.bottom);
  m_buttonRect = button ? CRect(row.right - 30, row.top + 1, row.right - 15, row.bottom) : CRect();
  if (m_kind == kPropColour)
    FillSolid(dc, m_valueRect, m_colour);
  else
    DrawValueText(dc, m_valueRect);
  DrawSplitLine(dc, split);
  if (button) DrawButton(dc, m_buttonRect, "...", CPoint(row.right - 28, row.top + 2), false);
}

void CPropGridItem::Redraw() {
  if (!m_grid || !m_grid->m_hWnd) return;
  CClientDC dc(m_grid);
  Draw(&dc);
}

// ---------------------------------------------------------------------------------
// Editing

void CPropGridItem::NotifyPanel(bool send) {
  if (!m_grid) return;
  HWND panel = m_grid->GetPanelWindow();
  if (send)
    ::SendMessageA(panel, kRowChangedMessage, 0, 0);
  else
    ::PostMessageA(panel, kRowChangedMessage, 0, 0);
}

int CPropGridItem::OnClick(int x, int y) {
  CloseEditor();
  if (!m_visible || !m_grid) return 0;
  const CPoint point(x, y);
  if (m_valueRect.PtInRect(point)) {
    switch (m_kind) {
      case kPropText:
      case kPropNumber2:
      case kPropNumber:
      case kPropFile:
      case kPropReal:
      case kPropPoint:
        OpenEdit();
        break;
      case kPropChoice:
      case kPropDropList:
        OpenDropDown();
        break;
      case kPropFlag:
        m_flag = m_flag ? FALSE : TRUE;
        Redraw();
        break;
      default:
        break;
    }
    NotifyPanel(false);
    if (m_editor) {
      m_editor->SetFocus();
      if (m_kind == kPropDropList) static_cast<CComboBox*>(m_editor)->ShowDropDown(TRUE);
    }
    return 1;
  }
  if (HasButton(m_kind) && m_buttonRect.PtInRect(point)) {
    OnButton();
    return 1;
  }
  return 0;
}

void CPropGridItem::OnButton() {
  {
    // The control-point rows draw a wide button with a caption of their own.
    const bool wide = m_buttonRect.Width() > 15;
    CClientDC dc(m_grid);
    if (wide)
      DrawButton(&dc, m_buttonRect, LoadText(IDS_GRID_PICK_POINT), CPoint(m_rowRect.right - 63, m_rowRect.top + 4), true);
    else
      DrawButton(&dc, m_buttonRect, "...", CPoint(m_rowRect.right - 28, m_rowRect.top + 2), true);
  }
  if (m_kind == kPropFont) {
    CFontDialog dialog(&m_font, CF_SCREENFONTS | CF_EFFECTS, m_grid);
    dialog.m_cf.rgbColors = m_colour;
    if (dialog.DoModal() == IDOK) {
      m_font = dialog.m_lf;
      m_colour = dialog.GetColor();
    }
  } else if (m_kind == kPropColour) {
    CColorDialog dialog(m_colour, 0, m_grid);
    if (dialog.DoModal() == IDOK) m_colour = dialog.GetColor();
  } else if (m_kind == kPropFile) {
    // "The file must exist" is for opening only: a save dialog with it would refuse
    // every new name.
    const DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | (m_openFile ? OFN_FILEMUSTEXIST : 0);
    CFileDialog dialog(m_openFile, nullptr, nullptr, flags, m_extra, m_grid);
    if (dialog.DoModal() == IDOK) m_text = dialog.GetPathName();
  } else if (m_kind == kPropPoint) {
    ::Sleep(100);
    OnPickButton();
  }
  Redraw();
  NotifyPanel(true);
}

void CPropGridItem::MakeEditorFont() {
  delete m_editorFont;
  m_editorFont = new CFont;
  m_editorFont->CreatePointFontIndirect(&m_displayFont);
}

void CPropGridItem::OpenEdit() {
  CloseEditor();
  MakeEditorFont();
  auto* edit = new CEdit;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | (m_readOnly ? ES_READONLY : 0);
  if (!edit->Create(style, m_valueRect, m_grid, kEditorId)) {
    delete edit;
    return;
  }
  edit->SetFont(m_editorFont);
  edit->SetWindowText(ValueText());
  m_editor = edit;
}

void CPropGridItem::OpenDropDown() {
  CloseEditor();
  MakeEditorFont();
  auto* combo = new CNotifyCombo(m_id);
  CRect rect = m_valueRect;
  rect.bottom += 150;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | (m_editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  if (!combo->Create(style, rect, m_grid, kEditorId)) {
    delete combo;
    return;
  }
  combo->SetFont(m_editorFont);
  combo->SetWindowText(m_text);
  int match = -1;
  int index = 0;
  for (POSITION pos = m_choices.GetHeadPosition(); pos; ++index) {
    const CString& choice = m_choices.GetNext(pos);
    combo->AddString(choice);
    if (choice == m_text) match = index;
  }
  if (!m_editable && match >= 0) combo->SetCurSel(match);
  m_editor = combo;
}

void CPropGridItem::CloseEditor() {
  if (!m_editor) return;
  CWnd* editor = m_editor;
  m_editor = nullptr;
  auto* combo = dynamic_cast<CNotifyCombo*>(editor);
  if (::IsWindow(editor->m_hWnd)) {
    CString text;
    editor->GetWindowText(text);
    switch (m_kind) {
      case kPropText:
      case kPropFile:
      case kPropPoint:
        m_text = text;
        break;
      case kPropNumber2:
        m_number2 = ParseInt(text);
        break;
      case kPropNumber:
        m_number = ParseInt(text);
        break;
      case kPropReal: {
        // A value that is no finite number keeps the old one.
        const double value = std::strtod(text, nullptr);
        if (std::isfinite(value)) m_real = value;
        break;
      }
      case kPropChoice:
      case kPropDropList:
        m_text = text;
        if (combo) m_selIndex = combo->GetCurSel();
        break;
      default:
        break;
    }
  }
  CFont* font = m_editorFont;
  m_editorFont = nullptr;
  if (combo) {
    combo->Dispose(font);  // may still be telling the panel of its change
  } else {
    delete editor;
    delete font;
  }
}
