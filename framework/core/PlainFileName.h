// Names that come from a file (a package's table, a page's embedded media) may come from
// anywhere: only a plain file name may be joined to a folder, never a path that leads
// out of it, a stream or a device.
#pragma once

#include "framework/core/String.h"

// A non-empty name (code page 936) other than "." and "..", without separators, drive
// or stream colons, wildcards or control characters, whose characters are whole, and
// that names no device (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any extension).
bool IsPlainFileName(const CString& name);
