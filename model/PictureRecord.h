// The record in which a page embeds a picture: the picture's name, the byte count, the
// image kind (1 raster, 2 metafile, 0 none) and the bytes (JPEG). The page's background
// and every object's fill picture use the same record.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/core/String.h"

class CArchive;
class CPicture;

namespace PictureRecord {

// Writes the record. A picture that is missing or cannot be encoded gives an empty
// record, which the reader takes as no picture.
void Write(CArchive& ar, const CString& name, CPicture* picture);

// The same for several frames (held flipped) as one multi-frame file of that MIME type
// (the pages of a TIFF); one frame is written as JPEG.
void WriteFrames(CArchive& ar, const CString& name, CPicture* const* frames, int count, const WCHAR* mimeType);

// Reads a record and returns its encoded bytes (empty for an empty record). Exactly the
// recorded bytes are consumed; a length past the end throws the archive's exception.
std::vector<BYTE> ReadBytes(CArchive& ar);

// Reads a record and returns its picture (held flipped, as the model holds pictures), or
// null when the bytes are no picture. Exactly the recorded bytes are consumed either
// way, so the next record is read in step.
CPicture* Read(CArchive& ar);

}  // namespace PictureRecord
