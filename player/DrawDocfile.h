// CDrawDocfile: a page object of the player that shows a document file over its
// rectangle while the page plays: plain text (kind 1) or RTF (kind 2) in a rich edit
// child of the view (id 5000), anything a browser shows (kinds 3 and 4) in the web
// browser control (id 5001). The child is made on the first paint that shows the
// object, hidden and shown with it afterwards, and moved with it. Only the player
// registers the class; the editor refuses pages that hold one.
#pragma once

#include <memory>

#include "framework/core/String.h"
#include "model/DrawObj.h"

class CArchive;
class CDocRichEdit;
class CWebBrowser2;

// The document path for a name read from a page: a name with ":" or "\" (an absolute,
// drive-relative or network path) as it is, a bare name in the "res" folder of the
// programme folder; lower-cased either way (double-byte characters untouched).
CString ResolveDocumentPath(const CString& programmeFolder, const CString& name);

class CDrawDocfile : public CDrawObj {
  DECLARE_SERIAL(CDrawDocfile)

 public:
  enum Kind : DWORD { kindText = 1, kindRichText = 2, kindWeb = 3, kindWebOther = 4 };
  static constexpr UINT kTextWindowId = 5000;
  static constexpr UINT kBrowserWindowId = 5001;
  // Child, visible, multi-line, scrolling on its own both ways.
  static constexpr DWORD kTextWindowStyle =
      WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;

  CDrawDocfile();
  ~CDrawDocfile() override;

  // The base record, then u32 kind and the file name; a name read is resolved against
  // the programme folder.
  void Serialize(CArchive& ar) override;
  int DrawObject(CDC* dc, CView* view) override;
  void SetRect(const CRect& rect, CView* view) override;
  void SavePlayState(CView* view, CDrawObj* owner) override;
  void RestorePlayState(CView* view) override;

  // Streams the file into the text window in place of its selection, then repaints the
  // object; throws CFileException when the file cannot be opened or read.
  void OpenDocumentFile(const CString& path);
  // EM_STREAMIN when the archive loads, EM_STREAMOUT when it stores, as text (kind 1)
  // or RTF; selectionOnly replaces (writes) the selection only. A failed transfer throws
  // CFileException with the system's error code.
  void StreamIn(CArchive& ar, BOOL selectionOnly);

  // The child rectangle in view pixels: the object's rectangle less 4 pixels on the
  // left and right and 5 on the top and bottom, when it is wider than 8 and taller
  // than 10.
  CRect GetInnerRect() const;
  CDocRichEdit* GetTextWindow() const { return m_richEdit.get(); }
  CWebBrowser2* GetBrowserWindow() const { return m_browser.get(); }

  DWORD m_kind = kindText;
  CString m_fileName;
  DWORD m_savedKind = kindText;
  CString m_savedFileName;

 private:
  void ShowText(CView* view);
  // Makes the browser window and navigates it to the file, once: later paints only place
  // and show it, so what the document shows (its scroll position, a form's input) stays.
  void ShowInBrowser(CView* view);
  // The window could not be made: the name is forgotten, so the box comes once.
  void ReportNoWindow();
  void DestroyWindows();

  std::unique_ptr<CDocRichEdit> m_richEdit;
  std::unique_ptr<CWebBrowser2> m_browser;
};
