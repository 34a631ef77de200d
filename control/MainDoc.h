// CMainDoc: the control's page document, read by the control's reader of the page
// model. The control asks it to load the page its SRC names, against the address of
// the web page that hosts it.
#pragma once

#include "model/DrawDoc.h"

class CMainView;

class CMainDoc : public CDrawDoc {
 public:
  CMainDoc() : CDrawDoc(Reader::control) {}
  ~CMainDoc() override = default;

  void SetView(CMainView* view) { m_view = view; }
  CMainView* GetView() const { return m_view; }

  // Resolves SRC against the host address and reads or downloads the page: 1 when a
  // load was started or done, 0 otherwise.
  virtual int LoadPage(const CString& hostAddress, const CString& src);

  // The last load asked for, and how many were asked for.
  const CString& GetRequestedHost() const { return m_requestedHost; }
  const CString& GetRequestedSrc() const { return m_requestedSrc; }
  int GetLoadRequests() const { return m_loadRequests; }

 private:
  CMainView* m_view = nullptr;
  CString m_requestedHost;
  CString m_requestedSrc;
  int m_loadRequests = 0;
};
