// GDI+ helpers every shape, the page and the editor share: loading and encoding
// pictures, drawing a picture into a rectangle, colour keys, encoder lookup, and the
// small geometry of rotating points and measuring a line's direction.
//
// Pages hold raster pictures upside down (page coordinates grow upwards), so the loaders
// can flip what they decode and the encoders turn a picture upright for the file and
// back afterwards. Metafiles are held upright and flipped when drawn.
#pragma once

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include <memory>
#include <vector>

#include "graphics/Picture.h"

// Makes width and height non-negative by moving x or y to the other edge.
void NormalizeGdipRect(Gdiplus::Rect& rect);

// Draws the picture into the rectangle (left, top, right, bottom), clipped to the path
// (intersected with the graphics' clip; null for no path): stretched over it when
// stretch is set, otherwise tiled at the picture's own size from its corner. With
// transparent set, pixels of the key colour are not drawn; transparency 0 to 255 lowers
// the picture's alpha (255 draws nothing). A metafile is drawn through a vertical flip
// so that it stands upright under the page's y-up mapping. The graphics' clip and
// transform are as before afterwards. Nothing happens without a picture or pixels.
void DrawImageEx(CPicture* picture, Gdiplus::Graphics* graphics, Gdiplus::GraphicsPath* clipPath, int left,
                 int top, int right, int bottom, BOOL stretch, BOOL transparent, int transparency,
                 COLORREF colourKey);

// A 32-bit ARGB copy of the picture's active frame in which every pixel whose colour,
// mapped through the graphics' nearest colour (null graphics: no mapping), equals the
// key is made fully transparent. Only the alpha of those pixels is cleared: their colour
// stays, so an encoder that drops alpha writes the key colour and the key applies again
// after reloading. A metafile is drawn into the copy upside down, as raster pictures
// are held. Null when there is nothing to copy or the copy fails.
std::unique_ptr<CPicture> CopyWithColourKey(CPicture& picture, Gdiplus::Graphics* graphics, COLORREF key);

// Turns the points in place about the centre by the angle (radians, counter-clockwise
// in the page's y-up coordinates), rounding each coordinate half away from zero.
void RotatePointsAbout(double angle, double centreX, double centreY, POINT* points, int count);

// The direction from the first point to the second in radians: 0 and pi along the x
// axis, 3pi/2 when the second point has the greater y and pi/2 otherwise (also for equal
// points) along the y axis, atan2(y1 - y2, x2 - x1) in every other case. The special
// cases lie in [0, 2pi) and the others in (-pi, pi]; callers depend on both.
double LineAngle(POINT from, POINT to);
double LineAngleD(double x1, double y1, double x2, double y2);

// Decodes a picture file. The name is code page 936 and is converted to UTF-16 for the
// system; the file is read into memory and closed before decoding, so it is never held
// open. With flip, a raster picture is turned upside down (Rotate180FlipX). With
// frameCount, the number of frames of the first frame dimension is stored there. A
// failure is not null: the holder carries the failing status and no image. Null only
// when the holder itself cannot be allocated. Flipping turns the active (first) frame
// only; for the frames of an animation, load without flipping, select each frame, and
// flip a Clone() of it.
std::unique_ptr<CPicture> LoadImageFile(const char* path, BOOL flip, UINT* frameCount = nullptr);
// The same for the bytes of a picture file held in memory (an embedded picture).
std::unique_ptr<CPicture> LoadImageBytes(const void* data, size_t size, BOOL flip, UINT* frameCount = nullptr);

// The index of the first image encoder whose MIME type is exactly the text, with its
// class id in *clsid; -1 when there is none or the list cannot be had.
int GetEncoderClsid(const WCHAR* mimeType, CLSID* clsid);

// Encodes the picture as a file of that MIME type ("image/jpeg", "image/png", ...) into
// bytes. heldFlipped: the picture is held upside down, as pages hold them; it is turned
// upright for the encoder and back afterwards, whatever happens. A metafile is drawn
// into a bitmap on white first. Returns the status; bytes are empty on failure.
Gdiplus::Status EncodeImage(CPicture& picture, const WCHAR* mimeType, BOOL heldFlipped, std::vector<BYTE>& bytes);
// Several frames as one multi-frame file (TIFF pages); one frame as EncodeImage does.
Gdiplus::Status EncodeImageFrames(CPicture* const* frames, int count, const WCHAR* mimeType, BOOL heldFlipped,
                                  std::vector<BYTE>& bytes);
