#include "model/DrawObj.h"

#include <cmath>
#include <memory>

#include "framework/core/Archive.h"
#include "framework/ui/DC.h"
#include "graphics/GeometryHelpers.h"
#include "graphics/Picture.h"
#include "model/CodeTables.h"
#include "model/DoubleValue.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/ShapePainter.h"

IMPLEMENT_SERIAL(CDrawObj, CObject, 0)

namespace {

// Objects read from files carry at most this many variables in practice; the map's
// bucket count is part of the stored order (it decides how variables are written).
constexpr UINT kVariableBuckets = 29;

CDrawHost* Host() { return GetDrawHost(); }

void StorePen(CArchive& ar, const LOGPEN& pen) {
  ar << static_cast<DWORD>(pen.lopnStyle) << static_cast<LONG>(pen.lopnWidth.x)
     << static_cast<LONG>(pen.lopnWidth.y) << static_cast<DWORD>(pen.lopnColor);
}

void LoadPen(CArchive& ar, LOGPEN& pen) {
  DWORD style, colour;
  LONG x, y;
  ar >> style >> x >> y >> colour;
  pen.lopnStyle = style;
  pen.lopnWidth.x = x;
  pen.lopnWidth.y = y;
  pen.lopnColor = colour;
}

// The brush is three 32-bit fields in the record, whatever its size in memory.
void StoreBrush(CArchive& ar, const LOGBRUSH& brush) {
  ar << static_cast<DWORD>(brush.lbStyle) << static_cast<DWORD>(brush.lbColor)
     << static_cast<DWORD>(brush.lbHatch);
}

void LoadBrush(CArchive& ar, LOGBRUSH& brush) {
  DWORD style, colour, hatch;
  ar >> style >> colour >> hatch;
  brush.lbStyle = style;
  brush.lbColor = colour;
  brush.lbHatch = hatch;
}

void StorePoint(CArchive& ar, const CDoublePoint& p) { ar << p.x << p.y; }
void LoadPoint(CArchive& ar, CDoublePoint& p) { ar >> p.x >> p.y; }


}  // namespace

CDrawObj::CDrawObj() : m_variables(new CMapStringToOb(10)) {
  m_variables->InitHashTable(kVariableBuckets);
  m_expression.SetVariableMap(m_variables);
}

CDrawObj::CDrawObj(const CRect& position) : CDrawObj() {
  m_position = position;
  m_baseRect = position;
  m_layer = -1;
}

CDrawObj::~CDrawObj() {
  ReleaseVariables();
  delete m_variables;
  m_events.RemoveAll();
  m_actions.RemoveAll();
  delete m_picture;
  if (m_gdiObject) ::DeleteObject(m_gdiObject);
}

void CDrawObj::ReleaseVariables() { CValue::DeleteVariables(*m_variables); }

CString GetFileExtension(const CString& path) {
  int dot = path.ReverseFind('.');
  return dot < 0 ? CString() : path.Mid(dot + 1);
}

// ---- the object record ---------------------------------------------------------------

void CDrawObj::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    // The counts are 16 bits wide; more records cannot be written faithfully.
    if (m_events.GetSize() > 0xFFFF || m_actions.GetSize() > 0xFFFF)
      throw CArchiveException(CArchiveException::genericException);
    m_version = kDrawObjVersion;
    ar << m_version << m_position << m_baseRect << m_angle << m_name << m_caption;
    ar << static_cast<DWORD>(m_captionColour) << static_cast<DWORD>(m_auxColour) << m_visible << m_closed
       << m_outlined << m_filled;
    StorePen(ar, m_pen);
    StoreBrush(ar, m_brush);
    ar << m_reservedAfterBrush << m_trajectory << m_actionMask << m_triggerMask << m_point1 << m_point2
       << m_shapeParam1 << m_shapeParam2;
    ar << static_cast<WORD>(m_events.GetSize()) << static_cast<WORD>(m_actions.GetSize());
    for (int i = 0; i < m_events.GetSize(); ++i) m_events[i].Serialize(ar);
    for (int i = 0; i < m_actions.GetSize(); ++i) m_actions[i].Serialize(ar);
    ar << m_refRect;
    StorePoint(ar, m_transformCentre);
    StorePoint(ar, m_scale);
    ar << m_savedRect << m_buttonised << m_buttonEnable << m_layer << m_flags;
    ar << m_rotationCentre.x << m_rotationCentre.y;

    ar << m_gradientStyle << static_cast<DWORD>(m_fillColour2) << m_reservedDouble << m_text2 << m_text3
       << m_dataValue << m_dataWord1 << m_dataWord2 << m_firstOperand << m_text1;
    StoreEach(ar, m_reservedTexts);
    StoreEach(ar, m_reservedDoubles);
    StoreEach(ar, m_reservedC);
    StoreEach(ar, m_plotParams);
    ar << m_picturePlacement << m_shapeVariant << m_fillKind << m_lineKind << m_fillGradient << m_lineGradient
       << static_cast<DWORD>(m_lineColour2) << m_fillAlpha << m_fillAlpha2 << m_lineAlpha << m_lineAlpha2
       << m_reservedD << m_shapeParam3 << m_shapeParam4 << static_cast<DWORD>(m_colourKey) << m_dashCap
       << m_reservedE << m_startCap << m_endCap;
    StoreEach(ar, m_reservedF);
    StoreEach(ar, m_reservedA);
    StoreEach(ar, m_reservedB);
    m_variables->Serialize(ar);
    m_expression.Serialize(ar);
    return;
  }

  DWORD captionColour, auxColour;
  ar >> m_version >> m_position >> m_baseRect >> m_angle >> m_name >> m_caption;
  ar >> captionColour >> auxColour >> m_visible >> m_closed >> m_outlined >> m_filled;
  m_captionColour = captionColour;
  m_auxColour = auxColour;
  LoadPen(ar, m_pen);
  LoadBrush(ar, m_brush);
  ar >> m_reservedAfterBrush >> m_trajectory >> m_actionMask >> m_triggerMask >> m_point1 >> m_point2 >>
      m_shapeParam1 >> m_shapeParam2;
  WORD eventCount, actionCount;
  ar >> eventCount >> actionCount;
  // Every record takes at least one byte: a lying count fails here, not in allocation.
  ar.CheckAvailable(static_cast<ULONGLONG>(eventCount) + actionCount);
  m_events.SetSize(eventCount);
  m_actions.SetSize(actionCount);
  const bool current = m_version == kDrawObjVersion;
  for (int i = 0; i < eventCount; ++i) {
    if (current)
      m_events[i].Serialize(ar);
    else
      m_events[i].SerializeLegacy(ar);
  }
  for (int i = 0; i < actionCount; ++i) m_actions[i].Serialize(ar);
  ar >> m_refRect;
  LoadPoint(ar, m_transformCentre);
  LoadPoint(ar, m_scale);
  ar >> m_savedRect >> m_buttonised >> m_buttonEnable >> m_layer >> m_flags;
  ar >> m_rotationCentre.x >> m_rotationCentre.y;
  if (std::isnan(m_rotationCentre.x)) m_rotationCentre.x = 0.0;
  if (std::isnan(m_rotationCentre.y)) m_rotationCentre.y = 0.0;
  if (!current) return;  // older records end here; the subclass's fields follow

  DWORD fillColour2, lineColour2, colourKey;
  ar >> m_gradientStyle >> fillColour2 >> m_reservedDouble >> m_text2 >> m_text3 >> m_dataValue >> m_dataWord1 >>
      m_dataWord2 >> m_firstOperand >> m_text1;
  LoadEach(ar, m_reservedTexts);
  LoadEach(ar, m_reservedDoubles);
  LoadEach(ar, m_reservedC);
  LoadEach(ar, m_plotParams);
  ar >> m_picturePlacement >> m_shapeVariant >> m_fillKind >> m_lineKind >> m_fillGradient >> m_lineGradient >>
      lineColour2 >> m_fillAlpha >> m_fillAlpha2 >> m_lineAlpha >> m_lineAlpha2 >> m_reservedD >> m_shapeParam3 >>
      m_shapeParam4 >> colourKey >> m_dashCap >> m_reservedE >> m_startCap >> m_endCap;
  m_fillColour2 = fillColour2;
  m_lineColour2 = lineColour2;
  m_colourKey = colourKey;
  LoadEach(ar, m_reservedF);
  LoadEach(ar, m_reservedA);
  LoadEach(ar, m_reservedB);
  LoadVariables(ar);
  m_expression.Serialize(ar);
}

void CDrawObj::LoadVariables(CArchive& ar) { CValue::LoadVariables(ar, *m_variables); }

// ---- copies -----------------------------------------------------------------------------

CDrawObj* CDrawObj::Clone(CDrawObj* target) {
  CDrawObj* clone = target ? target : new CDrawObj(m_position);
  clone->m_version = m_version;
  clone->m_position = m_position;
  clone->m_baseRect = m_baseRect;
  clone->m_angle = m_angle;
  clone->m_name = m_name;
  clone->m_caption = m_caption;
  clone->m_captionColour = m_captionColour;
  clone->m_auxColour = m_auxColour;
  clone->m_visible = m_visible;
  clone->m_closed = m_closed;
  clone->m_outlined = m_outlined;
  clone->m_filled = m_filled;
  clone->m_pen = m_pen;
  clone->m_brush = m_brush;
  clone->m_reservedAfterBrush = m_reservedAfterBrush;
  clone->m_trajectory = m_trajectory;
  clone->m_actionMask = m_actionMask;
  clone->m_triggerMask = m_triggerMask;
  clone->m_refRect = m_refRect;
  clone->m_transformCentre = m_transformCentre;
  clone->m_scale = m_scale;
  clone->m_savedRect = m_savedRect;
  clone->m_savedAngle = m_savedAngle;
  clone->m_buttonised = m_buttonised;
  clone->m_buttonEnable = m_buttonEnable;
  clone->m_buttonState = m_buttonState;
  // Rotation centre, placement and shape variant: without them a copied arc would be
  // a pie, a tiled fill stretched and a turned copy displaced.
  clone->m_rotationCentre = m_rotationCentre;
  clone->m_picturePlacement = m_picturePlacement;
  clone->m_shapeVariant = m_shapeVariant;

  delete clone->m_picture;
  clone->m_picture = m_picture ? m_picture->Clone().release() : nullptr;
  clone->m_pictureFile = m_pictureFile;
  clone->m_pictureFill = m_pictureFill;
  clone->m_colourKey = m_colourKey;
  clone->m_fillKind = m_fillKind;
  clone->m_lineKind = m_lineKind;
  clone->m_fillGradient = m_fillGradient;
  clone->m_lineGradient = m_lineGradient;
  clone->m_fillColour2 = m_fillColour2;
  clone->m_lineColour2 = m_lineColour2;
  clone->m_fillAlpha = m_fillAlpha;
  clone->m_fillAlpha2 = m_fillAlpha2;
  clone->m_lineAlpha = m_lineAlpha;
  clone->m_lineAlpha2 = m_lineAlpha2;
  clone->m_dashCap = m_dashCap;
  clone->m_reservedE = m_reservedE;
  clone->m_startCap = m_startCap;
  clone->m_endCap = m_endCap;
  std::copy(std::begin(m_reservedF), std::end(m_reservedF), clone->m_reservedF);
  clone->m_reservedD = m_reservedD;
  clone->m_shapeParam3 = m_shapeParam3;
  clone->m_shapeParam4 = m_shapeParam4;
  clone->m_text1 = m_text1;

  clone->m_events.SetSize(m_events.GetSize());
  for (int i = 0; i < m_events.GetSize(); ++i) clone->m_events[i] = m_events[i];
  clone->m_actions.SetSize(m_actions.GetSize());
  for (int i = 0; i < m_actions.GetSize(); ++i) clone->m_actions[i] = m_actions[i];
  clone->m_point1 = m_point1;
  clone->m_point2 = m_point2;
  clone->m_shapeParam1 = m_shapeParam1;
  clone->m_shapeParam2 = m_shapeParam2;

  CDrawHost* host = Host();
  clone->m_layer = (host ? host->GetPageObjectCount() : 0) + 1;
  clone->m_flags = m_flags;
  clone->m_gradientStyle = m_gradientStyle;
  clone->m_reservedDouble = m_reservedDouble;
  clone->m_text2 = m_text2;
  clone->m_text3 = m_text3;
  clone->m_dataValue = m_dataValue;
  clone->m_dataWord1 = m_dataWord1;
  clone->m_dataWord2 = m_dataWord2;
  clone->m_firstOperand = m_firstOperand;
  std::copy(std::begin(m_reservedTexts), std::end(m_reservedTexts), clone->m_reservedTexts);
  std::copy(std::begin(m_plotParams), std::end(m_plotParams), clone->m_plotParams);
  std::copy(std::begin(m_reservedDoubles), std::end(m_reservedDoubles), clone->m_reservedDoubles);
  std::copy(std::begin(m_reservedC), std::end(m_reservedC), clone->m_reservedC);
  std::copy(std::begin(m_reservedA), std::end(m_reservedA), clone->m_reservedA);
  std::copy(std::begin(m_reservedB), std::end(m_reservedB), clone->m_reservedB);

  // Variables are copied as values of their own; the expression is parsed again against
  // the clone's map, so nothing is shared with this object.
  clone->ReleaseVariables();
  for (POSITION pos = m_variables->GetStartPosition(); pos;) {
    CString key;
    CObject* value;
    m_variables->GetNextAssoc(pos, key, value);
    const double number = value ? static_cast<CValue*>(value)->GetValue() : 0.0;
    clone->m_variables->SetAt(key, new CDoubleValue(number));
  }
  clone->m_expression.CopyFrom(m_expression);
  return clone;
}

CDrawObj* CDrawObj::Duplicate(CDrawDoc* document) {
  CDrawObj* clone = Clone(nullptr);
  if (document) document->Add(clone);
  if (CDrawHost* host = Host()) host->SelectObject(clone, FALSE);
  return clone;
}

void CDrawObj::Delete() { delete this; }

BOOL CDrawObj::CanExport() { return FALSE; }

// ---- non-virtual helpers ---------------------------------------------------------------

void CDrawObj::DrawHandle(CDC* dc, int x, int y, int r, int shape, COLORREF colour) {
  HDC hdc = dc->GetSafeHdc();
  const LOGPEN bounded = CShapePainter::BoundedLogPen(m_pen);
  HPEN pen = ::CreatePenIndirect(&bounded);
  if (!pen) return;
  HGDIOBJ oldPen = ::SelectObject(hdc, pen);
  HBRUSH brush = ::CreateSolidBrush(colour);
  RECT square = {x - r, y - r, x + r, y + r};
  if (shape == 0 || shape == 1) {
    if (shape == 0)
      ::Ellipse(hdc, square.left, square.top, square.right, square.bottom);
    else
      ::Rectangle(hdc, square.left, square.top, square.right, square.bottom);
    ::FillRect(hdc, &square, brush);
  }
  ::SelectObject(hdc, oldPen);
  ::DeleteObject(pen);
  ::DeleteObject(brush);
}

void CDrawObj::SetDashCap(int cap) {
  m_dashCap = cap;
  Invalidate();
}

void CDrawObj::SetDashStyle(int style) {
  m_pen.lopnStyle = static_cast<UINT>(style);
  Invalidate();
}

void CDrawObj::SetColour(COLORREF colour, int kind) {
  switch (kind) {
    case 0: m_lineKind = 0; m_pen.lopnColor = colour; break;
    case 1: m_fillKind = 0; m_brush.lbColor = colour; break;
    case 2: m_captionColour = colour; break;
    case 3: m_auxColour = colour; break;
    default: break;
  }
  Invalidate();
}

void CDrawObj::SetLineWidth(int width) {
  if (m_outlined) {
    m_pen.lopnWidth.x = width;
    m_pen.lopnWidth.y = width;
  }
  m_baseRect = GetDrawBounds();
  Invalidate();
}

void CDrawObj::ToggleTrajectory() {
  m_trajectory = !m_trajectory;
  if (m_trajectory) {
    m_pen.lopnStyle = PS_SOLID;
    m_pen.lopnColor = 0x0000FF;
    m_outlined = 1;
    m_pen.lopnWidth.x = 1;
    m_filled = 0;
  }
}

void CDrawObj::SetColourKey(COLORREF colour) {
  m_colourKey = colour;
  if (CDrawHost* host = Host()) host->InvalidateObject(this);
}

// ---- operations completed by the parts of the model that own them ----------------------
// Until then each does nothing, or answers as an object without that ability would.

CDrawObj* CDrawObj::FindMember(const CString&, int) { return nullptr; }

int CDrawObj::GetPathPoints(int, CMethod*, int) { return 0; }
double CDrawObj::GetPathLength() { return 0.0; }

void CDrawObj::SetSuspended(BOOL deleted) {
  m_deleted = deleted;
  if (CDrawHost* host = Host()) host->SetPageModified();
}
BOOL CDrawObj::IsSuspended() { return m_deleted; }
int CDrawObj::ApplyDisplayAction(const CString&, const CString&, double, double, double) { return 0; }
int CDrawObj::UnusedDataHook(const CString&, double, double, double, const CString&) { return 0; }
void CDrawObj::ApplySetDataAction(double, double, const CString&, const CString&) {}
void CDrawObj::SetCartoonFrame(int, int, int) {}

// Code tables: the names of data types, action types and triggers.
int CDrawObj::DataTypeFromName(const CString& name, int group) { return CodeTables::DataTypeFromName(name, group); }
CString CDrawObj::DataTypeName(int item, int group) { return CodeTables::DataTypeName(item, group); }
CString CDrawObj::ActionTypeName(DWORD flag, int& index) { return CodeTables::ActionTypeName(flag, index); }
int CDrawObj::ActionTypeFromName(const CString& name) { return CodeTables::ActionTypeFromName(name); }
DWORD CDrawObj::ActionTypeAt(int index) { return CodeTables::ActionTypeAt(index); }
CString CDrawObj::TriggerName(DWORD flag, int& index) { return CodeTables::TriggerName(flag, index); }
int CDrawObj::TriggerFromName(const CString& name) { return CodeTables::TriggerFromName(name); }
