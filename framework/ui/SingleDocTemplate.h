// CSingleDocTemplate: one document at a time, in one frame that stays: opening or
// making another document reuses the document object and its frame after asking to
// save the changes.
#pragma once

#include "framework/ui/DocTemplate.h"

class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)

 public:
  CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                     const CRuntimeClass* pViewClass)
      : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}
  ~CSingleDocTemplate() override;

  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;

  CDocument* m_pOnlyDoc = nullptr;
};
