// GoToPageFile: the page jump of a host that reads pages from files (the editor's test
// run): the run of the current page ends, the page at path is read into the document
// (or, for the page already shown, its objects restart without reading) and its run
// starts with the clock at 0.
#pragma once

#include "framework/core/String.h"

class CDrawHost;

// 1 when the new run started. 0 when the page could not be read (the document keeps its
// page and path, and the host ends the run) or its objects could not start (the timer
// stays stopped and the run halts on that page).
BOOL GoToPageFile(CDrawHost& host, const CString& path);
