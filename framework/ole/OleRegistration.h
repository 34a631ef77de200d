// Registry entries of a control DLL's classes and type library, under HKEY_CLASSES_ROOT:
//   CLSID\{class}            the type name; InprocServer32 (the DLL, ThreadingModel),
//                            ProgID, Control, ToolboxBitmap32 ("path, id"),
//                            MiscStatus (with \1 for the content aspect), TypeLib,
//                            Version, Verb (the Properties verb)
//   <ProgID>                 the type name; CLSID
//   TypeLib\{library}        written by RegisterTypeLib from the DLL's TYPELIB 1
#pragma once

#include <objbase.h>

#include "framework/core/AfxTypes.h"

// Threading flags of AfxOleRegisterControlClass.
constexpr UINT afxRegApartmentThreading = 0x0002;
constexpr UINT afxRegInsertable = 0x0001;

BOOL AfxOleRegisterControlClass(HINSTANCE instance, REFCLSID clsid, const char* progId, UINT typeNameId,
                                UINT bitmapId, UINT flags, DWORD miscStatus, REFGUID typeLib, WORD verMajor,
                                WORD verMinor);
BOOL AfxOleRegisterPropertyPageClass(HINSTANCE instance, REFCLSID clsid, UINT typeNameId);
// Removes the class's key and its ProgID's key (when given).
BOOL AfxOleUnregisterClass(REFCLSID clsid, const char* progId);
// Registers TYPELIB 1 of the module; FALSE when it has none or it cannot be registered.
BOOL AfxOleRegisterTypeLib(HINSTANCE instance, REFGUID typeLib);
BOOL AfxOleUnregisterTypeLib(REFGUID typeLib, WORD verMajor, WORD verMinor, LCID lcid = 0);
