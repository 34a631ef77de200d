// CMetaFile: holds one enhanced metafile. It reads a Windows metafile (with or without
// the placeable header) from any file object, plays it into a rectangle, and stores
// itself in an archive as the placeable header it was read with and the enhanced
// metafile's bits. Picture objects draw one as their placeholder.
//
// Its class is versionable: the archive carries schema 1 and any schema is accepted on
// reading (every version so far has the same record).
#pragma once

#include <memory>

#include "framework/core/File.h"
#include "framework/core/Rect.h"
#include "framework/ui/MetaFileDC.h"

class CArchive;

class CMetaFile : public CMetaFileDC {
  DECLARE_SERIAL(CMetaFile)

 public:
  CMetaFile() = default;
  ~CMetaFile() override;

  // Reads a Windows metafile starting at the file's beginning. TRUE when it was read and
  // converted; on any failure FALSE, and the holder keeps what it held.
  BOOL LoadWindowsMetafile(CFile* file);
  // Plays the metafile into the rectangle (exchange top and bottom to stand it upright
  // under a y-up mapping); nothing when none is held.
  void Play(CDC* dc, const CRect& rect);
  // 24 header bytes, the size n of the enhanced-metafile bits, the n bytes. Loading
  // checks n against the bytes left and the bits' structure before handing them to GDI.
  void Serialize(CArchive& ar) override;

  HENHMETAFILE m_hEnhMetaFile = nullptr;
  // The 22-byte placeable header of the last file read (zero when it had none) and two
  // bytes kept zero.
  BYTE m_placeableHeader[24] = {};

 private:
  void Replace(HENHMETAFILE metafile);
};

// The placeholder picture (resource "WMF_PIC" 264 of the resource module) in a new
// holder; null when the resource cannot be found, loaded or locked.
std::unique_ptr<CMetaFile> LoadPlaceholderMetafile();
