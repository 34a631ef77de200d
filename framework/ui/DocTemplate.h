// CDocTemplate: ties a document class to the frame and view classes that show it,
// with the strings of one resource id: "window title\ndocument name\nnew-file name\n
// filter name\nfilter extension\nregistry type id\nregistry type name".
#pragma once

#include "framework/core/String.h"
#include "framework/ui/CmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)

 public:
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
  enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative,
                    yesAlreadyOpen };

  CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
               const CRuntimeClass* pViewClass);
  ~CDocTemplate() override = default;

  // FALSE when the field is missing or empty.
  virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);
  // How well a file fits this template (by its extension), and the document that
  // already has it open.
  virtual Confidence MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch);

  virtual CDocument* CreateNewDocument();
  // A frame of the template's class for pDoc, with a view of its class; null (the
  // frame gone) on failure.
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  // A new document for a null path, else the file's; null when it cannot be had.
  virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* pDocument) = 0;
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);

  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
};
