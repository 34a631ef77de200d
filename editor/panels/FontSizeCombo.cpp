#include "editor/panels/FontSizeCombo.h"

#include <climits>
#include <cmath>
#include <cstdlib>

#include "framework/ui/DC.h"

namespace {

constexpr int kScalableSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

CString CFontSizeCombo::TwipsToText(int twips) {
  CString text;
  if (twips < 0) return text;
  const long long halfPoints = (twips + 5LL) / 10;
  if (halfPoints % 2)
    text.Format("%.1f", halfPoints * 0.5);
  else
    text.Format("%d", static_cast<int>(halfPoints / 2));
  return text;
}

int CFontSizeCombo::TextToTwips(LPCSTR text) {
  const char* p = text ? text : "";
  while (IsBlank(*p)) ++p;
  if (!*p) return -1;
  char* end = nullptr;
  const double points = std::strtod(p, &end);
  while (IsBlank(*end)) ++end;
  if (*end) return -2;
  // "nan", "inf" or a number beyond any size are read as numbers but are none.
  if (!std::isfinite(points) || points * 20 > INT_MAX) return -2;
  if (points < 0) return 0;
  return static_cast<int>(points * 20);
}

int CALLBACK CFontSizeCombo::EnumSizeCallBack(const LOGFONTA*, const TEXTMETRICA* lpntm, DWORD fontType,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<CFontSizeCombo*>(lParam);
  if ((fontType & RASTER_FONTTYPE) && !(fontType & TRUETYPE_FONTTYPE)) {
    self->InsertSize(::MulDiv(lpntm->tmHeight - lpntm->tmInternalLeading, 1440, self->m_nLogVert));
    return 1;
  }
  if (self->GetCount() != 0) self->ResetContent();
  for (int size : kScalableSizes) {
    CString text;
    text.Format("%d", size);
    self->AddString(text);
  }
  return 0;
}

void CFontSizeCombo::EnumFontSizes(CDC& dc, LPCSTR pFontName) {
  ResetContent();
  if (!pFontName || !*pFontName) return;
  m_nLogVert = dc.GetDeviceCaps(LOGPIXELSY);
  if (m_nLogVert <= 0) m_nLogVert = 96;
  ::EnumFontFamiliesA(dc.GetSafeHdc(), pFontName, reinterpret_cast<FONTENUMPROCA>(EnumSizeCallBack),
                      reinterpret_cast<LPARAM>(this));
}

void CFontSizeCombo::InsertSize(int nSize) {
  const CString text = TwipsToText(nSize);
  if (FindStringExact(-1, text) != CB_ERR) return;
  const int count = GetCount();
  int before = -1;
  for (int i = 0; i < count; ++i) {
    if (static_cast<int>(GetItemData(i)) > nSize) {
      before = i;
      break;
    }
  }
  const int index = InsertString(before, text);
  if (index >= 0) SetItemData(index, static_cast<DWORD_PTR>(nSize));
}

void CFontSizeCombo::SetTwipSize(int nSize) {
  if (nSize != GetTwipSize()) SetTheText(TwipsToText(nSize), TRUE);
  m_nTwipsLast = nSize;
}
