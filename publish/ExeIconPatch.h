// Writing a chosen icon into a copy of the player. The copy's file icon is its first
// icon group; its 32 x 32 and 16 x 16 images of 4 bits per pixel are found through the
// executable's resource directory and their pixel bits overwritten in place. Nothing
// else moves: a package appended to the copy records absolute file positions.
#pragma once

#include <windows.h>

#include "framework/core/AfxTypes.h"

class CWnd;

// File positions of the two images (their BITMAPINFOHEADER); 0 when not found.
struct IconImageOffsets {
  DWORD large = 0;
  DWORD small = 0;
  bool Found() const { return large != 0 && small != 0; }
};

// The images of the first icon group of the executable, when both are there with the
// expected headers (40 bytes, 32 x 64 or 16 x 32, 1 plane, 4 bits, 744 or 296 bytes).
// Nothing in the file is trusted: anything out of place gives "not found".
IconImageOffsets LocateIconImages(const char* exePath);

// Renders the two icons and writes their bits over the images' pixels and masks
// (headers and palettes stay). False, with the file unchanged, when the images are not
// found or the file cannot be written.
bool PatchExeIcon(const char* exePath, HICON large, HICON small, CWnd* window = nullptr);
// The same with the icon of that resource id in the running editor.
bool PatchExeIcon(const char* exePath, int iconId, CWnd* window = nullptr);
