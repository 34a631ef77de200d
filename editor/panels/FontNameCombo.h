// CFontNameCombo: the format bar's font-name box, an owner-drawn sorted list of the
// system's scalable faces, each item carrying its CFontDesc. A face the system offers in
// several character sets is listed once per set, with the script in parentheses.
#pragma once

#include <memory>
#include <vector>

#include "editor/panels/FontDesc.h"
#include "editor/panels/FormatCombo.h"
#include "framework/ui/Bitmap.h"

class CDC;

class CFontNameCombo : public CFormatCombo {
 public:
  // The face that stands for a face the list holds in other character sets only, when
  // the selection asks for it in GB2312.
  static constexpr char kGB2312Face[] = "宋体_GB2312";
  // Font type flags of a listed face.
  static constexpr DWORD kTrueType = 0x200;
  static constexpr DWORD kFromDevice = 0x100;

  CFontNameCombo();
  ~CFontNameCombo() override;

  // Lists the faces of the character set (DEFAULT_CHARSET: all) that the device offers,
  // keeping the text shown.
  void FillFontList(CDC* pDC, BYTE nCharSet);
  // Selects the item of that face and character set. A face listed only in other
  // character sets, asked for in GB2312, is replaced (in lpszFace, LF_FACESIZE bytes) by
  // kGB2312Face, once. A face not found is put into the edit field. TRUE when the face
  // was replaced.
  BOOL MatchFont(char* lpszFace, BYTE nCharSet);

  // Whether an enumerated face belongs in the list: no Macintosh or other non-Windows
  // character sets, and no vertical-writing ("@") faces on a double-byte system.
  static bool IsListedFace(BYTE nCharSet, LPCSTR lpszFace, bool bDbcs);
  // One face of the enumeration, with the flags it is offered with; kept for the list
  // when it belongs there.
  void OfferFace(const ENUMLOGFONTEXA& font, DWORD dwFlags);
  // Adds the faces offered since the list was emptied, a face offered more than once
  // with its script, and forgets them.
  void ListPendingFaces();
  CFontDesc* GetDesc(int nIndex) const { return static_cast<CFontDesc*>(GetItemDataPtr(nIndex)); }

  int m_nItemHeight = 15;  // the bar's measure of the default GUI font
  std::vector<std::unique_ptr<CFontDesc>> m_arrayFontDesc;  // offered, not listed yet

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
  int CompareItem(LPCOMPAREITEMSTRUCT lpCIS) override;

 protected:
  void OnDestroy() override;

 private:
  struct EnumContext {
    CFontNameCombo* combo;
    bool fromDevice;
  };
  static int CALLBACK EnumFamScreenCallBackEx(const LOGFONTA* lplf, const TEXTMETRICA* lpntm, DWORD fontType,
                                              LPARAM lParam);
  void DeleteDescs();

  CBitmap m_bmFontType;
};
