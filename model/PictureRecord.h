// The record in which a page embeds a picture: the picture's name, the byte count, the
// image kind (1 raster, 2 metafile, 0 none) and the bytes (JPEG). The page's background
// and every object's fill picture use the same record.
#pragma once

#include "framework/core/String.h"
#include "model/PictureCodec.h"

class CArchive;

namespace PictureRecord {

// Writes the record. A picture that cannot be encoded gives an empty record, which the
// reader takes as no picture. Without a temporary file to encode through, the user is
// told the disk is full and the save fails (CUserException): writing on would lose the
// picture.
void Write(CArchive& ar, const CString& name, Gdiplus::Image* picture);

// Reads a record and returns its picture, or null when the bytes are no picture. Exactly
// the recorded bytes are consumed either way, so the next record is read in step.
Gdiplus::Image* Read(CArchive& ar);

}  // namespace PictureRecord
