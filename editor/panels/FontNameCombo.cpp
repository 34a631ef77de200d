#include "editor/panels/FontNameCombo.h"

#include <cstring>
#include <map>
#include <string>

#include "framework/ui/DC.h"
#include "resources/KordelIds.h"

namespace {

constexpr BYTE kMacCharset = 77;
constexpr int kGlyphWidth = 16;
constexpr int kGlyphHeight = 15;
constexpr int kTextIndent = 22;

}  // namespace

CFontNameCombo::CFontNameCombo() { m_bmFontType.LoadBitmap(IDB_FONT_GLYPHS); }

CFontNameCombo::~CFontNameCombo() {
  // Later the window's destruction would reach only the base classes.
  DeleteDescs();
}

bool CFontNameCombo::IsListedFace(BYTE nCharSet, LPCSTR lpszFace, bool bDbcs) {
  if (nCharSet == kMacCharset) return false;
  if (nCharSet >= 137 && nCharSet <= 254) return false;
  if (bDbcs && lpszFace && lpszFace[0] == '@') return false;
  return true;
}

void CFontNameCombo::OfferFace(const ENUMLOGFONTEXA& font, DWORD dwFlags) {
  const LOGFONTA& lf = font.elfLogFont;
  if (!IsListedFace(lf.lfCharSet, lf.lfFaceName, ::GetSystemMetrics(SM_DBCSENABLED) != 0)) return;
  // The enumeration's strings need not be ended within their fields.
  const std::string face(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  const char* script = reinterpret_cast<const char*>(font.elfScript);
  const std::string scriptName(script, strnlen(script, LF_FACESIZE));
  m_arrayFontDesc.push_back(
      std::make_unique<CFontDesc>(face.c_str(), scriptName.c_str(), lf.lfCharSet, lf.lfPitchAndFamily, dwFlags));
}

int CALLBACK CFontNameCombo::EnumFamScreenCallBackEx(const LOGFONTA* lplf, const TEXTMETRICA*, DWORD fontType,
                                                     LPARAM lParam) {
  auto* context = reinterpret_cast<EnumContext*>(lParam);
  if (!(fontType & TRUETYPE_FONTTYPE)) return 1;
  const auto& font = *reinterpret_cast<const ENUMLOGFONTEXA*>(lplf);
  if (context->fromDevice)
    context->combo->OfferFace(font, kTrueType | kFromDevice);
  else if (!(fontType & RASTER_FONTTYPE))
    context->combo->OfferFace(font, kTrueType);
  return 1;
}

void CFontNameCombo::FillFontList(CDC* pDC, BYTE nCharSet) {
  const CString shown = GetTheText();
  DeleteDescs();
  ResetContent();
  m_arrayFontDesc.clear();

  LOGFONTA lf = {};
  lf.lfCharSet = nCharSet;
  lf.lfPitchAndFamily = 2;
  EnumContext context{this, pDC && pDC->GetSafeHdc()};
  HDC dc = context.fromDevice ? pDC->GetSafeHdc() : ::GetDC(nullptr);
  ::EnumFontFamiliesExA(dc, &lf, reinterpret_cast<FONTENUMPROCA>(EnumFamScreenCallBackEx),
                        reinterpret_cast<LPARAM>(&context), 0);
  if (!context.fromDevice) ::ReleaseDC(nullptr, dc);

  ListPendingFaces();
  SetTheText(shown);
}

void CFontNameCombo::ListPendingFaces() {
  std::map<std::string, int> seen;
  for (const auto& desc : m_arrayFontDesc) ++seen[desc->m_strName.str()];
  for (auto& desc : m_arrayFontDesc) {
    CString text = desc->m_strName;
    if (seen[desc->m_strName.str()] > 1 && !desc->m_strScript.IsEmpty()) text += " (" + desc->m_strScript + ")";
    const int index = AddString(text);
    if (index < 0) continue;  // the descriptor goes with the pending list
    SetItemDataPtr(index, desc.release());
  }
  m_arrayFontDesc.clear();
}

BOOL CFontNameCombo::MatchFont(char* lpszFace, BYTE nCharSet) {
  BOOL replaced = FALSE;
  for (;;) {
    const int first = FindString(-1, lpszFace);
    if (first == CB_ERR) break;
    bool restart = false;
    int index = first;
    do {
      const CFontDesc* desc = GetDesc(index);
      if (desc && desc->m_strName == lpszFace) {
        if (desc->m_nCharSet == nCharSet) {
          if (GetCurSel() != index) SetCurSel(index);
          return replaced;
        }
        if (nCharSet == GB2312_CHARSET && !replaced) {
          lstrcpynA(lpszFace, kGB2312Face, LF_FACESIZE);
          replaced = TRUE;
          restart = true;
          break;
        }
      }
      index = FindString(index, lpszFace);
    } while (index != CB_ERR && index != first);
    if (!restart) break;
  }
  SetEditText(lpszFace);
  return replaced;
}

void CFontNameCombo::DeleteDescs() {
  if (!m_hWnd) return;
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    delete GetDesc(i);
    SetItemDataPtr(i, nullptr);
  }
}

void CFontNameCombo::OnDestroy() {
  DeleteDescs();
  CFormatCombo::OnDestroy();
}

void CFontNameCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (static_cast<int>(lpDIS->itemID) < 0) return;
  HDC dc = lpDIS->hDC;
  const RECT& rc = lpDIS->rcItem;
  if (lpDIS->itemState & ODS_FOCUS) ::DrawFocusRect(dc, &rc);
  const int savedDC = ::SaveDC(dc);
  if (lpDIS->itemState & ODS_SELECTED) {
    HBRUSH highlight = ::CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT));
    ::FillRect(dc, &rc, highlight);
    ::DeleteObject(highlight);
    ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    HBRUSH background = ::CreateSolidBrush(::GetBkColor(dc));
    ::FillRect(dc, &rc, background);
    ::DeleteObject(background);
  }
  ::SetBkMode(dc, TRANSPARENT);

  const CFontDesc* desc = reinterpret_cast<const CFontDesc*>(lpDIS->itemData);
  if (desc && (desc->m_dwFlags & 0x600) && m_bmFontType.GetSafeHandle()) {
    HDC glyphs = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(glyphs, m_bmFontType.GetSafeHandle());
    const int x = (desc->m_dwFlags & kTrueType) ? kGlyphWidth : 0;
    ::BitBlt(dc, rc.left, rc.top, kGlyphWidth, kGlyphHeight, glyphs, x, 0, SRCAND);
    ::SelectObject(glyphs, old);
    ::DeleteDC(glyphs);
  }
  CString text;
  GetLBText(static_cast<int>(lpDIS->itemID), text);
  ::TextOutA(dc, rc.left + kTextIndent, rc.top, text, text.GetLength());
  ::RestoreDC(dc, savedDC);
}

void CFontNameCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  lpMIS->itemHeight = static_cast<UINT>(m_nItemHeight > kGlyphHeight ? m_nItemHeight : kGlyphHeight);
  RECT rc = {};
  if (m_hWnd) ::GetWindowRect(m_hWnd, &rc);
  lpMIS->itemWidth = static_cast<UINT>(rc.right - rc.left);
}

int CFontNameCombo::CompareItem(LPCOMPAREITEMSTRUCT lpCIS) {
  // The list sorts by its strings (CBS_HASSTRINGS); this is the same order by faces.
  const auto* a = reinterpret_cast<const CFontDesc*>(lpCIS->itemData1);
  const auto* b = reinterpret_cast<const CFontDesc*>(lpCIS->itemData2);
  return ::CompareStringA(LOCALE_USER_DEFAULT, 0, a ? a->m_strName.GetString() : "", -1,
                          b ? b->m_strName.GetString() : "", -1) -
         CSTR_EQUAL;
}
