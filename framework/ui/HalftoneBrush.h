// The halftone brush: an 8 x 8 checker of black and white pixels. Inverting with it
// (PATINVERT) shows a grey tracking rectangle over anything, and inverting again
// takes it away.
#pragma once

#include "framework/ui/Brush.h"

class CDC;

// One brush for the process, made on first use and kept.
CBrush* AfxGetHalftoneBrush();
// Inverts rect on pDC with the halftone brush.
void AfxInvertHalftone(CDC* pDC, const RECT& rect);
