// CPropGridItem: one row of a property grid (not a window). It keeps its copy of the
// row's PropertyEntry, draws the name and value cells, and opens the in-place editor
// (an edit box or a drop-down) or the dialog that edits its value. Typed text reaches
// the row only when its editor closes.
#pragma once

#include <windows.h>

#include "framework/core/Object.h"
#include "framework/core/Rect.h"
#include "framework/ui/Font.h"
#include "propgrid/PropertyEntry.h"

class CDC;
class CFont;
class CPropGrid;
class CWnd;

class CPropGridItem : public CObject {
  DECLARE_DYNAMIC(CPropGridItem)

 public:
  CPropGridItem();
  ~CPropGridItem() override;
  CPropGridItem(const CPropGridItem&) = delete;
  CPropGridItem& operator=(const CPropGridItem&) = delete;

  // The control-point rows' pick button; nothing here.
  virtual void OnPickButton();
  virtual void SetTextColour(COLORREF colour) { m_textColour = colour; }
  virtual void SetBackColour(COLORREF colour) { m_backColour = colour; }
  virtual COLORREF GetTextColour() const { return m_textColour; }
  virtual COLORREF GetBackColour() const { return m_backColour; }
  virtual void GetDisplayFont(LOGFONTA* font) const { *font = m_displayFont; }
  virtual void SetDisplayFont(const LOGFONTA& font) { m_displayFont = font; }
  // Copies the row into the entry (not its readOnly), then by mode: -3 empties the
  // row's choices, -2 appends them to the entry's, a choice index removes that choice
  // from the row and makes the first remaining one (or "") the row's text; last the
  // entry's text is the row's.
  virtual BOOL GetEntry(PropertyEntry* entry, int mode);
  virtual void SetTag(int tag) { m_tag = tag; }
  virtual int GetTag() const { return m_tag; }
  virtual BOOL IsVisible() const { return m_visible; }
  // Copies every field of the entry, then by mode: -2 replaces the row's choices with
  // the entry's, -1 appends the entry's, a choice index removes that one choice.
  virtual BOOL SetEntry(const PropertyEntry* entry, int mode);
  // Closes the row's editor, then opens the editor, toggle or dialog of the value cell
  // or button under the point (grid client coordinates); 1 when something was hit.
  virtual int OnClick(int x, int y);
  virtual BOOL GetFlag() const { return m_flag; }
  virtual void GetFont(LOGFONTA* font) const { *font = m_font; }
  virtual int GetNumber() const { return m_number; }
  virtual int GetNumber2() const { return m_number2; }
  virtual double GetReal() const { return m_real; }
  virtual CString GetText() const { return m_text; }
  // The choice selected when the last drop-down closed (kinds 7 and 12).
  virtual int GetSelIndex() const { return m_selIndex; }
  virtual COLORREF GetColour() const { return m_colour; }
  virtual void Draw(CDC* dc);
  virtual void SetRowRect(const RECT& rect) { m_rowRect = rect; }

  // Whether the kind shows a "..." or pick button beside its value.
  static bool HasButton(int kind) { return kind == kPropFont || kind == kPropColour || kind == kPropFile || kind == kPropPoint; }
  // The value as the cell shows it and the edit box starts with.
  CString ValueText() const;
  // Stores what the open editor holds, then destroys it.
  void CloseEditor();
  CWnd* GetEditor() const { return m_editor; }
  const CRect& GetRowRect() const { return m_rowRect; }
  const CRect& GetValueRect() const { return m_valueRect; }
  const CRect& GetButtonRect() const { return m_buttonRect; }
  int GetKind() const { return m_kind; }
  BOOL IsReadOnly() const { return m_readOnly; }
  const CString& GetName() const { return m_name; }
  int GetChoiceCount() const { return m_choices.GetCount(); }

  void SetText(const CString& text) { m_text = text; }
  void SetReal(double value) { m_real = value; }
  void SetNumber(int value) { m_number = value; }
  void SetNumber2(int value) { m_number2 = value; }
  void SetFont(const LOGFONTA& font) { m_font = font; }
  void SetColour(COLORREF colour) { m_colour = colour; }
  void SetFlag(BOOL flag) { m_flag = flag; }
  void AddChoice(const CString& choice) { m_choices.AddTail(choice); }

  BOOL m_owned = FALSE;    // the grid deletes the row when it is emptied
  BOOL m_visible = FALSE;  // drawn inside the window by the last paint
  CPropGrid* m_grid = nullptr;
  int m_id = 0;

 protected:
  // Selects a point font made from the LOGFONT (tenths of a point) while a row draws.
  class FontScope {
   public:
    FontScope(CDC* dc, const LOGFONTA& logFont);
    ~FontScope();
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

   private:
    CDC* m_dc;
    CFont m_font;
    HGDIOBJ m_old;
  };

  // The name part every row draws: the white row, the name clipped to the name cell at
  // nameY, and the grey split line; returns the split's x.
  int DrawName(CDC* dc, int nameY);
  void DrawSplitLine(CDC* dc, int split);
  // A raised button (pressed: sunken) with its caption at the point, in a small font.
  static void DrawButton(CDC* dc, const CRect& button, const char* caption, CPoint at, bool pressed);
  void DrawValueText(CDC* dc, const CRect& clip);
  // Redraws the row through a client DC of its grid.
  void Redraw();
  void NotifyPanel(bool send);

  COLORREF m_textColour = 0;
  COLORREF m_backColour = RGB(255, 255, 255);
  CFont* m_editorFont = nullptr;
  LOGFONTA m_displayFont = {};
  CRect m_rowRect;
  CRect m_valueRect;
  CRect m_buttonRect;
  CWnd* m_editor = nullptr;

  int m_tag = 0;
  CString m_name;
  int m_kind = 0;
  BOOL m_readOnly = FALSE;
  CString m_text;
  int m_number2 = 0;
  int m_number = 0;
  double m_real = 0.0;
  LOGFONTA m_font = {};
  COLORREF m_colour = 0;
  CString m_extra;
  BOOL m_openFile = FALSE;
  BOOL m_editable = FALSE;
  CStringList m_choices{10};
  BOOL m_flag = FALSE;
  int m_selIndex = -1;

 private:
  void OpenEdit();
  void OpenDropDown();
  void MakeEditorFont();
  void OnButton();
};

// Copies a string list onto the end of another.
void AppendStrings(CStringList& to, const CStringList& from);
