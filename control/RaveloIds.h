// The control's identity: class identifiers, type library, interfaces and categories.
#pragma once

#include <windows.h>

// {A20B200F-6970-11D6-8AC4-00E04CDD25EA}
inline constexpr CLSID kRaveloCtrlClsid = {0xA20B200F, 0x6970, 0x11D6, {0x8A, 0xC4, 0x00, 0xE0, 0x4C, 0xDD, 0x25, 0xEA}};
// {A20B2010-6970-11D6-8AC4-00E04CDD25EA}
inline constexpr CLSID kRaveloPropPageClsid = {0xA20B2010, 0x6970, 0x11D6, {0x8A, 0xC4, 0x00, 0xE0, 0x4C, 0xDD, 0x25, 0xEA}};
// TAMRIXLib {A20B200C-6970-11D6-8AC4-00E04CDD25EA}, version 1.0
inline constexpr GUID kTamrixTypeLib = {0xA20B200C, 0x6970, 0x11D6, {0x8A, 0xC4, 0x00, 0xE0, 0x4C, 0xDD, 0x25, 0xEA}};
constexpr WORD kTamrixVerMajor = 1;
constexpr WORD kTamrixVerMinor = 0;
// _DRavelo {A20B200D-...} and _DRaveloEvents {A20B200E-...}
inline constexpr IID kRaveloDispatchIid = {0xA20B200D, 0x6970, 0x11D6, {0x8A, 0xC4, 0x00, 0xE0, 0x4C, 0xDD, 0x25, 0xEA}};
inline constexpr IID kRaveloEventsIid = {0xA20B200E, 0x6970, 0x11D6, {0x8A, 0xC4, 0x00, 0xE0, 0x4C, 0xDD, 0x25, 0xEA}};

constexpr const char* kRaveloCtrlProgId = "TAMRIX.RaveloCtrl.1";
constexpr const char* kRaveloPropPageProgId = "TAMRIX.RaveloPropPage.1";

// OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
// OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE
constexpr DWORD kRaveloMiscStatus = 0x20191;

// The platform's component categories.
// {7DD95801-9882-11CF-9FA9-00AA006C42C4}
inline constexpr GUID kCatidSafeForScripting = {0x7DD95801, 0x9882, 0x11CF, {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};
// {7DD95802-9882-11CF-9FA9-00AA006C42C4}
inline constexpr GUID kCatidSafeForInitializing = {0x7DD95802, 0x9882, 0x11CF, {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};

// The property that names the page.
constexpr DISPID kDispidSRC = 1;
