// Metafiles of the records drawings hold, made by the platform's recorder: for the
// picture checks' tests and as the campaign's seed pictures.
#pragma once

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include <cstring>
#include <initializer_list>
#include <vector>

// The bytes of a recorded metafile, which is deleted; empty without one.
inline std::vector<BYTE> EnhancedMetafileBits(HENHMETAFILE emf) {
  std::vector<BYTE> bytes(emf ? ::GetEnhMetaFileBits(emf, 0, nullptr) : 0);
  if (!bytes.empty()) ::GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
  if (emf) ::DeleteEnhMetaFile(emf);
  return bytes;
}

// The bytes of a recorded Windows metafile, which is deleted; empty without one.
inline std::vector<BYTE> WindowsMetafileBits(HMETAFILE metafile) {
  std::vector<BYTE> bytes(metafile ? ::GetMetaFileBitsEx(metafile, 0, nullptr) : 0);
  if (!bytes.empty()) ::GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
  if (metafile) ::DeleteMetaFile(metafile);
  return bytes;
}

// A metafile of the records drawings hold: pens, brushes, fonts and a palette made and
// selected, lines, polygons, curves, text with spacing, bitmaps, a region, a gradient.
inline std::vector<BYTE> RichMetafile() {
  HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HPEN pen = ::CreatePen(PS_DASH, 1, RGB(10, 20, 30));
  LOGBRUSH lb = {BS_SOLID, RGB(200, 0, 0), 0};
  const DWORD style[] = {4, 2, 1, 2};
  HPEN wide = ::ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 3, &lb, 4, style);
  HBRUSH brush = ::CreateHatchBrush(HS_CROSS, RGB(0, 90, 0));
  HFONT font = ::CreateFontW(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[3];
  } palette = {{0x300, 4, {{255, 0, 0, 0}}}, {{0, 255, 0, 0}, {0, 0, 255, 0}, {9, 9, 9, 0}}};
  HPALETTE pal = ::CreatePalette(&palette.head);
  ::SelectPalette(dc, pal, FALSE);
  ::SelectObject(dc, pen);
  ::SelectObject(dc, brush);
  ::SelectObject(dc, font);
  const POINT line[] = {{0, 0}, {40, 10}, {20, 30}, {60, 60}};
  ::Polyline(dc, line, 4);
  const POINT polys[] = {{0, 0}, {10, 0}, {10, 10}, {20, 20}, {30, 20}, {30, 30}, {25, 35}};
  const INT counts[] = {3, 4};
  ::PolyPolygon(dc, polys, counts, 2);
  ::PolyBezier(dc, line, 4);
  const BYTE kinds[] = {PT_MOVETO, PT_LINETO, PT_LINETO, PT_LINETO};
  ::PolyDraw(dc, line, kinds, 4);
  ::SelectObject(dc, wide);
  ::Ellipse(dc, 5, 5, 50, 40);
  const INT dx[] = {8, 8, 8};
  const RECT clip = {0, 0, 90, 90};
  ::ExtTextOutW(dc, 4, 50, ETO_CLIPPED, &clip, L"abc", 3, dx);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const BYTE pixels[2 * 12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 9, 9, 9, 90, 90, 90, 200, 200, 200};
  ::StretchDIBits(dc, 60, 60, 30, 20, 0, 0, 3, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
  ::SetDIBitsToDevice(dc, 70, 10, 3, 2, 0, 0, 0, 2, pixels, &info, DIB_RGB_COLORS);
  // Pattern brushes of a monochrome bitmap and of a device-independent one.
  const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP mono = ::CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH monoBrush = ::CreatePatternBrush(mono);
  struct {
    BITMAPINFOHEADER header;
    BYTE bits[2 * 4 * 2];
  } pattern = {{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 16, 0, 0, 0, 0}, {}};
  HBRUSH dibBrush = ::CreateDIBPatternBrushPt(&pattern, DIB_RGB_COLORS);
  for (HBRUSH b : {monoBrush, dibBrush}) {
    ::SelectObject(dc, b);
    ::Rectangle(dc, 0, 0, 20, 20);
  }
  ::SelectObject(dc, brush);
  HRGN region = ::CreateRectRgn(10, 10, 70, 70);
  HRGN other = ::CreateEllipticRgn(20, 20, 80, 80);
  ::CombineRgn(region, region, other, RGN_OR);
  ::FillRgn(dc, region, brush);
  ::ExtSelectClipRgn(dc, region, RGN_AND);
  TRIVERTEX vertices[2] = {{0, 0, 0xFF00, 0, 0, 0}, {40, 40, 0, 0, 0xFF00, 0}};
  GRADIENT_RECT shape = {0, 1};
  ::GradientFill(dc, vertices, 2, &shape, 1, GRADIENT_FILL_RECT_H);
  // Text under a mapping and a world transform, kept between a save and a restore.
  ::SetGraphicsMode(dc, GM_ADVANCED);
  ::SaveDC(dc);
  ::SetMapMode(dc, MM_ANISOTROPIC);
  ::SetWindowExtEx(dc, 100, 100, nullptr);
  ::SetViewportExtEx(dc, 100, 100, nullptr);
  const XFORM same = {1, 0, 0, 1, 0, 0};
  ::SetWorldTransform(dc, &same);
  ::ModifyWorldTransform(dc, &same, MWT_LEFTMULTIPLY);
  ::ExtTextOutW(dc, 4, 20, 0, nullptr, L"x", 1, nullptr);
  ::RestoreDC(dc, -1);
  ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
  ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(wide), static_cast<HGDIOBJ>(brush),
                    static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(region), static_cast<HGDIOBJ>(other),
                    static_cast<HGDIOBJ>(monoBrush), static_cast<HGDIOBJ>(dibBrush), static_cast<HGDIOBJ>(mono)})
    ::DeleteObject(o);
  HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
  ::DeleteObject(pal);
  return EnhancedMetafileBits(emf);
}

// A Windows metafile of the records drawings hold, and its records by function.
inline std::vector<BYTE> RichWindowsMetafile() {
  HDC dc = ::CreateMetaFileA(nullptr);
  HPEN pen = ::CreatePen(PS_DOT, 1, RGB(10, 20, 30));
  HBRUSH brush = ::CreateSolidBrush(RGB(0, 90, 0));
  HFONT font = ::CreateFontW(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  ::SelectObject(dc, pen);
  ::SelectObject(dc, brush);
  ::SelectObject(dc, font);
  ::SetTextColor(dc, RGB(1, 2, 3));
  ::SetBkMode(dc, TRANSPARENT);
  ::Rectangle(dc, 2, 2, 40, 30);
  ::Ellipse(dc, 5, 5, 50, 40);
  ::Arc(dc, 0, 0, 30, 30, 0, 15, 30, 15);
  const POINT line[] = {{0, 0}, {44, 34}, {10, 30}, {5, 5}};
  ::Polyline(dc, line, 4);
  ::Polygon(dc, line, 3);
  const INT counts[] = {3, 4};
  const POINT polys[] = {{0, 0}, {10, 0}, {10, 10}, {20, 20}, {30, 20}, {30, 30}, {25, 35}};
  ::PolyPolygon(dc, polys, counts, 2);
  ::TextOutA(dc, 4, 10, "wmf", 3);
  const INT dx[] = {8, 8, 8};
  const RECT clip = {0, 0, 90, 90};
  ::ExtTextOutA(dc, 4, 50, ETO_CLIPPED, &clip, "abc", 3, dx);
  BITMAPINFO info = {};
  // The image's size given: this platform's recorder writes as many bytes of bits as it says.
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 24, 0, 0, 0, 0};
  const BYTE pixels[2 * 12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 9, 9, 9, 90, 90, 90, 200, 200, 200};
  ::StretchDIBits(dc, 60, 60, 30, 20, 0, 0, 3, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
  ::SetDIBitsToDevice(dc, 70, 10, 3, 2, 0, 0, 0, 2, pixels, &info, DIB_RGB_COLORS);
  HRGN region = ::CreateRectRgn(10, 10, 70, 70);
  ::FillRgn(dc, region, brush);
  ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(font),
                    static_cast<HGDIOBJ>(region)})
    ::DeleteObject(o);
  return WindowsMetafileBits(::CloseMetaFile(dc));
}

// With the placeable header GDI+ needs before it: key, handle, bounds from the origin,
// 96 units an inch, reserved, then the checksum of the ten words before it.
inline std::vector<BYTE> Placeable(const std::vector<BYTE>& records, WORD width = 100, WORD height = 100) {
  WORD head[11] = {0xCDD7, 0x9AC6, 0, 0, 0, width, height, 96, 0, 0, 0};
  for (int i = 0; i < 10; ++i) head[10] ^= head[i];
  std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(head), reinterpret_cast<const BYTE*>(head) + sizeof head);
  bytes.insert(bytes.end(), records.begin(), records.end());
  return bytes;
}

// An enhanced metafile whose drawing GDI+ recorded as its own records in comments (beside
// plain records, where the platform's GDI+ writes them too): paths, pens with dashes and caps, gradient, hatch and texture brushes,
// a clip, a transform, text and a bitmap. GDI+ must be started.
inline std::vector<BYTE> RichPlusMetafile() {
  HDC screen = ::GetDC(nullptr);
  const Gdiplus::RectF frame(0, 0, 90, 90);
  auto* metafile = new Gdiplus::Metafile(screen, frame, Gdiplus::MetafileFrameUnitPixel, Gdiplus::EmfTypeEmfPlusDual);
  ::ReleaseDC(nullptr, screen);
  {
    Gdiplus::Graphics g(metafile);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.Clear(Gdiplus::Color(255, 250, 250, 240));
    Gdiplus::SolidBrush solid(Gdiplus::Color(200, 200, 40, 40));
    g.FillRectangle(&solid, 2, 2, 40, 30);
    Gdiplus::Pen pen(Gdiplus::Color(255, 10, 20, 30), 3);
    pen.SetDashStyle(Gdiplus::DashStyleDashDot);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapArrowAnchor);
    const Gdiplus::PointF line[] = {{0, 0}, {40, 10}, {20, 30}, {60, 60}};
    g.DrawLines(&pen, line, 4);
    g.DrawBeziers(&pen, line, 4);
    Gdiplus::GraphicsPath path;
    path.AddEllipse(5, 5, 45, 35);
    path.AddBezier(line[0], line[1], line[2], line[3]);
    path.AddRectangle(Gdiplus::RectF(50, 50, 20, 10));
    Gdiplus::HatchBrush hatch(Gdiplus::HatchStyleDiagonalCross, Gdiplus::Color(255, 0, 90, 0),
                              Gdiplus::Color(128, 255, 255, 255));
    g.FillPath(&hatch, &path);
    g.DrawPath(&pen, &path);
    Gdiplus::LinearGradientBrush linear(Gdiplus::PointF(0, 0), Gdiplus::PointF(40, 40),
                                        Gdiplus::Color(255, 255, 0, 0), Gdiplus::Color(255, 0, 0, 255));
    g.FillEllipse(&linear, 30, 30, 40, 30);
    Gdiplus::PathGradientBrush radial(&path);
    radial.SetCenterColor(Gdiplus::Color(255, 255, 255, 0));
    g.FillPie(&radial, 10, 40, 40, 40, 30, 200);
    Gdiplus::Bitmap bitmap(3, 2, PixelFormat32bppARGB);
    bitmap.SetPixel(1, 1, Gdiplus::Color(255, 0, 200, 0));
    Gdiplus::TextureBrush texture(&bitmap);
    g.FillRectangle(&texture, 60, 0, 20, 20);
    g.DrawImage(&bitmap, Gdiplus::RectF(60, 60, 30, 20));
    g.SetClip(Gdiplus::RectF(10, 10, 60, 60), Gdiplus::CombineModeReplace);
    g.RotateTransform(15);
    Gdiplus::FontFamily family(L"Arial");
    Gdiplus::Font font(&family, 12, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
    g.DrawString(L"plus", 4, &font, Gdiplus::PointF(4, 50), &solid);
    g.ResetClip();
    g.ResetTransform();
  }
  HENHMETAFILE emf = metafile->GetHENHMETAFILE();
  delete metafile;
  return EnhancedMetafileBits(emf);
}

// The plain metafile with the records GDI+ keeps in comments taken from another after its
// header: a metafile as GDI+ records it for programs that read either kind of record.
inline std::vector<BYTE> WithPlusRecordsOf(const std::vector<BYTE>& plain, const std::vector<BYTE>& plus) {
  auto dword = [](const std::vector<BYTE>& b, size_t at) {
    DWORD v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
  };
  std::vector<BYTE> comments;
  DWORD count = 0;
  for (size_t at = dword(plus, 4); at + 8 <= plus.size() && dword(plus, at + 4) >= 8; at += dword(plus, at + 4))
    if (dword(plus, at) == EMR_GDICOMMENT && at + 16 <= plus.size() && std::memcmp(plus.data() + at + 12, "EMF+", 4) == 0) {
      comments.insert(comments.end(), plus.begin() + at, plus.begin() + at + dword(plus, at + 4));
      ++count;
    }
  std::vector<BYTE> dual(plain);
  dual.insert(dual.begin() + dword(plain, 4), comments.begin(), comments.end());
  const DWORD bytes = static_cast<DWORD>(dual.size()), records = dword(plain, 52) + count;
  std::memcpy(dual.data() + 48, &bytes, 4);
  std::memcpy(dual.data() + 52, &records, 4);
  return dual;
}

