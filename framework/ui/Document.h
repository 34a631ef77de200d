// CDocument: the data behind one or more views, read from and written to a file
// through its Serialize. Saving writes a temporary file beside the target and puts it
// in the target's place only when the whole write succeeded, so a failed save leaves
// the old file as it was; load and save failures are reported to the user.
#pragma once

#include "framework/core/Exception.h"
#include "framework/core/PtrList.h"
#include "framework/core/String.h"
#include "framework/ui/CmdTarget.h"

class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument();
  // Leaves its template; the views must be gone.
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // Sets the full path and the title from it, and adds it to the recent-file list.
  virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  // --- Views ---
  virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  virtual CView* GetNextView(POSITION& rPosition) const;
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  // Calls OnUpdate of every view except pSender.
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
  // Called when a view comes or goes; a document left without views closes itself.
  virtual void OnChangedViewList();
  void UpdateFrameCounts();

  // --- Life cycle ---
  virtual void DeleteContents() {}
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
  // Destroys the views' frames, empties the document and deletes it (m_bAutoDelete).
  virtual void OnCloseDocument();
  virtual void PreCloseFrame(CFrameWnd* pFrame) {}
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  // Asks whether to save changes: FALSE when the user cancels or the save fails.
  virtual BOOL SaveModified();
  // Saves under lpszPathName, or under a name asked for when it is null; bReplace
  // makes the new name the document's.
  virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
  virtual BOOL DoFileSave();
  // Shows the user why a file could not be read or written.
  virtual void ReportSaveLoadException(LPCSTR lpszPathName, const CException* e, BOOL bSaving);

  // --- Commands ---
  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;
  BOOL m_bAutoDelete = TRUE;
  BOOL m_bEmbedded = FALSE;

 private:
  void ReportFailure(LPCSTR lpszPathName, const CString& reason, BOOL bSaving);
};
