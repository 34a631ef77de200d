// CDrawView: formatting the last selected text object: bold, italic, underline, its
// alignment, and the character format the format bar reads and sets.
#include <richedit.h>

#include <cstring>

#include "editor/DrawView.h"
#include "model/DrawDoc.h"
#include "model/DrawText.h"

namespace {

enum TextChange { kBold, kItalic, kUnderline, kAlignLeft, kAlignCentre, kAlignRight };

// The CHARFORMATA a format-bar notification carries after its header.
CHARFORMATA* CharFormatOf(NMHDR* notify) {
  return reinterpret_cast<CHARFORMATA*>(reinterpret_cast<BYTE*>(notify) + sizeof(NMHDR));
}

}  // namespace

void CDrawView::ModifyText(int what) {
  auto* text = dynamic_cast<CDrawText*>(GetLastSelected());
  if (!text || Running()) return;
  LOGFONTA& font = text->m_logFont;
  switch (what) {
    // Off again is the normal weight: the text looks as it did before bold.
    case kBold: font.lfWeight = font.lfWeight < FW_BOLD ? FW_BOLD : FW_NORMAL; break;
    case kItalic: font.lfItalic = !font.lfItalic; break;
    case kUnderline: font.lfUnderline = !font.lfUnderline; break;
    case kAlignLeft: text->m_alignment = 0; break;
    case kAlignCentre: text->m_alignment = 1; break;
    default: text->m_alignment = 2; break;
  }
  text->Invalidate();
  if (CDrawDoc* doc = GetDocument()) doc->SetModifiedFlag(TRUE);
}

void CDrawView::OnTextBold() { ModifyText(kBold); }
void CDrawView::OnTextItalic() { ModifyText(kItalic); }
void CDrawView::OnTextUnderline() { ModifyText(kUnderline); }
void CDrawView::OnTextAlignLeft() { ModifyText(kAlignLeft); }
void CDrawView::OnTextAlignCentre() { ModifyText(kAlignCentre); }
void CDrawView::OnTextAlignRight() { ModifyText(kAlignRight); }

void CDrawView::OnGetCharFormat(NMHDR* pNotify, LRESULT* pResult) {
  *pResult = 1;
  auto* text = dynamic_cast<CDrawText*>(GetLastSelected());
  if (!text || !pNotify) return;
  CHARFORMATA* format = CharFormatOf(pNotify);
  const LOGFONTA& font = text->m_logFont;
  format->dwMask |= CFM_SIZE | CFM_FACE | CFM_CHARSET;
  format->yHeight = font.lfHeight * 10;
  format->bCharSet = font.lfCharSet;
  static_assert(sizeof format->szFaceName >= LF_FACESIZE, "face field");
  memcpy(format->szFaceName, font.lfFaceName, LF_FACESIZE);
  format->szFaceName[LF_FACESIZE - 1] = '\0';
}

void CDrawView::OnSetCharFormat(NMHDR* pNotify, LRESULT* pResult) {
  *pResult = 1;
  auto* text = dynamic_cast<CDrawText*>(GetLastSelected());
  if (!text || !pNotify || Running()) return;
  const CHARFORMATA* format = CharFormatOf(pNotify);
  LOGFONTA& font = text->m_logFont;
  if (format->dwMask & CFM_SIZE) font.lfHeight = format->yHeight / 10;
  if (format->dwMask & CFM_CHARSET) font.lfCharSet = format->bCharSet;
  if (format->dwMask & CFM_FACE) {
    // The sender's field need not end within the font's: copied bounded, always ended.
    const size_t length = strnlen(format->szFaceName, LF_FACESIZE - 1);
    memcpy(font.lfFaceName, format->szFaceName, length);
    memset(font.lfFaceName + length, 0, LF_FACESIZE - length);
  }
  text->Invalidate();
  if (CDrawDoc* doc = GetDocument()) doc->SetModifiedFlag(TRUE);
}
