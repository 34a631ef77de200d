// CFormatBar: the frame's text-format bar: a font-name and a font-size box in place of
// its first separators, then bold, italic, underline, the text colour (a drop-down
// button) and the alignments. The boxes show the selection's format, which the bar
// reads from its owner and has the owner apply through CharFormatNotify messages.
#pragma once

#include "editor/panels/CharFormatNotify.h"
#include "editor/panels/ColorRect.h"
#include "editor/panels/FontNameCombo.h"
#include "editor/panels/FontSizeCombo.h"
#include "framework/ui/ToolBar.h"

class CFormatBar : public CToolBar {
  DECLARE_DYNAMIC(CFormatBar)

 public:
  static constexpr UINT IDC_FONTNAME = 128;
  static constexpr UINT IDC_FONTSIZE = 129;

  CFormatBar();

  // Called once the buttons are loaded: the boxes take the places of buttons 0 and 2.
  void PositionCombos();
  // Makes the text-colour button a drop-down button with a strip of the text colour.
  BOOL CreateColorButton(COLORREF colour);
  // Shows the owner's current format in the boxes; the owner's selection is left as it is.
  void SyncFromSelection();
  // NM_RETURN applies the size box's size when above 0; any other code goes to the
  // owner as a bare notification.
  void NotifyOwner(UINT nCode);
  // Has the owner apply the format (notification 0x1000).
  void ApplyFormat(CHARFORMATA& cf);
  // A typed face as a format's face: at most 31 bytes, never half a character.
  static void CopyFaceName(char (&face)[LF_FACESIZE], LPCSTR text);

  CFontNameCombo m_comboFontName;
  CFontSizeCombo m_comboFontSize;
  CColorRect m_textColourRect;
  int m_cxAvgChar = 0;  // of the default GUI font on the screen
  int m_cyFont = 0;

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;

 private:
  CWnd* NotifyTarget() const;
  // Sends the notification with that code to the owner; its format is the owner's answer.
  void SendCharFormat(UINT nCode, CharFormatNotify& notify);
  void OnFontNameSelChange();
  void OnFontSizeSelChange();
  void OnFontSizeDropDown();
};
