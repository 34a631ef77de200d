// CDrawText: a text on the page — one string in a font, aligned in its rectangle,
// optionally filled, bordered, backed by a picture and turned. During a run it is also
// the answer box of an exercise (a click opens an input box; Enter keeps the typed text
// and fires the object's key events with it), the display of a small calculator fed by
// set-data and calculate actions, and an answer check that marks itself with a tick or
// a cross.
#pragma once

#include <memory>
#include <string>

#include "framework/ui/Font.h"
#include "model/DataTextSource.h"
#include "model/DrawObj.h"
#include "model/PictureSnapshot.h"

class CColorEditWnd;

// m_alignment: the same numbers serve GDI+ string alignment and DrawText.
constexpr int kTextAlignLeft = 0;
constexpr int kTextAlignCentre = 1;
constexpr int kTextAlignRight = 2;

// m_mark.
constexpr int kMarkNone = 0;
constexpr int kMarkTick = 1;
constexpr int kMarkCross = 2;

// The control id of the input box on the page view.
constexpr UINT kInputBoxId = 2222;

class CDrawText : public CDrawObj, public CDataTextSource {
  DECLARE_SERIAL(CDrawText)

 public:
  CDrawText();
  explicit CDrawText(const CRect& position);
  ~CDrawText() override;

  void Serialize(CArchive& ar) override;
  BOOL IsPlainShape() override;
  CString ActionTypeName(DWORD flag, int& index) override;
  int ActionTypeFromName(const CString& name) override;
  DWORD ActionTypeAt(int index) override;
  void ResetPropertyPage(int group, CView* view) override;
  CPoint GetHandle(int handle) override;
  int DrawObject(CDC* dc, CView* view) override;
  void SetRect(const CRect& rect, CView* view) override;
  void SetAngle(double angle, BOOL relative, CView* view) override;
  void SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) override;
  void MoveHandleTo(int handle, int x, int y, CView* view) override;
  int OnOpen(CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  CRect GetDrawBounds() override;
  void SavePlayState(CView* view, CDrawObj* owner) override;
  void RestorePlayState(CView* view) override;
  void OnSelect(CView* view) override;
  void OnDeselect(CView* view) override;
  void RevertVisibilityLayer() override;
  void SaveVisibilityLayer() override;
  void ListGeneral(CPropGrid* grid) override;
  void ApplyGeneral(CPropGrid* grid) override;
  int ApplyDisplayAction(const CString& text, const CString& expected, double mode, double kind,
                         double write) override;
  void ApplySetDataAction(double index, double mode, const CString& formula, const CString& source) override;

  // The text shown: what set-data actions take from this object.
  CString GetDataText() override { return m_displayText; }

  // The font with its face as wide text, whatever bytes a file gave the 32-byte field.
  LOGFONTW WideLogFont() const;
  // The input box while it is open, else null.
  CColorEditWnd* GetInputBox() const { return m_inputBox.get(); }
  // Closes the input box without taking its text.
  void DiscardInputBox();

  // Own fields, in their declared order.
  int m_reservedTextWord = 0;
  int m_textInput = 0;
  CString m_displayText;
  CString m_savedText;
  LOGFONTA m_logFont = {};
  CFont m_editFont;
  int m_alignment = kTextAlignLeft;
  int m_drawTextFlags = 0;
  CString m_reservedText;
  int m_operatorPending = 0;
  int m_mark = kMarkNone;
  int m_savedMark = 0;
  int m_savedOperatorPending = 0;

 private:
  void ResetFont();
  // The position rectangle as a path, or the band around it when it has no width or
  // no height.
  void AddBoundsShape(Gdiplus::GraphicsPath& path);
  void DrawTextPath(Gdiplus::Graphics& graphics, Gdiplus::Font& font, const Gdiplus::Rect& layout);
  void DrawTextGdi(CDC* dc, const CRect& layout);
  void DrawMark(CDC* dc, const CRect& layout);
  // The calculator: the value shown as the display, and the operator's computation.
  void ShowValue(int kind, BOOL write, bool formula);
  bool Compute();
  void SetDisplayToValue(int kind);

  // The GDI+ font of the last paint, made again only when the font asked for or the
  // DC's scale changes: finding a font takes longer than writing a short text with it.
  Gdiplus::Font& PaintFont(HDC dc, const LOGFONTW& logFont);
  struct FontCache {
    LOGFONTW logFont = {};
    int mapMode = 0;
    SIZE windowExt = {}, viewportExt = {};
    int dpiY = 0;
    std::unique_ptr<Gdiplus::Font> font;
  };
  FontCache m_fontCache;

  std::unique_ptr<CColorEditWnd> m_inputBox;
  // The picture name (and picture) a run or an effect may change, kept apart so that
  // putting one back never empties the other.
  CPictureSnapshot m_savedPicture;
  CPictureSnapshot m_savedEffectPicture;
  // The calculator's variables and formula are part of the record: a run works on a
  // copy of the variables, so that it leaves the page as it was stored.
  CMapStringToOb* m_storedVariables = nullptr;
  CString m_storedFormula;
  // Whether the last calculation failed; the display then shows the error text.
  bool m_calculationFailed = false;
};
