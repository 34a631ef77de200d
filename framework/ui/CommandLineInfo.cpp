#include "framework/ui/CommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag) {
    const CString flag(pszParam);
    if (flag.CompareNoCase("pt") == 0) {
      m_nShellCommand = FilePrintTo;
      m_nPrintToArgs = 3;
    } else if (flag.CompareNoCase("p") == 0) {
      m_nShellCommand = FilePrint;
    } else if (flag.CompareNoCase("Unregister") == 0 || flag.CompareNoCase("Unregserver") == 0) {
      m_nShellCommand = AppUnregister;
    } else if (flag.CompareNoCase("dde") == 0) {
      m_nShellCommand = FileDDE;
    } else if (flag.CompareNoCase("Embedding") == 0) {
      m_bRunEmbedded = TRUE;
      m_bShowSplash = FALSE;
    } else if (flag.CompareNoCase("Automation") == 0) {
      m_bRunAutomated = TRUE;
      m_bShowSplash = FALSE;
    }
  } else if (m_strFileName.IsEmpty()) {
    m_strFileName = pszParam;
  } else if (m_nShellCommand == FilePrintTo && m_nPrintToArgs > 0) {
    CString* fields[] = {&m_strPortName, &m_strDriverName, &m_strPrinterName};
    *fields[--m_nPrintToArgs] = pszParam;
  }
  if (bLast) {
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
  }
}
