#include "framework/core/ArchiveException.h"

#include "framework/core/FrameworkStrings.h"

CString CArchiveException::GetErrorMessage() const {
  const int cause = m_cause >= none && m_cause <= badSchema ? m_cause : genericException;
  CString text = FrameworkText(AFX_IDS_ARCHIVE_CAUSE_FIRST + cause);
  if (!m_strFileName.IsEmpty()) text = m_strFileName + ": " + text;
  return text;
}
