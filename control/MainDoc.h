// CMainDoc: the control's page document, read by the control's reader of the page
// model. It resolves the control's SRC against the address of the web page that hosts
// it, reads the page from disk or downloads it, tells the control the page's size and
// starts the page in the view. Page jumps are resolved against the same folder.
#pragma once

#include "control/PageDownloadFile.h"
#include "model/DrawDoc.h"

class CFile;
class CMainView;
struct PageSource;

class CMainDoc : public CDrawDoc {
 public:
  CMainDoc();
  // The download goes first: no callback reaches a document being taken apart.
  ~CMainDoc() override;

  void SetView(CMainView* view) { m_view = view; }
  CMainView* GetView() const { return m_view; }

  // Resolves SRC against the host address and reads or downloads the page: 1 when a
  // load was started or done, 0 otherwise.
  virtual int LoadPage(const CString& hostAddress, const CString& src);
  // A page named by a jump, against the folder of the first page: 1 when it was read or
  // its download started (or is already under way), 0 otherwise.
  virtual int OpenPageByName(const CString& name);
  // Reads a local page: 1 on success; 0 for a missing or damaged file, which leaves an
  // empty page when another was shown.
  virtual int OpenPageFile(const CString& path);
  // Reads a downloaded page from the start of the stream, as OpenPageFile.
  virtual int OnDownloadComplete(CFile& stream);
  // A download failed; a jump waiting for it lets the page shown play on.
  void OnDownloadFailed();

  int IsFirstLoad() const { return m_firstLoad; }
  int GetBaseKind() const { return m_baseKind; }
  // A jump's page is being downloaded: the page shown stands still meanwhile.
  bool IsJumpPending() const { return m_jumpPending; }
  CPageDownloadFile& GetDownload() { return m_download; }

  // The last load asked for, and how many were asked for.
  const CString& GetRequestedHost() const { return m_requestedHost; }
  const CString& GetRequestedSrc() const { return m_requestedSrc; }
  int GetLoadRequests() const { return m_loadRequests; }

 private:
  int Open(const PageSource& source, bool jump);
  int StartDownload(const CString& address, bool jump);
  // Stops the page shown and empties the document before another is read.
  void EmptyForReload();
  int ReadPage(CFile& file);

  int m_firstLoad = 1;
  CPageDownloadFile m_download;
  int m_baseKind = 0;
  bool m_jumpPending = false;
  CMainView* m_view = nullptr;
  CString m_requestedHost;
  CString m_requestedSrc;
  int m_loadRequests = 0;
};
