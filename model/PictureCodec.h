// Pictures as bytes: the JPEG records a page embeds, and pictures decoded from such
// bytes. The model holds every picture upside down (page y grows upwards), so encoding
// flips a copy back and decoding flips the result.
#pragma once

#include <vector>

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

namespace PictureCodec {

enum class EncodeResult { ok, noTemporaryFile, encoderFailed };

// Encodes the picture as JPEG through a temporary file named with the prefix "tmp"
// (deleted again), as the page file's embedded records are written.
EncodeResult EncodeJpeg(Gdiplus::Image* picture, std::vector<BYTE>& bytes);

// A picture decoded from the bytes, independent of them and flipped for the page; null
// when the bytes are no picture GDI+ can read.
Gdiplus::Image* Decode(const BYTE* bytes, size_t count);

// The class id of the GDI+ encoder for a MIME type such as "image/jpeg".
bool EncoderClsid(const wchar_t* mimeType, CLSID& clsid);

}  // namespace PictureCodec
