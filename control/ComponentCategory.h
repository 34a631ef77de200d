// Component categories of the control, through the system's component-categories
// manager. Each function makes and releases the manager itself and returns its result.
#pragma once

#include <windows.h>

// Registers the category with its English (1033) description, cut to 127 characters.
HRESULT CreateComponentCategory(REFGUID category, const wchar_t* description);
HRESULT RegisterClassInCategory(REFCLSID clsid, REFGUID category);
HRESULT UnregisterClassFromCategory(REFCLSID clsid, REFGUID category);
