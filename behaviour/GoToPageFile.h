// GoToPageFile: the page jump of every program: the run of the current page ends, the
// page named is read by the document (the editor from files, the player from its package)
// or, for the page already shown, its objects restart without reading, and its run starts
// with the clock at 0.
#pragma once

#include "framework/core/String.h"

class CDrawHost;

// 1 when the new run started. 0 when the page could not be read (the document keeps its
// page and path, and the host ends the run) or its objects could not start (the timer
// stays stopped and the run halts on that page).
BOOL GoToPageFile(CDrawHost& host, const CString& path);
