// CDocument: the data half of document/view — path, title, modified flag, views.
#pragma once

#include "framework/core/Object.h"
#include "framework/core/PtrList.h"
#include "framework/core/String.h"

class CView;

class CDocument : public CObject {
 public:
  CDocument() = default;
  ~CDocument() override = default;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;

  const CString& GetPathName() const { return m_strPathName; }
  virtual void SetPathName(const char* path, BOOL addToRecent = TRUE) { m_strPathName = path; }
  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(const char* title) { m_strTitle = title; }

  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

  virtual void DeleteContents() {}
  virtual BOOL OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
  }

  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& pos) const { return static_cast<CView*>(m_viewList.GetNext(pos)); }
  void AddView(CView* view) { m_viewList.AddTail(view); }
  void RemoveView(CView* view) {
    if (POSITION pos = m_viewList.Find(view)) m_viewList.RemoveAt(pos);
  }
  virtual void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr) {}

 protected:
  CString m_strPathName;
  CString m_strTitle;
  BOOL m_bModified = FALSE;
  CPtrList m_viewList;
};
