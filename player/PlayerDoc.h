// CPlayerDoc: the player's page document. It reads its pages out of the package appended
// to the running executable — the home page by index, the pages that actions jump to by
// name — and stores nothing: the player only plays.
#pragma once

#include "model/DrawDoc.h"
#include "package/PackageIndex.h"

class CPlayerDoc : public CDrawDoc {
  DECLARE_DYNCREATE(CPlayerDoc)

 public:
  CPlayerDoc();

  // 1 when the page of entry index was read; 0 when the package has no such entry or
  // the page could not be read (the user has been told why); kPackageSourceFailed when
  // the package file cannot be opened. With reread the directory is read again first.
  // On anything but 1 the document keeps the page it had.
  int LoadPackagePageByIndex(int index, bool reread);
  // The same by entry name (ASCII letters compared without case): TRUE when read.
  BOOL LoadPackagePageByName(const char* name, bool reread);

  // The open command, dropped files and page jumps: the named entry of the package as
  // last read. The current page is replaced only when the new one was read whole.
  BOOL OnOpenDocument(const char* path) override;
  // A new document is the empty page the player starts with.
  BOOL OnNewDocument() override { return TRUE; }
  void DeleteContents() override;
  void ReportSaveLoadException(LPCSTR lpszPathName, const CException* e, BOOL bSaving) override;

  // Nothing the player does is saved.
  BOOL OnSaveDocument(const char*) override { return FALSE; }
  BOOL SaveModified() override { return TRUE; }
  BOOL IsPageModified() override { return FALSE; }
  // Pages are named as the package names them.
  BOOL IsShowingPage(const CString& path) const override;
  void SetPageModified(BOOL) override {}

  // Whether a page was read since the document was last emptied.
  bool HasPage() const { return m_hasPage; }
  // The package file: the running executable unless another is set (tests).
  CString GetPackagePath() const;
  void SetPackagePath(const CString& path) { m_packagePath = path; }

  PackageIndex m_package;

 private:
  int ReadEntry(int index, const CString& name);

  bool m_hasPage = false;
  CString m_packagePath;
};
