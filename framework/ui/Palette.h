// CPalette: a logical palette.
#pragma once

#include "framework/ui/GdiObject.h"

class CPalette : public CGdiObject {
 public:
  BOOL CreatePalette(const LOGPALETTE* lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
};
