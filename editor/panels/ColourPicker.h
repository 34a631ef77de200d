// CColourPicker: an owner-drawn push button showing a colour or a fill as a swatch
// beside a drop-down arrow. A click opens a colour well under it; the well's
// notifications go on to the button's parent, the end framed by "VORI_WELL_CLOSEUP".
// The swatch previews solid, hatch, picture, radial and linear fills with GDI+.
#pragma once

#include <cstdint>

#include "editor/panels/SVizColorWell.h"
#include "framework/ui/Button.h"

class CColourPicker : public CButton, public CColourWellTarget {
  DECLARE_DYNCREATE(CColourPicker)

 public:
  enum FillKind { kSolid = 0, kHatch = 1, kPicture = 2, kRadialGradient = 3, kLinearGradient = 4 };

  CColourPicker();

  COLORREF GetColour() const { return m_selectionMode == 1 ? m_textColour : m_backgroundColour; }
  void SetColour(COLORREF colour);

  virtual uint32_t GetFirstColour() const { return m_firstColour; }
  virtual void SetFirstColour(uint32_t argb) { m_firstColour = argb; }
  virtual void SetFirstColourRef(COLORREF colour) { m_firstColour = 0xFF000000 | RgbToArgbBits(colour); }
  virtual void SetFirstAlpha(BYTE alpha) { m_firstColour = (m_firstColour & 0xFFFFFF) | (uint32_t(alpha) << 24); }
  virtual uint32_t GetSecondColour() const { return m_secondColour; }
  virtual void SetSecondColour(uint32_t argb) { m_secondColour = argb; }
  virtual void SetSecondColourRef(COLORREF colour) { m_secondColour = 0xFF000000 | RgbToArgbBits(colour); }
  virtual void SetSecondAlpha(BYTE alpha) { m_secondColour = (m_secondColour & 0xFFFFFF) | (uint32_t(alpha) << 24); }
  virtual int GetFillKind() const { return m_fillKind; }
  virtual void SetFillKind(int kind) { m_fillKind = kind; }
  virtual int GetGradientMode() const { return m_gradientMode; }
  virtual void SetGradientMode(int mode) { m_gradientMode = mode; }
  virtual int GetHatchStyle() const { return m_hatchStyle; }
  virtual void SetHatchStyle(int style) { m_hatchStyle = style; }
  virtual int GetWrapMode() const { return m_wrapMode; }
  virtual void SetWrapMode(int mode) { m_wrapMode = mode; }
  virtual CString GetPictureFile() const { return m_pictureFile; }
  virtual void SetPictureFile(const CString& file) { m_pictureFile = file; }
  virtual BYTE GetSpareByte() const { return m_spareByte; }
  virtual void SetSpareByte(BYTE value) { m_spareByte = value; }
  virtual BOOL GetDefaultCentre() const { return (m_flags & 2) != 0; }
  virtual void SetDefaultCentre(BOOL on) { m_flags = on ? (m_flags | 2) : (m_flags & ~2u); }
  virtual BOOL GetStretch() const { return (m_flags & 1) != 0; }
  virtual void SetStretch(BOOL on) { m_flags = on ? (m_flags | 1) : (m_flags & ~1u); }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void TakePlainColour(COLORREF colour) override;
  void TakeNoFill() override;
  void LoadFillEffect(FillEffect& effect) const override;
  BOOL TakeFillEffect(const FillEffect& effect) override;

  int m_active = 0;
  int m_trackSelection = 0;
  COLORREF m_backgroundColour;
  COLORREF m_textColour;
  COLORREF m_defaultColour = 0;
  int m_selectionMode = 2;
  RECT m_arrowRect = {};
  uint32_t m_firstColour = 0xFF000000;
  BYTE m_spareByte = 0;
  DWORD m_flags = 0;
  int m_fillKind = 0;
  uint32_t m_secondColour = 0xFF000000;
  int m_gradientMode = 0;
  int m_hatchStyle = 0;
  CString m_pictureFile;
  int m_wrapMode = 0;
  int m_fillSelector = 1;
  CString m_automaticText;
  CString m_moreColoursText;
  CString m_fillEffectsText;
  CString m_topText;
  int m_noFill = 0;
  int m_fillExtra = 7;  // every page of the fill effects dialog

 protected:
  void PreSubclassWindow() override;
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 private:
  static uint32_t RgbToArgbBits(COLORREF colour) {
    return (uint32_t(GetRValue(colour)) << 16) | (uint32_t(GetGValue(colour)) << 8) | GetBValue(colour);
  }
  void SizeToArrow();
  void OnClicked();
  void FillSwatch(HDC dc, const RECT& swatch) const;
  void Relay(UINT message, WPARAM colour) const;
  LRESULT OnWellSelOk(WPARAM wParam, LPARAM lParam);
  LRESULT OnWellSelCancel(WPARAM wParam, LPARAM lParam);
  LRESULT OnWellSelChange(WPARAM wParam, LPARAM lParam);
};
