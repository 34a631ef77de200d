// CPageDownloadFile: the one download of a control's document. When the whole page
// has arrived it hands it to the document; a failed download shows its error and
// leaves the page that is shown as it is.
#pragma once

#include "framework/ole/AsyncMonikerFile.h"

class CMainDoc;

class CPageDownloadFile : public CAsyncMonikerFile {
 public:
  CPageDownloadFile() = default;
  ~CPageDownloadFile() override;

  // Any download still bound is closed first. A download that cannot start is reported
  // as a failed one.
  BOOL Open(const char* address, CFileException* error) override;

  void SetOwner(CMainDoc* owner) { m_owner = owner; }
  int IsBinding() const { return m_binding; }
  int IsComplete() const { return m_complete; }

 protected:
  void OnStartBinding() override;
  void OnDataAvailable(DWORD size, DWORD flags) override;
  void OnStopBinding(HRESULT result, const CString& text) override;

 private:
  int m_binding = 0;
  int m_complete = 0;
  CMainDoc* m_owner = nullptr;
  bool m_stopReported = false;
};
