// GoToPage: the page jump of a page-switch action, made by the host of the calling
// thread (each program loads pages its own way).
#pragma once

#include "framework/core/String.h"

// 1 when the page at path runs, 0 when it could not be opened or its objects could not
// start, or when no host is installed. The caller, a step of an object of the old page,
// must return at once afterwards: that object now belongs to no page.
BOOL GoToPage(const CString& path);
