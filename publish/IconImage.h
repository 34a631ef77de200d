// CIconImage: turns an icon into the pixel bits and mask of a 16-colour icon image, the
// format of the player's own file icon. Only pixels of exactly one of the 16 standard
// colours survive; every other colour (anti-aliased edges too) becomes transparent.
#pragma once

#include <windows.h>

#include "framework/core/String.h"

class CWnd;

class CIconImage {
 public:
  static constexpr int kBits32 = 32 * 32 / 2 + 32 * 4;  // 512 pixel bytes + 128 mask bytes
  static constexpr int kBits16 = 16 * 16 / 2 + 16 * 4;  // 128 + 64 (mask rows padded to 4 bytes)
  // The standard 16-colour palette, in the order the images' palettes hold it.
  static const COLORREF kPalette[16];

  // The window whose device context the drawing borrows; the screen's without one.
  CWnd* m_pWnd = nullptr;
  // Where ExtractModuleIcons takes icons from: the running editor unless a caller says.
  CString m_strModule;

  CIconImage();

  // The large (32 x 32) and small (16 x 16) images of the icon resource of that id in
  // the module; how many handles were made. The caller destroys them.
  UINT ExtractModuleIcons(int resourceId, HICON* large, HICON* small) const;
  void MakeIconBits32(HICON icon, BYTE* bits) const;  // kBits32 bytes
  void MakeIconBits16(HICON icon, BYTE* bits) const;  // kBits16 bytes

  // Packs size x size colours (rows top-down) into pixel nibbles and mask, rows
  // bottom-up: the first pixel of a pair in the high nibble; a colour outside the
  // palette gives nibble 0 and mask bit 1; mask rows padded to 4 bytes.
  static void PackIconBits(const COLORREF* pixels, int size, BYTE* bits);

 private:
  void MakeIconBits(HICON icon, int size, BYTE* bits) const;
};
