// CDrawDoc: one page — its objects back to front, its own properties, events and
// actions, and the editor's undo stacks — and the page file that stores it.
#pragma once

#include <memory>

#include "framework/core/Array.h"
#include "framework/core/ObList.h"
#include "framework/core/Time.h"
#include "framework/ui/OleDocument.h"
#include "model/HPEvent.h"
#include "model/Method.h"
#include "model/UndoStack.h"

class CArchive;
class CDC;
class CDrawObj;
class CFile;
class CPropGrid;
class CView;
class CPicture;

// The signature and version a page file starts with.
extern const char kPageSignature[];
extern const char kPageVersion[];

constexpr int kNameCounterCount = 25;
constexpr int kMinPageWidth = 80;
constexpr int kMinPageHeight = 60;

class CDrawDoc : public COleDocument {
  // The editor's document template makes its page document by this record.
  DECLARE_DYNCREATE(CDrawDoc)

 public:
  // Who reads: the editor accepts version "1.2" only; the player and the browser control
  // also read "1.0" and "1.1", and the control shows no message when it refuses a file.
  // The player and the control carry this same model, not a second build of it: where
  // their pages behave differently from the editor's, an object asks the reader of the
  // document it is being read into (the archive's document) or played in (the host's).
  enum class Reader { editor, player, control };

  CDrawDoc();
  explicit CDrawDoc(Reader reader);
  ~CDrawDoc() override;

  void Serialize(CArchive& ar) override;
  void DeleteContents() override;
  BOOL OnNewDocument() override;
  // Reads the page into a fresh document first: a file that fails leaves this page, its
  // path and its contents as they were.
  virtual BOOL OnOpenDocument(const char* path);
  // Writes beside the target and replaces it only when the whole page was written.
  virtual BOOL OnSaveDocument(const char* path);
  // File > Save, Ctrl+S and the prompt to save: a read-only page file is refused with a
  // message (never written, nor saved elsewhere unasked).
  BOOL SaveToCurrentPath();
  BOOL DoFileSave() override { return SaveToCurrentPath(); }
  BOOL IsModified() override { return IsPageModified(); }
  void SetModifiedFlag(BOOL modified = TRUE) override { SetPageModified(modified); }
  // Whether the page shown is the one a jump names (compared without case): a jump to it
  // restarts it without reading it again.
  virtual BOOL IsShowingPage(const CString& path) const;
  virtual BOOL IsPageModified() { return m_bModified; }
  virtual void SetPageModified(BOOL modified) { m_bModified = modified; }

  // The page's rows in the property panel, and the edited rows taken back.
  // ListTransition with kind -1 lists the whole transition; with a kind the author has
  // just chosen, only that kind's direction row (the caller removed the old one).
  virtual void ListPage(CPropGrid* grid);
  virtual void ListTransition(CPropGrid* grid, int kind);
  virtual void ListTriggers(CPropGrid* grid);
  // An empty page name comes back into its row and nothing is applied; a page size
  // refused leaves the size and the rows after it unapplied.
  virtual void ApplyPage(CPropGrid* grid);
  virtual void ApplyTransition(CPropGrid* grid, int index);

  void Draw(CDC* dc, CView* view);
  LRESULT Add(CDrawObj* object);
  void Remove(CDrawObj* object);
  CDrawObj* ObjectAt(CPoint point);
  CDrawObj* ObjectAtExcept(CPoint point, CDrawObj* skip);
  void RenumberObjects(BOOL sort);
  int SetPageSize(int width, int height);
  void PurgeDeletedObjects();
  void CollectResources(int mode);
  void SerializeBackground(CArchive& ar, CObList& objects, int mode);
  static void NameUnnamedActions(CObList& objects);
  static void NameUnnamedEvents(CObList& objects);

  // The editor's undo and redo of deletions; each returns the object it moved, or null.
  CDrawObj* UndoDelete();
  CDrawObj* RedoDelete();

  // The classes a page's object list (and a composite's or glued object's) may hold.
  static bool IsDrawingClass(const CRuntimeClass* cls);
  // The kind word of a drawing-tool shape number, from the string table ("" if none).
  static CString KindWord(int shape);

  Reader m_reader;
  CUndoStack m_undo;
  CSize m_screenSize;
  CString m_openedPath;
  CString m_fileVersion;
  CString m_backPictureFile;
  int m_useBackPicture = 0;
  CPicture* m_backPicture = nullptr;
  int m_transitionDelay = 1;
  int m_transitionKind = 0;
  int m_transitionDirection = 0;
  int m_transitionPending = 0;
  COLORREF m_curtainColour = 0;
  CSize m_pageSize;
  int m_stretchBackPicture = 1;
  int m_embedMode = 2;
  CObList m_objects;
  int m_nameCounters[kNameCounterCount] = {};
  int m_spareWord1 = 8;
  COLORREF m_backColour = 0xFFFFFF;
  CString m_pageName;
  int m_spareWord2 = 0;
  int m_spareWord3 = 0;
  COLORREF m_spareColour = 0xFFFFFF;
  double m_spareReal = 0.0;
  CTime m_timeStamp1;
  CTime m_timeStamp2;
  int m_spareWord4 = 0;
  int m_spareWord5 = 0;
  CString m_spareText;
  CString m_spareTexts[5];
  double m_spareReals[5] = {};
  int m_spareWords[5] = {};
  int m_spareTable1[32] = {};
  int m_spareTable2[32] = {};
  int m_spareWord6 = 0;
  int m_spareWord7 = 0;
  CArray<CHPEvent, CHPEvent&> m_pageEvents;
  CArray<CMethod, CMethod&> m_pageActions;
  // The text object taking typed input during a run; cleared whenever it may leave the page.
  CDrawObj* m_focusObject = nullptr;
  // Grows whenever the page's objects are thrown away (a new page, a page read, a jump):
  // code holding pointers to objects across a trigger compares it to know they are gone.
  unsigned m_contentsGeneration = 0;
  // The page's private folder of embedded sound and video copies, made and used by the
  // media objects (its type is theirs); their copies keep it as long as they need it.
  std::shared_ptr<void> m_mediaFolder;

 protected:
  // Takes over everything a freshly read document holds, its objects appended to this
  // document's list.
  void TakeContentsFrom(CDrawDoc& other);

 private:
  void StorePage(CArchive& ar);
  void LoadPage(CArchive& ar);
  void DestroyObjects();
  void ResetFields();
  void WriteBackgroundRecord(CArchive& ar);
  void ReadBackgroundRecord(CArchive& ar);
  bool BackgroundRecordPresent() const;
  void ReportReadFailure(UINT messageId);
};
