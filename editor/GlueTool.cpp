#include "editor/GlueTool.h"

#include <algorithm>
#include <new>

#include "editor/DrawApp.h"
#include "editor/DrawView.h"
#include "framework/core/MessageBox.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawJoinObj.h"
#include "resources/KordelIds.h"

namespace {
// The cursor where no selected object offers a handle.
constexpr UINT kNoHandleCursor = 191;
}  // namespace

CDrawObj* CGlueTool::HandleUnder(CDrawView* view, const CPoint& local, int& handle) const {
  for (POSITION pos = view->m_selection.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(view->m_selection.GetNext(pos));
    if (std::find(m_group.objects.begin(), m_group.objects.end(), object) != m_group.objects.end()) continue;
    if ((handle = object->HitTest(local, view, TRUE)) != 0) return object;
  }
  return nullptr;
}

void CGlueTool::OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point) {
  CDrawTool::OnLButtonDown(view, flags, point);
  CPoint local = point;
  view->DPtoLPPoint(local);
  CDrawDoc* doc = view->GetDocument();
  if (!doc) return;
  if (!m_pJoinObj) {
    view->SetCapture();
    auto* glue = new (std::nothrow) CDrawJoinObj;
    if (!glue) {
      ::ReleaseCapture();
      AfxMessageBox(IDS_OUT_OF_MEMORY, MB_ICONHAND);
      return;
    }
    glue->m_position = CRect(local, local);
    // Named and counted, but not selected: the selection holds what is to be glued.
    glue->m_name.Format("%s%d", CDrawDoc::KindWord(kToolGlue).GetString(), doc->m_nameCounters[kToolGlue]);
    doc->Add(glue);
    ++doc->m_nameCounters[kToolGlue];
    m_pJoinObj = glue;
  }
  int handle = 0;
  if (CDrawObj* object = HandleUnder(view, local, handle)) {
    m_group.x = local.x;
    m_group.y = local.y;
    m_group.objects.push_back(object);
    m_group.handles.push_back(static_cast<DWORD>(handle));
  }
}

void CGlueTool::OnMouseMove(CDrawView* view, UINT, const CPoint& point) {
  CPoint local = point;
  view->DPtoLPPoint(local);
  int handle = 0;
  ::SetCursor(HandleUnder(view, local, handle) ? ::LoadCursor(nullptr, IDC_CROSS) : LoadToolCursor(kNoHandleCursor));
}

void CGlueTool::OnLButtonDblClk(CDrawView* view, UINT, const CPoint&) {
  if (::GetCapture() == view->m_hWnd) ::ReleaseCapture();
  if (m_pJoinObj) {
    if (m_group.handles.size() < 2) {
      Abandon(view);
    } else {
      m_pJoinObj->Glue(view, m_group);
      view->GetDocument()->SetModifiedFlag(TRUE);
    }
  }
  m_pJoinObj = nullptr;
  m_group = GlueGroup();
  CDrawView::s_nCurrentShape = kToolSelect;
}

void CGlueTool::Abandon(CDrawView* view) {
  CDrawJoinObj* glue = m_pJoinObj;
  m_pJoinObj = nullptr;
  m_group = GlueGroup();
  if (!glue) return;
  CDrawHost* host = GetDrawHost();
  CDrawDoc* doc = view ? view->GetDocument() : host ? host->GetDocument() : nullptr;
  if (!doc || !doc->m_objects.Find(glue)) return;  // its page is gone, and the object with it
  doc->Remove(glue);  // its undo entries go first
  glue->Delete();
  if (view) view->Invalidate(FALSE);
}

void CGlueTool::OnCancel() {
  CDrawApp* app = GetDrawApp();
  CDrawView* view = app ? app->GetActiveDrawView() : nullptr;
  if (view && ::GetCapture() == view->m_hWnd) ::ReleaseCapture();
  Abandon(view);
  CDrawTool::OnCancel();
}
