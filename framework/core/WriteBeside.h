// Rewriting a file safely: the new content is written whole into a file beside the
// target and then moved over it, so a failure part way (a full disk, a throwing
// serialiser) leaves the old file as it was, and a shorter content leaves no old tail.
#pragma once

#include <functional>

#include "framework/core/File.h"
#include "framework/core/String.h"

// write gets the new file open for writing. Whatever it throws, and a failure to flush
// or replace (CFileException), comes out after the partial file has been removed.
void WriteFileBeside(const CString& target, const std::function<void(CFile& file)>& write);
