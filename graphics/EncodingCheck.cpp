#include "graphics/EncodingCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kEnhHeaderBytes = 88;  // ENHMETAHEADER up to szlMillimeters
constexpr UINT kMetaHeaderBytes = 18;
constexpr int64_t kFarCoordinate = 1 << 24;
constexpr int64_t kLargestDevice = 1 << 16;
// Kinds of records and text options the platform's headers leave unnamed.
constexpr DWORD kDrawEscape = 105, kExtEscape = 106, kSmallTextOut = 108, kNamedEscape = 110, kSetLinkedUfis = 119;
constexpr DWORD kNoRectangle = 0x100, kSmallChars = 0x200;

WORD Word(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD Dword(const BYTE* p) { return Word(p) | (static_cast<DWORD>(Word(p + 2)) << 16); }
int32_t Long(const BYTE* p) { return static_cast<int32_t>(Dword(p)); }

// A picture larger than this is not decoded: the platform's decoders compute the size
// of its pixels in 32 bits and write past a buffer allocated for the wrapped-round size,
// and a metafile is drawn into a bitmap of its size. 8192 x 8192 pixels is far beyond
// any page.
bool PictureSizeFits(uint64_t width, uint64_t height) {
  constexpr uint64_t kLargestSide = 1 << 16, kLargestPixels = uint64_t{1} << 26;
  return width <= kLargestSide && height <= kLargestSide && width * height <= kLargestPixels;
}

uint32_t BigEndian32(const BYTE* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// A device-independent bitmap: its header and colour table in infoBytes, bits enough for
// its rows in bitsBytes (rows negative: as many as the header says), of a size the
// decoders can hold, in a coding they know. A packed one has its bits right after its
// colours, in the infoBytes.
bool DibFits(const BYTE* info, DWORD infoBytes, DWORD bitsBytes, DWORD usage, int64_t rows, bool packed = false) {
  if (infoBytes < sizeof(BITMAPCOREHEADER)) return false;
  // Colours as RGB, as palette indices, or none (a monochrome pattern: text and back
  // colours).
  constexpr DWORD kPaletteMono = 2;
  if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS && usage != kPaletteMono) return false;
  const DWORD headerBytes = Dword(info);
  if (headerBytes < sizeof(BITMAPCOREHEADER) || headerBytes > infoBytes) return false;
  int64_t width, height;
  DWORD bitCount, compression = BI_RGB, imageBytes = 0, colours = 0, entryBytes;
  if (headerBytes == sizeof(BITMAPCOREHEADER)) {
    width = Word(info + 4);
    height = Word(info + 6);
    bitCount = Word(info + 10);
    entryBytes = usage == DIB_PAL_COLORS ? 2 : usage == kPaletteMono ? 0 : 3;
  } else {
    if (headerBytes < sizeof(BITMAPINFOHEADER)) return false;
    width = Long(info + 4);
    height = Long(info + 8);
    bitCount = Word(info + 14);
    compression = Dword(info + 16);
    imageBytes = Dword(info + 20);
    colours = Dword(info + 32);
    entryBytes = usage == DIB_PAL_COLORS ? 2 : usage == kPaletteMono ? 0 : 4;
  }
  if (height < 0) height = -height;
  if (width <= 0 || height == 0 || !PictureSizeFits(static_cast<uint64_t>(width), static_cast<uint64_t>(height)))
    return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return false;
  if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
  uint64_t tableBytes = static_cast<uint64_t>(colours) * entryBytes;
  switch (compression) {
    case BI_RGB:
      break;
    case BI_BITFIELDS:
      if (bitCount != 16 && bitCount != 32) return false;
      if (headerBytes == sizeof(BITMAPINFOHEADER)) tableBytes += 12;
      break;
    case BI_RLE8:
    case BI_RLE4:
      if (bitCount != (compression == BI_RLE8 ? 8u : 4u) || imageBytes == 0) return false;
      break;
    default:
      return false;  // embedded JPEG or PNG, or no known coding
  }
  if (tableBytes > infoBytes - headerBytes) return false;
  if (packed) bitsBytes = static_cast<DWORD>(infoBytes - headerBytes - tableBytes);
  if ((compression == BI_RLE8 || compression == BI_RLE4) && imageBytes > bitsBytes) return false;
  if (compression == BI_RGB || compression == BI_BITFIELDS) {
    const uint64_t stride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
    const int64_t heldRows = rows < 0 || rows > height ? height : rows;
    if (stride * static_cast<uint64_t>(heldRows) > bitsBytes) return false;
  }
  return true;
}

// A bitmap file: the file header, the bitmap's header and colours up to the offset of
// its bits, the bits after it. The platform's decoder read from an offset of 16 MB past
// the end of a file of 250 bytes.
bool BmpFits(const BYTE* data, size_t size) {
  constexpr DWORD kFileHeaderBytes = 14;
  if (size < kFileHeaderBytes + sizeof(BITMAPCOREHEADER) || size > 0xFFFFFFFFu) return false;
  const DWORD offBits = Dword(data + 10);
  if (offBits < kFileHeaderBytes + sizeof(BITMAPCOREHEADER) || offBits > size) return false;
  return DibFits(data + kFileHeaderBytes, offBits - kFileHeaderBytes, static_cast<DWORD>(size - offBits), DIB_RGB_COLORS,
                 -1);
}

// A PNG whose chunks claim more bytes than it has is damaged: the platform's decoder,
// given one whose end chunk claims a billion bytes, writes past its buffers.
bool PngChunksFit(const BYTE* data, size_t size) {
  if (size >= 24 && std::memcmp(data + 12, "IHDR", 4) == 0 &&
      !PictureSizeFits(BigEndian32(data + 16), BigEndian32(data + 20)))
    return false;
  size_t at = 8;
  while (size - at >= 12) {
    const uint64_t length = (static_cast<uint64_t>(data[at]) << 24) | (data[at + 1] << 16) | (data[at + 2] << 8) | data[at + 3];
    if (length > size - at - 12) return false;
    if (std::memcmp(data + at + 4, "IEND", 4) == 0) return true;
    at += 12 + static_cast<size_t>(length);
  }
  return at == size;
}

// Likewise a JPEG whose marker segment claims more bytes than follow it: the platform's
// decoder skips the claimed bytes past the end of its buffer and reads beyond it. The
// coded data after a scan header runs to the next marker; a picture cut short there
// still decodes as far as it goes.
bool JpegSegmentsFit(const BYTE* data, size_t size) {
  size_t at = 2;
  bool inScan = false;
  while (at < size) {
    if (data[at] != 0xFF) {
      ++at;  // coded data, or stray bytes the decoder passes over to the next marker
      continue;
    }
    if (at + 1 >= size) return inScan;  // a cut marker, harmless only inside coded data
    const BYTE marker = data[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (inScan && (marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7))) {  // stuffed byte, restart
      at += 2;
      continue;
    }
    if (marker == 0xD9) return true;  // end of image
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a length
      at += 2;
      continue;
    }
    if (size - at < 4) return false;
    const size_t length = (static_cast<size_t>(data[at + 2]) << 8) | data[at + 3];
    if (length < 2 || length > size - at - 2) return false;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame && length >= 7) {
      const BYTE* f = data + at + 4;  // precision, height, width
      if (!PictureSizeFits((f[3] << 8) | f[4], (f[1] << 8) | f[2])) return false;
    }
    at += 2 + length;
    inScan = marker == 0xDA;
  }
  return true;
}

// An icon: its directory, then each picture inside the file where the directory puts
// it, a PNG or a packed bitmap whose height counts its colour rows and its mask's. The
// platform's decoder adds a picture's offset and length in 32 bits, so an offset near
// 4 GB wraps round its own check and it reads far outside the file.
bool IconFits(const BYTE* data, size_t size) {
  constexpr size_t kDirectoryBytes = 6, kEntryBytes = 16;
  const size_t count = Word(data + 4);
  if (count == 0 || size < kDirectoryBytes + count * kEntryBytes) return false;
  static const BYTE kPng[4] = {0x89, 'P', 'N', 'G'};
  for (size_t i = 0; i < count; ++i) {
    const BYTE* entry = data + kDirectoryBytes + i * kEntryBytes;
    const uint64_t bytes = Dword(entry + 8), offset = Dword(entry + 12);
    if (bytes < sizeof(BITMAPCOREHEADER) || offset > size || bytes > size - offset) return false;
    const BYTE* picture = data + offset;
    if (std::memcmp(picture, kPng, sizeof kPng) == 0) {
      if (!PngChunksFit(picture, static_cast<size_t>(bytes))) return false;
      continue;
    }
    const DWORD headerBytes = Dword(picture);
    const int64_t doubled = headerBytes == sizeof(BITMAPCOREHEADER) ? Word(picture + 6)
                            : headerBytes >= sizeof(BITMAPINFOHEADER) && bytes >= sizeof(BITMAPINFOHEADER)
                                ? std::llabs(int64_t{Long(picture + 8)})
                                : 0;
    if (!DibFits(picture, static_cast<DWORD>(bytes), 0, DIB_RGB_COLORS, doubled / 2, true)) return false;
  }
  return true;
}

// One record, its fields read only inside it.
class Record {
 public:
  Record(const BYTE* bytes, DWORD size, DWORD handles) : m_bytes(bytes), m_size(size), m_handles(handles) {}

  DWORD Size() const { return m_size; }
  DWORD At(DWORD offset) const { return offset + 4 <= m_size ? Dword(m_bytes + offset) : 0; }
  WORD WordAt(DWORD offset) const { return offset + 2 <= m_size ? Word(m_bytes + offset) : 0; }
  const BYTE* Bytes() const { return m_bytes; }

  // count items of itemBytes each, starting at offset, lie inside the record.
  bool Holds(uint64_t offset, uint64_t count, uint64_t itemBytes) const {
    return offset <= m_size && count <= (m_size - offset) / (itemBytes ? itemBytes : 1);
  }
  // A slot of the handle table the record creates an object in.
  bool NewHandle(DWORD offset) const {
    const DWORD slot = At(offset);
    return slot > 0 && slot < m_handles;
  }
  // An object of the table the record uses, which the platform takes from the table
  // without looking for stock objects: a stock object's number there reads and writes
  // far outside it.
  bool TableHandle(DWORD offset) const { return NewHandle(offset); }
  // A handle the record selects: a slot of the table, or a stock object.
  bool UsedHandle(DWORD offset) const {
    const DWORD slot = At(offset);
    return (slot & 0x80000000u) ? (slot & 0x7FFFFFFFu) <= STOCK_LAST : slot < m_handles;
  }

  // A bitmap the record carries: its header and colours at offBmi, its bits at offBits.
  // rows is how many rows the bits hold (negative: as many as the header says).
  bool Bitmap(DWORD offBmiAt, DWORD cbBmiAt, DWORD offBitsAt, DWORD cbBitsAt, DWORD usage, bool required,
              int64_t rows = -1) const {
    const DWORD offBmi = At(offBmiAt), cbBmi = At(cbBmiAt), offBits = At(offBitsAt), cbBits = At(cbBitsAt);
    if (offBmi == 0 && cbBmi == 0) return !required;
    if (offBmi < 8 || !Holds(offBmi, cbBmi, 1)) return false;
    if (cbBits && (offBits < 8 || !Holds(offBits, cbBits, 1))) return false;
    return DibFits(m_bytes + offBmi, cbBmi, cbBits, usage, rows);
  }

  // A text record's EMRTEXT at offset: its characters and spacing inside the record.
  bool Text(DWORD offset, DWORD charBytes) const {
    if (!Holds(offset, 1, 40)) return false;
    const DWORD count = At(offset + 8), offString = At(offset + 12), options = At(offset + 16),
                offDx = At(offset + 36);
    if (count == 0) return true;
    if (offString < 8 || !Holds(offString, count, charBytes)) return false;
    const uint64_t spacings = static_cast<uint64_t>(count) * ((options & ETO_PDY) ? 2 : 1);
    return offDx == 0 || (offDx >= 8 && Holds(offDx, spacings, 4));
  }

  // Region data of cbRgnData bytes at offset: its header and rectangles inside.
  bool Region(DWORD cbAt, DWORD offset, bool mayBeEmpty) const {
    const DWORD bytes = At(cbAt);
    if (bytes == 0) return mayBeEmpty;
    if (bytes < sizeof(RGNDATAHEADER) || !Holds(offset, bytes, 1)) return false;
    const BYTE* data = m_bytes + offset;
    if (Dword(data) < sizeof(RGNDATAHEADER) || Dword(data + 4) != RDH_RECTANGLES) return false;
    return Dword(data + 8) <= (bytes - sizeof(RGNDATAHEADER)) / sizeof(RECT);
  }

  // count points of pointBytes each at offset.
  bool Points(DWORD countAt, DWORD offset, DWORD pointBytes) const { return Holds(offset, At(countAt), pointBytes); }

  // nPolys counts at 24, the points after them; the counts add up to at most the points.
  bool PolyPoly(DWORD pointBytes) const {
    const DWORD polys = At(24), points = At(28);
    if (!Holds(32, polys, 4)) return false;
    const uint64_t countsEnd = 32 + static_cast<uint64_t>(polys) * 4;
    if (!Holds(countsEnd, points, pointBytes)) return false;
    uint64_t total = 0;
    for (DWORD i = 0; i < polys; ++i) total += Dword(m_bytes + 32 + i * 4);
    return total <= points;
  }

 private:
  const BYTE* m_bytes;
  DWORD m_size;
  DWORD m_handles;
};

// The fixed part of each kind of record, in bytes; zero for kinds no file holds.
DWORD FixedBytes(DWORD type) {
  static const WORD kFixed[] = {
      0,   88,  28,  28,  28,  28,  28,  32,  32,  16,  16,  16,  16,  16,  20,  20,   // 0-15
      12,  12,  12,  12,  12,  12,  12,  32,  12,  12,  16,  16,  8,   24,  24,  24,   // 16-31
      24,  8,   12,  32,  36,  12,  28,  24,  12,  28,  24,  24,  32,  40,  40,  40,   // 32-47
      12,  16,  20,  16,  8,   24,  16,  40,  28,  12,  12,  8,   8,   8,   24,  24,   // 48-63
      24,  8,   8,   12,  8,   0,   12,  32,  40,  28,  28,  16,  100, 108, 128, 140,  // 64-79
      76,  80,  104, 76,  76,  28,  28,  28,  28,  28,  32,  32,  28,  32,  32,  52,   // 80-95
      40,  40,  12,  340, 12,  12,  12,  28,  48,  16,  16,  0,   36,  16,  20,  24,   // 96-111
      20,  20,  108, 12,  108, 0,   36,  12,  20,  24,  608};                         // 112-122
  return type < sizeof kFixed / sizeof kFixed[0] ? kFixed[type] : 0;
}

// What a record of its kind says of the bytes after its fixed part and of handles.
bool RecordSound(DWORD type, const Record& r) {
  switch (type) {
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
      return r.Points(24, 28, 8);
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
      return r.Points(24, 28, 4);
    case EMR_POLYDRAW:
      return r.Points(24, 28, 9);
    case EMR_POLYDRAW16:
      return r.Points(24, 28, 5);
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON:
      return r.PolyPoly(8);
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
      return r.PolyPoly(4);
    case EMR_EOF:
      return r.At(8) == 0 || r.Holds(r.At(12), r.At(8), 4);
    case EMR_SELECTOBJECT: case EMR_SELECTPALETTE:
      return r.UsedHandle(8);
    case EMR_DELETEOBJECT: case EMR_SETCOLORSPACE: case EMR_DELETECOLORSPACE:
      return r.TableHandle(8);
    case EMR_CREATEPEN: case EMR_CREATEBRUSHINDIRECT: case EMR_EXTCREATEFONTINDIRECTW: case EMR_CREATECOLORSPACE:
      return r.NewHandle(8);
    case EMR_CREATECOLORSPACEW:
      return r.NewHandle(8) && r.Holds(608, r.At(604), 1);
    case EMR_CREATEPALETTE:
      return r.NewHandle(8) && r.Holds(16, r.WordAt(14), 4);
    case EMR_SETPALETTEENTRIES:
      return r.TableHandle(8) && r.Holds(20, r.At(16), 4);
    case EMR_RESIZEPALETTE: case EMR_COLORCORRECTPALETTE:
      return r.TableHandle(8);
    case EMR_EXTCREATEPEN:
      return r.NewHandle(8) && r.Holds(52, r.At(48), 4) && r.Bitmap(12, 16, 20, 24, DIB_RGB_COLORS, false);
    case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT:
      return r.NewHandle(8) && r.Bitmap(16, 20, 24, 28, r.At(12), true);
    case EMR_GDICOMMENT: case EMR_GLSRECORD:
      return r.Holds(12, r.At(8), 1);
    case EMR_GLSBOUNDEDRECORD:
      return r.Holds(28, r.At(24), 1);
    case kDrawEscape: case kExtEscape:
      return r.Holds(16, r.At(12), 1);
    case kNamedEscape:
      return r.Holds(20, static_cast<uint64_t>(r.At(12)) + r.At(16), 1);
    case EMR_SETICMPROFILEA: case EMR_SETICMPROFILEW:
      return r.Holds(20, static_cast<uint64_t>(r.At(12)) + r.At(16), 1);
    case EMR_COLORMATCHTOTARGETW:
      return r.Holds(24, static_cast<uint64_t>(r.At(16)) + r.At(20), 1);
    case kSetLinkedUfis:
      return r.Holds(12, r.At(8), 8);
    case EMR_FILLRGN:
      return r.TableHandle(28) && r.Region(24, 32, false);
    case EMR_FRAMERGN:
      return r.TableHandle(28) && r.Region(24, 40, false);
    case EMR_INVERTRGN: case EMR_PAINTRGN:
      return r.Region(24, 28, false);
    case EMR_EXTSELECTCLIPRGN:
      return r.Region(8, 16, true);
    case EMR_BITBLT:
      return r.Bitmap(84, 88, 92, 96, r.At(80), false);
    case EMR_STRETCHBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
      return r.Bitmap(84, 88, 92, 96, r.At(80), false);
    case EMR_MASKBLT:
      return r.Bitmap(84, 88, 92, 96, r.At(80), false) && r.Bitmap(112, 116, 120, 124, r.At(108), false);
    case EMR_PLGBLT:
      return r.Bitmap(96, 100, 104, 108, r.At(92), false) && r.Bitmap(124, 128, 132, 136, r.At(120), false);
    case EMR_SETDIBITSTODEVICE:
      return r.Bitmap(48, 52, 56, 60, r.At(64), true, r.At(72));
    case EMR_STRETCHDIBITS:
      return r.Bitmap(48, 52, 56, 60, r.At(64), true);
    case EMR_EXTTEXTOUTA:
      return r.Text(36, 1);
    case EMR_EXTTEXTOUTW:
      return r.Text(36, 2);
    case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW: {
      const DWORD strings = r.At(36);
      if (!r.Holds(40, strings, 40)) return false;
      for (DWORD i = 0; i < strings; ++i)
        if (!r.Text(40 + i * 40, type == EMR_POLYTEXTOUTA ? 1 : 2)) return false;
      return true;
    }
    case kSmallTextOut: {
      const DWORD count = r.At(16), options = r.At(20);
      const DWORD text = 36 + ((options & kNoRectangle) ? 0 : 16);
      return r.Holds(text, count, (options & kSmallChars) ? 1 : 2);
    }
    case EMR_GRADIENTFILL: {
      const DWORD vertices = r.At(24), shapes = r.At(28), mode = r.At(32);
      if (mode > GRADIENT_FILL_TRIANGLE || !r.Holds(36, vertices, 16)) return false;
      const uint64_t shapesAt = 36 + static_cast<uint64_t>(vertices) * 16;
      const DWORD indices = mode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
      if (!r.Holds(shapesAt, shapes, indices * 4)) return false;
      for (uint64_t i = 0; i < static_cast<uint64_t>(shapes) * indices; ++i)
        if (Dword(r.Bytes() + shapesAt + i * 4) >= vertices) return false;
      return true;
    }
    default:
      return true;
  }
}

// One record of a Windows metafile: its parameters are 16-bit words after the 6 bytes of
// size and function.
class WindowsRecord {
 public:
  WindowsRecord(const BYTE* bytes, DWORD size, WORD objects) : m_bytes(bytes), m_size(size), m_objects(objects) {}

  uint64_t Words() const { return (m_size - 6) / 2; }
  WORD Param(uint64_t i) const { return i < Words() ? Word(m_bytes + 6 + i * 2) : 0; }
  // An object's slot in the table the header sizes.
  bool Object(uint64_t i) const { return i < Words() && Param(i) < m_objects; }
  // A packed bitmap from parameter i to the end of the record.
  bool PackedDib(uint64_t i, DWORD usage) const {
    if (i >= Words()) return false;
    return DibFits(m_bytes + 6 + i * 2, static_cast<DWORD>((Words() - i) * 2), 0, usage, -1, true);
  }
 private:
  const BYTE* m_bytes;
  DWORD m_size;
  WORD m_objects;
};

// What a record of its function says of its parameters, its objects and its bitmaps;
// functions not listed are refused.
bool WindowsRecordSound(WORD function, const WindowsRecord& r) {
  const uint64_t words = r.Words();
  switch (function) {
    case 0x001E: case 0x0035:  // save, realize palette
      return true;
    case 0x0102: case 0x0103: case 0x0104: case 0x0105: case 0x0106: case 0x0107: case 0x0108:
    case 0x0127: case 0x012E: case 0x0139: case 0x0149:  // modes, restore, align, resize, layout
      return words >= 1;
    case 0x012A: case 0x012B: case 0x012C: case 0x012D: case 0x01F0: case 0x0234:  // region, select, delete
      return r.Object(0);
    case 0x0228:  // fill region: region, brush
      return r.Object(0) && r.Object(1);
    case 0x0429:  // frame region
      return words >= 4 && r.Object(0) && r.Object(1);
    case 0x0201: case 0x0209: case 0x020A: case 0x020B: case 0x020C: case 0x020D: case 0x020E: case 0x020F:
    case 0x0211: case 0x0213: case 0x0214: case 0x0220: case 0x0231:
      return words >= 2;
    case 0x0410: case 0x0412: case 0x0415: case 0x0416: case 0x0418: case 0x0419: case 0x041B: case 0x041F:
    case 0x02FC:  // scale, clip rectangles, ellipse, flood, rectangle, pixel, brush
      return words >= 4;
    case 0x0548: case 0x02FA:  // extended flood fill, pen
      return words >= 5;
    case 0x061C: case 0x061D:  // rounded rectangle, pattern blit
      return words >= 6;
    case 0x0817: case 0x081A: case 0x0830:  // arc, pie, chord
      return words >= 8;
    case 0x02FB:  // font: the 18 bytes before the face name
      return words >= 9;
    case 0x0324: case 0x0325:  // polygon, polyline: count, points
      return words >= 1 && r.Param(0) * 2ULL <= words - 1;
    case 0x0538: {  // polypolygon: count of polygons, their counts, the points
      if (words < 1 || r.Param(0) > words - 1) return false;
      uint64_t points = 0;
      for (uint64_t i = 0; i < r.Param(0); ++i) points += r.Param(1 + i);
      return points * 2 <= words - 1 - r.Param(0);
    }
    case 0x0521: {  // text: count, characters, y, x
      const uint64_t count = r.Param(0);
      return words >= 1 && (count + 1) / 2 + 3 <= words;
    }
    case 0x0A32: {  // extended text: y, x, count, options, [rectangle], characters, [spacing]
      if (words < 4) return false;
      const uint64_t count = r.Param(2);
      const uint64_t rectangle = (r.Param(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
      return 4 + rectangle + (count + 1) / 2 <= words;
    }
    case 0x0626:  // escape: function, byte count, bytes
      return words >= 2 && (r.Param(1) + 1ULL) / 2 <= words - 2;
    case 0x00F7:  // palette: version, count, entries
      return words >= 2 && r.Param(1) * 2ULL <= words - 2;
    case 0x0037: case 0x0436:  // palette entries: start, count, entries
      return words >= 2 && r.Param(1) * 2ULL <= words - 2;
    case 0x06FF: {  // region: eleven words of header, then the scans
      if (words < 11) return false;
      uint64_t at = 11;
      for (WORD scan = 0; scan < r.Param(5); ++scan) {
        if (at >= words) return false;
        const uint64_t count = r.Param(at);
        if (count % 2 != 0 || at + 3 + count >= words || r.Param(at + 3 + count) != count) return false;
        at += 4 + count;
      }
      return true;
    }
    case 0x0940:  // bitmap blit: rop (2), source y, x, height, width, destination y, x; a bitmap
      return words >= 8 && (words == 8 || words == 9 || r.PackedDib(8, DIB_RGB_COLORS));
    case 0x0B41:  // stretched: rop (2), source height, width, y, x, destination height, width, y, x
      return words >= 10 && (words == 10 || words == 11 || r.PackedDib(10, DIB_RGB_COLORS));
    case 0x0F43:  // stretched bitmap: rop (2), usage, then eight coordinates, the bitmap
      return words >= 11 && r.PackedDib(11, r.Param(2));
    case 0x0D33:  // bitmap to device: usage, scans, start, source y, x, height, width, destination y, x
      return words >= 9 && r.PackedDib(9, r.Param(0));
    case 0x0142:  // bitmap pattern brush: style, usage, the bitmap
      return words >= 2 && r.PackedDib(2, r.Param(1));
    default:
      // Among them the blits and pattern brush of device-dependent bitmaps, which no
      // writer has made since 16-bit Windows and whose bitmaps the platform reads unchecked.
      return false;
  }
}

bool Far(int32_t v) { return v < -kFarCoordinate || v > kFarCoordinate; }

bool HeaderSound(const BYTE* bits, DWORD bytes) {
  const DWORD headerBytes = Dword(bits + 4);
  if (headerBytes < kEnhHeaderBytes || headerBytes > bytes || headerBytes % 4 != 0) return false;
  for (DWORD at = 8; at < 40; at += 4)  // bounds and frame
    if (Far(Long(bits + at))) return false;
  const int64_t deviceX = Long(bits + 72), deviceY = Long(bits + 76), millimetresX = Long(bits + 80),
                millimetresY = Long(bits + 84);
  for (int64_t v : {deviceX, deviceY, millimetresX, millimetresY})
    if (v <= 0 || v > kLargestDevice) return false;
  // Its size in pixels: the bounds, and the frame (hundredths of millimetres) on the
  // reference device; a frame of 167 metres held a picture for minutes.
  auto extent = [&](DWORD from) { return static_cast<uint64_t>(std::llabs(int64_t{Long(bits + from + 8)} - Long(bits + from))) + 1; };
  if (!PictureSizeFits(extent(8), extent(12))) return false;
  if (!PictureSizeFits(extent(24) * deviceX / (millimetresX * 100), extent(28) * deviceY / (millimetresY * 100)))
    return false;
  const Record header(bits, headerBytes, 0);
  const DWORD descriptionChars = header.At(60), descriptionAt = header.At(64);
  if (descriptionChars && (descriptionAt < kEnhHeaderBytes || !header.Holds(descriptionAt, descriptionChars, 2)))
    return false;
  if (headerBytes >= 100) {
    const DWORD formatBytes = header.At(88), formatAt = header.At(92);
    if (formatBytes && (formatAt < 100 || !header.Holds(formatAt, formatBytes, 1))) return false;
  }
  return Word(bits + 56) > 0;  // the handle table has slot 0, the metafile's own
}

// How large a metafile's drawing is on its reference device, record by record: the scale
// of its mapping (map mode, window and viewport extents, world transform, kept through
// SaveDC and RestoreDC) times the size of the font a text is written in, of the pen a
// line is drawn with and of each box drawn. The platform draws a glyph, a widened pen and
// an ellipse at their full size whatever part shows: a font 32,526 units high in a
// picture 90 pixels wide took 23 s and a gigabyte, an ellipse 1.4 thousand million units
// tall 41 s. A font or pen larger than four times the picture, or a box larger than 64
// times, is no drawing of it.
class Reach {
 public:
  Reach(const BYTE* header, DWORD handles) : m_kinds(handles, 0), m_sizes(handles, 0) {
    auto extent = [&](DWORD from) { return std::fabs(static_cast<double>(Long(header + from + 8)) - Long(header + from)) + 1; };
    const double deviceX = Long(header + 72), deviceY = Long(header + 76);
    m_pixelsPerMillimetre = std::max(deviceX / Long(header + 80), deviceY / Long(header + 84));
    m_side = std::max({extent(8), extent(12), extent(24) * m_pixelsPerMillimetre / 100,
                       extent(28) * m_pixelsPerMillimetre / 100, 64.0});
  }

  // False when the record makes the drawing larger than the picture could hold.
  bool Follow(DWORD type, const Record& r) {
    switch (type) {
      case EMR_SETMAPMODE: {
        const int mode = static_cast<int>(r.At(8));
        if (Scalable(mode) && !Scalable(m_now.mode)) {  // the extents start as the mapping was
          m_now.windowX = m_now.windowY = 1;
          m_now.viewportX = m_now.viewportY = Mapping();
        }
        m_now.mode = mode;
        return true;
      }
      // Extents count only in the modes that scale.
      case EMR_SETWINDOWEXTEX: Extent(m_now.windowX, m_now.windowY, r.At(8), r.At(12)); return true;
      case EMR_SETVIEWPORTEXTEX: Extent(m_now.viewportX, m_now.viewportY, r.At(8), r.At(12)); return true;
      case EMR_SCALEVIEWPORTEXTEX: Scaled(m_now.viewportX, m_now.viewportY, r); return true;
      case EMR_SCALEWINDOWEXTEX: Scaled(m_now.windowX, m_now.windowY, r); return true;
      case EMR_SETWORLDTRANSFORM: return Transform(r, false);
      case EMR_MODIFYWORLDTRANSFORM:
        if (r.At(32) == MWT_IDENTITY) {
          m_now.world = 1;
          return true;
        }
        return Transform(r, r.At(32) != kSetTransform);
      case EMR_SAVEDC:
        if (m_saved.size() >= kDeepestSave) return false;
        m_saved.push_back(m_now);
        return true;
      case EMR_RESTOREDC: {  // counted back from the last save; the platform refuses others
        const int64_t back = -int64_t{static_cast<int32_t>(r.At(8))};
        // but crashes on going back further than any drawing saves (2^31 did)
        if (back > static_cast<int64_t>(kDeepestSave)) return false;
        if (back > 0 && static_cast<uint64_t>(back) <= m_saved.size()) {
          m_now = m_saved[m_saved.size() - static_cast<size_t>(back)];
          m_saved.resize(m_saved.size() - static_cast<size_t>(back));
        }
        return true;
      }
      case EMR_EXTCREATEFONTINDIRECTW:
        return Made(r.At(8), kFont, std::max(Length(r, 12), Length(r, 16)));  // height, width
      case EMR_CREATEPEN: return Made(r.At(8), kPen, Length(r, 16));
      case EMR_EXTCREATEPEN: return Made(r.At(8), kPen, Length(r, 32));
      case EMR_SELECTOBJECT: Select(r.At(8)); return true;
      // What draws: texts in the font, lines and outlines with the pen, boxes of their size.
      case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW: case kSmallTextOut:
        return Fits(m_now.font, kLargestFontOrPen);
      case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_ROUNDRECT: case EMR_ARC: case EMR_CHORD: case EMR_PIE:
      case EMR_ARCTO:
        return Fits(m_now.pen, kLargestFontOrPen) &&
               Fits(std::max(std::fabs(Signed(r, 16) - Signed(r, 8)), std::fabs(Signed(r, 20) - Signed(r, 12))),
                    kLargestBox);
      case EMR_ANGLEARC:
        return Fits(m_now.pen, kLargestFontOrPen) && Fits(2.0 * r.At(16), kLargestBox);
      case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
      case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_LINETO: case EMR_POLYDRAW: case EMR_STROKEPATH:
      case EMR_STROKEANDFILLPATH: case EMR_WIDENPATH: case EMR_POLYBEZIER16: case EMR_POLYGON16:
      case EMR_POLYLINE16: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16: case EMR_POLYPOLYLINE16:
      case EMR_POLYPOLYGON16: case EMR_POLYDRAW16:
        return Fits(m_now.pen, kLargestFontOrPen);
      default: return true;
    }
  }

 private:
  static constexpr size_t kDeepestSave = 1024;
  static constexpr DWORD kSetTransform = 4;  // a modification that replaces the transform
  static constexpr double kLargestFontOrPen = 4, kLargestBox = 64;
  enum Kind : BYTE { kOther, kFont, kPen };
  struct State {
    int mode = MM_TEXT;
    double windowX = 1, windowY = 1, viewportX = 1, viewportY = 1;
    double world = 1;  // the most the world transform stretches a length
    double font = 0, pen = 0;  // sizes of the selected ones, in logical units
  };

  static double Signed(const Record& r, DWORD at) { return static_cast<int32_t>(r.At(at)); }
  static double Length(const Record& r, DWORD at) { return std::fabs(Signed(r, at)); }

  // Device pixels of the reference device a logical unit takes, at most, before the world
  // transform and with it.
  double Mapping() const {
    const double inch = 25.4 * m_pixelsPerMillimetre;
    switch (m_now.mode) {
      case MM_LOMETRIC: return m_pixelsPerMillimetre / 10;
      case MM_HIMETRIC: return m_pixelsPerMillimetre / 100;
      case MM_LOENGLISH: return inch / 100;
      case MM_HIENGLISH: return inch / 1000;
      case MM_TWIPS: return inch / 1440;
      case MM_ISOTROPIC: case MM_ANISOTROPIC:
        return std::max(std::fabs(m_now.viewportX / m_now.windowX), std::fabs(m_now.viewportY / m_now.windowY));
      default: return 1;
    }
  }
  double Scale() const { return Mapping() * m_now.world; }
  // A size in logical units, under the present scale, within so many times the picture.
  bool Fits(double size, double times) const { return size * Scale() <= times * m_side; }
  static bool Scalable(int mode) { return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC; }
  void Extent(double& x, double& y, DWORD newX, DWORD newY) {
    if (Scalable(m_now.mode) && newX != 0 && newY != 0) {  // the platform refuses an extent of zero
      x = static_cast<int32_t>(newX);
      y = static_cast<int32_t>(newY);
    }
  }
  void Scaled(double& x, double& y, const Record& r) {
    const auto xNum = static_cast<int32_t>(r.At(8)), xDenom = static_cast<int32_t>(r.At(12)),
               yNum = static_cast<int32_t>(r.At(16)), yDenom = static_cast<int32_t>(r.At(20));
    if (Scalable(m_now.mode) && xNum != 0 && xDenom != 0 && yNum != 0 && yDenom != 0) {
      x = x * xNum / xDenom;
      y = y * yNum / yDenom;
    }
  }
  bool Transform(const Record& r, bool multiplied) {
    float m[4];
    std::memcpy(m, r.Bytes() + 8, sizeof m);
    for (float v : m)
      if (!std::isfinite(v)) return false;
    const double stretch = std::max(std::fabs(m[0]) + std::fabs(m[2]), std::fabs(m[1]) + std::fabs(m[3]));
    m_now.world = multiplied ? m_now.world * stretch : stretch;
    return true;
  }
  bool Made(DWORD slot, Kind kind, double size) {
    if (slot < m_kinds.size()) {
      m_kinds[slot] = kind;
      m_sizes[slot] = size;
    }
    return true;
  }
  void Select(DWORD slot) {
    if (slot & 0x80000000u) {  // a stock object: small
      const DWORD stock = slot & 0x7FFFFFFFu;
      if (stock == WHITE_PEN || stock == BLACK_PEN || stock == NULL_PEN || stock == DC_PEN) m_now.pen = 0;
      if (stock >= OEM_FIXED_FONT && stock <= DEFAULT_GUI_FONT) m_now.font = 0;
    } else if (slot < m_kinds.size()) {
      if (m_kinds[slot] == kFont) m_now.font = m_sizes[slot];
      if (m_kinds[slot] == kPen) m_now.pen = m_sizes[slot];
    }
  }

  std::vector<BYTE> m_kinds;
  std::vector<double> m_sizes;
  double m_pixelsPerMillimetre = 1, m_side = 64;
  State m_now;
  std::vector<State> m_saved;
};

// The same measure for Windows metafiles, whose objects take the lowest free slot of the
// table. The player maps the placeable bounds onto the picture, so a logical unit is a
// unit of the bounds until the metafile sets its own window or viewport extents.
class WindowsReach {
 public:
  WindowsReach(WORD objects, int64_t side)
      : m_kinds(objects, kFree), m_sizes(objects, 0), m_side(side <= 0 ? 32768.0 : std::max(double(side), 64.0)) {
    m_now.windowX = m_now.windowY = m_now.viewportX = m_now.viewportY = m_side;
  }

  // False when the record makes the drawing larger than the picture could hold.
  bool Follow(WORD function, const WindowsRecord& r) {
    switch (function) {
      case 0x0103: m_now.mode = static_cast<int16_t>(r.Param(0)); return true;  // map mode
      case 0x020C: Extent(m_now.windowX, m_now.windowY, r.Param(1), r.Param(0)); return true;
      case 0x020E: Extent(m_now.viewportX, m_now.viewportY, r.Param(1), r.Param(0)); return true;
      case 0x0410: Scaled(m_now.windowX, m_now.windowY, r); return true;
      case 0x0412: Scaled(m_now.viewportX, m_now.viewportY, r); return true;
      case 0x001E:  // save
        if (m_saved.size() >= kDeepestSave) return false;
        m_saved.push_back(m_now);
        return true;
      case 0x0127: {  // restore, counted back from the last save
        const int64_t back = -int64_t{static_cast<int16_t>(r.Param(0))};
        if (back > 0 && static_cast<uint64_t>(back) <= m_saved.size()) {
          m_now = m_saved[m_saved.size() - static_cast<size_t>(back)];
          m_saved.resize(m_saved.size() - static_cast<size_t>(back));
        }
        return true;
      }
      case 0x02FA: Made(kPen, Length(r, 1)); return true;  // pen: style, width, ...
      case 0x02FB: Made(kFont, std::max(Length(r, 0), Length(r, 1))); return true;  // font: height, width, ...
      case 0x00F7: case 0x01F9: case 0x02FC: case 0x0142: case 0x06FF: Made(kOther, 0); return true;
      case 0x01F0:  // delete
        if (r.Param(0) < m_kinds.size()) m_kinds[r.Param(0)] = kFree;
        return true;
      case 0x012D:  // select
        if (r.Param(0) < m_kinds.size()) {
          if (m_kinds[r.Param(0)] == kFont) m_now.font = m_sizes[r.Param(0)];
          if (m_kinds[r.Param(0)] == kPen) m_now.pen = m_sizes[r.Param(0)];
        }
        return true;
      // What draws: texts in the font, lines and outlines with the pen, boxes of their size.
      case 0x0521: case 0x0A32: return Fits(m_now.font, kLargestFontOrPen);
      case 0x0418: case 0x041B: return Fits(m_now.pen, kLargestFontOrPen) && Box(r, 0);  // ellipse, rectangle
      case 0x061C: return Fits(m_now.pen, kLargestFontOrPen) && Box(r, 2);             // rounded rectangle
      case 0x0817: case 0x081A: case 0x0830: return Fits(m_now.pen, kLargestFontOrPen) && Box(r, 4);
      case 0x0213: case 0x0324: case 0x0325: case 0x0538: return Fits(m_now.pen, kLargestFontOrPen);
      default: return true;
    }
  }

 private:
  static constexpr size_t kDeepestSave = 1024;
  static constexpr double kLargestFontOrPen = 4, kLargestBox = 64;
  enum Kind : BYTE { kFree, kOther, kFont, kPen };
  struct State {
    int mode = MM_ANISOTROPIC;  // as the player sets it
    double windowX, windowY, viewportX, viewportY;
    double font = 0, pen = 0;
  };

  static double Signed(const WindowsRecord& r, uint64_t i) { return static_cast<int16_t>(r.Param(i)); }
  static double Length(const WindowsRecord& r, uint64_t i) { return std::fabs(Signed(r, i)); }
  // Logical units scale only in the modes that scale; in the others a unit is about a
  // unit of the bounds.
  double Scale() const {
    if (m_now.mode != MM_ISOTROPIC && m_now.mode != MM_ANISOTROPIC) return 1;
    return std::max(std::fabs(m_now.viewportX / m_now.windowX), std::fabs(m_now.viewportY / m_now.windowY));
  }
  bool Fits(double size, double times) const { return size * Scale() <= times * m_side; }
  // A box of four coordinates from parameter i on: bottom, right, top, left.
  bool Box(const WindowsRecord& r, uint64_t i) const {
    auto at = [&](uint64_t k) { return Signed(r, i + k); };
    return Fits(std::max(std::fabs(at(1) - at(3)), std::fabs(at(0) - at(2))), kLargestBox);
  }
  void Extent(double& x, double& y, WORD newX, WORD newY) {
    if (static_cast<int16_t>(newX) != 0 && static_cast<int16_t>(newY) != 0) {  // the platform refuses zero
      x = static_cast<int16_t>(newX);
      y = static_cast<int16_t>(newY);
    }
  }
  void Scaled(double& x, double& y, const WindowsRecord& r) {  // y denominator, y numerator, x ..., x ...
    const double yDenom = Signed(r, 0), yNum = Signed(r, 1), xDenom = Signed(r, 2), xNum = Signed(r, 3);
    if (xNum != 0 && xDenom != 0 && yNum != 0 && yDenom != 0) {
      x = x * xNum / xDenom;
      y = y * yNum / yDenom;
    }
  }
  // A new object takes the lowest free slot; the record's check saw to a table.
  void Made(Kind kind, double size) {
    for (size_t slot = 0; slot < m_kinds.size(); ++slot)
      if (m_kinds[slot] == kFree) {
        m_kinds[slot] = kind;
        m_sizes[slot] = size;
        return;
      }
  }

  std::vector<BYTE> m_kinds;
  std::vector<double> m_sizes;
  double m_side;
  State m_now;
  std::vector<State> m_saved;
};

}  // namespace

bool EnhancedMetafileSound(const BYTE* bits, size_t size, DWORD* total) {
  if (!bits || size < kEnhHeaderBytes) return false;
  if (Dword(bits) != EMR_HEADER || Dword(bits + 40) != ENHMETA_SIGNATURE) return false;
  const DWORD bytes = Dword(bits + 48);
  if (bytes < kEnhHeaderBytes || bytes > size || !HeaderSound(bits, bytes)) return false;
  const DWORD handles = Word(bits + 56);
  Reach reach(bits, handles);
  DWORD at = Dword(bits + 4);
  while (bytes - at >= 8) {
    const DWORD type = Dword(bits + at);
    const DWORD recordBytes = Dword(bits + at + 4);
    if (recordBytes < 8 || recordBytes % 4 != 0 || recordBytes > bytes - at) return false;
    const DWORD fixed = FixedBytes(type);
    if (fixed == 0 || type == EMR_HEADER || recordBytes < fixed) return false;
    const Record record(bits + at, recordBytes, handles);
    if (!RecordSound(type, record) || !reach.Follow(type, record)) return false;
    if (type == EMR_EOF) {
      if (at + recordBytes != bytes) return false;
      if (total) *total = bytes;
      return true;
    }
    at += recordBytes;
  }
  return false;
}

bool WindowsMetafileSound(const BYTE* bits, size_t size, int64_t side) {
  if (!bits || size < kMetaHeaderBytes + 6) return false;
  const WORD type = Word(bits);
  if ((type != 1 && type != 2) || Word(bits + 2) != kMetaHeaderBytes / 2) return false;
  const uint64_t claimed = 2ULL * Dword(bits + 6);
  if (claimed < kMetaHeaderBytes + 6 || claimed > size) return false;
  const WORD objects = Word(bits + 10);
  WindowsReach reach(objects, side);
  size_t at = kMetaHeaderBytes;
  while (at + 6 <= claimed) {
    const uint64_t recordBytes = 2ULL * Dword(bits + at);
    const WORD function = Word(bits + at + 4);
    if (recordBytes < 6 || recordBytes > claimed - at) return false;
    if (function == 0) return true;  // META_EOF
    const WindowsRecord record(bits + at, static_cast<DWORD>(recordBytes), objects);
    if (!WindowsRecordSound(function, record) || !reach.Follow(function, record)) return false;
    at += static_cast<size_t>(recordBytes);
  }
  return false;
}

namespace {

// The sides of a placeable metafile's bounds, in its units.
std::pair<int64_t, int64_t> PlaceableBounds(const BYTE* header) {
  auto side = [&](int from, int to) {
    return std::llabs(int64_t{static_cast<int16_t>(Word(header + to))} - static_cast<int16_t>(Word(header + from)));
  };
  return {side(6, 10), side(8, 12)};
}

}  // namespace

int64_t PlaceableSide(const BYTE* header) {
  const auto bounds = PlaceableBounds(header);
  return std::max(bounds.first, bounds.second);
}

// Encodings whose own lengths are damaged, pictures too large to decode and metafiles
// whose records are damaged are refused before the platform's decoders see them; other
// formats and sound pictures pass.
bool EncodingFits(const BYTE* data, size_t size) {
  static const BYTE kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  static const BYTE kEnhanced[4] = {1, 0, 0, 0}, kPlaceable[4] = {0xD7, 0xCD, 0xC6, 0x9A};
  constexpr size_t kPlaceableHeaderBytes = 22;
  if (size >= sizeof kPng && std::memcmp(data, kPng, sizeof kPng) == 0) return PngChunksFit(data, size);
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return JpegSegmentsFit(data, size);
  if (size >= 10 && std::memcmp(data, "GIF8", 4) == 0)  // the logical screen
    return PictureSizeFits(data[6] | (data[7] << 8), data[8] | (data[9] << 8));
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return BmpFits(data, size);
  if (size >= 4 && data[0] == 0 && data[1] == 0 && (data[2] == 1 || data[2] == 2) && data[3] == 0)
    return IconFits(data, size);  // icons and cursors
  if (size >= 4 && std::memcmp(data, kEnhanced, 4) == 0) return EnhancedMetafileSound(data, size);
  if (size >= 4 && std::memcmp(data, kPlaceable, 4) == 0) {
    if (size <= kPlaceableHeaderBytes) return false;
    // Its size: the bounds in units of which the header gives how many make an inch,
    // at the screen's 96 pixels an inch.
    const int64_t unitsPerInch = Word(data + 14);
    if (unitsPerInch == 0) return false;
    const auto [wide, high] = PlaceableBounds(data);
    if (!PictureSizeFits(static_cast<uint64_t>(wide * 96 / unitsPerInch), static_cast<uint64_t>(high * 96 / unitsPerInch)))
      return false;
    return WindowsMetafileSound(data + kPlaceableHeaderBytes, size - kPlaceableHeaderBytes, PlaceableSide(data));
  }
  if (size >= 4 && (data[0] == 1 || data[0] == 2) && data[1] == 0 && data[2] == 9 && data[3] == 0)
    return WindowsMetafileSound(data, size);
  return true;
}

std::vector<BYTE> WithoutPlusRecords(const BYTE* bits, size_t size) {
  constexpr DWORD kPlusComment = 0x2B464D45;  // "EMF+"
  DWORD bytes = 0;
  if (!bits || size < 4 || Dword(bits) != EMR_HEADER || !EnhancedMetafileSound(bits, size, &bytes)) return {};
  auto plus = [&](DWORD at) {
    return Dword(bits + at) == EMR_GDICOMMENT && Dword(bits + at + 4) >= 16 && Dword(bits + at + 8) >= 4 &&
           Dword(bits + at + 12) == kPlusComment;
  };
  const DWORD headerBytes = Dword(bits + 4);
  bool any = false;
  for (DWORD at = headerBytes; at < bytes; at += Dword(bits + at + 4)) any = any || plus(at);
  if (!any) return {};
  std::vector<BYTE> plain(bits, bits + headerBytes);
  DWORD records = 1;
  for (DWORD at = headerBytes; at < bytes; at += Dword(bits + at + 4)) {
    if (plus(at)) continue;
    plain.insert(plain.end(), bits + at, bits + at + Dword(bits + at + 4));
    ++records;
  }
  const DWORD plainBytes = static_cast<DWORD>(plain.size());
  std::memcpy(plain.data() + 48, &plainBytes, 4);
  std::memcpy(plain.data() + 52, &records, 4);
  return plain;
}

