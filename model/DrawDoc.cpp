#include "model/DrawDoc.h"

#include <algorithm>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/Codepage.h"
#include "framework/core/File.h"
#include "framework/core/MessageBox.h"
#include "framework/core/UserException.h"
#include "framework/core/WriteBeside.h"
#include "framework/ui/DC.h"
#include "graphics/ImageHelpers.h"
#include "graphics/Picture.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/MemberGroup.h"
#include "model/PictureRecord.h"
#include "model/RetiredObjects.h"
#include "resources/ModelStrings.h"

IMPLEMENT_DYNCREATE(CDrawDoc, CDocument)

const char kPageSignature[] = "Zumi multi media tool";
const char kPageVersion[] = "1.2";

// Membership is tested against this list, not by derivation: the line class names the
// framework's base class as its base. A name counts only where its class is registered:
// the document object is the player's alone, and the other programs refuse it.
bool CDrawDoc::IsDrawingClass(const CRuntimeClass* cls) {
  static const char* const kNames[] = {"CDrawRect",  "CDrawLine",    "CDrawPoint",   "CDrawPoly",
                                       "CDrawText",  "CDrawCompObj", "CDrawJoinObj", "CDrawFun",
                                       "CDrawMeta",  "CDrawMedia",   "CDrawAnimate", "CDrawObj",
                                       "CDrawDocfile"};
  for (const char* name : kNames)
    if (CRuntimeClass::FromName(name) == cls) return true;
  return false;
}

namespace {

CDrawObj* AsObject(CObject* o) { return static_cast<CDrawObj*>(o); }

// The members of a composite or glued object, whose records are named with the page's.
CObList* MemberListOf(CDrawObj* object) {
  CMemberGroup* group = dynamic_cast<CMemberGroup*>(object);
  return group ? &group->m_members : nullptr;
}

}  // namespace

CDrawDoc::CDrawDoc() : CDrawDoc(Reader::editor) {}

CDrawDoc::CDrawDoc(Reader reader) : m_reader(reader), m_fileVersion(kPageVersion) {
  m_screenSize = CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  m_timeStamp1 = m_timeStamp2 = CTime::GetCurrentTime();
  SetPageSize(800, 600);
}

CDrawDoc::~CDrawDoc() {
  delete m_backPicture;
  m_pageEvents.RemoveAll();
  m_pageActions.RemoveAll();
  DestroyObjects();
}

void CDrawDoc::DestroyObjects() {
  m_undo.ClearUndo();
  m_undo.ClearRedo();
  m_focusObject = nullptr;
  ++m_contentsGeneration;
  // A page replaced by a jump is emptied from inside the step of one of its objects:
  // those objects live on until the walk over the page is over.
  while (!m_objects.IsEmpty()) CRetiredObjects::Dispose(AsObject(m_objects.RemoveHead()));
  // The next page gets a folder of its own; this one goes with the last copy in it.
  m_mediaFolder.reset();
}

CString CDrawDoc::KindWord(int shape) {
  static const struct { int shape; UINT id; } kWords[] = {
      {6, IDS_KIND_TEXT},     {7, IDS_KIND_PICTURE},    {8, IDS_KIND_LINE},        {9, IDS_KIND_RECTANGLE},
      {10, IDS_KIND_ROUND_RECTANGLE}, {11, IDS_KIND_ELLIPSE}, {12, IDS_KIND_POLYGON}, {13, IDS_KIND_CURVE},
      {14, IDS_KIND_POINT},   {16, IDS_KIND_COMPOSITE}, {17, IDS_KIND_VIDEO},      {18, IDS_KIND_SOUND},
      {19, IDS_KIND_GLUE},    {21, IDS_KIND_FUNCTION},
  };
  CString word;
  for (const auto& w : kWords)
    if (w.shape == shape) word.LoadString(w.id);
  return word;
}

// ---- lifecycle ---------------------------------------------------------------------------

void CDrawDoc::ResetFields() {
  delete m_backPicture;
  m_backPicture = nullptr;
  m_backPictureFile.Empty();
  m_useBackPicture = 0;
  m_backColour = 0xFFFFFF;
  std::fill(std::begin(m_nameCounters), std::end(m_nameCounters), 0);
  m_spareReal = 0.0;
  m_transitionKind = 0;
  m_transitionDelay = 1;
  m_stretchBackPicture = 1;
  m_transitionDirection = 0;
  m_transitionPending = 0;
  m_curtainColour = 0;
  m_spareWord2 = m_spareWord3 = 0;
  m_spareColour = 0xFFFFFF;
  m_timeStamp1 = m_timeStamp2 = CTime::GetCurrentTime();
  m_embedMode = 2;
  m_spareWord4 = m_spareWord5 = 0;
  m_spareText.Empty();
  for (CString& t : m_spareTexts) t.Empty();
  std::fill(std::begin(m_spareReals), std::end(m_spareReals), 0.0);
  std::fill(std::begin(m_spareWords), std::end(m_spareWords), 0);
  std::fill(std::begin(m_spareTable1), std::end(m_spareTable1), 0);
  std::fill(std::begin(m_spareTable2), std::end(m_spareTable2), 0);
  m_spareWord6 = m_spareWord7 = 0;
  m_pageEvents.RemoveAll();
  m_pageActions.RemoveAll();
}

void CDrawDoc::DeleteContents() {
  m_undo.ClearUndo();
  m_undo.ClearRedo();
  ResetFields();
  DestroyObjects();
}

BOOL CDrawDoc::OnNewDocument() {
  if (CDrawHost* host = GetDrawHost()) host->SelectObject(nullptr, FALSE);
  if (!COleDocument::OnNewDocument()) return FALSE;
  m_backPictureFile.Empty();
  m_useBackPicture = 0;
  delete m_backPicture;
  m_backPicture = nullptr;
  m_fileVersion = kPageVersion;
  UpdateAllViews(nullptr);
  return TRUE;
}

void CDrawDoc::TakeContentsFrom(CDrawDoc& o) {
  std::swap(m_backPicture, o.m_backPicture);
  m_mediaFolder = std::move(o.m_mediaFolder);
  m_fileVersion = o.m_fileVersion;
  m_backPictureFile = o.m_backPictureFile;
  m_useBackPicture = o.m_useBackPicture;
  m_transitionDelay = o.m_transitionDelay;
  m_transitionKind = o.m_transitionKind;
  m_transitionDirection = o.m_transitionDirection;
  m_transitionPending = o.m_transitionPending;
  m_curtainColour = o.m_curtainColour;
  m_pageSize = o.m_pageSize;
  m_stretchBackPicture = o.m_stretchBackPicture;
  m_embedMode = o.m_embedMode;
  std::copy(std::begin(o.m_nameCounters), std::end(o.m_nameCounters), m_nameCounters);
  m_spareWord1 = o.m_spareWord1;
  m_backColour = o.m_backColour;
  m_spareWord2 = o.m_spareWord2;
  m_spareWord3 = o.m_spareWord3;
  m_spareColour = o.m_spareColour;
  m_spareReal = o.m_spareReal;
  m_timeStamp1 = o.m_timeStamp1;
  m_timeStamp2 = o.m_timeStamp2;
  m_spareWord4 = o.m_spareWord4;
  m_spareWord5 = o.m_spareWord5;
  m_spareText = o.m_spareText;
  std::copy(std::begin(o.m_spareTexts), std::end(o.m_spareTexts), m_spareTexts);
  std::copy(std::begin(o.m_spareReals), std::end(o.m_spareReals), m_spareReals);
  std::copy(std::begin(o.m_spareWords), std::end(o.m_spareWords), m_spareWords);
  std::copy(std::begin(o.m_spareTable1), std::end(o.m_spareTable1), m_spareTable1);
  std::copy(std::begin(o.m_spareTable2), std::end(o.m_spareTable2), m_spareTable2);
  m_spareWord6 = o.m_spareWord6;
  m_spareWord7 = o.m_spareWord7;
  m_pageEvents.RemoveAll();
  m_pageActions.RemoveAll();
  m_pageEvents.SetSize(o.m_pageEvents.GetSize());
  for (int i = 0; i < o.m_pageEvents.GetSize(); ++i) m_pageEvents[i] = std::move(o.m_pageEvents[i]);
  m_pageActions.SetSize(o.m_pageActions.GetSize());
  for (int i = 0; i < o.m_pageActions.GetSize(); ++i) m_pageActions[i] = std::move(o.m_pageActions[i]);
  while (!o.m_objects.IsEmpty()) m_objects.AddTail(o.m_objects.RemoveHead());
}

void CDrawDoc::ReportReadFailure(UINT messageId) {
  // The browser control refuses a page silently.
  if (m_reader != Reader::control) AfxMessageBox(messageId, MB_ICONSTOP);
}

BOOL CDrawDoc::OnOpenDocument(const char* path) {
  if (CDrawHost* host = GetDrawHost()) host->SelectObject(nullptr, FALSE);
  CDrawDoc loaded(m_reader);
  try {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &loaded;
    loaded.Serialize(ar);
  } catch (const CUserException&) {
    return FALSE;  // already reported
  } catch (const CException& e) {
    if (m_reader != Reader::control) AfxMessageBox(IDS_PAGE_OPEN_FAILED, MB_ICONSTOP);
    return FALSE;
  }
  DeleteContents();
  TakeContentsFrom(loaded);
  SetModifiedFlag(FALSE);
  m_openedPath = path;
  SetPathName(path, TRUE);
  CString title = path;
  title = title.Mid(std::max(title.ReverseFind('\\'), title.ReverseFind('/')) + 1);
  SetTitle(title);
  UpdateAllViews(nullptr);
  return TRUE;
}

BOOL CDrawDoc::OnSaveDocument(const char* path) {
  try {
    WriteFileBeside(CString(path), [this](CFile& file) {
      CArchive ar(&file, CArchive::store);
      ar.m_pDocument = this;
      Serialize(ar);
      ar.Close();
    });
  } catch (const CUserException&) {
    return FALSE;
  } catch (const CException&) {
    AfxMessageBox(IDS_PAGE_SAVE_FAILED, MB_ICONSTOP);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDrawDoc::SaveToCurrentPath() {
  const CString& path = GetPathName();
  const DWORD attributes = ::GetFileAttributesW(codepage::ToWide(path.str()).c_str());
  if (!path.IsEmpty() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    AfxMessageBox(IDS_PAGE_READ_ONLY, MB_ICONSTOP);
    return FALSE;
  }
  // A page without a path asks for a name, as Save As does.
  return DoSave(path.IsEmpty() ? nullptr : path.GetString());
}

// ---- the page file -----------------------------------------------------------------------

void CDrawDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    StorePage(ar);
  else
    LoadPage(ar);
}

void CDrawDoc::StorePage(CArchive& ar) {
  if (CDrawHost* host = GetDrawHost()) host->SelectObject(nullptr, FALSE);
  m_undo.ClearUndo();
  m_undo.ClearRedo();
  PurgeDeletedObjects();
  CollectResources(m_embedMode);
  // Event and action counts are 16 bits wide; more cannot be stored faithfully.
  if (m_pageEvents.GetSize() > 0xFFFF || m_pageActions.GetSize() > 0xFFFF)
    throw CArchiveException(CArchiveException::genericException);

  ar << CString(kPageSignature) << CString(kPageVersion) << static_cast<DWORD>(m_backColour);
  StoreEach(ar, m_nameCounters);
  ar << m_spareWord3 << static_cast<DWORD>(m_spareColour) << m_spareReal;
  // Time stamps are 32-bit in the file.
  ar << m_timeStamp1 << m_timeStamp2 << m_embedMode << m_spareWord4 << m_spareWord5 << m_spareText;
  StoreEach(ar, m_spareTexts);
  StoreEach(ar, m_spareReals);
  StoreEach(ar, m_spareWords);
  StoreEach(ar, m_spareTable1);
  StoreEach(ar, m_spareTable2);
  ar << m_spareWord6 << m_spareWord7;
  ar << static_cast<WORD>(m_pageEvents.GetSize()) << static_cast<WORD>(m_pageActions.GetSize());
  for (int i = 0; i < m_pageEvents.GetSize(); ++i) m_pageEvents[i].Serialize(ar);
  for (int i = 0; i < m_pageActions.GetSize(); ++i) m_pageActions[i].Serialize(ar);
  ar << static_cast<LONG>(m_pageSize.cx) << static_cast<LONG>(m_pageSize.cy) << m_spareWord1 << m_backPictureFile
     << m_useBackPicture << m_transitionDelay << m_transitionKind << m_transitionDirection << m_transitionPending
     << static_cast<DWORD>(m_curtainColour) << m_spareWord2 << m_stretchBackPicture;
  ar.WriteCount(static_cast<DWORD>(m_objects.GetCount()));
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) ar.WriteObject(m_objects.GetNext(pos));
  SerializeBackground(ar, m_objects, m_embedMode);
}

void CDrawDoc::LoadPage(CArchive& ar) {
  CString signature, version;
  ar >> signature;
  if (signature != kPageSignature) {
    ReportReadFailure(IDS_PAGE_BAD_FORMAT);
    throw CUserException();
  }
  ar >> version;
  const bool older = version == "1.0" || version == "1.1";
  if (version != kPageVersion && !(older && m_reader != Reader::editor)) {
    ReportReadFailure(IDS_PAGE_BAD_VERSION);
    throw CUserException();
  }
  m_fileVersion = version;

  DWORD backColour;
  ar >> backColour;
  m_backColour = backColour;
  if (version == "1.0") {
    // The oldest pages carry 20 counters and go straight on to the page size.
    for (int i = 0; i < 20; ++i) ar >> m_nameCounters[i];
  } else {
    DWORD spareColour;
    LoadEach(ar, m_nameCounters);
    ar >> m_spareWord3 >> spareColour >> m_spareReal >> m_timeStamp1 >> m_timeStamp2 >> m_embedMode >>
        m_spareWord4 >> m_spareWord5 >> m_spareText;
    m_spareColour = spareColour;
    LoadEach(ar, m_spareTexts);
    LoadEach(ar, m_spareReals);
    LoadEach(ar, m_spareWords);
    LoadEach(ar, m_spareTable1);
    LoadEach(ar, m_spareTable2);
    ar >> m_spareWord6 >> m_spareWord7;
    WORD eventCount, actionCount;
    ar >> eventCount >> actionCount;
    ar.CheckAvailable(static_cast<ULONGLONG>(eventCount) + actionCount);
    m_pageEvents.SetSize(eventCount);
    m_pageActions.SetSize(actionCount);
    for (int i = 0; i < eventCount; ++i) m_pageEvents[i].Serialize(ar);
    for (int i = 0; i < actionCount; ++i) m_pageActions[i].Serialize(ar);
  }
  LONG width, height;
  DWORD curtain;
  ar >> width >> height >> m_spareWord1 >> m_backPictureFile >> m_useBackPicture >> m_transitionDelay >>
      m_transitionKind >> m_transitionDirection >> m_transitionPending >> curtain >> m_spareWord2 >>
      m_stretchBackPicture;
  m_pageSize = CSize(width, height);
  m_curtainColour = curtain;

  // Only new objects of the drawing classes: a page may come from the web, and anything
  // else there (a value, a back reference) would give an object two owners or the
  // wrong type.
  for (DWORD n = ar.ReadCount(2); n > 0; --n) m_objects.AddTail(ar.ReadNewObject(&CDrawDoc::IsDrawingClass));
  SerializeBackground(ar, m_objects, m_embedMode);
  if (m_reader == Reader::editor) {
    NameUnnamedActions(m_objects);
    NameUnnamedEvents(m_objects);
  }
}

bool CDrawDoc::BackgroundRecordPresent() const {
  return m_embedMode == 2 && !m_backPictureFile.IsEmpty() && m_useBackPicture;
}

void CDrawDoc::WriteBackgroundRecord(CArchive& ar) { PictureRecord::Write(ar, m_backPictureFile, m_backPicture); }

void CDrawDoc::ReadBackgroundRecord(CArchive& ar) {
  m_backPictureFile.MakeLower();
  delete m_backPicture;
  m_backPicture = nullptr;
  m_backPicture = PictureRecord::Read(ar);
}

void CDrawDoc::SerializeBackground(CArchive& ar, CObList& objects, int mode) {
  if (BackgroundRecordPresent()) {
    if (ar.IsStoring())
      WriteBackgroundRecord(ar);
    else
      ReadBackgroundRecord(ar);
  }
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(objects.GetNext(pos));
    if (!object->IsSuspended()) object->SerializeEmbedded(ar, mode);
  }
}

void CDrawDoc::CollectResources(int mode) {
  if (mode == 1) return;
  CDrawHost* host = GetDrawHost();
  if (!m_backPictureFile.IsEmpty() && m_backPicture) {
    const CString bare = m_backPictureFile.Mid(m_backPictureFile.ReverseFind('\\') + 1);
    bool keepPath = false;
    if (mode == 0) {
      CString folder = host ? host->GetProgrammeFolder() : CString();
      if (folder.IsEmpty()) {
        // Before any run the programme folder is the page's own.
        folder = GetPathName().Left(std::max(GetPathName().ReverseFind('\\'), 0));
      }
      const CString res = folder + "\\res";
      ::CreateDirectoryW(codepage::ToWide(res.str()).c_str(), nullptr);
      const CString target = res + "\\" + bare;
      const std::wstring wideTarget = codepage::ToWide(target.str());
      if (::GetFileAttributesW(wideTarget.c_str()) == INVALID_FILE_ATTRIBUTES &&
          !::CopyFileW(codepage::ToWide(m_backPictureFile.str()).c_str(), wideTarget.c_str(), TRUE))
        keepPath = true;  // the copy failed: keep the full path rather than point at nothing
    }
    if (!keepPath) {
      m_backPictureFile = bare;
      m_backPictureFile.MakeLower();
    }
  }
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(m_objects.GetNext(pos));
    if (!object->IsSuspended()) object->CollectResources(mode);
  }
}

// ---- the object list ---------------------------------------------------------------------

LRESULT CDrawDoc::Add(CDrawObj* object) {
  m_objects.AddTail(object);
  object->m_layer = m_objects.GetCount();
  SetPageModified(TRUE);
  CDrawHost* host = GetDrawHost();
  return host ? host->NotifyPropertyPanel(kPanelObjectAdded, object) : 0;
}

void CDrawDoc::Remove(CDrawObj* object) {
  if (POSITION pos = m_objects.Find(object)) {
    m_objects.RemoveAt(pos);
    RenumberObjects(TRUE);
  }
  // The caller owns the object now and may destroy it: nothing here may keep it.
  m_undo.Forget(object);
  if (m_focusObject == object) m_focusObject = nullptr;
  SetPageModified(TRUE);
  if (CDrawHost* host = GetDrawHost()) {
    host->NotifyPropertyPanel(kPanelObjectRemoved, object);
    host->DeselectObject(object);
  }
}

CDrawObj* CDrawDoc::ObjectAt(CPoint point) {
  const CRect probe(point.x, point.y, point.x + 1, point.y + 1);
  for (POSITION pos = m_objects.GetTailPosition(); pos;) {
    CDrawObj* object = AsObject(m_objects.GetPrev(pos));
    if (object->Intersects(probe) && !object->IsSuspended()) return object;
  }
  return nullptr;
}

CDrawObj* CDrawDoc::ObjectAtExcept(CPoint point, CDrawObj* skip) {
  const CRect probe(point.x, point.y, point.x + 1, point.y + 1);
  for (POSITION pos = m_objects.GetTailPosition(); pos;) {
    CDrawObj* object = AsObject(m_objects.GetPrev(pos));
    if (object != skip && object->Intersects(probe)) return object;
  }
  return nullptr;
}

void CDrawDoc::RenumberObjects(BOOL sort) {
  if (sort) {
    std::vector<CDrawObj*> order;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) order.push_back(AsObject(m_objects.GetNext(pos)));
    // Selection sort, a later object replacing the candidate only when strictly lower:
    // the order of equal layers is part of what users see.
    for (size_t i = 0; i + 1 < order.size(); ++i) {
      size_t lowest = i;
      for (size_t j = i + 1; j < order.size(); ++j)
        if (order[j]->m_layer < order[lowest]->m_layer) lowest = j;
      std::swap(order[i], order[lowest]);
    }
    POSITION pos = m_objects.GetHeadPosition();
    for (CDrawObj* object : order) {
      m_objects.SetAt(pos, object);
      m_objects.GetNext(pos);
    }
  }
  int layer = 1;
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) AsObject(m_objects.GetNext(pos))->m_layer = layer++;
}

int CDrawDoc::SetPageSize(int width, int height) {
  // Sizes whose area does not fit 32 bits would break every coordinate computation.
  const long long area = static_cast<long long>(width) * height;
  if (width < kMinPageWidth || height < kMinPageHeight || area > 0x7FFFFFFF) return 0;
  m_pageSize = CSize(width, height);
  if (CDrawHost* host = GetDrawHost())
    if (HWND window = host->GetViewWindow()) ::InvalidateRect(window, nullptr, FALSE);
  return 1;
}

void CDrawDoc::PurgeDeletedObjects() {
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    POSITION at = pos;
    CDrawObj* object = AsObject(m_objects.GetNext(pos));
    if (object->IsSuspended()) {
      m_objects.RemoveAt(at);
      m_undo.Forget(object);
      if (m_focusObject == object) m_focusObject = nullptr;
      delete object;
    }
  }
}

CDrawObj* CDrawDoc::UndoDelete() {
  CDrawObj* object = m_undo.PopUndo();
  if (!object || !m_objects.Find(object)) return nullptr;
  object->SetSuspended(FALSE);  // undo always brings the object back
  m_undo.PushRedo(object);
  return object;
}

CDrawObj* CDrawDoc::RedoDelete() {
  CDrawObj* object = m_undo.PopRedo();
  if (!object || !m_objects.Find(object)) return nullptr;
  object->SetSuspended(TRUE);  // redo always deletes it again
  m_undo.PushUndo(object);
  return object;
}

// ---- automatic names ---------------------------------------------------------------------

namespace {

template <typename Records, typename NameOf>
void NameRecords(Records& records, const std::vector<DWORD>& flags, NameOf nameOf) {
  std::vector<int> counters(flags.size(), 1);
  for (int i = 0; i < records.GetSize(); ++i) {
    auto& record = records[i];
    if (!record.m_strName.IsEmpty()) continue;
    for (size_t k = 0; k < flags.size(); ++k) {
      if (flags[k] == nameOf.flag(record)) {
        record.m_strName.Format("%s%d", nameOf.name(flags[k]).GetString(), counters[k]++);
        break;
      }
    }
  }
}

std::vector<DWORD> ActionFlags() {
  std::vector<DWORD> flags;
  for (DWORD f = 1; f <= 0x40000; f <<= 1) flags.push_back(f);
  flags.push_back(0x100000);
  return flags;
}

std::vector<DWORD> TriggerFlags() {
  std::vector<DWORD> flags;
  for (int i = 0; i <= 12; ++i) flags.push_back(1u << i);
  return flags;
}

}  // namespace

void CDrawDoc::NameUnnamedActions(CObList& objects) {
  static const std::vector<DWORD> flags = ActionFlags();
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(objects.GetNext(pos));
    if (CObList* members = MemberListOf(object)) NameUnnamedActions(*members);
    struct {
      CDrawObj* o;
      DWORD flag(const CMethod& m) const { return m.m_nType; }
      CString name(DWORD f) const { int index; return o->ActionTypeName(f, index); }
    } nameOf{object};
    NameRecords(object->m_actions, flags, nameOf);
  }
}

void CDrawDoc::NameUnnamedEvents(CObList& objects) {
  static const std::vector<DWORD> flags = TriggerFlags();
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(objects.GetNext(pos));
    if (CObList* members = MemberListOf(object)) NameUnnamedEvents(*members);
    struct {
      CDrawObj* o;
      DWORD flag(const CHPEvent& e) const { return e.m_nTrigger; }
      CString name(DWORD f) const { int index; return o->TriggerName(f, index); }
    } nameOf{object};
    NameRecords(object->m_events, flags, nameOf);
  }
}

// ---- drawing -----------------------------------------------------------------------------

void CDrawDoc::Draw(CDC* dc, CView* view) {
  const int halfW = m_pageSize.cx / 2, halfH = m_pageSize.cy / 2;
  if (m_useBackPicture && m_backPicture) {
    Gdiplus::Graphics graphics(dc->GetSafeHdc());
    Gdiplus::GraphicsPath page;
    page.AddRectangle(Gdiplus::Rect(-halfW, -halfH, 2 * halfW, 2 * halfH));
    DrawImageEx(m_backPicture, &graphics, &page, -halfW, halfH, halfW, -halfH, m_stretchBackPicture, FALSE, 0, 0);
  }
  CDrawHost* host = GetDrawHost();
  const bool printing = ::GetDeviceCaps(dc->GetSafeHdc(), TECHNOLOGY) == DT_RASPRINTER;
  const bool activeView = host && view && host->GetActiveView() == view;
  CRect clip;
  ::GetClipBox(dc->GetSafeHdc(), &clip);
  clip.NormalizeRect();
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(m_objects.GetNext(pos));
    if (object->IsSuspended()) continue;
    CRect r = object->m_position;
    if (r.left == r.right) {
      --r.left;
      ++r.right;
    }
    if (r.top == r.bottom) {
      ++r.top;
      --r.bottom;
    }
    r.NormalizeRect();
    CRect meet;
    if (!meet.IntersectRect(&r, &clip)) continue;
    object->Draw(dc, view);
    if (activeView && !printing && host->IsSelected(object)) object->DrawTracker(dc, 1);
  }
}

BOOL CDrawDoc::IsShowingPage(const CString& path) const {
  // Both sides lower-cased (character by character, so Chinese names survive).
  CString current = GetPathName(), wanted = path;
  current.MakeLower();
  wanted.MakeLower();
  return current == wanted;
}
