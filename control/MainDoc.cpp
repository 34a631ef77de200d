#include "control/MainDoc.h"

int CMainDoc::LoadPage(const CString& hostAddress, const CString& src) {
  m_requestedHost = hostAddress;
  m_requestedSrc = src;
  ++m_loadRequests;
  // Resolving the address and reading or downloading the page come with the page
  // download; until then nothing is loaded.
  return 0;
}
