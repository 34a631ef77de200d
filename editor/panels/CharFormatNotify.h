// CharFormatNotify: what the format bar and its owner exchange by WM_NOTIFY, a header
// followed by a character format (the size as the font height x 10, in twips). Code
// 0x1001 asks the owner for the selection's format, 0x1000 has it apply one.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <cstddef>

constexpr UINT kFormatGetCharFormat = 0x1001;
constexpr UINT kFormatSetCharFormat = 0x1000;

struct CharFormatNotify {
  NMHDR hdr;
  CHARFORMATA cf;
};

// The owner finds the format right behind the header.
static_assert(offsetof(CharFormatNotify, cf) == sizeof(NMHDR), "format follows the header");
static_assert(sizeof(CHARFORMATA) == 60, "the ANSI character format");
