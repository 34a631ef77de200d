#include "tests/campaign/SeedPages.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "model/HPEvent.h"
#include "model/Method.h"
#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"
#include "framework/core/RuntimeClass.h"
#include "graphics/ImageHelpers.h"
#include "graphics/Picture.h"
#include "model/DrawDoc.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/ShapePainter.h"
#include "tests/support/Icons.h"
#include "tests/support/Metafiles.h"

namespace {

using Maker = std::function<CDrawObj*(const CRect& where)>;

CDrawObj* Shape(const CRect& where, int shape, int variant = 0, int start = 0, int sweep = 0) {
  auto* o = new CDrawRect(where);
  o->m_shape = shape;
  o->m_shapeVariant = variant;
  o->m_shapeParam3 = start;
  o->m_shapeParam4 = sweep;
  o->m_brush.lbColor = RGB(200, 40, 40);
  o->m_pen.lopnWidth = {3, 3};
  o->m_caption = "caption";
  o->m_baseRect = o->GetDrawBounds();
  return o;
}

CDrawObj* GradientShape(const CRect& where) {
  CDrawObj* o = Shape(where, kShapeRoundRectangle);
  o->m_fillKind = 2;
  o->m_fillGradient = 3;
  o->m_fillColour2 = RGB(0, 0, 255);
  o->m_lineKind = 1;
  o->m_lineGradient = 1;
  o->m_fillAlpha = 128;
  return o;
}

CDrawObj* Line(const CRect& where) {
  auto* o = new CDrawLine(where);
  o->m_pen.lopnWidth = {4, 4};
  o->m_startCap = 2;
  o->m_endCap = 3;
  return o;
}

CDrawObj* Poly(const CRect& where, int kind, bool closed) {
  auto* o = new CDrawPoly(where);
  o->m_polyKind = kind;
  o->m_closed = closed;
  o->m_filled = closed;
  const CPoint c = where.CenterPoint();
  const int w = where.Width() / 2, h = where.Height() / 2;
  for (const CPoint& p : {CPoint(c.x - w, c.y), CPoint(c.x, c.y + h), CPoint(c.x + w, c.y), CPoint(c.x, c.y - h / 2)})
    o->AddPoint(p, nullptr);
  return o;
}

CDrawObj* Text(const CRect& where) {
  auto* o = new CDrawText(where);
  o->m_displayText = "text 文字";
  o->m_logFont.lfHeight = 16;
  o->m_filled = 1;
  o->m_alignment = kTextAlignCentre;
  return o;
}

CDrawObj* Point(const CRect& where) {
  auto* o = new CDrawPoint(where);
  o->m_pen.lopnWidth = {6, 6};
  return o;
}

// A small picture of a few colours, white (the default colour key) among them.
CPicture* SmallPicture() {
  auto* bitmap = new Gdiplus::Bitmap(9, 7, PixelFormat24bppRGB);
  for (UINT y = 0; y < 7; ++y)
    for (UINT x = 0; x < 9; ++x)
      bitmap->SetPixel(x, y, (x + y) % 3 == 0 ? Gdiplus::Color(255, 255, 255)
                                              : Gdiplus::Color(static_cast<BYTE>(x * 28), 90, static_cast<BYTE>(y * 36)));
  return new CPicture(bitmap);
}

// An enhanced metafile of a few records: a filled rectangle, a line and a text.
std::vector<BYTE> SmallMetafile() {
  HDC dc = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  if (!dc) return {};
  HBRUSH brush = ::CreateSolidBrush(RGB(200, 40, 40));
  const RECT box = {2, 2, 40, 30};
  ::FillRect(dc, &box, brush);
  ::DeleteObject(brush);
  ::MoveToEx(dc, 0, 0, nullptr);
  ::LineTo(dc, 44, 34);
  ::TextOutA(dc, 4, 10, "emf", 3);
  return EnhancedMetafileBits(::CloseEnhMetaFile(dc));
}

// A placeable Windows metafile of the same few records.
std::vector<BYTE> SmallWindowsMetafile() {
  HDC dc = ::CreateMetaFileA(nullptr);
  if (!dc) return {};
  HBRUSH brush = ::CreateSolidBrush(RGB(40, 40, 200));
  HGDIOBJ old = ::SelectObject(dc, brush);
  ::Rectangle(dc, 2, 2, 40, 30);
  ::SelectObject(dc, old);
  ::DeleteObject(brush);
  const POINT line[] = {{0, 0}, {44, 34}, {10, 30}};
  ::Polyline(dc, line, 3);
  ::TextOutA(dc, 4, 10, "wmf", 3);
  const std::vector<BYTE> records = WindowsMetafileBits(::CloseMetaFile(dc));
  if (records.empty()) return {};
  return Placeable(records, 48, 36);
}

// Filled with the page's embedded picture: stretched or tiled, keyed or not.
CDrawObj* Pictured(CDrawObj* o, int placement, bool keyed) {
  o->m_pictureFill = 1;
  o->m_pictureFile = "fill.jpg";
  o->m_picture = SmallPicture();
  o->m_picturePlacement = placement;
  o->m_filled = keyed ? 0 : 1;
  o->m_fillAlpha = keyed ? 0 : 60;
  return o;
}

// The fills and pens GDI+ is asked for brushes for: hatches, path and linear gradients.
CDrawObj* Filled(CDrawObj* o, int fillKind, int gradient, int lineKind) {
  o->m_fillKind = fillKind;
  o->m_fillGradient = gradient;
  o->m_brush.lbHatch = Gdiplus::HatchStyleDiagonalCross;
  o->m_fillColour2 = RGB(0, 120, 255);
  o->m_fillAlpha2 = 40;
  o->m_lineKind = lineKind;
  o->m_lineGradient = gradient;
  o->m_lineColour2 = RGB(255, 200, 0);
  o->m_pen.lopnWidth = {5, 5};
  return o;
}

// The variants each class is seeded with. A class without a row is seeded as its empty
// object given a position, so a new class is campaigned before it gets rows of its own.
const struct {
  const char* className;
  Maker make;
} kVariants[] = {
    {"CDrawRect", [](const CRect& r) { return Shape(r, kShapeRectangle); }},
    {"CDrawRect", [](const CRect& r) { return GradientShape(r); }},
    {"CDrawRect", [](const CRect& r) { return Shape(r, kShapeEllipse, 0, 30, 120); }},
    {"CDrawRect", [](const CRect& r) { return Shape(r, kShapeEllipse, 1, -45, 200); }},
    {"CDrawLine", [](const CRect& r) { return Line(r); }},
    {"CDrawPoly", [](const CRect& r) { return Poly(r, kPolyLines, true); }},
    {"CDrawPoly", [](const CRect& r) { return Poly(r, kPolyCurve, false); }},
    {"CDrawText", [](const CRect& r) { return Text(r); }},
    {"CDrawPoint", [](const CRect& r) { return Point(r); }},
};

// The page of picture and pattern fills: each object filled another way, the page's
// background a picture too, and every picture embedded in the page.
const Maker kFills[] = {
    [](const CRect& r) { return Pictured(Shape(r, kShapeRectangle), 1, false); },
    [](const CRect& r) { return Pictured(Shape(r, kShapeEllipse), 0, true); },
    [](const CRect& r) { return Pictured(Shape(r, kShapeRoundRectangle), 2, true); },
    [](const CRect& r) { return Pictured(Poly(r, kPolyLines, true), 1, true); },
    [](const CRect& r) { return Pictured(Poly(r, kPolyCurve, true), 0, false); },
    [](const CRect& r) { return Pictured(Text(r), 1, false); },
    [](const CRect& r) { return Filled(Shape(r, kShapeRectangle), kStyleHatch, 0, kStylePathGradient); },
    [](const CRect& r) { return Filled(Shape(r, kShapeEllipse, 0, 30, 120), kStylePathGradient, 4, kStyleLinearGradient); },
    [](const CRect& r) { return Filled(Shape(r, kShapeRoundRectangle), kStylePathGradient, 5, kStylePathGradient); },
    [](const CRect& r) { return Filled(Poly(r, kPolyCurve, true), kStyleLinearGradient, 1, kStylePathGradient); },
    [](const CRect& r) { return Filled(Poly(r, kPolyLines, true), kStylePathGradient, 5, kStyleLinearGradient); },
    [](const CRect& r) { return Filled(Line(r), kStyleSolid, 2, kStyleLinearGradient); },
    [](const CRect& r) { return Filled(Line(r), kStyleSolid, 4, kStylePathGradient); },
    [](const CRect& r) { return Filled(Text(r), kStyleLinearGradient, 3, kStyleLinearGradient); },
};

CDrawObj* MakeEmpty(const CRuntimeClass* cls, const CRect& where) {
  CDrawObj* o = dynamic_cast<CDrawObj*>(cls->CreateObject());
  if (!o) return nullptr;
  o->m_position = where;
  o->SetRect(where, nullptr);
  o->m_baseRect = o->GetDrawBounds();
  return o;
}

// Motion along the page's track, a turn, an effect, a show and hide, and the events
// that call them.
void Animate(CDrawObj& o, int number) {
  auto add = [&o](CMethod action) {
    o.m_actionMask |= action.m_nType;
    o.m_actions.Add(action);
  };
  CMethod move;
  move.m_nType = CMethod::typeTranslate;
  move.m_strName = "move";
  move.m_nDuration = 1000000;
  move.m_nActivation = 0;
  move.m_bLoop = TRUE;
  move.m_bTwoWay = number % 2;
  move.m_nSpeed = 4 + number % 5;
  move.m_strPath = "track";
  add(move);
  CMethod turn;
  turn.m_nType = CMethod::typeRotate;
  turn.m_strName = "turn";
  turn.m_nStart = 2;
  turn.m_nDuration = 30;
  turn.m_nActivation = 0;
  turn.m_nEndAngle = 90;
  turn.m_bRotateLoop = TRUE;
  turn.m_strCentre = number % 2 ? "hub" : "";
  turn.m_ptCentre = CPoint(10, 10);
  add(turn);
  CMethod effect;
  effect.m_nType = CMethod::typeEffect;
  effect.m_strName = "effect";
  effect.m_nStart = 5;
  effect.m_nDuration = 20;
  effect.m_nActivation = 0;
  effect.m_nSpeed = 2;
  effect.m_nEffect = 1 + number % 6;
  effect.m_nDirection = number % 4;
  effect.m_nStep = 6;
  add(effect);
  CMethod hide;
  hide.m_nType = CMethod::typeShowHide;
  hide.m_strName = "hide";
  hide.m_nStart = 25;
  hide.m_nDuration = 5;
  hide.m_nActivation = 0;
  add(hide);
  CMethod layer;
  layer.m_nType = CMethod::typeLayer;
  layer.m_strName = "layer";
  layer.m_nStart = 12;
  layer.m_nDuration = 2;
  layer.m_nActivation = 0;
  layer.m_nLayerSteps = 1;
  add(layer);
  for (const auto& e : {std::make_pair(CHPEvent::triggerLeftButtonUp, "effect"),
                        std::make_pair(CHPEvent::triggerTimer, "turn"),
                        std::make_pair(CHPEvent::triggerKeyDown, "hide")}) {
    CHPEvent event;
    event.m_nTrigger = 1u << e.first;
    event.m_strName = CString("on ") + e.second;
    event.m_strObject = o.m_name;
    event.m_strAbility = e.second;
    event.m_nKey = 13;
    o.m_triggerMask |= event.m_nTrigger;
    o.m_events.Add(event);
  }
}

class SeedBuilder {
 public:
  SeedBuilder() {
    m_page.SetPageSize(800, 600);
    m_page.m_backColour = RGB(230, 240, 250);
    m_page.m_transitionKind = 2;
    m_page.m_transitionDirection = 2;
    m_page.m_transitionDelay = 10;
    m_page.m_transitionPending = 1;
    auto* track = new CDrawRect(CRect(-120, 90, 120, -90));
    track->m_shape = kShapeEllipse;
    track->m_name = "track";
    track->ToggleTrajectory();
    track->m_baseRect = track->GetDrawBounds();
    Add(track);
    auto* hub = new CDrawPoint(CRect(-2, 2, 2, -2));
    hub->m_name = "hub";
    hub->m_role = kPointRotationCentre;
    Add(hub);
  }

  void SetBackPicture(bool stretched) {
    m_page.m_embedMode = 2;
    m_page.m_useBackPicture = 1;
    m_page.m_backPictureFile = "back.jpg";
    m_page.m_backPicture = SmallPicture();
    m_page.m_stretchBackPicture = stretched;
  }

  void AddAnimated(CDrawObj* o) {
    if (!o) return;
    const int number = m_page.m_objects.GetCount();
    o->m_name.Format("object%d", number);
    Animate(*o, number);
    Add(o);
  }

  // The next place on the page: a grid of small cells around the centre.
  CRect NextCell() {
    const int i = m_cells++;
    const int x = -140 + (i % 5) * 60, y = 100 - (i / 5 % 4) * 50;
    return CRect(x, y, x + 50, y - 40);
  }

  std::vector<BYTE> Store() {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &m_page;
    m_page.Serialize(ar);
    ar.Close();
    return file.Bytes();
  }

 private:
  void Add(CDrawObj* o) {
    m_page.m_objects.AddTail(o);
    o->m_layer = m_page.m_objects.GetCount();
  }

  CDrawDoc m_page;
  int m_cells = 0;
};

void AddClass(SeedBuilder& builder, const CRuntimeClass* cls) {
  bool any = false;
  for (const auto& row : kVariants) {
    if (CRuntimeClass::FromName(row.className) != cls) continue;
    builder.AddAnimated(row.make(builder.NextCell()));
    any = true;
  }
  if (!any) builder.AddAnimated(MakeEmpty(cls, builder.NextCell()));
}

// The drawing classes linked in: the archivable ones whose objects are drawing objects.
std::vector<const CRuntimeClass*> DrawingClasses() {
  std::vector<const CRuntimeClass*> classes;
  for (const CRuntimeClass* cls : CRuntimeClass::AllClasses()) {
    if (!cls->m_pfnCreateObject || cls->m_wSchema == 0xFFFF) continue;
    std::unique_ptr<CObject> probe(cls->CreateObject());
    if (dynamic_cast<CDrawObj*>(probe.get()) && cls != RUNTIME_CLASS(CDrawObj)) classes.push_back(cls);
  }
  return classes;
}

// The same page with its embedded pictures in another format: each record of the
// picture's JPEG bytes (its length, its kind and the bytes) given these bytes instead.
std::vector<BYTE> WithPictureBytes(std::vector<BYTE> page, const std::vector<BYTE>& jpeg,
                                   const std::vector<BYTE>& picture) {
  const auto length = static_cast<DWORD>(jpeg.size()), newLength = static_cast<DWORD>(picture.size());
  for (size_t at = 8; !jpeg.empty() && at + jpeg.size() <= page.size(); ++at) {
    DWORD recorded;
    std::memcpy(&recorded, &page[at - 8], 4);
    if (recorded != length || !std::equal(jpeg.begin(), jpeg.end(), page.begin() + static_cast<std::ptrdiff_t>(at)))
      continue;
    std::memcpy(&page[at - 8], &newLength, 4);
    page.erase(page.begin() + static_cast<std::ptrdiff_t>(at), page.begin() + static_cast<std::ptrdiff_t>(at + length));
    page.insert(page.begin() + static_cast<std::ptrdiff_t>(at), picture.begin(), picture.end());
    at += picture.size() - 1;
  }
  return page;
}

std::vector<SeedPage> FillPages() {
  std::vector<SeedPage> seeds;
  for (bool stretched : {true, false}) {
    SeedBuilder page;
    page.SetBackPicture(stretched);
    for (const Maker& make : kFills) page.AddAnimated(make(page.NextCell()));
    seeds.push_back({stretched ? "fills" : "fills, tiled background", page.Store()});
  }
  // Other formats the record may hold: a PNG with alpha and a GIF of two frames.
  std::unique_ptr<CPicture> picture(SmallPicture());
  std::vector<BYTE> jpeg, png;
  if (EncodeImage(*picture, L"image/jpeg", TRUE, jpeg) != Gdiplus::Ok) return seeds;
  if (EncodeImage(*picture, L"image/png", TRUE, png) == Gdiplus::Ok)
    seeds.push_back({"fills, PNG pictures", WithPictureBytes(seeds[0].bytes, jpeg, png)});
  std::unique_ptr<CPicture> second(SmallPicture());
  second->RotateFlip(Gdiplus::Rotate90FlipNone);
  CPicture* const frames[] = {picture.get(), second.get()};
  std::vector<BYTE> gif;
  if (EncodeImageFrames(frames, 2, L"image/gif", TRUE, gif) == Gdiplus::Ok)
    seeds.push_back({"fills, GIF pictures", WithPictureBytes(seeds[1].bytes, jpeg, gif)});
  std::vector<BYTE> bmp;
  if (EncodeImage(*picture, L"image/bmp", TRUE, bmp) == Gdiplus::Ok)
    seeds.push_back({"fills, BMP pictures", WithPictureBytes(seeds[0].bytes, jpeg, bmp)});
  // Formats a picture file brings in: an icon of a bitmap and a PNG, a TIFF.
  const BYTE green[4] = {0, 0xC0, 0, 0xFF};
  if (!png.empty())
    seeds.push_back({"fills, icon pictures", WithPictureBytes(seeds[1].bytes, jpeg, IconFile({IconBitmap(8, green), png}))});
  std::vector<BYTE> tiff;
  if (EncodeImage(*picture, L"image/tiff", TRUE, tiff) == Gdiplus::Ok)
    seeds.push_back({"fills, TIFF pictures", WithPictureBytes(seeds[0].bytes, jpeg, tiff)});
  const std::vector<BYTE> emf = SmallMetafile();
  if (!emf.empty()) seeds.push_back({"fills, metafile pictures", WithPictureBytes(seeds[1].bytes, jpeg, emf)});
  const std::vector<BYTE> wmf = SmallWindowsMetafile();
  if (!wmf.empty()) seeds.push_back({"fills, Windows metafile pictures", WithPictureBytes(seeds[0].bytes, jpeg, wmf)});
  // Metafiles of every kind of record a drawing holds: bitmaps, regions, text with
  // spacing, palettes, pattern brushes.
  seeds.push_back({"fills, rich metafile pictures", WithPictureBytes(seeds[1].bytes, jpeg, RichMetafile())});
  seeds.push_back(
      {"fills, rich Windows metafile pictures", WithPictureBytes(seeds[0].bytes, jpeg, Placeable(RichWindowsMetafile()))});
  // And one that holds its drawing twice, in records of GDI+'s own and in plain ones.
  const std::vector<BYTE> plus = RichPlusMetafile();
  if (!plus.empty())
    seeds.push_back({"fills, GDI+ metafile pictures",
                     WithPictureBytes(seeds[1].bytes, jpeg, WithPlusRecordsOf(RichMetafile(), plus))});
  return seeds;
}

}  // namespace

std::vector<SeedPage> MakeSeedPages() {
  std::vector<SeedPage> seeds;
  for (const CRuntimeClass* cls : DrawingClasses()) {
    SeedBuilder one;
    AddClass(one, cls);
    seeds.push_back({cls->m_lpszClassName, one.Store()});
  }
  for (SeedPage& page : FillPages()) seeds.push_back(std::move(page));
  return seeds;
}
