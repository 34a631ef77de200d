// The common controls' window classes (trackbars, tabs, list views, ...) must be
// registered before a window or a dialog template names them.
#pragma once

#include "framework/ui/UiDefs.h"

// Registers the classes of the ICC_... groups in dwFlags that are not registered yet;
// FALSE when the system refuses a group.
BOOL AfxInitCommonControls(DWORD dwFlags);
