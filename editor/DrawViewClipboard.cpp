// CDrawView: copy, cut and paste of page objects through the "Kordel" clipboard format,
// and the drops the view takes (components of the component window).
#include <memory>
#include <vector>

#include "behaviour/DrawFun.h"
#include "editor/ComponentSource.h"
#include "editor/DrawTool.h"
#include "editor/DrawView.h"
#include "framework/core/Archive.h"
#include "framework/core/SharedFile.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/OleDataObject.h"
#include "framework/ui/OleDataSource.h"
#include "media/DrawMedia.h"
#include "media/DrawMeta.h"
#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "model/DrawJoinObj.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/PageClipFormats.h"

namespace {

constexpr UINT kArchiveBuffer = 4096;

// The counter (and kind word) a pasted object is named by: the shape number of the tool
// that draws its kind, -1 for kinds that keep their names.
int PasteShape(const CDrawObj& object) {
  if (const auto* rect = dynamic_cast<const CDrawRect*>(&object)) {
    switch (rect->m_shape) {
      case kShapeRectangle: return kToolRect;
      case kShapeRoundRectangle: return kToolRoundRect;
      case kShapeEllipse: return kToolEllipse;
      default: return -1;
    }
  }
  if (const auto* poly = dynamic_cast<const CDrawPoly*>(&object)) {
    switch (poly->m_polyKind) {
      case kPolyLines: return kToolPolygon;
      case kPolyCurve: return kToolCurve;
      default: return -1;
    }
  }
  if (dynamic_cast<const CDrawText*>(&object)) return kToolText;
  if (dynamic_cast<const CDrawMeta*>(&object)) return kToolPicture;
  if (dynamic_cast<const CDrawMedia*>(&object)) return kToolSound;
  if (dynamic_cast<const CDrawLine*>(&object)) return kToolLine;
  if (dynamic_cast<const CDrawPoint*>(&object)) return kToolPoint;
  if (dynamic_cast<const CDrawCompObj*>(&object)) return kShapeComposite;
  if (dynamic_cast<const CDrawJoinObj*>(&object)) return kToolGlue;
  if (dynamic_cast<const CDrawFun*>(&object)) return kToolFunction;
  return -1;
}

// Objects read but not (yet) the page's: destroyed unless released.
class ReadObjects {
 public:
  ReadObjects() = default;
  ReadObjects(const ReadObjects&) = delete;
  ReadObjects& operator=(const ReadObjects&) = delete;
  ~ReadObjects() {
    for (CDrawObj* object : m_objects) object->Delete();
  }
  void Add(CDrawObj* object) { m_objects.push_back(object); }
  const std::vector<CDrawObj*>& Objects() const { return m_objects; }
  std::vector<CDrawObj*> Release() { return std::move(m_objects); }

 private:
  std::vector<CDrawObj*> m_objects;
};

}  // namespace

void CDrawView::GivePastedName(CDrawDoc& doc, CDrawObj& object) {
  const int shape = PasteShape(object);
  if (shape < 0 || shape >= kNameCounterCount) return;
  object.m_name.Format("%s%d", CDrawDoc::KindWord(shape).GetString(), doc.m_nameCounters[shape]);
  ++doc.m_nameCounters[shape];
}

// ---------------------------------------------------------------------------------
// Copy, cut and paste

void CDrawView::OnEditCopy() {
  CDrawDoc* doc = GetDocument();
  if (!doc || m_selection.IsEmpty()) return;
  CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
  CArchive ar(&file, CArchive::store, kArchiveBuffer);
  ar.m_pDocument = doc;
  ar.WriteCount(static_cast<DWORD>(m_selection.GetCount()));
  for (POSITION pos = m_selection.GetHeadPosition(); pos;) ar.WriteObject(m_selection.GetNext(pos));
  for (POSITION pos = m_selection.GetHeadPosition(); pos;)
    static_cast<CDrawObj*>(m_selection.GetNext(pos))->SerializeEmbedded(ar, doc->m_embedMode);
  ar.Close();

  auto* source = new COleDataSource;
  source->CacheGlobalData(GetPageClipFormats().kordel, file.Detach());
  source->SetClipboard();  // a failure has destroyed the source and is reported by the framework
}

void CDrawView::OnEditCut() {
  OnEditCopy();
  OnEditClear();
}

void CDrawView::LoadClipboardObjects(COleDataObject* pDataObject) {
  CDrawDoc* doc = GetDocument();
  if (!doc || !pDataObject) return;
  std::unique_ptr<CFile> file = pDataObject->GetFileData(GetPageClipFormats().kordel);
  if (!file) return;
  ReadObjects read;
  {
    CArchive ar(file.get(), CArchive::load, kArchiveBuffer);
    ar.m_pDocument = doc;
    for (DWORD n = ar.ReadCount(2); n > 0; --n)
      read.Add(static_cast<CDrawObj*>(ar.ReadNewObject(&CDrawDoc::IsDrawingClass)));
    for (CDrawObj* object : read.Objects()) object->SerializeEmbedded(ar, doc->m_embedMode);
    ar.Close();
  }
  for (CDrawObj* object : read.Release()) m_selection.AddTail(object);
}

void CDrawView::OnEditPaste() {
  CDrawDoc* doc = GetDocument();
  if (!doc || Running()) return;
  COleDataObject data;
  data.AttachClipboard();
  OnUpdate(nullptr, 2, nullptr);
  m_selection.RemoveAll();  // without OnDeselect: the pasted objects take their place
  if (data.IsDataAvailable(GetPageClipFormats().kordel)) {
    LoadClipboardObjects(&data);
    for (POSITION pos = m_selection.GetHeadPosition(); pos;) {
      CDrawObj* object = static_cast<CDrawObj*>(m_selection.GetNext(pos));
      GivePastedName(*doc, *object);
      doc->Add(object);
    }
  }
  doc->SetModifiedFlag(TRUE);
  doc->UpdateAllViews(nullptr, 2, &m_selection);
}

// ---------------------------------------------------------------------------------
// Drag and drop

int CDrawView::GetDragInfo(COleDataObject* pDataObject, CPoint* pPoint, int* pIndex) {
  if (pDataObject) {
    CPoint start;
    if (ReadObjectKordelPoint(*pDataObject, &start)) {
      if (pPoint) *pPoint = start;
      return 1;
    }
    int index = 0;
    if (ReadObjectDrawIndex(*pDataObject, &index)) {
      if (pIndex) *pIndex = index;
      return 2;
    }
  }
  if (pPoint) *pPoint = CPoint(0, 0);
  return 0;
}

DWORD CDrawView::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  m_bDragAccepted = GetDragInfo(pDataObject, nullptr, nullptr) != 0;
  return OnDragOver(pDataObject, dwKeyState, point);
}

DWORD CDrawView::OnDragOver(COleDataObject*, DWORD, CPoint) {
  return m_bDragAccepted ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

BOOL CDrawView::OnDrop(COleDataObject* pDataObject, DWORD, CPoint point) {
  OnDragLeave();
  int index = -1;
  CDrawDoc* doc = GetDocument();
  CComponentSource* source = CComponentSource::Get();
  // Another program may offer any index: only one of the window's entries is taken.
  if (GetDragInfo(pDataObject, nullptr, &index) != 2 || !doc || !source || Running()) return TRUE;
  if (index < 0 || index >= source->GetComponentCount()) return TRUE;
  CDrawObj* component = source->GetComponent(index);
  int shape;
  if (dynamic_cast<CDrawCompObj*>(component))
    shape = kShapeComposite;
  else if (dynamic_cast<CDrawJoinObj*>(component))
    shape = kToolGlue;
  else
    return TRUE;
  DPtoLPPoint(point);
  CDrawObj* copy = component->Duplicate(doc);
  if (!copy) return TRUE;
  copy->m_name.Format("%s%d", CDrawDoc::KindWord(shape).GetString(), doc->m_nameCounters[shape]);
  ++doc->m_nameCounters[shape];
  CRect r = copy->m_position;
  r.OffsetRect(point.x - (r.left + r.right) / 2, point.y - (r.bottom + r.top) / 2);
  copy->SetRect(r, this);
  return TRUE;
}
