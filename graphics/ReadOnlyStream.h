#pragma once

#include <windows.h>
#include <objidl.h>

#include <vector>

// A stream over bytes held in memory, for decoders to read. Unlike the platform's
// streams over global memory, a read from a place past the end gives no bytes: a
// damaged picture that points a decoder beyond its own end cannot make it read past
// the buffer. Writes are refused. The stream starts with one reference;
// null when memory runs out.
IStream* NewReadOnlyStream(std::vector<BYTE> bytes);
