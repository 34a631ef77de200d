// CSVizColorWell: the well of 40 named colours in 8 columns, with up to four full-width
// entries around the grid: the top entry ("清除填充") and the automatic colour above it,
// more colours (the colour selection dialog) and fill effects below it. An entry with
// an empty text is absent. Its owner hears colours (COLORREF; 0xFF000000 for the
// automatic entry while it is under the cursor) and, when it is a CColourWellTarget,
// gets the choice written into it as the well ends.
#pragma once

#include "editor/panels/FillEffect.h"
#include "editor/panels/SVizWellCtrl.h"
#include "framework/ui/Palette.h"

// An owner that keeps what a colour well chose.
class CColourWellTarget {
 public:
  virtual ~CColourWellTarget() = default;
  // A plain colour was chosen (a grid cell, the automatic entry or more colours).
  virtual void TakePlainColour(COLORREF colour) = 0;
  // The top entry: no fill at all.
  virtual void TakeNoFill() = 0;
  // The fill effects entry: what the dialog opens on, and its choice after OK. FALSE
  // from TakeFillEffect turns the choice into a cancel.
  virtual void LoadFillEffect(FillEffect& effect) const {}
  virtual BOOL TakeFillEffect(const FillEffect& effect) { return FALSE; }
};

class CSVizColorWell : public CSVizWellCtrl {
 public:
  enum Entry { kMoreColours = -2, kAutomatic = -3, kFillEffects = -4, kTopEntry = -5 };
  static constexpr int kColours = 40;

  CSVizColorWell();

  static COLORREF TableColour(int index);
  static const char* TableName(int index);

  void SetDefaults() override;
  CString GetCellTip(int index) override;
  void RecalcLayout() override;
  BOOL GetCellRect(int index, RECT* rect) override;
  void SetChosen(int value) override;
  void SetCurSel(int index) override;
  void EndSelection(UINT message) override;
  void DrawCell(CDC* dc, int index) override;

  // The entries' texts; empty leaves the entry out.
  CString m_automaticText;
  CString m_moreColoursText;
  CString m_fillEffectsText;
  CString m_topText;
  RECT m_moreColoursRect = {};
  RECT m_automaticRect = {};
  RECT m_fillEffectsRect = {};
  RECT m_topRect = {};
  CPalette m_palette;
  COLORREF m_initialColour = 0;
  COLORREF m_defaultColour = 0;
  COLORREF m_resultColour = 0;

 protected:
  void OnPaint() override;
  BOOL OnQueryNewPalette() override;
  void OnPaletteChanged(CWnd* pFocusWnd) override;
  int KeyTarget(UINT key) override;
  int HitTest(POINT point) override;

 private:
  BOOL HasEntry(int index) const;
  const RECT* EntryRect(int index) const;
  const CString* EntryText(int index) const;
  void DrawEntry(CDC* dc, int index);
  void Notify(COLORREF colour);

  int m_gridTop = 0;
};
