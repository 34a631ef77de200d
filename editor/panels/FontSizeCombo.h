// CFontSizeCombo: the format bar's font-size box. Sizes are handled in twips (a
// twentieth of a point) and shown in points, halves with one decimal.
#pragma once

#include "editor/panels/FormatCombo.h"

class CDC;

class CFontSizeCombo : public CFormatCombo {
 public:
  // The text of a size: empty for a negative one, else in half points rounded to the
  // nearest ("10.5", "12").
  static CString TwipsToText(int twips);
  // A size text read as twips: -1 for an empty text, -2 for one that is not a number,
  // 0 for a negative number.
  static int TextToTwips(LPCSTR text);

  // Lists the sizes of the face on that device: each size of a raster face, or the
  // usual sizes of a scalable one. No face: an empty list.
  void EnumFontSizes(CDC& dc, LPCSTR pFontName);
  // Adds the size in order unless it is listed already.
  void InsertSize(int nSize);
  // Shows the size unless it is shown already, and keeps it as the last size set.
  void SetTwipSize(int nSize);
  int GetTwipSize() const { return TextToTwips(GetTheText()); }

  int m_nLogVert = 96;    // the device's pixels per inch, taken when sizes are listed
  int m_nTwipsLast = 0;   // the last size set

 private:
  static int CALLBACK EnumSizeCallBack(const LOGFONTA* lplf, const TEXTMETRICA* lpntm, DWORD fontType,
                                       LPARAM lParam);
};
