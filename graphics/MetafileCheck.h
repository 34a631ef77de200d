// Whether metafile bytes from a file can be handed to GDI or GDI+. Both trust what the
// records say of themselves: a record's size, a count of points or characters, the
// offset of a string or a bitmap, a handle's slot in the table the header sizes. A
// damaged file makes them read and write outside the record or the table. These checks
// accept every metafile GDI writes and refuse one whose records claim more than they
// hold, whose handles lie outside the table, or whose records are of no known kind.
#pragma once

#include <windows.h>

#include <cstddef>

// An enhanced metafile: the header, then records up to the end record, which ends the
// bytes the header counts (the bytes after them are not part of it). On success *bytes
// (when given) is that count.
bool EnhancedMetafileSound(const BYTE* bits, size_t size, DWORD* bytes = nullptr);

// A Windows metafile from its 18-byte header: records inside the size the header gives,
// up to the end record.
bool WindowsMetafileSound(const BYTE* bits, size_t size);
