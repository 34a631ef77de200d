// The module whose resources (string tables, dialogs, icons) the framework loads.
// A program leaves it at its executable; the control's DLL sets it to itself.
#pragma once

#include "framework/core/AfxTypes.h"

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE instance);
