// Whether picture bytes from a file can be handed to the platform's decoders, GDI and
// GDI+. They trust what the bytes say of themselves: the length of a PNG chunk or a JPEG
// segment, the offset of a bitmap's bits, a picture's sides; and of metafiles, what the
// records say of themselves: a record's size, a count of points or characters, the
// offset of a string or a bitmap, a handle's slot in the table the header sizes. A
// damaged file makes them read and write outside the record or the table. These checks
// accept every metafile GDI writes and refuse one whose records claim more than they
// hold, whose handles lie outside the table, or whose records are of no known kind.
// Pictures larger than 8192 x 8192 pixels, or 65,536 a side, are refused too.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// An enhanced metafile: the header, then records up to the end record, which ends the
// bytes the header counts (the bytes after them are not part of it). On success *bytes
// (when given) is that count.
bool EnhancedMetafileSound(const BYTE* bits, size_t size, DWORD* bytes = nullptr);

// Picture bytes of any format: PNG, JPEG, GIF, BMP, icons and metafiles are checked,
// other formats pass.
bool EncodingFits(const BYTE* data, size_t size);

// A Windows metafile from its 18-byte header: records inside the size the header gives,
// up to the end record; fonts, pens and boxes within a few times the picture, whose
// side (in the units of its records until they set their own extents) is the larger
// side of the placeable bounds, or unknown (0: the largest a metafile can draw).
bool WindowsMetafileSound(const BYTE* bits, size_t size, int64_t side = 0);

// The larger side of a placeable metafile's bounds, from its 22-byte header.
int64_t PlaceableSide(const BYTE* header);

// GDI+ draws an enhanced metafile from the records of its own it keeps in comments when
// there are any, and from its plain records otherwise. Those records are not checked
// here, and the platform's GDI+ plays damaged ones into stack overflows: so pictures are
// drawn from their plain records, which GDI checks above and which every metafile that
// GDI+ recorded for other programs to read holds too. For a sound enhanced metafile that
// holds such comments, a copy of it without them; otherwise empty.
std::vector<BYTE> WithoutPlusRecords(const BYTE* bits, size_t size);

