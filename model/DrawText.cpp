// CDrawText apart from its drawing and its calculator: the record, the action-type
// table, geometry, the input box, copies and the state a run or an effect changes.
#include "model/DrawText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "framework/core/Archive.h"
#include "framework/core/Codepage.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/View.h"
#include "graphics/DoubleToCoord.h"
#include "graphics/GeometryHelpers.h"
#include "graphics/ImageHelpers.h"
#include "graphics/Picture.h"
#include "model/CodeTables.h"
#include "model/ColorEditWnd.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawRect.h"
#include "model/PropertyRows.h"
#include "model/ShapeEditing.h"
#include "model/Value.h"
#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CDrawText, CDrawObj, 0)

using namespace ShapeEditing;

namespace {

// The key-down and key-up triggers: with either, Enter in the box goes to the view.
constexpr DWORD kKeyTriggers = 0x200 | 0x400;
// The input box: WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL.
constexpr DWORD kInputBoxStyle = 0x50000044;
constexpr int kFaceBytes = LF_FACESIZE;


// The rectangle in the view's device units, where the input box stands.
CRect DeviceRect(const CRect& position) {
  CRect r = position;
  if (CDrawHost* host = GetDrawHost())
    host->LPtoDPRect(r);
  else
    r.NormalizeRect();
  return r;
}

void StoreLogFont(CArchive& ar, const LOGFONTA& f) {
  ar << static_cast<LONG>(f.lfHeight) << static_cast<LONG>(f.lfWidth) << static_cast<LONG>(f.lfEscapement)
     << static_cast<LONG>(f.lfOrientation) << static_cast<LONG>(f.lfWeight);
  ar << static_cast<BYTE>(f.lfItalic) << static_cast<BYTE>(f.lfUnderline) << static_cast<BYTE>(f.lfStrikeOut)
     << static_cast<BYTE>(f.lfCharSet) << static_cast<BYTE>(f.lfOutPrecision) << static_cast<BYTE>(f.lfClipPrecision)
     << static_cast<BYTE>(f.lfQuality) << static_cast<BYTE>(f.lfPitchAndFamily);
  ar.Write(f.lfFaceName, kFaceBytes);
}

void LoadLogFont(CArchive& ar, LOGFONTA& f) {
  LONG height, width, escapement, orientation, weight;
  BYTE italic, underline, strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily;
  ar >> height >> width >> escapement >> orientation >> weight;
  ar >> italic >> underline >> strikeOut >> charSet >> outPrecision >> clipPrecision >> quality >> pitchAndFamily;
  char face[kFaceBytes];
  if (ar.Read(face, kFaceBytes) != kFaceBytes) throw CArchiveException(CArchiveException::endOfFile);
  f.lfHeight = height;
  f.lfWidth = width;
  f.lfEscapement = escapement;
  f.lfOrientation = orientation;
  f.lfWeight = weight;
  f.lfItalic = italic;
  f.lfUnderline = underline;
  f.lfStrikeOut = strikeOut;
  f.lfCharSet = charSet;
  f.lfOutPrecision = outPrecision;
  f.lfClipPrecision = clipPrecision;
  f.lfQuality = quality;
  f.lfPitchAndFamily = pitchAndFamily;
  // Kept as read, terminator or not, so that the record is written back unchanged; the
  // fonts are made from a terminated copy.
  std::memcpy(f.lfFaceName, face, kFaceBytes);
}

}  // namespace

CDrawText::CDrawText() {
  m_pictureFill = 1;
  m_captionColour = 0;
  m_auxColour = 0xFFFFFF;
  ResetFont();
}

// The rotation centre starts at the rectangle's centre, so that a new text turns about
// itself before its first move. A new text box is transparent.
CDrawText::CDrawText(const CRect& position) : CDrawObj(position) {
  m_pictureFill = 1;
  m_filled = 0;
  m_rotationCentre = CentreOf(position);
  ResetFont();
}

CDrawText::~CDrawText() {
  m_inputBox.reset();
  m_editFont.DeleteObject();
  if (m_storedVariables) {
    CValue::DeleteVariables(*m_storedVariables);
    delete m_storedVariables;
  }
}

void CDrawText::ResetFont() {
  m_logFont = {};
  m_logFont.lfHeight = 20;
  m_logFont.lfWeight = FW_NORMAL;
  m_logFont.lfCharSet = GB2312_CHARSET;
  m_logFont.lfOutPrecision = OUT_TT_PRECIS;
  m_logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  m_logFont.lfQuality = NONANTIALIASED_QUALITY;
  m_logFont.lfPitchAndFamily = 0;
  CString face;
  face.LoadString(IDS_DEFAULT_FONT_FACE);
  std::memcpy(m_logFont.lfFaceName, face.GetString(),
              static_cast<size_t>(std::min(face.GetLength(), kFaceBytes - 1)));
}

LOGFONTW CDrawText::WideLogFont() const {
  LOGFONTW wide = {};
  wide.lfHeight = m_logFont.lfHeight;
  wide.lfWidth = m_logFont.lfWidth;
  wide.lfEscapement = m_logFont.lfEscapement;
  wide.lfOrientation = m_logFont.lfOrientation;
  wide.lfWeight = m_logFont.lfWeight;
  wide.lfItalic = m_logFont.lfItalic;
  wide.lfUnderline = m_logFont.lfUnderline;
  wide.lfStrikeOut = m_logFont.lfStrikeOut;
  wide.lfCharSet = m_logFont.lfCharSet;
  wide.lfOutPrecision = m_logFont.lfOutPrecision;
  wide.lfClipPrecision = m_logFont.lfClipPrecision;
  wide.lfQuality = m_logFont.lfQuality;
  wide.lfPitchAndFamily = m_logFont.lfPitchAndFamily;
  const char* face = m_logFont.lfFaceName;
  const size_t length = static_cast<size_t>(std::find(face, face + kFaceBytes - 1, '\0') - face);
  const std::wstring name = codepage::ToWide(face, length);
  name.copy(wide.lfFaceName, std::min<size_t>(name.size(), LF_FACESIZE - 1));
  return wide;
}

// ---- the record ------------------------------------------------------------------------

void CDrawText::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    StoreLogFont(ar, m_logFont);
    ar << m_displayText << static_cast<DWORD>(m_colourKey) << m_alignment << m_drawTextFlags << m_pictureFill;
    if (m_pictureFill) ar << m_pictureFile;
    ar << m_reservedText << m_operatorPending << m_mark << m_reservedTextWord << m_textInput;
    return;
  }
  LoadLogFont(ar, m_logFont);
  DWORD colourKey;
  ar >> m_displayText >> colourKey >> m_alignment >> m_drawTextFlags >> m_pictureFill;
  m_colourKey = colourKey;
  // The name travels only with the flag: a name without it is not kept.
  if (m_pictureFill)
    ar >> m_pictureFile;
  else
    m_pictureFile.Empty();
  ar >> m_reservedText >> m_operatorPending >> m_mark >> m_reservedTextWord >> m_textInput;
  delete m_picture;
  m_picture = nullptr;
  if (m_pictureFill && !m_pictureFile.IsEmpty()) {
    const CString name = m_pictureFile;
    LoadPicture(name);
  }
}

// ---- simple operations -------------------------------------------------------------------

BOOL CDrawText::IsPlainShape() { return TRUE; }

CString CDrawText::ActionTypeName(DWORD flag, int& index) {
  return CodeTables::ValueActionTypeName(flag, index);
}

int CDrawText::ActionTypeFromName(const CString& name) {
  return CodeTables::ValueActionTypeFromName(name);
}

DWORD CDrawText::ActionTypeAt(int index) { return CodeTables::ValueActionTypeAt(index); }

void CDrawText::ResetPropertyPage(int group, CView* view) {
  if (group == 0) {
    m_pictureFile.Empty();
    m_pictureFill = 0;
    delete m_picture;
    m_picture = nullptr;
    m_filled = 1;
    ResetFont();
    DiscardInputBox();
    m_alignment = kTextAlignCentre;
    m_drawTextFlags = DT_VCENTER | DT_SINGLELINE;
    m_colourKey = 0xFFFFFF;
  }
  CDrawObj::ResetPropertyPage(group, view);
  CDrawHost* host = GetDrawHost();
  if (view && host) host->SetPageModified();
}

void CDrawText::OnSelect(CView*) {
  m_selectedAction = -1;
  m_selectedEvent = -1;
  CDrawHost* host = GetDrawHost();
  if (host && host->GetMode() == kModeEditing) {
    host->NotifyPropertyPanel(kPanelObjectSelected, this);
    host->SyncFormatBar();
  }
}

// ---- geometry ------------------------------------------------------------------------------

CPoint CDrawText::GetHandle(int handle) {
  return Turned(CDrawObj::GetHandle(handle), -m_angle, m_rotationCentre.x, m_rotationCentre.y);
}

void CDrawText::AddBoundsShape(Gdiplus::GraphicsPath& path) {
  const CRect& p = m_position;
  if (p.left != p.right && p.top != p.bottom) {
    CRect r = p;
    r.NormalizeRect();
    path.AddRectangle(Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                                     static_cast<Gdiplus::REAL>(static_cast<double>(r.right) - r.left),
                                     static_cast<Gdiplus::REAL>(static_cast<double>(r.bottom) - r.top)));
    return;
  }
  POINT band[4];
  LineBandPolygon(p.left, p.top, p.right, p.bottom, m_pen.lopnWidth.x, band);
  Gdiplus::Point corners[4];
  for (int i = 0; i < 4; ++i) corners[i] = Gdiplus::Point(band[i].x, band[i].y);
  path.AddPolygon(corners, 4);
}

CRect CDrawText::GetDrawBounds() {
  Gdiplus::GraphicsPath path;
  AddBoundsShape(path);
  return TurnedPathBounds(path);
}

void CDrawText::SetRect(const CRect& rect, CView* view) {
  if (rect == m_position) return;
  InvalidateFor(*this, view);
  m_position = rect;
  m_rotationCentre = CentreOf(rect);
  m_baseRect = GetDrawBounds();
  if (view && m_inputBox && ::IsWindow(m_inputBox->m_hWnd)) {
    const CRect device = DeviceRect(m_position);
    m_inputBox->MoveWindow(&device);
  }
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

void CDrawText::SetAngle(double angle, BOOL relative, CView* view) {
  CDrawRect::SetAngleOf(*this, angle, relative, view);
}

void CDrawText::SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) {
  CDrawRect::SetAngleRectOf(*this, angle, centreX, centreY, relative, view);
}

void CDrawText::MoveHandleTo(int handle, int x, int y, CView* view) {
  const CRect r = DraggedRect(*this, handle, x, y);
  m_rotationCentre = CentreOf(r);
  SetRect(r, view);
}

// ---- the input box ---------------------------------------------------------------------------

int CDrawText::OnOpen(CView* view) {
  if (!view) return 0;
  const CRect device = DeviceRect(m_position);
  if (!m_inputBox) {
    m_inputBox = std::make_unique<CColorEditWnd>();
  } else if (::IsWindow(m_inputBox->m_hWnd)) {
    // Opened again (a second double click): what was typed so far stays.
    m_displayText = m_inputBox->GetText();
    m_inputBox->DestroyWindow();
  }
  m_editFont.DeleteObject();
  const LOGFONTW font = WideLogFont();
  m_editFont.Attach(::CreateFontIndirectW(&font));

  m_inputBox->m_textColour = m_captionColour;
  COLORREF back = 0xFFFFFF;
  if (m_filled) {
    back = m_brush.lbColor;
  } else if (CDrawHost* host = GetDrawHost()) {
    if (CDrawDoc* document = host->GetDocument()) back = document->m_backColour;
  }
  m_inputBox->m_backColour = back;

  // The box belongs to the window the page is shown in: the view's own, or the browser
  // control's, whose view has none. Its colours and Enter go to that window.
  CDrawHost* host = GetDrawHost();
  HWND parent = host ? host->GetViewWindow() : nullptr;
  if (!parent) parent = view->m_hWnd;
  if (parent && m_inputBox->Create(kInputBoxStyle, device, CWnd::FromHandle(parent), kInputBoxId)) {
    m_inputBox->SetText(m_displayText);
    m_inputBox->SetFocus();
    m_inputBox->SetFont(&m_editFont, TRUE);
  }
  m_inputBox->m_forwardEnter = (m_triggerMask & kKeyTriggers) ? TRUE : FALSE;
  return OnOpenDefault(view);
}

void CDrawText::OnDeselect(CView* view) {
  if (m_inputBox) {
    if (::IsWindow(m_inputBox->m_hWnd)) m_displayText = m_inputBox->GetText();
    m_inputBox.reset();
    Invalidate();
  }
  CDrawObj::OnDeselect(view);
}

void CDrawText::DiscardInputBox() { m_inputBox.reset(); }

// ---- copies ----------------------------------------------------------------------------------

CDrawObj* CDrawText::Clone(CDrawObj* target) {
  return CloneShape(*this, target, [&](CDrawText* text) {
    text->m_logFont = m_logFont;
    text->m_displayText = m_displayText;
    text->m_reservedText = m_reservedText;
    text->m_operatorPending = m_operatorPending;
    text->m_mark = m_mark;
    text->m_reservedTextWord = m_reservedTextWord;
    text->m_textInput = m_textInput;
    text->m_alignment = m_alignment;
    text->m_drawTextFlags = m_drawTextFlags;
  });
}

CDrawObj* CDrawText::Duplicate(CDrawDoc* document) { return PlaceDuplicate(Clone(nullptr), document); }

// ---- play and effect state ---------------------------------------------------------------

void CDrawText::SavePlayState(CView* view, CDrawObj* owner) {
  CDrawObj::SavePlayState(view, owner);
  DiscardInputBox();
  m_savedText = m_displayText;
  m_savedPicture.Take(*this);
  m_savedMark = m_mark;
  m_savedOperatorPending = m_operatorPending;
  m_calculationFailed = false;
  // The run calculates on a copy of the variables; the stored ones wait aside.
  if (!m_storedVariables) {
    auto copy = std::make_unique<CMapStringToOb>(10);
    copy->InitHashTable(m_variables->GetHashTableSize());
    CValue::CopyVariables(*m_variables, *copy);
    m_storedVariables = m_variables;
    m_storedFormula = m_expression.GetFormula();
    m_variables = copy.release();
    m_expression.SetVariableMap(m_variables);
    m_expression.SetFormula(m_storedFormula);
  }
}

void CDrawText::RestorePlayState(CView* view) {
  // Once per run, as the base: without a saved state there is nothing to put back.
  const bool saved = m_playState.saved != FALSE;
  CDrawObj::RestorePlayState(view);
  DiscardInputBox();
  if (!saved) return;
  bool changed = m_displayText != m_savedText || m_mark != m_savedMark;
  m_displayText = m_savedText;
  m_mark = m_savedMark;
  m_operatorPending = m_savedOperatorPending;
  m_calculationFailed = false;
  if (m_savedPicture.GiveBack(*this)) changed = true;
  if (m_storedVariables) {
    CValue::DeleteVariables(*m_variables);
    delete m_variables;
    m_variables = m_storedVariables;
    m_storedVariables = nullptr;
    m_expression.SetVariableMap(m_variables);
    m_expression.SetFormula(m_storedFormula);
  }
  if (changed) Invalidate();
}

void CDrawText::SaveVisibilityLayer() {
  CDrawObj::SaveVisibilityLayer();
  m_savedEffectPicture.Take(*this);
}

void CDrawText::RevertVisibilityLayer() {
  CDrawObj::RevertVisibilityLayer();
  if (m_savedEffectPicture.GiveBack(*this)) Invalidate();
}

// ---- property rows ---------------------------------------------------------------------------

void CDrawText::ListGeneral(CPropGrid* grid) {
  CDrawObj::ListGeneral(grid);
  AddFlagRow(grid, IDS_ROW_TEXT_INPUT, m_textInput);
  AddFlagRow(grid, IDS_ROW_BORDERED, m_outlined);
  ListPictureRows(*this, grid);
}

void CDrawText::ApplyGeneral(CPropGrid* grid) {
  const BOOL refused = NameRowEmpty(grid);
  CDrawObj::ApplyGeneral(grid);
  if (refused) return;
  ReadFlagRow(grid, IDS_ROW_TEXT_INPUT, m_textInput);
  ReadFlagRow(grid, IDS_ROW_BORDERED, m_outlined);
  ApplyPictureRows(*this, grid);
}
