// CCommandLineInfo: what the program's command line asks for. ParseCommandLine hands
// it each argument; a flag starts with '/' or '-'.
#pragma once

#include "framework/core/String.h"
#include "framework/ui/UiDefs.h"

class CCommandLineInfo {
 public:
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 } m_nShellCommand =
      FileNew;

  CCommandLineInfo() = default;
  virtual ~CCommandLineInfo() = default;

  // One argument; bFlag: it was a flag (given without its '/' or '-'); bLast: no more follow.
  virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;

 private:
  int m_nPrintToArgs = 0;  // printer, driver and port still expected after /pt
};
